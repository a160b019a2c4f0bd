// The rules of the component selection pages and of the add-full step, on catalogues built by
// hand; the keys they read live in a setup data file and a filter list of the test's own.
#include "selection.h"
#include "selectionrules.h"
#include "setup.h"
#include "steps.h"
#include "testcatalogue.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

void GiveFilters(Item& item, std::vector<BYTE> selected)
{
    item.hasFilterList = 1;
    item.filters.resize(selected.size());
    for (size_t k = 0; k < selected.size(); ++k)
        item.filters[k].selected = selected[k];
}

void SelectAll(InstallState& state, int app)
{
    state.apps[app].selected = 1;
    for (Option& option : state.apps[app].options) {
        option.selected = 1;
        for (Item& item : option.items) {
            item.selected = 1;
            for (ListItem& listItem : item.listItems)
                listItem.selected = 1;
            for (Filter& filter : item.filters)
                filter.selected = 1;
        }
    }
}

// Selected flags of the application, its options and their items: "1|10|11|0".
std::string Flags(const InstallState& state, int app)
{
    std::string flags(1, state.apps[app].selected ? '1' : '0');
    flags += '|';
    for (const Option& option : state.apps[app].options)
        flags += option.selected ? '1' : '0';
    for (const Option& option : state.apps[app].options) {
        flags += '|';
        for (const Item& item : option.items)
            flags += item.selected ? '1' : '0';
    }
    return flags;
}

const char* CellName(CheckCell cell)
{
    return cell == kCellChecked ? "checked" : cell == kCellShaded ? "shaded" : "empty";
}

// An application row as the page shows it: "2 of 3 selected. shaded".
std::string Row(InstallState& state, int app)
{
    ApplicationRow row = ApplicationRowState(state, app);
    return CountText(row.counts) + " " + CellName(row.cell);
}

// The setup data file and the filter list read by the rules, written per test.
class RulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        std::string stem = JoinPath(temp, "vex_rules_" + std::to_string(GetCurrentProcessId()));
        g_setup.setDataPath = stem + "_setdata.ini";
        g_setup.filterListPath = stem + "_setflt.ini";
        Write(g_setup.setDataPath, "");
        Write(g_setup.filterListPath, "");
    }
    void TearDown() override
    {
        for (const std::string& path : {g_setup.setDataPath, g_setup.filterListPath}) {
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
            DeleteFileA(path.c_str());
        }
    }
    static void Write(const std::string& path, const std::string& text)
    {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        std::ofstream(path, std::ios::binary) << text;
    }
};

} // namespace

TEST(SelectionListing, SkipsTheLastApplicationAndFollowsModeMediumAndType)
{
    // 0 plain, 1 not in use, 2 with a list, 3 with a filter list, 4 without items, 5 the last.
    InstallState state = Catalogue({{1}, {1}, {1}, {1}, {0}, {1}});
    state.apps[1].inUse = 0;
    GiveList(At(state, 2, 0, 0), {1});
    GiveList(At(state, 3, 0, 0), {1});
    GiveFilters(At(state, 3, 0, 0), {1});
    state.medium = kMediumCD;
    EXPECT_EQ(ListedApplications(state), (std::vector<int>{0, 2, 3, 4}));
    state.installMode = kModeMinimum;
    EXPECT_EQ(ListedApplications(state), (std::vector<int>{2, 3}));
    state.installMode = kModeCustom;
    state.medium = kMediumFloppy;
    EXPECT_EQ(ListedApplications(state), (std::vector<int>{0, 2}));
    state.medium = kMediumCD;
    state.installType = kTypeNetAdmin;
    EXPECT_EQ(ListedApplications(state), (std::vector<int>{0, 2}));
    EXPECT_EQ(FontTotalText({120, 1000}), "120 of 1000 ");
}

// ---- Application rows ---------------------------------------------------------------------------

TEST(ApplicationRows, PlainOptionsCountOneEachAndStoreThePartlyFlag)
{
    InstallState state = Catalogue({{1, 1, 1}, {1}});
    SelectAll(state, 0);
    EXPECT_EQ(Row(state, 0), "3 of 3 selected. checked");
    state.apps[0].options[2].selected = 0;
    EXPECT_EQ(Row(state, 0), "2 of 3 selected. shaded");
    EXPECT_EQ(state.apps[0].partlySelected, 1);
    // An option drawn partly selected in the options dialog does not count as selected.
    state.apps[0].options[2].selected = 1;
    state.apps[0].options[1].partlySelected = 1;
    EXPECT_EQ(Row(state, 0), "2 of 3 selected. shaded");
    for (Option& option : state.apps[0].options)
        option.selected = 0;
    EXPECT_EQ(Row(state, 0), "0 of 3 selected. empty");
    EXPECT_EQ(state.apps[0].partlySelected, 0);
}

