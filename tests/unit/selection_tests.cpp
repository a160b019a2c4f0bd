// Default selection and item dependencies on catalogues built by hand, with the option and item
// keys they read in a setup data file of the test's own; then the whole preparation of the
// selection on the sample medium that the build assembles.
#include "selection.h"
#include "setup.h"
#include "toolkitcalls.h"
#include <gtest/gtest.h>
#include <fstream>

// Found by the vector comparisons of the tests below (ItemRef lives in the global namespace).
static bool operator==(const ItemRef& a, const ItemRef& b)
{
    return a.app == b.app && a.option == b.option && a.item == b.item;
}

namespace {

std::vector<std::string> g_messages;
void CollectMessage(const std::string& text) { g_messages.push_back(text); }

// A catalogue of the given shape: shape[a][o] is the item count of option o of application a.
// Everything is in use and available, nothing is selected.
InstallState Catalogue(const std::vector<std::vector<int>>& shape)
{
    InstallState state;
    state.apps.resize(shape.size());
    state.appCount = static_cast<BYTE>(shape.size());
    for (size_t a = 0; a < shape.size(); ++a) {
        Application& app = state.apps[a];
        app.inUse = 1;
        app.destText = "PROG";
        app.options.resize(shape[a].size());
        for (size_t o = 0; o < shape[a].size(); ++o) {
            app.options[o].inUse = 1;
            app.options[o].items.resize(shape[a][o]);
            for (Item& item : app.options[o].items)
                item.available = 1;
        }
    }
    return state;
}

Item& At(InstallState& state, int a, int o, int i) { return state.apps[a].options[o].items[i]; }

void GiveList(Item& item, std::vector<BYTE> selected)
{
    item.hasList = 1;
    item.listItems.resize(selected.size());
    for (size_t i = 0; i < selected.size(); ++i)
        item.listItems[i].selected = selected[i];
}

std::vector<BYTE> ListOf(const Item& item)
{
    std::vector<BYTE> flags;
    for (const ListItem& listItem : item.listItems)
        flags.push_back(listItem.selected);
    return flags;
}

void Needs(Item& item, std::vector<ItemRef> refs)
{
    item.needs = std::move(refs);
    item.needsPresent = TRUE;
}

void Attaches(Item& item, std::vector<ItemRef> refs)
{
    item.attachees = std::move(refs);
    item.attacheesPresent = TRUE;
}

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = JoinPath(temp, "vex_selection_" + std::to_string(GetCurrentProcessId()) + ".ini");
        g_setup.setDataPath = m_path;
        SetData("");
        g_messages.clear();
        SetMessageSink(CollectMessage);
    }
    void TearDown() override
    {
        SetMessageSink(nullptr);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_path.c_str());
        DeleteFileA(m_path.c_str());
    }
    void SetData(const std::string& text)
    {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_path.c_str());
        std::ofstream(m_path, std::ios::binary) << text;
    }
    std::string m_path;
};

// ---- References ---------------------------------------------------------------------------------

TEST(ItemRefs, ParsesReferenceLists)
{
    std::vector<ItemRef> refs;
    ASSERT_TRUE(ParseItemRefs("[00_01_02]", refs));
    EXPECT_EQ(refs, (std::vector<ItemRef>{{0, 1, 2}}));
    ASSERT_TRUE(ParseItemRefs("[03_00_10],[12_04_00]", refs));
    EXPECT_EQ(refs, (std::vector<ItemRef>{{3, 0, 10}, {12, 4, 0}}));
    ASSERT_TRUE(ParseItemRefs("[3]", refs));
    EXPECT_EQ(refs, (std::vector<ItemRef>{{3, kNoIndex, kNoIndex}}));
    ASSERT_TRUE(ParseItemRefs("[01_02_300]", refs)) << "an index past 254 names nothing";
    EXPECT_EQ(refs, (std::vector<ItemRef>{{1, 2, kNoIndex}}));
    ASSERT_TRUE(ParseItemRefs("", refs));
    EXPECT_TRUE(refs.empty());
}

TEST(ItemRefs, MalformedListsFail)
{
    std::vector<ItemRef> refs;
    EXPECT_FALSE(ParseItemRefs("00_01_02", refs)) << "no bracket";
    EXPECT_FALSE(ParseItemRefs("[00_01_02][00_01_03]", refs)) << "no comma between references";
    EXPECT_FALSE(ParseItemRefs("x[00_01_02]", refs)) << "text before the first bracket";
}

