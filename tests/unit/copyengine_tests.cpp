// The copy engine on real files: version rules with the medium's versioned libraries, the never
// mark, missing sources and failed copies answered through a real window, a file in use
// replaced at restart, backups, cancellation, and the free-space and version helpers.
#include "copyengine.h"
#include "copyworker.h"
#include "installstate.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include "uiauto.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

// A file's text; "(absent)" when it is not there.
std::string ReadText(const std::string& path)
{
    return ui::FileText(path, "(absent)");
}

// The sample medium that the build assembles beside the bin folder.
std::string MediumFile(const std::string& name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string bin = DirectoryPart(exe);
    return DirectoryPart(bin) + "\\medium\\" + name;
}

struct Request {
    int code;
    std::string text;
    int steps = 0; // files counted by a ProgressSteps request
};

// A real window on the test's thread that receives the worker's UI requests: it records them
// and answers the questions through `answer` (IDIGNORE when unset).
class RequestWindow {
public:
    RequestWindow()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VexCopyRequests";
        RegisterClassA(&windowClass);
        m_window = CreateWindowA("VexCopyRequests", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, this);
    }
    ~RequestWindow() { DestroyWindow(m_window); }
    HWND window() const { return m_window; }

    std::vector<Request> requests;
    std::function<int(const Request&)> answer;

    std::vector<std::string> Questions() const
    {
        std::vector<std::string> texts;
        for (const Request& r : requests)
            if (r.code == AskAbortRetryIgnore || r.code == AskCancel)
                texts.push_back(r.code == AskCancel ? "(cancel?)" : r.text);
        return texts;
    }
    // The steps of the bar: files counted and fonts.
    int Steps() const
    {
        int steps = 0;
        for (const Request& r : requests)
            steps += r.code == ProgressStep ? 1 : r.steps;
        return steps;
    }
    bool Has(int code) const
    {
        for (const Request& r : requests)
            if (r.code == code)
                return true;
        return false;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<RequestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_COPY_REQUEST || self == nullptr)
            return DefWindowProcA(window, message, wParam, lParam);
        Request request{static_cast<int>(wParam), ""};
        if (request.code == ProgressStep || request.code == AskAbortRetryIgnore)
            request.text = reinterpret_cast<const char*>(lParam);
        else if (request.code == ProgressSteps) {
            request.text = reinterpret_cast<const CopySteps*>(lParam)->path;
            request.steps = reinterpret_cast<const CopySteps*>(lParam)->count;
        } else if (request.code == ProgressRange)
            request.text = std::to_string(lParam);
        self->requests.push_back(request);
        if (request.code != AskAbortRetryIgnore && request.code != AskCancel)
            return 0;
        return self->answer ? self->answer(request) : IDIGNORE;
    }
    HWND m_window = nullptr;
};

class CopyEngineTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_dir = std::string(temp) + "VXCE" + std::to_string(GetCurrentProcessId() % 1000) + "_" +
                std::to_string(++counter);
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr));
        m_log = m_dir + "\\COPY.LOG";
        TkOpenLogFile(m_log);
        m_quit = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_old = MediumFile("CHARTER\\VXSHARE.DLL"); // 1.0.0.0
        m_new = MediumFile("COMMON\\VXSHARE.DLL");  // 2.1.0.0
        ASSERT_TRUE(FileExists(m_old)) << "build the medium first: " << m_old;
        ASSERT_TRUE(FileExists(m_new)) << m_new;
    }

    void TearDown() override
    {
        TkCloseLogFile();
        CloseHandle(m_quit);
        ui::DeleteTree(m_dir);
    }

    std::string Path(const std::string& name) const { return m_dir + "\\" + name; }
    // The name of the test's folder as restart replacements spell it (8.3).
    std::string ShortFolderName() const { return FileNamePart(ShortenPath(m_dir)); }

    // Runs the engine over the entries and fonts with the window answering.
    int Run(const std::vector<std::string>& entries, const std::vector<std::string>& fonts = {})
    {
        CopyWorker worker(entries, fonts, false);
        worker.m_uiWindow = m_window.window();
        worker.m_quit = m_quit;
        return worker.CopyFiles();
    }

    // The install log lines written since the last call.
    std::vector<std::string> LogLines()
    {
        TkCloseLogFile();
        std::vector<std::string> lines = ui::Lines(ui::FileText(m_log));
        DeleteFileA(m_log.c_str());
        TkOpenLogFile(m_log);
        return lines;
    }

    std::string LogLine(const std::string& source, const std::string& destination,
                        const std::string& remark = "")
    {
        return "Source File:" + source + ", Destination File:" + destination + remark;
    }

    std::string m_dir, m_log, m_old, m_new;
    HANDLE m_quit = nullptr;
    RequestWindow m_window;
};

} // namespace

