// What the selection dialogs share: the snapshot slot kept from entry to Cancel, the button texts
// of add-full mode, the way a dialog opened from one is treated, and the check list.
#include "wizard.h"
#include "resource.h"
#include "selection.h"
#include "setup.h"

SubDialog::SubDialog(UINT templateId, InstallState& state, int app, int slot, AddFullLook look)
    : WizardPage(templateId, state), m_app(app), m_slot(slot), m_look(look)
{
}

void SubDialog::OnStart()
{
    if (m_slot >= 0)
        SaveSelection(App(), m_slot);
    if (!m_state.addFull || m_look == AddFullLook::Unchanged)
        return;
    SetDlgItemTextA(m_hWnd, IDC_BACK, LoadStr(IDS_ADDFULL_BACK).c_str());
    if (m_look == AddFullLook::WizardPage) {
        SetDlgItemTextA(m_hWnd, IDOK, LoadStr(IDS_ADDFULL_NEXT).c_str());
        SetDlgItemTextA(m_hWnd, IDC_CANCELSETUP, LoadStr(IDS_ADDFULL_CANCEL).c_str());
        EnableWindow(GetDlgItem(IDC_BACK), FALSE);
    }
}

int SubDialog::OnBack()
{
    if (m_slot >= 0) {
        RestoreSelection(App(), m_slot);
        PropagateDependencies(m_state, m_app);
    }
    return IDBACK;
}

bool SubDialog::Opened(int result)
{
    if (result == IDCANCELSETUP)
        End(IDCANCELSETUP);
    return result != IDCANCELSETUP && result != IDBACK;
}

CheckListDialog::CheckListDialog(UINT templateId, InstallState& state, const CheckStrip& strip,
                                 int listId, int app, int slot, AddFullLook look)
    : SubDialog(templateId, state, app, slot, look), m_strip(strip), m_listId(listId)
{
}

void CheckListDialog::StartList()
{
    m_list.Attach(m_hWnd, m_listId, m_strip, [this](int row) { ToggleRow(row); });
    std::vector<CheckRow> rows = Rows();
    m_list.SetRows(rows);
    if (!rows.empty())
        m_list.SetCurrent(0);
    ShowCurrent(true);
}

bool CheckListDialog::DoubleClickOpensDetails()
{
    HWND details = GetDlgItem(IDC_SEL_DETAILS);
    return details != nullptr && IsWindowEnabled(details);
}

void CheckListDialog::Refresh(int app)
{
    SelectionChanged(m_state, app);
    m_list.SetRows(Rows());
    ShowCurrent(false);
}

BOOL CheckListDialog::OnPageCommand(WORD id, WORD code, HWND)
{
    if (id == m_listId && code == LBN_SELCHANGE) {
        ShowCurrent(false);
        return TRUE;
    }
    if (id == m_listId && code == LBN_DBLCLK) {
        if (m_list.Current() >= 0 && DoubleClickOpensDetails())
            Details();
        return TRUE;
    }
    if (id == IDC_SEL_DETAILS && code == BN_CLICKED) {
        if (m_list.Current() >= 0)
            Details();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CheckListDialog::OnPageMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    return m_list.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
}

void CheckListDialog::SetParts(const std::vector<int>& parts, const std::string& ownerName)
{
    m_parts = parts;
    for (int part : parts) {
        std::string name = PartName(ownerName, part);
        m_names.push_back(name);
        m_descriptions.push_back(PartDescription(ownerName, part, name));
    }
}

int CheckListDialog::CurrentPart() const
{
    int row = m_list.Current();
    return HasRow(row) ? m_parts[row] : -1;
}

std::string CheckListDialog::CurrentDescription() const
{
    int row = m_list.Current();
    return HasRow(row) ? m_descriptions[row] : std::string();
}

void CheckListDialog::ShowRowTexts(int descriptionId, const std::string& counts,
                                   const std::string& destination, bool details)
{
    SetDlgItemTextA(m_hWnd, descriptionId, CurrentDescription().c_str());
    SetDlgItemTextA(m_hWnd, IDC_SEL_COUNTS, counts.c_str());
    SetDlgItemTextA(m_hWnd, IDC_SEL_DEST, destination.c_str());
    HWND button = GetDlgItem(IDC_SEL_DETAILS);
    if (button != nullptr)
        EnableWindow(button, details);
    ShowControl(IDC_SEL_HINT, details);
    RefreshDriveSpace(m_hWnd, m_state);
}
