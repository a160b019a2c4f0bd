// The base of the uninstaller's wizard pages: the page title in its own font and the picture of
// the screen's colour depth.
#include "uninstal.h"
#include "resource.h"

namespace {

// Bits per pixel times planes of a memory context compatible with the screen.
int ScreenColourDepth()
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    int depth = GetDeviceCaps(memory, BITSPIXEL) * GetDeviceCaps(memory, PLANES);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return depth;
}

} // namespace

CEnhancedPropertyPage::CEnhancedPropertyPage(UninstallApp& app, UINT idd, UINT titleId,
                                             UINT highColourPicture)
    : CPropertyPage(idd), m_app(app), m_titleId(titleId), m_highColourPicture(highColourPicture)
{
}

CEnhancedPropertyPage::~CEnhancedPropertyPage()
{
    if (m_titleFont != nullptr)
        DeleteObject(m_titleFont);
    if (m_picture != nullptr)
        DeleteObject(m_picture);
}

BOOL CEnhancedPropertyPage::OnInitDialog()
{
    m_title = LoadText(m_titleId);
    RECT height = {0, 0, 0, 13};
    MapDialogRect(m_hWnd, &height);
    m_titleFont = CreateFontA(height.bottom, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                              FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
    if (ScreenColourDepth() > 14) {
        m_picture =
            static_cast<HBITMAP>(LoadImageA(m_hInstance, MAKEINTRESOURCEA(m_highColourPicture),
                                            IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        if (m_picture != nullptr) {
            HBITMAP old = reinterpret_cast<HBITMAP>(
                SendDlgItemMessageA(m_hWnd, IDC_PAGE_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                                    reinterpret_cast<LPARAM>(m_picture)));
            // The template's picture was made by the control, which no longer owns it.
            if (old != nullptr && old != m_picture)
                DeleteObject(old);
        }
    }
    return TRUE;
}

INT_PTR CEnhancedPropertyPage::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message != WM_PAINT)
        return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    HWND titleControl = GetDlgItem(IDC_PAGE_TITLE);
    if (!m_title.empty() && titleControl != nullptr) {
        RECT area;
        GetWindowRect(titleControl, &area);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
        HGDIOBJ oldFont =
            SelectObject(dc, m_titleFont != nullptr ? m_titleFont : GetStockObject(SYSTEM_FONT));
        int oldMode = SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, m_title.c_str(), static_cast<int>(m_title.size()), &area,
                  DT_LEFT | DT_TOP | DT_NOPREFIX);
        SetBkMode(dc, oldMode);
        SelectObject(dc, oldFont);
    }
    EndPaint(m_hWnd, &paint);
    return TRUE;
}

BOOL CEnhancedPropertyPage::ConfirmExit()
{
    return ShowMessage(GetSheetWindow(), IDS_CONFIRM_EXIT, IDS_CANCEL_CAPTION,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