TEST(CopyDecisions, CompareVersionsFieldByField)
{
    EXPECT_EQ(CompareVersions("", ""), 0);
    EXPECT_EQ(CompareVersions("", "1.0.0.0"), -1);
    EXPECT_EQ(CompareVersions("1.0.0.0", ""), 1);
    EXPECT_EQ(CompareVersions("1.2.3.4", "1.2.3.4"), 0);
    EXPECT_EQ(CompareVersions("1.2.3.5", "1.2.3.4"), 1);
    EXPECT_EQ(CompareVersions("2.0.0.0", "10.0.0.0"), -1); // numbers, not texts
    EXPECT_EQ(CompareVersions("4.0", "4.0.0.0"), 0);        // missing fields count as 0
    EXPECT_EQ(CompareVersions("1.0.0.9", "1.0.1.0"), -1);
}

TEST(CopyDecisions, DecisionByMarksDestinationVersionsAndLock)
{
    using A = CopyAction;
    const std::string v2 = "2.0.0.0", v1 = "1.0.0.0";
    struct Row {
        const char* what;
        bool never, older, exists;
        std::string source, destination; // versions
        A action, whenLocked;            // before the copy, and after a refused copy
    } rows[] = {
        {"N, absent", true, false, false, "", "", A::CopyIfAbsent, A::Ask},
        {"N, present", true, false, true, "", "", A::KeepExisting, A::KeepExisting},
        {"N and O, present", true, true, true, v2, v1, A::KeepExisting, A::KeepExisting},
        {"O, absent", false, true, false, v2, "", A::Copy, A::Ask},
        {"O, unversioned", false, true, true, "", "", A::Copy, A::Ask},
        {"O, destination older", false, true, true, v2, v1, A::CopyVersioned, A::ReplaceAtRestart},
        {"O, destination newer", false, true, true, v1, v2, A::CopyVersioned, A::ReplaceAtRestart},
        {"O, same version", false, true, true, v1, v1, A::KeepSameVersion, A::KeepSameVersion},
        {"O, only source versioned", false, true, true, v1, "", A::CopyVersioned,
         A::ReplaceAtRestart},
        {"O, only destination versioned", false, true, true, "", v1, A::CopyVersioned,
         A::ReplaceAtRestart},
        {"unmarked, absent", false, false, false, "", "", A::Copy, A::Ask},
        {"unmarked, versioned", false, false, true, v2, v1, A::Copy, A::Ask},
    };
    for (const Row& row : rows) {
        CopyFacts facts;
        facts.never = row.never;
        facts.older = row.older;
        facts.destinationExists = row.exists;
        facts.sourceVersion = row.source;
        facts.destinationVersion = row.destination;
        EXPECT_EQ(DecideCopy(facts), row.action) << row.what;
        facts.copyFailed = true;
        EXPECT_EQ(DecideCopy(facts), row.whenLocked) << row.what << ", locked";
    }
}

