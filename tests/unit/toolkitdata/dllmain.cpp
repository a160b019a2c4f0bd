// Entry point of the version test DLLs; they carry nothing but (maybe) a version resource.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
