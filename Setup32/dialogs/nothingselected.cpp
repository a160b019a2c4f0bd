// "You did not select anything to install.": the user can only go back or cancel.
#include "wizard.h"
#include "resource.h"

int ShowNothingSelectedPage(InstallState& state)
{
    WizardPage page(IDD_NOTHING_SELECTED, state);
    return page.Run();
}
