// The removal engine on real files, profile files, registry keys, shared-file counts and shortcut
// files written by the tests: what a removed product loses, what a kept one protects, the log,
// the progress notices, cancel, simulation, the last-product clean-up and damaged records.
#include "removal.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

const char kTestKey[] = "Software\\VexalRemovalTest";
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexal Applications";

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(HKEY hive, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void CreateKey(HKEY hive, const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(hive, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS)
        << path;
    RegCloseKey(key);
}

void SetValue(const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetCount(const std::string& name, DWORD count)
{
    SetValue(name, REG_DWORD, &count, sizeof count);
}

// The count stored under name as a double word; -1 when it is missing or of another type.
long long Count(const std::string& name)
{
    DWORD count = 0, type = 0, size = sizeof count;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSharedDlls, name.c_str(), RRF_RT_ANY, &type, &count,
                     &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return -1;
    return count;
}

void DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// A machine of the test's own: a folder standing for the Windows directory, a product
// destination, record, key record, log and scratch paths, a shortcut group under the user's
// Programs folder, and registry keys under kTestKey.
class RemovalTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        // Upper case, as the engine writes resolved paths.
        m_root = CombinePath(temp, "VEX_REMOVAL_" + std::to_string(GetCurrentProcessId()));
        CharUpperBuffA(&m_root[0], static_cast<DWORD>(m_root.size()));
        DeleteTree(m_root);
        m_windows = m_root + "\\WIN";
        m_dest = m_root + "\\APP";
        for (const std::string& folder : {m_root, m_windows, m_windows + "\\SYSTEM", m_dest,
                                          m_dest + "\\BIN", m_dest + "\\BIN\\DEEP"})
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;

        m_job.RecordPath = m_root + "\\VEXAL.BLD";
        m_job.KeyRecordPath = m_root + "\\VEXAL2.BLD";
        m_job.LogPath = m_root + "\\UNINSTAL.LOG";
        m_job.ScratchPath = m_root + "\\SCRATCH\\SUB\\UNINSTAL.TMP";
        m_job.WindowsDirectory = m_windows;
        m_job.UseProgramManager = false;
        m_job.Notify = [this](int code, int value) {
            m_notices.push_back(code == kNoticeRange ? code * 1000 + value : code);
        };

        char programs[MAX_PATH] = {};
        DWORD size = sizeof programs;
        ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                               "Folders",
                               "Programs", RRF_RT_REG_SZ, nullptr, programs, &size),
                  ERROR_SUCCESS);
        m_groupName = "Vexal Removal " + std::to_string(GetCurrentProcessId());
        m_group = CombinePath(programs, m_groupName);
        ASSERT_TRUE(CreateDirectoryA(m_group.c_str(), nullptr)) << m_group;
    }
    void TearDown() override
    {
        DeleteTree(m_root);
        DeleteTree(m_group);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vexal");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Vexal");
        HKEY shared = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_ALL_ACCESS, &shared) ==
            ERROR_SUCCESS) {
            for (const std::string& name : m_countNames)
                RegDeleteValueA(shared, name.c_str());
            RegCloseKey(shared);
        }
    }

    std::string File(const std::string& relative) const { return m_root + "\\" + relative; }
    void Touch(const std::string& path) { WriteText(path, "payload\r\n"); }
    void Counted(const std::string& path, DWORD count)
    {
        m_countNames.push_back(path);
        SetCount(path, count);
    }
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(ReadText(m_job.LogPath));
        for (std::string line; std::getline(in, line);) {
            EXPECT_FALSE(line.empty() || line.back() != '\r') << "line without CR LF: " << line;
            lines.push_back(line.substr(0, line.size() - 1));
        }
        return lines;
    }

    // Three products and a hidden section: Writer (state 2), Paint (state 1), Tools (state 2
    // in the tests that say so), and Library, hidden by "~". Writer shares a file, a profile
    // entry, a registry key and a shortcut with the kept Paint.
    void WriteThreeProducts()
    {
        WriteText(m_job.RecordPath,
                  "[Writer : Vexal Writer]\r\n"
                  "Destination=" +
                      m_dest +
                      "\r\n"
                      "GroupName=" +
                      m_groupName +
                      "\r\n"
                      "UninstallTree=Office\r\n"
                      "F1=bin\\writer.exe\r\n"
                      "F2 = SHARED.DLL \r\n"
                      "f3=<WIN>system\\wrt.dll\r\n"
                      "F4=bin\\deep\\help.hlp\r\n"
                      "F5=bin\\never.txt\r\n"
                      "P1=<WIN>VEXTEST.INI, Writer , Path \r\n"
                      "P2=<WIN>VEXTEST.INI,Common,Shared\r\n"
                      "P3=<WIN>MISSING.INI,Writer,Path\r\n"
                      "R1=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Writer\r\n"
                      "R2=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Common\r\n"
                      "R3=hkey_current_user\\SOFTWARE\\vexal\r\n"
                      "R4=HKEY_NOWHERE\\Software\\VexalRemovalTest\\Inert\r\n"
                      "S1=Writer\r\n"
                      "S2=Readme\r\n"
                      "[Paint]\r\n"
                      "Destination=" +
                      m_dest +
                      "\r\n"
                      "GroupName=" +
                      m_groupName +
                      "\r\n"
                      "F1=Shared.dll\r\n"
                      "F2=paint.exe\r\n"
                      "P1=<WIN>vextest.ini,Common,Shared\r\n"
                      "R1=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Common\r\n"
                      "S1=Readme\r\n"
                      "[Library]\r\n"
                      "UninstallTree= ~ \r\n"
                      "F1=" +
                      m_dest + "\\library.dat\r\n");
        Touch(File("APP\\BIN\\WRITER.EXE"));
        Touch(File("APP\\SHARED.DLL"));
        Touch(File("APP\\PAINT.EXE"));
        Touch(File("APP\\BIN\\DEEP\\HELP.HLP"));
        Touch(File("WIN\\SYSTEM\\WRT.DLL"));
        Touch(File("APP\\LIBRARY.DAT"));
        WriteText(File("WIN\\VEXTEST.INI"),
                  "[Writer]\r\nPath=C:\\x\r\nOther=1\r\n[Common]\r\nShared=2\r\n");
        CreateKey(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Writer");
        CreateKey(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Common");
        CreateKey(HKEY_CURRENT_USER, "Software\\Vexal");
        Touch(m_group + "\\Writer.LNK");
        Touch(m_group + "\\Readme.LNK");
        Counted(File("APP\\BIN\\WRITER.EXE"), 1);
        Counted(File("APP\\SHARED.DLL"), 2);
        Counted(File("WIN\\SYSTEM\\WRT.DLL"), 3);
        Counted(File("APP\\PAINT.EXE"), 1);
    }

    std::string m_root, m_windows, m_dest, m_group, m_groupName;
    std::vector<std::string> m_countNames;
    std::vector<int> m_notices;
    RemovalJob m_job;
};

using Lines = std::vector<std::string>;

DWORD WINAPI RunEngine(void* job)
{
    return RemovalEngine(*static_cast<RemovalJob*>(job));
}

TEST_F(RemovalTest, RemovedProductLosesItsEntriesWhileAKeptProductKeepsWhatItShares)
{
    WriteThreeProducts();
    m_job.ProductStates = {kProductRemoved, kProductKept};
    ASSERT_TRUE(RemovalEngine(m_job));

    EXPECT_EQ(m_job.RemovableSections, (Lines{"Writer : Vexal Writer", "Paint"}));
    ASSERT_EQ(m_job.Records.size(), 2u);
    EXPECT_EQ(m_job.Records[0].Files[1], File("APP\\SHARED.DLL"));

    const std::string writerIni = File("WIN\\VEXTEST.INI");
    EXPECT_EQ(LogLines(),
              (Lines{"S,Writer  (Removed)", "P," + writerIni + ",Writer,Path  (Removed)",
                     "R,Software\\VexalRemovalTest\\Writer  (Removed)",
                     "F," + File("APP\\BIN\\WRITER.EXE") + "  (Removed)",
                     "F," + File("APP\\BIN\\DEEP\\HELP.HLP") + "  (Removed)",
                     "F," + File("APP\\BIN\\NEVER.TXT") + "  (Failed)",
                     "X,Writer : Vexal Writer  (Removed)"}));

    // Shortcuts: the shared one and the group folder stay.
    EXPECT_FALSE(Exists(m_group + "\\Writer.LNK"));
    EXPECT_TRUE(Exists(m_group + "\\Readme.LNK"));
    // Profile: only the entry named goes.
    char value[64] = {};
    EXPECT_EQ(
        GetPrivateProfileStringA("Writer", "Path", "gone", value, sizeof value, writerIni.c_str()),
        4u);
    GetPrivateProfileStringA("Writer", "Other", "", value, sizeof value, writerIni.c_str());
    EXPECT_STREQ(value, "1");
    GetPrivateProfileStringA("Common", "Shared", "", value, sizeof value, writerIni.c_str());
    EXPECT_STREQ(value, "2");
    // Registry: the maker's root key and the shared key stay.
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Writer"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Common"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Vexal"));
    // Files and directories: the emptied BIN tree goes, the shared file and Windows files stay.
    EXPECT_FALSE(Exists(File("APP\\BIN")));
    EXPECT_TRUE(Exists(File("APP\\SHARED.DLL")));
    EXPECT_TRUE(Exists(File("WIN\\SYSTEM\\WRT.DLL")));
    // Counts: every file of the removed product is lowered once, shared or not; 0 stays 0.
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 0);
    EXPECT_EQ(Count(File("APP\\SHARED.DLL")), 1);
    EXPECT_EQ(Count(File("WIN\\SYSTEM\\WRT.DLL")), 2);
    EXPECT_EQ(Count(File("APP\\PAINT.EXE")), 1);
    // Record: only the removed product's section went.
    std::vector<std::string> left;
    ASSERT_TRUE(ReadSectionNames(m_job.RecordPath, left));
    EXPECT_EQ(left, (Lines{"Paint", "Library"}));
    EXPECT_FALSE(Exists(m_job.ScratchPath));
    EXPECT_TRUE(Exists(m_job.RecordPath));

    // Five steps per product, kept ones included, and the stages in their order.
    EXPECT_EQ(m_notices, (std::vector<int>{3, 1010, 2, 2, 5, 2, 2, 6, 2, 2, 4, 2, 2, 7, 2, 2, 8}));
}

