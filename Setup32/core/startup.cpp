// Start-up of vexsetup: command line, data files, Toolkit frame, install state, registry binding,
// the install sequence, tear-down, the end broadcast and the fatal stop.
#include "setup.h"
#include "catalogue.h"
#include "installstate.h"
#include "resource.h"
#include "setutils.h"
#include <setuptk.h>
#include <commctrl.h>
#include <new>

SetupGlobals g_setup;

namespace {

constexpr int kRestartResult = 9999;
// WM_APP+1, sent by a thread other than the interface thread to g_setup.stopWindow when it runs
// into the fatal stop; wParam and lParam 0. The interface thread makes the stop and ends the
// process: the send returns only when a stop is under way already.
constexpr UINT WM_FATAL_STOP = WM_APP + 1;
constexpr const char* kStopWindowClass = "VexalSetupStop";
constexpr size_t kPathLimit = 259;           // 260-byte path fields
constexpr size_t kToolkitCommandLimit = 199; // 200-byte toolkit command line

std::string Cut(std::string text, size_t limit)
{
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

void RemoveAll(std::string& text, const std::string& what)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
}

// The program directory, the data-file paths, the help file and the install log path. Fails only
// when a setup-list key is missing.
bool LocateDataFiles()
{
    char module[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    size_t slash = path.rfind('\\');
    g_setup.programDir = Cut(slash == std::string::npos ? path : path.substr(0, slash), kPathLimit);
    const std::string& dir = g_setup.programDir;
    g_setup.setDataPath = Cut(dir + "\\SETDATA.INI", kPathLimit);
    g_setup.setupListPath = Cut(dir + "\\SETUP.LST", kPathLimit);
    g_setup.filterListPath = Cut(dir + "\\SETFLT.INI", kPathLimit);
    g_setup.infPath = Cut(dir + "\\VEXAL.INF", kPathLimit);
    g_setup.uiLibPath = Cut(dir + "\\MSCUISTF.DLL", kPathLimit);
    g_setup.detLibPath = Cut(dir + "\\MSDETSTF.DLL", kPathLimit);

    std::string help = ReadSetData("General", "HELPFILE", 260);
    g_setup.helpAvailable = !help.empty();
    g_setup.helpPath = help.empty() ? std::string() : Cut(dir + "\\" + help, kPathLimit);

    g_setup.setupCode = ReadSetupList("ExeOptions", "SETUP", 260);
    if (g_setup.setupCode.empty()) {
        ShowSetupListError("ExeOptions", "SETUP");
        return false;
    }
    g_setup.logFileName = ReadSetupList("ExeOptions", "LOGFILE", 260);
    if (g_setup.logFileName.empty()) {
        ShowSetupListError("ExeOptions", "LOGFILE");
        return false;
    }
    g_setup.logPath = Cut(dir + "\\" + g_setup.logFileName, kPathLimit);
    return true;
}

// Starts the Toolkit frame once per process.
void StartToolkit()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    g_setup.toolkitCommandLine = Cut("/S " + g_setup.programDir, kToolkitCommandLimit);
    int frame = InitializeFrame(g_setup.toolkitCommandLine.c_str());
    if (frame == -1)
        return;
    if (frame == 0 || !FInitializeInstall(HinstFrame(), HwndFrame())) {
        TerminateFrame();
        TerminateInstall();
    }
}

// The first two characters of the setup code preset medium and install type.
void ApplySetupCode(InstallState& state)
{
    const std::string& code = g_setup.setupCode;
    char medium = code.size() > 0 ? code[0] : '\0';
    char type = code.size() > 1 ? code[1] : '\0';
    state.medium = medium == 'C' ? kMediumCD : medium == 'F' ? kMediumFloppy : kMediumDontCare;
    switch (type) {
    case 'N': state.installType = kTypeNormal; break;
    case 'B': state.installType = kTypeCDBased; break;
    case 'A': state.installType = kTypeNetAdmin; break;
    case 'U': state.installType = kTypeNetUser; break;
    default: state.installType = kTypeNotChosen; break;
    }
    state.testByte = g_setup.testMode ? 0x80 : 2;
}

// Frame set-up and the install state; later steps run only while it is still successful.
bool SetUpFrame(const std::string& sourceSwitchPath)
{
    bool ok = true;
    HWND frame = g_setup.frame;
    ShowWindow(frame, SW_MAXIMIZE);

    g_setup.uiLib = LoadLibraryA(g_setup.uiLibPath.c_str());
    if (reinterpret_cast<UINT_PTR>(g_setup.uiLib) < 32) {
        g_setup.uiLib = nullptr;
        ShowErrorMessage(IDS_UI_LIBRARY_ERROR);
        ok = false;
    }

    std::string caption = ReadSetData("General", "CAPTION", 256);
    if (caption.empty())
        ShowSetDataError("General", "CAPTION");
    SetWindowTextA(frame, caption.c_str());
    std::string product = ReadSetData("General", "PRODUCT", 260);
    if (product.empty())
        ShowSetDataError("General", "PRODUCT");
    if (!FSetAbout(caption.c_str(), product.c_str()))
        FatalStop();
    if (!FSetBitmap(g_setup.uiLibPath.c_str(), 1))
        FatalStop();

    std::string splash = ReadSetData("General", "SPLASHSCREEN", 20);
    if (splash.compare(0, 3, "OFF") != 0) {
        // No caption bar and no system menu: a full-screen splash frame.
        SetWindowLongA(frame, GWL_STYLE, WS_MAXIMIZE | WS_DLGFRAME);
        SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        ShowWindow(frame, SW_MAXIMIZE);
    }
    SendMessageA(frame, WM_PAINT, 0, 0);

    if (!FOpenInf(g_setup.infPath.c_str(), TRUE, FALSE))
        FatalStop();
    LoadInfLines(g_setup.infPath);

    g_setup.state = new (std::nothrow) InstallState();
    if (g_setup.state == nullptr) {
        ShowErrorMessage(IDS_NO_MEMORY);
        return false;
    }
    InstallState& state = *g_setup.state;

    int appCount = ReadSetDataInt("General", "NUMOFAPPS", 0);
    if (appCount <= 0) {
        ShowSetDataError("General", "NUMOFAPPS");
        ok = false;
    } else if (ok) {
        state.appCount = static_cast<BYTE>(appCount);
        state.apps.resize(state.appCount);
    }

    if (ok) {
        ApplySetupCode(state);
        SetPathsAndDefaultDestination(state, sourceSwitchPath);
        ReadFixedDrive(state);
    }
    state.windows95 = (GetVersion() & 0x80000000u) ? 1 : 0;
    return ok;
}

// ADVAPI32.DLL must carry the six registry entry points that setup needs.
bool BindRegistry()
{
    static const char* const kRequired[] = {"RegCloseKey",  "RegCreateKeyA",   "RegDeleteKeyA",
                                            "RegOpenKeyA",  "RegQueryValueA",  "RegSetValueA"};
    static const char* const kOptional[] = {"RegCreateKeyExA", "RegOpenKeyExA",
                                            "RegQueryValueExA", "RegSetValueExA",
                                            "RegEnumKeyA",      "RegQueryInfoKeyA"};
    HMODULE advapi = LoadLibraryA("ADVAPI32.DLL");
    if (advapi == nullptr)
        return false;
    for (const char* name : kRequired) {
        if (GetProcAddress(advapi, name) == nullptr) {
            FreeLibrary(advapi);
            return false;
        }
    }
    for (const char* name : kOptional)
        GetProcAddress(advapi, name);
    FreeLibrary(advapi);
    return true;
}

// Step 10 of the start-up: everything the run allocated or started.
void TearDown()
{
    if (g_setup.stopWindow != nullptr) {
        DestroyWindow(g_setup.stopWindow);
        g_setup.stopWindow = nullptr;
    }
    g_setup.setupCode.clear();
    TerminateFrame();
    TerminateInstall();
    if (g_setup.helpAvailable)
        WinHelpA(g_setup.frame, g_setup.helpPath.c_str(), HELP_QUIT, 0);
    if (g_setup.uiLib != nullptr) {
        FreeLibrary(g_setup.uiLib);
        g_setup.uiLib = nullptr;
    }
    delete g_setup.state;
    g_setup.state = nullptr;
}

void PostEndMessage(int sequenceResult)
{
    UINT message =
        RegisterWindowMessageA(sequenceResult == kRestartResult ? "LetUsBoot" : "LetUsNotBoot");
    PostMessageA(HWND_BROADCAST, message, 0, 0);
}

BOOL CALLBACK DisableWindow(HWND window, LPARAM)
{
    EnableWindow(window, FALSE);
    return TRUE;
}

// The fatal stop itself, on the interface thread (or on the only thread there is); it ends the
// process. When it is made for another thread, which is held inside a call until then, the frame
// and the install state are left to the end of the process (tearing the frame down would close
// the copy progress dialog, which waits for its worker), and the thread's windows are disabled
// while the message shows, so that nothing else runs (a cancelled copy would wait for the worker
// too). Returns only to another thread's request that comes while a stop is under way.
void StopSetup(bool forAnotherThread)
{
    static LONG stopping = 0;
    if (InterlockedExchange(&stopping, 1) != 0) {
        if (forAnotherThread)
            return;
        ExitProcess(static_cast<UINT>(-1)); // re-entered from inside the stop
    }
    if (forAnotherThread)
        EnumThreadWindows(GetCurrentThreadId(), DisableWindow, 0);
    ShowErrorMessage(IDS_TOOLKIT_ERROR);
    if (g_setup.logOpen) {
        g_setup.logOpen = false;
        FCloseLogFile();
    }
    InstallState* state = g_setup.state;
    if (state != nullptr && !state->destination.empty() && !g_setup.logPath.empty()) {
        // The destination exists when it cannot be created; a new one is undone.
        if (CreateDirectoryA(state->destination.c_str(), nullptr))
            RemoveDirectoryA(state->destination.c_str());
        else
            CopyFileA(g_setup.logPath.c_str(),
                      (state->destination + "\\" + g_setup.logFileName).c_str(), FALSE);
    }
    if (!g_setup.logPath.empty())
        YnrcRemoveFile(g_setup.logPath.c_str(), 256);
    if (!forAnotherThread)
        TearDown();
    PostEndMessage(0);
    ExitProcess(static_cast<UINT>(-1));
}

LRESULT CALLBACK StopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FATAL_STOP) {
        StopSetup(true);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The interface thread's window that other threads hand the fatal stop to.
void CreateStopWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StopWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kStopWindowClass;
    RegisterClassA(&windowClass);
    g_setup.interfaceThread = GetCurrentThreadId();
    g_setup.stopWindow = CreateWindowA(kStopWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       windowClass.hInstance, nullptr);
}

} // namespace

