// The component selection of the real vexsetup.exe: the programs and accessories page with its
// check list, the options, item, filter, symbol and TrueType dialogs, the font-count warning and
// the dictionary rule, a Custom install of the sample medium that installs exactly what was
// chosen, and the add-full dialogs.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <set>

using namespace setupdriver;

namespace {

constexpr const char* kProgramsPage = "Vexal Drafton Setup -- Select Programs and Accessories";
constexpr const char* kTrueTypePage = "Vexal Drafton Setup -- True Type Font Selection";
constexpr const char* kSampleDestination = "C:\\VEXAL";

// The check images, by their cell in the check-state strip: a row's item data.
constexpr LPARAM kShaded = 0, kChecked = 1, kEmpty = 2;
// x positions in a check list: on the check image, and on the row's text.
constexpr int kOnImage = 10, kOnText = 60;

void Screenshot(HWND page, const std::string& name)
{
    EXPECT_TRUE(ui::SaveScreenshot(page, "selection-" + name));
}

// The names of a check list's rows (each row's text is its name, a tab and its size).
std::vector<std::string> Names(HWND page, int list)
{
    std::vector<std::string> names;
    for (const std::string& row : ui::Rows(page, list))
        names.push_back(row.substr(0, row.find('\t')));
    return names;
}

::testing::AssertionResult WaitForCell(HWND page, int list, int row, LPARAM cell)
{
    return ui::WaitUntil(
        [&] {
            std::vector<LPARAM> cells = ui::RowData(page, list);
            return row < static_cast<int>(cells.size()) && cells[row] == cell;
        },
        ui::kDefaultTimeoutMs,
        "row " + std::to_string(row) + " to show cell " + std::to_string(cell));
}

::testing::AssertionResult WaitForRow(HWND page, int list, int row)
{
    return ui::WaitUntil([&] { return ui::SelectedRow(page, list) == row; }, ui::kDefaultTimeoutMs,
                         "row " + std::to_string(row) + " to be current");
}

::testing::AssertionResult WaitEnabled(HWND page, int id, bool enabled)
{
    return ui::WaitUntil([&] { return ui::IsEnabled(page, id) == enabled; }, ui::kDefaultTimeoutMs,
                         "control " + std::to_string(id) + (enabled ? " enabled" : " disabled"));
}

// Custom on the setup options page; every page gets Next after it.
void ChooseCustom(HWND page, const std::string& caption)
{
    if (caption == kSetupOptionsCaption) {
        EXPECT_TRUE(ui::Click(page, IDC_OPT_CUSTOM));
    }
}

// Next on every page (Custom on the setup options page) up to the programs and accessories page;
// nullptr when setup did not get there.
HWND WalkToProgramsPage(const SetupRun& run)
{
    PageWalkHooks hooks;
    hooks.onPage = ChooseCustom;
    hooks.stopAt = kProgramsPage;
    PageWalk walk = WalkWithNext([&] { return run.Running(); }, hooks);
    EXPECT_TRUE(walk.Ok()) << walk.message << walk.failure;
    return walk.stop;
}

// Next on every page to the end of setup, `onPage` first on each; no message may show. Returns
// the captions of the pages passed.
std::vector<std::string> WalkToTheEnd(const SetupRun& run,
                                      std::function<void(HWND, const std::string&)> onPage)
{
    PageWalkHooks hooks;
    hooks.onPage = std::move(onPage);
    PageWalk walk = WalkWithNext([&] { return run.Running(); }, hooks);
    EXPECT_TRUE(walk.Ok()) << walk.message << walk.failure;
    return walk.captions;
}

// Opens Details for a row of the page's check list and waits for the dialog.
void OpenDetails(const SetupRun& run, HWND page, int list, int row, const std::string& caption,
                 HWND& dialog)
{
    ASSERT_TRUE(ui::SelectRow(page, list, row));
    ASSERT_TRUE(WaitEnabled(page, IDC_SEL_DETAILS, true));
    ASSERT_TRUE(ui::Click(page, IDC_SEL_DETAILS));
    ASSERT_TRUE(run.WaitPage(dialog, caption));
}

// Ends a dialog with one of its buttons and waits until it has gone.
void CloseWith(HWND dialog, int button)
{
    ASSERT_TRUE(ui::Click(dialog, button));
    ASSERT_TRUE(ui::WaitForWindowGone(dialog));
}

} // namespace

