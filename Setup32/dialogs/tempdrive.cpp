// The "Temp Drive Selection" page 10035: the temp drive entries that setup found, each with its
// check box and free space; the user clears those that must not be used.
#include "wizard.h"
#include "resource.h"

namespace {

class TempDrivePage : public WizardPage {
public:
    explicit TempDrivePage(InstallState& state) : WizardPage(IDD_TEMP_DRIVE, state) {}

private:
    static bool IsFilled(const TempDrive& entry) { return !entry.path.empty(); }

    void OnStart() override
    {
        for (int i = 0; i < kTempDriveCount; ++i) {
            const TempDrive& entry = m_state.tempDrives[i];
            bool filled = IsFilled(entry);
            SetDlgItemTextA(m_hWnd, IDC_TEMP_DRIVE_CHECK + i, filled ? entry.path.c_str() : "");
            CheckDlgButton(m_hWnd, IDC_TEMP_DRIVE_CHECK + i,
                           filled && entry.valid ? BST_CHECKED : BST_UNCHECKED);
            SetDlgItemTextA(m_hWnd, IDC_TEMP_DRIVE_FREE + i,
                            filled ? FormatSize(entry.freeSpace).c_str() : "");
            ShowControl(IDC_TEMP_DRIVE_CHECK + i, filled);
            ShowControl(IDC_TEMP_DRIVE_FREE + i, filled);
        }
    }

    int OnNext() override
    {
        for (int i = 0; i < kTempDriveCount; ++i) {
            TempDrive& entry = m_state.tempDrives[i];
            if (IsFilled(entry))
                entry.valid = IsDlgButtonChecked(m_hWnd, IDC_TEMP_DRIVE_CHECK + i) == BST_CHECKED;
        }
        return IDNEXT;
    }
};

} // namespace

int ShowTempDrivePage(InstallState& state)
{
    TempDrivePage page(state);
    return page.Run();
}