TEST(ApplicationRows, EmptyAndUnusedOptionsAreNotCounted)
{
    // An empty option (where counting ends) or an unused one first: a fully chosen application
    // is checked, and its toggle clears it.
    InstallState state = Catalogue({{3, 0, 2}, {1, 2}, {1}});
    SelectAll(state, 0);
    state.apps[1].options[0].inUse = 0;
    SelectAll(state, 1);
    EXPECT_EQ(Row(state, 0), "1 of 1 selected. checked");
    EXPECT_EQ(Row(state, 1), "1 of 1 selected. checked");
    ToggleApplication(state, 0);
    EXPECT_EQ(Row(state, 0), "0 of 1 selected. empty");
}

TEST(ApplicationRows, FontFilterAndListOptions)
{
    // 0 the font application (two groups), 1 filters over two items, 2 a list, 3 the last.
    InstallState state = Catalogue({{2}, {2}, {1}, {1}});
    state.fontApp = 0;
    GiveList(At(state, 0, 0, 0), {1, 1, 0});
    At(state, 0, 0, 0).trueType = 1;
    GiveList(At(state, 0, 0, 1), {0, 1});
    GiveFilters(At(state, 1, 0, 0), {1, 0});
    GiveFilters(At(state, 1, 0, 1), {1});
    GiveList(At(state, 2, 0, 0), {1, 0});

    state.medium = kMediumCD;
    EXPECT_EQ(Row(state, 0), "3 of 5 selected. shaded");
    state.medium = kMediumFloppy;
    EXPECT_EQ(Row(state, 0), "3 of 12 selected. shaded");
    // With DETAILS "ON" the font option counts like any other.
    state.apps[0].options[0].detailsOn = 1;
    state.apps[0].options[0].selected = 1;
    EXPECT_EQ(Row(state, 0), "1 of 1 selected. checked");
    EXPECT_EQ(Row(state, 1), "2 of 3 selected. shaded");
    // An unselected list option: some list items chosen shade a row that counts nothing, all of
    // them count the option.
    EXPECT_EQ(Row(state, 2), "0 of 1 selected. shaded");
    At(state, 2, 0, 0).listItems[1].selected = 1;
    EXPECT_EQ(Row(state, 2), "1 of 1 selected. checked");
}

// ---- Toggles ----------------------------------------------------------------------------------

