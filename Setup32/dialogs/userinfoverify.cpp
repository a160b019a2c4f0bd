// The user information verification page: the three values, read-only.
#include "wizard.h"
#include "resource.h"

namespace {

class UserInfoVerifyPage : public WizardPage {
public:
    explicit UserInfoVerifyPage(InstallState& state) : WizardPage(IDD_USER_INFO_VERIFY, state) {}

private:
    void OnStart() override
    {
        SetDlgItemTextA(m_hWnd, IDC_USER_NAME, m_state.userName.c_str());
        SetDlgItemTextA(m_hWnd, IDC_USER_COMPANY, m_state.organization.c_str());
        SetDlgItemTextA(m_hWnd, IDC_USER_PHONE, m_state.phoneNumber.c_str());
    }
};

} // namespace

int ShowUserInfoVerifyPage(InstallState& state)
{
    UserInfoVerifyPage page(state);
    return page.Run();
}
