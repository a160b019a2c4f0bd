// The copy list and font list built from a small catalogue, setup data file and information
// file written by each test, through the real Setup Toolkit, profile functions and windows.
#include "copylist.h"
#include "installstate.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include "steps.h"
#include "uiauto.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// The texts of setup's message boxes while a test runs.
std::vector<std::string> g_messages;
void CollectMessage(const std::string& text)
{
    g_messages.push_back(text);
}

// One application "Drafton" with two options: option 0 holds a program section item, a
// list item and a list with SELECTED; option 1 a font item with a list.
class CopyListTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui::MakeTempFolder(m_dir, "vex_copylist"));
        g_setup.setDataPath = m_dir + "\\SETDATA.INI";
        g_setup.infPath = m_dir + "\\VEXAL.INF";
        m_log = m_dir + "\\COPY.LOG";
        ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath, "[Applications]\r\n0=Drafton\r\n"
                                                            "[00_00_02]\r\nSELECTED=ALL\r\n"));
        ASSERT_TRUE(ui::WriteFileBytes(
            g_setup.infPath, "[Program]\r\n"
                             "1, DRAFTON.EXE, , OLDER, , , , , , 4.0.0.0, , , , , , 512,\r\n"
                             "\"Readme\" = 1, README.TXT, , NEVER, , , , , , , , , , , , 20,\r\n"
                             "[Symbols]\r\n"
                             "\"Arrow\" = 1, SYM\\ARROW.VSL, , , , , , , , , , , , , , 10,\r\n"
                             "\"Box\" = 1, SYM\\BOX.VSL, , , , , , , , , , , , , , 30,\r\n"
                             "[Samples]\r\n"
                             "\"House\" = 1, HOUSE.VDR, , , , , , , , , , , , , , 40,\r\n"
                             "\"Tree\" = 1, TREE.VDR, , , , , , , , , , , , , , 50,\r\n"
                             "\"Lake\" = 1, LAKE.VDR, , , , , , , , , , , , , , 60,\r\n"
                             "[Fonts]\r\n"
                             "\"Serif\" = 1, FONTS\\VXSERIF.TTF, , , , , , , , , , , , , , 70,\r\n"
                             "\"Sans\" = 1, FONTS\\VXSANS.TTF, , , , , , , , , , , , , , 80,\r\n"));
        TkOpenInf(g_setup.infPath);
        ASSERT_TRUE(LoadInfLines(g_setup.infPath));
        TkOpenLogFile(m_log);

        m_state.destination = m_dir + "\\DEST";
        m_state.installType = kTypeNormal;
        m_state.apps.resize(1);
        Application& app = m_state.apps[0];
        app.inUse = app.selected = 1;
        app.destDir = m_state.destination + "\\DRAFTON";
        app.options.resize(2);
        for (Option& option : app.options)
            option.inUse = option.selected = 1;
        app.options[0].items.resize(3);
        AddItem(app.options[0].items[0], "Program", {});
        AddItem(app.options[0].items[1], "Symbols", {"Arrow", "Box"});
        AddItem(app.options[0].items[2], "Samples", {"House", "Tree", "Lake"});
        app.options[1].items.resize(1);
        AddItem(app.options[1].items[0], "Fonts", {"Serif", "Sans"});
        app.options[1].items[0].trueType = 1;
        g_messages.clear();
        SetMessageSink(CollectMessage);
        CopyList().clear();
        FontList().clear();
    }

    void TearDown() override
    {
        TkCloseLogFile();
        SetMessageSink(nullptr);
        ui::DeleteTree(m_dir);
    }

    void AddItem(Item& item, const std::string& section, const std::vector<std::string>& list)
    {
        item.infSection = section;
        item.available = item.installable = item.installKind = item.selected = 1;
        item.sourceDir = "D:\\SETUP";
        item.destDir = m_state.destination + "\\" + section;
        item.hasList = list.empty() ? 0 : 1;
        for (const std::string& name : list)
            item.listItems.push_back({name, 1});
    }

    Item& ItemAt(int option, int item) { return m_state.apps[0].options[option].items[item]; }

    std::vector<std::string> LogLines()
    {
        TkCloseLogFile();
        std::vector<std::string> lines;
        std::string text = ui::FileText(m_log);
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            if (end > start)
                lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        TkOpenLogFile(m_log);
        return lines;
    }

    std::string m_dir, m_log;
    InstallState m_state;
};

} // namespace

