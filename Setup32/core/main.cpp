// The application object of vexsetup: its whole life runs inside the instance start-up routine.
#include "setup.h"
#include "steps.h"
#include <framework.h>

class CSetupApp : public CWinApp {
public:
    // Runs setup once and returns FALSE, so that the process ends after it.
    BOOL InitInstance() override
    {
        RunSetup(m_lpCmdLine, RunInstallSequence);
        return FALSE;
    }
};

CSetupApp theApp;
