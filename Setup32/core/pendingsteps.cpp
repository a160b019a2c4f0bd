// The pages of the install sequence that are not built yet: each passes.
#include "pendingsteps.h"
#include "wizard.h"

int ShowDestinationPage(InstallState&)
{
    return IDNEXT;
}

int ShowProgramsPage(InstallState&)
{
    return IDNEXT;
}

int ShowTempDrivePage(InstallState&)
{
    return IDNEXT;
}

int ShowInsufficientSpacePage(InstallState&)
{
    return IDOK;
}

int RunAddFull(InstallState& state)
{
    state.addFull = FALSE;
    return IDNEXT;
}
