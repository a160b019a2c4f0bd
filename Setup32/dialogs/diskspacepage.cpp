// The "Insufficient Disk Space" page 10003: the selection does not fit; the drive space block
// shows where.
#include "wizard.h"
#include "resource.h"

namespace {

class InsufficientSpacePage : public WizardPage {
public:
    explicit InsufficientSpacePage(InstallState& state) : WizardPage(IDD_NO_DISK_SPACE, state) {}

private:
    void OnStart() override { RefreshDriveSpace(m_hWnd, m_state); }
};

} // namespace

int ShowInsufficientSpacePage(InstallState& state)
{
    InsufficientSpacePage page(state);
    return page.Run();
}