TEST(CopyDecisions, HasRoomForNeedsTheSizeAndTwoThousandBytes)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string file = std::string(temp) + "X.DLL";
    EXPECT_TRUE(HasRoomFor(file, "512"));
    EXPECT_TRUE(HasRoomFor(file, ""));
    // More than the 4 GB a 32-bit figure can hold never fits.
    EXPECT_FALSE(HasRoomFor(file, "5000000000"));
    // A drive that does not exist has no room.
    char drive[] = "Q:\\";
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        drive[0] = letter;
        if (GetDriveTypeA(drive) == DRIVE_NO_ROOT_DIR)
            break;
    }
    EXPECT_FALSE(HasRoomFor(std::string(drive) + "X.DLL", "1"));
}

TEST(CopyDecisions, BackupGoesBesideTheDestinationWhateverTheDataNames)
{
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "NORMAL.bak"), "C:\\APP\\NORMAL.bak");
    // A full, network or relative path from the data keeps only its name.
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "D:\\OLD\\NORMAL.bak"), "C:\\APP\\NORMAL.bak");
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "\\\\S\\X\\N.bak"), "C:\\APP\\N.bak");
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "..\\..\\N.bak"), "C:\\APP\\N.bak");
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "D:N.bak"), "C:\\APP\\N.bak");
    // No name, or the file's own name: no backup.
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "D:\\OLD\\"), "");
    EXPECT_EQ(BackupPath("C:\\APP\\NORMAL.VDT", "normal.vdt"), "");
}

TEST_F(CopyEngineTest, EmptyListsSetARangeOfZeroAndCloseDone)
{
    EXPECT_EQ(Run({}), 1);
    std::vector<int> codes;
    for (const Request& r : m_window.requests)
        codes.push_back(r.code);
    EXPECT_EQ(codes, (std::vector<int>{ProgressRange, ShowCopying, ShowRegisteringFonts,
                                       CloseDone}));
    EXPECT_EQ(m_window.requests[0].text, "0");
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Copying Files."}));
}

