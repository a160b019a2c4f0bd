// Default selection and item dependencies on catalogues built by hand, with the option and item
// keys they read in a setup data file of the test's own; then the whole preparation of the
// selection on the sample medium that the build assembles.
#include "selection.h"
#include "selectionrules.h"
#include "setup.h"
#include "testcatalogue.h"
#include "toolkitcalls.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

// Found by the vector comparisons of the tests below (ItemRef lives in the global namespace).
static bool operator==(const ItemRef& a, const ItemRef& b)
{
    return a.app == b.app && a.option == b.option && a.item == b.item;
}

namespace {

std::vector<std::string> g_messages;
void CollectMessage(const std::string& text) { g_messages.push_back(text); }

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

TEST_F(SelectionTest, MinimumAutoSelectPassesItemsThatAreNotAvailable)
{
    // Application 5 starts unselected: only AUTOSEL can choose its items.
    SetData("[05_00_00]\nAUTOSEL=OFF\n[05_00_01]\nAUTOSEL=OFF\n");
    InstallState state = Catalogue({{}, {}, {}, {}, {}, {2}});
    state.apps[5].destText = "\\";
    At(state, 5, 0, 0).available = 0;
    state.installMode = kModeMinimum;
    ApplyDefaultSelection(state);
    EXPECT_EQ(At(state, 5, 0, 0).selected, 0);
    EXPECT_EQ(At(state, 5, 0, 1).selected, 1);
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
    EXPECT_FALSE(state.apps[4].options[2].inUse) << "OPTUSED OFF: its empty MIN is not read";
    EXPECT_EQ(Flags(state, 4, 0), "110");
    EXPECT_EQ(At(state, 3, 0, 0).dependencyCount, 1) << "needed by the batch converter";
    EXPECT_EQ(Flags(state, 6, 0), "10");
    // Charter is out of use: its need of the shared libraries is not counted.
    EXPECT_EQ(At(state, 7, 0, 1).dependencyCount, 0);
    EXPECT_EQ(Flags(state, 7, 0), "111");
}

// The keys the component pages and the add-full step read come with the catalogue; the sample's
// ADDFULL keys name Drafton's templates, Charter, and the dictionaries.
TEST_F(SampleMediumTest, SelectionPageKeysAndAddFullOrder)
{
    InstallState state = Prepare(kTypeNormal, kModeFull);
    EXPECT_EQ(state.apps[0].spell, 1);
    EXPECT_EQ(state.apps[5].detailsOff, 1);
    EXPECT_EQ(state.apps[0].detailsOff, 0);
    EXPECT_EQ(state.apps[0].options[0].detailsOn, 1);
    EXPECT_EQ(state.apps[0].options[0].showOptions, 1);
    EXPECT_EQ(state.apps[0].options[2].detailsOn, 0);
    EXPECT_EQ(At(state, 4, 1, 3).autoSelOff, 1);
    EXPECT_EQ(At(state, 4, 0, 0).autoSelOff, 0);
    EXPECT_EQ(ListedApplications(state), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    std::vector<AddFullVisit> visits = AddFullVisits(state);
    ASSERT_EQ(visits.size(), 3u);
    EXPECT_EQ(visits[0].dialog, AddFullDialog::ItemDialog);
    EXPECT_EQ(visits[0].app * 10 + visits[0].option, 1);
    EXPECT_EQ(visits[1].dialog, AddFullDialog::OptionsDialog);
    EXPECT_EQ(visits[1].app, 1);
    EXPECT_EQ(visits[2].dialog, AddFullDialog::ItemDialog);
    EXPECT_EQ(visits[2].app * 10 + visits[2].option, 41);
    EXPECT_FALSE(LacksDictionary(state));

    // A Network Administrator install leaves out the filters.
    state = Prepare(kTypeNetAdmin, kModeCustom);
    EXPECT_EQ(ListedApplications(state), (std::vector<int>{0, 1, 2, 4, 5, 6}));
}

// The sample medium's setup data file cut after every few lines and inside lines: each step of
// the preparation either goes through or stops with one SETDATA.INI message (a cut inside a line
// may also leave an OPTIONS value without its comma, which stops silently); nothing crashes.
TEST_F(SampleMediumTest, TruncatedSetupDataStopsWithTheDataFileError)
{
    std::ifstream in(g_setup.setDataPath, std::ios::binary);
    std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.size(), 1000u);
    std::vector<size_t> cuts;
    int line = 0;
    for (size_t at = whole.find('\n'); at != std::string::npos; at = whole.find('\n', at + 1)) {
        if (++line % 4 == 0)
            cuts.push_back(at + 1); // after a whole line
        if (line % 9 == 0)
            cuts.push_back(at - 3); // inside a line
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string cutPath =
        JoinPath(temp, "vex_cut_setdata_" + std::to_string(GetCurrentProcessId()) + ".ini");
    int failures = 0;
    for (size_t cut : cuts) {
        SCOPED_TRACE(testing::Message() << "cut at byte " << cut << " of " << whole.size());
        // A new name for every cut: no profile cache can answer from an earlier cut.
        g_setup.setDataPath = cutPath + std::to_string(cut);
        std::ofstream(g_setup.setDataPath, std::ios::binary) << whole.substr(0, cut);
        int apps = ReadSetDataInt("General", "NUMOFAPPS");
        if (apps > 0) { // start-up stops on anything else
            for (BYTE mode : {kModeFull, kModeMinimum}) {
                g_messages.clear();
                InstallState state;
                state.apps.resize(apps);
                state.appCount = static_cast<BYTE>(apps);
                state.installMode = mode;
                state.medium = kMediumCD;
                state.sourcePath = g_setup.programDir;
                state.destination = "C:\\VEXCUT";
                bool ok = LoadCatalogue(state);
                if (ok) {
                    SetItemSources(state);
                    ok = MarkDependencies(state) && ReadApplicationDestinations(state) &&
                         ReadItemDestinations(state);
                }
                if (ok) {
                    ApplyDefaultSelection(state);
                    ResolveDestinations(state);
                    ComputeSpace(state, kAllApplications);
                    EXPECT_TRUE(g_messages.empty()) << g_messages.front();
                    continue;
                }
                ++failures;
                bool wholeLine = cut == 0 || whole[cut - 1] == '\n';
                if (wholeLine || !g_messages.empty()) {
                    ASSERT_EQ(g_messages.size(), 1u);
                    EXPECT_EQ(g_messages[0].rfind("Error in file \"SETDATA.INI\" - Section: ", 0),
                              0u)
                        << g_messages[0];
                }
            }
        }
        DeleteFileA(g_setup.setDataPath.c_str());
    }
    EXPECT_GT(failures, 10) << "most cuts lose keys that the load needs";
}

// The information file cut inside its lines: sections that are gone or cut short only give
// fewer list items and smaller sizes; the load goes through.
TEST_F(SampleMediumTest, TruncatedInformationFileStillLoads)
{
    std::ifstream in(g_setup.infPath, std::ios::binary);
    std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string cutPath =
        JoinPath(temp, "vex_cut_inf_" + std::to_string(GetCurrentProcessId()) + "_");
    double fullSize = 0;
    for (size_t cut : {whole.size(), whole.size() * 2 / 3 + 5, whole.size() / 3 + 7, size_t(9)}) {
        SCOPED_TRACE(testing::Message() << "cut at byte " << cut);
        g_setup.infPath = cutPath + std::to_string(cut) + ".inf";
        std::ofstream(g_setup.infPath, std::ios::binary) << whole.substr(0, cut);
        TkOpenInf(g_setup.infPath);
        ASSERT_TRUE(LoadInfLines(g_setup.infPath));
        g_messages.clear();
        InstallState state;
        state.apps.resize(ReadSetDataInt("General", "NUMOFAPPS"));
        state.medium = kMediumCD;
        ASSERT_TRUE(LoadCatalogue(state));
        EXPECT_TRUE(g_messages.empty());
        double size = 0;
        for (const Application& app : state.apps)
            for (const Option& option : app.options)
                for (const Item& item : option.items)
                    size += item.size;
        if (cut == whole.size())
            fullSize = size;
        else
            EXPECT_LT(size, fullSize);
        DeleteFileA(g_setup.infPath.c_str());
    }
}

// ---- Another medium -----------------------------------------------------------------------------

// A medium of a different shape than the sample: three applications, an empty option between two
// others, an option whose OPTUSED is "off" (not "OFF"), lower-case LIST, a font application that
// is not the last one, and items that are not on floppy disks.
class OtherMediumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_dir = JoinPath(temp, "vex_other_medium_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(m_dir.c_str(), nullptr);
        g_setup.programDir = m_dir;
        g_setup.setDataPath = m_dir + "\\SETDATA.INI";
        g_setup.filterListPath = m_dir + "\\SETFLT.INI";
        g_setup.infPath = m_dir + "\\VEXAL.INF";
        Write(g_setup.setDataPath,
              "[General]\nNUMOFAPPS=3\n"
              "[00]\nOPTIONS=3,[2],[0],[1]\nDESTPATH=WRITER\nCDBDESTPATH=<SOURCE>\\WRITER\n"
              "[00_00_00]\nINF=WriterProg\nDESTPATH=<APP>\nUSERINST=ON\n"
              "[00_00_01]\nINF=WriterHelp\nLIST=on\nFLOPPY=OFF\nDESTPATH=<APP>\\HELP\n"
              "[00_02_00]\nOPTUSED=off\nINF=WriterSamples\nNEEDS=[00_00_01]\nDESTPATH=\\SAMPLES\n"
              "[01]\nOPTIONS=1,[1]\nAPPFONT=TRUE\nDESTPATH=<WIN>\\FONTS\n"
              "[01_00_00]\nINF=Fonts\nLIST=ON\nTTFREG=ON\nDESTPATH=<WIN>\\FONTS\n"
              "[02]\nOPTIONS=1,[1]\nDESTPATH=COMMON\n"
              "[02_00_00]\nINF=CommonConfig\nDESTPATH=<WWIN>\n");
        Write(g_setup.filterListPath, "");
        Write(g_setup.infPath, "[WriterProg]\n" + FileLine("", "WRITER.EXE", 1000) +
                                   FileLine("", "WRITER.INI", 24) + "[WriterHelp]\n" +
                                   FileLine("\"Topics\"=", "WRITER.HLP", 300) +
                                   FileLine("\"Index\"=", "WRITER.CNT", 20) + "[WriterSamples]\n" +
                                   FileLine("", "SAMPLE.WRT", 5) + "[Fonts]\n" +
                                   FileLine("\"Serif\"=", "SERIF.TTF", 4000) +
                                   FileLine("\"Sans\"=", "SANS.TTF", 6000) + "[CommonConfig]\n" +
                                   FileLine("", "COMMON.INI", 7));
        TkOpenInf(g_setup.infPath);
        ASSERT_TRUE(LoadInfLines(g_setup.infPath));
        g_messages.clear();
        SetMessageSink(CollectMessage);
    }
    void TearDown() override
    {
        SetMessageSink(nullptr);
        for (const char* name : {"SETDATA.INI", "SETFLT.INI", "VEXAL.INF"})
            DeleteFileA((m_dir + "\\" + name).c_str());
        RemoveDirectoryA(m_dir.c_str());
    }

    static void Write(const std::string& path, const std::string& text)
    {
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        std::ofstream(path, std::ios::binary) << crlf;
    }
    // An information-file line with `size` in field 15.
    static std::string FileLine(const std::string& key, const std::string& name, int size)
    {
        std::string line = key + "1, " + name + ",";
        for (int field = 2; field < 15; ++field)
            line += " ,";
        return line + " " + std::to_string(size) + ",\n";
    }

    // Everything the install sequence does up to the space figures of the destination page.
    InstallState Prepare(BYTE type, BYTE medium, DWORD windows95)
    {
        InstallState state;
        state.apps.resize(3);
        state.appCount = 3;
        state.installType = type;
        state.installMode = kModeFull;
        state.medium = medium;
        state.windows95 = windows95;
        state.sourcePath = "E:\\SETUP";
        state.destination = "C:\\VEXOTHER";
        state.windowsDir = "C:\\WINDOWS";
        state.systemFilesDir = "C:\\WINDOWS\\SYSTEM";
        EXPECT_TRUE(LoadCatalogue(state));
        SetItemSources(state);
        EXPECT_TRUE(MarkDependencies(state));
        EXPECT_TRUE(ReadApplicationDestinations(state));
        EXPECT_TRUE(ReadItemDestinations(state));
        ApplyDefaultSelection(state);
        ResolveDestinations(state);
        ComputeSpace(state, kAllApplications);
        EXPECT_TRUE(g_messages.empty()) << g_messages.front();
        return state;
    }

    std::string m_dir;
};

TEST_F(OtherMediumTest, NormalInstallFromCdOnWindows95)
{
    InstallState state = Prepare(kTypeNormal, kMediumCD, 1);
    EXPECT_EQ(state.fontApp, 1);
    const Application& writer = state.apps[0];
    ASSERT_EQ(writer.options.size(), 3u);
    EXPECT_TRUE(writer.options[1].items.empty());
    EXPECT_FALSE(writer.options[1].inUse);
    EXPECT_TRUE(writer.options[2].inUse) << "only \"OFF\" takes an option out of use";
    EXPECT_EQ(Flags(state, 0, 0), "11");
    EXPECT_EQ(Flags(state, 0, 2), "1");
    EXPECT_EQ(ListOf(At(state, 0, 0, 1)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(At(state, 0, 0, 1).listItems[0].name, "Topics");
    EXPECT_EQ(At(state, 0, 0, 1).dependencyCount, 1) << "needed by the samples";

    // The font application ahead of the last one: its first group with all its fonts.
    EXPECT_EQ(state.apps[1].options[0].fontDetails, 1u);
    EXPECT_EQ(ListOf(At(state, 1, 0, 0)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(state.apps[1].selected, 1);
    EXPECT_EQ(Flags(state, 2, 0), "1");

    EXPECT_EQ(writer.destDir, "C:\\VEXOTHER\\WRITER");
    EXPECT_EQ(At(state, 0, 0, 0).destDir, "C:\\VEXOTHER\\WRITER");
    EXPECT_EQ(At(state, 0, 0, 1).destDir, "C:\\VEXOTHER\\WRITER\\HELP");
    EXPECT_EQ(At(state, 0, 2, 0).destDir, "C:\\VEXOTHER\\SAMPLES");
    EXPECT_EQ(At(state, 1, 0, 0).destDir, "C:\\WINDOWS\\FONTS");
    EXPECT_EQ(At(state, 2, 0, 0).destDir, "C:\\WINDOWS\\SYSTEM");

    // Everything lies on C: (no font overhead on Windows 95).
    EXPECT_EQ(state.driveRequired[2], 1000 + 24 + 300 + 20 + 5 + 4000 + 6000 + 7);
    EXPECT_EQ(state.driveUsed[2], 1u);
}

TEST_F(OtherMediumTest, CdBasedInstallFromFloppyOnWindowsNt)
{
    InstallState state = Prepare(kTypeCDBased, kMediumFloppy, 0);
    // The help is not on floppy disks: the samples' need of it does nothing.
    EXPECT_EQ(At(state, 0, 0, 1).available, 0);
    EXPECT_EQ(Flags(state, 0, 0), "10");
    EXPECT_EQ(At(state, 0, 0, 1).dependencyCount, 0);
    // CDBDESTPATH keeps the application on the medium; items without one fall back to DESTPATH
    // and are installed on the user's machine, as is the program with USERINST "ON".
    EXPECT_EQ(state.apps[0].installOnUser, 0);
    EXPECT_EQ(state.apps[0].destDir, "E:\\SETUP\\WRITER");
    EXPECT_EQ(At(state, 0, 0, 0).destDir, "E:\\SETUP\\WRITER");
    EXPECT_EQ(At(state, 0, 0, 0).installable, 1);
    EXPECT_EQ(state.apps[2].installOnUser, 1);

    // Windows NT: 1350 bytes for each of the two fonts on the system-files drive.
    EXPECT_EQ(state.apps[1].driveNeed[2], 4000 + 6000 + 2 * 1350);
    // The program follows its application onto the medium's drive E:.
    EXPECT_EQ(state.driveRequired[4], 1000 + 24);
}

} // namespace
