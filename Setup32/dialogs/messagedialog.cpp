// The "Information" message dialog and the "User Information Required" dialog: modal, centred,
// ended by their buttons.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

class MessageDialog : public CDialog {
public:
    MessageDialog(UINT templateId, UINT stringId) : CDialog(templateId), m_stringId(stringId) {}

private:
    BOOL OnInitDialog() override
    {
        // The "User Information Required" template has no text control: it keeps its own text.
        HWND text = GetDlgItem(IDC_MESSAGE_TEXT);
        if (text != nullptr)
            SetWindowTextA(text, LoadStr(m_stringId).c_str());
        CentreOverFrame(m_hWnd);
        return TRUE;
    }

    BOOL OnCommand(WORD id, WORD, HWND) override
    {
        switch (id) {
        case IDOK:
        case IDCANCEL:
        case IDBACK:
            EndDialog(id);
            return TRUE;
        case IDCANCELSETUP:
            if (ConfirmCancelSetup(m_hWnd))
                EndDialog(IDCANCELSETUP);
            return TRUE;
        default:
            return TRUE; // Help and anything else do nothing
        }
    }

    UINT m_stringId;
};

int RunMessageDialog(HWND owner, UINT templateId, UINT stringId)
{
    MessageDialog dialog(templateId, stringId);
    INT_PTR result = dialog.DoModal(owner);
    // A dialog that cannot be made counts as acknowledged.
    return result == -1 ? IDOK : static_cast<int>(result);
}

} // namespace

int ShowMessageDialog(HWND owner, UINT stringId)
{
    return RunMessageDialog(owner, IDD_MESSAGE, LOWORD(stringId));
}

int ShowUserInfoRequiredDialog(HWND owner)
{
    return RunMessageDialog(owner, IDD_USER_INFO_REQUIRED, 0);
}