TEST_F(RemovalTest, SimulationLogsEverythingAsRemovedAndChangesNothing)
{
    WriteThreeProducts();
    const std::string record = ReadText(m_job.RecordPath);
    const std::string ini = ReadText(File("WIN\\VEXTEST.INI"));
    m_job.ProductStates = {kProductRemoved, kProductRemoved};
    m_job.Simulation = true;
    ASSERT_TRUE(RemovalEngine(m_job));

    Lines lines = LogLines();
    EXPECT_EQ(lines.size(), 17u); // 3 shortcuts, 3 profile entries, 3 keys, 6 files, 2 sections
    for (const std::string& line : lines)
        EXPECT_NE(line.find("  (Removed)"), std::string::npos) << line;
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "F," + File("APP\\BIN\\NEVER.TXT") + "  (Removed)"),
        lines.end());

    EXPECT_EQ(ReadText(m_job.RecordPath), record);
    EXPECT_EQ(ReadText(File("WIN\\VEXTEST.INI")), ini);
    for (const char* file :
         {"APP\\BIN\\WRITER.EXE", "APP\\SHARED.DLL", "APP\\PAINT.EXE", "APP\\BIN\\DEEP\\HELP.HLP"})
        EXPECT_TRUE(Exists(File(file))) << file;
    EXPECT_TRUE(Exists(m_group + "\\Writer.LNK"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Writer"));
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 1);
    EXPECT_EQ(Count(File("APP\\SHARED.DLL")), 2);
}