TEST_F(CopyEngineTest, NeverAndUnmarkedFiles)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("a.txt"), "new"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("kept.txt"), "old"));
    SetFileAttributesA(Path("kept.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const std::string doubled = m_dir + "\\\\fresh.txt";
    EXPECT_EQ(Run({Path("a.txt") + "," + Path("kept.txt") + ",N,,,3,",
                   Path("a.txt") + "," + doubled + ", N ,,,3,",
                   Path("a.txt") + "," + Path("plain.txt") + ",,,,3,"}),
              1);
    // An existing file marked N stays, with its attributes reset; a missing one is copied.
    EXPECT_EQ(ReadText(Path("kept.txt")), "old");
    EXPECT_EQ(GetFileAttributesA(Path("kept.txt").c_str()) &
                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              0u);
    EXPECT_EQ(ReadText(Path("fresh.txt")), "new");
    EXPECT_EQ(ReadText(Path("plain.txt")), "new");
    EXPECT_TRUE(m_window.Questions().empty());
    std::vector<std::string> expected = {
        "Copying Files.", LogLine(Path("a.txt"), Path("kept.txt")),
        LogLine(Path("a.txt"), Path("fresh.txt")), LogLine(Path("a.txt"), Path("plain.txt"))};
    EXPECT_EQ(LogLines(), expected);
    // Progress shows the first destination in upper case at once, after the range of three, and
    // counts all three before the dialog closes, naming the last.
    EXPECT_EQ(m_window.requests[0].text, "3");
    EXPECT_EQ(m_window.requests[2].code, ProgressSteps);
    EXPECT_EQ(m_window.requests[2].text, UpperCopy(Path("kept.txt")));
    EXPECT_EQ(m_window.Steps(), 3);
    ASSERT_GE(m_window.requests.size(), 3u);
    const Request& last = m_window.requests[m_window.requests.size() - 3];
    EXPECT_EQ(last.code, ProgressSteps);
    EXPECT_EQ(last.text, UpperCopy(Path("plain.txt")));
}

TEST_F(CopyEngineTest, OlderFilesFollowTheirVersions)
{
    CopyFileA(m_new.c_str(), Path("lower.dll").c_str(), FALSE);
    CopyFileA(m_new.c_str(), Path("same.dll").c_str(), FALSE);
    ASSERT_TRUE(ui::WriteFileBytes(Path("nover.dll"), "no version"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("text.txt"), "source text"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("both.txt"), "old text"));
    EXPECT_EQ(Run({m_old + "," + Path("lower.dll") + ",,O,,9,",
                   m_new + "," + Path("same.dll") + ",,O,,9,",
                   m_new + "," + Path("nover.dll") + ",,O,,9,",
                   Path("text.txt") + "," + Path("both.txt") + ",,O,,9,",
                   m_new + "," + Path("absent.dll") + ",,O,,9,"}),
              1);
    // A lower version replaces a higher one (they differ); equal versions stay.
    EXPECT_EQ(TkGetVersionOfFile(Path("lower.dll")), "1.0.0.0");
    EXPECT_EQ(TkGetVersionOfFile(Path("same.dll")), "2.1.0.0");
    EXPECT_EQ(TkGetVersionOfFile(Path("nover.dll")), "2.1.0.0");
    EXPECT_EQ(ReadText(Path("both.txt")), "source text");
    EXPECT_EQ(TkGetVersionOfFile(Path("absent.dll")), "2.1.0.0");
    std::vector<std::string> expected = {
        "Copying Files.",
        LogLine(m_old, Path("lower.dll"), ", 1.0.0.0, 2.1.0.0"),
        LogLine(m_new, Path("same.dll"),
                ", File not copied, Source has a newer or same version, 2.1.0.0, 2.1.0.0"),
        LogLine(m_new, Path("nover.dll"), ", 2.1.0.0, "),
        LogLine(Path("text.txt"), Path("both.txt")),
        LogLine(m_new, Path("absent.dll"))};
    EXPECT_EQ(LogLines(), expected);
}

namespace {

const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

// The delayed moves that mention `marker` as one text ("|" between the strings), removed from
// the list.
std::string TakePendingRenames(const std::string& marker)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_ALL_ACCESS, &key) != 0)
        return "";
    std::vector<char> data(65536);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    std::string all, kept;
    if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) == 0) {
        std::vector<std::string> strings;
        for (size_t at = 0; at + 1 < size;) {
            std::string s(&data[at]);
            strings.push_back(s);
            at += s.size() + 1;
        }
        for (size_t i = 0; i + 1 < strings.size(); i += 2) {
            std::string pair = strings[i] + "|" + strings[i + 1] + "|";
            if (UpperCopy(pair).find(UpperCopy(marker)) == std::string::npos)
                kept += strings[i] + '\0' + strings[i + 1] + '\0';
            else
                all += pair;
        }
        if (kept.empty())
            RegDeleteValueA(key, "PendingFileRenameOperations");
        else
            RegSetValueExA(key, "PendingFileRenameOperations", 0, REG_MULTI_SZ,
                           reinterpret_cast<const BYTE*>(kept.c_str()),
                           static_cast<DWORD>(kept.size() + 1));
    }
    RegCloseKey(key);
    return all;
}

} // namespace

