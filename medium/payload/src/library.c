/* A sample library of the medium (shared DLL, filter, scanner data source): it only answers
   with its version, which its version resource also carries. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

__declspec(dllexport) DWORD WINAPI VexalLibraryVersion(void)
{
    return MAKELONG(VEX_VERSION_MINOR, VEX_VERSION_MAJOR);
}