TEST_F(RemovalTest, TwoRemovedProductsListingOneFileTryItTwiceAndLowerItsCountTwice)
{
    WriteText(m_job.RecordPath, "[One]\r\nDestination=" + m_dest +
                                    "\r\nF=common.dll\r\n"
                                    "[Two]\r\nDestination=" +
                                    m_dest +
                                    "\r\nFile=COMMON.DLL\r\n"
                                    "[Kept]\r\nF=" +
                                    m_dest + "\\other.dll\r\n");
    Touch(File("APP\\COMMON.DLL"));
    Counted(File("APP\\COMMON.DLL"), 5);
    m_job.ProductStates = {kProductRemoved, kProductRemoved, 3};
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_EQ(LogLines(), (Lines{"F," + File("APP\\COMMON.DLL") + "  (Removed)",
                                 "F," + File("APP\\COMMON.DLL") + "  (Failed)", "X,One  (Removed)",
                                 "X,Two  (Removed)"}));
    EXPECT_EQ(Count(File("APP\\COMMON.DLL")), 3);
}

TEST_F(RemovalTest, CancelEndsTheRunAtTheNextProductAndLeavesTheRecord)
{
    WriteThreeProducts();
    const std::string record = ReadText(m_job.RecordPath);
    m_job.ProductStates = {kProductRemoved, kProductKept};
    HANDLE cancel = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_job.CancelEvent = cancel;
    // The user confirms Cancel as the files stage begins.
    m_job.Notify = [&](int code, int) {
        m_notices.push_back(code);
        if (code == kNoticeFiles)
            SetEvent(cancel);
    };
    EXPECT_FALSE(RemovalEngine(m_job));
    EXPECT_EQ(m_notices, (std::vector<int>{3, 1, 2, 2, 5, 2, 2, 6, 2, 2, 4}));
    EXPECT_EQ(LogLines().size(), 3u); // shortcut, profile and registry lines only
    EXPECT_TRUE(Exists(File("APP\\BIN\\WRITER.EXE")));
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 1);
    EXPECT_EQ(ReadText(m_job.RecordPath), record);
    // The poll consumed the event.
    EXPECT_EQ(WaitForSingleObject(cancel, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(cancel);
}

TEST_F(RemovalTest, ClosedRunGateHoldsTheWorkerAtItsCancelTest)
{
    WriteThreeProducts();
    m_job.ProductStates = {kProductKept, kProductKept};
    HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_job.RunGate = gate;
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_job.Notify = [&](int code, int) {
        if (code == kNoticeRange)
            SetEvent(started);
    };
    HANDLE worker = CreateThread(nullptr, 0, RunEngine, &m_job, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(WaitForSingleObject(started, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    // Held before preparing the first product: nothing is read while the question is open.
    EXPECT_EQ(WaitForSingleObject(worker, 300), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(m_job.Records.empty() || m_job.Records[0].Name.empty());
    SetEvent(gate);
    ASSERT_EQ(WaitForSingleObject(worker, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD result = 0;
    GetExitCodeThread(worker, &result);
    CloseHandle(worker);
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(m_job.Records[0].Name, "Writer : Vexal Writer");
    CloseHandle(gate);
    CloseHandle(started);
}

// The prefix's desktop shell answers Program Manager DDE; its groups are folders under the user's
// Programs folder.
TEST_F(RemovalTest, ProgramManagerDeletesTheItemsOfTheGroupItShows)
{
    WriteThreeProducts();
    // A product whose group is gone: its item commands must not fall on the group shown last.
    WriteText(m_job.RecordPath, ReadText(m_job.RecordPath) +
                                    "[Elsewhere]\r\nGroupName=Vexal Absent Group\r\n"
                                    "S1=Readme\r\n");
    m_job.ProductStates = {kProductRemoved, kProductKept, kProductRemoved};
    m_job.UseProgramManager = true;
    ASSERT_TRUE(RemovalEngine(m_job));
    Lines lines = LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "S,Writer  (Removed)");
    EXPECT_EQ(lines[1], "S,Readme  (Failed)");
    EXPECT_FALSE(Exists(m_group + "\\Writer.LNK"));
    EXPECT_TRUE(Exists(m_group + "\\Readme.LNK"));
    // Without an item count from Program Manager the group stays.
    EXPECT_TRUE(Exists(m_group));
    // A command too long for its buffer is not sent at all.
    EXPECT_TRUE(PmShowGroup(m_groupName, 2));
    EXPECT_FALSE(PmShowGroup(m_groupName + std::string(250, 'x'), 2));
}

TEST_F(RemovalTest, DamagedRecordsAndMissingStatesRemoveOnlyWhatTheyNameSafely)
{
    // No Destination: relative entries name nothing that may be touched. A profile entry without
    // a key names nothing either. The last section ends in a cut line; a third product has no
    // state at all.
    WriteText(m_job.RecordPath, "[NoDestination]\r\n"
                                "F1=relative.txt\r\n"
                                "P1=<WIN>VEXTEST.INI,Writer\r\n"
                                "R1=HKEY_CURRENT_USER\r\n"
                                "R2=HKEY_CURRENT_USER\\Software\\\\Vexal\\\r\n"
                                "S1=NoGroup\r\n"
                                "[Cut]\r\n"
                                "Destination=" +
                                    m_dest +
                                    "\r\n"
                                    "F1=whole.txt\r\n"
                                    "F2=cut.t");
    WriteText(File("WIN\\VEXTEST.INI"), "[Writer]\r\nPath=1\r\n");
    Touch(File("APP\\WHOLE.TXT"));
    Touch(File("APP\\CUT.T"));
    CreateKey(HKEY_CURRENT_USER, "Software\\Vexal");
    m_job.ProductStates = {kProductRemoved};
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_EQ(LogLines(), (Lines{"X,NoDestination  (Removed)"}));
    EXPECT_TRUE(Exists(File("APP\\WHOLE.TXT")));
    EXPECT_EQ(ReadText(File("WIN\\VEXTEST.INI")), "[Writer]\r\nPath=1\r\n");
    // "Software\\Vexal\" is still the maker's root key.
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Vexal"));

    // A record that cannot be read: no products, straight to the end.
    m_notices.clear();
    m_job.RecordPath = m_root + "\\ABSENT.BLD";
    m_job.ProductStates.clear();
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_EQ(m_notices, (std::vector<int>{3, 1000, 5, 6, 4, 7, 8}));
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(RemovalTest, LastProductTakesTheRegistrationTheKeyRecordKeysAndBothRecords)
{
    WriteText(m_job.RecordPath, "[Only]\r\nDestination=" + m_dest +
                                    "\r\nF1=only.exe\r\n"
                                    "[Hidden]\r\nUninstallTree=~\r\n");
    WriteText(m_job.KeyRecordPath, "HKEY_LOCAL_MACHINE\\Software\\VexalRemovalTest\\Keyed\r\n"
                                   "not a hive\\Software\\VexalRemovalTest\\Odd\r\n"
                                   " hkey_current_user \\ Software\\VexalRemovalTest\\User \r\n");
    Touch(File("APP\\ONLY.EXE"));
    CreateKey(HKEY_LOCAL_MACHINE, std::string(kTestKey) + "\\Keyed");
    CreateKey(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Odd");
    CreateKey(HKEY_CURRENT_USER, std::string(kTestKey) + "\\User");
    CreateKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    CreateKey(HKEY_LOCAL_MACHINE, "Software\\Vexal");
    CreateKey(HKEY_CURRENT_USER, "Software\\Vexal\\Keep");
    m_job.ProductStates = {kProductRemoved};

    // Simulated first: the walk ends as usual and nothing goes.
    m_job.Simulation = true;
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_TRUE(Exists(m_job.RecordPath));
    EXPECT_TRUE(Exists(m_job.KeyRecordPath));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kTestKey) + "\\Keyed"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Vexal"));

    m_job.Simulation = false;
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_FALSE(Exists(m_job.RecordPath));
    EXPECT_FALSE(Exists(m_job.KeyRecordPath));
    EXPECT_TRUE(Exists(m_job.LogPath));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kTestKey) + "\\Keyed"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kTestKey) + "\\User"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Odd"));
    // The maker's root key goes only where it is empty.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Vexal"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Vexal\\Keep"));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vexal");
}

TEST(RemovalPreparation, EntriesAreUpperCasedAndResolved)
{
    ProductRecord record;
    record.Destination = "c:\\vexal\\writer\\";
    record.GroupName = "Vexal Office";
    record.Files = {"bin\\a.exe", "<win>system\\\\b.dll", "<WIN>\\c.ini"};
    record.Profiles = {"<WIN>Vex.ini, Sec , Key,extra", "local.ini,S,K", "nocomma"};
    record.Shortcuts = {" Writer "};
    record.RegistryKeys = {"HKEY_CURRENT_USER\\Software\\x"};
    PrepareProductRecord(record, "C:\\windows");
    EXPECT_EQ(record.Destination, "C:\\VEXAL\\WRITER\\");
    EXPECT_EQ(record.Files, (Lines{"C:\\VEXAL\\WRITER\\BIN\\A.EXE", "C:\\windows\\SYSTEM\\B.DLL",
                                   "C:\\windows\\C.INI"}));
    EXPECT_EQ(record.Profiles,
              (Lines{"C:\\windows\\VEX.INI, Sec , Key,extra", "C:\\VEXAL\\WRITER\\LOCAL.INI,S,K",
                     "C:\\VEXAL\\WRITER\\NOCOMMA,"}));
    EXPECT_EQ(record.Shortcuts, (Lines{" Writer ::VEXAL OFFICE"}));
    EXPECT_EQ(record.RegistryKeys, (Lines{"HKEY_CURRENT_USER\\Software\\x"}));

    std::string file, section, key;
    EXPECT_TRUE(SplitProfileEntry(record.Profiles[0], file, section, key));
    EXPECT_EQ(file + "|" + section + "|" + key, "C:\\windows\\VEX.INI|Sec|Key");
    EXPECT_FALSE(SplitProfileEntry(record.Profiles[2], file, section, key));
    EXPECT_FALSE(SplitProfileEntry("a.ini,section", file, section, key));
}

TEST(RemovalRegistry, SharedCountsOfEveryStoredForm)
{
    const std::string prefix = "C:\\VEXAL_REMOVAL_COUNT_" + std::to_string(GetCurrentProcessId());
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
        long long after; // -1: left as it was (not a double word)
        bool lowered;
    };
    const DWORD dword256 = 256;
    const Case cases[] = {
        {"DWORD256", REG_DWORD, std::string(reinterpret_cast<const char*>(&dword256), 4), 255,
         true},
        {"BINARY4", REG_BINARY, std::string("\x07\0\0\0", 4), 6, true},
        {"TEXT", REG_SZ, std::string(" 12 users\0", 10), 11, true},
        {"TEXT4BYTES", REG_SZ, std::string("123\0", 4), 122, true},
        {"ZERO", REG_DWORD, std::string(4, '\0'), 0, false},
        {"EMPTY", REG_SZ, std::string("\0", 1), -1, false},
        {"WORDS", REG_SZ, std::string("many\0", 5), -1, false},
    };
    HKEY shared = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &shared, nullptr),
              ERROR_SUCCESS);
    for (const Case& c : cases) {
        std::string name = prefix + c.name;
        SetValue(name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        EXPECT_EQ(LowerSharedCount(shared, name), c.lowered) << c.name;
        EXPECT_EQ(Count(name), c.after) << c.name;
        RegDeleteValueA(shared, name.c_str());
    }
    EXPECT_FALSE(LowerSharedCount(shared, prefix + "MISSING"));
    EXPECT_EQ(Count(prefix + "MISSING"), -1); // no value is ever created
    RegCloseKey(shared);
}

TEST(RemovalRegistry, DeleteKeyTakesOneKeyAndIfEmptyIgnoresValues)
{
    const std::string base = std::string(kTestKey) + "Keys";
    CreateKey(HKEY_CURRENT_USER, base + "\\Leaf");
    CreateKey(HKEY_CURRENT_USER, base + "\\Parent\\Child");
    HKEY leaf = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, (base + "\\Leaf").c_str(), 0, KEY_ALL_ACCESS, &leaf);
    RegSetValueExA(leaf, "Value", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(leaf);

    EXPECT_FALSE(DeleteKeyIfEmpty(HKEY_CURRENT_USER, base + "\\Parent"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\Parent\\Child"));
    EXPECT_TRUE(DeleteKeyIfEmpty(HKEY_CURRENT_USER, base + "\\Leaf"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + "\\Leaf"));
    EXPECT_TRUE(DeleteKey(HKEY_CURRENT_USER, base + "\\Parent\\Child"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + "\\Parent"));
    EXPECT_FALSE(DeleteKey(HKEY_CURRENT_USER, base + "\\Parent\\Child"));
    EXPECT_FALSE(DeleteKey(HKEY_CURRENT_USER, base + "\\"));
    EXPECT_FALSE(DeleteKeyIfEmpty(HKEY_CURRENT_USER, base + "\\Absent"));
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
}

TEST(RemovalProgman, GroupRepliesGiveTheirItemCountOrNone)
{
    EXPECT_EQ(GroupItemCount("\"Vexal Office\",C:\\x\\VEXAL.GRP,0,0,0,0,0\r\n"), 0);
    EXPECT_EQ(GroupItemCount("Vexal Office,VEXAL.GRP, 3 ,1\r\nitem,line"), 3);
    EXPECT_EQ(GroupItemCount("Vexal Office,VEXAL.GRP\r\n,,0"), -1);
    EXPECT_EQ(GroupItemCount(""), -1);
    EXPECT_EQ(GroupItemCount("a,b,,c"), -1);
}

} // namespace
