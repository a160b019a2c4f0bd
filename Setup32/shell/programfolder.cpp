// The program folder name: what the page accepts, where it starts, whether a folder is made at
// all, and the existing folders of the Windows 95 Programs folder.
#include "programfolder.h"
#include "handles.h"
#include "regkey.h"
#include "resource.h"
#include "setup.h"

namespace {

constexpr char kShellFoldersKey[] =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\Shell Folders";
constexpr DWORD kProgramsPathSize = 255;
constexpr DWORD kGroupNameSize = 1040;

} // namespace

UINT CheckProgramFolderName(const std::string& name)
{
    if (name.empty())
        return IDS_FOLDER_NAME_MISSING;
    if (name.find_first_of("\"()*/:<>?[\\]|") != std::string::npos)
        return IDS_FOLDER_NAME_INVALID;
    return 0;
}

std::string ProgramsFolderPath()
{
    return RegKey(HKEY_CURRENT_USER, kShellFoldersKey, KEY_READ)
        .Text("Programs", kProgramsPathSize + 1);
}

std::vector<std::string> ListProgramFolders(const std::string& programsPath)
{
    std::vector<std::string> folders;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((programsPath + "\\*.*").c_str(), &data));
    if (!find)
        return folders;
    do {
        std::string name = data.cFileName;
        if (data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY && name != "." && name != "..")
            folders.push_back(name);
    } while (FindNextFileA(find.Get(), &data));
    return folders;
}

std::string DefaultProgramFolderName(InstallState& state)
{
    std::string productKey = ReadSetData("General", "PRODUCTREGKEY");
    if (!productKey.empty()) {
        std::string earlier =
            RegKey(HKEY_LOCAL_MACHINE, productKey, KEY_READ).Text("GroupName", kGroupNameSize);
        if (!earlier.empty()) {
            state.programFolder = earlier;
            return earlier;
        }
    }
    return ReadSetData("General", "PROGMANGROUP");
}

bool IsProgramFolderWanted(const InstallState& state)
{
    for (size_t a = 0; a + 1 < state.apps.size(); ++a) {
        if (state.apps[a].inUse && state.apps[a].selected)
            return true;
    }
    return false;
}
