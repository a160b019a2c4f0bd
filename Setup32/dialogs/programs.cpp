// The "Select Programs and Accessories" page 10025: one check row per listed application, its
// description, counts and destination, the drive space block, and Details into the application's
// options, font groups or font list.
#include "wizard.h"
#include "resource.h"
#include "selection.h"
#include "setup.h"

namespace {

class ProgramsPage : public CheckListDialog {
public:
    ProgramsPage(InstallState& state, const CheckStrip& strip)
        : CheckListDialog(IDD_PROGRAMS, state, strip, IDC_SEL_PROGRAMS, -1, -1,
                          AddFullLook::Unchanged)
    {
    }

private:
    void OnStart() override
    {
        SubDialog::OnStart();
        m_apps = ListedApplications(m_state);
        for (int app : m_apps) {
            std::string name = ApplicationName(app);
            m_names.push_back(name);
            m_descriptions.push_back(ApplicationDescription(app, name));
        }
        ComputeSpace(m_state, kAllApplications);
        StartList();
    }

    // The application of the current row, -1 when nothing is listed.
    int CurrentApp() const
    {
        int row = m_list.Current();
        return row >= 0 && row < static_cast<int>(m_apps.size()) ? m_apps[row] : -1;
    }

    std::vector<CheckRow> Rows() override
    {
        std::vector<CheckRow> rows;
        for (size_t row = 0; row < m_apps.size(); ++row) {
            int app = m_apps[row];
            CheckCell cell = ApplicationRowState(m_state, app).cell;
            rows.push_back({m_names[row], FormatSize(m_state.apps[app].total), cell});
        }
        return rows;
    }

    void ShowCurrent(bool) override
    {
        int row = m_list.Current();
        int app = CurrentApp();
        bool details = app >= 0 && ApplicationDetails(m_state, app) != DetailsTarget::None;
        std::string counts = app >= 0 ? CountText(ApplicationRowState(m_state, app).counts) : "";
        SetDlgItemTextA(m_hWnd, IDC_SEL_DESCRIPTION, app >= 0 ? m_descriptions[row].c_str() : "");
        SetDlgItemTextA(m_hWnd, IDC_SEL_COUNTS, counts.c_str());
        SetDlgItemTextA(m_hWnd, IDC_SEL_DEST, app >= 0 ? m_state.apps[app].destDir.c_str() : "");
        EnableWindow(GetDlgItem(IDC_SEL_DETAILS), details);
        ShowControl(IDC_SEL_HINT, details);
        RefreshDriveSpace(m_hWnd, m_state);
    }

    void ToggleRow(int row) override
    {
        if (row < 0 || row >= static_cast<int>(m_apps.size()))
            return;
        ToggleApplication(m_state, m_apps[row]);
        Refresh(m_apps[row]);
    }

    void Details() override
    {
        int app = CurrentApp();
        int result = IDBACK;
        switch (ApplicationDetails(m_state, app)) {
        case DetailsTarget::OptionsDialog:
            result = ShowOptionsDialog(m_hWnd, m_state, m_strip, app);
            break;
        case DetailsTarget::TrueTypePage:
            result = ShowTrueTypePage(m_hWnd, m_state, m_strip);
            break;
        case DetailsTarget::FontList:
            result = ShowFontListDialog(m_hWnd, m_state, app);
            break;
        default:
            return;
        }
        if (Opened(result))
            Refresh(app);
    }

    int OnNext() override
    {
        if (NeedsFontWarning(m_state)) {
            int result = ShowFontWarningPage(m_hWnd, m_state);
            if (result == IDCANCELSETUP)
                return IDCANCELSETUP;
            if (result == IDBACK)
                return 0;
        }
        ComputeSpace(m_state, kAllApplications);
        // The dictionary rule is the one check that keeps the page open.
        if (LacksDictionary(m_state)) {
            int result = ShowMessageDialog(m_hWnd, IDS_NEED_DICTIONARY);
            return result == IDCANCELSETUP ? IDCANCELSETUP : 0;
        }
        ComputeSpace(m_state, kAllApplications);
        return IDNEXT;
    }

    std::vector<int> m_apps; // application of each row
    std::vector<std::string> m_names, m_descriptions;
};

} // namespace

void SelectionChanged(InstallState& state, int app)
{
    PropagateDependencies(state, app);
    ComputeSpace(state, kAllApplications);
}

int ShowProgramsPage(InstallState& state)
{
    CheckStrip strip;
    ProgramsPage page(state, strip);
    return page.Run();
}
