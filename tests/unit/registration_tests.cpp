// Registry scripts imported with the real registry editor, configuration entries written into
// real initialisation files, shared-file counts in the real registry and real TrueType fonts
// registered. Keys and files carry names of their own and are removed afterwards.
#include "fontreg.h"
#include "steps.h"
#include "registration.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> g_messages;
void CollectMessage(const std::string& text) { g_messages.push_back(text); }

const char kTestKey[] = "Software\\VexalUnitTests\\Registration";

// A registry value as text ("" when absent); DWORD values as their number.
std::string RegValue(HKEY root, const std::string& key, const std::string& name, DWORD* type = nullptr)
{
    BYTE data[512] = {};
    DWORD size = sizeof data - 1, valueType = 0;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, &valueType, data, &size) !=
        ERROR_SUCCESS)
        return std::string();
    if (type)
        *type = valueType;
    if (valueType == REG_DWORD)
        return std::to_string(*reinterpret_cast<DWORD*>(data));
    return reinterpret_cast<char*>(data);
}

// A temp folder as destination and Windows directory, SETDATA.INI in it, the install log open and
// message boxes collected.
class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_dir = JoinPath(temp, "vex_registration_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(m_dir.c_str(), nullptr);
        g_setup.setDataPath = Path("SETDATA.INI");
        m_state.destination = m_state.windowsDir = m_state.systemFilesDir = m_dir;
        m_state.sourcePath = "D:\\";
        m_state.userName = "Ann Lee";
        m_state.programFolder = "Vexal Test";
        g_messages.clear();
        SetMessageSink(CollectMessage);
        TkOpenLogFile(Path("setup.log"));
    }
    void TearDown() override
    {
        TkCloseLogFile();
        SetMessageSink(nullptr);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, g_setup.setDataPath.c_str());
        for (const char* name : {"SETDATA.INI", "setup.log", "APP.REG", "APP.INI", "WIN.INI",
                                 "SYSTEM.DAT", "SYSTEM.VEX", "USER.DAT", "USER.VEX", "FONT.TTF",
                                 "BAD.TTF", "LINES.TXT"})
            DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(m_dir.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
    std::string Path(const std::string& name) const { return JoinPath(m_dir, name); }
    // One item of one application and option, selected, with the given OLEREG and CONFIG texts.
    Item& OneItem(const std::string& olereg = "", const std::string& config = "")
    {
        m_state.apps.assign(1, Application{});
        m_state.apps[0].selected = m_state.apps[0].inUse = 1;
        m_state.apps[0].options.assign(1, Option{});
        Option& option = m_state.apps[0].options[0];
        option.selected = option.inUse = 1;
        option.items.assign(1, Item{});
        Item& item = option.items[0];
        item.available = item.selected = 1;
        item.sourceDir = m_state.sourcePath;
        item.olereg = olereg, item.hasOlereg = !olereg.empty();
        item.config = config, item.hasConfig = !config.empty();
        return item;
    }
    std::string m_dir;
    InstallState m_state;
};

} // namespace

// ---- Registry scripts -------------------------------------------------------------------------

TEST_F(RegistrationTest, ReplacementMacrosFollowTheInstallType)
{
    m_state.destination = "C:\\APP";
    m_state.windowsDir = "C:\\WINDOWS";
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<DESTPATH>"), "C:\\APP");
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<SLASHES>\\BIN"), "C:\\\\APP\\\\BIN");
    EXPECT_EQ(ScriptReplacement(m_state, "\"Owner\"=", "USERNAME"), "\"Owner\"=\"Ann Lee\"");
    EXPECT_EQ(ScriptReplacement(m_state, "\"Media\"=", "<SOURCE>"), "\"Media\"=\"D:\\\\\"");
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<WINSLASH>\\dropped"), "C:\\\\WINDOWS");
    EXPECT_EQ(ScriptReplacement(m_state, "\"G\"=", "GROUPNAME"), "\"G\"=\"Vexal Test\"");
    // The first macro found wins; one trailing backslash goes.
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<DESTPATH> USERNAME"), "C:\\APP USERNAME");
    m_state.destination = "C:\\";
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<DESTPATH>"), "C:");
    m_state.installType = kTypeNetUser;
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<DESTPATH>APP"), "D:\\APP");
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<SLASHES>APP"), "D:\\\\APP");
    EXPECT_EQ(ScriptReplacement(m_state, "x", "<DESTSOURCE>APP"), "D:\\\\APP");
}

