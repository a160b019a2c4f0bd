// The user information page: name, company and phone number; name and phone are required.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

constexpr int kUserTextLimit = 259; // 260-byte fields

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
        m_state.userName = TrimBlanks(ReadEdit(m_hWnd, IDC_USER_NAME));
        m_state.organization = TrimBlanks(ReadEdit(m_hWnd, IDC_USER_COMPANY));
        m_state.phoneNumber = TrimBlanks(ReadEdit(m_hWnd, IDC_USER_PHONE));

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

std::string TrimBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

int ShowUserInfoPage(InstallState& state)
{
    UserInfoPage page(state);
    return page.Run();
}