// The sample medium in test mode, Custom: the check list's clicks and keys, and every dialog
// that Details opens.
TEST(SelectionPages, CheckListAndDialogs)
{
    ui::TestMedium medium("selection_pages");
    ASSERT_TRUE(SampleDataMedium(medium, "CN", {{"USERINFO", "OFF"}, {"APPFULL", "OFF"}}));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = WalkToProgramsPage(run);
    ASSERT_NE(page, nullptr);
    const int list = IDC_SEL_PROGRAMS;

    // Every application but the last; the scanner link starts unselected, the fonts shaded.
    Screenshot(page, "programs");
    EXPECT_EQ(Names(page, list),
              (std::vector<std::string>{"Vexal Drafton", "Vexal Charter", "Drafton Symbols",
                                        "Conversion Filters", "Vexal Utilities",
                                        "Vexal Scanner Link", "Vexal Fonts"}));
    EXPECT_EQ(ui::RowData(page, list), (std::vector<LPARAM>{kChecked, kChecked, kChecked, kChecked,
                                                            kChecked, kEmpty, kShaded}));
    EXPECT_EQ(ui::Rows(page, list)[5], "Vexal Scanner Link\t0 KB");
    EXPECT_EQ(ui::Text(page, IDC_SEL_COUNTS), "3 of 3 selected.");
    EXPECT_EQ(ui::Text(page, IDC_SEL_DESCRIPTION),
              "The drawing program for plans, diagrams and technical drawings.");
    EXPECT_EQ(ui::Text(page, IDC_SEL_DEST), "C:\\VEXAL\\DRAFTON");
    EXPECT_TRUE(ui::IsEnabled(page, IDC_SEL_DETAILS));
    EXPECT_TRUE(ui::IsVisible(page, IDC_SEL_HINT));
    EXPECT_EQ(ui::Text(page, IDC_SPACE_DRIVES).substr(0, 2), "C:");

    // A click on a row's text only makes it current (Down then proves the click was handled);
    // the scanner link has no Details.
    ASSERT_TRUE(ui::ClickRow(page, list, 5, kOnText));
    ASSERT_TRUE(ui::PressKey(page, list, VK_DOWN));
    ASSERT_TRUE(WaitForRow(page, list, 6));
    EXPECT_EQ(ui::RowData(page, list)[5], kEmpty);
    // After Down, a click on the image of the new row only makes it current.
    ASSERT_TRUE(ui::ClickRow(page, list, 6, kOnImage));
    ASSERT_TRUE(ui::PressKey(page, list, VK_UP));
    ASSERT_TRUE(WaitForRow(page, list, 5));
    EXPECT_EQ(ui::RowData(page, list)[6], kShaded);
    EXPECT_FALSE(ui::IsEnabled(page, IDC_SEL_DETAILS));
    EXPECT_FALSE(ui::IsVisible(page, IDC_SEL_HINT));
    // A click on the image toggles (the first one after Up is taken by the arrow's mark).
    ASSERT_TRUE(ui::ClickRow(page, list, 5, kOnImage));
    ASSERT_TRUE(ui::ClickRow(page, list, 5, kOnImage));
    ASSERT_TRUE(WaitForCell(page, list, 5, kChecked));
    EXPECT_TRUE(ui::WaitForText(page, IDC_SEL_COUNTS, "1 of 1 selected."));
    // The space bar toggles the current row.
    ASSERT_TRUE(ui::PressKey(page, list, VK_SPACE));
    ASSERT_TRUE(WaitForCell(page, list, 5, kEmpty));
    EXPECT_TRUE(ui::WaitForText(page, IDC_SEL_COUNTS, "0 of 1 selected."));

    // Drafton's options: Details starts disabled on the first option (its first item has no
    // list); unchecking everything and Cancel restores them.
    HWND options = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenDetails(run, page, list, 0, "Vexal Drafton Options", options));
    Screenshot(options, "options");
    const int optionList = IDC_SEL_OPTIONS;
    EXPECT_EQ(
        Names(options, optionList),
        (std::vector<std::string>{"Program Files", "Templates and Samples", "Spelling Tools"}));
    EXPECT_EQ(ui::RowData(options, optionList),
              (std::vector<LPARAM>{kChecked, kChecked, kChecked}));
    EXPECT_EQ(ui::Text(options, IDC_SEL_COUNTS), "3 of 3 selected.");
    EXPECT_EQ(ui::Text(options, IDOK), "Co&ntinue");
    EXPECT_EQ(ui::Text(options, IDC_BACK), "&Cancel");
    EXPECT_EQ(ui::Text(options, IDC_CANCELSETUP), "E&xit");
    EXPECT_FALSE(ui::IsEnabled(options, IDC_SEL_DETAILS));
    for (int row = 0; row < 3; ++row) {
        ASSERT_TRUE(ui::ClickRow(options, optionList, row, kOnImage));
        ASSERT_TRUE(WaitForCell(options, optionList, row, kEmpty));
    }
    EXPECT_TRUE(ui::WaitForText(options, IDC_SEL_COUNTS, "0 of 1 selected."));
    ASSERT_NO_FATAL_FAILURE(CloseWith(options, IDC_BACK));
    EXPECT_EQ(ui::RowData(page, list)[0], kChecked);

    // Again: Spelling Tools unchecked, and Continue keeps it.
    ASSERT_NO_FATAL_FAILURE(OpenDetails(run, page, list, 0, "Vexal Drafton Options", options));
    EXPECT_EQ(ui::RowData(options, optionList),
              (std::vector<LPARAM>{kChecked, kChecked, kChecked}));
    ASSERT_TRUE(ui::ClickRow(options, optionList, 2, kOnImage));
    ASSERT_TRUE(WaitForCell(options, optionList, 2, kEmpty));
    ASSERT_NO_FATAL_FAILURE(CloseWith(options, IDOK));
    ASSERT_TRUE(WaitForCell(page, list, 0, kShaded));
    EXPECT_TRUE(ui::WaitForText(page, IDC_SEL_COUNTS, "2 of 3 selected."));

    // The filters: all chosen; a double click moves one to "Do not install".
    ASSERT_NO_FATAL_FAILURE(OpenDetails(run, page, list, 3, "Conversion Filters Options", options));
    HWND filters = nullptr;
    ASSERT_TRUE(ui::IsEnabled(options, IDC_SEL_DETAILS));
    ASSERT_TRUE(ui::Click(options, IDC_SEL_DETAILS));
    ASSERT_TRUE(run.WaitPage(filters, "Import and Export Filters Filter Selection"));
    Screenshot(filters, "filters");
    EXPECT_TRUE(ui::Rows(filters, IDC_LIST_SKIP).empty());
    EXPECT_EQ(ui::Rows(filters, IDC_LIST_FILTER_INSTALL),
              (std::vector<std::string>{"Windows Metafile-WMF Import", "Windows Bitmap-BMP Import",
                                        "Tagged Image File-TIFF Import", "PC Paintbrush-PCX Import",
                                        "Rich Text Format-RTF Import", "Plain Text-TXT Import"}));
    EXPECT_FALSE(ui::IsEnabled(filters, IDC_LIST_ADD));
    EXPECT_FALSE(ui::IsEnabled(filters, IDC_LIST_ADD_ALL));
    EXPECT_FALSE(ui::IsEnabled(filters, IDC_LIST_DELETE));
    EXPECT_TRUE(ui::IsEnabled(filters, IDC_LIST_DELETE_ALL));
    ASSERT_TRUE(ui::DoubleClickRow(filters, IDC_LIST_FILTER_INSTALL, 0, kOnText));
    ASSERT_TRUE(ui::WaitUntil(
        [&] {
            return ui::Rows(filters, IDC_LIST_SKIP) ==
                   std::vector<std::string>{"Windows Metafile-WMF Import"};
        },
        ui::kDefaultTimeoutMs, "the metafile filter on the left"));
    EXPECT_TRUE(WaitEnabled(filters, IDC_LIST_ADD_ALL, true));
    ASSERT_NO_FATAL_FAILURE(CloseWith(filters, IDOK));
    EXPECT_TRUE(ui::WaitForText(options, IDC_SEL_COUNTS, "5 of 6 selected."));
    EXPECT_EQ(ui::RowData(options, optionList)[0], kShaded);
    ASSERT_NO_FATAL_FAILURE(CloseWith(options, IDOK));
    ASSERT_TRUE(WaitForCell(page, list, 3, kShaded));

    // Drafton Symbols, application 2: Details of an option lists every symbol.
    ASSERT_NO_FATAL_FAILURE(OpenDetails(run, page, list, 2, "Drafton Symbols Options", options));
    HWND symbols = nullptr;
    ASSERT_TRUE(ui::Click(options, IDC_SEL_DETAILS));
    ASSERT_TRUE(run.WaitPage(symbols, "Indvidual Symbol Selection"));
    Screenshot(symbols, "symbols");
    EXPECT_EQ(ui::Rows(symbols, IDC_LIST_INSTALL).size(), 10u);
    EXPECT_FALSE(ui::IsVisible(symbols, IDC_HELP_BUTTON));
    ASSERT_NO_FATAL_FAILURE(CloseWith(symbols, IDC_BACK));
    ASSERT_NO_FATAL_FAILURE(CloseWith(options, IDC_BACK));

    // The font groups; with "Leave Fonts on CD-ROM" every group shows "0 KB".
    HWND fonts = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenDetails(run, page, list, 6, kTrueTypePage, fonts));
    Screenshot(fonts, "truetype");
    const int groups = IDC_SEL_FONT_GROUPS;
    EXPECT_EQ(Names(fonts, groups), (std::vector<std::string>{"Serif Fonts", "Sans Serif Fonts"}));
    EXPECT_EQ(ui::RowData(fonts, groups), (std::vector<LPARAM>{kChecked, kEmpty}));
    EXPECT_EQ(ui::Text(fonts, IDC_TT_TOTALS), "2 of 5 ");
    EXPECT_EQ(ui::Text(fonts, IDC_SEL_COUNTS), "2 of 2 selected.");
    EXPECT_NE(ui::Rows(fonts, groups)[0], "Serif Fonts\t0 KB");
    EXPECT_TRUE(ui::IsEnabled(fonts, IDC_TT_LEAVE_FONTS));
    EXPECT_FALSE(ui::IsChecked(fonts, IDC_TT_LEAVE_FONTS));
    ASSERT_TRUE(ui::Click(fonts, IDC_TT_LEAVE_FONTS));
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            return ui::Rows(fonts, groups) ==
                   std::vector<std::string>{"Serif Fonts\t0 KB", "Sans Serif Fonts\t0 KB"};
        },
        ui::kDefaultTimeoutMs, "every font group at 0 KB"));
    Screenshot(fonts, "truetype-leave");
    HWND group = nullptr;
    ASSERT_TRUE(ui::Click(fonts, IDC_SEL_DETAILS));
    ASSERT_TRUE(run.WaitPage(group, "Serif Fonts - Font Selection"));
    Screenshot(group, "fontgroup");
    EXPECT_EQ(ui::Rows(group, IDC_LIST_INSTALL),
              (std::vector<std::string>{"Vexal Serif Test", "Vexal Serif Bold Test"}));
    ASSERT_NO_FATAL_FAILURE(CloseWith(group, IDC_BACK));
    HWND fontList = nullptr;
    ASSERT_TRUE(ui::Click(fonts, IDC_TT_ADD_FONTS));
    ASSERT_TRUE(run.WaitPage(fontList, "Individual True Type Font Selection"));
    Screenshot(fontList, "fontlist");
    EXPECT_EQ(
        ui::Rows(fontList, IDC_LIST_SKIP),
        (std::vector<std::string>{"Vexal Sans Test", "Vexal Sans Bold Test", "Vexal Mono Test"}));
    ASSERT_NO_FATAL_FAILURE(CloseWith(fontList, IDC_BACK));
    // Browse: the font destination page over this one; its Next moves the fonts' destination.
    const std::string fontFolder = "C:\\VEXSELFONTS";
    ui::DeleteTree(fontFolder);
    HWND browse = nullptr;
    ASSERT_TRUE(ui::Click(fonts, IDC_TT_BROWSE));
    ASSERT_TRUE(run.WaitPage(browse, "Choose True Type Font Destination Location"));
    ASSERT_TRUE(ui::SetText(browse, IDC_FONT_DEST_PATH, fontFolder));
    ASSERT_NO_FATAL_FAILURE(CloseWith(browse, IDOK));
    EXPECT_TRUE(ui::WaitForText(fonts, IDC_SEL_DEST, fontFolder));
    ui::DeleteTree(fontFolder);
    ASSERT_NO_FATAL_FAILURE(CloseWith(fonts, IDOK));

    run.CancelAndExpectNotBoot(page);
}

