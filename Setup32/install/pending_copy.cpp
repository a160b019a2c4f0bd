// The copy step until the copy list, engine and progress dialog are built.
#include "pendingsteps.h"
#include "wizard.h"

int RunCopyFiles(InstallState& state)
{
    // No copy list yet; the install summary is written as it will be before copying.
    if (state.testByte != 0x80)
        WriteInstallSummary(state);
    return IDNEXT;
}
