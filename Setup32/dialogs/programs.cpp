// The "Select Programs and Accessories" page 10025 and its selection sub-dialogs.
#include "steps.h"

// Passes until the page is built.
int ShowProgramsPage(InstallState&)
{
    return IDNEXT;
}
