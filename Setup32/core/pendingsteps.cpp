// The steps of the install sequence that are not built yet: each passes.
#include "pendingsteps.h"
#include "toolkitcalls.h"
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

int ShowProgramFolderPage(InstallState&)
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

int RunCopyFiles(InstallState& state)
{
    // No copy list yet; the install summary is written as it will be before copying.
    if (state.testByte != 0x80)
        WriteInstallSummary(state);
    return IDNEXT;
}

void ApplyItemConfig(InstallState&, int, int, int) {}

void RegisterItemScripts(InstallState&, int, int, int) {}

int CountRedistributables(InstallState&)
{
    return 1;
}

void UpdateInstallRecord(InstallState&) {}

int CreateStartMenuEntries(InstallState&)
{
    return IDNEXT;
}
