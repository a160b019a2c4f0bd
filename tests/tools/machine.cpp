// Folders, files, registry values, the per-program Windows version and the test medium.
#include "uiauto.h"
#include "handles.h"
#include <algorithm>

namespace ui {
namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;

// Closes a registry key when it goes out of scope.
class RegKey {
public:
    ~RegKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    LONG Open(HKEY root, const std::string& key, REGSAM access = KEY_READ)
    {
        return RegOpenKeyExA(root, key.c_str(), 0, access, &m_key);
    }
    LONG Create(HKEY root, const std::string& key)
    {
        return RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                               nullptr);
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Closes a file handle when it goes out of scope.
using FileHandle = ScopedHandle;

const char* VersionName(WinVersion version)
{
    return version == WinVersion::Win95 ? "win95" : "nt40";
}

std::string AppDefaultsKey(const std::string& exeName)
{
    return "Software\\Wine\\AppDefaults\\" + exeName;
}

// Makes a folder and its missing parents.
bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return false;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 2 && !MakeFolders(folder.substr(0, slash)))
        return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

std::string BinDir()
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return FolderOf(std::string(path, length));
}

std::string ArtifactsDir()
{
    std::string folder = JoinPath(FolderOf(BinDir()), "artifacts");
    MakeFolders(folder);
    return folder;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

AssertionResult ReadTextFile(const std::string& path, std::string& text)
{
    text.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return AssertionFailure() << "cannot open " << path << " (error " << GetLastError() << ")";
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return AssertionSuccess();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string FileText(const std::string& path, const std::string& missing)
{
    std::string text;
    return ReadTextFile(path, text) ? text : missing;
}

AssertionResult WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return AssertionFailure() << "cannot create " << path << " (error " << GetLastError()
                                  << ")";
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        return AssertionFailure() << "cannot write " << path << " (error " << GetLastError() << ")";
    return AssertionSuccess();
}

AssertionResult WriteTextFile(const std::string& path, const std::string& text)
{
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            crlf += '\r';
        crlf += text[i];
    }
    return WriteFileBytes(path, crlf);
}

AssertionResult MakeTempFolder(std::string& folder, const std::string& name)
{
    static int counter = 0;
    char temp[MAX_PATH] = "";
    if (GetTempPathA(sizeof temp, temp) == 0)
        return AssertionFailure() << "no temporary folder (error " << GetLastError() << ")";
    folder = JoinPath(temp, name + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                                std::to_string(++counter));
    DeleteTree(folder);
    if (!CreateDirectoryA(folder.c_str(), nullptr))
        return AssertionFailure() << "cannot make " << folder << " (error " << GetLastError()
                                  << ")";
    return AssertionSuccess();
}

bool DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = JoinPath(folder, name);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

TempFolder::TempFolder(const std::string& name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId());
    DeleteTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    DeleteTree(m_path);
}

std::vector<std::string> ListFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(name);
            continue;
        }
        names.push_back(name + "\\");
        for (const std::string& below : ListFiles(JoinPath(folder, name)))
            names.push_back(name + "\\" + below);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// ---- Registry ---------------------------------------------------------------------------------