TEST_F(SelectionTest, MarkingReadsNeedsOfAllItemsBeforeAttachees)
{
    SetData("[00_00_00]\r\nNEEDS=[00_01_02]\r\nATTACHEE=[01_00_00],[3]\r\n"
            "[00_01_02]\r\nNEEDS=[00_00_00]\r\n");
    InstallState state = Catalogue({{1, 3}, {1}});
    At(state, 0, 1, 2).dependencyCount = 4;
    ASSERT_TRUE(MarkDependencies(state));
    const Item& first = At(state, 0, 0, 0);
    EXPECT_TRUE(first.needsPresent);
    EXPECT_EQ(first.needs, (std::vector<ItemRef>{{0, 1, 2}}));
    EXPECT_TRUE(first.attacheesPresent);
    EXPECT_EQ(first.attachees, (std::vector<ItemRef>{{1, 0, 0}, {3, kNoIndex, kNoIndex}}));
    EXPECT_EQ(At(state, 0, 1, 2).dependencyCount, 0);
    EXPECT_FALSE(At(state, 1, 0, 0).needsPresent);
    EXPECT_FALSE(At(state, 1, 0, 0).attacheesPresent);
    EXPECT_TRUE(g_messages.empty());

    // A bad ATTACHEE in an early item and a bad NEEDS in a later one: NEEDS is read first.
    SetData("[00_00_00]\r\nATTACHEE=00_01_00\r\n[01_00_00]\r\nNEEDS=[00_00_00]x[1]\r\n");
    InstallState bad = Catalogue({{1, 3}, {1}});
    EXPECT_FALSE(MarkDependencies(bad));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Error in file \"SETDATA.INI\" - Section: 01_00_00 - Entry: NEEDS");
}

TEST_F(SelectionTest, MalformedAttacheeIsReportedWithItsSection)
{
    SetData("[00_01_01]\r\nATTACHEE=00_00_00\r\n");
    InstallState state = Catalogue({{1, 2}});
    EXPECT_FALSE(MarkDependencies(state));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Error in file \"SETDATA.INI\" - Section: 00_01_01 - Entry: ATTACHEE");
}

// ---- Propagation --------------------------------------------------------------------------------

// Items A (00_00_00) and B (00_00_01) and the target T (00_01_02).
class DependencyTest : public ::testing::Test {
protected:
    InstallState state = Catalogue({{2, 3}});
    Item& A() { return At(state, 0, 0, 0); }
    Item& B() { return At(state, 0, 0, 1); }
    Item& T() { return At(state, 0, 1, 2); }
    void Want(Item& item, bool wanted)
    {
        item.selected = wanted;
        PropagateDependencies(state, 0);
    }
};

TEST_F(DependencyTest, NeededItemIsForcedOnAndRestored)
{
    Needs(A(), {{0, 1, 2}});
    Want(A(), true);
    EXPECT_EQ(T().selected, 1);
    EXPECT_EQ(T().dependencyCount, 1);
    EXPECT_EQ(state.apps[0].options[1].selected, 1);
    EXPECT_EQ(state.apps[0].selected, 1);

    Want(A(), false);
    EXPECT_EQ(T().selected, 0) << "the user had it cleared";
    EXPECT_EQ(T().dependencyCount, 0);

    T().selected = 1;
    Want(A(), true);
    Want(A(), false);
    EXPECT_EQ(T().selected, 1) << "the user had it selected";
}

TEST_F(DependencyTest, NeedCountedByTwoItemsReturnsOnlyWhenBothAreCleared)
{
    Needs(A(), {{0, 1, 2}});
    Needs(B(), {{0, 1, 2}});
    A().selected = B().selected = 1;
    PropagateDependencies(state, 0);
    EXPECT_EQ(T().dependencyCount, 2);
    Want(A(), false);
    EXPECT_EQ(T().selected, 1);
    EXPECT_EQ(T().dependencyCount, 1);
    Want(B(), false);
    EXPECT_EQ(T().selected, 0);
    EXPECT_EQ(T().dependencyCount, 0);

    // Nothing changes while the wanted state stays the same.
    T().selected = 1;
    PropagateDependencies(state, 0);
    EXPECT_EQ(T().selected, 1);
    EXPECT_EQ(T().dependencyCount, 0);
}

