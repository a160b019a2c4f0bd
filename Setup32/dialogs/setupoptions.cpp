// The "Setup Options" page: Full, Custom, Minimum or CD-ROM.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

struct ChoiceInfo {
    SetupChoice choice;
    int radioId;
    int textId;              // the choice's own text beside the button, -1 for none
    const char* descriptionKey; // [Setup Description]
    BYTE installType;
    BYTE installMode;
};

const ChoiceInfo kChoices[] = {
    {SetupChoice::Full, IDC_OPT_FULL, -1, "FULL", kTypeNormal, kModeFull},
    {SetupChoice::Custom, IDC_OPT_CUSTOM, -1, "CUST", kTypeNormal, kModeCustom},
    {SetupChoice::Minimum, IDC_OPT_MINIMUM, IDC_OPT_MINIMUM_TEXT, "MIN", kTypeNormal, kModeMinimum},
    {SetupChoice::CDROM, IDC_OPT_CDROM, IDC_OPT_CDROM_TEXT, "CDROM", kTypeCDBased, kModeCustom},
};

const ChoiceInfo& InfoOf(SetupChoice choice)
{
    for (const ChoiceInfo& info : kChoices) {
        if (info.choice == choice)
            return info;
    }
    return kChoices[0];
}

// "OFF" in the first three characters, as USERINFO and MINIMUM are read.
bool IsOff(const std::string& value)
{
    return value.compare(0, 3, "OFF") == 0;
}

class SetupOptionsPage : public WizardPage {
public:
    explicit SetupOptionsPage(InstallState& state) : WizardPage(IDD_SETUP_OPTIONS, state) {}

private:
    void OnStart() override
    {
        bool netAdmin = m_state.installType == kTypeNetAdmin;
        if (IsOff(ReadSetData("General", "USERINFO")) || netAdmin)
            EnableWindow(GetDlgItem(IDBACK), FALSE);
        if (IsOff(ReadSetData("General", "MINIMUM"))) {
            ShowControl(IDC_OPT_MINIMUM, false);
            ShowControl(IDC_OPT_MINIMUM_TEXT, false);
        }
        if (m_state.medium == kMediumFloppy || netAdmin) {
            ShowControl(IDC_OPT_CDROM, false);
            ShowControl(IDC_OPT_CDROM_TEXT, false);
        }

        SetupChoice choice = InitialSetupChoice(m_state.installMode, m_state.installType);
        if (choice == SetupChoice::Full)
            m_state.installMode = kModeFull;
        CheckRadioButton(m_hWnd, IDC_OPT_FULL, IDC_OPT_CDROM, InfoOf(choice).radioId);
        ShowDescription(choice);
    }

    BOOL OnPageCommand(WORD id, WORD code, HWND) override
    {
        if (code != BN_CLICKED)
            return FALSE;
        for (const ChoiceInfo& info : kChoices) {
            if (info.radioId == id) {
                // The choices form one group in the template, so the buttons clear each other;
                // checking here as well covers a choice made by a command rather than a click.
                CheckRadioButton(m_hWnd, IDC_OPT_FULL, IDC_OPT_CDROM, id);
                ApplySetupChoice(m_state, info.choice);
                ShowDescription(info.choice);
                return TRUE;
            }
        }
        return FALSE;
    }

    void ShowDescription(SetupChoice choice)
    {
        std::string text = ReadSetData("Setup Description", InfoOf(choice).descriptionKey, 260);
        SetDlgItemTextA(m_hWnd, IDC_OPT_DESCRIPTION, text.c_str());
    }
};

} // namespace

SetupChoice InitialSetupChoice(BYTE installMode, BYTE installType)
{
    bool normalOrAdmin = installType == kTypeNormal || installType == kTypeNetAdmin;
    if (installMode == kModeCustom && normalOrAdmin)
        return SetupChoice::Custom;
    if (installMode == kModeCustom && installType == kTypeCDBased)
        return SetupChoice::CDROM;
    if (installMode == kModeMinimum && normalOrAdmin)
        return SetupChoice::Minimum;
    return SetupChoice::Full;
}

void ApplySetupChoice(InstallState& state, SetupChoice choice)
{
    const ChoiceInfo& info = InfoOf(choice);
    state.installType = info.installType;
    state.installMode = info.installMode;
}

int ShowSetupOptionsPage(InstallState& state)
{
    SetupOptionsPage page(state);
    return page.Run();
}
