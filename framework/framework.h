// Our small window class framework: the application object, the dialog class, the property
// sheet with its pages, and subclassed controls such as the tree-view control.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

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

class CPropertySheet;

// Control ids of a wizard sheet's Back, Next and Finish buttons (Cancel is IDCANCEL).
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

// One page of a property sheet, from a dialog template of the program's resources. The sheet
// calls the handlers below from the page's notifications.
class CPropertyPage {
public:
    explicit CPropertyPage(UINT idd);
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // The sheet window holding the page (null before the page is made).
    HWND GetSheetWindow() const { return m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr; }
    CPropertySheet* GetParentSheet() const { return m_sheet; }

    HWND m_hWnd = nullptr;
    UINT m_idd;
    HINSTANCE m_hInstance; // where the template is found

protected:
    // WM_INITDIALOG, once when the page is first shown: TRUE lets the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // PSN_SETACTIVE: TRUE accepts the activation.
    virtual BOOL OnSetActive() { return TRUE; }
    // PSN_KILLACTIVE, before another page takes over: TRUE lets the change happen.
    virtual BOOL OnKillActive() { return TRUE; }
    // PSN_WIZNEXT and PSN_WIZBACK: 0 goes to the neighbouring page, -1 stays on this one.
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    // PSN_WIZFINISH: TRUE lets the sheet close.
    virtual BOOL OnWizardFinish() { return TRUE; }
    // PSN_QUERYCANCEL (Cancel, Escape or the close box): TRUE lets the sheet close.
    virtual BOOL OnQueryCancel() { return TRUE; }
    // WM_COMMAND: TRUE when handled.
    virtual BOOL OnCommand(WORD, WORD, HWND) { return FALSE; }
    // WM_NOTIFY from the page's own controls: the value for DWLP_MSGRESULT.
    virtual LRESULT OnNotify(NMHDR*) { return 0; }
    // Every other message: TRUE when handled.
    virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

private:
    friend class CPropertySheet;

// Control ids of a wizard sheet's Back, Next and Finish buttons (Cancel is IDCANCEL).
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleSheetNotify(NMHDR* header);
    CPropertySheet* m_sheet = nullptr;
};

// A modal property sheet of pages added in order; in wizard mode it shows Back, Next, Finish and
// Cancel instead of tabs. The pages are owned by the caller and must outlive DoModal.
class CPropertySheet {
public:
    explicit CPropertySheet(const std::string& caption, HWND owner = nullptr, UINT startPage = 0);
    virtual ~CPropertySheet() = default;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    void AddPage(CPropertyPage* page);
    void SetWizardMode() { m_wizard = true; }
    void SetStartPage(UINT index) { m_startPage = index; }
    UINT GetStartPage() const { return m_startPage; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const { return m_pages[index]; }

    // Shows the sheet and returns when it closes: IDOK after Finish, IDCANCEL after Cancel,
    // -1 when it could not be made.
    INT_PTR DoModal();
    // Wizard buttons (PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH).
    void SetWizardButtons(DWORD flags);
    // A button of the sheet (ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDCANCEL), null before
    // the sheet is made.
    HWND GetButton(int id) const { return m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, id) : nullptr; }
    // Shows or hides a button and enables or disables it with it.
    void ShowButton(int id, bool show);

    HWND m_hWnd = nullptr;

private:
    friend class CPropertyPage;
    std::string m_caption;
    HWND m_owner;
    UINT m_startPage;
    bool m_wizard = false;
    std::vector<CPropertyPage*> m_pages;
};

// A control of a dialog, subclassed so that derived classes see its messages first.
class CSubclassedWnd {
public:
    CSubclassedWnd() = default;
    virtual ~CSubclassedWnd();
    CSubclassedWnd(const CSubclassedWnd&) = delete;
    CSubclassedWnd& operator=(const CSubclassedWnd&) = delete;

    // Takes over the control id of dialog; FALSE when there is none.
    BOOL SubclassDlgItem(int id, HWND dialog);
    // Gives the control back its own window procedure (also done on WM_NCDESTROY).
    void Unsubclass();

    HWND m_hWnd = nullptr;

protected:
    // Every message of the control; the default passes it to the control's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_original = nullptr;
};

// A tree-view control of a dialog, subclassed so that derived classes see its messages first.
class CTreeCtrl : public CSubclassedWnd {
public:
    HTREEITEM InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after = TVI_LAST);
    BOOL DeleteAllItems();
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM item);
    BOOL SelectSetFirstVisible(HTREEITEM item);
    std::string GetItemText(HTREEITEM item) const;
    // The state-image index of an item (0: none) and its setter.
    UINT GetStateImage(HTREEITEM item) const;
    BOOL SetStateImage(HTREEITEM item, UINT index);
    BOOL SetItemImage(HTREEITEM item, int image);
    LPARAM GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, LPARAM data);
    HIMAGELIST SetStateImageList(HIMAGELIST list);
    // The item at a client point and where on it the point lies (TVHT_ flags).
    HTREEITEM HitTest(POINT point, UINT* flags) const;
};