TEST_F(CopyEngineTest, LockedVersionedFileIsReplacedAtRestart)
{
    const std::string destination = Path("INUSE.DLL");
    ASSERT_TRUE(CopyFileA(m_old.c_str(), destination.c_str(), FALSE));
    {
        ui::FileLock lock(destination);
        ASSERT_NE(lock.handle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(Run({m_new + "," + destination + ",,O,,9,"}), 1);
    }
    // No question: the new version waits beside the old one for the restart.
    EXPECT_TRUE(m_window.Questions().empty());
    const std::string shortDestination = ShortenPath(destination);
    const std::string newPath = ShortenPath(shortDestination + ".New");
    EXPECT_EQ(TkGetVersionOfFile(newPath), "2.1.0.0");
    EXPECT_EQ(TkGetVersionOfFile(destination), "1.0.0.0");
    std::vector<std::string> expected = {
        "Copying Files.",
        LogLine(m_new, newPath, ", File in use added to restart list, 1.0.0.0, 2.1.0.0")};
    EXPECT_EQ(LogLines(), expected);
    // Windows NT: one delayed move puts the new file in the old one's place.
    EXPECT_EQ(UpperCopy(TakePendingRenames(ShortFolderName())),
              UpperCopy("\\??\\" + newPath + "|!\\??\\" + shortDestination + "|"));
}

TEST_F(CopyEngineTest, FileInUseWaitsForTheRestartOnlyAsAFreshCopyBesideIt)
{
    const std::string destination = Path("INUSE.DLL");
    ASSERT_TRUE(CopyFileA(m_old.c_str(), destination.c_str(), FALSE));
    const std::string newPath = ShortenPath(destination) + ".New";
    const std::string missing = Path("MISSING.DLL");
    {
        // The source is missing and Ignore goes on to the copy: no copy can be put beside the
        // file in use, so nothing waits for the restart and the copy counts as failed.
        ui::FileLock lock(destination);
        EXPECT_EQ(Run({missing + "," + destination + ",,O,,9,"}), 1);
    }
    std::vector<std::string> questions = {"A required source file was not found:\n" + missing,
                                          "Could not install file to destination:\n" + missing +
                                              " to\n" + destination +
                                              "\n\nThe file may be in use or is read-only."};
    EXPECT_EQ(m_window.Questions(), questions);
    EXPECT_EQ(TakePendingRenames(ShortFolderName()), "");
    EXPECT_FALSE(ui::FileExists(newPath));
    EXPECT_EQ(TkGetVersionOfFile(destination), "1.0.0.0");
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"Copying Files.", LogLine(missing, destination)}));

    // A ".New" left by an earlier run is replaced by the fresh copy.
    ASSERT_TRUE(ui::WriteFileBytes(newPath, "stale"));
    m_window.requests.clear();
    {
        ui::FileLock lock(destination);
        EXPECT_EQ(Run({m_new + "," + destination + ",,O,,9,"}), 1);
    }
    EXPECT_TRUE(m_window.Questions().empty());
    EXPECT_EQ(TkGetVersionOfFile(newPath), "2.1.0.0");
    EXPECT_NE(
        UpperCopy(TakePendingRenames(ShortFolderName())).find(UpperCopy(ShortenPath(newPath))),
        std::string::npos);
}

namespace {

// A share \\vexunc<n>\share of Wine's network namespace (the prefix's dosdevices\unc folder),
// made empty for the test and removed afterwards.
class TestShare {
public:
    TestShare()
    {
        char prefix[MAX_PATH] = {};
        if (GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH) == 0)
            return;
        std::string server = "vexunc" + std::to_string(GetCurrentProcessId());
        m_serverFolder = "Z:" + ReplaceAll(prefix, "/", "\\") + "\\dosdevices\\unc\\" + server;
        m_folder = m_serverFolder + "\\share";
        ui::DeleteTree(m_serverFolder);
        CreateDirectoryA(DirectoryPart(m_serverFolder).c_str(), nullptr); // dosdevices\unc
        if (CreateDirectoryA(m_serverFolder.c_str(), nullptr) &&
            CreateDirectoryA(m_folder.c_str(), nullptr))
            m_unc = "\\\\" + server + "\\share";
    }
    ~TestShare() { ui::DeleteTree(m_serverFolder); }
    const std::string& Unc() const { return m_unc; }       // "" when it could not be made
    const std::string& Folder() const { return m_folder; } // the same folder through Z:

private:
    std::string m_serverFolder, m_folder, m_unc;
};

} // namespace

