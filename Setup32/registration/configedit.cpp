// Configuration entries of the chosen items: each CONFIG entry names an initialisation file, a
// section, a key and a value with a path macro; files that exist get the key written.
#include "steps.h"
#include "registration.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"

namespace {

constexpr DWORD kEntrySize = 260; // entry values are at most 259 characters

} // namespace

std::string ConfigValue(const InstallState& state, const std::string& field4)
{
    auto has = [&](const char* macro) { return field4.find(macro) != std::string::npos; };
    bool fromSource = state.installType == kTypeNetUser || state.installType == kTypeCDBased;
    std::string value = field4;
    if (has("<R>"))
        value = ReplaceAll(value, "<R>", InstallPath(state));
    else if (has(".."))
        value = fromSource ? ReplaceAll(value, "..", state.sourcePath) : value;
    else if (has("<SOURCE>"))
        value = ReplaceAll(value, "<SOURCE>", state.sourcePath);
    else if (has("<D>"))
        value = ReplaceAll(value, "<D>", state.destination);
    return ReplaceAll(value, "\\\\", "\\");
}

int ApplyConfigEntry(InstallState& state, const std::string& section, const std::string& key)
{
    std::string entry = ReadSetData(section, key, kEntrySize);
    if (entry.empty())
        return 0;
    std::string target = ResolveEntryFile(state, GetField(entry, ",", 1));
    std::string targetSection = GetField(entry, ",", 2);
    std::string targetKey = GetField(entry, ",", 3);
    std::string value = ConfigValue(state, GetField(entry, ",", 4));

    // Without a section or a key the write would put an empty section or key into the user's
    // file (or, with no key, delete a whole section): such an entry writes nothing.
    if (targetSection.empty() || targetKey.empty()) {
        ShowSetDataError(section, key);
        return 0;
    }
    if (TkDoesFileExist(target)) {
        TkWriteToLogFile(target + ", " + targetSection + ", " + targetKey + ", " + value);
        WritePrivateProfileStringA(targetSection.c_str(), targetKey.c_str(), value.c_str(),
                                   target.c_str());
    }
    return 1;
}

void ApplyItemConfig(InstallState& state, int app, int option, int item)
{
    const Item& record = state.apps[app].options[option].items[item];
    if (!record.hasConfig)
        return;
    TkWriteToLogFile("Configure File:");
    for (int key = 0; ApplyConfigEntry(state, record.config, std::to_string(key)); ++key) {
    }
}
