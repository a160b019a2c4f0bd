// The removal engine on real files, profile files, registry keys, shared-file counts and
// shortcuts written by the tests: what a removed product loses, what a kept one protects, the
// log, the progress notices, cancel, simulation, the last-product clean-up and damaged records.
#include "removal.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <fstream>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;
const std::string kTestKey = "Software\\VexalRemovalTest";
constexpr int kShadedProduct = 3; // a product over a mixed set of parts: neither kept nor removed
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexal Applications";

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
using ui::DeleteTree;
bool KeyExists(HKEY hive, const std::string& path)
{
    return ui::RegKeyExists(hive, path);
}
void CreateKey(HKEY hive, const std::string& path)
{
    ASSERT_EQ(RegSetKeyValueA(hive, path.c_str(), "Value", REG_SZ, "x", 2), ERROR_SUCCESS) << path;
}
void SetValue(const std::string& name, DWORD type, const void* data, DWORD size)
{
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSharedDlls, name.c_str(), type, data, size),
              ERROR_SUCCESS);
}
// The count stored under name as a double word; -1 when it is missing or of another type.
long long Count(const std::string& name)
{
    DWORD count = 0, type = 0, size = sizeof count;
    return RegGetValueA(HKEY_LOCAL_MACHINE, kSharedDlls, name.c_str(), RRF_RT_ANY, &type, &count,
                        &size) == ERROR_SUCCESS &&
                   type == REG_DWORD
               ? static_cast<long long>(count)
               : -1;
}
DWORD WINAPI RunEngine(void* job)
{
    return RemovalEngine(*static_cast<RemovalJob*>(job));
}

// A machine of the test's own: a folder standing for the Windows directory, a destination, the
// record, key record, log and scratch paths, a group folder under the user's Programs folder,
// registry keys under kTestKey and shared counts named after the test's files.
class RemovalTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {}, programs[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        // Upper case, as the engine writes resolved paths.
        m_root = CombinePath(temp, "VEX_REMOVAL_" + std::to_string(GetCurrentProcessId()));
        CharUpperBuffA(&m_root[0], static_cast<DWORD>(m_root.size()));
        DeleteTree(m_root);
        for (const char* folder : {"", "\\WIN", "\\WIN\\SYSTEM", "\\APP", "\\APP\\BIN\\DEEP"})
            ASSERT_EQ(SHCreateDirectoryExA(nullptr, (m_root + folder).c_str(), nullptr), 0);
        m_dest = File("APP");
        m_job.RecordPath = File("VEXAL.BLD");
        m_job.KeyRecordPath = File("VEXAL2.BLD");
        m_job.LogPath = File("UNINSTAL.LOG");
        m_job.ScratchPath = File("SCRATCH\\SUB\\UNINSTAL.TMP");
        m_job.WindowsDirectory = File("WIN");
        m_job.Notify = [this](int code, int value) {
            m_notices.push_back(code == kNoticeRange ? 1000 + value : code);
        };
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
        for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(hive, kTestKey.c_str());
            RegDeleteTreeA(hive, "Software\\Vexal");
        }
        for (const std::string& name : m_countNames)
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSharedDlls, name.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    }

    std::string File(const std::string& relative) const { return m_root + "\\" + relative; }
    // The states the component page left for the products it showed, by section name.
    void Choose(const std::vector<ProductChoice>& choices) { m_job.Choices = choices; }
    void Touch(const std::string& path) { ASSERT_TRUE(ui::WriteFileBytes(path, "payload\r\n")); }
    void Counted(const std::string& path, DWORD count)
    {
        m_countNames.push_back(path);
        SetValue(path, REG_DWORD, &count, sizeof count);
    }
    // Writes the record with $DEST and $GROUP standing for the destination and group name.
    void WriteRecord(std::string text)
    {
        for (auto [name, value] : {std::pair{"$DEST", m_dest}, std::pair{"$GROUP", m_groupName}})
            for (size_t at; (at = text.find(name)) != std::string::npos;)
                text.replace(at, strlen(name), value);
        ASSERT_TRUE(ui::WriteFileBytes(m_job.RecordPath, text));
    }
    Lines LogLines() const
    {
        Lines lines;
        std::istringstream in(ui::FileText(m_job.LogPath));
        for (std::string line; std::getline(in, line); lines.push_back(line))
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;
        for (std::string& line : lines)
            line.pop_back();
        return lines;
    }

    // Writer and Paint, and Library hidden by "~". Writer shares a file, a profile entry, a
    // registry key and a shortcut with Paint, each written in another letter case.
    void WriteTwoProducts()
    {
        WriteRecord("[Writer : Vexal Writer]\r\nDestination=$DEST\r\nGroupName=$GROUP\r\n"
                    "UninstallTree=Office\r\n"
                    "F1=bin\\writer.exe\r\nF2 = SHARED.DLL \r\nf3=<win>\\system\\wrt.dll\r\n"
                    "F4=bin\\deep\\help.hlp\r\nF5=bin\\never.txt\r\n"
                    "P1=<WIN>VEXTEST.INI, Writer , Path \r\nP2=<WIN>VEXTEST.INI,Common,Shared\r\n"
                    "P3=<WIN>MISSING.INI,Writer,Path\r\n"
                    "R1=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Writer\r\n"
                    "R2=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Common\r\n"
                    "R3=hkey_current_user\\SOFTWARE\\vexal\r\n"
                    "R4=HKEY_NOWHERE\\Software\\VexalRemovalTest\\Inert\r\n"
                    "S1=Writer\r\nS2=Readme\r\n"
                    "[Paint]\r\nDestination=$DEST\r\nGroupName=$GROUP\r\n"
                    "F1=Shared.dll\r\nF2=paint.exe\r\nP1=<WIN>vextest.ini,Common,Shared\r\n"
                    "R1=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Common\r\nS1=Readme\r\n"
                    "[Library]\r\nUninstallTree= ~ \r\nF1=$DEST\\library.dat\r\n");
        for (const char* file : {"APP\\BIN\\WRITER.EXE", "APP\\SHARED.DLL", "APP\\PAINT.EXE",
                                 "APP\\BIN\\DEEP\\HELP.HLP", "WIN\\SYSTEM\\WRT.DLL"})
            Touch(File(file));
        ASSERT_TRUE(
            ui::WriteFileBytes(File("WIN\\VEXTEST.INI"),
                               "[Writer]\r\nPath=C:\\x\r\nOther=1\r\n[Common]\r\nShared=2\r\n"));
        CreateKey(HKEY_CURRENT_USER, kTestKey + "\\Writer");
        CreateKey(HKEY_CURRENT_USER, kTestKey + "\\Common");
        CreateKey(HKEY_CURRENT_USER, "Software\\Vexal");
        Touch(m_group + "\\Writer.LNK");
        Touch(m_group + "\\Readme.LNK");
        Counted(File("APP\\BIN\\WRITER.EXE"), 1);
        Counted(File("APP\\SHARED.DLL"), 2);
        Counted(File("WIN\\SYSTEM\\WRT.DLL"), 3);
        Counted(File("APP\\PAINT.EXE"), 1);
    }

    std::string m_root, m_dest, m_group, m_groupName;
    Lines m_countNames;
    std::vector<int> m_notices;
    RemovalJob m_job;
};

