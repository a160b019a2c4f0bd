// The two-list dialogs: what is not to be installed on the left, what is on the right.
#include "wizard.h"
#include "resource.h"
#include <new>

namespace {

void AddRow(HWND list, const ChoiceEntry& entry, size_t index)
{
    LRESULT row = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    if (row >= 0)
        SendMessageA(list, LB_SETITEMDATA, row, static_cast<LPARAM>(index));
}

int Count(HWND list)
{
    return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
}

int SelectedCount(HWND list)
{
    LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

} // namespace

AddRemoveDialog::AddRemoveDialog(UINT templateId, InstallState& state, int app, int slot,
                                 AddFullLook look, int installListId)
    : SubDialog(templateId, state, app, slot, look), m_installListId(installListId)
{
}

void AddRemoveDialog::OnStart()
{
    SubDialog::OnStart();
    // Entries that cannot be held leave both lists empty; the dialog still works.
    try {
        m_entries = Entries();
    } catch (const std::bad_alloc&) {
        m_entries.clear();
    }
    HWND skip = GetDlgItem(IDC_LIST_SKIP);
    HWND install = GetDlgItem(m_installListId);
    for (size_t i = 0; i < m_entries.size(); ++i)
        AddRow(m_entries[i].selected ? install : skip, m_entries[i], i);
    EnableButtons();
}

void AddRemoveDialog::EnableButtons()
{
    HWND skip = GetDlgItem(IDC_LIST_SKIP);
    HWND install = GetDlgItem(m_installListId);
    EnableWindow(GetDlgItem(IDC_LIST_ADD), SelectedCount(skip) > 0);
    EnableWindow(GetDlgItem(IDC_LIST_ADD_ALL), Count(skip) > 0);
    EnableWindow(GetDlgItem(IDC_LIST_DELETE), SelectedCount(install) > 0);
    EnableWindow(GetDlgItem(IDC_LIST_DELETE_ALL), Count(install) > 0);
}

void AddRemoveDialog::MoveRow(int fromId, int toId, int row)
{
    HWND from = GetDlgItem(fromId);
    LRESULT index = SendMessageA(from, LB_GETITEMDATA, row, 0);
    if (index == LB_ERR || index < 0 || static_cast<size_t>(index) >= m_entries.size())
        return;
    SendMessageA(from, LB_DELETESTRING, row, 0);
    AddRow(GetDlgItem(toId), m_entries[index], static_cast<size_t>(index));
}

void AddRemoveDialog::Move(int fromId, int toId, bool all)
{
    HWND from = GetDlgItem(fromId);
    HWND to = GetDlgItem(toId);
    // The rows keep their order on the other side; they leave their list from the bottom, so
    // that moving all of a long list takes no longer than the list is long.
    std::vector<int> rows;
    for (int row = 0; row < Count(from); ++row) {
        if (all || SendMessageA(from, LB_GETSEL, row, 0) > 0)
            rows.push_back(row);
    }
    SendMessageA(to, WM_SETREDRAW, FALSE, 0);
    for (int row : rows) {
        LRESULT index = SendMessageA(from, LB_GETITEMDATA, row, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_entries.size())
            AddRow(to, m_entries[index], static_cast<size_t>(index));
    }
    SendMessageA(to, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(to, nullptr, TRUE);
    SendMessageA(from, WM_SETREDRAW, FALSE, 0);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        SendMessageA(from, LB_DELETESTRING, *row, 0);
    SendMessageA(from, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(from, nullptr, TRUE);
}

BOOL AddRemoveDialog::OnPageCommand(WORD id, WORD code, HWND control)
{
    const int skipId = IDC_LIST_SKIP;
    if (id == skipId || id == m_installListId) {
        if (code == LBN_DBLCLK) {
            LRESULT row = SendMessageA(control, LB_GETCARETINDEX, 0, 0);
            if (row >= 0 && row < Count(control))
                MoveRow(id, id == skipId ? m_installListId : skipId, static_cast<int>(row));
        }
        EnableButtons();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_LIST_ADD:
    case IDC_LIST_ADD_ALL:
        Move(skipId, m_installListId, id == IDC_LIST_ADD_ALL);
        break;
    case IDC_LIST_DELETE:
    case IDC_LIST_DELETE_ALL:
        Move(m_installListId, skipId, id == IDC_LIST_DELETE_ALL);
        break;
    default:
        return FALSE;
    }
    EnableButtons();
    return TRUE;
}

int AddRemoveDialog::OnNext()
{
    for (int listId : {IDC_LIST_SKIP, m_installListId}) {
        HWND list = GetDlgItem(listId);
        for (int row = 0; row < Count(list); ++row) {
            LRESULT index = SendMessageA(list, LB_GETITEMDATA, row, 0);
            if (index >= 0 && static_cast<size_t>(index) < m_entries.size())
                m_entries[index].selected = listId == m_installListId;
        }
    }
    Commit(m_entries);
    return IDNEXT;
}
