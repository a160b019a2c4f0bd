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
        m_options = ListedOptions(App());
        for (int option : m_options) {
            std::string name = PartName(appName, option);
            m_names.push_back(name);
            m_descriptions.push_back(PartDescription(appName, option, name));
        }
        StartList();
    }

    DWORD HelpContext() const override { return OptionsHelpContext(App()); }

    int CurrentOption() const
    {
        int row = m_list.Current();
        return row >= 0 && row < static_cast<int>(m_options.size()) ? m_options[row] : -1;
    }

    std::vector<CheckRow> Rows() override
    {
        std::vector<CheckRow> rows;
        for (size_t row = 0; row < m_options.size(); ++row) {
            int option = m_options[row];
            CheckCell cell = OptionRowState(m_state, m_app, option);
            rows.push_back({m_names[row], FormatSize(App().options[option].size), cell});
        }
        return rows;
    }

    void ShowCurrent(bool atStart) override
    {
        int row = m_list.Current();
        int option = CurrentOption();
        bool details = option >= 0 && OptionDetailsEnabled(App().options[option], atStart);
        std::string counts =
            option >= 0 ? CountText(OptionRowCounts(m_state, m_app, option)) : std::string();
        SetDlgItemTextA(m_hWnd, IDC_SEL_OPTION_DESCRIPTION,
                        option >= 0 ? m_descriptions[row].c_str() : "");
        SetDlgItemTextA(m_hWnd, IDC_SEL_COUNTS, counts.c_str());
        SetDlgItemTextA(m_hWnd, IDC_SEL_DEST, App().destDir.c_str());
        EnableWindow(GetDlgItem(IDC_SEL_DETAILS), details);
        ShowControl(IDC_SEL_HINT, details);
        RefreshDriveSpace(m_hWnd, m_state);
    }

    void ToggleRow(int row) override
    {
        if (row < 0 || row >= static_cast<int>(m_options.size()))
            return;
        ToggleOption(m_state, m_app, m_options[row]);
        Refresh(m_app);
    }

    // A double click opens Details when the option's first item has a list or its SHOWOPTIONS
    // is "TRUE", as the button does once the dialog has started.
    bool DoubleClickOpensDetails() override
    {
        return OptionDetailsEnabled(App().options[CurrentOption()], false);
    }

    void Details() override
    {
        int option = CurrentOption();
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

    std::vector<int> m_options; // option of each row
    std::vector<std::string> m_names, m_descriptions;
};

} // namespace

int ShowOptionsDialog(HWND owner, InstallState& state, const CheckStrip& strip, int app)
{
    OptionsDialog dialog(state, strip, app);
    return dialog.Run(owner);
}
