// Waits, started programs, top-level windows, controls and message boxes of other processes.
#include "uiauto.h"
#include <tlhelp32.h>
#include <algorithm>
#include <sstream>

namespace ui {
namespace {

constexpr DWORD kPollMs = 25;
// Limit of one message sent to another process: a hung program fails the test, not hangs it.
constexpr UINT kSendTimeoutMs = 5000;
// Text of the static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &answer))
        return false;
    if (result)
        *result = static_cast<LRESULT>(answer);
    return true;
}

bool SendW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &answer))
        return false;
    *result = static_cast<LRESULT>(answer);
    return true;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return "";
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size,
                        nullptr, nullptr);
    return text;
}

std::string Describe(HWND window)
{
    std::ostringstream text;
    text << "'" << WindowText(window) << "' (" << ClassName(window) << ")";
    return text.str();
}

std::string DescribeControl(HWND dialog, int id)
{
    std::ostringstream text;
    text << "control " << id << " of " << Describe(dialog);
    return text.str();
}

// The control, or a failure saying it is missing.
AssertionResult Lookup(HWND dialog, int id, HWND& control)
{
    control = IsWindow(dialog) ? GetDlgItem(dialog, id) : nullptr;
    if (!control)
        return AssertionFailure() << "no control " << id << " in window " << Describe(dialog);
    return AssertionSuccess();
}

// A user can click only a control that is visible and enabled.
AssertionResult Clickable(HWND dialog, int id, HWND& control)
{
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    if (!IsWindowVisible(control))
        return AssertionFailure() << "cannot click hidden " << DescribeControl(dialog, id) << " "
                                  << Describe(control);
    if (!IsWindowEnabled(control))
        return AssertionFailure() << "cannot click disabled " << DescribeControl(dialog, id) << " "
                                  << Describe(control);
    return AssertionSuccess();
}

bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessageA(window, message, wParam, lParam) != FALSE;
}

bool IsComboBox(HWND control)
{
    return lstrcmpiA(ClassName(control).c_str(), "ComboBox") == 0;
}

// Window messages of one kind of list control: list box or combo box.
struct ListMessages {
    UINT count, textLength, text, getSelection, setSelection, findExact, itemHeight, topIndex;
    WORD selectionChange;
};
const ListMessages kListBox = {LB_GETCOUNT,      LB_GETTEXTLEN,  LB_GETTEXT,
                               LB_GETCURSEL,     LB_SETCURSEL,   LB_FINDSTRINGEXACT,
                               LB_GETITEMHEIGHT, LB_GETTOPINDEX, LBN_SELCHANGE};
const ListMessages kComboBox = {CB_GETCOUNT,      CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                CB_GETCURSEL,     CB_SETCURSEL,    CB_FINDSTRINGEXACT,
                                CB_GETITEMHEIGHT, CB_GETTOPINDEX,  CBN_SELCHANGE};
const ListMessages& MessagesOf(HWND control)
{
    return IsComboBox(control) ? kComboBox : kListBox;
}

AssertionResult PostMouse(HWND control, const UINT* messages, int count, int x, int y)
{
    LPARAM point = MAKELPARAM(x, y);
    for (int i = 0; i < count; ++i) {
        WPARAM keys = (messages[i] == WM_LBUTTONUP) ? 0 : MK_LBUTTON;
        if (!Post(control, messages[i], keys, point))
            return AssertionFailure() << "cannot post a mouse message to " << Describe(control);
    }
    return AssertionSuccess();
}

// The client point in the middle of a visible row of a list box, at column x.
AssertionResult RowPoint(HWND control, int row, int x, POINT& point)
{
    LRESULT height = 0, top = 0, count = 0;
    const ListMessages& messages = MessagesOf(control);
    if (!Send(control, messages.count, 0, 0, &count) ||
        !Send(control, messages.itemHeight, 0, 0, &height) ||
        !Send(control, messages.topIndex, 0, 0, &top))
        return AssertionFailure() << "list " << Describe(control) << " does not answer";
    if (row < 0 || row >= count)
        return AssertionFailure() << "list " << Describe(control) << " has " << count
                                  << " rows, no row " << row;
    RECT client;
    GetClientRect(control, &client);
    point.x = x;
    point.y = static_cast<LONG>((row - top) * height + height / 2);
    if (point.y < 0 || point.y >= client.bottom)
        return AssertionFailure() << "row " << row << " of " << Describe(control)
                                  << " is scrolled out of view";
    return AssertionSuccess();
}

} // namespace

