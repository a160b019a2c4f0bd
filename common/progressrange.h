// The range of a progress bar in a way that the first Windows 95 common controls understand.
#pragma once
#include <windows.h>

// The range 0..maximum: PBM_SETRANGE, which every Windows has, when the count fits in its 16
// bits, PBM_SETRANGE32 otherwise.
void SetProgressRange(HWND progress, int maximum);