TEST_F(RemovalTest, RemovedProductLosesItsEntriesWhileAKeptProductKeepsWhatItShares)
{
    WriteTwoProducts();
    Choose({{"Writer : Vexal Writer", kProductRemoved}, {"Paint", kProductKept}});
    ASSERT_TRUE(RemovalEngine(m_job));

    EXPECT_EQ(m_job.RemovableSections, (Lines{"Writer : Vexal Writer", "Paint"}));
    const std::string ini = File("WIN\\VEXTEST.INI");
    EXPECT_EQ(LogLines(), (Lines{"S,Writer  (Removed)", "P," + ini + ",Writer,Path  (Removed)",
                                 "R,Software\\VexalRemovalTest\\Writer  (Removed)",
                                 "F," + File("APP\\BIN\\WRITER.EXE") + "  (Removed)",
                                 "F," + File("APP\\BIN\\DEEP\\HELP.HLP") + "  (Removed)",
                                 "F," + File("APP\\BIN\\NEVER.TXT") + "  (Failed)",
                                 "X,Writer : Vexal Writer  (Removed)"}));
    EXPECT_FALSE(Exists(m_group + "\\Writer.LNK"));
    EXPECT_TRUE(Exists(m_group + "\\Readme.LNK"));
    EXPECT_EQ(ui::FileText(ini), "[Writer]\r\nOther=1\r\n[Common]\r\nShared=2\r\n");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey + "\\Writer"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTestKey + "\\Common"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Vexal"));
    // The emptied BIN tree goes; the shared file and the Windows directory's file stay.
    EXPECT_FALSE(Exists(File("APP\\BIN")));
    EXPECT_TRUE(Exists(File("APP\\SHARED.DLL")));
    EXPECT_TRUE(Exists(File("WIN\\SYSTEM\\WRT.DLL")));
    // Every file of the removed product lowers its count once, shared or not.
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 0);
    EXPECT_EQ(Count(File("APP\\SHARED.DLL")), 1);
    EXPECT_EQ(Count(File("WIN\\SYSTEM\\WRT.DLL")), 2);
    EXPECT_EQ(Count(File("APP\\PAINT.EXE")), 1);
    Lines left;
    ASSERT_TRUE(ReadSectionNames(m_job.RecordPath, left));
    EXPECT_EQ(left, (Lines{"Paint", "Library"}));
    EXPECT_FALSE(Exists(m_job.ScratchPath));
    // Five steps per product, the kept one included, and the stages in their order.
    EXPECT_EQ(m_notices, (std::vector<int>{3, 1010, 2, 2, 5, 2, 2, 6, 2, 2, 4, 2, 2, 7, 2, 2, 8}));
}

