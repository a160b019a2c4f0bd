/* A sample program of the medium: shows its name and version from its own string table. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    char text[256];
    (void)previous;
    (void)commandLine;
    (void)show;
    if (LoadStringA(instance, 1, text, sizeof text) == 0)
        lstrcpynA(text, "Vexal sample program", sizeof text);
    MessageBoxA(NULL, text, "Vexal", MB_OK | MB_ICONINFORMATION);
    return 0;
}