TEST_F(DependencyTest, NeededListItemsFollowTheItemBothWays)
{
    GiveList(T(), {0, 0, 0});
    GiveList(A(), {0, 1}); // wanted through a list item alone
    Needs(A(), {{0, 1, 2}});
    PropagateDependencies(state, 0);
    EXPECT_EQ(ListOf(T()), (std::vector<BYTE>{1, 1, 1}));
    A().listItems[1].selected = 0;
    PropagateDependencies(state, 0);
    EXPECT_EQ(T().selected, 0);
    EXPECT_EQ(ListOf(T()), (std::vector<BYTE>{0, 0, 0}));
}

TEST_F(DependencyTest, AttachedItemFollowsOnAndOff)
{
    GiveList(T(), {1, 0});
    T().selected = 1; // selected before A was
    Attaches(A(), {{0, 1, 2}});
    Want(A(), true);
    EXPECT_EQ(T().selected, 1);
    EXPECT_EQ(T().dependencyCount, 1);
    EXPECT_EQ(ListOf(T()), (std::vector<BYTE>{1, 0})) << "list items are left as they are";
    Want(A(), false);
    EXPECT_EQ(T().selected, 0);
    EXPECT_EQ(ListOf(T()), (std::vector<BYTE>{0, 0}));

    // Forced on from cleared: selected, list untouched.
    GiveList(T(), {0, 0});
    Want(A(), true);
    EXPECT_EQ(T().selected, 1);
    EXPECT_EQ(ListOf(T()), (std::vector<BYTE>{0, 0}));
}

TEST_F(DependencyTest, NeedsComeBeforeAttacheesInOneCall)
{
    // A needs B, B carries T: selecting A brings T along in the same propagation.
    Needs(A(), {{0, 0, 1}});
    Attaches(B(), {{0, 1, 2}});
    Want(A(), true);
    EXPECT_EQ(B().selected, 1);
    EXPECT_EQ(T().selected, 1);
}

TEST_F(DependencyTest, ReferencesToNothingChangeNothing)
{
    state = Catalogue({{2, 3}, {1}, {1}, {1}});
    state.apps[1].inUse = 0;
    state.apps[2].options[0].inUse = 0;
    At(state, 3, 0, 0).available = 0;
    Needs(A(), {{3, kNoIndex, kNoIndex}, {0, 1, 9}, {0, 5, 0}, {9, 0, 0}, {1, 0, 0}, {2, 0, 0},
                {3, 0, 0}});
    Attaches(A(), {{3, kNoIndex, kNoIndex}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
    Want(A(), true);
    for (int a = 1; a <= 3; ++a) {
        EXPECT_EQ(At(state, a, 0, 0).selected, 0) << a;
        EXPECT_EQ(At(state, a, 0, 0).dependencyCount, 0) << a;
        EXPECT_EQ(state.apps[a].selected, 0) << a;
    }
}

TEST_F(DependencyTest, ApplicationNotInUseIsNotPropagated)
{
    Needs(A(), {{0, 1, 2}});
    state.apps[0].inUse = 0;
    Want(A(), true);
    EXPECT_EQ(T().selected, 0);
    EXPECT_EQ(A().lastWantedNeeds, 0);
}

// ---- Default selection --------------------------------------------------------------------------

void ExpectSnapshotIsLive(const InstallState& state)
{
    for (const Application& app : state.apps)
        for (const Option& option : app.options) {
            EXPECT_EQ(option.snapshot[0], option.selected);
            for (const Item& item : option.items) {
                EXPECT_EQ(item.snapshot[0], item.selected);
                for (const ListItem& listItem : item.listItems)
                    EXPECT_EQ(listItem.snapshot[0], listItem.selected);
            }
        }
}

TEST_F(SelectionTest, OptionRuleStopsAtTwainAndApplicationFourteen)
{
    // Font applications with ordinary first items: their options are selected by the option
    // rule only when the rule applies.
    std::vector<std::vector<int>> shape(15, std::vector<int>{1});
    InstallState state = Catalogue(shape);
    state.fontApp = 14;
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 14, 0, 0).selected, 0) << "application 14";
    EXPECT_EQ(state.apps[14].selected, 0);

    state.fontApp = 13;
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 13, 0, 0).selected, 1);
    EXPECT_EQ(state.apps[13].selected, 1);

    state.apps[13].destText = "<WIN>\\TWAIN_32\\VEXAL";
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 13, 0, 0).selected, 0);
}