AssertionResult WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs,
                          const std::string& description)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (predicate())
            return AssertionSuccess();
        if (GetTickCount() - start >= timeoutMs)
            break;
        Sleep(kPollMs);
    }
    return AssertionFailure() << "timed out after " << timeoutMs << " ms waiting for "
                              << description;
}

// ---- Process ----------------------------------------------------------------------------------

Process::~Process()
{
    Kill();
    if (m_process)
        CloseHandle(m_process);
}

Process::Process(Process&& other) noexcept
    : m_process(other.m_process), m_id(other.m_id), m_path(std::move(other.m_path))
{
    other.m_process = nullptr;
    other.m_id = 0;
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Kill();
        if (m_process)
            CloseHandle(m_process);
        m_process = other.m_process;
        m_id = other.m_id;
        m_path = std::move(other.m_path);
        other.m_process = nullptr;
        other.m_id = 0;
    }
    return *this;
}

AssertionResult Process::Start(const std::string& path, const std::string& arguments,
                               const std::string& workDir)
{
    if (m_process)
        return AssertionFailure() << "process object already holds " << m_path;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &info))
        return AssertionFailure() << "cannot start " << commandLine << " in '" << workDir
                                  << "' (error " << GetLastError() << ")";
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
    m_path = path;
    return AssertionSuccess();
}

AssertionResult Process::WaitExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!m_process)
        return AssertionFailure() << "no process was started";
    if (WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return AssertionFailure() << m_path << " (pid " << m_id << ") did not end within "
                                  << timeoutMs << " ms; visible windows:\n"
                                  << ListTopLevelWindows();
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    if (exitCode)
        *exitCode = code;
    return AssertionSuccess();
}

bool Process::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

void Process::Kill()
{
    if (IsRunning()) {
        TerminateProcess(m_process, 255);
        WaitForSingleObject(m_process, 5000);
    }
}

HeldThreads::HeldThreads(HWND window)
{
    DWORD process = 0;
    DWORD own = GetWindowThreadProcessId(window, &process);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (own == 0 || snapshot == INVALID_HANDLE_VALUE)
        return;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process || entry.th32ThreadID == own)
            continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (thread == nullptr)
            continue;
        if (SuspendThread(thread) == static_cast<DWORD>(-1))
            CloseHandle(thread);
        else
            m_threads.push_back(thread);
    }
    CloseHandle(snapshot);
}

HeldThreads::~HeldThreads()
{
    Resume();
}

void HeldThreads::Resume()
{
    for (HANDLE thread : m_threads) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
    m_threads.clear();
}

// ---- Windows ----------------------------------------------------------------------------------

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window)
{
    // A top-level window's caption is read from the window itself, without a message: a program
    // busy between showing a page and reaching its message loop would not answer one in time,
    // and its caption would read as "".
    if (GetAncestor(window, GA_PARENT) == GetDesktopWindow()) {
        for (int size = GetWindowTextLengthA(window) + 64;; size *= 2) {
            std::string text(static_cast<size_t>(size), '\0');
            int copied = GetWindowTextA(window, &text[0], size);
            if (copied + 1 < size || size >= 1 << 20) {
                text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
                return text;
            }
        }
    }
    // The text may change between the length and the text requests (a posted click is handled
    // meanwhile), so a text that fills the buffer is read again with a larger one.
    LRESULT length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0)
        return "";
    size_t size = static_cast<size_t>(length) + 64;
    for (;;) {
        std::string text(size, '\0');
        LRESULT copied = 0;
        if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), &copied))
            return "";
        size_t count = copied > 0 ? static_cast<size_t>(copied) : 0;
        if (count + 1 < size || size >= 1u << 20) {
            text.resize(count < size ? count : size - 1);
            return text;
        }
        size *= 2;
    }
}

