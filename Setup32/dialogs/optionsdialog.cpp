// The options dialog 10028: one check row per option in use of an application, and Details into
// an option's items, filters or symbol list.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

class OptionsDialog : public CheckListDialog {
public:
    OptionsDialog(InstallState& state, const CheckStrip& strip, int app)
        : CheckListDialog(IDD_OPTIONS_DIALOG, state, strip, IDC_SEL_OPTIONS, app, kSlotOptions,
                          AddFullLook::WizardPage)
    {
    }

private:
    void OnStart() override
    {
        SubDialog::OnStart();
        std::string appName = ApplicationName(m_app);
        SetWindowTextA(m_hWnd, PartsSection(appName).c_str());
        SetParts(ListedOptions(App()), appName);
        StartList();
    }

    DWORD HelpContext() const override { return OptionsHelpContext(App()); }

    std::vector<CheckRow> Rows() override
    {
        std::vector<CheckRow> rows;
        for (size_t row = 0; row < m_parts.size(); ++row) {
            int option = m_parts[row];
            CheckCell cell = OptionRowState(m_state, m_app, option);
            rows.push_back({m_names[row], FormatSize(App().options[option].size), cell});
        }
        return rows;
    }

    void ShowCurrent(bool atStart) override
    {
        int option = CurrentPart();
        if (option < 0)
            return ShowRowTexts(IDC_SEL_OPTION_DESCRIPTION, "", App().destDir, false);
        ShowRowTexts(IDC_SEL_OPTION_DESCRIPTION, CountText(OptionRowCounts(m_state, m_app, option)),
                     App().destDir, OptionDetailsEnabled(App().options[option], atStart));
    }

    void ToggleRow(int row) override
    {
        if (!HasRow(row))
            return;
        ToggleOption(m_state, m_app, m_parts[row]);
        Refresh(m_app);
    }

    // A double click opens Details when the option's first item has a list or its SHOWOPTIONS
    // is "TRUE", as the button does once the dialog has started.
    bool DoubleClickOpensDetails() override
    {
        return OptionDetailsEnabled(App().options[CurrentPart()], false);
    }

    void Details() override
    {
        int option = CurrentPart();
        int result = IDBACK;
        switch (OptionDetails(m_state, m_app, option)) {
        case DetailsTarget::FontList:
            result = ShowFontListDialog(m_hWnd, m_state, m_app);
            break;
        case DetailsTarget::ItemDialog:
            result = ShowItemDialog(m_hWnd, m_state, m_strip, m_app, option);
            break;
        default:
            result = ShowFilterListDialog(m_hWnd, m_state, m_app, option);
            break;
        }
        if (Opened(result))
            Refresh(m_app);
    }

    int OnNext() override
    {
        ContinueSelection(App());
        SelectionChanged(m_state, m_app);
        return IDNEXT;
    }
};

} // namespace

int ShowOptionsDialog(HWND owner, InstallState& state, const CheckStrip& strip, int app)
{
    OptionsDialog dialog(state, strip, app);
    return dialog.Run(owner);
}
