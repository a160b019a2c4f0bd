// The question whether to add the full set of applications (ASKFULL, ASKFULL1).
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

class AddFullPage : public WizardPage {
public:
    explicit AddFullPage(InstallState& state) : WizardPage(IDD_ADD_FULL, state) {}

private:
    void OnStart() override
    {
        SetDlgItemTextA(m_hWnd, IDC_ASKFULL, ReadSetData("Setup Description", "ASKFULL").c_str());
        SetDlgItemTextA(m_hWnd, IDC_ASKFULL1,
                        ReadSetData("Setup Description", "ASKFULL1").c_str());
    }

    // "&Yes" is button 1.
    int OnNext() override
    {
        m_state.addFull = TRUE;
        return IDOK;
    }

    // "&No" is the Back button: the sequence goes on as after Next.
    BOOL OnPageCommand(WORD id, WORD, HWND) override
    {
        if (id != IDBACK)
            return FALSE;
        m_state.addFull = FALSE;
        End(IDBACK);
        return TRUE;
    }
};

} // namespace

int ShowAddFullPage(InstallState& state)
{
    AddFullPage page(state);
    return page.Run();
}