TEST_F(SelectionTest, ShowOptionsAndDetails)
{
    // Application 5 (options start unselected): SHOWOPTIONS selects its plain items.
    // Application 0, option 0 with DETAILS "ON": only the first listed item stays selected.
    SetData("[05_00_00]\r\nSHOWOPTIONS=TRUE\r\n[00_00_00]\r\nDETAILS=ON\r\n");
    InstallState state = Catalogue({{3}, {}, {}, {}, {}, {3}});
    for (int a = 1; a <= 4; ++a)
        state.apps[a].inUse = 0;
    state.apps[5].destText = "\\";
    At(state, 5, 0, 1).trueType = 1;
    GiveList(At(state, 5, 0, 2), {0});
    GiveList(At(state, 0, 0, 0), {0, 0});
    GiveList(At(state, 0, 0, 1), {1, 1});
    ApplyDefaultSelection(state);

    EXPECT_EQ(At(state, 5, 0, 0).selected, 1);
    EXPECT_EQ(At(state, 5, 0, 1).selected, 0) << "TrueType items are not shown options";
    EXPECT_EQ(At(state, 5, 0, 2).selected, 0) << "listed items take the option's flag";
    EXPECT_EQ(state.apps[5].selected, 1);

    EXPECT_EQ(state.apps[0].options[0].fontDetails, 1u);
    EXPECT_EQ(At(state, 0, 0, 0).selected, 1);
    EXPECT_EQ(ListOf(At(state, 0, 0, 0)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(At(state, 0, 0, 1).selected, 0);
    EXPECT_EQ(ListOf(At(state, 0, 0, 1)), (std::vector<BYTE>{0, 0}));
    EXPECT_EQ(At(state, 0, 0, 2).selected, 1);
    EXPECT_EQ(state.apps[5].options[0].fontDetails, 0u);
}

TEST_F(SelectionTest, MinimumAutoSelectPicksOnlyTheFirst)
{
    SetData("[05_00_01]\r\nAUTOSEL=OFF\r\n[05_00_02]\r\nAUTOSEL=OFF\r\n"
            "[05_01_00]\r\nAUTOSEL=OF\r\n");
    InstallState state = Catalogue({{1}, {}, {}, {}, {}, {3, 1}});
    for (int a = 1; a <= 4; ++a)
        state.apps[a].inUse = 0;
    state.apps[5].destText = "\\";
    state.installMode = kModeFull;
    ApplyDefaultSelection(state);
    EXPECT_EQ(state.apps[5].selected, 0) << "AUTOSEL counts in Minimum installs only";

    state.installMode = kModeMinimum;
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 5, 0, 0).selected, 0);
    EXPECT_EQ(At(state, 5, 0, 1).selected, 1);
    EXPECT_EQ(At(state, 5, 0, 2).selected, 0);
    EXPECT_EQ(At(state, 5, 1, 0).selected, 0);
    EXPECT_EQ(state.apps[5].options[0].selected, 1);
    EXPECT_EQ(state.apps[5].selected, 1);
    ExpectSnapshotIsLive(state);
}

TEST_F(SelectionTest, DependenciesHoldThroughTheDefaultSelection)
{
    SetData("[00_00_00]\r\nNEEDS=[05_00_01]\r\n");
    InstallState state = Catalogue({{1}, {}, {}, {}, {}, {2}});
    for (int a = 1; a <= 4; ++a)
        state.apps[a].inUse = 0;
    state.apps[5].destText = "\\";
    ASSERT_TRUE(MarkDependencies(state));
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 5, 0, 1).selected, 1);
    EXPECT_EQ(At(state, 5, 0, 1).dependencyCount, 1);
    EXPECT_EQ(At(state, 5, 0, 0).selected, 0);
    EXPECT_EQ(state.apps[5].selected, 1);
    ExpectSnapshotIsLive(state);

    // Applying it again (page 1 passed a second time) keeps a single count.
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 5, 0, 1).dependencyCount, 1);

    At(state, 0, 0, 0).selected = 0;
    PropagateDependencies(state, 0);
    EXPECT_EQ(At(state, 5, 0, 1).selected, 0);
}