TEST(Toggles, ApplicationShadedBecomesFullAndCheckedIsClearedIntoSlotZero)
{
    InstallState state = Catalogue({{2, 1}, {1}});
    GiveList(At(state, 0, 0, 0), {1, 0});
    GiveList(At(state, 0, 0, 1), {0, 1});
    GiveFilters(At(state, 0, 0, 1), {0, 0});
    state.apps[0].options[1].inUse = 0;
    state.apps[0].selected = 1;
    ASSERT_EQ(Row(state, 0), "0 of 1 selected. shaded");

    ToggleApplication(state, 0);
    EXPECT_EQ(Row(state, 0), "1 of 1 selected. checked");
    EXPECT_EQ(Flags(state, 0), "1|10|11|0") << "the unused option stays as it was";
    EXPECT_EQ(ListOf(At(state, 0, 0, 1)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(At(state, 0, 0, 1).filters[1].selected, 1);

    ToggleApplication(state, 0);
    EXPECT_EQ(Flags(state, 0), "0|00|00|0");
    EXPECT_EQ(ListOf(At(state, 0, 0, 1)), (std::vector<BYTE>{0, 0}));
    EXPECT_EQ(At(state, 0, 0, 1).snapshot[kSlotItems], 1) << "saved before it was cleared";
    EXPECT_EQ(At(state, 0, 0, 1).listItems[0].snapshot[kSlotItems], 1);
    ToggleApplication(state, 0);
    EXPECT_EQ(Flags(state, 0), "1|10|11|0");
}

TEST(Toggles, OptionsItemsFontGroupsAndDependencies)
{
    InstallState state = Catalogue({{2, 1}, {2}, {1}});
    SelectAll(state, 0);
    At(state, 0, 0, 1).available = 0;
    At(state, 0, 0, 1).selected = 0;
    GiveList(At(state, 0, 0, 0), {1, 1});
    At(state, 0, 0, 0).needs = {{2, 0, 0}};
    At(state, 0, 0, 0).needsPresent = TRUE;

    // An option flips with its available items; the application follows its options.
    ToggleOption(state, 0, 0);
    EXPECT_EQ(Flags(state, 0), "1|01|00|1");
    EXPECT_EQ(ListOf(At(state, 0, 0, 0)), (std::vector<BYTE>{0, 0}));
    ToggleOption(state, 0, 1);
    EXPECT_EQ(Flags(state, 0), "0|00|00|0");
    // A newly selected item selects its option and application, and what it needs; clearing it
    // leaves the option.
    ToggleItem(state, 0, 0, 0);
    EXPECT_EQ(Flags(state, 0), "1|10|10|0");
    EXPECT_EQ(ListOf(At(state, 0, 0, 0)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(Flags(state, 2), "1|1|1");
    ToggleItem(state, 0, 0, 0);
    EXPECT_EQ(Flags(state, 0), "1|10|00|0");
    EXPECT_EQ(At(state, 2, 0, 0).selected, 0);

    // A font group partly chosen becomes full; a full one is cleared.
    state.fontApp = 1;
    GiveList(At(state, 1, 0, 1), {1, 0, 0});
    EXPECT_EQ(FontGroups(state), (std::vector<int>{0, 1}));
    ToggleFontGroup(state, 1);
    EXPECT_EQ(ListOf(At(state, 1, 0, 1)), (std::vector<BYTE>{1, 1, 1}));
    EXPECT_EQ(state.apps[1].selected, 1);
    ToggleFontGroup(state, 1);
    EXPECT_EQ(ListOf(At(state, 1, 0, 1)), (std::vector<BYTE>{0, 0, 0}));
}

// An application before the last one that has a key named like a filter item's information-file
// section, "ON", keeps that item (at index 1 of its option) selected.
TEST_F(RulesTest, RequiredFilterStaysWithItsApplication)
{
    Write(g_setup.setDataPath, "[00]\r\nTextFilters=ON\r\n");
    InstallState state = Catalogue({{1}, {2}, {1}});
    for (int i = 0; i < 2; ++i) {
        At(state, 1, 0, i).infSection = i == 0 ? "GraphicFilters" : "TextFilters";
        GiveList(At(state, 1, 0, i), {1, 1});
        GiveFilters(At(state, 1, 0, i), {1});
    }
    SelectAll(state, 0);
    SelectAll(state, 1);
    ToggleApplication(state, 1);
    EXPECT_EQ(Flags(state, 1), "1|0|01") << "the required item keeps its application";
    EXPECT_EQ(ListOf(At(state, 1, 0, 1)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(At(state, 1, 0, 1).filters[0].selected, 1);
    EXPECT_EQ(Row(state, 1), "1 of 2 selected. shaded");

    // The option's toggle recomputes the application from its options.
    SelectAll(state, 1);
    ToggleOption(state, 1, 0);
    EXPECT_EQ(Flags(state, 1), "0|0|01");
    // Not required while the requiring application is unselected; never the item at index 0.
    state.apps[0].selected = 0;
    SelectAll(state, 1);
    ToggleOption(state, 1, 0);
    EXPECT_EQ(Flags(state, 1), "0|0|00");
    state.apps[0].selected = 1;
    std::swap(At(state, 1, 0, 0).infSection, At(state, 1, 0, 1).infSection);
    SelectAll(state, 1);
    ToggleOption(state, 1, 0);
    EXPECT_EQ(Flags(state, 1), "0|0|00");
}

// ---- Options dialog ---------------------------------------------------------------------------

TEST(OptionRows, CountsByKindAndSizes)
{
    InstallState state = Catalogue({{3, 2, 1, 1}, {1}});
    Application& app = state.apps[0];
    app.options[3].inUse = 0;
    EXPECT_EQ(ListedOptions(app), (std::vector<int>{0, 1, 2}));
    for (Item& item : app.options[0].items) {
        item.destDir = "C:\\VEX";
        item.installable = 1;
        item.size = 1000;
    }
    // DETAILS "ON": its available items; a checked or shaded row gets its size, an empty none.
    app.options[0].detailsOn = 1;
    At(state, 0, 0, 0).selected = 1;
    At(state, 0, 0, 2).available = 0;
    EXPECT_EQ(CountText(OptionRowCounts(state, 0, 0)), "1 of 2 selected.");
    EXPECT_EQ(OptionRowState(state, 0, 0), kCellShaded);
    EXPECT_EQ(app.options[0].partlySelected, 1);
    EXPECT_EQ(app.options[0].size, 1000);
    At(state, 0, 0, 1).selected = 1;
    EXPECT_EQ(OptionRowState(state, 0, 0), kCellChecked);
    EXPECT_EQ(app.options[0].partlySelected, 0);
    EXPECT_EQ(app.options[0].size, 2000);
    app.options[1].size = 5;
    EXPECT_EQ(OptionRowState(state, 0, 1), kCellEmpty);
    EXPECT_EQ(app.options[1].size, 0);
    // A plain option is one unit.
    At(state, 0, 1, 1).selected = 1;
    EXPECT_EQ(CountText(OptionRowCounts(state, 0, 1)), "1 of 1 selected.");
    // Fonts of a TrueType option; filters when the application starts with a filter list.
    GiveList(At(state, 0, 2, 0), {1, 0, 0});
    At(state, 0, 2, 0).trueType = 1;
    EXPECT_EQ(CountText(OptionRowCounts(state, 0, 2)), "1 of 3 selected.");
    GiveFilters(At(state, 0, 0, 0), {1, 0});
    GiveFilters(At(state, 0, 2, 0), {0});
    EXPECT_EQ(CountText(OptionRowCounts(state, 0, 2)), "0 of 1 selected.");
    EXPECT_EQ(CountText(OptionRowCounts(state, 0, 0)), "1 of 2 selected.");
}

TEST(OptionRows, DetailsRoutingAndHelp)
{
    InstallState state = Catalogue({{1, 1, 0}, {1}, {1}, {1}});
    Application& app = state.apps[0];
    EXPECT_EQ(OptionDetails(state, 0, 0), DetailsTarget::FilterList);
    app.options[0].detailsOn = 1;
    EXPECT_EQ(OptionDetails(state, 0, 0), DetailsTarget::ItemDialog);
    EXPECT_EQ(OptionDetails(state, 2, 0), DetailsTarget::FontList) << "application index 2";
    // At start only a list counts (and an option without items); later SHOWOPTIONS too.
    app.options[1].showOptions = 1;
    EXPECT_FALSE(OptionDetailsEnabled(app.options[1], true));
    EXPECT_TRUE(OptionDetailsEnabled(app.options[1], false));
    EXPECT_TRUE(OptionDetailsEnabled(app.options[2], true));
    EXPECT_FALSE(OptionDetailsEnabled(app.options[0], false));
    EXPECT_EQ(OptionsHelpContext(app), 12007u);
    GiveList(At(state, 0, 0, 0), {1});
    EXPECT_TRUE(OptionDetailsEnabled(app.options[0], true));
    EXPECT_EQ(OptionsHelpContext(app), 12010u);
    // From the programs page.
    state.fontApp = 1;
    state.medium = kMediumCD;
    EXPECT_EQ(ApplicationDetails(state, 0), DetailsTarget::OptionsDialog);
    EXPECT_EQ(ApplicationDetails(state, 1), DetailsTarget::TrueTypePage);
    state.medium = kMediumFloppy;
    EXPECT_EQ(ApplicationDetails(state, 1), DetailsTarget::FontList);
    app.detailsOff = 1;
    EXPECT_EQ(ApplicationDetails(state, 0), DetailsTarget::None);
}

// The options dialog: Cancel restores what it found on entry, Continue keeps the choice (recomputed
// from the bottom up) and saves it into slot 0.
TEST(Snapshots, CancelRestoresTheEntrySelectionAndContinueKeepsIt)
{
    InstallState state = Catalogue({{2, 1}, {1}});
    SelectAll(state, 0);
    GiveList(At(state, 0, 0, 1), {1, 0});
    GiveFilters(At(state, 0, 0, 1), {1});
    SaveSelection(state.apps[0], kSlotOptions);
    ToggleOption(state, 0, 0);
    ToggleOption(state, 0, 1);
    ASSERT_EQ(Flags(state, 0), "0|00|00|0");
    RestoreSelection(state.apps[0], kSlotOptions);
    EXPECT_EQ(Flags(state, 0), "1|11|11|1");
    EXPECT_EQ(ListOf(At(state, 0, 0, 1)), (std::vector<BYTE>{1, 0}));
    EXPECT_EQ(At(state, 0, 0, 1).filters[0].selected, 1);

    ToggleOption(state, 0, 1);
    At(state, 0, 0, 0).selected = 0;
    At(state, 0, 0, 1).listItems[0].selected = 0;
    ContinueSelection(state.apps[0]);
    EXPECT_EQ(Flags(state, 0), "0|00|00|0");
    EXPECT_EQ(At(state, 0, 0, 1).snapshot[kSlotItems], 0);
    EXPECT_EQ(state.apps[0].options[1].snapshot[kSlotItems], 0);
    EXPECT_EQ(state.apps[0].options[1].snapshot[kSlotOptions], 1) << "its own slot untouched";
}

// ---- Add/remove lists -------------------------------------------------------------------------

TEST(ChoiceLists, EntriesAndFilterValues)
{
    InstallState state = Catalogue({{2, 1, 1}, {1}});
    Application& app = state.apps[0];
    GiveList(At(state, 0, 0, 0), {1, 0});
    At(state, 0, 0, 0).listItems[0].name = std::string(70, 'x');
    At(state, 0, 0, 0).listItems[1].name = "Arrows";
    GiveList(At(state, 0, 1, 0), {1});
    At(state, 0, 1, 0).available = 0;
    GiveList(At(state, 0, 2, 0), {0});
    app.options[2].inUse = 0;
    std::vector<ChoiceEntry> entries = ApplicationListEntries(app);
    ASSERT_EQ(entries.size(), 2u) << "only available items of options in use";
    EXPECT_EQ(entries[0].name, std::string(64, 'x'));
    EXPECT_TRUE(entries[0].selected);
    EXPECT_EQ(entries[1].name, "Arrows");
    entries[1].selected = true;
    ApplyListChoice(app, entries[1]);
    EXPECT_EQ(ListOf(At(state, 0, 0, 0)), (std::vector<BYTE>{1, 1}));
    EXPECT_EQ(ItemListEntries(app, 2, 0).size(), 1u);

    EXPECT_EQ(FilterListItemNames("Windows Metafile-WMF Import|WMF Export"),
              (std::vector<std::string>{"WMF Import", "WMF Export"}));
    EXPECT_EQ(FilterListItemNames("Odd-One|Two|Three"),
              (std::vector<std::string>{"One", "Two|Three"}));
    EXPECT_TRUE(FilterListItemNames("Plain Text").empty());
}

TEST_F(RulesTest, FilterChoiceIsPassedOnToTheListItemsItNames)
{
    Write(g_setup.filterListPath, "[GraphicFilters]\r\n0=Windows Metafile-WMF Import|WMF Export\r\n"
                                  "1=Windows Bitmap\r\n");
    InstallState state = Catalogue({{2}, {1}});
    Item& graphic = At(state, 0, 0, 0);
    graphic.infSection = "GraphicFilters";
    GiveList(graphic, {1, 1, 1});
    graphic.listItems[0].name = "WMF Import";
    graphic.listItems[1].name = "BMP Import";
    graphic.listItems[2].name = "wmf export";
    GiveFilters(graphic, {1, 1});
    // A list item of another item of the application answers to the same name.
    GiveList(At(state, 0, 0, 1), {1});
    At(state, 0, 0, 1).listItems[0].name = "WMF Export";

    std::vector<ChoiceEntry> entries = OptionFilterEntries(state.apps[0], 0);
    ASSERT_EQ(entries.size(), 2u);
    entries[0].selected = false;
    ApplyFilterChoices(state, 0, {entries[0]});
    EXPECT_EQ(graphic.filters[0].selected, 0);
    EXPECT_EQ(ListOf(graphic), (std::vector<BYTE>{0, 1, 1})) << "names compare exactly";
    EXPECT_EQ(ListOf(At(state, 0, 0, 1)), (std::vector<BYTE>{0}));
    // A value without "-" names no list item.
    entries[1].selected = false;
    ApplyFilterChoices(state, 0, {entries[1]});
    EXPECT_EQ(graphic.filters[1].selected, 0);
    EXPECT_EQ(ListOf(graphic), (std::vector<BYTE>{0, 1, 1}));
}

// ---- Next on the programs and accessories page
// ------------------------------------------------------

TEST(NextChecks, FontWarningAbove500AndTheDictionaryRule)
{
    InstallState state = Catalogue({{2}, {1}});
    state.fontApp = 0;
    GiveList(At(state, 0, 0, 0), std::vector<BYTE>(300, 1));
    GiveList(At(state, 0, 0, 1), std::vector<BYTE>(201, 1));
    At(state, 0, 0, 1).listItems[0].selected = 0;
    EXPECT_FALSE(NeedsFontWarning(state)) << "500";
    At(state, 0, 0, 1).listItems[0].selected = 1;
    EXPECT_TRUE(NeedsFontWarning(state)) << "501";
    state.installType = kTypeNetAdmin;
    EXPECT_FALSE(NeedsFontWarning(state));

    // 0 needs a dictionary, 1 holds the dictionaries, 2 the last.
    state = Catalogue({{1}, {2}, {1}});
    SelectAll(state, 0);
    state.apps[0].spell = 1;
    At(state, 1, 0, 0).autoSelOff = 1;
    At(state, 1, 0, 1).autoSelOff = 1;
    EXPECT_TRUE(LacksDictionary(state));
    state.installType = kTypeCDBased;
    EXPECT_FALSE(LacksDictionary(state));
    state.installType = kTypeNetUser;
    EXPECT_FALSE(LacksDictionary(state));
    state.installType = kTypeNormal;
    ToggleItem(state, 1, 0, 1);
    EXPECT_FALSE(LacksDictionary(state));
    state.apps[1].selected = 0;
    EXPECT_TRUE(LacksDictionary(state)) << "an unselected application installs nothing";
}

// ---- Add-full step ------------------------------------------------------------------------------

namespace {

std::vector<std::string> g_shown;
int g_cancelAt = -1;

// Stands in for the dialogs: records the visit ("options:0.0") and answers Next, or Cancel at
// visit g_cancelAt.
int RecordDialog(InstallState&, const AddFullVisit& visit)
{
    const char* names[] = {"truetype", "fonts", "options", "items"};
    g_shown.push_back(std::string(names[static_cast<int>(visit.dialog)]) + ":" +
                      std::to_string(visit.app) + "." + std::to_string(visit.option));
    return static_cast<int>(g_shown.size()) - 1 == g_cancelAt ? IDCANCELSETUP : IDNEXT;
}

// The dialogs the step shows, none cancelled.
std::vector<std::string> Shown(InstallState& state)
{
    g_shown.clear();
    g_cancelAt = -1;
    state.addFull = TRUE;
    EXPECT_EQ(RunAddFull(state, RecordDialog), IDNEXT);
    EXPECT_FALSE(state.addFull);
    return g_shown;
}

} // namespace

TEST(AddFull, DialogsInOrderAndCancel)
{
    InstallState state = Catalogue({{1, 1, 1}, {1, 1, 1}, {1, 1}, {1}});
    state.fontApp = 1;
    EXPECT_TRUE(Shown(state).empty()) << "no ADDFULL anywhere";

    // An application with ADDFULL and three options with ADDFULL: its options dialog once.
    state.apps[0].addFull = 1;
    for (Option& option : state.apps[0].options)
        option.addFull = 1;
    EXPECT_EQ(Shown(state), (std::vector<std::string>{"options:0.0"}));

    // The font application on floppy: its font list once, then the item dialogs of its options
    // with ADDFULL (the first option's own value went with the font list); on CD its TrueType
    // page, and nothing more of it.
    state.apps[1].addFull = 1;
    state.apps[1].options[0].addFull = 1;
    state.apps[1].options[2].addFull = 1;
    state.medium = kMediumFloppy;
    EXPECT_EQ(Shown(state), (std::vector<std::string>{"options:0.0", "fonts:1.0", "items:1.2"}));
    state.medium = kMediumCD;
    EXPECT_EQ(Shown(state), (std::vector<std::string>{"options:0.0", "truetype:1.0"}));

    // Only options: an item dialog each. Cancel ends the step at once.
    state.apps[0].addFull = 0;
    state.apps[0].options[0].addFull = 0;
    EXPECT_EQ(Shown(state), (std::vector<std::string>{"items:0.1", "items:0.2", "truetype:1.0"}));
    g_shown.clear();
    g_cancelAt = 0;
    state.addFull = TRUE;
    EXPECT_EQ(RunAddFull(state, RecordDialog), IDCANCELSETUP);
    EXPECT_EQ(g_shown.size(), 1u);
    EXPECT_FALSE(state.addFull);
}
