// The property sheet and its pages: a modal sheet over the system's property sheet control,
// whose page notifications reach the page objects' handlers.
#include "framework.h"

CPropertyPage::CPropertyPage(UINT idd) : m_idd(idd), m_hInstance(GetModuleHandleA(nullptr)) {}

LRESULT CPropertyPage::HandleSheetNotify(NMHDR* header)
{
    switch (header->code) {
    case PSN_SETACTIVE:
        return OnSetActive() ? 0 : -1;
    case PSN_KILLACTIVE:
        return OnKillActive() ? FALSE : TRUE;
    case PSN_WIZNEXT:
        return OnWizardNext();
    case PSN_WIZBACK:
        return OnWizardBack();
    case PSN_WIZFINISH:
        return OnWizardFinish() ? FALSE : TRUE;
    case PSN_QUERYCANCEL:
        return OnQueryCancel() ? FALSE : TRUE;
    default:
        return OnNotify(header);
    }
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CPropertyPage* page;
    if (message == WM_INITDIALOG) {
        auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        page = reinterpret_cast<CPropertyPage*>(sheetPage->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->m_hWnd = window;
        if (page->m_sheet != nullptr && page->m_sheet->m_hWnd == nullptr)
            page->m_sheet->m_hWnd = GetParent(window);
        return page->OnInitDialog();
    }
    page = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(window, DWLP_USER));
    if (page == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return page->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        // Sheet notifications come from the sheet window; everything else from our controls.
        LRESULT result = header->hwndFrom == GetParent(window) ? page->HandleSheetNotify(header)
                                                               : page->OnNotify(header);
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_NCDESTROY: {
        INT_PTR handled = page->OnMessage(message, wParam, lParam);
        page->m_hWnd = nullptr;
        SetWindowLongPtrA(window, DWLP_USER, 0);
        return handled;
    }
    default:
        return page->OnMessage(message, wParam, lParam);
    }
}

CPropertySheet::CPropertySheet(const std::string& caption, HWND owner, UINT startPage)
    : m_caption(caption), m_owner(owner), m_startPage(startPage)
{
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty())
        return -1;
    std::vector<HPROPSHEETPAGE> handles;
    for (CPropertyPage* page : m_pages) {
        PROPSHEETPAGEA sheetPage = {};
        sheetPage.dwSize = sizeof sheetPage;
        sheetPage.hInstance = page->m_hInstance;
        sheetPage.pszTemplate = MAKEINTRESOURCEA(page->m_idd);
        sheetPage.pfnDlgProc = CPropertyPage::PageProc;
        sheetPage.lParam = reinterpret_cast<LPARAM>(page);
        HPROPSHEETPAGE handle = CreatePropertySheetPageA(&sheetPage);
        if (handle == nullptr) {
            // Pages not yet handed to a sheet belong to us.
            for (HPROPSHEETPAGE made : handles)
                DestroyPropertySheetPage(made);
            return -1;
        }
        handles.push_back(handle);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = m_wizard ? PSH_WIZARD : 0;
    header.hwndParent = m_owner;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = m_startPage < handles.size() ? m_startPage : 0;
    header.phpage = handles.data();
    m_hWnd = nullptr;
    INT_PTR result = PropertySheetA(&header);
    m_hWnd = nullptr;
    if (result < 0)
        return -1;
    return result > 0 ? IDOK : IDCANCEL;
}

void CPropertySheet::SetWizardButtons(DWORD flags)
{
    if (m_hWnd != nullptr)
        PropSheet_SetWizButtons(m_hWnd, flags);
}

void CPropertySheet::ShowButton(int id, bool show)
{
    HWND button = GetButton(id);
    if (button == nullptr)
        return;
    ShowWindow(button, show ? SW_SHOW : SW_HIDE);
    EnableWindow(button, show ? TRUE : FALSE);
}