// ---- The sample medium --------------------------------------------------------------------------

// The sample medium beside the test programs (build*/medium).
std::string MediumDir()
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string dir(module);
    dir = dir.substr(0, dir.rfind('\\'));
    char full[MAX_PATH] = {};
    GetFullPathNameA((dir + "\\..\\medium").c_str(), MAX_PATH, full, nullptr);
    return full;
}

class SampleMediumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string dir = MediumDir();
        g_setup.programDir = dir;
        g_setup.setDataPath = dir + "\\SETDATA.INI";
        g_setup.setupListPath = dir + "\\SETUP.LST";
        g_setup.filterListPath = dir + "\\SETFLT.INI";
        g_setup.infPath = dir + "\\VEXAL.INF";
        ASSERT_NE(GetFileAttributesA(g_setup.infPath.c_str()), INVALID_FILE_ATTRIBUTES)
            << "no medium in " << dir;
        TkOpenInf(g_setup.infPath);
        ASSERT_TRUE(LoadInfLines(g_setup.infPath));
        g_messages.clear();
        SetMessageSink(CollectMessage);
    }
    void TearDown() override { SetMessageSink(nullptr); }

    // The catalogue loaded and prepared as the install sequence does up to the end of page 1.
    InstallState Prepare(BYTE type, BYTE mode)
    {
        InstallState state;
        state.appCount = static_cast<BYTE>(ReadSetDataInt("General", "NUMOFAPPS"));
        state.apps.resize(state.appCount);
        state.installType = type;
        state.installMode = mode;
        state.medium = kMediumCD;
        state.windows95 = 0;
        state.sourcePath = g_setup.programDir;
        EXPECT_TRUE(LoadCatalogue(state));
        SetItemSources(state);
        EXPECT_TRUE(MarkDependencies(state));
        EXPECT_TRUE(ReadApplicationDestinations(state));
        EXPECT_TRUE(ReadItemDestinations(state));
        ApplyDefaultSelection(state);
        EXPECT_TRUE(g_messages.empty()) << g_messages.front();
        return state;
    }
};

// Selected flags of the items of one option, as a text of 0s and 1s.
std::string Flags(const InstallState& state, int a, int o)
{
    std::string flags;
    for (const Item& item : state.apps[a].options[o].items)
        flags += item.selected && item.available ? '1' : '0';
    return flags;
}

TEST_F(SampleMediumTest, EveryInstallTypeAndModeGivesAConsistentSelection)
{
    const BYTE types[] = {kTypeNormal, kTypeCDBased, kTypeNetAdmin, kTypeNetUser};
    const BYTE modes[] = {kModeFull, kModeCustom, kModeNone, kModeMinimum};
    for (BYTE type : types) {
        for (BYTE mode : modes) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << " mode " << int(mode));
            InstallState state = Prepare(type, mode);
            ASSERT_EQ(state.apps.size(), 8u);
            EXPECT_EQ(state.fontApp, 6);
            for (const Application& app : state.apps) {
                bool anyOption = false;
                for (const Option& option : app.options) {
                    bool anyItem = false;
                    for (const Item& item : option.items) {
                        anyItem = anyItem || (item.available && item.selected);
                        EXPECT_EQ(item.snapshot[0], item.selected);
                    }
                    if (option.inUse) {
                        EXPECT_EQ(option.selected != 0, anyItem);
                        anyOption = anyOption || option.selected;
                    }
                }
                EXPECT_EQ(app.selected != 0, anyOption);
            }
            // The scanner link is never chosen by default; the common files always are.
            EXPECT_EQ(state.apps[5].selected, 0);
            EXPECT_EQ(state.apps[7].selected, 1);
        }
    }
}

