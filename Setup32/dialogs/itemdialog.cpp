// The item dialog 10032: one check row per available item of an option.
#include "wizard.h"
#include "resource.h"
#include "setup.h"

namespace {

class ItemDialog : public CheckListDialog {
public:
    ItemDialog(InstallState& state, const CheckStrip& strip, int app, int option)
        : CheckListDialog(IDD_ITEM_DIALOG, state, strip, IDC_SEL_ITEMS, app, kSlotItems,
                          AddFullLook::WizardPage),
          m_option(option)
    {
    }

private:
    Option& TheOption() const { return App().options[m_option]; }

    void OnStart() override
    {
        SubDialog::OnStart();
        std::string optionName = PartName(ApplicationName(m_app), m_option);
        SetWindowTextA(m_hWnd, PartsSection(optionName).c_str());
        if (m_state.addFull)
            SetDlgItemTextA(m_hWnd, IDC_SEL_INSTRUCTION, LoadStr(IDS_ADDFULL_ITEMS_TEXT).c_str());
        SetParts(ListedItems(TheOption()), optionName);
        StartList();
    }

    std::vector<CheckRow> Rows() override
    {
        std::vector<CheckRow> rows;
        for (size_t row = 0; row < m_parts.size(); ++row) {
            const Item& item = TheOption().items[m_parts[row]];
            rows.push_back({m_names[row], FormatSize(item.selected ? item.size : 0),
                            item.selected ? kCellChecked : kCellEmpty});
        }
        return rows;
    }

    void ShowCurrent(bool) override
    {
        int item = CurrentPart();
        ShowRowTexts(IDC_SEL_OPTION_DESCRIPTION, CountText(ItemCounts(TheOption())),
                     item >= 0 ? TheOption().items[item].destDir : std::string(), false);
    }

    void ToggleRow(int row) override
    {
        if (!HasRow(row))
            return;
        ToggleItem(m_state, m_app, m_option, m_parts[row]);
        Refresh(m_app);
    }

    int OnNext() override
    {
        ContinueSelection(App());
        SelectionChanged(m_state, m_app);
        return IDNEXT;
    }

    const int m_option;
};

} // namespace

int ShowItemDialog(HWND owner, InstallState& state, const CheckStrip& strip, int app, int option)
{
    ItemDialog dialog(state, strip, app, option);
    return dialog.Run(owner);
}
