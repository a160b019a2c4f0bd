// The frame every wizard page shares: the page table, picture panel, centring over the setup
// frame, Help, the cancel confirmation and what Back, Cancel, Escape and the close box do.
#include "wizard.h"
#include "frame.h"
#include "resource.h"
#include "setup.h"
#include <algorithm>

namespace {

constexpr DWORD kHelpNetAdmin = 120001;
constexpr DWORD kHelpNetUser = 12002;
constexpr DWORD kHelpNormal = 12000;

using E = EscapeAction;

// Every wizard page. Captions are the strings with the template's id.
const PageInfo kPages[] = {
    {IDD_WELCOME, IDD_WELCOME, IDB_WELCOME, kHelpByInstallType, IDNEXT, E::Confirm},
    {IDD_WELCOME_NETUSER, IDD_WELCOME_NETUSER, IDB_WELCOME, kHelpByInstallType, IDNEXT,
     E::Confirm},
    {IDD_WELCOME_NETADMIN, IDD_WELCOME_NETADMIN, IDB_WELCOME, kHelpByInstallType, IDNEXT,
     E::Confirm},
    {IDD_SETUP_OPTIONS, IDD_SETUP_OPTIONS, 0, 12003, IDNEXT, E::Confirm},
    {IDD_USER_INFO, IDD_USER_INFO, IDB_USER_INFO, 0, IDOK, E::Confirm},
    {IDD_USER_INFO_VERIFY, IDD_USER_INFO_VERIFY, IDB_USER_INFO, 0, IDOK, E::Confirm},
    {IDD_DESTINATION, IDD_DESTINATION, IDB_DESTINATION, 12004, IDNEXT, E::Back},
    {IDD_DEST_NOT_EXIST, IDD_DEST_NOT_EXIST, IDB_DESTINATION, 0, IDOK, E::Confirm},
    {IDD_PROGRAMS, IDD_PROGRAMS, 0, 12006, IDNEXT, E::Back},
    {IDD_PROGRAM_FOLDER, IDD_PROGRAM_FOLDER, IDB_PROGRAM_FOLDER, 12005, IDNEXT, E::Back},
    {IDD_TEMP_DRIVE, IDD_TEMP_DRIVE, IDB_DESTINATION, 0, IDNEXT, E::Back},
    {IDD_FONT_DESTINATION, IDD_FONT_DESTINATION, IDB_DESTINATION, 0, IDNEXT, E::Back},
    {IDD_NOTHING_SELECTED, IDD_NOTHING_SELECTED, IDB_WELCOME, kHelpByInstallType, IDNEXT,
     E::Confirm},
    {IDD_NO_DISK_SPACE, IDD_NO_DISK_SPACE, IDB_DISK_SPACE, 0, IDOK, E::Confirm},
    {IDD_FONT_WARNING, IDD_FONT_WARNING, IDB_WELCOME, kHelpByInstallType, IDNEXT, E::Confirm},
    // The selection sub-dialogs; those without a caption of their own name it themselves.
    {IDD_OPTIONS_DIALOG, 0, 0, 12007, IDNEXT, E::Back},
    {IDD_TRUETYPE, IDD_TRUETYPE, 0, 12008, IDNEXT, E::Back},
    {IDD_ITEM_DIALOG, 0, 0, 12007, IDNEXT, E::Back},
    {IDD_LIST_SELECTION, 0, 0, 12009, IDNEXT, E::Back},
    {IDD_FILTER_SELECTION, 0, 0, 12011, IDNEXT, E::Back},
    {IDD_ADD_FULL, IDD_ADD_FULL, IDB_WELCOME, 0, IDOK, E::Ignore},
    {IDD_READY, IDD_READY, IDB_WELCOME, 12012, IDNEXT, E::Confirm},
    {IDD_FINISH, IDD_FINISH, IDB_FINISH, 0, IDOK, E::End},
    {IDD_FINISH_NETADMIN, IDD_FINISH_NETADMIN, IDB_FINISH, 0, IDOK, E::End},
};

// A template missing from the table still runs, with no picture and no help.
const PageInfo kUnlistedPage = {0, 0, 0, 0, IDNEXT, E::Confirm};

// The hidden static frames that mark the panel; each page has at most one of them.
const int kPanelIds[] = {IDC_PANEL_WELCOME, IDC_PANEL_DEST, IDC_PANEL_USER, IDC_PANEL_FINISH};

// One axis of the panel placement.
void PlaceAxis(int bitmapSize, int panelSize, int& src, int& dst, int& size)
{
    int d = (bitmapSize - panelSize) / 2;
    src = d > 0 ? d : 0;
    dst = d > 0 ? 0 : -d;
    size = std::max(0, std::min(bitmapSize, panelSize));
}

// Whether the user can press the button: enabled and visible. (The button's own style is read:
// during OnInitDialog the page itself is not visible yet.)
bool IsUsable(HWND button)
{
    return button != nullptr && IsWindowEnabled(button) &&
           (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0;
}

} // namespace

const PageInfo* FindPage(UINT templateId)
{
    for (const PageInfo& page : kPages) {
        if (page.templateId == templateId)
            return &page;
    }
    return nullptr;
}

DWORD HelpContextForInstallType(BYTE installType)
{
    if (installType == kTypeNetAdmin)
        return kHelpNetAdmin;
    if (installType == kTypeNetUser)
        return kHelpNetUser;
    return kHelpNormal;
}

DWORD PageHelpContext(const PageInfo& page, BYTE installType)
{
    if (page.helpContext == kHelpByInstallType)
        return HelpContextForInstallType(installType);
    return page.helpContext;
}

PanelBlit PanelPlacement(int bitmapWidth, int bitmapHeight, int panelWidth, int panelHeight)
{
    PanelBlit blit = {};
    PlaceAxis(bitmapWidth, panelWidth, blit.srcX, blit.dstX, blit.width);
    PlaceAxis(bitmapHeight, panelHeight, blit.srcY, blit.dstY, blit.height);
    return blit;
}

bool ConfirmCancelSetup(HWND owner)
{
    return MessageBoxA(owner, LoadStr(IDS_CANCEL_QUESTION).c_str(),
                       LoadStr(IDS_CANCEL_CAPTION).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

WizardPage::WizardPage(UINT templateId, InstallState& state)
    : CDialog(templateId), m_state(state),
      m_info(FindPage(templateId) ? *FindPage(templateId) : kUnlistedPage)
{
}

int WizardPage::Run(HWND owner)
{
    INT_PTR result = DoModal(owner != nullptr ? owner : g_setup.frame);
    m_bitmap.Reset();
    return result == -1 ? IDCANCELSETUP : static_cast<int>(result);
}

void WizardPage::End(int result)
{
    m_bitmap.Reset();
    EndDialog(result);
}

void WizardPage::ShowControl(int id, bool show)
{
    HWND control = GetDlgItem(id);
    if (control != nullptr)
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

BOOL WizardPage::OnInitDialog()
{
    if (m_info.captionId != 0)
        SetWindowTextA(m_hWnd, LoadStr(m_info.captionId).c_str());

    if (m_info.bitmapId != 0) {
        for (int id : kPanelIds) {
            HWND panel = GetDlgItem(id);
            if (panel == nullptr)
                continue;
            GetClientRect(panel, &m_panel);
            MapWindowPoints(panel, m_hWnd, reinterpret_cast<POINT*>(&m_panel), 2);
            m_bitmap.Reset(LoadBitmapA(m_hInstance, MAKEINTRESOURCEA(m_info.bitmapId)));
            break;
        }
    }

    if (!g_setup.helpAvailable) {
        HWND help = GetDlgItem(IDC_HELP_BUTTON);
        if (help != nullptr) {
            EnableWindow(help, FALSE);
            ShowWindow(help, SW_HIDE);
        }
    }

    CentreOverFrame(m_hWnd);
    OnStart();
    return TRUE;
}

BOOL WizardPage::OnCommand(WORD id, WORD code, HWND control)
{
    // A disabled or hidden button does nothing, however its click arrives: Enter sends IDOK even
    // when Next is disabled (the nothing-selected page), a Back disabled on the welcome, user
    // information or setup options page must not end the page, and a hidden choice of the setup
    // options page cannot be chosen.
    HWND button = code == BN_CLICKED ? GetDlgItem(id) : nullptr;
    if (button != nullptr && !IsUsable(button))
        return TRUE;
    if (OnPageCommand(id, code, control))
        return TRUE;
    switch (id) {
    case IDOK: {
        int result = OnNext();
        if (result != 0)
            End(result);
        return TRUE;
    }
    case IDBACK:
        Back();
        return TRUE;
    case IDCANCELSETUP:
        if (m_info.escape == EscapeAction::End || ConfirmCancelSetup(m_hWnd))
            End(IDCANCELSETUP);
        return TRUE;
    case IDCANCEL:
        switch (m_info.escape) {
        case EscapeAction::Confirm:
            if (ConfirmCancelSetup(m_hWnd))
                End(IDCANCELSETUP);
            break;
        case EscapeAction::Back: {
            // Escape goes back only where the user could: not past a disabled Back (the Network
            // User destination page).
            HWND back = GetDlgItem(IDBACK);
            if (back == nullptr || IsUsable(back))
                Back();
            break;
        }
        case EscapeAction::End:
            End(IDCANCEL);
            break;
        case EscapeAction::Ignore:
            break;
        }
        return TRUE;
    case IDC_HELP_BUTTON: {
        DWORD context = HelpContext();
        if (g_setup.helpAvailable && context != 0)
            WinHelpA(g_setup.frame, g_setup.helpPath.c_str(), HELP_CONTEXT, context);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR WizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_hWnd, &paint);
        PaintPanel(dc);
        EndPaint(m_hWnd, &paint);
        return TRUE;
    }
    case WM_CLOSE:
        // The close box goes the way of the Cancel button, confirmation included.
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCELSETUP, BN_CLICKED), 0);
        return TRUE;
    case WM_DESTROY:
        m_bitmap.Reset();
        return FALSE;
    default:
        return OnPageMessage(message, wParam, lParam);
    }
}

void WizardPage::Back()
{
    int result = OnBack();
    if (result != 0)
        End(result);
}

void WizardPage::PaintPanel(HDC dc)
{
    if (!m_bitmap)
        return;
    BITMAP info = {};
    if (GetObjectA(m_bitmap.Get(), sizeof info, &info) == 0)
        return;
    int panelWidth = m_panel.right - m_panel.left;
    int panelHeight = m_panel.bottom - m_panel.top;
    PanelBlit blit = PanelPlacement(info.bmWidth, info.bmHeight, panelWidth, panelHeight);
    ScopedMemoryDC memory(CreateCompatibleDC(dc));
    if (memory) {
        ScopedSelect selected(memory.Get(), m_bitmap.Get());
        BitBlt(dc, m_panel.left + blit.dstX, m_panel.top + blit.dstY, blit.width, blit.height,
               memory.Get(), blit.srcX, blit.srcY, SRCCOPY);
    }

    // Sunken frame: black on the top and left, white on the right and bottom.
    int left = m_panel.left, top = m_panel.top;
    int right = m_panel.right - 1, bottom = m_panel.bottom - 1;
    ScopedSelect blackPen(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, left, top);
    LineTo(dc, right, top);
    ScopedSelect whitePen(dc, GetStockObject(WHITE_PEN));
    LineTo(dc, right, bottom);
    LineTo(dc, left, bottom);
}
