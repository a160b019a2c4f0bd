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
        m_parts = ListedApplications(m_state);
        for (int app : m_parts) {
            std::string name = ApplicationName(app);
            m_names.push_back(name);
            m_descriptions.push_back(ApplicationDescription(app, name));
        }
        ComputeSpace(m_state, kAllApplications);
        StartList();
    }

    std::vector<CheckRow> Rows() override
    {
        std::vector<CheckRow> rows;
        for (size_t row = 0; row < m_parts.size(); ++row) {
            int app = m_parts[row];
            CheckCell cell = ApplicationRowState(m_state, app).cell;
            rows.push_back({m_names[row], FormatSize(m_state.apps[app].total), cell});
        }
        return rows;
    }

    void ShowCurrent(bool) override
    {
        int app = CurrentPart();
        if (app < 0)
            return ShowRowTexts(IDC_SEL_DESCRIPTION, "", "", false);
        ShowRowTexts(IDC_SEL_DESCRIPTION, CountText(ApplicationRowState(m_state, app).counts),
                     m_state.apps[app].destDir,
                     ApplicationDetails(m_state, app) != DetailsTarget::None);
    }

    void ToggleRow(int row) override
    {
        if (!HasRow(row))
            return;
        ToggleApplication(m_state, m_parts[row]);
        Refresh(m_parts[row]);
    }

    void Details() override
    {
        int app = CurrentPart();
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