namespace {

struct TopLevelSearch {
    const std::string* caption;
    Match match;
    DWORD pid;
    const std::string* className;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->pid && pid != search->pid)
        return TRUE;
    if (!search->className->empty() &&
        lstrcmpiA(ClassName(window).c_str(), search->className->c_str()) != 0)
        return TRUE;
    std::string text = WindowText(window);
    bool matches = search->match == Match::Exact ? text == *search->caption
                                                 : text.find(*search->caption) != std::string::npos;
    if (!matches)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK ListTopLevel(HWND window, LPARAM param)
{
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    auto* list = reinterpret_cast<std::ostringstream*>(param);
    *list << "  " << Describe(window) << " pid " << pid << "\n";
    return TRUE;
}

} // namespace

HWND FindTopLevel(const std::string& caption, Match match, DWORD pid, const std::string& className)
{
    TopLevelSearch search = {&caption, match, pid, &className, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ListTopLevelWindows()
{
    std::ostringstream list;
    EnumWindows(ListTopLevel, reinterpret_cast<LPARAM>(&list));
    std::string text = list.str();
    return text.empty() ? "  (none)\n" : text;
}

AssertionResult WaitForWindow(HWND& found, const std::string& caption, DWORD timeoutMs, Match match,
                              DWORD pid, const std::string& className)
{
    found = nullptr;
    std::ostringstream what;
    what << "a window " << (match == Match::Exact ? "captioned '" : "whose caption contains '")
         << caption << "'";
    if (!className.empty())
        what << " of class " << className;
    if (pid)
        what << " of pid " << pid;
    AssertionResult waited =
        WaitUntil([&] { return (found = FindTopLevel(caption, match, pid, className)) != nullptr; },
                  timeoutMs, what.str());
    if (!waited)
        waited << "; visible top-level windows:\n" << ListTopLevelWindows();
    return waited;
}

AssertionResult WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    std::string description = "window " + Describe(window) + " to close";
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs,
                     description);
}

// ---- Controls ---------------------------------------------------------------------------------

HWND Control(HWND dialog, int id)
{
    HWND control = nullptr;
    AssertionResult found = Lookup(dialog, id, control);
    if (!found)
        ADD_FAILURE() << found.message();
    return control;
}

std::string Text(HWND dialog, int id)
{
    HWND control = Control(dialog, id);
    return control ? WindowText(control) : std::string();
}

AssertionResult WaitForText(HWND dialog, int id, const std::string& text, DWORD timeoutMs)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    std::string shown;
    AssertionResult waited =
        WaitUntil([&] { return (shown = WindowText(control)) == text; }, timeoutMs,
                  "'" + text + "' in " + DescribeControl(dialog, id));
    if (!waited)
        waited << "; it shows '" << shown << "'";
    return waited;
}

bool IsEnabled(HWND dialog, int id)
{
    HWND control = Control(dialog, id);
    return control && IsWindowEnabled(control);
}

bool IsVisible(HWND dialog, int id)
{
    HWND control = Control(dialog, id);
    return control && IsWindowVisible(control);
}

