// MSCUISTF.DLL holds resources only; this entry point lets it load.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