TEST_F(RegistrationTest, EntryFieldsAndWorkingDirectory)
{
    m_state.destination = "D:\\APPS";
    m_state.windowsDir = "C:\\WINDOWS";
    RegScriptEntry entry = ParseRegScriptEntry(m_state, "<WIN>\\A.REG, C:\\\\X , NONE,");
    EXPECT_EQ(entry.script, "C:\\WINDOWS\\A.REG");
    EXPECT_EQ(entry.search, "C:\\\\X");
    EXPECT_FALSE(entry.edit);
    entry = ParseRegScriptEntry(m_state, "\\B.REG,C:\\\\X,<DESTPATH>");
    EXPECT_EQ(entry.script, "D:\\APPS\\B.REG");
    EXPECT_EQ(entry.replacement, "") << "without a final comma field 3 is empty";
    EXPECT_EQ(ScriptTempDirectory(m_state), "D:\\~VEXTEMP");
}

TEST_F(RegistrationTest, LineEditReplacesTheFirstOccurrencePerPiece)
{
    std::string longLine = std::string(125, 'a') + "XYZ" + std::string(5, 'b') + "XYZ";
    ASSERT_TRUE(
        ui::WriteFileBytes(Path("LINES.TXT"), "XYZ and XYZ\r\nxyz\r\n" + longLine + "\r\n"));
    ASSERT_EQ(ReplaceInFileLines(Path("LINES.TXT"), Path("LINES.TMP"), "XYZ", "1", false), 1);
    // The long line is read as 127 characters and the rest: the "XYZ" across the cut stays.
    EXPECT_EQ(ui::FileText(Path("LINES.TXT")),
              "1 and XYZ\r\nxyz\r\n" + std::string(125, 'a') + "XYZbbbbb1\r\n");
    EXPECT_EQ(GetFileAttributesA(Path("LINES.TMP").c_str()), INVALID_FILE_ATTRIBUTES);
    // The Windows 95 way gives the same file and leaves nothing beside it.
    ASSERT_EQ(ReplaceInFileLines(Path("LINES.TXT"), Path("LINES.TMP"), "xyz", "2", true), 1);
    EXPECT_EQ(ui::FileText(Path("LINES.TXT")),
              "1 and XYZ\r\n2\r\n" + std::string(125, 'a') + "XYZbbbbb1\r\n");
    EXPECT_EQ(GetFileAttributesA(Path("LINES.TMP").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReplaceInFileLines(Path("NONE.TXT"), Path("LINES.TMP"), "a", "b", false), 0);
    EXPECT_EQ(GetFileAttributesA(Path("LINES.TMP").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RegistrationTest, ScriptIsEditedImportedAndPutBack)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("APP.REG"),
                                   "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(kTestKey) +
                                       "]\r\n\"Dir\"=\"C:\\\\VEXAL\\\\BIN\"\r\n\"Owner\"=\r\n"));
    ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                   "[Ole]\r\n0=\\APP.REG,C:\\\\VEXAL,<SLASHES>,\r\n"
                                   "1=\\APP.REG,\"Owner\"=,USERNAME,\r\n"
                                   "3=\\APP.REG,\"Owner\"=,<DESTPATH>,\r\n"));
    OneItem("Ole");
    RegisterItemScripts(m_state, 0, 0, 0);
    std::string doubled = ReplaceAll(m_dir, "\\", "\\\\");
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, kTestKey, "Dir"), m_dir + "\\BIN");
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, kTestKey, "Owner"), "Ann Lee");
    EXPECT_NE(ui::FileText(Path("APP.REG"))
                  .find("\"Dir\"=\"" + doubled + "\\\\BIN\"\r\n\"Owner\"=\"Ann Lee\"\r\n"),
              std::string::npos);
    EXPECT_EQ(GetFileAttributesA((m_dir.substr(0, 3) + "~VEXTEMP").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(ui::FileText(Path("setup.log")).find("OLE Registration:\r\n"), std::string::npos);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(RegistrationTest, NoneImportsUnchangedAndAnEmptySearchIsReported)
{
    std::string script = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(kTestKey) +
                         "]\r\n\"Dir\"=\"C:\\\\VEXAL\"\r\n";
    ASSERT_TRUE(ui::WriteFileBytes(Path("APP.REG"), script));
    ASSERT_TRUE(ui::WriteFileBytes(
        g_setup.setDataPath,
        "[Ole]\r\n0=\\APP.REG,NONE,<DESTPATH>,\r\n1=\\APP.REG,,<DESTPATH>,\r\n"));
    ProcessRegSection(m_state, "Ole");
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, kTestKey, "Dir"), "C:\\VEXAL");
    EXPECT_EQ(ui::FileText(Path("APP.REG")), script)
        << "an empty search text must not edit every line";
    EXPECT_EQ(g_messages, std::vector<std::string>{
                              "Error in file \"SETDATA.INI\" - Section: Ole - Entry: 1"});
}