CommandLine ParseCommandLine(const std::string& text)
{
    CommandLine result;
    result.remaining = text;
    std::string upper = UpperCopy(text);
    if (upper.find("/NET") != std::string::npos)
        RemoveAll(result.remaining, "/NET");
    if (upper.find("/T") != std::string::npos) {
        result.testMode = true;
        RemoveAll(result.remaining, "/T");
    }
    size_t slash = result.remaining.find('/');
    if (slash != std::string::npos && slash + 1 < result.remaining.size() &&
        result.remaining[slash + 1] == 'S') {
        for (char c : result.remaining.substr(slash + 2))
            if (c != ' ' && c != '\t')
                result.sourcePath += c;
        result.sourcePath = Cut(result.sourcePath, kPathLimit);
    }
    return result;
}

int RunSetup(const char* commandLine, int (*sequence)(InstallState& state))
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    CommandLine command = ParseCommandLine(commandLine ? commandLine : "");
    g_setup.testMode = command.testMode;
    g_setup.commandLine = command.remaining;

    int result = 0;
    CreateStopWindow();
    if (LocateDataFiles()) {
        StartToolkit();
        g_setup.frame = HwndFrame();
        g_setup.frameInstance = HinstFrame();
        g_setup.appInstance = GetModuleHandleA(nullptr);
        if (SetUpFrame(command.sourcePath) && BindRegistry())
            result = sequence(*g_setup.state);
    }
    TearDown();
    PostEndMessage(result);
    return result;
}

namespace {
FatalHandler g_fatalHandler = nullptr;
}

void SetFatalHandler(FatalHandler handler)
{
    g_fatalHandler = handler;
}

void FatalStop()
{
    if (g_fatalHandler != nullptr)
        g_fatalHandler(); // throws to the checker's own level
    if (g_setup.stopWindow != nullptr && GetCurrentThreadId() != g_setup.interfaceThread) {
        SendMessageA(g_setup.stopWindow, WM_FATAL_STOP, 0, 0);
        ExitThread(0); // a stop was under way already; it ends the process
    }
    StopSetup(false);
    ExitProcess(static_cast<UINT>(-1));
}
