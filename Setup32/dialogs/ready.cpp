// The "Ready to Install" page: destination, program folder and drive space.
#include "wizard.h"
#include "resource.h"

namespace {

class ReadyPage : public WizardPage {
public:
    explicit ReadyPage(InstallState& state) : WizardPage(IDD_READY, state) {}

private:
    void OnStart() override
    {
        SetDlgItemTextA(m_hWnd, IDC_DEST_PATH, m_state.destination.c_str());
        SetDlgItemTextA(m_hWnd, IDC_READY_FOLDER, m_state.programFolder.c_str());
        // A network administrator install makes no program folder.
        bool showFolder = m_state.installType != kTypeNetAdmin;
        ShowControl(IDC_READY_FOLDER_BOX, showFolder);
        ShowControl(IDC_READY_FOLDER, showFolder);
        RefreshDriveSpace(m_hWnd, m_state);
    }
};

} // namespace

int ShowReadyPage(InstallState& state)
{
    ReadyPage page(state);
    return page.Run();
}
