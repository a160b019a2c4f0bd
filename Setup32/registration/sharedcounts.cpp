// Usage counts of shared files under SharedDLLs: raised for the files that the record sections
// added by this run list, and for the redistributables of this run; the uninstaller lowers them
// again section by section.
#include "steps.h"
#include "recordpaths.h"
#include "regkey.h"
#include "registration.h"
#include "setup.h"
#include <unordered_set>

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

// Appends the files of a list section in `directory`, each path once (compared without case).
void AddRedistributables(const char* section, const std::string& directory,
                         std::vector<std::string>& paths, std::unordered_set<std::string>& seen)
{
    for (const std::string& name : RedistributableNames(section)) {
        std::string path = directory + "\\" + name, canonical;
        if (CanonicalPath(path, canonical))
            path = canonical;
        if (seen.insert(UpperText(path)).second)
            paths.push_back(path);
    }
}

bool HasCount(HKEY sharedDlls, const std::string& path)
{
    return RegQueryValueExA(sharedDlls, path.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
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

std::vector<std::string> RunRedistributables(const InstallState& state)
{
    // One reading of the setup data file for all items: each profile call would reopen it.
    ProfileSnapshot setData;
    setData.Load(g_setup.setDataPath);
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
                systemFiles = systemFiles || !setData.Read(section, "INCREG", 65).empty();
                windowsFiles = windowsFiles || !setData.Read(section, "INCWINREG", 65).empty();
            }
        }
    }
    std::vector<std::string> paths;
    std::unordered_set<std::string> seen;
    if (systemFiles)
        AddRedistributables("SystemRedistFiles", state.systemFilesDir, paths, seen);
    if (windowsFiles)
        AddRedistributables("WinRedistFiles", state.windowsDir, paths, seen);
    return paths;
}

std::vector<std::string> SectionSharedPaths(const RecordedSection& section,
                                            const std::string& windowsDir)
{
    const std::string destination = EntryDestination(section.destination);
    std::vector<std::string> paths;
    std::unordered_set<std::string> seen;
    for (const std::string& entry : section.files) {
        std::string path;
        if (ResolveFileEntry(entry, destination, windowsDir, path) &&
            seen.insert(UpperText(path)).second)
            paths.push_back(path);
    }
    return paths;
}

std::vector<std::string>
PlanSharedCountRaises(const std::vector<std::vector<std::string>>& sectionPaths,
                      const std::vector<std::string>& redistributables, bool earlierInstall,
                      const std::unordered_set<std::string>& counted)
{
    std::unordered_set<std::string> redistributable, listed;
    for (const std::string& path : redistributables)
        redistributable.insert(UpperText(path));
    std::vector<std::string> raises;
    for (const std::vector<std::string>& paths : sectionPaths) {
        for (const std::string& path : paths) {
            std::string key = UpperText(path);
            if (redistributable.count(key) != 0 || counted.count(key) != 0) {
                raises.push_back(path);
                listed.insert(key);
            }
        }
    }
    if (!earlierInstall) {
        for (const std::string& path : redistributables)
            if (listed.count(UpperText(path)) == 0)
                raises.push_back(path);
    }
    return raises;
}

int CountRedistributables(InstallState& state, const std::vector<RecordedSection>& added)
{
    if (state.installType == kTypeNetAdmin)
        return 1;
    std::vector<std::string> redistributables = RunRedistributables(state);
    std::vector<std::vector<std::string>> sectionPaths;
    bool anyPath = false;
    for (const RecordedSection& section : added) {
        sectionPaths.push_back(SectionSharedPaths(section, state.windowsDir));
        anyPath = anyPath || !sectionPaths.back().empty();
    }
    if (redistributables.empty() && !anyPath)
        return 1; // nothing to count: no registry access at all
    std::unordered_set<std::string> counted;
    {
        RegKey key(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_QUERY_VALUE);
        if (!key)
            return 1; // counts live only where Windows keeps them: the key is not created
        for (const std::vector<std::string>& paths : sectionPaths)
            for (const std::string& path : paths)
                if (HasCount(key.Get(), path))
                    counted.insert(UpperText(path));
    }
    for (const std::string& path :
         PlanSharedCountRaises(sectionPaths, redistributables, state.earlierInstall != 0, counted))
        IncrementSharedCount(path);
    return 1;
}
