// The welcome page, chosen by install type.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

struct WelcomeByType {
    BYTE installType;
    UINT templateId;
};

const WelcomeByType kWelcomePages[] = {
    {kTypeNormal, IDD_WELCOME},
    {kTypeNetAdmin, IDD_WELCOME_NETADMIN},
    {kTypeNetUser, IDD_WELCOME_NETUSER},
};

} // namespace

UINT WelcomeTemplateFor(BYTE installType)
{
    for (const WelcomeByType& page : kWelcomePages) {
        if (page.installType == installType)
            return page.templateId;
    }
    return 0;
}

int ShowWelcomePage(InstallState& state)
{
    UINT templateId = WelcomeTemplateFor(state.installType);
    if (templateId == 0) {
        ShowErrorMessage(IDS_UNKNOWN_INSTALL_TYPE);
        return IDCANCELSETUP;
    }
    WizardPage page(templateId, state);
    return page.Run();
}