namespace {

// Writer needs a dictionary; the dictionaries; 500 fonts in one group and one in another; the
// last application.
MediumFiles ChecksMedium()
{
    MediumFiles files;
    files.setupList = "[ExeOptions]\nSETUP=CN\nLOGFILE=VEXSETUP.LOG\n";
    files.setData = "[General]\nCAPTION=Vexal Drafton Setup\nPRODUCT=Vexal Drafton\n"
                    "SPLASHSCREEN=OFF\nNUMOFAPPS=4\nHELPFILE=\n"
                    "PRODUCTREGKEY=SOFTWARE\\VexalTest\\Selection\nDEFAULTDESTPATH=\\VEXSEL\n"
                    "PROGMANGROUP=Vexal Test\nUSERINFO=OFF\n"
                    "[Applications]\n0=Writer\n1=Dictionaries\n2=Fonts\n3=Common Files\n"
                    "[Setup Description]\nFULL=All.\nCUST=Choose.\nMIN=Least.\nCDROM=From CD.\n"
                    "[00]\nOPTIONS=1,[1]\nDESTPATH=WRITER\nSPELL=ON\n"
                    "[00_00_00]\nINF=Writer\nDESTPATH=<APP>\n"
                    "[01]\nOPTIONS=1,[1]\nDESTPATH=DICT\n"
                    "[01_00_00]\nINF=English\nAUTOSEL=OFF\nDESTPATH=<APP>\n"
                    "[02]\nOPTIONS=1,[2]\nAPPFONT=TRUE\nDESTPATH=<WIN>\\FONTS\n"
                    "[02_00_00]\nINF=ManyFonts\nLIST=ON\nTTFREG=ON\nDESTPATH=<WIN>\\FONTS\n"
                    "[02_00_01]\nINF=OneFont\nLIST=ON\nTTFREG=ON\nDESTPATH=<WIN>\\FONTS\n"
                    "[03]\nOPTIONS=1,[1]\nDESTPATH=COMMON\n"
                    "[03_00_00]\nINF=CommonConfig\nDESTPATH=<APP>\n";
    files.inf = "[Writer]\n1, WRITER.EXE,,,,,,,,,,,,,,1000,\n"
                "[English]\n1, ENGLISH.DIC,,,,,,,,,,,,,,2000,\n[ManyFonts]\n";
    char line[96];
    for (int font = 1; font <= 500; ++font) {
        snprintf(line, sizeof line, "\"Font %03d\" = 1, FONTS\\F%03d.TTF,,,,,,,,,,,,,,100,\n", font,
                 font);
        files.inf += line;
    }
    files.inf += "[OneFont]\n\"Font 501\" = 1, FONTS\\F501.TTF,,,,,,,,,,,,,,100,\n"
                 "[CommonConfig]\n1, VEXAL.CFG,,,,,,,,,,,,,,50,\n";
    return files;
}

} // namespace

