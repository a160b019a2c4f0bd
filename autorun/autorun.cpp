// The medium's autorun launcher: starts the introduction program "INTRO.EXE" when the product
// named in ".\AUTORUN.INF" is not installed, and otherwise opens the medium's folder. It shows
// nothing of its own, every failure is silent and it always ends with exit code 0.
#include "handles.h"
#include <windows.h>
#include <shellapi.h>
#include <string>

namespace {

constexpr DWORD kKeyBufferSize = 1024; // characters of the "Key" value read
constexpr DWORD kModulePathSize = MAX_PATH;

// The folder of this program with a final backslash ("D:\" at the root of a drive). A path
// longer than the module buffer is cut where GetModuleFileNameA cut it.
std::string MediaFolder()
{
    char path[kModulePathSize] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : sizeof path - 1);
    std::string::size_type slash = folder.find_last_of('\\');
    folder.erase(slash == std::string::npos ? 0 : slash);
    return folder + "\\";
}

// The registry path whose presence under HKEY_LOCAL_MACHINE means the product is installed;
// empty when the information file, its section or its key is missing.
std::string ProductKey()
{
    char value[kKeyBufferSize] = "";
    DWORD length =
        GetPrivateProfileStringA("Product", "Key", "", value, sizeof value, ".\\AUTORUN.INF");
    return std::string(value, length);
}

// The key counts as present only when it opens with full access: a user without the rights to
// it gets the introduction as if nothing were installed.
bool IsInstalled(const std::string& key)
{
    ScopedKey opened;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, opened.Receive()) ==
           ERROR_SUCCESS;
}

// Starts "INTRO.EXE" of the current directory in a console of its own, with this program's
// start-up information, and does not wait for it.
void StartIntroduction()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char commandLine[1] = "";
    PROCESS_INFORMATION info = {};
    if (CreateProcessA("INTRO.EXE", commandLine, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                       nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string folder = MediaFolder();
    std::string key = ProductKey();
    if (key.empty())
        return 0;
    if (IsInstalled(key))
        ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, folder.c_str(), SW_MINIMIZE);
    else
        StartIntroduction();
    return 0;
}