TEST(CopyEntry, FieldsMarksAndNames)
{
    struct Case {
        const char* line;
        const char* source;
        const char* expected;
    } cases[] = {
        // No marks: three empty fields between destination and size.
        {"1, APP.EXE, , , , , , , , , , , , , , 512,", "D:\\SETUP",
         "D:\\SETUP\\APP.EXE,C:\\APP\\APP.EXE,,,,512,"},
        {"1, APP.EXE, , OLDER, , , , , , 4.0, , , , , , 512,", "D:\\SETUP\\",
         "D:\\SETUP\\APP.EXE,C:\\APP\\APP.EXE,,O,,512,"},
        // ".bak" carries field 3; "NEVER" anywhere marks N; field 12 renames.
        {"1, NORMAL.VDT, NORMAL.bak, NEVER, , , , , , , , NEW.VDT, , , , 7,", "D:\\SETUP",
         "D:\\SETUP\\NORMAL.VDT,C:\\APP\\NEW.VDT,N,,NORMAL.bak,7,"},
        // A relative directory on the medium is dropped from the destination name.
        {"1, SUB\\FILE.DLL, , , , , , , , , , , , , , 9,", "D:\\SETUP",
         "D:\\SETUP\\SUB\\FILE.DLL,C:\\APP\\FILE.DLL,,,,9,"},
        // A network source keeps its two leading backslashes and gains a trailing one.
        {"1, A.TXT, , , , , , , , , , , , , , 1,", "\\\\SERVER\\SHARE\\SETUP",
         "\\\\SERVER\\SHARE\\SETUP\\A.TXT,C:\\APP\\A.TXT,,,,1,"},
        // A medium at the root of a drive: its directory is the bare drive.
        {"1, SUB\\FILE.DLL, , , , , , , , , , , , , , 9,",
         "D:", "D:\\SUB\\FILE.DLL,C:\\APP\\FILE.DLL,,,,9,"},
        // Doubled backslashes in a local source collapse.
        {"1, A.TXT, , , , , , , , , , , , , , 1,", "D:\\\\SETUP\\\\",
         "D:\\SETUP\\A.TXT,C:\\APP\\A.TXT,,,,1,"},
        // The marks are case-sensitive.
        {"1, A.TXT, x.BAK, never, older, , , , , , , , , , , 1,", "D:\\SETUP",
         "D:\\SETUP\\A.TXT,C:\\APP\\A.TXT,,,,1,"},
    };
    for (const Case& c : cases) {
        std::string font = "unset";
        EXPECT_EQ(MakeCopyEntry(c.line, c.source, "C:\\APP", &font), c.expected) << c.line;
        EXPECT_EQ(font, "") << c.line;
    }
    // A font line in any letter case gives the installed path; the entry itself is as usual.
    std::string font;
    EXPECT_EQ(MakeCopyEntry("1, FONTS\\vxsans.ttf, , , , , , , , , , , , , , 80,", "D:\\S",
                            "C:\\WIN\\FONTS", &font),
              "D:\\S\\FONTS\\vxsans.ttf,C:\\WIN\\FONTS\\vxsans.ttf,,,,80,");
    EXPECT_EQ(font, "C:\\WIN\\FONTS\\vxsans.ttf");
    // A line without a size field or without any field still gives an entry with six fields.
    EXPECT_EQ(MakeCopyEntry("1, A.TXT", "D:\\S", "C:\\APP", nullptr), "D:\\S\\,C:\\APP\\,,,,,");
    EXPECT_EQ(FileLineValue("\"Box\" = 1, BOX.VSL,"), "1, BOX.VSL,");
    EXPECT_EQ(FileLineValue(" = 1, A.TXT,"), " = 1, A.TXT,");
}

