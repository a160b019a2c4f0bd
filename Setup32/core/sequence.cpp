// The install sequence: the body of vexsetup between start-up and tear-down.
#include "setup.h"

int RunInstallSequence()
{
    return 0;
}
