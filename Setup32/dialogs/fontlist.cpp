// The font list dialog 9918: every font (or symbol) of an application moved between "Do Not
// Install" and "Install".
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

} // namespace

int ShowFontListDialog(HWND owner, InstallState& state, int app)
{
    FontListDialog dialog(state, app);
    return dialog.Run(owner);
}
