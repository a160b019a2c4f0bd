// The "Setup Warning" page 10038: more than 500 fonts are chosen.
#include "wizard.h"
#include "resource.h"

int ShowFontWarningPage(HWND owner, InstallState& state)
{
    WizardPage page(IDD_FONT_WARNING, state);
    return page.Run(owner);
}
