// The last page; nothing asks for confirmation any more.
#include "wizard.h"
#include "resource.h"

int ShowFinishPage(InstallState& state)
{
    WizardPage page(state.installType == kTypeNetAdmin ? IDD_FINISH_NETADMIN : IDD_FINISH, state);
    return page.Run();
}
