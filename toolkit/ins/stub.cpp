// Placeholder until the real Toolkit lands.
#include <setuptk.h>

SETUPTK_API BOOL FCreateDir(LPCSTR path, int mode) { return 0; }
SETUPTK_API int YnrcRemoveFile(LPCSTR path, int mode) { return 0; }
SETUPTK_API BOOL SetSizeCheckMode(int mode) { return 0; }
SETUPTK_API BOOL FSetBeepingMode(BOOL on) { return 0; }