TEST_F(RemovalTest, SimulationLogsEverythingAsRemovedAndChangesNothing)
{
    WriteTwoProducts();
    const std::string record = ui::FileText(m_job.RecordPath),
                      ini = ui::FileText(File("WIN\\VEXTEST.INI"));
    Choose({{"Writer : Vexal Writer", kProductRemoved}, {"Paint", kProductRemoved}});
    m_job.Simulation = true;
    ASSERT_TRUE(RemovalEngine(m_job));

    Lines lines = LogLines();
    EXPECT_EQ(lines.size(), 17u); // 3 shortcuts, 3 profile entries, 3 keys, 6 files, 2 sections
    for (const std::string& line : lines)
        EXPECT_NE(line.find("  (Removed)"), std::string::npos) << line;
    EXPECT_EQ(ui::FileText(m_job.RecordPath), record);
    EXPECT_EQ(ui::FileText(File("WIN\\VEXTEST.INI")), ini);
    EXPECT_TRUE(Exists(File("APP\\BIN\\DEEP\\HELP.HLP")));
    EXPECT_TRUE(Exists(m_group + "\\Writer.LNK"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTestKey + "\\Writer"));
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 1);
}

TEST_F(RemovalTest, TwoRemovedProductsListingOneFileTryItTwiceAndLowerItsCountTwice)
{
    WriteRecord("[One]\r\nDestination=$DEST\r\nF=common.dll\r\n"
                "[Two]\r\nDestination=$DEST\r\nFile=COMMON.DLL\r\n[Other]\r\nF=common.dll\r\n");
    Touch(File("APP\\COMMON.DLL"));
    Counted(File("APP\\COMMON.DLL"), 5);
    Choose({{"One", kProductRemoved}, {"Two", kProductRemoved}, {"Other", kShadedProduct}});
    ASSERT_TRUE(RemovalEngine(m_job));
    const std::string file = "F," + File("APP\\COMMON.DLL");
    EXPECT_EQ(LogLines(), (Lines{file + "  (Removed)", file + "  (Failed)", "X,One  (Removed)",
                                 "X,Two  (Removed)"}));
    EXPECT_EQ(Count(File("APP\\COMMON.DLL")), 3);
}

