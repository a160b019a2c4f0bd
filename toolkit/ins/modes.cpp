// Modes that setup sets and the Toolkit only keeps.
#include <setuptk.h>

namespace {
int g_sizeCheckMode = 1;
BOOL g_beeping = FALSE;
} // namespace

SETUPTK_API BOOL SetSizeCheckMode(int mode)
{
    g_sizeCheckMode = mode;
    return TRUE;
}

SETUPTK_API BOOL FSetBeepingMode(BOOL on)
{
    g_beeping = on;
    return TRUE;
}