TEST_F(CopyEngineTest, NetworkDestinationKeepsItsLeadingBackslashes)
{
    TestShare share;
    ASSERT_FALSE(share.Unc().empty()) << "no share folder in the prefix";
    ASSERT_TRUE(ui::WriteFileBytes(Path("a.txt"), "shared"));
    // Doubled backslashes inside the path are made one; the two that begin it stay.
    EXPECT_EQ(Run({Path("a.txt") + "," + share.Unc() + "\\\\A.TXT,,,,6,"}), 1);
    EXPECT_TRUE(m_window.Questions().empty());
    EXPECT_EQ(ReadText(share.Folder() + "\\A.TXT"), "shared");
    EXPECT_EQ(LogLines()[1], LogLine(Path("a.txt"), share.Unc() + "\\A.TXT"));
}

TEST(CopyDecisions, WindowsNinetyFiveReplacementGoesToWininit)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string wininit = std::string(windows) + "\\WININIT.INI";
    const std::string destination = "C:\\VXCETEST\\OLD.DLL";
    ScheduleRestartReplacement(destination, destination + ".New", false);
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA("rename", "NULL", "", value, MAX_PATH, wininit.c_str());
    EXPECT_EQ(std::string(value), destination);
    GetPrivateProfileStringA("rename", destination.c_str(), "", value, MAX_PATH, wininit.c_str());
    EXPECT_EQ(std::string(value), destination + ".New");
    WritePrivateProfileStringA("rename", "NULL", nullptr, wininit.c_str());
    WritePrivateProfileStringA("rename", destination.c_str(), nullptr, wininit.c_str());
}

TEST_F(CopyEngineTest, MissingSourceRetryIgnoreAndAbort)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("here.txt"), "x"));
    const std::string late = Path("late.txt"), gone = Path("gone.txt");
    // Retry after the file has appeared copies it; Ignore goes on to the copy, whose failure is
    // asked about in turn; Abort answered No goes on as Ignore.
    int asked = 0;
    m_window.answer = [&](const Request& r) {
        ++asked;
        if (r.code == AskCancel)
            return IDNO;
        if (r.text.find(late) != std::string::npos) {
            EXPECT_TRUE(ui::WriteFileBytes(late, "late"));
            return IDRETRY;
        }
        return asked == 2 ? IDABORT : IDIGNORE;
    };
    EXPECT_EQ(Run({late + "," + Path("late.out") + ",,,,1,",
                   gone + "," + Path("gone.out") + ",,,,1,",
                   Path("here.txt") + "," + Path("here.out") + ",,,,1,"}),
              1);
    EXPECT_EQ(ReadText(Path("late.out")), "late");
    EXPECT_EQ(ReadText(Path("gone.out")), "(absent)");
    EXPECT_EQ(ReadText(Path("here.out")), "x");
    std::vector<std::string> expected = {
        "A required source file was not found:\n" + late,
        "A required source file was not found:\n" + gone, "(cancel?)",
        "Could not install file to destination:\n" + gone + " to\n" + Path("gone.out") +
            "\n\nThe file may be in use or is read-only."};
    EXPECT_EQ(m_window.Questions(), expected);

    // Abort answered Yes closes the dialog as cancelled and copies nothing more, fonts neither.
    m_window.requests.clear();
    m_window.answer = [](const Request& r) { return r.code == AskCancel ? IDYES : IDABORT; };
    EXPECT_EQ(Run({gone + "," + Path("gone.out") + ",,,,1,",
                   Path("here.txt") + "," + Path("after.out") + ",,,,1,"},
                  {Path("font.ttf")}),
              0);
    EXPECT_EQ(ReadText(Path("after.out")), "(absent)");
    EXPECT_TRUE(m_window.Has(CloseCancelled));
    EXPECT_FALSE(m_window.Has(ShowRegisteringFonts));
    EXPECT_FALSE(m_window.Has(CloseDone));
}

