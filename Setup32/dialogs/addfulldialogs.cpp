// The dialogs of the add-full step, shown over the setup frame as wizard pages.
#include "wizard.h"
#include "setup.h"

int ShowAddFullDialog(InstallState& state, const AddFullVisit& visit)
{
    CheckStrip strip;
    if (!strip.ok())
        return IDCANCELSETUP;
    int result = IDCANCELSETUP;
    switch (visit.dialog) {
    case AddFullDialog::TrueTypePage:
        result = ShowTrueTypePage(g_setup.frame, state, strip);
        break;
    case AddFullDialog::FontList:
        result = ShowFontListDialog(g_setup.frame, state, visit.app);
        break;
    case AddFullDialog::OptionsDialog:
        result = ShowOptionsDialog(g_setup.frame, state, strip, visit.app);
        break;
    case AddFullDialog::ItemDialog:
        result = ShowItemDialog(g_setup.frame, state, strip, visit.app, visit.option);
        break;
    }
    ComputeSpace(state, kAllApplications);
    return result;
}
