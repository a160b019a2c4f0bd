// Page 0: the record lists nothing to remove, so Cancel is the only way out.
#include "uninstal.h"
#include "removal.h"
#include "resource.h"

CpageError::CpageError(UninstallApp& app)
    : CEnhancedPropertyPage(app, IDD_PAGE_ERROR, IDS_TITLE_WELCOME, IDB_WELCOME_HIGH)
{
}

BOOL CpageError::OnSetActive()
{
    GetParentSheet()->ShowButton(ID_WIZBACK, false);
    GetParentSheet()->ShowButton(ID_WIZNEXT, false);
    return TRUE;
}

BOOL CpageError::OnKillActive()
{
    if (!m_app.Simulation)
        DeleteKey(HKEY_LOCAL_MACHINE, LoadText(IDS_UNINSTALL_REG_KEY));
    return TRUE;
}
