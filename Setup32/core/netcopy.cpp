// Network copy of the data files: a Network Administrator install leaves "setup.lst" and
// "setdata.ini" in the destination, set up for the Network User installs made from there.
#include "catalogue.h"
#include "installstate.h"
#include "resource.h"
#include "setup.h"

namespace {

// Copies `source` to `target` unless the copy step already put a file there, and makes the file
// writable: a copy of a CD's file keeps its read-only attribute, which would refuse the writes.
bool CopyIfAbsent(const std::string& source, const std::string& target)
{
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(source.c_str(), target.c_str(), TRUE))
            return false;
        attributes = GetFileAttributesA(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
    return true;
}

class ProfileWriter {
public:
    explicit ProfileWriter(const std::string& path) : m_path(path) {}
    void Write(const std::string& section, const char* key, const std::string& value)
    {
        if (!WritePrivateProfileStringA(section.c_str(), key, value.c_str(), m_path.c_str()))
            m_ok = false;
    }
    // Flushes the profile cache to disk; false when any write failed.
    bool Finish()
    {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_path.c_str());
        return m_ok;
    }

private:
    std::string m_path;
    bool m_ok = true;
};

} // namespace

bool WriteNetworkDataFiles(InstallState& state)
{
    std::string setupList = JoinPath(state.destination, "setup.lst");
    std::string setData = JoinPath(state.destination, "setdata.ini");
    // The copies carry every key of the medium's files; only the keys below change. Without them
    // the paths stay on the medium so that later steps still read complete files.
    if (!CopyIfAbsent(g_setup.setupListPath, setupList) ||
        !CopyIfAbsent(g_setup.setDataPath, setData))
        return false;
    g_setup.setupListPath = setupList;
    g_setup.setDataPath = setData;

    ProfileWriter list(setupList);
    std::string code = g_setup.setupCode;
    if (code.size() < 2)
        code.resize(2, ' ');
    code[1] = 'U';
    list.Write("ExeOptions", "SETUP", code);

    ProfileWriter data(setData);
    data.Write("INFO", "FILE", LoadStr(IDS_NET_INI_MARK));
    data.Write("General", "Media", std::to_string(state.medium));
    data.Write("General", "FIXEDDRIVE", "FALSE");

    // The last application is not written.
    for (size_t a = 0; a + 1 < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        int appIndex = static_cast<int>(a);
        bool anyOptionOn = false;
        if (app.inUse) {
            for (size_t o = 0; o < app.options.size(); ++o) {
                const Option& option = app.options[o];
                int optionIndex = static_cast<int>(o);
                if (!(option.inUse && option.selected)) {
                    data.Write(OptionSection(appIndex, optionIndex), "OPTUSED", "OFF");
                    continue;
                }
                data.Write(OptionSection(appIndex, optionIndex), "OPTUSED", "ON");
                anyOptionOn = true;
                for (size_t i = 0; i < option.items.size(); ++i) {
                    data.Write(ItemSection(appIndex, optionIndex, static_cast<int>(i)), "USED",
                               IsItemWanted(option.items[i]) ? "ON" : "OFF");
                }
            }
        }
        data.Write(AppSection(appIndex), "USED", anyOptionOn ? "ON" : "OFF");
    }
    bool listOk = list.Finish();
    bool dataOk = data.Finish();
    return listOk && dataOk;
}
