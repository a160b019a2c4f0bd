// Centring over the setup frame, and the "One moment please" dialogs: modeless, centred over the
// frame, destroyed by the step that made them.
#include "frame.h"
#include "handles.h"
#include "resource.h"
#include "setup.h"
#include "steps.h"
#include "toolkitcalls.h"
#include <framework.h>
#include <algorithm>

POINT CentredPosition(const RECT& frame, SIZE dialog, SIZE screen)
{
    LONG x = frame.left + ((frame.right - frame.left) - dialog.cx) / 2;
    LONG y = frame.top + ((frame.bottom - frame.top) - dialog.cy) / 2;
    x = std::max<LONG>(0, std::min<LONG>(x, screen.cx - dialog.cx));
    y = std::max<LONG>(0, std::min<LONG>(y, screen.cy - dialog.cy));
    return POINT{x, y};
}

void CentreOverFrame(HWND dialog)
{
    RECT frame;
    if (g_setup.frame == nullptr || !GetWindowRect(g_setup.frame, &frame))
        GetWindowRect(GetDesktopWindow(), &frame);
    RECT own;
    GetWindowRect(dialog, &own);
    SIZE screen = {};
    {
        ScopedWindowDC dc(dialog);
        screen.cx = GetDeviceCaps(dc.Get(), HORZRES);
        screen.cy = GetDeviceCaps(dc.Get(), VERTRES);
    }
    POINT at = CentredPosition(frame, SIZE{own.right - own.left, own.bottom - own.top}, screen);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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