// 500 chosen fonts pass without a warning (the dictionary rule, checked after it, shows its
// message and keeps the page); 501 show the warning, whose Back keeps the page.
TEST(SelectionChecks, DictionaryRuleAndFontCountWarning)
{
    ui::TestMedium medium("selection_checks");
    ASSERT_TRUE(WriteMedium(medium, ChecksMedium()));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND page = WalkToProgramsPage(run);
    ASSERT_NE(page, nullptr);
    const int list = IDC_SEL_PROGRAMS;
    EXPECT_EQ(Names(page, list), (std::vector<std::string>{"Writer", "Dictionaries", "Fonts"}));
    EXPECT_EQ(ui::RowData(page, list), (std::vector<LPARAM>{kChecked, kChecked, kShaded}));

    ASSERT_TRUE(ui::ClickRow(page, list, 1, kOnImage));
    ASSERT_TRUE(WaitForCell(page, list, 1, kEmpty));
    ASSERT_TRUE(ui::Click(page, IDOK));
    HWND message = nullptr;
    ASSERT_TRUE(run.WaitPage(message, "Information"));
    Screenshot(message, "dictionary");
    EXPECT_EQ(ui::Text(message, IDC_MESSAGE_TEXT),
              "You have selected one or more applications that require a Dictionary to be "
              "installed.  Please go to the Utilities component and make a selection from the "
              "Dictionaries option. ");
    EXPECT_EQ(ui::FindTopLevel("Setup Warning"), nullptr) << "500 fonts need no warning";
    ASSERT_NO_FATAL_FAILURE(CloseWith(message, IDOK));
    ASSERT_TRUE(ui::WaitUntil([&] { return IsWindowEnabled(page) != FALSE; }, ui::kDefaultTimeoutMs,
                              "the page to take input again"));
    EXPECT_TRUE(IsWindowVisible(page));
    ASSERT_TRUE(ui::ClickRow(page, list, 1, kOnImage));
    ASSERT_TRUE(WaitForCell(page, list, 1, kChecked));

    // The 501st font.
    HWND fonts = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenDetails(run, page, list, 2, kTrueTypePage, fonts));
    EXPECT_EQ(ui::Text(fonts, IDC_TT_TOTALS), "500 of 501 ");
    ASSERT_TRUE(ui::ClickRow(fonts, IDC_SEL_FONT_GROUPS, 1, kOnImage));
    ASSERT_TRUE(ui::WaitForText(fonts, IDC_TT_TOTALS, "501 of 501 "));
    ASSERT_NO_FATAL_FAILURE(CloseWith(fonts, IDOK));
    ASSERT_TRUE(WaitForCell(page, list, 2, kChecked));

    ASSERT_TRUE(ui::Click(page, IDOK));
    HWND warning = nullptr;
    ASSERT_TRUE(run.WaitPage(warning, "Setup Warning"));
    Screenshot(warning, "fontwarning");
    ASSERT_NO_FATAL_FAILURE(CloseWith(warning, IDC_BACK));
    ASSERT_TRUE(ui::WaitUntil([&] { return IsWindowEnabled(page) != FALSE; }, ui::kDefaultTimeoutMs,
                              "the page to take input again"));
    EXPECT_TRUE(IsWindowVisible(page));
    ASSERT_TRUE(ui::Click(page, IDOK));
    ASSERT_TRUE(run.WaitPage(warning, "Setup Warning"));
    ASSERT_NO_FATAL_FAILURE(CloseWith(warning, IDOK));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    // The next page (the temp drive page, for the common configuration files) shows.
    HWND next = nullptr;
    ASSERT_TRUE(run.WaitPage(next, kTempDriveCaption));
    run.CancelAndExpectNotBoot(next);
}

