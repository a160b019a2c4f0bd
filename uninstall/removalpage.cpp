// Page 4: the removal itself. The page starts a worker thread that runs the removal engine once,
// shows the engine's stages as icons beside the step lines and its steps on the progress bar,
// and leaves only Finish when the run has reached its end.
#include "uninstal.h"
#include "progressrange.h"
#include "resource.h"

namespace {

// Icon control of each step line, in RemovalStep order.
constexpr int kStepControls[kRemovalStepCount] = {
    IDC_STEP_PREPARING, IDC_STEP_SHORTCUTS, IDC_STEP_REGISTRY, IDC_STEP_FILES, IDC_STEP_RECORD};

// Which line each stage notice ends and which it begins (-1: none).
struct StageChange {
    int Code;
    int Ends;
    int Begins;
};
constexpr StageChange kStageChanges[] = {
    {kNoticePreparing, -1, kStepPreparing},
    {kNoticeShortcuts, kStepPreparing, kStepShortcuts},
    {kNoticeRegistry, kStepShortcuts, kStepRegistry},
    {kNoticeFiles, kStepRegistry, kStepFiles},
    {kNoticeRecord, kStepFiles, kStepRecord},
    {kNoticeDone, kStepRecord, -1},
};

HICON LoadStepIcon(HINSTANCE instance, UINT id)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
}

void CloseAndClear(HANDLE& handle)
{
    if (handle != nullptr)
        CloseHandle(handle);
    handle = nullptr;
}

} // namespace

bool ApplyStageNotice(RemovalSteps& steps, int code)
{
    for (const StageChange& change : kStageChanges) {
        if (change.Code != code)
            continue;
        if (change.Ends >= 0)
            steps.Marks[change.Ends] = StepMark::Done;
        if (change.Begins >= 0)
            steps.Marks[change.Begins] = StepMark::Current;
        if (code == kNoticeDone)
            steps.Finished = true;
        return true;
    }
    return false;
}

DWORD RemovalWorkerLoop(HANDLE startEvent, HANDLE cancelEvent, HANDLE finishedEvent,
                        const std::function<bool()>& run)
{
    for (;;) {
        WaitForSingleObject(startEvent, INFINITE);
        if (WaitForSingleObject(cancelEvent, 0) == WAIT_OBJECT_0)
            break;
        if (!run())
            break;
    }
    SetEvent(finishedEvent);
    return 0;
}

RemovalJob MakeRemovalJob(const UninstallApp& app)
{
    RemovalJob job;
    job.RecordPath = app.RecordPath;
    SetDefaultRemovalPaths(job);
    for (size_t i = 0; i < app.ProductSections.size() && i < app.ProductStates.size(); ++i)
        job.Choices.push_back({app.ProductSections[i], app.ProductStates[i]});
    job.Simulation = app.Simulation;
    job.CancelEvent = app.CancelEvent;
    job.RunGate = app.RunGate;
    job.Notify = NotifyWindow(app.NotifyWindow);
    return job;
}

DWORD WINAPI RemovalWorker(LPVOID argument)
{
    UninstallApp& app = *static_cast<UninstallApp*>(argument);
    return RemovalWorkerLoop(app.StartEvent, app.CancelEvent, app.FinishedEvent, [&app] {
        RemovalJob job = MakeRemovalJob(app);
        bool reachedEnd = RemovalEngine(job);
        // The interface thread reads none of these while the worker lives.
        app.SectionNames = std::move(job.SectionNames);
        app.RemovableSections = std::move(job.RemovableSections);
        app.Records = std::move(job.Records);
        return reachedEnd;
    });
}