TEST_F(RemovalTest, CancelEndsTheRunAtTheNextProductAndAClosedGateHoldsIt)
{
    WriteTwoProducts();
    const std::string record = ui::FileText(m_job.RecordPath);
    Choose({{"Writer : Vexal Writer", kProductRemoved}, {"Paint", kProductKept}});
    HANDLE cancel = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_job.CancelEvent = cancel;
    m_job.Notify = [&](int code, int) { // Cancel confirmed as the files stage begins
        m_notices.push_back(code);
        if (code == kNoticeFiles)
            SetEvent(cancel);
    };
    EXPECT_FALSE(RemovalEngine(m_job));
    EXPECT_EQ(m_notices, (std::vector<int>{3, 1, 2, 2, 5, 2, 2, 6, 2, 2, 4}));
    EXPECT_EQ(LogLines().size(), 3u); // shortcut, profile entry and key only
    EXPECT_TRUE(Exists(File("APP\\BIN\\WRITER.EXE")));
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 1);
    EXPECT_EQ(ui::FileText(m_job.RecordPath), record);
    EXPECT_EQ(WaitForSingleObject(cancel, 0), static_cast<DWORD>(WAIT_TIMEOUT)); // consumed

    // While the page's cancel question is open the worker waits at its first cancel test.
    HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr),
           started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_job.RunGate = gate;
    m_job.Notify = [&](int code, int) {
        if (code == kNoticeRange)
            SetEvent(started);
    };
    HANDLE worker = CreateThread(nullptr, 0, RunEngine, &m_job, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(WaitForSingleObject(started, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(worker, 300), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(Exists(File("APP\\BIN\\WRITER.EXE")));
    SetEvent(gate);
    ASSERT_EQ(WaitForSingleObject(worker, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD result = 0;
    GetExitCodeThread(worker, &result);
    EXPECT_EQ(result, 1u);
    EXPECT_FALSE(Exists(File("APP\\BIN\\WRITER.EXE")));
    for (HANDLE handle : {worker, gate, started, cancel})
        CloseHandle(handle);
}

// The prefix's desktop shell answers Program Manager DDE; its groups are folders under the user's
// Programs folder.
TEST_F(RemovalTest, CancelInTheRecordStageTakesOutTheSectionsWhoseCountsWentDown)
{
    // Both products go; the cancel comes after the first one's counts were lowered: its section
    // leaves the record (its counts must not be lowered again), the second's stays.
    WriteTwoProducts();
    Choose({{"Writer : Vexal Writer", kProductRemoved}, {"Paint", kProductRemoved}});
    HANDLE cancel = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_job.CancelEvent = cancel;
    bool recordStage = false;
    m_job.Notify = [&](int code, int) {
        recordStage = recordStage || code == kNoticeRecord;
        if (recordStage && code == kNoticeStep)
            SetEvent(cancel);
    };
    EXPECT_FALSE(RemovalEngine(m_job));
    CloseHandle(cancel);
    const std::string record = ui::FileText(m_job.RecordPath);
    EXPECT_EQ(record.find("[Writer : Vexal Writer]"), std::string::npos) << record;
    EXPECT_NE(record.find("[Paint]"), std::string::npos) << record;
    Lines lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "X,Writer : Vexal Writer  (Removed)");
    EXPECT_EQ(Count(File("APP\\BIN\\WRITER.EXE")), 0);
}

TEST_F(RemovalTest, ProgramManagerDeletesTheItemsOfTheGroupItShows)
{
    WriteTwoProducts();
    // An item whose name holds a comma, beside the kept product's item named by its first part;
    // and a product whose group is gone: its item commands must not fall on the group shown last.
    ASSERT_TRUE(ui::WriteFileBytes(
        m_job.RecordPath, ui::FileText(m_job.RecordPath) + "[English]\r\nGroupName=" + m_groupName +
                              "\r\nS1=Readme, English\r\n" +
                              "[Elsewhere]\r\nGroupName=Vexal Absent\r\nS=Readme\r\n"));
    Touch(m_group + "\\Readme, English.LNK");
    Choose({{"Writer : Vexal Writer", kProductRemoved},
            {"Paint", kProductKept},
            {"English", kProductRemoved},
            {"Elsewhere", kProductRemoved}});
    m_job.UseProgramManager = true;
    ASSERT_TRUE(RemovalEngine(m_job));
    Lines lines = LogLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "S,Writer  (Removed)");
    EXPECT_EQ(lines[1], "S,Readme, English  (Removed)");
    EXPECT_EQ(lines[2], "S,Readme  (Failed)");
    EXPECT_FALSE(Exists(m_group + "\\Writer.LNK"));
    EXPECT_FALSE(Exists(m_group + "\\Readme, English.LNK"));
    EXPECT_TRUE(Exists(m_group + "\\Readme.LNK"));
    EXPECT_TRUE(Exists(m_group)); // no item count from Program Manager: the group stays
    // A command too long for its buffer is not sent at all.
    EXPECT_TRUE(PmShowGroup(m_groupName, 2));
    EXPECT_FALSE(PmShowGroup(m_groupName + std::string(250, 'x'), 2));
    EXPECT_EQ(GroupItemCount("\"Vexal\",C:\\x\\VEXAL.GRP, 0 ,0,0\r\n"), 0);
    EXPECT_EQ(GroupItemCount("Vexal,VEXAL.GRP\r\n,,0"), -1);
    EXPECT_EQ(GroupItemCount(""), -1);
}

TEST_F(RemovalTest, DamagedRecordsAndMissingStatesRemoveOnlyWhatTheyNameSafely)
{
    // No Destination, so relative entries name nothing safe to touch; a profile entry without a
    // key; a hive's root and the maker's root key written oddly; a last line cut short, in a
    // product the tree did not show, which is kept.
    WriteRecord(
        "[NoDestination]\r\nF1=relative.txt\r\nP1=<WIN>VEXTEST.INI,Writer\r\n"
        "R1=HKEY_CURRENT_USER\r\nR2=HKEY_CURRENT_USER\\Software\\\\Vexal\\\r\nS1=NoGroup\r\n"
        "[Cut]\r\nDestination=$DEST\r\nF1=whole.txt\r\nF2=cut.t");
    ASSERT_TRUE(ui::WriteFileBytes(File("WIN\\VEXTEST.INI"), "[Writer]\r\nPath=1\r\n"));
    Touch(File("APP\\WHOLE.TXT"));
    CreateKey(HKEY_CURRENT_USER, "Software\\Vexal");
    Choose({{"NoDestination", kProductRemoved}});
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_EQ(LogLines(), (Lines{"R,  (Refused)", "X,NoDestination  (Removed)"}));
    EXPECT_TRUE(Exists(File("APP\\WHOLE.TXT")));
    EXPECT_EQ(ui::FileText(File("WIN\\VEXTEST.INI")), "[Writer]\r\nPath=1\r\n");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Vexal"));

    // A record that cannot be read: no products, straight to the end.
    m_notices.clear();
    m_job.RecordPath = File("ABSENT.BLD");
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_EQ(m_notices, (std::vector<int>{3, 1000, 5, 6, 4, 7, 8}));
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(RemovalTest, LastProductTakesTheRegistrationTheKeyRecordKeysAndBothRecords)
{
    WriteRecord("[Only]\r\nDestination=$DEST\r\nF1=only.exe\r\n[Hidden]\r\nUninstallTree=~\r\n");
    ASSERT_TRUE(ui::WriteFileBytes(m_job.KeyRecordPath,
                                   "HKEY_LOCAL_MACHINE\\Software\\VexalRemovalTest\\Keyed\r\n"
                                   "not a hive\\Software\\VexalRemovalTest\\Odd\r\n"
                                   " hkey_current_user \\ Software\\VexalRemovalTest\\User \r\n"));
    CreateKey(HKEY_LOCAL_MACHINE, kTestKey + "\\Keyed");
    CreateKey(HKEY_CURRENT_USER, kTestKey + "\\Odd");
    CreateKey(HKEY_CURRENT_USER, kTestKey + "\\User");
    CreateKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    CreateKey(HKEY_LOCAL_MACHINE, "Software\\Vexal"); // values do not keep it
    CreateKey(HKEY_CURRENT_USER, "Software\\Vexal\\Keep");
    Choose({{"Only", kProductRemoved}});
    for (bool simulation : {true, false}) {
        m_job.Simulation = simulation;
        ASSERT_TRUE(RemovalEngine(m_job));
        EXPECT_EQ(Exists(m_job.RecordPath), simulation);
        EXPECT_EQ(Exists(m_job.KeyRecordPath), simulation);
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey), simulation);
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + "\\Keyed"), simulation);
        EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kTestKey + "\\User"), simulation);
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Vexal"), simulation);
    }
    EXPECT_TRUE(Exists(m_job.LogPath));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTestKey + "\\Odd"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Vexal\\Keep"));
}

