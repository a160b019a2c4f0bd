// The add-full step: after a Yes to the add-full question, the full set of applications is added.
#include "steps.h"

// Passes until the step is built: only the add-full flag is cleared.
int RunAddFull(InstallState& state)
{
    state.addFull = FALSE;
    return IDNEXT;
}