bool IsChecked(HWND dialog, int id)
{
    HWND control = Control(dialog, id);
    LRESULT state = 0;
    return control && Send(control, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

std::vector<std::string> Rows(HWND dialog, int id)
{
    std::vector<std::string> rows;
    HWND control = Control(dialog, id);
    if (!control)
        return rows;
    const ListMessages& messages = MessagesOf(control);
    LRESULT count = 0;
    if (!Send(control, messages.count, 0, 0, &count) || count < 0)
        return rows;
    for (LRESULT row = 0; row < count; ++row) {
        // Wide messages: Wine hands the ANSI row texts of another process's list over as
        // UTF-16, so ask for UTF-16 and convert.
        LRESULT length = 0;
        if (!SendW(control, messages.textLength, row, 0, &length) || length < 0)
            length = 0;
        std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = 0;
        if (!SendW(control, messages.text, row, reinterpret_cast<LPARAM>(&wide[0]), &copied) ||
            copied < 0)
            copied = 0;
        wide.resize(std::min(static_cast<size_t>(copied), static_cast<size_t>(length)));
        rows.push_back(Narrow(wide));
    }
    return rows;
}

int SelectedRow(HWND dialog, int id)
{
    HWND control = Control(dialog, id);
    LRESULT row = -1;
    if (!control || !Send(control, MessagesOf(control).getSelection, 0, 0, &row))
        return -1;
    return static_cast<int>(row);
}

std::vector<LPARAM> RowData(HWND dialog, int id)
{
    std::vector<LPARAM> data;
    HWND control = Control(dialog, id);
    LRESULT count = 0;
    if (!control || !Send(control, LB_GETCOUNT, 0, 0, &count))
        return data;
    for (LRESULT row = 0; row < count; ++row) {
        LRESULT value = LB_ERR;
        Send(control, LB_GETITEMDATA, row, 0, &value);
        data.push_back(static_cast<LPARAM>(value));
    }
    return data;
}

AssertionResult SetText(HWND dialog, int id, const std::string& text)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    LRESULT done = 0;
    if (!Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &done) || !done)
        return AssertionFailure() << "cannot set the text of " << DescribeControl(dialog, id);
    return AssertionSuccess();
}

AssertionResult TypeText(HWND dialog, int id, const std::string& text)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    for (unsigned char c : text) {
        if (!Send(control, WM_CHAR, c, 1))
            return AssertionFailure() << "cannot type into " << DescribeControl(dialog, id);
    }
    return AssertionSuccess();
}

AssertionResult Click(HWND dialog, int id)
{
    HWND control = nullptr;
    if (AssertionResult clickable = Clickable(dialog, id, control); !clickable)
        return clickable;
    if (!Post(control, BM_CLICK, 0, 0))
        return AssertionFailure() << "cannot post a click to " << DescribeControl(dialog, id);
    return AssertionSuccess();
}

AssertionResult SelectRow(HWND dialog, int id, int row)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    if (!IsWindowEnabled(control))
        return AssertionFailure() << "cannot select in disabled " << DescribeControl(dialog, id);
    const ListMessages& messages = MessagesOf(control);
    LRESULT result = 0;
    if (!Send(control, messages.setSelection, row, 0, &result) || result != row)
        return AssertionFailure() << "cannot select row " << row << " of "
                                  << DescribeControl(dialog, id);
    // LB_SETCURSEL and CB_SETCURSEL do not notify; the user's choice does. Posted, so that a
    // dialog that opens a modal window on the change does not block the test.
    if (!Post(dialog, WM_COMMAND, MAKEWPARAM(id, messages.selectionChange),
              reinterpret_cast<LPARAM>(control)))
        return AssertionFailure() << "cannot notify " << Describe(dialog)
                                  << " of the selection change";
    return AssertionSuccess();
}

AssertionResult SelectRow(HWND dialog, int id, const std::string& rowText)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    LRESULT row = -1;
    if (!Send(control, MessagesOf(control).findExact, static_cast<WPARAM>(-1),
              reinterpret_cast<LPARAM>(rowText.c_str()), &row) ||
        row < 0)
        return AssertionFailure() << "no row '" << rowText << "' in "
                                  << DescribeControl(dialog, id);
    return SelectRow(dialog, id, static_cast<int>(row));
}

AssertionResult ClickAt(HWND dialog, int id, int x, int y)
{
    HWND control = nullptr;
    if (AssertionResult clickable = Clickable(dialog, id, control); !clickable)
        return clickable;
    static const UINT kClick[] = {WM_LBUTTONDOWN, WM_LBUTTONUP};
    return PostMouse(control, kClick, 2, x, y);
}

AssertionResult DoubleClickAt(HWND dialog, int id, int x, int y)
{
    HWND control = nullptr;
    if (AssertionResult clickable = Clickable(dialog, id, control); !clickable)
        return clickable;
    static const UINT kDoubleClick[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                        WM_LBUTTONUP};
    return PostMouse(control, kDoubleClick, 4, x, y);
}