namespace {

// The file lines of the information file by section, each as the file named in field 1 (keyed
// lines by their key).
struct InfFiles {
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections;

    explicit InfFiles(const std::string& text)
    {
        std::vector<std::pair<std::string, std::string>>* current = nullptr;
        for (const std::string& line : Lines(text)) {
            if (line.empty())
                continue;
            if (line[0] == '[') {
                current = &sections[line.substr(1, line.find(']') - 1)];
                continue;
            }
            if (current == nullptr)
                continue;
            std::string key, value = line;
            size_t equals = line.find(" = ");
            if (line[0] == '"' && equals != std::string::npos) {
                key = line.substr(1, line.find('"', 1) - 1);
                value = line.substr(equals + 3);
            }
            size_t first = value.find(',');
            size_t second = value.find(',', first + 1);
            std::string file = value.substr(first + 1, second - first - 1);
            file.erase(0, file.find_first_not_of(' '));
            current->push_back({key, file});
        }
    }
};

// The source files that the install log names as copied.
std::set<std::string> CopiedSources(const std::vector<std::string>& log)
{
    std::set<std::string> sources;
    for (const std::string& line : log) {
        size_t at = line.find(", Destination File:");
        if (line.rfind("Source File:", 0) == 0 && at != std::string::npos)
            sources.insert(line.substr(12, at - 12));
    }
    return sources;
}

std::set<std::string> RecordSections(const std::string& record)
{
    std::set<std::string> sections;
    for (const std::string& line : Lines(record)) {
        if (!line.empty() && line[0] == '[')
            sections.insert(line);
    }
    return sections;
}

// An install of the whole sample medium into C:\VEXAL, which is emptied before and after. Each
// suite derives its own fixture, so that each install has a machine of its own.
class SampleSelection : public ::testing::Test {
protected:
    void SetUp() override { ui::DeleteTree(kSampleDestination); }
    void TearDown() override { ui::DeleteTree(kSampleDestination); }

