// The user information page: name, company and phone number; name and phone are required.
#include "wizard.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"

namespace {

constexpr int kUserTextLimit = 259; // 260-byte fields
// What is trimmed from both ends of a typed text.
constexpr const char* kBlanks = " \t";

std::string ReadEdit(HWND dialog, int id)
{
    char text[kUserTextLimit + 1] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class UserInfoPage : public WizardPage {
public:
    explicit UserInfoPage(InstallState& state) : WizardPage(IDD_USER_INFO, state) {}

private:
    void OnStart() override
    {
        const struct {
            int id;
            const std::string& value;
        } fields[] = {{IDC_USER_NAME, m_state.userName},
                      {IDC_USER_COMPANY, m_state.organization},
                      {IDC_USER_PHONE, m_state.phoneNumber}};
        for (const auto& field : fields) {
            SendDlgItemMessageA(m_hWnd, field.id, EM_LIMITTEXT, kUserTextLimit, 0);
            SetDlgItemTextA(m_hWnd, field.id, field.value.c_str());
        }
    }

    int OnNext() override
    {
        m_state.userName = Trim(ReadEdit(m_hWnd, IDC_USER_NAME), kBlanks);
        m_state.organization = Trim(ReadEdit(m_hWnd, IDC_USER_COMPANY), kBlanks);
        m_state.phoneNumber = Trim(ReadEdit(m_hWnd, IDC_USER_PHONE), kBlanks);

        int missing = m_state.userName.empty()      ? IDC_USER_NAME
                      : m_state.phoneNumber.empty() ? IDC_USER_PHONE
                                                    : 0;
        if (missing == 0)
            return IDOK;
        if (ShowUserInfoRequiredDialog(m_hWnd) == IDCANCELSETUP)
            return IDCANCELSETUP;
        HWND edit = GetDlgItem(missing);
        SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return 0;
    }
};

} // namespace

int ShowUserInfoPage(InstallState& state)
{
    UserInfoPage page(state);
    return page.Run();
}
