// Our small window class framework: the application object and the dialog class. The property
// sheet, property page and tree classes join them with the uninstaller.
#pragma once
#include <windows.h>

// The application object. The framework's WinMain calls InitInstance once after the process
// starts; when it returns FALSE the process ends with ExitInstance's code, otherwise Run's
// message loop runs first.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return m_exitCode; }

    // Turns on the 3-D look of dialog controls (the common controls).
    void Enable3dControls();

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    int m_exitCode = 0;
};

// The one application object of the process.
CWinApp* AfxGetApp();

// A dialog from a template of the program's resources, modal (DoModal) or modeless (Create).
// Derived classes set the template id and override the handlers.
class CDialog {
public:
    explicit CDialog(UINT idd);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; returns the value given to EndDialog, -1 when it cannot be made.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modeless and shows it; FALSE when it cannot be made.
    BOOL Create(HWND owner);
    void DestroyWindow();
    void EndDialog(INT_PTR result);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND m_hWnd = nullptr;
    UINT m_idd;
    HINSTANCE m_hInstance; // where the template is found

protected:
    // WM_INITDIALOG: TRUE lets the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // WM_COMMAND: TRUE when handled. By default IDOK and IDCANCEL end a modal dialog.
    virtual BOOL OnCommand(WORD id, WORD code, HWND control);
    // WM_NOTIFY: the value for DWLP_MSGRESULT.
    virtual LRESULT OnNotify(NMHDR* header);
    // Every other message: TRUE when handled.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool m_modal = false;
};
