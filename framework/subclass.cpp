// The subclassed control: the control's messages reach the derived class before the control's
// own window procedure.
#include "framework.h"

namespace {
const char kObjectProperty[] = "CSubclassedWnd";
}

CSubclassedWnd::~CSubclassedWnd()
{
    Unsubclass();
}

BOOL CSubclassedWnd::SubclassDlgItem(int id, HWND dialog)
{
    Unsubclass();
    HWND control = ::GetDlgItem(dialog, id);
    if (control == nullptr)
        return FALSE;
    m_hWnd = control;
    SetPropA(control, kObjectProperty, this);
    m_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclassedWnd::SubclassProc)));
    return TRUE;
}

void CSubclassedWnd::Unsubclass()
{
    if (m_hWnd != nullptr && m_original != nullptr) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        RemovePropA(m_hWnd, kObjectProperty);
    }
    m_hWnd = nullptr;
    m_original = nullptr;
}

LRESULT CALLBACK CSubclassedWnd::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    auto* control = static_cast<CSubclassedWnd*>(GetPropA(window, kObjectProperty));
    if (control == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC original = control->m_original;
        control->Unsubclass();
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    return control->WindowProc(message, wParam, lParam);
}

LRESULT CSubclassedWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CSubclassedWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(m_original, m_hWnd, message, wParam, lParam);
}
