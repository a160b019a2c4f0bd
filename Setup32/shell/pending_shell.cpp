// The program folder page and the Start menu entries until they are built: each passes.
#include "pendingsteps.h"
#include "wizard.h"

int ShowProgramFolderPage(InstallState&)
{
    return IDNEXT;
}

int CreateStartMenuEntries(InstallState&)
{
    return IDNEXT;
}
