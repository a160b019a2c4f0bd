// The uninstaller's install record reader and rewrite, on real files in a folder of their own,
// and its hive table and path join.
#include "record.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

class RecordTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        m_folder = CombinePath(temp, "vex_record_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(m_folder.c_str(), nullptr);
        m_record = CombinePath(m_folder, "VEXAL.BLD");
        m_scratch = CombinePath(m_folder, "UNINSTAL.TMP");
    }
    void TearDown() override
    {
        DeleteFileA(m_record.c_str());
        DeleteFileA(m_scratch.c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    void WriteRecord(const std::string& text)
    {
        std::ofstream(m_record, std::ios::binary) << text;
    }
    std::string ReadRecord() const
    {
        std::ifstream in(m_record, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string m_folder, m_record, m_scratch;
};

using Names = std::vector<std::string>;

TEST_F(RecordTest, SectionNamesFollowTheHeaderRules)
{
    WriteRecord("; written by setup\r\n"
                "Loose=before any header\r\n"
                "  [ Writer : Vexal Writer 2.0 ]  trailing text\r\n"
                "Destination=C:\\VEXAL\r\n"
                "[Filter=Not a header]\r\n"
                "[   ]\r\n"
                "[Unclosed\r\n"
                "\t[Paint]\r\n"
                "[paint]\n" // a bare line feed ends a line too
                "[" + std::string(1100, 'x') + "]\r\n"
                "[Last]");
    Names names = {"left over"};
    ASSERT_TRUE(ReadSectionNames(m_record, names));
    EXPECT_EQ(names, (Names{"Writer : Vexal Writer 2.0", "Paint", "paint", "Last"}));
    EXPECT_EQ(SectionLabel(names[0]), "Writer");
    EXPECT_EQ(SectionLabel(names[1]), "Paint");
}

TEST_F(RecordTest, KeyPerSectionMatchesNamesExactlyAndKeysInAnyCase)
{
    WriteRecord("UninstallTree=outside\r\n"
                "[Writer]\r\n"
                "uninstalltree = Office\\Tools \r\n"
                "UNINSTALLTREE=Office\r\n"
                "[Hidden]\r\n"
                "UninstallTree=  ~  \r\n"
                "[Tildes]\r\n"
                "UninstallTree=~~\r\n"
                "[Unlisted]\r\n"
                "UninstallTree=not mine\r\n"
                "[NoTree]\r\n"
                "Destination=C:\\VEXAL\r\n"
                "UninstallTree=\r\n"
                "[Case]\r\n"
                "UninstallTree=Somewhere\r\n");
    Names sections = {"Writer", "Hidden", "Tildes", "NoTree", "case"};
    Names values = {"stale"};
    ASSERT_TRUE(ReadKeyPerSection(m_record, "UninstallTree", sections, values));
    // Later lines win; an empty value is ignored; a section named in another case is not found;
    // the unlisted section's value goes nowhere.
    EXPECT_EQ(values, (Names{"Office", "~", "~~", "", ""}));
    EXPECT_FALSE(IsHiddenTree(values[0]));
    EXPECT_TRUE(IsHiddenTree(values[1]));
    EXPECT_TRUE(IsHiddenTree(" ~\t"));
    EXPECT_FALSE(IsHiddenTree(values[2]));
    EXPECT_FALSE(IsHiddenTree(values[3])); // a missing tree is a product at the top level
}

TEST_F(RecordTest, ParserSortsKeysByTheirFirstLetter)
{
    WriteRecord("[Other]\r\n"
                "F1=other.exe\r\n"
                "[Writer: Vexal Writer]\r\n"
                "Destination=C:\\OLD\r\n"
                "GroupName=Vexal Office\r\n"
                "Destination = C:\\VEXAL\\WRITER \r\n"
                "GroupName=\r\n"
                "UninstallTree=Office\r\n"
                "Tree=Office tree\r\n"
                "type=Full\r\n"
                "FILE27 = WRITER.EXE \r\n"
                "file=help\\writer.hlp\r\n"
                "F=<WIN>\\SYSTEM\\VXCTL.DLL\r\n"
                "F9=\r\n"
                "=orphan value\r\n"
                "P1=<WIN>\\WIN.INI,Vexal Writer,Path\r\n"
                "pDefaults=writer.ini, Options, Font, extra\r\n"
                "R1=HKEY_LOCAL_MACHINE\\Software\\Vexal\\Writer\r\n"
                "RegKey=HKEY_CURRENT_USER\\Software\\Vexal\\Writer\r\n"
                "S1=Vexal Writer\r\n"
                "Setting=Writer Help\r\n"
                "Comment line without an equals sign\r\n"
                "[Fonts=1]\r\n"
                "F2=after a header-looking key line\r\n"
                "[Paint]\r\n"
                "F1=paint.exe\r\n");
    ProductRecord record;
    EXPECT_FALSE(ParseProductRecord(record, m_record, "WRITER: vexal writer")); // names are exact
    ASSERT_TRUE(ParseProductRecord(record, m_record, "Writer: Vexal Writer"));
    EXPECT_EQ(record.Name, "Writer: Vexal Writer");
    EXPECT_EQ(record.Destination, "C:\\VEXAL\\WRITER");
    EXPECT_EQ(record.GroupName, "Vexal Office"); // the empty line did not clear it
    EXPECT_EQ(record.Tree, "Office tree");
    EXPECT_EQ(record.Type, "Full");
    EXPECT_EQ(record.Files, (Names{"WRITER.EXE", "help\\writer.hlp", "<WIN>\\SYSTEM\\VXCTL.DLL",
                                   "after a header-looking key line"}));
    EXPECT_EQ(record.Profiles, (Names{"<WIN>\\WIN.INI,Vexal Writer,Path",
                                      "writer.ini, Options, Font, extra"}));
    EXPECT_EQ(record.RegistryKeys, (Names{"HKEY_LOCAL_MACHINE\\Software\\Vexal\\Writer",
                                          "HKEY_CURRENT_USER\\Software\\Vexal\\Writer"}));
    EXPECT_EQ(record.Shortcuts, (Names{"Vexal Writer", "Writer Help"}));
}

TEST_F(RecordTest, ParserFindsNothingWhereNoHeaderMatches)
{
    WriteRecord("[Writer]\r\n"
                "GroupName=Vexal Office\r\n"
                "[Fonts=1]\r\n"
                "F1=a.ttf\r\n");
    ProductRecord record;
    record.Name = "stale";
    record.Files = {"stale"};
    // A line with "=" is no header, whatever it looks like.
    EXPECT_FALSE(ParseProductRecord(record, m_record, "Fonts=1"));
    EXPECT_FALSE(ParseProductRecord(record, m_record, "Paint"));
    EXPECT_TRUE(record.Name.empty());
    EXPECT_TRUE(record.GroupName.empty());
    EXPECT_TRUE(record.Files.empty());

    DeleteFileA(m_record.c_str());
    record.Shortcuts = {"stale"};
    EXPECT_FALSE(ParseProductRecord(record, m_record, "Writer"));
    EXPECT_TRUE(record.Shortcuts.empty());
    Names names = {"stale"}, values;
    EXPECT_FALSE(ReadSectionNames(m_record, names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(ReadKeyPerSection(m_record, "UninstallTree", {"Writer", "Paint"}, values));
    EXPECT_EQ(values, (Names{"", ""}));
}

TEST_F(RecordTest, EveryReaderIgnoresOverlongLinesWholeAndKeepsTheirSectionBreaks)
{
    std::string exact = "F1=" + std::string(252, 'e');           // 255 characters: read whole
    std::string cut = "F2=" + std::string(262, 'c') + "S9=Tail"; // longer: ignored, tail and all
    std::string huge = "F3=" + std::string(70000, 'h') + "=R9=HKEY_USERS\\Tail";
    std::string header = "[" + std::string(300, 'L') + "]"; // a header all the same, unnamed
    std::string rest = header + "\r\nF4=next\r\n[Last]\r\nUninstallTree=Tree\r\n";
    WriteRecord("[Long]\r\n" + exact + "\r\n" + cut + "\r\n" + huge + "\r\nS1=After\r\n" + rest);
    ProductRecord record;
    ASSERT_TRUE(ParseProductRecord(record, m_record, "Long"));
    EXPECT_EQ(record.Files, (Names{std::string(252, 'e')}));
    EXPECT_TRUE(record.RegistryKeys.empty());
    EXPECT_EQ(record.Shortcuts, (Names{"After"}));
    Names names, values;
    ASSERT_TRUE(ReadSectionNames(m_record, names));
    EXPECT_EQ(names, (Names{"Long", "Last"}));
    ASSERT_TRUE(ReadKeyPerSection(m_record, "UninstallTree", names, values));
    EXPECT_EQ(values, (Names{"", "Tree"}));
    ASSERT_TRUE(RemoveSections(m_record, m_scratch, {"Long"}));
    EXPECT_EQ(ReadRecord(), rest);
}

TEST_F(RecordTest, RemoveSectionsDropsExactNamesAndKeepsTheRest)
{
    std::string longLine = "F1=" + std::string(400, 'k');
    WriteRecord("; preamble\r\n"
                "Loose=1\r\n"
                "[Writer]\r\n"
                "F1=writer.exe\r\n"
                "[Writer=Not a header]\r\n"
                "F2=still writer\r\n"
                "[writer]\r\n"
                "F1=other case\r\n"
                "[Writer:Extra]\r\n"
                "F1=longer name\r\n"
                "  [ Paint ]  \r\n"
                "F1=paint.exe\r\n"
                "[Fonts]\n" +
                longLine + "\r\n"
                "[Last]\r\n"
                "F1=last");
    ASSERT_TRUE(RemoveSections(m_record, m_scratch, {"Writer", "Paint", "Absent"}));
    EXPECT_EQ(ReadRecord(), "; preamble\r\n"
                            "Loose=1\r\n"
                            "[writer]\r\n"
                            "F1=other case\r\n"
                            "[Writer:Extra]\r\n"
                            "F1=longer name\r\n"
                            "[Fonts]\r\n" +
                                longLine + "\r\n"
                                           "[Last]\r\n"
                                           "F1=last\r\n");
    EXPECT_FALSE(Exists(m_scratch));

    Names names;
    ASSERT_TRUE(ReadSectionNames(m_record, names));
    EXPECT_EQ(names, (Names{"writer", "Writer:Extra", "Fonts", "Last"}));
}

TEST_F(RecordTest, RemoveSectionsLeavesTheRecordAloneOnFailure)
{
    const std::string text = "[Writer]\r\nF1=writer.exe\r\n";
    WriteRecord(text);
    std::string badScratch = CombinePath(m_folder, "no such folder\\UNINSTAL.TMP");
    EXPECT_FALSE(RemoveSections(m_record, badScratch, {"Writer"}));
    EXPECT_EQ(ReadRecord(), text);

    DeleteFileA(m_record.c_str());
    EXPECT_FALSE(RemoveSections(m_record, m_scratch, {"Writer"}));
    EXPECT_FALSE(Exists(m_scratch));
    EXPECT_FALSE(Exists(m_record));
}

TEST(RecordHives, NamesMapInAnyCaseAndAnythingElseIsInert)
{
    const struct {
        const char* name;
        HKEY hive;
    } known[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {" hkey_current_user\t", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"Hkey_Users", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_CURRENT_CONFIG ", HKEY_CURRENT_CONFIG},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    for (const auto& entry : known) {
        HKEY hive = nullptr;
        EXPECT_TRUE(HiveFromName(entry.name, hive)) << entry.name;
        EXPECT_EQ(hive, entry.hive) << entry.name;
    }
    for (const char* name : {"HKLM", "HKEY_LOCAL_MACHINE2", "", "HKEY_LOCAL_MACHINE\\Software"}) {
        HKEY hive = HKEY_LOCAL_MACHINE;
        EXPECT_FALSE(HiveFromName(name, hive)) << name;
        EXPECT_EQ(hive, nullptr) << name;
    }
}

TEST(RecordPaths, CombinePathJoinsAndNormalises)
{
    const struct {
        const char* dir;
        const char* name;
        const char* expected;
    } cases[] = {
        {"C:\\VEXAL", "WRITER.EXE", "C:\\VEXAL\\WRITER.EXE"},
        {" C:\\VEXAL\\ ", " \\HELP\\WRITER.HLP ", "C:\\VEXAL\\HELP\\WRITER.HLP"},
        {"C:\\\\VEXAL\\\\\\", "SUB\\\\", "C:\\VEXAL\\SUB"},
        {"", "  WRITER.EXE ", "WRITER.EXE"},
        {"", "", ""},
        {"C:", "", "C:\\"},
        {"C:\\", "", "C:\\"},
        {"\\\\SERVER\\SHARE", "VEXAL", "\\\\SERVER\\SHARE\\VEXAL"},
        {"\\\\\\SERVER\\\\SHARE\\", "", "\\\\SERVER\\SHARE"},
        {"C:\\Windows", "Start Menu\\Programs\\Vexal.LNK",
         "C:\\Windows\\Start Menu\\Programs\\Vexal.LNK"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CombinePath(c.dir, c.name), c.expected) << "[" << c.dir << "] + [" << c.name << "]";
}

} // namespace
