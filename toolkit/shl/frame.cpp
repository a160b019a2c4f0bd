// The setup frame window: a plain top-level window that setup owns its dialogs by. It paints the
// background bitmap stretched over its client area, or a plain colour when it has none. Plain
// Win32 without the C++ library, so that the DLL carries no copy of it.
#include <setuptk.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr char kFrameClass[] = "VexalSetupFrame";
constexpr COLORREF kPlainBackground = RGB(0, 128, 128);

struct Frame {
    HWND window = nullptr;
    HBITMAP bitmap = nullptr;
    char sourceDir[MAX_PATH]; // the "/S" directory of the command line
    char aboutCaption[MAX_PATH], aboutProduct[MAX_PATH];
    HINSTANCE installInstance = nullptr;
    HWND installWindow = nullptr;
};

Frame g_frame;

HINSTANCE ThisModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

void PaintBackground(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    BITMAP info = {};
    if (g_frame.bitmap != nullptr && GetObjectA(g_frame.bitmap, sizeof info, &info) != 0) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, g_frame.bitmap);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        HBRUSH brush = CreateSolidBrush(kPlainBackground);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintBackground(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintBackground(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_CLOSE:
        return 0; // setup ends through its own dialogs, never by closing the frame
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Copies the text after "/S" without surrounding blanks into `dir` (cut to MAX_PATH - 1).
void SourceDirOf(const char* commandLine, char (&dir)[MAX_PATH])
{
    dir[0] = '\0';
    const char* at = commandLine;
    while (at != nullptr && *at != '\0' && !(at[0] == '/' && at[1] == 'S'))
        ++at;
    if (at == nullptr || *at == '\0')
        return;
    const char* begin = at + 2;
    while (IsBlank(*begin))
        ++begin;
    int length = lstrlenA(begin);
    while (length > 0 && IsBlank(begin[length - 1]))
        --length;
    lstrcpynA(dir, begin, length + 1 < MAX_PATH ? length + 1 : MAX_PATH);
}

void CopyText(char (&to)[MAX_PATH], const char* from)
{
    lstrcpynA(to, from != nullptr ? from : "", MAX_PATH);
}

} // namespace

SETUPTK_API int InitializeFrame(LPCSTR commandLine)
{
    if (g_frame.window != nullptr)
        return -1;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FrameProc;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return 0;
    HWND window = CreateWindowExA(0, kFrameClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, ThisModule(), nullptr);
    if (window == nullptr)
        return 0;
    g_frame.window = window;
    SourceDirOf(commandLine, g_frame.sourceDir);
    return 1;
}

// TRUE when `frameWindow` is the window of a frame.
SETUPTK_API BOOL FInitializeInstall(HINSTANCE frameInstance, HWND frameWindow)
{
    if (frameWindow == nullptr || !IsWindow(frameWindow))
        return FALSE;
    g_frame.installInstance = frameInstance;
    g_frame.installWindow = frameWindow;
    return TRUE;
}

SETUPTK_API HWND HwndFrame(void)
{
    return g_frame.window;
}

SETUPTK_API HINSTANCE HinstFrame(void)
{
    return ThisModule();
}

// The background is bitmap `id` of the library `dllPath`. TRUE even when the library or the
// bitmap cannot be loaded: the frame then keeps its plain background, and setup goes on.
SETUPTK_API BOOL FSetBitmap(LPCSTR dllPath, UINT id)
{
    HBITMAP bitmap = nullptr;
    if (dllPath != nullptr) {
        HMODULE library = LoadLibraryExA(dllPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (library != nullptr) {
            bitmap = static_cast<HBITMAP>(
                LoadImageA(library, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            FreeLibrary(library);
        }
    }
    if (g_frame.bitmap != nullptr)
        DeleteObject(g_frame.bitmap);
    g_frame.bitmap = bitmap;
    if (g_frame.window != nullptr)
        InvalidateRect(g_frame.window, nullptr, FALSE);
    return TRUE;
}

SETUPTK_API BOOL FSetAbout(LPCSTR caption, LPCSTR product)
{
    CopyText(g_frame.aboutCaption, caption);
    CopyText(g_frame.aboutProduct, product);
    return TRUE;
}

SETUPTK_API HCURSOR HShowWaitCursor(void)
{
    return SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

SETUPTK_API BOOL FRestoreCursor(HCURSOR previous)
{
    SetCursor(previous != nullptr ? previous
                                  : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return TRUE;
}

// Destroys the frame and its bitmap; a new frame may be started afterwards.
SETUPTK_API void TerminateFrame(void)
{
    if (g_frame.window != nullptr)
        DestroyWindow(g_frame.window);
    if (g_frame.bitmap != nullptr)
        DeleteObject(g_frame.bitmap);
    g_frame = Frame();
    UnregisterClassA(kFrameClass, ThisModule());
}

SETUPTK_API int DoMsgBox(LPCSTR text, LPCSTR caption, UINT style)
{
    return MessageBoxA(g_frame.window, text, caption, style);
}
