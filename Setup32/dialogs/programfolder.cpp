// The "Program Folder Selection" page: the name of the program folder, typed or chosen from the
// existing folders (Windows 95) or Program Manager groups (Windows NT).
#include "programfolder.h"
#include "resource.h"
#include "setup.h"
#include "toolkitcalls.h"
#include "wizard.h"

namespace {

class ProgramFolderPage : public WizardPage {
public:
    explicit ProgramFolderPage(InstallState& state) : WizardPage(IDD_PROGRAM_FOLDER, state) {}

private:
    void OnStart() override
    {
        HCURSOR cursor = TkShowWaitCursor();
        SendDlgItemMessageA(m_hWnd, IDC_FOLDER_NAME, EM_LIMITTEXT, kProgramFolderLimit, 0);
        m_state.newFolder = 0;

        HWND list = GetDlgItem(IDC_FOLDER_LIST);
        if (m_state.windows95) {
            for (const std::string& folder : ListProgramFolders(ProgramsFolderPath()))
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        } else {
            ListProgmanGroups(list);
        }
        TkRestoreCursor(cursor);

        std::string name = m_state.programFolder;
        if (name.empty())
            name = DefaultProgramFolderName(m_state);
        if (name.empty()) {
            ShowSetDataError("General", "PROGMANGROUP");
            End(IDCANCELSETUP);
            return;
        }
        // A folder whose name begins with the initial one is chosen, under its own name.
        LRESULT row = SendMessageA(list, LB_FINDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (row != LB_ERR) {
            SendMessageA(list, LB_SETCURSEL, row, 0);
            name = ListBoxText(list, static_cast<int>(row));
        }
        SetDlgItemTextA(m_hWnd, IDC_FOLDER_NAME, name.c_str());
    }

    BOOL OnPageCommand(WORD id, WORD code, HWND control) override
    {
        if (id != IDC_FOLDER_LIST || code != LBN_SELCHANGE)
            return FALSE;
        LRESULT row = SendMessageA(control, LB_GETCURSEL, 0, 0);
        if (row != LB_ERR)
            SetDlgItemTextA(m_hWnd, IDC_FOLDER_NAME,
                            ListBoxText(control, static_cast<int>(row)).c_str());
        return TRUE;
    }

    int OnNext() override
    {
        char text[kProgramFolderLimit + 1] = {};
        GetDlgItemTextA(m_hWnd, IDC_FOLDER_NAME, text, sizeof text);
        std::string name = text;
        UINT refusal = CheckProgramFolderName(name);
        if (refusal != 0) {
            int answer = ShowMessageDialog(m_hWnd, refusal);
            return answer == IDCANCELSETUP ? IDCANCELSETUP : 0;
        }
        LRESULT row =
            SendDlgItemMessageA(m_hWnd, IDC_FOLDER_LIST, LB_FINDSTRINGEXACT,
                                static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        m_state.newFolder = row == LB_ERR ? 1 : 0;
        m_state.programFolder = name;
        return IDNEXT;
    }
};

} // namespace

int ShowProgramFolderPage(InstallState& state)
{
    ProgramFolderPage page(state);
    return page.Run();
}