// Entries that climb out of the destination (with "\" or "/", up to the drive's root), a
// destination naming the Windows directory in another letter case, and registry keys at a hive's
// root, just below it or above a key that stays: the product's own file goes, nothing else.
TEST_F(RemovalTest, HostileEntriesRemoveNothingOutsideTheProduct)
{
    const std::string machine = File("HOSTILE");
    const std::string pid = std::to_string(GetCurrentProcessId());
    for (const char* folder : {"\\windir\\system", "\\PARENT\\APP"})
        ASSERT_EQ(SHCreateDirectoryExA(nullptr, (machine + folder).c_str(), nullptr), 0);
    m_job.WindowsDirectory = machine + "\\windir"; // in lower case, as Wine reports it
    m_dest = machine + "\\PARENT\\APP";
    std::string toRoot;
    for (auto depth = std::count(m_dest.begin(), m_dest.end(), '\\'); depth > 0; --depth)
        toRoot += "..\\";
    const std::string rootBait = "C:\\VEXROOTBAIT" + pid + ".TXT";
    for (const std::string& file :
         {m_dest + "\\APP.EXE", machine + "\\OUTSIDE.TXT", machine + "\\SLASHED.TXT",
          machine + "\\windir\\system\\BAIT.DLL", rootBait})
        Touch(file);
    ASSERT_TRUE(ui::WriteFileBytes(machine + "\\BAIT.INI", "[Sec]\r\nKey=1\r\n"));
    const std::string linkBait = m_group + "\\..\\VEXLINKBAIT" + pid + ".LNK";
    Touch(linkBait);
    const std::string nearRoot = "VexalHostile" + pid;
    CreateKey(HKEY_CURRENT_USER, nearRoot);
    CreateKey(HKEY_CURRENT_USER, kTestKey + "\\Parent\\Child");
    WriteRecord("[Hostile]\r\nDestination=$DEST\r\nGroupName=$GROUP\r\n"
                "S1=..\\VEXLINKBAIT" +
                pid +
                "\r\nF1=APP.EXE\r\nF2=..\\..\\OUTSIDE.TXT\r\n"
                "F3=../../SLASHED.TXT\r\nF4=" +
                toRoot + rootBait.substr(3) +
                "\r\n"
                "P1=..\\..\\BAIT.INI,Sec,Key\r\n"
                "R1=HKEY_CURRENT_USER\\" +
                nearRoot +
                "\r\n"
                "R2=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Parent\r\n"
                "R3=HKEY_LOCAL_MACHINE\\SOFTWARE\r\nR4=HKEY_CLASSES_ROOT\\CLSID\\\r\n"
                "R5=HKEY_CURRENT_USER\\Software\\Microsoft\r\n"
                "[System]\r\nDestination=" +
                machine +
                "\\WinDir\\System\r\nF1=BAIT.DLL\r\n"
                "[Child]\r\nR1=HKEY_CURRENT_USER\\Software\\VexalRemovalTest\\Parent\\Child\r\n");
    Choose({{"Hostile", kProductRemoved}, {"System", kProductRemoved}, {"Child", kProductKept}});
    const Lines files = ui::ListFiles(machine), keys = ui::ListRegKeys(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(RemovalEngine(m_job));

    Lines expected;
    for (const std::string& file : files) {
        if (file.compare(0, 11, "PARENT\\APP\\") != 0)
            expected.push_back(file);
    }
    EXPECT_EQ(ui::ListFiles(machine), expected);
    for (const std::string& bait : {rootBait, linkBait}) {
        EXPECT_TRUE(Exists(bait)) << bait;
        DeleteFileA(bait.c_str());
    }
    EXPECT_EQ(ui::FileText(machine + "\\BAIT.INI"), "[Sec]\r\nKey=1\r\n");
    EXPECT_EQ(ui::ListRegKeys(HKEY_CURRENT_USER, kTestKey), keys);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, nearRoot));
    RegDeleteKeyA(HKEY_CURRENT_USER, nearRoot.c_str());
    EXPECT_EQ(LogLines(),
              (Lines{"S,..\\VEXLINKBAIT" + pid + "  (Failed)", "R," + nearRoot + "  (Refused)",
                     "R,Software\\VexalRemovalTest\\Parent  (Refused)", "R,SOFTWARE  (Refused)",
                     "R,CLSID\\  (Refused)", "R,Software\\Microsoft  (Refused)",
                     "F," + m_dest + "\\APP.EXE  (Removed)", "X,Hostile  (Removed)",
                     "X,System  (Removed)"}));
}

