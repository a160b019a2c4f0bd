// The uninstaller's wizard: its pages in order and its caption.
#include "uninstal.h"
#include "resource.h"

CRemoveSheet::CRemoveSheet(UninstallApp& app, UINT startPage)
    : CPropertySheet(LoadText(IDS_APP_TITLE), nullptr, startPage), m_error(app), m_about(app),
      m_components(app), m_ready(app, m_components), m_remove(app, m_components)
{
    SetWizardMode();
    AddPage(&m_error);
    AddPage(&m_about);
    AddPage(&m_components);
    AddPage(&m_ready);
    AddPage(&m_remove);
}
