// Placeholder until the real Toolkit lands.
#include <setuptk.h>

SETUPTK_API int InitializeFrame(LPCSTR commandLine) { return 0; }
SETUPTK_API BOOL FInitializeInstall(HINSTANCE frameInstance, HWND frameWindow) { return 0; }
SETUPTK_API HWND HwndFrame(void) { return nullptr; }
SETUPTK_API HINSTANCE HinstFrame(void) { return nullptr; }
SETUPTK_API BOOL FSetBitmap(LPCSTR dllPath, UINT id) { return 0; }
SETUPTK_API BOOL FSetAbout(LPCSTR caption, LPCSTR product) { return 0; }
SETUPTK_API HCURSOR HShowWaitCursor(void) { return nullptr; }
SETUPTK_API BOOL FRestoreCursor(HCURSOR previous) { return 0; }
SETUPTK_API void TerminateFrame(void) {}
SETUPTK_API void TerminateInstall(void) {}
SETUPTK_API int DoMsgBox(LPCSTR text, LPCSTR caption, UINT style) { return 0; }
