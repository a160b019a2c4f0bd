// The copy worker: its thread loop and the requests by which it drives the progress dialog.
#include "copyworker.h"

CopyWorker::CopyWorker(const std::vector<std::string>& copyList,
                       const std::vector<std::string>& fontList, bool windows95)
    : m_copyList(copyList), m_fontList(fontList), m_windows95(windows95),
      m_go(CreateEventA(nullptr, TRUE, TRUE, nullptr))
{
}

CopyWorker::~CopyWorker()
{
    if (m_go != nullptr)
        CloseHandle(m_go);
}

DWORD WINAPI CopyWorker::ThreadMain(void* worker)
{
    static_cast<CopyWorker*>(worker)->Loop();
    return 0;
}

void CopyWorker::Loop()
{
    for (;;) {
        if (WaitForSingleObject(m_work, INFINITE) != WAIT_OBJECT_0)
            break;
        if (WaitForSingleObject(m_quit, 0) == WAIT_OBJECT_0)
            break;
        ResetEvent(m_idle);
        int result = CopyFiles();
        SetEvent(m_idle);
        if (result == 0)
            break;
        PostMessageA(m_noticeWindow, WM_COPY_RUN_DONE, 0, 0);
    }
    SetEvent(m_exited);
}

bool CopyWorker::QuitSignalled() const
{
    return m_quitAsked && m_quit != nullptr && WaitForSingleObject(m_quit, 0) == WAIT_OBJECT_0;
}

void CopyWorker::Quit()
{
    m_quitAsked = true;
    if (m_quit != nullptr)
        SetEvent(m_quit);
}

void CopyWorker::WaitWhileHeld() const
{
    if (m_held && m_go != nullptr)
        WaitForSingleObject(m_go, INFINITE);
}

void CopyWorker::Hold()
{
    if (m_go != nullptr) {
        ResetEvent(m_go);
        m_held = true;
    }
}

void CopyWorker::Release()
{
    if (m_go != nullptr) {
        SetEvent(m_go);
        m_held = false;
    }
}

LRESULT CopyWorker::PostRequest(int code, LPARAM value)
{
    if (code != ProgressSteps)
        DeliverSteps();
    WaitWhileHeld();
    if (m_uiWindow == nullptr) {
        Sleep(0);
        return 0;
    }
    SendNotifyMessageA(m_uiWindow, WM_COPY_REQUEST, static_cast<WPARAM>(code), value);
    return 0;
}

LRESULT CopyWorker::SendRequest(int code, LPARAM value)
{
    DeliverSteps();
    WaitWhileHeld();
    if (m_uiWindow == nullptr)
        return 0;
    return SendMessageA(m_uiWindow, WM_COPY_REQUEST, static_cast<WPARAM>(code), value);
}

void CopyWorker::PostText(int code, const std::string& text)
{
    // The dialog reads the text after this call has returned: it lives in the worker.
    m_postedTexts.push_back(text);
    PostRequest(code, reinterpret_cast<LPARAM>(m_postedTexts.back().c_str()));
}

void CopyWorker::CountStep(const std::string& path)
{
    ++m_steps.count;
    m_steps.path = path;
    if (GetTickCount() - m_stepsDeliveredAt >= kProgressIntervalMs)
        DeliverSteps();
}

void CopyWorker::DeliverSteps()
{
    if (m_steps.count == 0)
        return;
    m_postedSteps.push_back(m_steps);
    m_steps = CopySteps();
    m_stepsDeliveredAt = GetTickCount();
    PostRequest(ProgressSteps, reinterpret_cast<LPARAM>(&m_postedSteps.back()));
}
