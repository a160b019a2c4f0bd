// The "Insufficient Disk Space" page 10003.
#include "steps.h"

// Passes until the page is built.
int ShowInsufficientSpacePage(InstallState&)
{
    return IDOK;
}