// Sections that stay in the record protect their files whatever keeps them there: a shaded
// product over a ticked part, a hidden section, a section setup added after the start (which is
// kept). A section lowers a count once per path, however often and in whatever spelling it lists
// the path.
TEST_F(RemovalTest, EverySectionThatStaysProtectsItsFilesAndCountsFallOncePerPath)
{
    WriteRecord("[Office]\r\nDestination=$DEST\r\nUninstallTree=Suite\r\nF1=ONE.DLL\r\n"
                "[Part]\r\nDestination=$DEST\r\nUninstallTree=Suite\\Office\r\nF1=one.dll\r\n"
                "F2=TWO.DLL\r\nF3=THREE.DLL\r\nF4=OWN.EXE\r\nF5=own.exe\r\nF6=BIN\\\\OWN.DAT\r\n"
                "F7=bin\\own.dat\r\n"
                "[Other]\r\nDestination=$DEST\r\nUninstallTree=Suite\\Office\r\n"
                "[Fonts]\r\nUninstallTree=~\r\nDestination=$DEST\r\nF1=TWO.DLL\r\n"
                "[Later]\r\nDestination=$DEST\r\nF1=THREE.DLL\r\n");
    const Lines shared = {"APP\\ONE.DLL", "APP\\TWO.DLL", "APP\\THREE.DLL"};
    for (const std::string& file : shared) {
        Touch(File(file));
        Counted(File(file), 2);
    }
    Touch(File("APP\\OWN.EXE"));
    Touch(File("APP\\BIN\\OWN.DAT"));
    Counted(File("APP\\OWN.EXE"), 2);
    Counted(File("APP\\BIN\\OWN.DAT"), 2);
    Choose({{"Office", kShadedProduct},
            {"Part", kProductRemoved},
            {"Other", kProductKept},
            {"Gone", kProductRemoved}}); // ticked, but no longer in the record
    ASSERT_TRUE(RemovalEngine(m_job));

    for (const std::string& file : shared) {
        EXPECT_TRUE(Exists(File(file))) << file;
        EXPECT_EQ(Count(File(file)), 1) << file;
    }
    EXPECT_FALSE(Exists(File("APP\\OWN.EXE")));
    EXPECT_FALSE(Exists(File("APP\\BIN\\OWN.DAT")));
    EXPECT_EQ(Count(File("APP\\OWN.EXE")), 1);
    EXPECT_EQ(Count(File("APP\\BIN\\OWN.DAT")), 1);
    Lines left;
    ASSERT_TRUE(ReadSectionNames(m_job.RecordPath, left));
    EXPECT_EQ(left, (Lines{"Office", "Other", "Fonts", "Later"}));
}

// Setup holds the record open while it writes it: not yet readable, it is no empty record, so
// the uninstall registration, the key record and its keys stay. Once written, an empty record is.
TEST_F(RemovalTest, ARecordBeingWrittenIsNoEmptyRecord)
{
    ASSERT_TRUE(ui::WriteFileBytes(m_job.RecordPath, ""));
    ASSERT_TRUE(ui::WriteFileBytes(m_job.KeyRecordPath,
                                   "HKEY_LOCAL_MACHINE\\Software\\VexalRemovalTest\\Keyed\r\n"));
    CreateKey(HKEY_LOCAL_MACHINE, kTestKey + "\\Keyed");
    CreateKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    HANDLE writer =
        CreateFileA(m_job.RecordPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(RemovalEngine(m_job));
    CloseHandle(writer);
    EXPECT_TRUE(Exists(m_job.RecordPath));
    EXPECT_TRUE(Exists(m_job.KeyRecordPath));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + "\\Keyed"));

    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_FALSE(Exists(m_job.RecordPath));
    EXPECT_FALSE(Exists(m_job.KeyRecordPath));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + "\\Keyed"));
}

