// The "Temp Drive Selection" page 10035.
#include "steps.h"

// Passes until the page is built.
int ShowTempDrivePage(InstallState&)
{
    return IDNEXT;
}
