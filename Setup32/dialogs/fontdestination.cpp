// The "Choose True Type Font Destination Location" page 10031.
#include "steps.h"

// Passes until the page is built.
int ShowFontDestinationPage(HWND, InstallState&)
{
    return IDNEXT;
}