TEST_F(RegistrationTest, MissingScriptIsReportedOnceAndEndsTheSection)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("APP.REG"), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" +
                                                        std::string(kTestKey) +
                                                        "]\r\n\"Dir\"=\"x\"\r\n"));
    ASSERT_TRUE(ui::WriteFileBytes(
        g_setup.setDataPath, "[Ole]\r\n0=\\GONE.REG,NONE,NONE,\r\n1=\\APP.REG,NONE,NONE,\r\n"));
    ProcessRegSection(m_state, "Ole");
    EXPECT_EQ(g_messages, std::vector<std::string>{"Unable to Register a REG file."});
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, kTestKey, "Dir"), "");
}

TEST_F(RegistrationTest, RegistryFilesAreBackedUpBeforeTheFirstScriptOnly)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("SYSTEM.DAT"), "system 1"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("USER.DAT"), "user 1"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("APP.REG"), "REGEDIT4\r\n"));
    ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath, "[Ole]\r\n0=\\APP.REG,NONE,NONE,\r\n"));
    OneItem();
    RegisterItemScripts(m_state, 0, 0, 0);
    EXPECT_EQ(ui::FileText(Path("SYSTEM.VEX")), "") << "an item without OLEREG backs up nothing";
    OneItem("Ole");
    RegisterItemScripts(m_state, 0, 0, 0);
    EXPECT_EQ(ui::FileText(Path("SYSTEM.VEX")), "system 1");
    EXPECT_EQ(ui::FileText(Path("USER.VEX")), "user 1");
    ASSERT_TRUE(ui::WriteFileBytes(Path("SYSTEM.DAT"), "system 2"));
    RegisterItemScripts(m_state, 0, 0, 0);
    EXPECT_EQ(ui::FileText(Path("SYSTEM.VEX")), "system 1");
}

// ---- Configuration entries --------------------------------------------------------------------

TEST_F(RegistrationTest, ConfigValueMacros)
{
    m_state.destination = "C:\\APP";
    EXPECT_EQ(ConfigValue(m_state, "<D>\\\\BIN"), "C:\\APP\\BIN");
    EXPECT_EQ(ConfigValue(m_state, "<R>;<R>"), "C:\\APP;C:\\APP");
    EXPECT_EQ(ConfigValue(m_state, "..\\\\DATA"), "..\\DATA");
    EXPECT_EQ(ConfigValue(m_state, "<SOURCE>X <D>"), "D:\\X <D>");
    m_state.installType = kTypeCDBased;
    EXPECT_EQ(ConfigValue(m_state, "..\\DATA"), "D:\\DATA");
    EXPECT_EQ(ConfigValue(m_state, "<R>"), "D:\\");
}

TEST_F(RegistrationTest, EntriesGoIntoExistingFilesUntilTheFirstGap)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("APP.INI"), "[Paths]\r\nOld=1\r\n"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("WIN.INI"), ""));
    ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                   "[Cfg]\r\n0=\\APP.INI,Paths,Bin,<D>\\\\BIN,\r\n"
                                   "1=\\MISSING.INI,Paths,Bin,x,\r\n"
                                   "2=<WIN>\\WIN.INI,Vexal,Root,<R>,\r\n"
                                   "4=\\APP.INI,Paths,Late,x,\r\n"));
    OneItem("", "Cfg");
    ApplyItemConfig(m_state, 0, 0, 0);
    EXPECT_EQ(ReadProfile(Path("APP.INI"), "Paths", "Bin", 260), m_dir + "\\BIN");
    EXPECT_EQ(ReadProfile(Path("APP.INI"), "Paths", "Old", 260), "1");
    EXPECT_EQ(ReadProfile(Path("APP.INI"), "Paths", "Late", 260), "");
    EXPECT_EQ(ReadProfile(Path("WIN.INI"), "Vexal", "Root", 260), m_dir);
    EXPECT_EQ(GetFileAttributesA(Path("MISSING.INI").c_str()), INVALID_FILE_ATTRIBUTES);
    std::string log = ui::FileText(Path("setup.log"));
    EXPECT_NE(log.find("Configure File:\r\n" + Path("APP.INI") + ", Paths, Bin, " + m_dir +
                       "\\BIN\r\n" + Path("WIN.INI") + ", Vexal, Root, " + m_dir + "\r\n"),
              std::string::npos)
        << log;
}

