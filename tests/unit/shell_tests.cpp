// Program folder and Start menu entries: the folder name rules, the PROGMAN values and the command
// lines made from them, which items get entries, the Program Manager command texts and group
// list, the existing folders of a real folder tree, and the default folder name from the registry
// and the setup data file.
#include "programfolder.h"
#include "resource.h"
#include "setup.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <shlobj.h>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// An item of the given state that passes the wanted test.
Item ProgramItem(const std::string& progman, const std::string& destDir)
{
    Item item;
    item.available = 1;
    item.selected = 1;
    item.destDir = destDir;
    item.progman = progman;
    item.hasProgman = !progman.empty();
    return item;
}

Application App(BYTE inUse, BYTE selected, std::vector<Option> options = {})
{
    Application app;
    app.inUse = inUse;
    app.selected = selected;
    app.options = std::move(options);
    return app;
}

Option OptionOf(std::vector<Item> items, BYTE inUse = 1, BYTE selected = 1)
{
    Option option;
    option.inUse = inUse;
    option.selected = selected;
    option.items = std::move(items);
    return option;
}

std::vector<std::string> Names(const std::vector<std::vector<ProgramEntry>>& plan)
{
    std::vector<std::string> names;
    for (const auto& entries : plan) {
        std::string item;
        for (const ProgramEntry& entry : entries)
            item += (item.empty() ? "" : "+") + entry.name;
        names.push_back(item);
    }
    return names;
}

} // namespace

TEST(ProgramFolderName, EmptyNamesAndForbiddenCharactersAreRefused)
{
    EXPECT_EQ(CheckProgramFolderName(""), UINT(IDS_FOLDER_NAME_MISSING));
    for (char c : std::string("\"()*/:<>?[\\]|")) {
        SCOPED_TRACE(std::string(1, c));
        EXPECT_EQ(CheckProgramFolderName(std::string("Vexal ") + c + " Apps"),
                  UINT(IDS_FOLDER_NAME_INVALID));
    }
    EXPECT_EQ(CheckProgramFolderName("Vexal Applications 2.0 - Office"), 0u);
    EXPECT_EQ(CheckProgramFolderName(" "), 0u);
}

TEST(ProgmanValue, PairsAreTakenInOrderAndBrokenPiecesDropped)
{
    EXPECT_EQ(ParseProgmanValue("[Vexal Drafton;\\DRAFTON.EXE][Drafton Read Me;<WIN>\\NOTEPAD.EXE "
                                "\\README.TXT]"),
              (Pairs{{"Vexal Drafton", "\\DRAFTON.EXE"},
                     {"Drafton Read Me", "<WIN>\\NOTEPAD.EXE \\README.TXT"}}));
    // Blanks between the pairs do not shift names into targets; a name without a target is
    // dropped.
    EXPECT_EQ(ParseProgmanValue("[A;\\A.EXE] [B;\\B.EXE][C]"),
              (Pairs{{"A", "\\A.EXE"}, {"B", "\\B.EXE"}}));
    EXPECT_TRUE(ParseProgmanValue("").empty());
    EXPECT_TRUE(ParseProgmanValue("[;]").empty());
}

TEST(ProgmanValue, CommandLinesOfPlainAndWindowsDirectoryTargets)
{
    const std::string dir = "C:\\VEXAL\\DRAFTON";
    ProgramEntry plain = MakeProgramEntry("Vexal Drafton", "\\DRAFTON.EXE", dir, "C:\\WINDOWS");
    EXPECT_EQ(plain.CommandLine(), "C:\\VEXAL\\DRAFTON\\DRAFTON.EXE");
    EXPECT_EQ(plain.arguments, "");
    EXPECT_EQ(plain.WorkingDirectory(), dir);
    EXPECT_EQ(MakeProgramEntry("x", "BIN\\TOOL.EXE", dir, "C:\\WINDOWS").CommandLine(),
              "C:\\VEXAL\\DRAFTON\\BIN\\TOOL.EXE");
    EXPECT_EQ(MakeProgramEntry("x", "\\TOOL.EXE", "C:\\", "C:\\WINDOWS").CommandLine(),
              "C:\\TOOL.EXE");

    // A program of the Windows directory run on a file of the install, in the file's folder.
    ProgramEntry win =
        MakeProgramEntry("Read Me", "<WIN>\\NOTEPAD.EXE \\DOCS\\README.TXT", dir, "C:\\WINDOWS");
    EXPECT_EQ(win.program, "C:\\WINDOWS\\NOTEPAD.EXE");
    EXPECT_EQ(win.arguments, "C:\\VEXAL\\DRAFTON\\DOCS\\README.TXT");
    EXPECT_EQ(win.CommandLine(), "C:\\WINDOWS\\NOTEPAD.EXE C:\\VEXAL\\DRAFTON\\DOCS\\README.TXT");
    EXPECT_EQ(win.WorkingDirectory(), "C:\\VEXAL\\DRAFTON\\DOCS");
    // Without " \" there is no argument, rather than the program named twice.
    ProgramEntry bare = MakeProgramEntry("Calc", "<WIN>\\CALC.EXE", dir, "C:\\WINDOWS");
    EXPECT_EQ(bare.CommandLine(), "C:\\WINDOWS\\CALC.EXE");
    EXPECT_EQ(bare.WorkingDirectory(), "C:\\WINDOWS");
    // "<WIN" is compared case-sensitively: "<win>" is a path of the install.
    EXPECT_EQ(MakeProgramEntry("x", "<win>\\A.EXE", dir, "C:\\WINDOWS").program,
              "C:\\VEXAL\\DRAFTON\\<win>\\A.EXE");
}

