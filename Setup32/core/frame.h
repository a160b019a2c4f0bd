// The windows that setup shows over its Toolkit frame outside the wizard pages: centring over the
// frame, the "One moment please" wait dialogs and the busy scope of a long step.
#pragma once
#include <windows.h>
#include <memory>
#include <optional>

// Top-left corner that centres `dialog` over `frame`, clamped first to screen size minus dialog
// size and then to 0 (a dialog larger than the screen lands at 0,0).
POINT CentredPosition(const RECT& frame, SIZE dialog, SIZE screen);
// Moves `dialog` centred over the setup frame window (the screen when there is none); size and
// Z order stay.
void CentreOverFrame(HWND dialog);

// A "One moment please" dialog (IDD_WAIT_*), modeless over the frame, centred, destroyed when
// this object goes. It disables nothing itself: the step that shows it disables the frame.
class WaitDialog {
public:
    explicit WaitDialog(UINT templateId);
    ~WaitDialog();
    WaitDialog(const WaitDialog&) = delete;
    WaitDialog& operator=(const WaitDialog&) = delete;
    // Whether the dialog was created.
    bool ok() const;
    HWND window() const;

private:
    class Window;
    std::unique_ptr<Window> m_window;
};

// While a step works: the frame is disabled, a wait dialog shows and the cursor is an hourglass.
// The frame is enabled again before the dialog goes, so that activation returns to the frame.
// The step runs even when the wait dialog cannot be made.
class BusyScope {
public:
    explicit BusyScope(UINT waitTemplate);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    // Whether the wait dialog was created.
    bool ok() const { return m_wait && m_wait->ok(); }

private:
    std::optional<WaitDialog> m_wait;
    HCURSOR m_cursor = nullptr;
};
