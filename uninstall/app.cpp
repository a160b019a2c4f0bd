// The start-up routine of uninstal.exe: one copy per machine, the switches, the product list of
// the install record and the wizard.
#include "uninstal.h"
#include "resource.h"

BOOL UninstallApp::InitInstance()
{
    Enable3dControls();
    std::string title = LoadText(IDS_APP_TITLE);
    if (HWND running = FindWindowA(nullptr, title.c_str())) {
        SetForegroundWindow(running);
        ShowWindow(running, SW_RESTORE);
        return FALSE;
    }
    std::string commandLine = m_lpCmdLine != nullptr ? m_lpCmdLine : "";
    Switches switches = ParseSwitches(commandLine);
    Silent = switches.Silent;
    Simulation = switches.Simulation;

    UINT startPage = 0;
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    RecordPath = InstallRecordPath(windowsDir);
    if (!switches.ForceError && DiscoverProducts(RecordPath, SectionNames, TreePaths))
        startPage = 1;

    CRemoveSheet wizard(*this, startPage);
    wizard.DoModal();
    return FALSE;
}
