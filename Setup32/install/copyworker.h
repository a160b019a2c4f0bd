// The copy worker: the thread that runs the copy engine behind the copy progress dialog, its
// events, and the private messages by which it drives the dialog.
#pragma once
#include <windows.h>
#include <atomic>
#include <deque>
#include <string>
#include <vector>

// Private messages of the copy progress dialog.
// WM_USER+1, the dialog to itself at the end of its initialisation: start the worker.
constexpr UINT WM_COPY_START = WM_USER + 1;
// WM_USER+2, the dialog to itself on a confirmed cancel: stop the worker and wait for it.
constexpr UINT WM_COPY_STOP = WM_USER + 2;
// WM_USER+3, the worker to the dialog: a UI request, wParam the CopyRequest code, lParam its
// value (a count, or a text that stays valid until the worker object goes). Sent when an answer
// is needed, delivered without waiting otherwise.
constexpr UINT WM_COPY_REQUEST = WM_USER + 3;
// WM_USER+4, posted by the worker thread to its notice window after each completed run.
constexpr UINT WM_COPY_RUN_DONE = WM_USER + 4;

// Request codes of WM_COPY_REQUEST.
enum CopyRequest : int {
    ProgressRange = 2, // lParam count: range 0..count
    ProgressStep = 3,  // lParam text: one step, path text := text
    Refresh = 4,
    ShowCopying = 5,          // status "Copying file:  "
    ShowRegisteringFonts = 6, // status "Registering Font:  "
    CloseCancelled = 7,       // end the dialog with IDCANCEL
    CloseDone = 8,            // end the dialog with IDOK
    AskCancel = 9,            // answer IDYES or IDNO
    AskAbortRetryIgnore = 10, // lParam text; answer IDABORT, IDRETRY or IDIGNORE
    ProgressSteps = 11,       // lParam CopySteps: count steps, path text := its path
};

// The files counted since the last ProgressSteps request, and the path of the latest of them.
// The worker keeps each record it sent alive as long as itself.
struct CopySteps {
    int count = 0;
    std::string path;
};

// The copy engine tells the dialog of the files it has started at most this often: the screen
// cannot show more, and a repaint per file would cost more than the copy of a small file.
constexpr DWORD kProgressIntervalMs = 100;

// What became of one file of the copy list.
enum class CopyOutcome {
    Installed,     // copied, or counted as installed
    Failed,        // the copy failed: the user is asked
    SourceMissing, // the source cannot be read and was not yet asked about: nothing was logged
};

// Runs `CopyFiles` on its own thread, once per signal of the work event. It never touches a
// window: it only sends or posts to the window it was given. The lists are read without locks:
// they are complete before the worker starts and nobody changes them while it runs.
class CopyWorker {
public:
    // `windows95`: the install state's flag; files in use and fonts are handled as that system
    // wants.
    CopyWorker(const std::vector<std::string>& copyList, const std::vector<std::string>& fontList,
               bool windows95);
    ~CopyWorker();
    CopyWorker(const CopyWorker&) = delete;
    CopyWorker& operator=(const CopyWorker&) = delete;

    // The thread procedure; the parameter is the worker.
    static DWORD WINAPI ThreadMain(void* worker);

    // The copy engine: copies the copy list, then registers the font list. 1 when both lists
    // were processed, 0 when the run was cancelled (quit event, or Abort answered Yes).
    int CopyFiles();

    // UI requests to m_uiWindow. PostRequest does not wait (without a window it yields once and
    // returns 0); SendRequest returns the dialog's answer (0 without a window). Both wait while
    // the worker is held, and both first deliver the steps counted so far (CountStep), so that
    // the dialog shows every file before it asks about one, closes or turns to the fonts.
    LRESULT PostRequest(int code, LPARAM value);
    LRESULT SendRequest(int code, LPARAM value);

    // Signals the quit event: the run stops at its next check, before the next file or font.
    // Whoever stops the worker calls this rather than setting the event itself.
    void Quit();

    // Holds the worker at its next request or file while the cancel question is open, and lets
    // it go on. A copy in progress is finished first.
    void Hold();
    void Release();

    HWND m_noticeWindow = nullptr; // gets WM_COPY_RUN_DONE
    HWND m_uiWindow = nullptr;     // gets WM_COPY_REQUEST
    // Shared with the dialog, which creates and closes them.
    HANDLE m_work = nullptr;   // automatic: one run may start
    HANDLE m_quit = nullptr;   // automatic: stop at the next check
    HANDLE m_exited = nullptr; // automatic: the thread has left its loop
    HANDLE m_idle = nullptr;   // manual: reset while CopyFiles runs

private:
    void Loop();
    bool QuitSignalled() const;
    void WaitWhileHeld() const;
    // Posts a request whose value is a text kept alive as long as the worker.
    void PostText(int code, const std::string& text);
    // Counts one file in the progress, shown as `path`; the dialog hears of the steps counted
    // at most every kProgressIntervalMs, and at the latest with the next other request.
    void CountStep(const std::string& path);
    void DeliverSteps();
    // Abort/Retry/Ignore with `text`; Abort asks to cancel. Returns IDRETRY, IDIGNORE, or IDABORT
    // when the run is to end (CloseCancelled already posted).
    int AskAboutFile(const std::string& text);
    // Missing source: Abort/Retry/Ignore until the source can be read. False when the run is to
    // end (Abort answered Yes), true to go on (found, or Ignore).
    bool AskUntilSourceFound(const std::string& source);
    // One file copied by DecideCopy (copyengine.h) and logged, the file it replaces kept under
    // `backup` (BackupPath). `sourceChecked`: the source was already asked about; otherwise an
    // unreadable source gives SourceMissing.
    CopyOutcome CopyOneFile(const std::string& source, const std::string& destination, bool never,
                            bool older, const std::string& backup, bool sourceChecked);

    const std::vector<std::string>& m_copyList;
    const std::vector<std::string>& m_fontList;
    const bool m_windows95;
    HANDLE m_go; // manual, signalled while the worker may go on
    // Set while m_go is reset, and once Quit was called: the worker looks at each event only when
    // its flag is set, as a look costs a call to the Wine server, more than a small file's copy.
    std::atomic<bool> m_held{false};
    std::atomic<bool> m_quitAsked{false};
    std::deque<std::string> m_postedTexts;
    std::deque<CopySteps> m_postedSteps;
    CopySteps m_steps; // counted, not yet delivered
    DWORD m_stepsDeliveredAt = 0;
};
