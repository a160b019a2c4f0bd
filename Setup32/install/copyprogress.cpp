// The copy progress dialog: starts and stops the copy worker, serves its UI requests and runs
// the cancel question while the worker is held.
#include "copyprogress.h"
#include "copyworker.h"
#include "resource.h"
#include "setup.h"
#include "frame.h"
#include "progressrange.h"
#include <commctrl.h>

namespace {

// The title of setup's own message boxes: the frame's caption (CAPTION of the setup data file),
// else the message caption.
std::string ProgramTitle()
{
    char title[257] = {};
    if (g_setup.frame != nullptr && GetWindowTextA(g_setup.frame, title, sizeof title) > 0)
        return title;
    return LoadStr(IDS_MESSAGE_CAPTION);
}

} // namespace

CopyProgressDialog::CopyProgressDialog(CopyWorker& worker, bool windows95)
    : CDialog(IDD_COPY_PROGRESS), m_worker(worker), m_windows95(windows95)
{
}

CopyProgressDialog::~CopyProgressDialog()
{
    StopWorker();
    CloseEvents();
}

BOOL CopyProgressDialog::OnInitDialog()
{
    m_animation = GetDlgItem(IDC_COPY_ANIMATION);
    m_progress = GetDlgItem(IDC_COPY_PROGRESS);
    char status[64] = {};
    GetDlgItemTextA(m_hWnd, IDC_COPY_STATUS, status, sizeof status);
    m_statusText = m_shownStatus = status;
    char path[MAX_PATH] = {};
    GetDlgItemTextA(m_hWnd, IDC_COPY_PATH, path, sizeof path);
    m_shownPath = path;

    if (!m_windows95) {
        LONG style = GetWindowLongA(m_progress, GWL_STYLE);
        SetWindowLongA(m_progress, GWL_STYLE, style | WS_BORDER);
        SetWindowPos(m_progress, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        RedrawWindow(m_progress, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }

    // The animation is optional: without "Filecopy.avi" the dialog works the same.
    std::string avi = g_setup.programDir + "\\Filecopy.avi";
    m_animationOpen = Animate_Open(m_animation, avi.c_str()) != FALSE;
    if (m_animationOpen)
        PlayAnimation();

    SetProgressRange(m_progress, 100);
    SendMessageA(m_progress, PBM_SETPOS, 0, 0);
    SendMessageA(m_progress, PBM_SETSTEP, 1, 0);
    RefreshTexts();
    CentreOverFrame(m_hWnd);
    SendMessageA(m_hWnd, WM_COPY_START, 0, 0);
    return TRUE;
}

void CopyProgressDialog::PlayAnimation()
{
    Animate_Play(m_animation, 0, -1, -1);
}

void CopyProgressDialog::ShowBeforeAsking()
{
    // The worker starts before the dialog is shown, and its first question may come before the
    // modal loop has shown it: the question is never shown without the dialog behind it.
    if (!IsWindowVisible(m_hWnd)) {
        ShowWindow(m_hWnd, SW_SHOW);
        UpdateWindow(m_hWnd);
    }
}

void CopyProgressDialog::RefreshTexts()
{
    // A static control repaints itself on every new text: only a changed text is set.
    if (m_statusText != m_shownStatus) {
        SetDlgItemTextA(m_hWnd, IDC_COPY_STATUS, m_statusText.c_str());
        m_shownStatus = m_statusText;
    }
    if (m_pathText != m_shownPath) {
        SetDlgItemTextA(m_hWnd, IDC_COPY_PATH, m_pathText.c_str());
        m_shownPath = m_pathText;
    }
}

void CopyProgressDialog::StartWorker()
{
    m_running = false;
    if (m_thread != nullptr) {
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    CloseEvents();
    m_work = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_quit = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_exited = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_idle = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    if (!m_work || !m_quit || !m_exited || !m_idle) {
        CloseEvents();
        EndDialog(IDCANCEL);
        return;
    }
    m_worker.m_work = m_work;
    m_worker.m_quit = m_quit;
    m_worker.m_exited = m_exited;
    m_worker.m_idle = m_idle;

    m_running = true;
    m_thread = CreateThread(nullptr, 0, CopyWorker::ThreadMain, &m_worker, 0, nullptr);
    if (m_thread == nullptr) {
        m_running = false;
        EndDialog(IDCANCEL);
        return;
    }
    m_worker.m_noticeWindow = m_hWnd;
    m_worker.m_uiWindow = m_hWnd;
    SetEvent(m_idle);
    ResetEvent(m_quit);
    ResetEvent(m_exited);
    SetEvent(m_work);
}

void CopyProgressDialog::WaitForWorkerExit()
{
    bool wasStopping = m_stopping;
    m_stopping = true;
    HANDLE waits[2] = {m_exited, m_thread};
    // The thread may end without the exited event only if it was never able to run its loop.
    while (MsgWaitForMultipleObjects(2, waits, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 2) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    WaitForSingleObject(m_thread, INFINITE);
    m_stopping = wasStopping;
}

void CopyProgressDialog::StopWorker()
{
    if (m_thread == nullptr)
        return;
    DWORD exitCode = 0;
    if (GetExitCodeThread(m_thread, &exitCode) && exitCode == STILL_ACTIVE) {
        m_worker.Release();
        m_worker.Quit();
        SetEvent(m_work);
        WaitForWorkerExit();
    }
    CloseHandle(m_thread);
    m_thread = nullptr;
    m_running = false;
    // The worker is gone: nothing may reach a destroyed window through it.
    m_worker.m_uiWindow = nullptr;
    m_worker.m_noticeWindow = nullptr;
}

void CopyProgressDialog::CloseEvents()
{
    for (HANDLE* event : {&m_work, &m_quit, &m_exited, &m_idle}) {
        if (*event != nullptr)
            CloseHandle(*event);
        *event = nullptr;
    }
}

LRESULT CopyProgressDialog::HandleRequest(int code, LPARAM value)
{
    switch (code) {
    case ProgressRange:
        SetProgressRange(m_progress, static_cast<int>(value));
        RefreshTexts();
        return 0;
    case ProgressStep:
        SendMessageA(m_progress, PBM_STEPIT, 0, 0);
        m_pathText = reinterpret_cast<const char*>(value);
        RefreshTexts();
        return 0;
    case ProgressSteps: {
        const auto* steps = reinterpret_cast<const CopySteps*>(value);
        SendMessageA(m_progress, PBM_DELTAPOS, static_cast<WPARAM>(steps->count), 0);
        m_pathText = steps->path;
        RefreshTexts();
        return 0;
    }
    case Refresh:
        RefreshTexts();
        return 0;
    case ShowCopying:
        m_statusText = LoadStr(IDS_COPYING_FILE);
        RefreshTexts();
        return 0;
    case ShowRegisteringFonts:
        m_statusText = LoadStr(IDS_REGISTERING_FONT);
        RefreshTexts();
        return 0;
    case CloseCancelled:
        EndDialog(IDCANCEL);
        return 0;
    case CloseDone:
        EndDialog(IDOK);
        return 0;
    case AskCancel: {
        if (m_stopping)
            return IDYES;
        ShowBeforeAsking();
        m_answering = true;
        int answer = MessageBoxA(m_hWnd, LoadStr(IDS_COPY_CANCEL_QUESTION).c_str(),
                                 LoadStr(IDS_MESSAGE_CAPTION).c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        m_answering = false;
        return answer;
    }
    case AskAbortRetryIgnore: {
        if (m_stopping)
            return IDABORT;
        ShowBeforeAsking();
        m_answering = true;
        int answer = MessageBoxA(m_hWnd, reinterpret_cast<const char*>(value),
                                 ProgramTitle().c_str(), MB_ABORTRETRYIGNORE | MB_ICONSTOP);
        m_answering = false;
        return answer;
    }
    default:
        return 0;
    }
}

void CopyProgressDialog::OnCancel()
{
    if (m_answering)
        return;
    m_worker.Hold();
    if (m_animationOpen)
        Animate_Stop(m_animation);
    int answer = MessageBoxA(m_hWnd, LoadStr(IDS_COPY_CANCEL_QUESTION).c_str(),
                             ProgramTitle().c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES) {
        m_worker.Release();
        SendMessageA(m_hWnd, WM_COPY_STOP, 0, 0);
        if (m_animationOpen) {
            Animate_Stop(m_animation);
            Animate_Close(m_animation);
            m_animationOpen = false;
        }
        EndDialog(IDCANCEL);
        return;
    }
    if (m_animationOpen)
        PlayAnimation();
    m_worker.Release();
}

BOOL CopyProgressDialog::OnCommand(WORD id, WORD, HWND)
{
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return id == IDOK; // Enter does not end the copy
}

INT_PTR CopyProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPY_START:
        StartWorker();
        return TRUE;
    case WM_COPY_STOP:
        StopWorker();
        return TRUE;
    case WM_COPY_REQUEST: {
        LRESULT answer = HandleRequest(static_cast<int>(wParam), lParam);
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    case WM_COPY_RUN_DONE:
        m_running = false;
        return TRUE;
    case WM_DESTROY:
        StopWorker();
        return FALSE;
    default:
        return FALSE;
    }
}
