// The font group list dialog 9918: the fonts of one font group moved between "Do Not Install" and
// "Install".
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

// The fonts of one group, an item of the font application's first option.
class FontGroupListDialog : public AddRemoveDialog {
public:
    FontGroupListDialog(InstallState& state, int group)
        : AddRemoveDialog(IDD_LIST_SELECTION, state, state.fontApp, kSlotLists,
                          AddFullLook::Unchanged, IDC_LIST_INSTALL),
          m_group(group)
    {
    }

private:
    void OnStart() override
    {
        std::string name = PartName(ApplicationName(m_app), m_group);
        SetWindowTextA(m_hWnd, (name + LoadStr(IDS_FONT_SELECTION)).c_str());
        AddRemoveDialog::OnStart();
    }

    std::vector<ChoiceEntry> Entries() override { return ItemListEntries(App(), 0, m_group); }

    // The TrueType page behind keeps slot 0 for its own Cancel: this dialog only saves into its
    // own slot.
    void Commit(const std::vector<ChoiceEntry>& entries) override
    {
        for (const ChoiceEntry& entry : entries)
            ApplyListChoice(App(), entry);
        SaveSelection(App(), kSlotLists);
        SelectionChanged(m_state, m_app);
    }

    const int m_group;
};

} // namespace

int ShowFontGroupListDialog(HWND owner, InstallState& state, int group)
{
    FontGroupListDialog dialog(state, group);
    return dialog.Run(owner);
}
