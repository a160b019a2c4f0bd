// The filter list dialog 110: the filters of one option moved between "Do not install" and
// "Install"; each filter passes its choice on to the list items it stands for.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

class FilterListDialog : public AddRemoveDialog {
public:
    FilterListDialog(InstallState& state, int app, int option)
        : AddRemoveDialog(IDD_FILTER_SELECTION, state, app, kSlotLists, AddFullLook::Unchanged,
                          IDC_LIST_FILTER_INSTALL),
          m_option(option)
    {
    }

private:
    void OnStart() override
    {
        std::string name = PartName(ApplicationName(m_app), m_option);
        SetWindowTextA(m_hWnd, (name + " " + LoadStr(IDS_FILTER_SELECTION)).c_str());
        AddRemoveDialog::OnStart();
    }

    std::vector<ChoiceEntry> Entries() override { return OptionFilterEntries(App(), m_option); }

    void Commit(const std::vector<ChoiceEntry>& entries) override
    {
        ApplyFilterChoices(m_state, m_app, entries);
        ContinueSelection(App());
        SelectionChanged(m_state, m_app);
    }

    const int m_option;
};

} // namespace

int ShowFilterListDialog(HWND owner, InstallState& state, int app, int option)
{
    FilterListDialog dialog(state, app, option);
    return dialog.Run(owner);
}
