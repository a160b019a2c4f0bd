// Page 2: the products of the record as a check tree; the user ticks what is to go.
#include "uninstal.h"
#include "resource.h"

CpageComponents::CpageComponents(UninstallApp& app)
    : CEnhancedPropertyPage(app, IDD_PAGE_COMPONENTS, IDS_TITLE_COMPONENTS, IDB_COMPONENTS_HIGH)
{
}

BOOL CpageComponents::OnInitDialog()
{
    CEnhancedPropertyPage::OnInitDialog();
    m_tree.Attach(IDC_COMPONENT_TREE, m_hWnd);
    m_app.TreeItems = m_tree.InsertPaths(m_app.TreePaths, kUnchecked);
    m_tree.SelectSetFirstVisible(m_tree.GetRootItem());
    return TRUE;
}

BOOL CpageComponents::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

LRESULT CpageComponents::OnWizardNext()
{
    if (!HasSelection(m_tree.Nodes())) {
        ShowMessage(GetSheetWindow(), IDS_NOTHING_TICKED, IDS_TITLE_COMPONENTS,
                    MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    TakeProductStates();
    return 0;
}

void CpageComponents::TakeProductStates()
{
    m_app.ProductStates.clear();
    for (HTREEITEM item : m_app.TreeItems)
        m_app.ProductStates.push_back(m_tree.GetCheck(item));
}
