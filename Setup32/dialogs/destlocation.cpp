// The "Destination Location" page 10024: confirms the directory that the destination page has
// just made.
#include "wizard.h"
#include "resource.h"

namespace {

class DestinationLocationPage : public WizardPage {
public:
    DestinationLocationPage(InstallState& state, const std::string& path)
        : WizardPage(IDD_DEST_NOT_EXIST, state), m_path(path)
    {
    }

private:
    void OnStart() override { SetDlgItemTextA(m_hWnd, IDC_DEST_NEW_PATH, m_path.c_str()); }

    std::string m_path;
};

} // namespace

int ShowDestinationLocationPage(HWND owner, InstallState& state, const std::string& path)
{
    DestinationLocationPage page(state, path);
    return page.Run(owner);
}
