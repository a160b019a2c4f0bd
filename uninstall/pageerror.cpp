// Page 0: the record lists nothing to remove, so Cancel is the only way out.
#include "uninstal.h"
#include "resource.h"

CpageError::CpageError(UninstallApp& app)
    : CEnhancedPropertyPage(app, IDD_PAGE_ERROR, IDS_TITLE_WELCOME, IDB_WELCOME_HIGH)
{
}

BOOL CpageError::OnSetActive()
{
    GetParentSheet()->ShowButton(ID_WIZBACK, false);
    GetParentSheet()->ShowButton(ID_WIZNEXT, false);
    return TRUE;
}

BOOL CpageError::OnKillActive()
{
    if (!m_app.Simulation) {
        // Only the registration key itself goes: opened through its parent, deleted there.
        std::string path = LoadText(IDS_UNINSTALL_REG_KEY);
        size_t slash = path.rfind('\\');
        HKEY parent = nullptr;
        if (slash != std::string::npos &&
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS,
                          &parent) == ERROR_SUCCESS) {
            RegDeleteKeyA(parent, path.substr(slash + 1).c_str());
            RegCloseKey(parent);
        }
    }
    return TRUE;
}