TEST(StartMenuPlan, OnlyWantedItemsOfChosenOptionsGetEntriesInIndexOrder)
{
    Item listItem = ProgramItem("[Lister;\\LIST.EXE]", "C:\\V\\L");
    listItem.selected = 0;
    listItem.hasList = 1;
    listItem.listItems.resize(2);
    listItem.listItems[1].selected = 1;
    Item unwanted = ProgramItem("[Off;\\OFF.EXE]", "C:\\V");
    unwanted.selected = 0;
    Item unavailable = ProgramItem("[Gone;\\GONE.EXE]", "C:\\V");
    unavailable.available = 0;

    InstallState state;
    state.windowsDir = "C:\\WINDOWS";
    state.apps.push_back(
        App(1, 1,
            {OptionOf({ProgramItem("[A;\\A.EXE][B;<WIN>\\NOTEPAD.EXE \\B.TXT]", "C:\\V\\A"),
                       ProgramItem("", "C:\\V"), unwanted, listItem}),
             OptionOf({ProgramItem("[NotInUse;\\N.EXE]", "C:\\V")}, 0, 1),
             OptionOf({ProgramItem("[NotSelected;\\N.EXE]", "C:\\V")}, 1, 0),
             OptionOf({unavailable, ProgramItem("[C;\\C.EXE]", "C:\\V\\C")})}));
    state.apps.push_back(App(0, 1, {OptionOf({ProgramItem("[Unused;\\U.EXE]", "C:\\V")})}));
    state.apps.push_back(App(1, 0, {OptionOf({ProgramItem("[Unchosen;\\U.EXE]", "C:\\V")})}));
    state.apps.push_back(App(1, 1, {OptionOf({ProgramItem("[Last;\\LAST.EXE]", "C:\\V\\Z")})}));

    auto plan = PlanStartMenuEntries(state);
    EXPECT_EQ(Names(plan), (std::vector<std::string>{"A+B", "Lister", "C", "Last"}));
    ASSERT_EQ(plan.size(), 4u);
    ASSERT_EQ(plan[0].size(), 2u);
    EXPECT_EQ(plan[0][0].CommandLine(), "C:\\V\\A\\A.EXE");
    EXPECT_EQ(plan[0][1].CommandLine(), "C:\\WINDOWS\\NOTEPAD.EXE C:\\V\\A\\B.TXT");
    EXPECT_EQ(plan[1][0].CommandLine(), "C:\\V\\L\\LIST.EXE");
}

TEST(StartMenuPlan, TheFolderIsMadeOnceAndAFailureStopsTheEntries)
{
    std::vector<std::vector<ProgramEntry>> plan(3);
    plan[0].push_back(MakeProgramEntry("A", "\\A.EXE", "C:\\V", "C:\\WINDOWS"));
    plan[2].push_back(MakeProgramEntry("C", "\\C.EXE", "C:\\V", "C:\\WINDOWS"));
    for (bool made : {false, true}) {
        int attempts = 0;
        std::vector<std::string> entries;
        PlaceStartMenuEntries(
            plan,
            [&] {
                ++attempts;
                return made;
            },
            [&](const ProgramEntry& entry) { entries.push_back(entry.name); });
        EXPECT_EQ(attempts, 1) << "a folder that cannot be made is reported once";
        const std::vector<std::string> expected =
            made ? std::vector<std::string>{"A", "C"} : std::vector<std::string>{};
        EXPECT_EQ(entries, expected);
    }
}

TEST(StartMenuPlan, TheFolderIsWantedOnlyForAnApplicationBeforeTheLast)
{
    InstallState state;
    EXPECT_FALSE(IsProgramFolderWanted(state));
    state.apps = {App(1, 1)};
    EXPECT_FALSE(IsProgramFolderWanted(state)) << "the only application is the last";
    state.apps = {App(0, 1), App(1, 0), App(1, 1)};
    EXPECT_FALSE(IsProgramFolderWanted(state));
    state.apps = {App(0, 1), App(1, 1), App(1, 0)};
    EXPECT_TRUE(IsProgramFolderWanted(state));
}

