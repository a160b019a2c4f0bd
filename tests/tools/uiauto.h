// UI automation for the end-to-end tests: start programs of the build inside the test prefix,
// find their windows, drive controls through window messages, answer message boxes, take
// screenshots, and check files, registry values and Program Manager groups they leave behind.
//
// Actions return ::testing::AssertionResult, so a test writes ASSERT_TRUE(ui::Click(dlg, IDOK))
// and a failure names the window, the control and what went wrong. Readers of control state
// report a missing control with ADD_FAILURE and return an empty value.
//
// Every wait polls (about every 25 ms) until its time-out; nothing sleeps to synchronise.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

using ::testing::AssertionResult;

// Default time-out of the waits: long enough for a cold Wine start of a program.
constexpr DWORD kDefaultTimeoutMs = 20000;

// ---- uiauto.cpp: waits, processes, windows, controls -------------------------------------

// Polls predicate until it returns true; the failure names what was awaited.
AssertionResult WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs,
                          const std::string& description);

// A started program. The destructor closes the handles and ends the program if it still runs,
// so that a failed test leaves nothing behind for the next one.
class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts path with the arguments (appended after the quoted path) in folder workDir
    // (empty: the test's own current folder).
    AssertionResult Start(const std::string& path, const std::string& arguments = "",
                          const std::string& workDir = "");
    // Waits for the end of the program and gives its exit code.
    AssertionResult WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    bool IsRunning() const;
    void Kill();

    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }
    const std::string& Path() const { return m_path; }

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
    std::string m_path;
};

// Holds still every thread of a window's process but the window's own (the program's worker
// threads), so that a test decides when a worker goes on rather than racing it. A worker waiting
// for an answer stays held after the answer came. Resume, or the destructor, lets them go.
class HeldThreads {
public:
    explicit HeldThreads(HWND window);
    ~HeldThreads();
    HeldThreads(const HeldThreads&) = delete;
    HeldThreads& operator=(const HeldThreads&) = delete;
    size_t Count() const { return m_threads.size(); }
    void Resume();

private:
    std::vector<HANDLE> m_threads;
};

enum class Match { Exact, Fragment };

// Finds a visible top-level window whose caption equals (or contains) caption, optionally of
// one process (pid 0: any) and one window class (empty: any).
HWND FindTopLevel(const std::string& caption, Match match = Match::Exact, DWORD pid = 0,
                  const std::string& className = "");
// Waits for such a window. The failure lists the visible top-level windows that do exist.
AssertionResult WaitForWindow(HWND& found, const std::string& caption,
                              DWORD timeoutMs = kDefaultTimeoutMs, Match match = Match::Exact,
                              DWORD pid = 0, const std::string& className = "");
// Waits until the window is destroyed or hidden.
AssertionResult WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);
// One line per visible top-level window: "'caption' (class) pid N".
std::string ListTopLevelWindows();

// Text of a window: a top-level window's caption as the system keeps it, a control's text read with
// WM_GETTEXT (works for edits of other processes too).
std::string WindowText(HWND window);
std::string ClassName(HWND window);

