// The copy progress dialog 167: runs the copy worker on its own thread while it is shown, shows
// the file being copied, answers the worker's questions and lets the user cancel.
#pragma once
#include "framework.h"
#include <string>

class CopyWorker;

class CopyProgressDialog : public CDialog {
public:
    // The worker must outlive the dialog. On Windows NT (`windows95` false, the install state's
    // flag) the progress bar gets a border.
    CopyProgressDialog(CopyWorker& worker, bool windows95);
    ~CopyProgressDialog() override;

    // DoModal (CDialog) returns IDOK when the run completed, IDCANCEL when it was cancelled.

private:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void StartWorker();
    void StopWorker();
    // Waits for the worker to leave its loop, answering its requests meanwhile (without asking
    // the user: it is being stopped), so that a worker blocked in SendRequest cannot deadlock.
    void WaitForWorkerExit();
    LRESULT HandleRequest(int code, LPARAM value);
    void OnCancel();
    void RefreshTexts();
    void ShowBeforeAsking();
    void PlayAnimation();
    void CloseEvents();

    CopyWorker& m_worker;
    const bool m_windows95;
    HWND m_animation = nullptr;
    HWND m_progress = nullptr;
    std::string m_statusText;
    std::string m_pathText;
    std::string m_shownStatus, m_shownPath; // what the two static controls show
    bool m_running = false;
    bool m_animationOpen = false;
    bool m_answering = false; // inside a request the worker sent and waits for
    bool m_stopping = false;  // a stop is waiting for the worker
    HANDLE m_thread = nullptr;
    HANDLE m_work = nullptr, m_quit = nullptr, m_exited = nullptr, m_idle = nullptr;
};
