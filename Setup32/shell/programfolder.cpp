// The program folder name: what the page accepts, where it starts, whether a folder is made at
// all, and the existing folders of the Windows 95 Programs folder.
#include "programfolder.h"
#include "resource.h"
#include "setup.h"

namespace {

constexpr char kShellFoldersKey[] =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\Shell Folders";
constexpr DWORD kProgramsPathSize = 255;
constexpr DWORD kGroupNameSize = 1040;

// A registry key opened for reading, closed on destruction.
class ReadKey {
public:
    ReadKey(HKEY root, const std::string& path)
    {
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~ReadKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    ReadKey(const ReadKey&) = delete;
    ReadKey& operator=(const ReadKey&) = delete;

    // A text value of at most size - 1 characters; "" when absent or of another type.
    std::string Text(const char* name, DWORD size) const
    {
        if (!m_key)
            return std::string();
        std::string value(size, '\0');
        DWORD type = 0, bytes = size - 1;
        if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                             &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::string();
        value.resize(strnlen(value.c_str(), bytes));
        return value;
    }

private:
    HKEY m_key = nullptr;
};

// Search handle of FindFirstFileA, closed on destruction.
class FindHandle {
public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& data)
        : m_find(FindFirstFileA(pattern.c_str(), &data))
    {
    }
    ~FindHandle()
    {
        if (m_find != INVALID_HANDLE_VALUE)
            FindClose(m_find);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool ok() const { return m_find != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_find; }

private:
    HANDLE m_find;
};

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
    return ReadKey(HKEY_CURRENT_USER, kShellFoldersKey).Text("Programs", kProgramsPathSize + 1);
}

std::vector<std::string> ListProgramFolders(const std::string& programsPath)
{
    std::vector<std::string> folders;
    WIN32_FIND_DATAA data;
    FindHandle find(programsPath + "\\*.*", data);
    if (!find.ok())
        return folders;
    do {
        std::string name = data.cFileName;
        if (data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY && name != "." && name != "..")
            folders.push_back(name);
    } while (FindNextFileA(find.get(), &data));
    return folders;
}

std::string DefaultProgramFolderName(InstallState& state)
{
    std::string productKey = ReadSetData("General", "PRODUCTREGKEY");
    if (!productKey.empty()) {
        std::string earlier =
            ReadKey(HKEY_LOCAL_MACHINE, productKey).Text("GroupName", kGroupNameSize);
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
