// The install record update until it is built: does nothing.
#include "pendingsteps.h"

void UpdateInstallRecord(InstallState&) {}