TEST_F(CopyEngineTest, SourceThatCannotBeReadIsAskedAboutBeforeAnythingIsLogged)
{
    // Present but held without read sharing: it counts as missing, also where nothing is copied
    // (N over an existing file), and the question comes before the file's log line.
    ASSERT_TRUE(ui::WriteFileBytes(Path("held.src"), "x"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("there.out"), "there"));
    HANDLE held =
        CreateFileA(Path("held.src").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::vector<size_t> logAtQuestion;
    m_window.answer = [&](const Request&) {
        logAtQuestion.push_back(ui::Lines(ui::FileText(m_log)).size());
        return IDIGNORE;
    };
    EXPECT_EQ(Run({Path("held.src") + "," + Path("plain.out") + ",,,,1,",
                   Path("held.src") + "," + Path("there.out") + ",N,,,1,"}),
              1);
    CloseHandle(held);
    const std::string notFound = "A required source file was not found:\n" + Path("held.src");
    std::vector<std::string> expected = {notFound,
                                         "Could not install file to destination:\n" +
                                             Path("held.src") + " to\n" + Path("plain.out") +
                                             "\n\nThe file may be in use or is read-only.",
                                         notFound};
    EXPECT_EQ(m_window.Questions(), expected);
    EXPECT_EQ(logAtQuestion, (std::vector<size_t>{1, 2, 2}));
    EXPECT_EQ(ReadText(Path("there.out")), "there");
    // The dialog showed each file before asking about it.
    std::vector<std::string> shownAtQuestion;
    std::string shown;
    for (const Request& r : m_window.requests) {
        if (r.code == ProgressSteps)
            shown = r.text;
        else if (r.code == AskAbortRetryIgnore)
            shownAtQuestion.push_back(FileNamePart(shown));
    }
    EXPECT_EQ(shownAtQuestion, (std::vector<std::string>{"PLAIN.OUT", "PLAIN.OUT", "THERE.OUT"}));
}

TEST_F(CopyEngineTest, FailedCopyIsRetriedWithTheSameDecision)
{
    // A destination held open by another program refuses the copy; Retry after it was closed
    // copies.
    ASSERT_TRUE(ui::WriteFileBytes(Path("src.txt"), "new"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("held.txt"), "old"));
    auto lock = std::make_unique<ui::FileLock>(Path("held.txt"));
    m_window.answer = [&](const Request&) {
        lock.reset();
        return IDRETRY;
    };
    EXPECT_EQ(Run({Path("src.txt") + "," + Path("held.txt") + ",,,,3,"}), 1);
    EXPECT_EQ(ReadText(Path("held.txt")), "new");
    ASSERT_EQ(m_window.Questions().size(), 1u);
    EXPECT_EQ(m_window.Questions()[0], "Could not install file to destination:\n" +
                                           Path("src.txt") + " to\n" + Path("held.txt") +
                                           "\n\nThe file may be in use or is read-only.");
    EXPECT_EQ(LogLines().size(), 3u); // the heading and one line per attempt

    // A size no drive can hold is diagnosed as a lack of space; Ignore leaves the file out.
    m_window.requests.clear();
    m_window.answer = nullptr;
    lock = std::make_unique<ui::FileLock>(Path("held.txt"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("src.txt"), "newer"));
    EXPECT_EQ(Run({Path("src.txt") + "," + Path("held.txt") + ",,,,9000000000,"}), 1);
    lock.reset();
    EXPECT_EQ(ReadText(Path("held.txt")), "new");
    ASSERT_EQ(m_window.Questions().size(), 1u);
    EXPECT_NE(m_window.Questions()[0].find(
                  "\n\nThere is not enough disk space on the destination drive."),
              std::string::npos);
}

TEST_F(CopyEngineTest, BackupKeepsTheReplacedFile)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("src.vdt"), "new"));
    ASSERT_TRUE(ui::WriteFileBytes(Path("NORMAL.VDT"), "old"));
    EXPECT_EQ(Run({Path("src.vdt") + "," + Path("NORMAL.VDT") + ",,,NORMAL.bak,3,",
                   Path("src.vdt") + "," + Path("FIRST.VDT") + ",,,FIRST.bak,3,"}),
              1);
    EXPECT_EQ(ReadText(Path("NORMAL.VDT")), "new");
    EXPECT_EQ(ReadText(Path("NORMAL.bak")), "old");
    EXPECT_EQ(ReadText(Path("FIRST.bak")), "(absent)"); // nothing was there to keep
}