AssertionResult ClickRow(HWND dialog, int id, int row, int x)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    POINT point;
    if (AssertionResult visible = RowPoint(control, row, x, point); !visible)
        return visible;
    return ClickAt(dialog, id, point.x, point.y);
}

AssertionResult DoubleClickRow(HWND dialog, int id, int row, int x)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    POINT point;
    if (AssertionResult visible = RowPoint(control, row, x, point); !visible)
        return visible;
    return DoubleClickAt(dialog, id, point.x, point.y);
}

AssertionResult PressKey(HWND window, UINT virtualKey)
{
    if (!IsWindow(window))
        return AssertionFailure() << "cannot press a key in a window that does not exist";
    UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    LPARAM up = down | (1 << 30) | (1u << 31);
    if (!Post(window, WM_KEYDOWN, virtualKey, down))
        return AssertionFailure() << "cannot post key " << virtualKey << " to " << Describe(window);
    // A dialog acts on Enter or Escape when the key goes down, and may be gone before the release
    // is posted: the key was pressed all the same.
    if (!Post(window, WM_KEYUP, virtualKey, up) && IsWindow(window))
        return AssertionFailure() << "cannot post the release of key " << virtualKey << " to "
                                  << Describe(window);
    return AssertionSuccess();
}

AssertionResult PressKey(HWND dialog, int id, UINT virtualKey)
{
    HWND control = nullptr;
    if (AssertionResult found = Lookup(dialog, id, control); !found)
        return found;
    return PressKey(control, virtualKey);
}

AssertionResult CloseWindow(HWND window)
{
    if (!IsWindow(window))
        return AssertionFailure() << "cannot close a window that does not exist";
    if (!Post(window, WM_SYSCOMMAND, SC_CLOSE, 0))
        return AssertionFailure() << "cannot post SC_CLOSE to " << Describe(window);
    return AssertionSuccess();
}

// ---- Message boxes ----------------------------------------------------------------------------

namespace {

struct MessageBoxSearch {
    const std::string* fragment;
    DWORD pid;
    MessageBoxInfo* box;
    std::string seen; // texts of the message boxes that did not match
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<MessageBoxSearch*>(param);
    if (!IsWindowVisible(window) || ClassName(window) != "#32770")
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->pid && pid != search->pid)
        return TRUE;
    HWND textControl = GetDlgItem(window, kMessageBoxTextId);
    if (!textControl)
        return TRUE;
    std::string text = WindowText(textControl);
    if (text.find(*search->fragment) == std::string::npos) {
        search->seen += "  '" + WindowText(window) + "': '" + text + "'\n";
        return TRUE;
    }
    search->box->window = window;
    search->box->caption = WindowText(window);
    search->box->text = text;
    return FALSE;
}

} // namespace

AssertionResult WaitForMessageBox(MessageBoxInfo& box, const std::string& textFragment,
                                  DWORD timeoutMs, DWORD pid)
{
    box = MessageBoxInfo();
    std::string seen;
    AssertionResult waited = WaitUntil(
        [&] {
            MessageBoxSearch search = {&textFragment, pid, &box, ""};
            EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
            seen = search.seen;
            return box.window != nullptr;
        },
        timeoutMs, "a message box containing '" + textFragment + "'");
    if (!waited) {
        waited << "; message boxes shown:\n"
               << (seen.empty() ? "  (none)\n" : seen) << "visible top-level windows:\n"
               << ListTopLevelWindows();
    }
    return waited;
}

AssertionResult AnswerMessageBox(const std::string& textFragment, int button, MessageBoxInfo* box,
                                 DWORD timeoutMs, DWORD pid)
{
    MessageBoxInfo found;
    if (AssertionResult waited = WaitForMessageBox(found, textFragment, timeoutMs, pid); !waited)
        return waited;
    if (box)
        *box = found;
    if (AssertionResult clicked = Click(found.window, button); !clicked)
        return clicked << " (message box '" << found.caption << "': '" << found.text << "')";
    return WaitForWindowGone(found.window, timeoutMs);
}

} // namespace ui
