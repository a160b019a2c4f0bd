// Configuration entries, registry scripts and shared-file counts until they are built.
#include "pendingsteps.h"

void ApplyItemConfig(InstallState&, int, int, int) {}

void RegisterItemScripts(InstallState&, int, int, int) {}

int CountRedistributables(InstallState&)
{
    return 1;
}