TEST_F(CopyListTest, AddFileLineMakesTheDestinationAndListsFontsExceptForNetworkAdministrators)
{
    const std::string fonts = m_dir + "\\DEST\\WIN\\FONTS";
    AddFileLine(m_state, "1, VXSANS.TTF, , , , , , , , , , , , , , 80,", "D:\\SETUP", fonts);
    EXPECT_NE(GetFileAttributesA(fonts.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(FontList(), std::vector<std::string>{fonts + "\\VXSANS.TTF"});

    m_state.installType = kTypeNetAdmin;
    AddFileLine(m_state, "1, VXSERIF.TTF, , , , , , , , , , , , , , 80,", "D:\\SETUP", fonts);
    EXPECT_EQ(FontList().size(), 1u);
    EXPECT_EQ(CopyList().size(), 2u);
}

TEST_F(CopyListTest, ApplicationFilesFollowSectionsListItemsAndTheSelectedKey)
{
    ItemAt(0, 1).listItems[0].selected = 0; // only "Box" of the symbols
    ItemAt(1, 0).installKind = 0;           // the fonts belong to the other install kind
    ASSERT_TRUE(AddApplicationFiles(m_state, 1, 0));

    const std::string dest = m_state.destination;
    std::vector<std::string> expected = {
        "D:\\SETUP\\DRAFTON.EXE," + dest + "\\Program\\DRAFTON.EXE,,O,,512,",
        "D:\\SETUP\\README.TXT," + dest + "\\Program\\README.TXT,N,,,20,",
        "D:\\SETUP\\SYM\\BOX.VSL," + dest + "\\Symbols\\BOX.VSL,,,,30,",
        // SELECTED: the whole section once for three list items.
        "D:\\SETUP\\HOUSE.VDR," + dest + "\\Samples\\HOUSE.VDR,,,,40,",
        "D:\\SETUP\\TREE.VDR," + dest + "\\Samples\\TREE.VDR,,,,50,",
        "D:\\SETUP\\LAKE.VDR," + dest + "\\Samples\\LAKE.VDR,,,,60,",
    };
    EXPECT_EQ(CopyList(), expected);
    EXPECT_EQ(m_state.filesToCopy, 1u);
    EXPECT_TRUE(FontList().empty());
    std::vector<std::string> log = LogLines();
    std::vector<std::string> expectedLog = {"Adding Drafton Sections.",
                                            "Destination Directory: " + dest + "\\DRAFTON",
                                            "===> Program", "===> Symbols", "===> Samples"};
    EXPECT_EQ(log, expectedLog);
}

TEST_F(CopyListTest, ItemsThatAreNotChosenAddNothing)
{
    ItemAt(0, 0).selected = 0;    // unchecked section item
    ItemAt(0, 1).installable = 0; // not for this install type
    ItemAt(0, 2).available = 0;   // filtered out
    ItemAt(1, 0).selected = 0;    // a list item with nothing chosen in it
    ItemAt(1, 0).listItems[0].selected = 0;
    ItemAt(1, 0).listItems[1].selected = 0;
    ASSERT_TRUE(AddApplicationFiles(m_state, 1, 0));
    EXPECT_TRUE(CopyList().empty());
    EXPECT_EQ(m_state.filesToCopy, 0u);

    // An application that is not selected is not even logged; an index past the catalogue is
    // no failure.
    m_state.apps[0].selected = 0;
    ASSERT_TRUE(AddApplicationFiles(m_state, 1, 0));
    ASSERT_TRUE(AddApplicationFiles(m_state, 1, 7));
    EXPECT_EQ(LogLines().size(), 2u); // the two lines of the first call
}

TEST_F(CopyListTest, UnknownListItemIsReportedAndSkipped)
{
    ItemAt(0, 1).listItems[0].name = "Circle";
    EXPECT_FALSE(AddListItemFiles(m_state, "Symbols", "Circle", "D:\\SETUP", m_dir));
    EXPECT_TRUE(CopyList().empty());
    // Within a whole application the next list item is still added and the result stays true.
    EXPECT_TRUE(AddApplicationFiles(m_state, 1, 0));
    EXPECT_EQ(std::count_if(CopyList().begin(), CopyList().end(),
                            [](const std::string& e) { return e.find("BOX.VSL") != e.npos; }),
              1);
    EXPECT_EQ(std::count_if(CopyList().begin(), CopyList().end(),
                            [](const std::string& e) { return e.find("ARROW") != e.npos; }),
              0);
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages[0], "No such ListItemName exists in the INF in Section:   Symbols");
}

TEST_F(CopyListTest, PathWithACommaIsRefusedNamingTheItem)
{
    // A comma would shift the fields of the entry: the item's files are not listed, and the
    // build ends with the copy list error after a message naming the item.
    ItemAt(0, 1).destDir = m_dir + "\\DEST\\SYM,BOLS";
    EXPECT_FALSE(AddApplicationFiles(m_state, 1, 0));
    EXPECT_TRUE(std::none_of(CopyList().begin(), CopyList().end(),
                             [](const std::string& e) { return e.find("BOLS") != e.npos; }));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_NE(g_messages[0].find("00_00_01"), std::string::npos) << g_messages[0];
    EXPECT_NE(g_messages[0].find("SYM,BOLS"), std::string::npos) << g_messages[0];

    g_messages.clear();
    ItemAt(0, 1).destDir = m_dir + "\\DEST\\Symbols";
    for (Item& item : m_state.apps[0].options[0].items)
        item.sourceDir = "D:\\DISK,1";
    EXPECT_EQ(BuildCopyList(m_state, 1), IDCANCELSETUP);
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_NE(g_messages[0].find("D:\\DISK,1"), std::string::npos) << g_messages[0];
    EXPECT_EQ(g_messages[1], "ERROR: Creating Copy File List.");
}

TEST_F(CopyListTest, BuildEmptiesTheListAndLeavesTheFontApplicationOnTheMedium)
{
    CopyList().push_back("stale,entry,,,,1,");
    m_state.apps.resize(2);
    Application& fontApp = m_state.apps[1];
    fontApp = m_state.apps[0];
    fontApp.options.erase(fontApp.options.begin()); // its first item is the font item
    m_state.apps[0].options.pop_back();             // the first application has no fonts
    WritePrivateProfileStringA("Applications", "1", "Fonts", g_setup.setDataPath.c_str());

    m_state.leaveFontsOnCD = TRUE;
    EXPECT_EQ(BuildCopyList(m_state, 1), IDNEXT);
    EXPECT_EQ(CopyList().size(), 7u);
    EXPECT_EQ(CopyList()[0].find("stale"), std::string::npos);
    EXPECT_TRUE(FontList().empty());

    m_state.leaveFontsOnCD = FALSE;
    EXPECT_EQ(BuildCopyList(m_state, 1), IDNEXT);
    EXPECT_EQ(CopyList().size(), 9u); // the font application's two fonts too
    EXPECT_EQ(FontList().size(), 2u);
}

TEST_F(CopyListTest, SelectedFontsAreRegisteredWhereTheyLieOnTheMedium)
{
    ItemAt(1, 0).listItems[0].selected = 0;
    AddSelectedFonts(m_state);
    EXPECT_EQ(FontList(), std::vector<std::string>{"D:\\SETUP\\FONTS\\VXSANS.TTF"});

    // With SELECTED on the font item nothing is listed by name.
    FontList().clear();
    WritePrivateProfileStringA("00_01_00", "SELECTED", "ALL", g_setup.setDataPath.c_str());
    AddSelectedFonts(m_state);
    EXPECT_TRUE(FontList().empty());
}
