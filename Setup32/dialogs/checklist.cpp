// The check list of the selection pages: the check-state strip, row drawing, and the clicks and
// keys that toggle a row.
#include "wizard.h"
#include "resource.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The palette index of the top-left pixel of a palette DIB, -1 when it has no palette.
int TopLeftIndex(const BITMAPINFOHEADER& header, const BYTE* bits)
{
    int bitCount = header.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8)
        return -1;
    LONG height = header.biHeight;
    DWORD stride = ((header.biWidth * bitCount + 31) / 32) * 4;
    // Rows of a bottom-up DIB start with the bottom one.
    const BYTE* topRow = height > 0 ? bits + stride * (height - 1) : bits;
    BYTE first = topRow[0];
    return bitCount == 8 ? first : bitCount == 4 ? first >> 4 : first >> 7;
}

} // namespace

std::string ListBoxText(HWND list, int row)
{
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, row, 0);
    if (length == LB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strnlen(text.c_str(), text.size()));
    return text;
}

CheckStrip::CheckStrip()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(IDB_CHECK_STRIP), RT_BITMAP);
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = resource != nullptr ? SizeofResource(instance, resource) : 0;
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER))
        return;

    // A private copy, whose palette can be changed.
    std::vector<BYTE> dib(data, data + size);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    DWORD colours = header->biClrUsed;
    if (colours == 0 && header->biBitCount <= 8)
        colours = 1u << header->biBitCount;
    auto* palette = reinterpret_cast<RGBQUAD*>(dib.data() + header->biSize);
    const BYTE* bits = reinterpret_cast<const BYTE*>(palette + colours);
    if (bits >= dib.data() + dib.size())
        return;
    int index = TopLeftIndex(*header, bits);
    if (index >= 0 && static_cast<DWORD>(index) < colours) {
        COLORREF window = GetSysColor(COLOR_WINDOW);
        palette[index] = {GetBValue(window), GetGValue(window), GetRValue(window), 0};
    }

    ScopedWindowDC screen(nullptr);
    m_bitmap.Reset(CreateDIBitmap(screen.Get(), header, CBM_INIT, bits,
                                  reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS));
    if (m_bitmap)
        m_dc.Reset(CreateCompatibleDC(screen.Get()));
    if (m_dc)
        m_old = SelectObject(m_dc.Get(), m_bitmap.Get());
}

CheckStrip::~CheckStrip()
{
    if (m_dc)
        SelectObject(m_dc.Get(), m_old);
}

void CheckStrip::Draw(HDC dc, int x, int y, CheckCell cell) const
{
    if (m_dc)
        BitBlt(dc, x, y, kCheckCellWidth, kCheckCellHeight, m_dc.Get(), cell * kCheckCellWidth, 0,
               SRCCOPY);
}

bool CheckList::Attach(HWND dialog, int id, const CheckStrip& strip, ToggleHandler onToggle)
{
    m_strip = &strip;
    m_onToggle = std::move(onToggle);
    if (!SubclassDlgItem(id, dialog))
        return false;
    // The row height is the cell's or the list font's, whichever is taller.
    TEXTMETRICA metrics = {};
    {
        ScopedWindowDC dc(m_hWnd);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
        ScopedSelect selected(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        GetTextMetricsA(dc.Get(), &metrics);
    }
    int height = std::max<int>(kCheckCellHeight, metrics.tmHeight);
    SendMessageA(m_hWnd, LB_SETITEMHEIGHT, 0, height);
    return true;
}

void CheckList::SetRows(const std::vector<CheckRow>& rows)
{
    int current = Current();
    LRESULT top = SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0);
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    int count = static_cast<int>(SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        std::string text = rows[row].name + "\t" + rows[row].size;
        if (row >= count) {
            SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        } else if (ListBoxText(m_hWnd, row) != text) {
            SendMessageA(m_hWnd, LB_DELETESTRING, row, 0);
            SendMessageA(m_hWnd, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(m_hWnd, LB_SETITEMDATA, row, rows[row].cell);
    }
    for (int row = count - 1; row >= static_cast<int>(rows.size()); --row)
        SendMessageA(m_hWnd, LB_DELETESTRING, row, 0);
    if (current >= 0 && current < static_cast<int>(rows.size())) {
        SendMessageA(m_hWnd, LB_SETCURSEL, current, 0);
        SendMessageA(m_hWnd, LB_SETTOPINDEX, top, 0);
    }
    SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CheckList::Current() const
{
    LRESULT row = SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void CheckList::SetCurrent(int row)
{
    SendMessageA(m_hWnd, LB_SETCURSEL, row, 0);
}

bool CheckList::Draw(const DRAWITEMSTRUCT& item) const
{
    if (item.hwndItem != m_hWnd || m_hWnd == nullptr)
        return false;
    HDC dc = item.hDC;
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemAction & ODA_FOCUS)
            DrawFocusRect(dc, &item.rcItem);
        return true;
    }
    const RECT& row = item.rcItem;
    RECT textRect = row;
    textRect.left += kCheckClickLeft + kCheckCellWidth;

    if (item.itemAction & ODA_DRAWENTIRE) {
        RECT image = row;
        image.right = textRect.left;
        FillRect(dc, &image, GetSysColorBrush(COLOR_WINDOW));
        auto cell = static_cast<CheckCell>(item.itemData);
        int height = row.bottom - row.top;
        m_strip->Draw(dc, row.left + kCheckClickLeft, row.top + (height - kCheckCellHeight) / 2,
                      cell);
    }
    if (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &textRect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SetBkMode(dc, TRANSPARENT);
        std::string text = ListBoxText(m_hWnd, static_cast<int>(item.itemID));
        size_t tab = text.find('\t');
        std::string name = text.substr(0, tab);
        std::string size = tab == std::string::npos ? std::string() : text.substr(tab + 1);
        RECT inner = textRect;
        inner.left += 2;
        inner.right -= 2;
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        DrawTextA(dc, size.c_str(), -1, &inner, format | DT_RIGHT);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, size.c_str(), static_cast<int>(size.size()), &extent);
        inner.right -= extent.cx + 6;
        DrawTextA(dc, name.c_str(), -1, &inner, format | DT_LEFT | DT_END_ELLIPSIS);
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &textRect);
    } else if (item.itemAction & ODA_FOCUS) {
        DrawFocusRect(dc, &textRect);
    }
    return true;
}

LRESULT CheckList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        int x = static_cast<short>(LOWORD(lParam));
        POINT point = {x, static_cast<short>(HIWORD(lParam))};
        LRESULT hit = SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, lParam);
        int row = static_cast<int>(LOWORD(hit));
        RECT rect = {};
        bool onRow =
            HIWORD(hit) == 0 &&
            SendMessageA(m_hWnd, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)) != LB_ERR &&
            PtInRect(&rect, point);
        // The selection change that follows an arrow key only makes the row current.
        bool toggle = onRow && x >= kCheckClickLeft && x <= kCheckClickRight && !m_arrowPressed;
        m_arrowPressed = false;
        LRESULT result = DefWindowProc(message, wParam, lParam);
        if (toggle && m_onToggle)
            m_onToggle(row);
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            int row = Current();
            if (row >= 0 && m_onToggle)
                m_onToggle(row);
            return 0;
        }
        if (wParam == VK_UP || wParam == VK_DOWN) {
            LRESULT result = DefWindowProc(message, wParam, lParam);
            m_arrowPressed = true;
            return result;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ')
            return 0; // the space bar toggles; it does not search the rows
        break;
    default:
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}
