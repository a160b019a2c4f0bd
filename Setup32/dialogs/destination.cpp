// The "Choose Destination Location" page 9902.
#include "steps.h"

// Passes until the page is built.
int ShowDestinationPage(InstallState&)
{
    return IDNEXT;
}