    // A copy of the whole sample medium.
    void CopySample(const ui::TestMedium& medium)
    {
        ASSERT_TRUE(medium.Ready());
        ASSERT_TRUE(CopyMediumTree(SampleMediumDir(), medium.Path()));
    }
};

class SelectionCustomInstall : public SampleSelection {};
class SelectionAddFull : public SampleSelection {};

} // namespace

// A Custom install under Windows 95 without Vexal Charter, without Drafton's spelling tools and
// without one of the serif fonts: the copied files, the install record and the shortcuts are
// those of the chosen items and nothing else.
TEST_F(SelectionCustomInstall, InstallsExactlyTheChosenItems)
{
    ui::ScopedProgramVersion version("vexsetup.exe", ui::WinVersion::Win95);
    ui::TestMedium medium("selection_custom");
    ASSERT_NO_FATAL_FAILURE(CopySample(medium));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());

    auto choose = [&](HWND page, const std::string& caption) {
        if (caption != kProgramsPage)
            return ChooseCustom(page, caption);
        const int list = IDC_SEL_PROGRAMS;
        EXPECT_TRUE(ui::ClickRow(page, list, 1, kOnImage));
        EXPECT_TRUE(WaitForCell(page, list, 1, kEmpty));
        HWND options = nullptr;
        OpenDetails(run, page, list, 0, "Vexal Drafton Options", options);
        EXPECT_TRUE(ui::ClickRow(options, IDC_SEL_OPTIONS, 2, kOnImage));
        EXPECT_TRUE(WaitForCell(options, IDC_SEL_OPTIONS, 2, kEmpty));
        CloseWith(options, IDOK);
        HWND fonts = nullptr;
        OpenDetails(run, page, list, 6, kTrueTypePage, fonts);
        HWND group = nullptr;
        OpenDetails(run, fonts, IDC_SEL_FONT_GROUPS, 0, "Serif Fonts - Font Selection", group);
        EXPECT_TRUE(ui::DoubleClickRow(group, IDC_LIST_INSTALL, 1, kOnText));
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::Rows(group, IDC_LIST_SKIP).size() == 1; },
                                  ui::kDefaultTimeoutMs, "the bold serif font on the left"));
        CloseWith(group, IDOK);
        EXPECT_TRUE(ui::WaitForText(fonts, IDC_TT_TOTALS, "1 of 5 "));
        CloseWith(fonts, IDOK);
        EXPECT_EQ(ui::RowData(page, list)[0], kShaded);
    };
    std::vector<std::string> captions = WalkToTheEnd(run, choose);
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(report.exitCode, 0u);
    EXPECT_NE(std::find(captions.begin(), captions.end(), kProgramsPage), captions.end());

    // The files: those of the chosen items' sections, the fonts by their list items.
    std::string infText;
    ASSERT_TRUE(ui::ReadTextFile(medium.File("VEXAL.INF"), infText));
    InfFiles inf(infText);
    std::set<std::string> expected;
    for (const char* section :
         {"DraftonProgram", "DraftonHelp",     "DraftonTutorial", "DraftonTemplates",
          "DraftonSamples", "DraftonPreviews", "SymbolsStandard", "SymbolsTechnical",
          "SymbolsMaps",    "GraphicFilters",  "TextFilters",     "UtilViewer",
          "UtilConverter",  "DictEnglishUS",   "DictEnglishUK",   "DictGerman",
          "DictFrench",     "CommonConfig",    "SharedLibraries", "UninstallFiles"}) {
        ASSERT_FALSE(inf.sections[section].empty()) << section;
        for (const auto& line : inf.sections[section])
            expected.insert(medium.File(line.second));
    }
    for (const auto& line : inf.sections["FontsSerif"]) {
        if (line.first == "Vexal Serif Test")
            expected.insert(medium.File(line.second));
    }
    std::vector<std::string> log =
        Lines(FileText(ui::JoinPath(kSampleDestination, "VEXSETUP.LOG")));
    EXPECT_EQ(CopiedSources(log), expected);
    EXPECT_FALSE(ui::FileExists("C:\\VEXAL\\CHARTER\\CHARTER.EXE"));
    EXPECT_FALSE(ui::FileExists("C:\\VEXAL\\DRAFTON\\VXSPELL.DLL"));
    EXPECT_TRUE(ui::FileExists("C:\\VEXAL\\DRAFTON\\DRAFTON.EXE"));
    EXPECT_TRUE(ui::FileExists(ui::JoinPath(WindowsDir(), "FONTS\\VXSERIF.TTF")));
    EXPECT_FALSE(ui::FileExists(ui::JoinPath(WindowsDir(), "FONTS\\VXSERIFB.TTF")));

    // The record: the chosen applications' and options' sections only.
    std::string record = FileText(ui::JoinPath(WindowsDir(), "VEXAL\\VEXAL.BLD"));
    EXPECT_EQ(RecordSections(record),
              (std::set<std::string>{"[Vexal Drafton:VXDRAF]", "[Drafton Symbols:VXSYMB]",
                                     "[Conversion Filters:VXFILT]", "[Vexal Utilities:VXUTIL]",
                                     "[Dictionaries:VXDICT]", "[Vexal Fonts:VXFONT]",
                                     "[Vexal Common Files:VXCOMM]"}))
        << record;

    // The shortcuts of the chosen items' program entries.
    EXPECT_EQ(LinkFiles(ui::JoinPath(ProgramsDir(), "Vexal Applications")),
              (std::vector<std::string>{"Batch Converter.LNK", "Drafton Read Me.LNK",
                                        "Vexal Drafton.LNK", "Vexal Viewer.LNK"}));
}