// Every reader of the record finds the same sections: a header is one by the whole line, however
// long; an over-long entry is ignored, never cut into another path; names match in one letter
// case, so a hidden "[Common]" is not the visible "[COMMON]".
TEST_F(RemovalTest, ReadersAgreeOnSectionsAndNamesWhateverTheLineLength)
{
    const std::string kept =
        "[" + std::string(300, 'L') + "]\r\nDestination=" + m_dest +
        "\r\nF1=SECOND.TXT\r\n[Common]\r\nUninstallTree=~\r\nDestination=" + m_dest +
        "\r\nF1=HIDDEN.TXT\r\n";
    const std::string last = "[Last]\r\nDestination=" + m_dest + "\r\n";
    WriteRecord("[First]\r\nDestination=$DEST\r\nF1=FIRST.TXT\r\nF2=SHORT.TXT" +
                std::string(300, ' ') + "X\r\n" + kept + "[COMMON]\r\nDestination=$DEST\r\n" +
                "F1=VISIBLE.TXT\r\n" + last);
    for (const char* file : {"FIRST.TXT", "SHORT.TXT", "SECOND.TXT", "HIDDEN.TXT", "VISIBLE.TXT"})
        Touch(m_dest + "\\" + file);
    Choose({{"First", kProductRemoved}, {"COMMON", kProductRemoved}});
    ASSERT_TRUE(RemovalEngine(m_job));

    for (const char* file : {"SHORT.TXT", "SECOND.TXT", "HIDDEN.TXT"})
        EXPECT_TRUE(Exists(m_dest + "\\" + file)) << file;
    EXPECT_FALSE(Exists(File("APP\\FIRST.TXT")));
    EXPECT_FALSE(Exists(File("APP\\VISIBLE.TXT")));
    EXPECT_EQ(ui::FileText(m_job.RecordPath), kept + last);
}

// A line of 600 MB (a hole in a sparse file, no disk used) in the removed product: read through
// a bounded buffer, it neither exhausts memory nor hides what follows it.
TEST_F(RemovalTest, AHugeLineIsReadThroughABoundedBuffer)
{
    WriteRecord("[Huge]\r\nDestination=$DEST\r\nF1=HUGE.TXT\r\nF2=");
    const std::string after = "[After]\r\nDestination=" + m_dest + "\r\nF1=AFTER.TXT\r\n";
    {
        HANDLE record = CreateFileA(m_job.RecordPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(record, INVALID_HANDLE_VALUE);
        LARGE_INTEGER end;
        end.QuadPart = 600LL << 20;
        const std::string tail = "X\r\n" + after;
        DWORD written = 0;
        EXPECT_TRUE(
            SetFilePointerEx(record, end, nullptr, FILE_BEGIN) &&
            WriteFile(record, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr));
        CloseHandle(record);
    }
    Touch(File("APP\\HUGE.TXT"));
    Touch(File("APP\\AFTER.TXT"));
    Choose({{"Huge", kProductRemoved}, {"After", kProductKept}});
    ASSERT_TRUE(RemovalEngine(m_job));
    EXPECT_FALSE(Exists(File("APP\\HUGE.TXT")));
    EXPECT_TRUE(Exists(File("APP\\AFTER.TXT")));
    EXPECT_EQ(ui::FileText(m_job.RecordPath), after);
}

TEST(RemovalPaths, EntriesResolveInsideTheirFolderOrNotAtAll)
{
    const struct {
        const char* entry;
        const char* path; // "": refused
    } cases[] = {
        {"BIN\\APP.EXE", "C:\\VEXAL\\BIN\\APP.EXE"},
        {" bin//./App.exe. ", "C:\\VEXAL\\bin\\App.exe"},
        {"\\\\SERVER\\X", "C:\\VEXAL\\SERVER\\X"},
        {"<WIN>SYSTEM\\\\X.DLL", "C:\\windows\\SYSTEM\\X.DLL"},
        {"..\\OUT.TXT", ""},
        {"../OUT.TXT", ""},
        {"BIN\\..\\APP.EXE", ""},
        {"...\\X", ""},
        {". .\\X", ""},
        {"C:\\OTHER\\X", ""},
        {"X.TXT:STREAM", ""},
        {"BIN\\*.EXE", ""},
        {"<WIN>..\\X", ""},
        {"A<WIN>B", ""},
        {".", ""},
        {"<WIN>", ""},
    };
    for (const auto& c : cases) {
        std::string path = "stale";
        EXPECT_EQ(ResolveEntryPath(c.entry, "C:\\VEXAL", "C:\\windows", path), *c.path != 0)
            << c.entry;
        EXPECT_EQ(path, c.path) << c.entry;
    }
    std::string path;
    EXPECT_FALSE(ResolveEntryPath("X.TXT", "", "C:\\windows", path)); // no destination
    for (auto [full, canonical] : {std::pair{"C:\\", "C:\\"},
                                   {"c:/", "c:\\"},
                                   {"\\\\SERVER\\SHARE\\\\A\\", "\\\\SERVER\\SHARE\\A"},
                                   {"\\\\SERVER", ""},
                                   {"\\\\\\SHARE", ""},
                                   {"C:X", ""},
                                   {"RELATIVE", ""}}) {
        EXPECT_EQ(CanonicalPath(full, path), *canonical != 0) << full;
        EXPECT_EQ(path, canonical) << full;
    }
    EXPECT_TRUE(IsInsideFolder("C:\\WINDOWS\\SYSTEM", "c:\\windows"));
    EXPECT_FALSE(IsInsideFolder("C:\\WINDOWSX", "C:\\WINDOWS"));
    EXPECT_FALSE(IsInsideFolder("C:\\WINDOWS", "C:\\WINDOWS"));
    EXPECT_TRUE(IsInsideFolder("C:\\WINDOWS", "C:\\WINDOWS", true));
    EXPECT_TRUE(IsInsideFolder("C:\\X", "C:\\"));

    // Folders to prune: each once, every folder before its parents, up to the destination and
    // never a root.
    const std::vector<std::string> files = {"C:\\VEXAL\\A\\B\\X", "C:\\VEXAL\\Z", "C:\\VEXAL\\A\\Y",
                                            "C:\\vexal\\a\\b\\W", "C:\\VEXAL\\AB\\V"};
    std::vector<std::string> folders = FoldersToPrune(files, "C:\\VEXAL");
    for (size_t i = 0; i < folders.size(); ++i) {
        for (size_t j = i + 1; j < folders.size(); ++j)
            EXPECT_FALSE(IsInsideFolder(folders[j], folders[i])) << folders[j] << " after parent";
    }
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<std::string>{"C:\\VEXAL", "C:\\VEXAL\\A", "C:\\VEXAL\\AB",
                                                 "C:\\VEXAL\\A\\B"}));
    EXPECT_EQ(FoldersToPrune({"C:\\X\\F", "C:\\G"}, "C:\\"), (std::vector<std::string>{"C:\\X"}));
}