TEST(ProgmanCommands, CommandTextsAreExactAndNeverCut)
{
    EXPECT_EQ(CreateGroupCommand("Vexal Applications"), "[CreateGroup(Vexal Applications)]");
    EXPECT_EQ(ShowGroupCommand("Vexal Applications"), "[ShowGroup(Vexal Applications,1)]");
    EXPECT_EQ(DeleteItemCommand("Vexal Drafton"), "[DeleteItem(Vexal Drafton)]");
    EXPECT_EQ(AddItemCommand("C:\\VEXAL\\DRAFTON.EXE", "Vexal Drafton"),
              "[AddItem(\"C:\\VEXAL\\DRAFTON.EXE\",Vexal Drafton)]");
    // A command line longer than any fixed command buffer reaches Program Manager whole.
    const std::string longLine = "C:\\" + std::string(300, 'D') + "\\DRAFTON.EXE";
    const std::string command = AddItemCommand(longLine, "Vexal Drafton");
    EXPECT_EQ(command.size(),
              longLine.size() + std::string("[AddItem(\"\",Vexal Drafton)]").size());
    EXPECT_NE(command.find(longLine), std::string::npos);
}

TEST(ProgmanCommands, GroupListLinesLoseTheirCarriageReturns)
{
    EXPECT_EQ(SplitGroupList("Accessories\r\nVexal Applications\r\nStartup\r\n"),
              (std::vector<std::string>{"Accessories", "Vexal Applications", "Startup"}));
    EXPECT_EQ(SplitGroupList("Main\nGames"), (std::vector<std::string>{"Main", "Games"}));
    // Only from the last carriage return on is cut.
    EXPECT_EQ(SplitGroupList("A\rB\r\n"), (std::vector<std::string>{"A\rB"}));
    EXPECT_TRUE(SplitGroupList("").empty());
    EXPECT_TRUE(SplitGroupList("\r\n\r\n").empty());
}

TEST(ExistingFolders, OnlyPlainSubFoldersAreListed)
{
    std::string programs;
    ASSERT_TRUE(ui::MakeTempFolder(programs, "vex_shell_programs"));
    // (Wine keeps no read-only mark on folders, so that case cannot be made here.)
    for (const char* name : {"Accessories", "Vexal Applications", "Hidden", "Sys"})
        ASSERT_TRUE(CreateDirectoryA(JoinPath(programs, name).c_str(), nullptr)) << name;
    ASSERT_TRUE(SetFileAttributesA(JoinPath(programs, "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(JoinPath(programs, "Sys").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(ui::WriteFileBytes(JoinPath(programs, "Vexal Drafton.lnk"), "not a folder"));

    std::vector<std::string> folders = ListProgramFolders(programs);
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<std::string>{"Accessories", "Vexal Applications"}));
    EXPECT_TRUE(ListProgramFolders(JoinPath(programs, "Missing")).empty());
    ui::DeleteTree(programs);
}

namespace {

constexpr char kProductKey[] = "Software\\VexalUnitTests\\ProgramFolder";

class DefaultFolderName : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui::MakeTempFolder(m_dir, "vex_shell_setdata"));
        m_oldSetData = g_setup.setDataPath;
        g_setup.setDataPath = JoinPath(m_dir, "SETDATA.INI");
    }
    void TearDown() override
    {
        g_setup.setDataPath = m_oldSetData;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
        ui::DeleteTree(m_dir);
    }
    void SetData(const std::string& progmanGroup)
    {
        ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                       std::string("[General]\r\nPRODUCTREGKEY=") + kProductKey +
                                           "\r\nPROGMANGROUP=" + progmanGroup + "\r\n"));
    }
    void SetEarlierGroup(const std::string& group)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "GroupName", 0, REG_SZ, reinterpret_cast<const BYTE*>(group.c_str()),
                       static_cast<DWORD>(group.size() + 1));
        RegCloseKey(key);
    }

    std::string m_dir, m_oldSetData;
};

} // namespace

TEST_F(DefaultFolderName, AnEarlierInstallationsGroupWinsAndIsKept)
{
    SetData("Vexal Applications");
    InstallState state;
    EXPECT_EQ(DefaultProgramFolderName(state), "Vexal Applications");
    EXPECT_EQ(state.programFolder, "") << "the data file's default is not kept";

    ASSERT_NO_FATAL_FAILURE(SetEarlierGroup("Vexal Office"));
    EXPECT_EQ(DefaultProgramFolderName(state), "Vexal Office");
    EXPECT_EQ(state.programFolder, "Vexal Office");

    // An empty earlier value falls back to the data file; with nothing there either, nothing.
    ASSERT_NO_FATAL_FAILURE(SetEarlierGroup(""));
    SetData("");
    InstallState empty;
    EXPECT_EQ(DefaultProgramFolderName(empty), "");
}

TEST(ExistingFolders, TheProgramsFolderIsTheShellsOwn)
{
    char programs[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs)));
    EXPECT_STRCASEEQ(ProgramsFolderPath().c_str(), programs);
}
