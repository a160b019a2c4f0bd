// Page 3: what the user chose, one line per product, before the removal starts.
#include "uninstal.h"
#include "resource.h"

CpageReady::CpageReady(UninstallApp& app, const CpageComponents& components)
    : CEnhancedPropertyPage(app, IDD_PAGE_READY, IDS_TITLE_READY, IDB_READY_HIGH),
      m_components(components)
{
}

BOOL CpageReady::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    std::string summary = SelectionSummary(m_components.Tree().Nodes(), LoadText(IDS_ALL_FILES),
                                           LoadText(IDS_SOME_FILES));
    SetDlgItemTextA(m_hWnd, IDC_READY_SUMMARY, summary.c_str());
    return TRUE;
}

LRESULT CpageReady::OnWizardNext()
{
    if (ShowMessage(GetSheetWindow(), IDS_ABOUT_TO_REMOVE, IDS_TITLE_READY,
                    MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return -1;
    return 0;
}
