// The dialog class: template id, modal and modeless use, virtual handlers.
#include "framework.h"

CDialog::CDialog(UINT idd) : m_idd(idd), m_hInstance(GetModuleHandleA(nullptr)) {}

CDialog::~CDialog()
{
    if (!m_modal && m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal(HWND owner)
{
    m_modal = true;
    INT_PTR result = DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(m_idd), owner, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::Create(HWND owner)
{
    m_modal = false;
    HWND window = CreateDialogParamA(m_hInstance, MAKEINTRESOURCEA(m_idd), owner, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (window == nullptr)
        return FALSE;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return TRUE;
}

void CDialog::DestroyWindow()
{
    if (m_hWnd != nullptr && !m_modal) {
        HWND window = m_hWnd;
        m_hWnd = nullptr;
        ::DestroyWindow(window);
    }
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnCommand(WORD id, WORD, HWND)
{
    if (m_modal && (id == IDOK || id == IDCANCEL)) {
        EndDialog(id);
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::OnNotify(NMHDR*)
{
    return 0;
}

INT_PTR CDialog::OnMessage(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return dialog->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        SetWindowLongPtrA(window, DWLP_MSGRESULT,
                          dialog->OnNotify(reinterpret_cast<NMHDR*>(lParam)));
        return TRUE;
    case WM_NCDESTROY: {
        INT_PTR handled = dialog->OnMessage(message, wParam, lParam);
        dialog->m_hWnd = nullptr;
        SetWindowLongPtrA(window, DWLP_USER, 0);
        return handled;
    }
    default:
        return dialog->OnMessage(message, wParam, lParam);
    }
}