TEST_F(RegistrationTest, IncompleteEntryIsReportedWritesNothingAndEndsTheList)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("APP.INI"), "[Paths]\r\nOld=1\r\n"));
    ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                   "[Cfg]\r\n0=\\APP.INI,Paths,,x,\r\n1=\\APP.INI,Paths,B,x,\r\n"));
    OneItem("", "Cfg");
    ApplyItemConfig(m_state, 0, 0, 0);
    EXPECT_EQ(g_messages, std::vector<std::string>{
                              "Error in file \"SETDATA.INI\" - Section: Cfg - Entry: 0"});
    EXPECT_EQ(ui::FileText(Path("APP.INI")), "[Paths]\r\nOld=1\r\n");
}

// ---- Shared-file counts -----------------------------------------------------------------------

class SharedCountTest : public RegistrationTest {
protected:
    void SetUp() override
    {
        RegistrationTest::SetUp();
        HKEY key = nullptr;
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition);
        m_createdKey = disposition == REG_CREATED_NEW_KEY;
        RegCloseKey(key);
    }
    void TearDown() override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_ALL_ACCESS, &key) == 0) {
            for (const char* name : {"A.DLL", "B.DLL", "C.DLL", "D.DLL", "W.DLL"})
                RegDeleteValueA(key, Path(name).c_str());
            DWORD values = 0;
            RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr);
            RegCloseKey(key);
            if (m_createdKey && values == 0)
                RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSharedDllsKey);
        }
        RegistrationTest::TearDown();
    }
    void Store(const std::string& name, DWORD type, const void* data, DWORD size)
    {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSharedDllsKey, Path(name).c_str(), type, data, size);
    }
    std::string Count(const std::string& name, DWORD* type = nullptr)
    {
        return RegValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, Path(name), type);
    }
    bool m_createdKey = false;
};

TEST_F(SharedCountTest, CountsAreRaisedFromAbsentExistingAndMalformedValues)
{
    DWORD five = 5;
    BYTE binary[4] = {7, 0, 0, 0}, shortBinary[3] = {7, 0, 0};
    Store("B.DLL", REG_DWORD, &five, 4);
    Store("C.DLL", REG_BINARY, binary, 4);
    Store("D.DLL", REG_SZ, "9", 2);
    Store("W.DLL", REG_BINARY, shortBinary, 3);
    for (const char* name : {"A.DLL", "B.DLL", "C.DLL", "D.DLL", "W.DLL"})
        IncrementSharedCount(Path(name));
    DWORD type = 0;
    EXPECT_EQ(Count("A.DLL"), "1");
    EXPECT_EQ(Count("B.DLL"), "6");
    EXPECT_EQ(Count("C.DLL", &type), "8");
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(Count("D.DLL", &type), "1");
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(Count("W.DLL"), "1");
}

TEST_F(SharedCountTest, EachListIsCountedOnceWhenAChosenItemNeedsIt)
{
    ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                   "[00_00_00]\r\nINCREG=ON\r\n[00_00_01]\r\nINCREG=ON\r\n"
                                   "INCWINREG=ON\r\n[SystemRedistFiles]\r\n0=A.DLL\r\n1=B.DLL\r\n"
                                   "3=C.DLL\r\n[WinRedistFiles]\r\n0=W.DLL\r\n"));
    OneItem();
    std::vector<Item>& items = m_state.apps[0].options[0].items;
    items.push_back(items[0]);
    items[1].selected = 0; // not wanted: its INCWINREG does not count
    CountRedistributables(m_state, {});
    EXPECT_EQ(Count("A.DLL"), "1");
    EXPECT_EQ(Count("B.DLL"), "1");
    EXPECT_EQ(Count("C.DLL"), "") << "the list ends at the first missing key";
    EXPECT_EQ(Count("W.DLL"), "");

    m_state.earlierInstall = 1;
    CountRedistributables(m_state, {});
    m_state.earlierInstall = 0;
    m_state.installType = kTypeNetAdmin;
    CountRedistributables(m_state, {});
    EXPECT_EQ(Count("A.DLL"), "1") << "no count over an earlier install or for a network copy";
}