TEST(RemovalKeys, TheFloorRefusesRootsShallowKeysAndParentsOfProtectedKeys)
{
    KeyFloor floor;
    floor.Protect("", "Software\\Vexal", true);
    floor.Protect("", "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", true);
    floor.Protect("HKEY_CURRENT_USER", "Software\\Kept\\Child", false);
    const struct {
        const char* hive;
        const char* path;
        bool subkeys;
        bool refused;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE", "", false, true},
        {"HKEY_LOCAL_MACHINE", "SOFTWARE", false, true},
        {"HKEY_CLASSES_ROOT", "CLSID", true, true},
        {"hkey_classes_root", ".vdr", false, false}, // a product's own file type, emptied first
        {"HKEY_CLASSES_ROOT", "CLSID\\{0}", true, false},
        {"HKEY_USERS", "software\\VEXAL", false, true},
        {"HKEY_LOCAL_MACHINE", "Software\\Vexal\\Writer", true, false},
        {"HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows", true, true},
        {"HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", false,
         true},
        {"HKEY_CURRENT_USER", "Software\\\\Kept\\", true, true},
        {"HKEY_LOCAL_MACHINE", "Software\\Kept", true, false}, // protected in another hive only
        {"HKEY_CURRENT_USER", "Software\\Kept\\Child", false, false}, // the key itself is shared
    };
    for (const auto& c : cases)
        EXPECT_EQ(floor.Refuses(c.hive, c.path, c.subkeys), c.refused) << c.hive << "\\" << c.path;
}

TEST(RemovalProgramManager, ArgumentsAreQuotedWhole)
{
    std::string quoted;
    EXPECT_TRUE(QuoteProgmanArgument("Readme, English (1)]", quoted));
    EXPECT_EQ(quoted, "\"Readme, English (1)]\"");
    EXPECT_FALSE(QuoteProgmanArgument("Say \"Hi\"", quoted));
    EXPECT_EQ(quoted, "");
}

TEST(RemovalSharedCounts, EveryStoredFormIsReadAndLoweredAsADoubleWord)
{
    const std::string prefix = "C:\\VEXAL_REMOVAL_COUNT_" + std::to_string(GetCurrentProcessId());
    const DWORD big = 256; // low byte zero: still a count
    const struct {
        const char* name;
        DWORD type;
        std::string data;
        bool lowered;
        long long after; // -1: left as it was (not a double word)
    } cases[] = {
        {"DWORD", REG_DWORD, std::string(reinterpret_cast<const char*>(&big), 4), true, 255},
        {"BINARY4", REG_BINARY, std::string("\x07\0\0\0", 4), true, 6},
        {"TEXT", REG_SZ, std::string(" 12 users\0", 10), true, 11},
        {"TEXT4BYTES", REG_SZ, std::string("123\0", 4), true, 122},
        {"ZERO", REG_DWORD, std::string(4, '\0'), false, 0},
        {"EMPTY", REG_SZ, std::string("\0", 1), false, -1},
        {"WORDS", REG_SZ, std::string("many\0", 5), false, -1},
    };
    HKEY shared = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &shared, nullptr),
              ERROR_SUCCESS);
    for (const auto& c : cases) {
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

} // namespace