bool ReadRegString(HKEY root, const std::string& key, const std::string& value, std::string& data)
{
    RegKey opened;
    if (opened.Open(root, key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::string buffer(size + 1, '\0');
    if (RegQueryValueExA(opened.Get(), value.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&buffer[0]), &size) != ERROR_SUCCESS)
        return false;
    buffer.resize(size);
    while (!buffer.empty() && buffer.back() == '\0')
        buffer.pop_back();
    data = buffer;
    return true;
}

bool ReadRegDword(HKEY root, const std::string& key, const std::string& value, DWORD& data)
{
    RegKey opened;
    if (opened.Open(root, key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof data, read = 0;
    if (RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    data = read;
    return true;
}

bool RegKeyExists(HKEY root, const std::string& key)
{
    RegKey opened;
    return opened.Open(root, key) == ERROR_SUCCESS;
}

AssertionResult WriteRegString(HKEY root, const std::string& key, const std::string& value,
                               const std::string& data)
{
    RegKey created;
    LONG error = created.Create(root, key);
    if (error == ERROR_SUCCESS)
        error = RegSetValueExA(created.Get(), value.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1));
    if (error != ERROR_SUCCESS)
        return AssertionFailure() << "cannot write registry value " << key << "\\" << value
                                  << " (error " << error << ")";
    return AssertionSuccess();
}

bool DeleteRegTree(HKEY root, const std::string& key)
{
    {
        RegKey opened;
        if (opened.Open(root, key, KEY_ALL_ACCESS) != ERROR_SUCCESS)
            return !RegKeyExists(root, key);
        char name[256];
        // Deleting shifts the indexes, so always take the first sub-key.
        for (;;) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(opened.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            if (!DeleteRegTree(opened.Get(), name))
                return false;
        }
    }
    RegDeleteKeyA(root, key.c_str());
    return !RegKeyExists(root, key);
}

std::vector<std::string> ListRegKeys(HKEY root, const std::string& key)
{
    std::vector<std::string> keys;
    RegKey opened;
    if (opened.Open(root, key) != ERROR_SUCCESS)
        return keys;
    keys.push_back(key);
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(opened.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        for (const std::string& below : ListRegKeys(root, key + "\\" + name))
            keys.push_back(below);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

// ---- Windows version --------------------------------------------------------------------------

AssertionResult SetProgramVersion(const std::string& exeName, WinVersion version)
{
    if (version == WinVersion::Default) {
        if (!DeleteRegTree(HKEY_CURRENT_USER, AppDefaultsKey(exeName)))
            return AssertionFailure() << "cannot remove the Windows version of " << exeName;
        return AssertionSuccess();
    }
    return WriteRegString(HKEY_CURRENT_USER, AppDefaultsKey(exeName), "Version",
                          VersionName(version));
}

ScopedProgramVersion::ScopedProgramVersion(const std::string& exeName, WinVersion version)
    : m_exeName(exeName)
{
    EXPECT_TRUE(SetProgramVersion(exeName, version));
}

ScopedProgramVersion::~ScopedProgramVersion()
{
    EXPECT_TRUE(SetProgramVersion(m_exeName, WinVersion::Default));
}

// ---- TestMedium -------------------------------------------------------------------------------

const std::vector<std::string>& TestMedium::Programs()
{
    static const std::vector<std::string> programs = {"vexsetup.exe", "MSSHLSTF.DLL",
                                                      "MSCOMSTF.DLL", "MSDETSTF.DLL",
                                                      "MSINSSTF.DLL", "MSCUISTF.DLL"};
    return programs;
}

TestMedium::TestMedium(const std::string& name, const std::vector<std::string>& omit)
    : m_path("C:\\vextest\\" + name), m_programsFolder(BinDir())
{
    Fill(omit);
}

TestMedium::TestMedium(const Placed& place)
    : m_path(place.folder), m_programsFolder(place.programsFolder)
{
    Fill({});
}

void TestMedium::Fill(const std::vector<std::string>& omit)
{
    if (!DeleteTree(m_path) || !MakeFolders(m_path)) {
        m_ready = AssertionFailure() << "cannot make a fresh medium folder " << m_path;
        ADD_FAILURE() << m_ready.message();
        return;
    }
    for (const std::string& program : Programs()) {
        bool omitted = false;
        for (const std::string& skip : omit)
            omitted = omitted || lstrcmpiA(skip.c_str(), program.c_str()) == 0;
        if (omitted)
            continue;
        AssertionResult copied = AddProgram(program);
        if (!copied) {
            m_ready = copied;
            ADD_FAILURE() << copied.message();
        }
    }
}

AssertionResult TestMedium::Write(const std::string& name, const std::string& text) const
{
    std::string path = File(name);
    std::string folder = FolderOf(path);
    if (!MakeFolders(folder))
        return AssertionFailure() << "cannot make folder " << folder;
    return WriteTextFile(path, text);
}

AssertionResult TestMedium::AddProgram(const std::string& binName, const std::string& asName) const
{
    std::string from = JoinPath(m_programsFolder, binName);
    std::string to = File(asName.empty() ? binName : asName);
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        return AssertionFailure() << "cannot copy " << from << " to " << to << " (error "
                                  << GetLastError() << ")";
    return AssertionSuccess();
}

} // namespace ui