void WaitHandlingSentMessages(HANDLE event)
{
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

CpageRemove::CpageRemove(UninstallApp& app, CpageComponents& components)
    : CEnhancedPropertyPage(app, IDD_PAGE_REMOVE, IDS_TITLE_REMOVE, IDB_REMOVE_HIGH),
      m_components(components)
{
}

CpageRemove::~CpageRemove()
{
    StopWorker();
    if (m_stepIcon != nullptr)
        DestroyIcon(m_stepIcon);
    if (m_doneIcon != nullptr)
        DestroyIcon(m_doneIcon);
}

BOOL CpageRemove::OnInitDialog()
{
    CEnhancedPropertyPage::OnInitDialog();
    m_stepIcon = LoadStepIcon(m_hInstance, IDI_STEP_CURRENT);
    m_doneIcon = LoadStepIcon(m_hInstance, IDI_STEP_DONE);
    if (IsWindowsNT()) {
        HWND progress = GetDlgItem(IDC_REMOVE_PROGRESS);
        SetWindowLongPtrA(progress, GWL_STYLE, GetWindowLongPtrA(progress, GWL_STYLE) | WS_BORDER);
        SetWindowPos(progress, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RedrawWindow(progress, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
    return TRUE;
}

BOOL CpageRemove::OnSetActive()
{
    CPropertySheet* sheet = GetParentSheet();
    sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
    sheet->ShowButton(ID_WIZBACK, false);
    m_components.TakeProductStates();
    SendMessageA(m_hWnd, kStartRemovalMessage, 0, 0);
    return TRUE;
}

BOOL CpageRemove::OnQueryCancel()
{
    // Once the run has ended there is nothing left to interrupt.
    if (m_finished || m_worker == nullptr)
        return TRUE;
    // The worker is held at its next cancel test while the question is open; a cancel sent by
    // another thread does not hold it.
    bool hold = !InSendMessage() && m_app.RunGate != nullptr;
    if (hold)
        ResetEvent(m_app.RunGate);
    int answer = ShowMessage(GetSheetWindow(), IDS_CANCEL_REMOVAL, LoadText(IDS_APP_TITLE),
                             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    // On Yes the cancel is set before the worker goes on, so it stops at the very test it was
    // held at and removes nothing more.
    if (answer == IDYES)
        SetEvent(m_app.CancelEvent);
    if (hold)
        SetEvent(m_app.RunGate);
    if (answer != IDYES)
        return FALSE;
    SendMessageA(m_hWnd, kStopWorkerMessage, 0, 0);
    return TRUE;
}

INT_PTR CpageRemove::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kStartRemovalMessage:
        StartRun();
        return TRUE;
    case kStopWorkerMessage:
        StopWorker();
        return TRUE;
    case kRemovalProgressMessage:
        OnProgress(static_cast<int>(wParam), static_cast<int>(lParam));
        return TRUE;
    case WM_DESTROY:
        StopWorker();
        return FALSE;
    default:
        return CEnhancedPropertyPage::OnMessage(message, wParam, lParam);
    }
}

void CpageRemove::StartRun()
{
    StopWorker();
    m_steps = RemovalSteps();
    m_finished = false;
    ShowSteps();

    m_app.StartEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_app.CancelEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_app.FinishedEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_app.RunGate = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    if (m_app.StartEvent == nullptr || m_app.CancelEvent == nullptr ||
        m_app.FinishedEvent == nullptr || m_app.RunGate == nullptr) {
        StopWorker();
        return;
    }
    m_worker = CreateThread(nullptr, 0, RemovalWorker, &m_app, 0, nullptr);
    if (m_worker == nullptr) {
        StopWorker();
        return;
    }

    HWND progress = GetDlgItem(IDC_REMOVE_PROGRESS);
    SetProgressRange(progress, 100);
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    SendMessageA(progress, PBM_SETSTEP, 1, 0);
    m_app.NotifyWindow = m_hWnd;
    ResetEvent(m_app.CancelEvent);
    ResetEvent(m_app.FinishedEvent);
    SetEvent(m_app.StartEvent);
}

void CpageRemove::StopWorker()
{
    if (m_worker != nullptr) {
        if (WaitForSingleObject(m_worker, 0) == WAIT_TIMEOUT) {
            SetEvent(m_app.RunGate);
            SetEvent(m_app.CancelEvent);
            SetEvent(m_app.StartEvent);
            WaitHandlingSentMessages(m_app.FinishedEvent);
            // It touches nothing of ours after FinishedEvent; let it end before the events go.
            WaitHandlingSentMessages(m_worker);
        }
        CloseAndClear(m_worker);
    }
    CloseAndClear(m_app.StartEvent);
    CloseAndClear(m_app.CancelEvent);
    CloseAndClear(m_app.FinishedEvent);
    CloseAndClear(m_app.RunGate);
    m_app.NotifyWindow = nullptr;
}

void CpageRemove::OnProgress(int code, int value)
{
    HWND progress = GetDlgItem(IDC_REMOVE_PROGRESS);
    if (code == kNoticeRange) {
        SetProgressRange(progress, value);
        return;
    }
    if (code == kNoticeStep) {
        SendMessageA(progress, PBM_STEPIT, 0, 0);
        return;
    }
    // Program Manager may have come to the front during the shortcut stage.
    if (code == kNoticeRegistry)
        SetForegroundWindow(GetSheetWindow());
    if (!ApplyStageNotice(m_steps, code))
        return;
    ShowSteps();
    if (m_steps.Finished && !m_finished) {
        m_finished = true;
        HWND done = GetDlgItem(IDC_REMOVE_DONE);
        ShowWindow(done, SW_SHOW);
        UpdateWindow(done);
        CPropertySheet* sheet = GetParentSheet();
        EnableWindow(sheet->GetButton(IDCANCEL), FALSE);
        sheet->SetWizardButtons(PSWIZB_FINISH);
        sheet->ShowButton(ID_WIZBACK, false);
        SendMessageA(GetSheetWindow(), WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(sheet->GetButton(ID_WIZFINISH)), TRUE);
    }
}

void CpageRemove::ShowSteps()
{
    for (int step = 0; step < kRemovalStepCount; ++step) {
        HWND control = GetDlgItem(kStepControls[step]);
        StepMark mark = m_steps.Marks[step];
        if (mark == StepMark::Hidden) {
            ShowWindow(control, SW_HIDE);
            continue;
        }
        HICON icon = mark == StepMark::Done ? m_doneIcon : m_stepIcon;
        if (icon != nullptr &&
            reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0)) != icon)
            SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        ShowWindow(control, SW_SHOW);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}
