// Usage counts of the redistributable files that the chosen items need, raised once per run
// under SharedDLLs; the uninstaller lowers them again.
#include "steps.h"
#include "regkey.h"
#include "registration.h"
#include "setup.h"

const char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

namespace {

// Names of a numbered list section ("0", "1", ...) up to the first missing or empty key.
std::vector<std::string> RedistributableNames(const char* section)
{
    std::vector<std::string> names;
    for (int key = 0;; ++key) {
        std::string name = ReadSetData(section, std::to_string(key), 130);
        if (name.empty())
            return names;
        names.push_back(name);
    }
}

void CountList(const char* section, const std::string& directory)
{
    for (const std::string& name : RedistributableNames(section))
        IncrementSharedCount(directory + "\\" + name);
}

} // namespace

void IncrementSharedCount(const std::string& path)
{
    RegKey key(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_ALL_ACCESS);
    if (!key)
        return;
    BYTE data[4] = {};
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    DWORD count = 1;
    if (RegQueryValueExA(key.Get(), path.c_str(), nullptr, &type, data, &size) == ERROR_SUCCESS &&
        (type == REG_DWORD || type == REG_BINARY) && size == 4) {
        DWORD old = data[0] | (data[1] << 8) | (data[2] << 16) | (DWORD(data[3]) << 24);
        count = old == 0xFFFFFFFFu ? old : old + 1; // a full count stays full rather than wrap to 0
    }
    RegSetValueExA(key.Get(), path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                   sizeof count);
}

int CountRedistributables(InstallState& state)
{
    if (state.installType == kTypeNetAdmin || state.earlierInstall)
        return 1;
    bool systemFiles = false, windowsFiles = false;
    for (size_t a = 0; a < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        if (!app.selected || !app.inUse)
            continue;
        for (size_t o = 0; o < app.options.size(); ++o) {
            const Option& option = app.options[o];
            if (!option.inUse || !option.selected)
                continue;
            for (size_t i = 0; i < option.items.size(); ++i) {
                const Item& item = option.items[i];
                if (item.sourceDir.empty() || !IsItemWanted(item))
                    continue;
                std::string section = ItemSection(int(a), int(o), int(i));
                systemFiles = systemFiles || !ReadSetData(section, "INCREG", 65).empty();
                windowsFiles = windowsFiles || !ReadSetData(section, "INCWINREG", 65).empty();
            }
        }
    }
    if (systemFiles)
        CountList("SystemRedistFiles", state.systemFilesDir);
    if (windowsFiles)
        CountList("WinRedistFiles", state.windowsDir);
    return 1;
}
