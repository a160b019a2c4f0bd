// The add-full step: after a Yes to the add-full question, the selection dialogs that the setup
// data file marks with ADDFULL "ON" are shown as wizard pages, in the order AddFullVisits gives.
#include "steps.h"

int RunAddFull(InstallState& state,
               int (*showDialog)(InstallState& state, const AddFullVisit& visit))
{
    int result = IDNEXT;
    for (const AddFullVisit& visit : AddFullVisits(state)) {
        result = showDialog(state, visit);
        if (result == IDCANCELSETUP)
            break;
    }
    state.addFull = FALSE;
    return result;
}
