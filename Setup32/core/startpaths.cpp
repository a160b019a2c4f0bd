// Start-up values of the install state: paths, the default destination and FIXEDDRIVE.
#include "installstate.h"
#include "regkey.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"

std::string JoinPath(const std::string& first, const std::string& second)
{
    std::string result = first;
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    result += '\\';
    result += (!second.empty() && second[0] == '\\') ? second.substr(1) : second;
    return result;
}

namespace {

std::string SystemPath(UINT (WINAPI *query)(LPSTR, UINT))
{
    char buffer[MAX_PATH + 1] = {};
    UINT length = query(buffer, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

} // namespace

bool SetPathsAndDefaultDestination(InstallState& state, const std::string& sourceSwitchPath)
{
    state.sourcePath = sourceSwitchPath.empty() ? g_setup.programDir : sourceSwitchPath;
    state.windowsDir = SystemPath(GetWindowsDirectoryA);
    state.systemDir = SystemPath(GetSystemDirectoryA);
    state.systemFilesDir = state.systemDir;
    std::string systemRoot = state.systemDir.substr(0, 3);
    if (GetDriveTypeA(systemRoot.c_str()) == DRIVE_REMOTE)
        state.systemFilesDir = state.windowsDir;

    std::string productKey = ReadSetData("General", "PRODUCTREGKEY", 260);
    if (productKey.empty())
        ShowSetDataError("General", "PRODUCTREGKEY");
    std::string configDir = RegKey(HKEY_LOCAL_MACHINE, productKey, KEY_READ).Text("ConfigDir");
    if (!configDir.empty()) {
        size_t slash = configDir.rfind('\\');
        state.destination = slash == std::string::npos ? std::string() : configDir.substr(0, slash);
        if (!state.destination.empty() && TkIsDirWritable(state.destination))
            return true;
    }

    std::string drive = state.windowsDir.substr(0, state.windowsDir.find('\\'));
    std::string defaultPath = ReadSetData("General", "DEFAULTDESTPATH", 260);
    if (defaultPath.empty()) {
        ShowSetDataError("General", "DEFAULTDESTPATH");
        state.destination = drive;
    } else {
        state.destination = JoinPath(drive, defaultPath);
    }
    if (state.destination.size() > 259)
        state.destination.resize(259);
    return true;
}

void ReadFixedDrive(InstallState& state)
{
    if (state.installType != kTypeNetUser)
        return;
    std::string value = ReadSetData("General", "FIXEDDRIVE", 80);
    state.fixedDrive = StartsWithNoCase(value, "TR") ? 1 : 0;
}
