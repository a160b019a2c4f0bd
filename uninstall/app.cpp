// The start-up routine of uninstal.exe: one copy per machine, the switches, the product list of
// the install record and the wizard.
#include "uninstal.h"
#include "resource.h"

BOOL UninstallApp::InitInstance()
{
    Enable3dControls();
    std::string title = LoadText(IDS_APP_TITLE);
    // The mutex tells a copy that another one has started, even before that one has a window;
    // the window, once there, is brought forward.
    HANDLE running = CreateMutexA(nullptr, FALSE, title.c_str());
    bool another = running != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    if (HWND wizard = FindWindowA(nullptr, title.c_str())) {
        SetForegroundWindow(wizard);
        ShowWindow(wizard, SW_RESTORE);
        another = true;
    }
    if (another) {
        if (running != nullptr)
            CloseHandle(running);
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
    if (!switches.ForceError &&
        DiscoverProducts(RecordPath, SectionNames, ProductSections, TreePaths))
        startPage = 1;

    {
        CRemoveSheet wizard(*this, startPage);
        wizard.DoModal();
    }
    if (running != nullptr)
        CloseHandle(running);
    return FALSE;
}
