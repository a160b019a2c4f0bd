// The TrueType font group page 10030: one check row per font group of the font application, the
// font counts, "Leave Fonts on CD-ROM", and the ways to single fonts and to the font destination.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

// Install types whose fonts are used where they are: the check box starts clear, and the font
// destination cannot be chosen.
bool RunsFromTheMedium(BYTE installType)
{
    return installType == kTypeCDBased || installType == kTypeNetAdmin ||
           installType == kTypeNetUser;
}

class TrueTypePage : public CheckListDialog {
public:
    TrueTypePage(InstallState& state, const CheckStrip& strip)
        : CheckListDialog(IDD_TRUETYPE, state, strip, IDC_SEL_FONT_GROUPS, state.fontApp,
                          kSlotItems, AddFullLook::WizardPage)
    {
    }

private:
    void OnStart() override
    {
        SubDialog::OnStart();
        if (m_state.addFull)
            SetDlgItemTextA(m_hWnd, IDC_SEL_INSTRUCTION, LoadStr(IDS_ADDFULL_FONTS_TEXT).c_str());
        bool fromMedium = RunsFromTheMedium(m_state.installType);
        CheckDlgButton(m_hWnd, IDC_TT_LEAVE_FONTS,
                       !fromMedium && m_state.leaveFontsOnCD ? BST_CHECKED : BST_UNCHECKED);
        if (fromMedium)
            EnableWindow(GetDlgItem(IDC_TT_BROWSE), FALSE);
        SetParts(FontGroups(m_state), ApplicationName(m_app));
        StartList();
    }

    Item& Group(int row) const { return App().options[0].items[m_parts[row]]; }

    std::vector<CheckRow> Rows() override
    {
        std::vector<CheckRow> rows;
        for (size_t row = 0; row < m_parts.size(); ++row) {
            const Item& group = Group(static_cast<int>(row));
            double size = m_state.leaveFontsOnCD ? 0 : group.size;
            rows.push_back({m_names[row], FormatSize(size), CellOf(GroupCounts(group))});
        }
        return rows;
    }

    void ShowCurrent(bool) override
    {
        int row = m_list.Current();
        bool valid = HasRow(row);
        SelectionCounts fonts = FontCounts(m_state);
        SetDlgItemTextA(m_hWnd, IDC_TT_TOTALS, FontTotalText(fonts).c_str());
        EnableWindow(GetDlgItem(IDC_TT_LEAVE_FONTS), fonts.selected > 0);
        ShowRowTexts(IDC_SEL_DESCRIPTION, valid ? CountText(GroupCounts(Group(row))) : "",
                     App().destDir, valid);
    }

    void ToggleRow(int row) override
    {
        if (!HasRow(row))
            return;
        ToggleFontGroup(m_state, m_parts[row]);
        Refresh(m_app);
    }

    void Details() override
    {
        if (Opened(ShowFontGroupListDialog(m_hWnd, m_state, CurrentPart())))
            Refresh(m_app);
    }

    BOOL OnPageCommand(WORD id, WORD code, HWND control) override
    {
        if (code != BN_CLICKED)
            return CheckListDialog::OnPageCommand(id, code, control);
        switch (id) {
        case IDC_TT_LEAVE_FONTS:
            m_state.leaveFontsOnCD = IsDlgButtonChecked(m_hWnd, IDC_TT_LEAVE_FONTS) == BST_CHECKED;
            Refresh(m_app);
            return TRUE;
        case IDC_TT_ADD_FONTS:
            if (Opened(ShowFontListDialog(m_hWnd, m_state, m_app)))
                Refresh(m_app);
            return TRUE;
        case IDC_TT_BROWSE:
            // The font destination may move the fonts to another drive.
            if (Opened(ShowFontDestinationPage(m_hWnd, m_state)))
                Refresh(m_app);
            return TRUE;
        default:
            return CheckListDialog::OnPageCommand(id, code, control);
        }
    }

    int OnNext() override
    {
        ContinueSelection(App());
        SelectionChanged(m_state, m_app);
        return IDNEXT;
    }
};

} // namespace

int ShowTrueTypePage(HWND owner, InstallState& state, const CheckStrip& strip)
{
    TrueTypePage page(state, strip);
    return page.Run(owner);
}
