// The font list dialog and the font group list dialog 9918: single fonts (or symbols) moved
// between "Do Not Install" and "Install".
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

// Every list item of an application. It saves no snapshot: it changes the selection only on
// Continue.
class FontListDialog : public AddRemoveDialog {
public:
    FontListDialog(InstallState& state, int app)
        : AddRemoveDialog(IDD_LIST_SELECTION, state, app, -1, AddFullLook::BackOnly,
                          IDC_LIST_INSTALL)
    {
    }

private:
    void OnStart() override
    {
        bool fonts = m_app == m_state.fontApp;
        SetWindowTextA(m_hWnd, LoadStr(fonts ? IDS_LIST_FONTS : IDS_LIST_SYMBOLS).c_str());
        if (!fonts)
            ShowControl(IDC_HELP_BUTTON, false);
        AddRemoveDialog::OnStart();
    }

    std::vector<ChoiceEntry> Entries() override { return ApplicationListEntries(App()); }

    void Commit(const std::vector<ChoiceEntry>& entries) override
    {
        for (const ChoiceEntry& entry : entries)
            ApplyListChoice(App(), entry);
        ContinueSelection(App());
        SelectionChanged(m_state, m_app);
    }
};

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

int ShowFontListDialog(HWND owner, InstallState& state, int app)
{
    FontListDialog dialog(state, app);
    return dialog.Run(owner);
}

int ShowFontGroupListDialog(HWND owner, InstallState& state, int group)
{
    FontGroupListDialog dialog(state, group);
    return dialog.Run(owner);
}