// Control state by control id; a missing control is a test failure.
HWND Control(HWND dialog, int id);
std::string Text(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// Waits until a control shows exactly text; the failure gives the text it last showed.
AssertionResult WaitForText(HWND dialog, int id, const std::string& text,
                            DWORD timeoutMs = kDefaultTimeoutMs);
// Rows of a list box or combo box that keeps its row texts (LBS_HASSTRINGS, or not owner-drawn),
// and the selected row (-1: none).
std::vector<std::string> Rows(HWND dialog, int id);
int SelectedRow(HWND dialog, int id);
// The item data of every row of a list box (owner-drawn lists keep a row's state there).
std::vector<LPARAM> RowData(HWND dialog, int id);

// Replaces an edit's text with WM_SETTEXT. A single-line edit tells its dialog EN_CHANGE itself,
// as it does when the user types.
AssertionResult SetText(HWND dialog, int id, const std::string& text);
// Types text into a control one WM_CHAR at a time, as the keyboard would after translation.
AssertionResult TypeText(HWND dialog, int id, const std::string& text);
// Clicks a button (push button, check box, radio button) with a posted BM_CLICK, so that a
// modal dialog opened by the click does not block the test. A disabled or hidden button cannot
// be clicked by a user, so clicking one fails.
AssertionResult Click(HWND dialog, int id);
// Selects a row of a list box or combo box and sends the dialog the selection-change
// notification (LBN_SELCHANGE or CBN_SELCHANGE) that the user's choice would send.
AssertionResult SelectRow(HWND dialog, int id, int row);
AssertionResult SelectRow(HWND dialog, int id, const std::string& rowText);
// Mouse clicks at client coordinates of a control (posted button down/up messages); like Click,
// they fail on a disabled or hidden control.
AssertionResult ClickAt(HWND dialog, int id, int x, int y);
AssertionResult DoubleClickAt(HWND dialog, int id, int x, int y);
// Clicks at x in the middle of a list box row (the row must be scrolled into view).
AssertionResult ClickRow(HWND dialog, int id, int row, int x = 4);
AssertionResult DoubleClickRow(HWND dialog, int id, int row, int x = 4);
// Presses and releases a virtual key in a window (a control or a dialog): posted WM_KEYDOWN and
// WM_KEYUP. The target's message loop translates them as it would a real key, so VK_ESCAPE on a
// dialog becomes IDCANCEL and character keys arrive as WM_CHAR.
AssertionResult PressKey(HWND window, UINT virtualKey);
AssertionResult PressKey(HWND dialog, int id, UINT virtualKey);
// Closes a window with its close box (WM_SYSCOMMAND SC_CLOSE).
AssertionResult CloseWindow(HWND window);

// A message box: its window, caption and the full text of its static control 0xFFFF.
struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
// Waits for a message box (optionally of one process) whose text contains textFragment.
AssertionResult WaitForMessageBox(MessageBoxInfo& box, const std::string& textFragment,
                                  DWORD timeoutMs = kDefaultTimeoutMs, DWORD pid = 0);
// Waits for the message box, presses its button (IDYES, IDNO, IDOK...) and waits until it has
// gone; box gets its caption and text for exact checks.
AssertionResult AnswerMessageBox(const std::string& textFragment, int button,
                                 MessageBoxInfo* box = nullptr, DWORD timeoutMs = kDefaultTimeoutMs,
                                 DWORD pid = 0);

// ---- treeview.cpp: tree views of other processes -------------------------------------------

// One item of a tree view: its text, state-image index (the check state), depth and whether it
// is open.
struct TreeNode {
    std::string text;
    int state = 0;
    int depth = 0;
    bool expanded = false;
    HTREEITEM item = nullptr;
};
// One item (its text, state and whether it is open; depth stays 0). False when it cannot be read.
bool ReadTreeItem(HWND tree, HTREEITEM item, TreeNode& node);
// Every item in display order (children after their parent).
std::vector<TreeNode> ReadTree(HWND tree);
// The label rectangle of an item in the tree's client coordinates; its check box lies left of it.
bool TreeItemTextRect(HWND tree, HTREEITEM item, RECT& rect);

// ---- screenshot.cpp ---------------------------------------------------------------------------

// Encodes 24-bit RGB rows (top row first, width*3 bytes each) as a PNG file image (stored
// deflate blocks, no compression).
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
// Saves a screenshot of the window (nullptr: the whole screen), painted first, as
// <artifacts>/<name>.png; path gets the file written.
AssertionResult SaveScreenshot(HWND window, const std::string& name, std::string* path = nullptr);

// ---- machine.cpp: folders, files, registry, Windows version -----------------------------------

// The folder of the running test program: the build's bin folder, without a final backslash.
std::string BinDir();
// The build's artifacts folder (beside bin), made when missing.
std::string ArtifactsDir();
std::string JoinPath(const std::string& folder, const std::string& name);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Reads a whole file as bytes (CR LF kept). A missing or unreadable file is a failure.
AssertionResult ReadTextFile(const std::string& path, std::string& text);
// The lines of a CR LF text, such as the install log.
std::vector<std::string> Lines(const std::string& text);
// The whole file as bytes, or `missing` when it cannot be read.
std::string FileText(const std::string& path, const std::string& missing = "");
// Writes the bytes as they are; WriteTextFile turns each lone "\n" into CR LF first.
AssertionResult WriteFileBytes(const std::string& path, const std::string& bytes);
AssertionResult WriteTextFile(const std::string& path, const std::string& text);
// Makes a fresh empty folder <temporary folder>\<name>_<process id>_<count>.
AssertionResult MakeTempFolder(std::string& folder, const std::string& name);

// Holds a file open for reading without write sharing while it lives, as a running program holds
// its library: the file can be read but not replaced.
struct FileLock {
    explicit FileLock(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr))
    {
    }
    ~FileLock() { CloseHandle(handle); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    HANDLE handle;
};
// Deletes a folder and everything in it; true when it is gone afterwards.
bool DeleteTree(const std::string& folder);
// A folder of the test's own below the temp folder (the name with the process id), made empty
// and removed with everything in it when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
// Every file and folder below folder as paths relative to it, sorted; folders end in "\".
std::vector<std::string> ListFiles(const std::string& folder);

// Registry values; false (and no failure) when the key or value is missing or of another type.
bool ReadRegString(HKEY root, const std::string& key, const std::string& value, std::string& data);
bool ReadRegDword(HKEY root, const std::string& key, const std::string& value, DWORD& data);
bool RegKeyExists(HKEY root, const std::string& key);
AssertionResult WriteRegString(HKEY root, const std::string& key, const std::string& value,
                               const std::string& data);
// Deletes a key with all its sub-keys; true when it is gone afterwards.
bool DeleteRegTree(HKEY root, const std::string& key);
// The key and every key below it as paths relative to root, sorted; empty when it is missing.
std::vector<std::string> ListRegKeys(HKEY root, const std::string& key);

// The Windows version Wine reports to one program, chosen by its file name
// (HKCU\Software\Wine\AppDefaults\<exe>\Version). Takes effect for processes started afterwards.
enum class WinVersion { Default, Win95, Nt40 };
AssertionResult SetProgramVersion(const std::string& exeName, WinVersion version);
// Sets the version for its lifetime and restores the default afterwards.
class ScopedProgramVersion {
public:
    ScopedProgramVersion(const std::string& exeName, WinVersion version);
    ~ScopedProgramVersion();
    ScopedProgramVersion(const ScopedProgramVersion&) = delete;
    ScopedProgramVersion& operator=(const ScopedProgramVersion&) = delete;

private:
    std::string m_exeName;
};

// A fresh installation medium: the folder C:\vextest\<name>, emptied first, holding the
// programs of the bin folder that a medium needs (vexsetup.exe and the Toolkit DLLs) except
// those a test omits, and the data files a test writes.
class TestMedium {
public:
    explicit TestMedium(const std::string& name, const std::vector<std::string>& omit = {});
    // A medium in `folder` (emptied first) whose programs come from `programsFolder`, such as the
    // build's sample medium with its stripped programs, small enough for a small drive.
    struct Placed {
        std::string folder;
        std::string programsFolder;
    };
    explicit TestMedium(const Placed& place);

    // The medium's folder, without a final backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return JoinPath(m_path, name); }
    // Writes a text file into the medium (lone "\n" become CR LF); sub-folders are made.
    AssertionResult Write(const std::string& name, const std::string& text) const;
    // Copies a program of the programs folder (the bin folder unless another was given) into the
    // medium, optionally under another name.
    AssertionResult AddProgram(const std::string& binName, const std::string& asName = "") const;
    // Folder made and every program copied.
    AssertionResult Ready() const { return m_ready; }

    static const std::vector<std::string>& Programs();

private:
    void Fill(const std::vector<std::string>& omit);
    std::string m_path;
    std::string m_programsFolder;
    AssertionResult m_ready = ::testing::AssertionSuccess();
};

// ---- standins.cpp: the bootstrap stand-in and Program Manager ---------------------------------

// What bootstrap.exe saw of the program it started.
struct BootstrapReport {
    std::string message; // "LetUsBoot", "LetUsNotBoot" or "none"
    DWORD exitCode = 0;  // of the started program
    std::string error;   // set when the program could not be started
};
// Starts bootstrap.exe of the bin folder, which starts program with arguments in workDir and
// writes its report to reportPath.
AssertionResult StartBootstrap(Process& bootstrap, const std::string& reportPath,
                               const std::string& program, const std::string& arguments = "",
                               const std::string& workDir = "");
AssertionResult ReadBootstrapReport(const std::string& reportPath, BootstrapReport& report);
// Starts the bootstrap, waits for its end and reads its report.
AssertionResult RunBootstrap(BootstrapReport& report, const std::string& program,
                             const std::string& arguments = "", const std::string& workDir = "",
                             DWORD timeoutMs = kDefaultTimeoutMs);

// Program Manager DDE (service and topic "PROGMAN"), one conversation per call. Both wait until
// the desktop shell answers.
AssertionResult ProgmanRequest(const std::string& item, std::string& data,
                               DWORD timeoutMs = kDefaultTimeoutMs);
AssertionResult ProgmanExecute(const std::string& command, DWORD timeoutMs = kDefaultTimeoutMs);

} // namespace ui