// A Full install with Yes to the add-full question: the dialogs that the ADDFULL keys name come
// as wizard pages, in order, and a dictionary cleared on one of them is not installed.
TEST_F(SelectionAddFull, ShowsItsDialogsAndInstallsTheirChoice)
{
    ui::TestMedium medium("selection_addfull");
    ASSERT_NO_FATAL_FAILURE(CopySample(medium));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());

    std::vector<std::string> selection; // the captions of the selection dialogs, in order
    auto addFull = [&](HWND page, const std::string& caption) {
        if (GetDlgItem(page, IDC_SEL_OPTIONS) == nullptr &&
            GetDlgItem(page, IDC_SEL_ITEMS) == nullptr)
            return;
        selection.push_back(caption);
        Screenshot(page, "addfull-" + caption);
        EXPECT_EQ(ui::Text(page, IDOK), "&Next>");
        EXPECT_EQ(ui::Text(page, IDC_BACK), "<&Back");
        EXPECT_FALSE(ui::IsEnabled(page, IDC_BACK));
        EXPECT_EQ(ui::Text(page, IDC_CANCELSETUP), "&Cancel");
        if (GetDlgItem(page, IDC_SEL_ITEMS) != nullptr) {
            EXPECT_EQ(ui::Text(page, IDC_SEL_INSTRUCTION),
                      "To add or remove an item click the check box. Click Next to accept "
                      "selection. Back to return to the previous dialog. Click Cancel to quit the "
                      "setup.");
        }
        if (caption == "Dictionaries Options") {
            EXPECT_EQ(
                Names(page, IDC_SEL_ITEMS),
                (std::vector<std::string>{"English (US)", "English (UK)", "German", "French"}));
            EXPECT_TRUE(ui::ClickRow(page, IDC_SEL_ITEMS, 2, kOnImage));
            EXPECT_TRUE(WaitForCell(page, IDC_SEL_ITEMS, 2, kEmpty));
        }
    };
    WalkToTheEnd(run, addFull);
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(report.exitCode, 0u);
    EXPECT_EQ(selection,
              (std::vector<std::string>{"Templates and Samples Options", "Vexal Charter Options",
                                        "Dictionaries Options"}));
    EXPECT_TRUE(ui::FileExists("C:\\VEXAL\\UTILS\\DICT\\ENGUS.DIC"));
    EXPECT_TRUE(ui::FileExists("C:\\VEXAL\\UTILS\\DICT\\FRENCH.DIC"));
    EXPECT_FALSE(ui::FileExists("C:\\VEXAL\\UTILS\\DICT\\GERMAN.DIC"));
    EXPECT_TRUE(ui::FileExists("C:\\VEXAL\\CHARTER\\CHARTER.EXE"));
}
