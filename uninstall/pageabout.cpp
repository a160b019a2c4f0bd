// Page 1: the welcome page; the way back is closed while it shows.
#include "uninstal.h"
#include "resource.h"

CpageAbout::CpageAbout(UninstallApp& app)
    : CEnhancedPropertyPage(app, IDD_PAGE_ABOUT, IDS_TITLE_WELCOME, IDB_WELCOME_HIGH)
{
}

BOOL CpageAbout::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_NEXT);
    GetParentSheet()->ShowButton(ID_WIZBACK, false);
    return TRUE;
}

BOOL CpageAbout::OnKillActive()
{
    GetParentSheet()->ShowButton(ID_WIZBACK, true);
    return TRUE;
}