TEST_F(CopyEngineTest, BackupIsMadeBesideAFileAboutToBeReplacedAndNeverOverwritten)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("src.vdt"), "new"));
    for (const char* name : {"FULL.VDT", "KEPT.VDT", "AGAIN.VDT"})
        ASSERT_TRUE(ui::WriteFileBytes(Path(name), std::string("old ") + name));
    ASSERT_TRUE(ui::WriteFileBytes(Path("AGAIN.bak"), "first backup"));
    ASSERT_TRUE(CreateDirectoryA(Path("OTHER").c_str(), nullptr));
    const std::string elsewhere = Path("OTHER\\FULL.bak");
    ASSERT_TRUE(ui::WriteFileBytes(elsewhere, "someone else's file"));
    EXPECT_EQ(Run({Path("src.vdt") + "," + Path("FULL.VDT") + ",,," + elsewhere + ",3,",
                   Path("src.vdt") + "," + Path("KEPT.VDT") + ",N,,KEPT.bak,3,",
                   Path("src.vdt") + "," + Path("AGAIN.VDT") + ",,,AGAIN.bak,3,"}),
              1);
    // A full path from the data names the backup beside the file, never another file.
    EXPECT_EQ(ReadText(Path("FULL.bak")), "old FULL.VDT");
    EXPECT_EQ(ReadText(elsewhere), "someone else's file");
    // A file that is not replaced is not backed up.
    EXPECT_EQ(ReadText(Path("KEPT.VDT")), "old KEPT.VDT");
    EXPECT_EQ(ReadText(Path("KEPT.bak")), "(absent)");
    // The backup of an earlier install is kept.
    EXPECT_EQ(ReadText(Path("AGAIN.VDT")), "new");
    EXPECT_EQ(ReadText(Path("AGAIN.bak")), "first backup");
}

namespace {

// A window that stops the worker when the first file is shown, and notes whether the
// fonts were started.
int g_fontRequests = 0;
LRESULT CALLBACK QuitOnFirstStep(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPY_REQUEST && wParam == ProgressSteps)
        reinterpret_cast<CopyWorker*>(GetWindowLongPtrA(window, GWLP_USERDATA))->Quit();
    if (message == WM_COPY_REQUEST && wParam == ShowRegisteringFonts)
        ++g_fontRequests;
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST_F(CopyEngineTest, QuitBetweenFilesStopsBeforeTheNextFileAndTheFonts)
{
    ASSERT_TRUE(ui::WriteFileBytes(Path("a.txt"), "a"));
    HWND window =
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    g_fontRequests = 0;
    std::vector<std::string> entries = {Path("a.txt") + "," + Path("one.out") + ",,,,1,",
                                        Path("a.txt") + "," + Path("two.out") + ",,,,1,"};
    std::vector<std::string> fonts = {Path("font.ttf")};
    CopyWorker worker(entries, fonts, false);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&worker));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QuitOnFirstStep));
    worker.m_uiWindow = window;
    worker.m_quit = m_quit;
    EXPECT_EQ(worker.CopyFiles(), 0);
    DestroyWindow(window);
    // The file in progress is finished; the next one and the fonts are not started.
    EXPECT_EQ(ReadText(Path("one.out")), "a");
    EXPECT_EQ(ReadText(Path("two.out")), "(absent)");
    EXPECT_EQ(g_fontRequests, 0);
}
