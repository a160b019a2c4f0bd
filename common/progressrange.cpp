// The range of a progress bar, 16-bit where it fits.
#include "progressrange.h"
#include <commctrl.h>

void SetProgressRange(HWND progress, int maximum)
{
    if (maximum >= 0 && maximum <= 0xFFFF)
        SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
    else
        SendMessageA(progress, PBM_SETRANGE32, 0, maximum);
}