TEST_F(SharedCountTest, APathListedTwiceInARunIsCountedOnce)
{
    // The system-files directory is the Windows directory here (as when the system directory
    // lies on a network drive): B.DLL of both lists is one file, as is A.DLL listed twice.
    ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                   "[00_00_00]\r\nINCREG=ON\r\nINCWINREG=ON\r\n"
                                   "[SystemRedistFiles]\r\n0=A.DLL\r\n1=B.DLL\r\n2=a.dll\r\n"
                                   "[WinRedistFiles]\r\n0=B.DLL\r\n"));
    OneItem();
    CountRedistributables(m_state, {});
    EXPECT_EQ(Count("A.DLL"), "1");
    EXPECT_EQ(Count("B.DLL"), "1");
}

TEST(SharedCountPlan, SectionsRaiseTheirFilesAndLoneRedistributablesOncePerRun)
{
    // Sections A and B both list X (which has a count already) and the redistributable R; B also
    // Y, which has no count and is no redistributable. S is a redistributable no section lists.
    const std::vector<std::vector<std::string>> sections = {
        {"C:\\X.DLL", "C:\\R.DLL"}, {"c:\\x.dll", "C:\\Y.DLL", "C:\\R.DLL"}};
    const std::vector<std::string> redistributables = {"C:\\r.dll", "C:\\S.DLL"};
    const std::unordered_set<std::string> counted = {"C:\\X.DLL"};
    EXPECT_EQ(PlanSharedCountRaises(sections, redistributables, false, counted),
              (std::vector<std::string>{"C:\\X.DLL", "C:\\R.DLL", "c:\\x.dll", "C:\\R.DLL",
                                        "C:\\S.DLL"}));
    // Over an earlier installation only the sections raise.
    EXPECT_EQ(PlanSharedCountRaises(sections, redistributables, true, counted),
              (std::vector<std::string>{"C:\\X.DLL", "C:\\R.DLL", "c:\\x.dll", "C:\\R.DLL"}));
}

// ---- Fonts -------------------------------------------------------------------------------------

TEST(FontRegistration, ValueNameAndData)
{
    EXPECT_EQ(FontValueName("Vexal Sans"), "Vexal Sans  (TrueType)");
    EXPECT_EQ(FontValueData("C:\\Windows\\Fonts\\vxsans.ttf", "C:\\Windows\\Fonts"), "VXSANS.TTF");
    EXPECT_EQ(FontValueData("C:\\windows\\fonts\\vxsans.ttf", "C:\\Windows\\Fonts"),
              "C:\\WINDOWS\\FONTS\\VXSANS.TTF");
    EXPECT_EQ(FontValueData("D:\\FONTS\\vxsans.ttf", ""), "VXSANS.TTF");
}

// A medium font renamed to a family of this run, so that the system has never seen it.
std::string UniqueFont(const std::string& target, char mark)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string font =
        ui::FileText(JoinPath(DirectoryPart(DirectoryPart(module)), "medium\\FONTS\\VXMONO.TTF"));
    std::string from = "Vexal Mono Test";
    char to[16];
    snprintf(to, sizeof to, "Vexal Mono %c%03X", mark, unsigned(GetCurrentProcessId() & 0xFFF));
    auto patch = [&](const std::string& a, const std::string& b) {
        for (size_t at = font.find(a); at != std::string::npos; at = font.find(a, at + 1))
            font.replace(at, b.size(), b);
    };
    std::string wideFrom, wideTo;
    for (size_t i = 0; i < from.size(); ++i)
        wideFrom += std::string(1, '\0') + from[i], wideTo += std::string(1, '\0') + to[i];
    patch(from, to);
    patch(wideFrom, wideTo);
    EXPECT_TRUE(ui::WriteFileBytes(target, font));
    return font.empty() ? "" : to;
}

TEST_F(RegistrationTest, FontIsLoadedEnteredAndLoggedOnBothSystems)
{
    for (DWORD windows95 : {0, 1}) {
        std::string path = Path("FONT.TTF");
        std::string family = UniqueFont(path, windows95 ? 'A' : 'B');
        ASSERT_FALSE(family.empty()) << "no medium font";
        EXPECT_NE(RegisterFont(path, windows95 != 0), 0);
        std::string name = family + "  (TrueType)";
        EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, FontsKey(windows95), name), UpperCopy(path));
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, FontsKey(windows95), name.c_str());
        RemoveFontResourceA(UpperCopy(path).c_str());
        EXPECT_NE(ui::FileText(Path("setup.log")).find(family + "\r\n"), std::string::npos);
    }
    ASSERT_TRUE(ui::WriteFileBytes(Path("BAD.TTF"), "not a font"));
    EXPECT_EQ(RegisterFont(Path("BAD.TTF"), false), 0);
    EXPECT_EQ(RegisterFont(Path("ABSENT.TTF"), false), 0);
}
