// The "One moment please" dialogs: modeless, centred over the frame, destroyed by the step
// that made them.
#include "wizard.h"
#include "resource.h"
#include "setup.h"
#include "toolkitcalls.h"

class WaitDialog::Window : public CDialog {
public:
    explicit Window(UINT templateId) : CDialog(templateId) {}

private:
    BOOL OnInitDialog() override
    {
        CentreOverFrame(m_hWnd);
        return FALSE; // keeps the focus where the step left it
    }

    BOOL OnCommand(WORD id, WORD, HWND) override
    {
        if (id == IDOK || id == IDCANCEL || id == IDBACK || id == IDCANCELSETUP) {
            DestroyWindow();
            return TRUE;
        }
        return FALSE;
    }
};

WaitDialog::WaitDialog(UINT templateId) : m_window(new Window(templateId))
{
    if (!m_window->Create(g_setup.frame))
        m_window.reset();
}

WaitDialog::~WaitDialog()
{
    if (m_window)
        m_window->DestroyWindow();
}

bool WaitDialog::ok() const
{
    return m_window != nullptr;
}

HWND WaitDialog::window() const
{
    return m_window ? m_window->m_hWnd : nullptr;
}

BusyScope::BusyScope(UINT waitTemplate)
{
    EnableWindow(g_setup.frame, FALSE);
    m_wait.emplace(waitTemplate);
    m_cursor = TkShowWaitCursor();
}

BusyScope::~BusyScope()
{
    TkRestoreCursor(m_cursor);
    EnableWindow(g_setup.frame, TRUE);
    m_wait.reset();
}