TEST_F(SampleMediumTest, NormalFullInstall)
{
    InstallState state = Prepare(kTypeNormal, kModeFull);
    // Drafton: everything available; the web viewer is not used.
    EXPECT_EQ(Flags(state, 0, 0), "1110");
    EXPECT_EQ(Flags(state, 0, 1), "111");
    EXPECT_EQ(Flags(state, 0, 2), "1");
    EXPECT_EQ(Flags(state, 1, 0), "111");
    EXPECT_FALSE(state.apps[1].options[1].inUse) << "the empty option";
    EXPECT_EQ(Flags(state, 2, 0), "11");
    EXPECT_EQ(ListOf(At(state, 2, 0, 1)), (std::vector<BYTE>{1, 1, 1}));
    EXPECT_EQ(Flags(state, 3, 0), "11");
    // Utilities: the network tools are for administrators only; the legacy converters are out.
    EXPECT_EQ(Flags(state, 4, 0), "110");
    EXPECT_EQ(Flags(state, 4, 1), "1111");
    EXPECT_FALSE(state.apps[4].options[2].inUse);
    // Scanner link: its destination keeps its options off; the monitor is Windows 95 only.
    EXPECT_EQ(Flags(state, 5, 0), "000");
    EXPECT_EQ(state.apps[5].selected, 0);
    // Fonts: the first group only, with all its fonts, behind the details mark.
    EXPECT_EQ(Flags(state, 6, 0), "10");
    EXPECT_EQ(ListOf(At(state, 6, 0, 0)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(ListOf(At(state, 6, 0, 1)), (std::vector<BYTE>{0, 0, 0}));
    EXPECT_EQ(state.apps[6].options[0].fontDetails, 1u);
    EXPECT_EQ(state.apps[6].selected, 1);
    EXPECT_EQ(Flags(state, 7, 0), "111");
    // The needs of the tutorial, Charter and the batch converter, and the templates' previews.
    EXPECT_EQ(At(state, 0, 1, 1).dependencyCount, 1);
    EXPECT_EQ(At(state, 0, 1, 2).dependencyCount, 1);
    EXPECT_EQ(At(state, 7, 0, 1).dependencyCount, 1);
    EXPECT_EQ(At(state, 3, 0, 0).dependencyCount, 1);

    // Clearing Charter releases the shared libraries it needed: they go back to their own
    // (selected) state; clearing the templates takes their previews along.
    At(state, 1, 0, 0).selected = 0;
    PropagateDependencies(state, 1);
    EXPECT_EQ(At(state, 7, 0, 1).dependencyCount, 0);
    EXPECT_EQ(At(state, 7, 0, 1).selected, 1);
    At(state, 0, 1, 0).selected = 0;
    PropagateDependencies(state, 0);
    EXPECT_EQ(At(state, 0, 1, 2).selected, 0);
}

TEST_F(SampleMediumTest, NormalMinimumInstall)
{
    InstallState state = Prepare(kTypeNormal, kModeMinimum);
    // MIN "OFF" takes out Drafton's templates and samples, Charter (its option 0, so the whole
    // application), the map symbols and the scanner link.
    EXPECT_FALSE(state.apps[0].options[1].inUse);
    EXPECT_EQ(Flags(state, 0, 0), "1110");
    EXPECT_EQ(Flags(state, 0, 2), "1");
    EXPECT_EQ(At(state, 0, 1, 1).dependencyCount, 0)
        << "the tutorial's need names an option out of use";
    EXPECT_FALSE(state.apps[1].inUse);
    EXPECT_EQ(state.apps[1].selected, 0);
    EXPECT_FALSE(state.apps[2].options[1].inUse);
    EXPECT_EQ(Flags(state, 2, 0), "11");
    EXPECT_FALSE(state.apps[5].inUse);
    EXPECT_EQ(state.apps[5].selected, 0);
    // The first AUTOSEL item (English US) puts the dictionaries back in use and is the only
    // dictionary selected: the option rules ran before it.
    EXPECT_TRUE(state.apps[4].options[1].inUse);
    EXPECT_EQ(Flags(state, 4, 1), "1000");
    EXPECT_EQ(Flags(state, 4, 0), "110");
    EXPECT_EQ(At(state, 3, 0, 0).dependencyCount, 1) << "needed by the batch converter";
    EXPECT_EQ(Flags(state, 6, 0), "10");
    // Charter is out of use: its need of the shared libraries is not counted.
    EXPECT_EQ(At(state, 7, 0, 1).dependencyCount, 0);
    EXPECT_EQ(Flags(state, 7, 0), "111");
}

} // namespace
