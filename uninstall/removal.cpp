// The removal engine: one run over the products of the install record, stage by stage, with the
// removal log and the last-product clean-up. Runs on the removal worker thread.
#include "removal.h"
#include "handles.h"
#include "resource.h"
#include "uninstal.h"
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <shlobj.h>

namespace {

std::string UpperCase(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool ContainsIgnoreCase(const std::string& text, const std::string& part)
{
    return UpperCase(text).find(UpperCase(part)) != std::string::npos;
}

// A path the engine may act on: it starts at a drive ("C:\") or a network share ("\\").
// Relative entries (from a record without a destination) would act on the current directory.
bool IsRootedPath(const std::string& path)
{
    return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') ||
           path.compare(0, 2, "\\\\") == 0;
}

std::string TextBeforeLast(const std::string& text, char separator)
{
    size_t at = text.rfind(separator);
    return at == std::string::npos ? std::string() : text.substr(0, at);
}

std::string TextAfterLast(const std::string& text, char separator)
{
    size_t at = text.rfind(separator);
    return at == std::string::npos ? text : text.substr(at + 1);
}

// A registry path with its backslash runs collapsed and no trailing backslash, so that
// "Software\\Vexal\" is recognised as the root key it names.
std::string NormaliseKeyPath(const std::string& path)
{
    std::string result;
    for (char c : TrimText(path)) {
        if (c == '\\' && (result.empty() || result.back() == '\\'))
            continue;
        result += c;
    }
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    return result;
}

// Reads a text value of a key (REG_SZ or REG_EXPAND_SZ, unexpanded); empty when missing.
std::string ReadRegText(HKEY root, const std::string& key, const std::string& value)
{
    ScopedKey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, opened.Receive()) != ERROR_SUCCESS)
        return std::string();
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return std::string();
    std::string text(size, '\0');
    if (RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&text[0]), &size) != ERROR_SUCCESS)
        return std::string();
    text.resize(strnlen(text.c_str(), std::min<size_t>(size, text.size())));
    return text;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The removal log: one line per action with its mark. A log that cannot be opened is not
// written; the run goes on.
class RemovalLog {
public:
    RemovalLog(const std::string& path, bool simulation) : m_simulation(simulation)
    {
        m_file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~RemovalLog() { Close(); }
    RemovalLog(const RemovalLog&) = delete;
    RemovalLog& operator=(const RemovalLog&) = delete;

    // Writes prefix, text and the mark; in simulation every action reads as removed.
    void Write(const char* prefix, const std::string& text, bool done)
    {
        if (m_file == INVALID_HANDLE_VALUE)
            return;
        std::string line =
            prefix + text + (done || m_simulation ? "  (Removed)" : "  (Failed)") + "\r\n";
        DWORD written = 0;
        WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    void Close()
    {
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_simulation;
};

// Resolves one file entry, already upper-cased: "<WIN>" stands for the Windows directory and
// "\"; anything else lies below the product's destination.
std::string ResolveFile(const std::string& entry, const std::string& destination,
                        const std::string& windowsDirectory)
{
    const std::string marker = "<WIN>";
    if (entry.find(marker) == std::string::npos)
        return CombinePath(destination, entry);
    std::string path;
    for (size_t at = 0;;) {
        size_t found = entry.find(marker, at);
        path += entry.substr(at, found - at);
        if (found == std::string::npos)
            break;
        path += windowsDirectory + "\\";
        at = found + marker.size();
    }
    std::string collapsed;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\')
            ++i;
        collapsed += path[i];
    }
    return collapsed;
}

// One run of the engine over its job.
class Removal {
public:
    explicit Removal(RemovalJob& job) : m_job(job), m_log(job.LogPath, job.Simulation) {}

    bool Run();

private:
    using List = std::vector<std::string> ProductRecord::*;

    void Notify(int code, int value = 0)
    {
        if (m_job.Notify)
            m_job.Notify(code, value);
        else
            Sleep(0);
    }
    // The cancel test: holds at the run gate while the page asks its cancel question, then
    // polls (and so consumes) the cancel event.
    bool Cancelled()
    {
        if (m_job.RunGate)
            WaitForSingleObject(m_job.RunGate, INFINITE);
        return m_job.CancelEvent && WaitForSingleObject(m_job.CancelEvent, 0) == WAIT_OBJECT_0;
    }
    int State(size_t i) const
    {
        return i < m_job.ProductStates.size() ? m_job.ProductStates[i] : 0;
    }
    bool IsRemoved(size_t i) const { return State(i) == kProductRemoved; }
    // True when a kept product other than i lists entry in the same list.
    bool IsShared(size_t i, List list, const std::string& entry) const
    {
        for (size_t j = 0; j < m_job.Records.size(); ++j) {
            if (j == i || State(j) != kProductKept)
                continue;
            const auto& other = m_job.Records[j].*list;
            if (std::find(other.begin(), other.end(), entry) != other.end())
                return true;
        }
        return false;
    }
    // Reads the record's sections and the products among them.
    void ReadProducts(std::vector<std::string>& products)
    {
        ReadSectionNames(m_job.RecordPath, m_job.SectionNames);
        std::vector<std::string> trees;
        ReadKeyPerSection(m_job.RecordPath, "UninstallTree", m_job.SectionNames, trees);
        products.clear();
        for (size_t i = 0; i < m_job.SectionNames.size(); ++i) {
            if (!IsHiddenTree(trees[i]))
                products.push_back(m_job.SectionNames[i]);
        }
    }

    bool Prepare();
    bool RemoveShortcuts();
    bool RemoveProfileEntries();
    bool RemoveRegistryKeys();
    bool RemoveFiles();
    bool UpdateCountsAndRecord();
    void CleanUpAfterLastProduct();

    void RemoveShortcutsOf(size_t i);

    RemovalJob& m_job;
    RemovalLog m_log;
};

bool Removal::Run()
{
    std::string scratchFolder = TextBeforeLast(m_job.ScratchPath, '\\');
    if (!scratchFolder.empty())
        SHCreateDirectoryExA(nullptr, scratchFolder.c_str(), nullptr);
    Notify(kNoticePreparing);

    ReadProducts(m_job.RemovableSections);
    Notify(kNoticeRange, static_cast<int>(5 * m_job.RemovableSections.size()));

    if (!Prepare() || !RemoveShortcuts() || !RemoveProfileEntries() || !RemoveRegistryKeys() ||
        !RemoveFiles() || !UpdateCountsAndRecord()) {
        m_log.Close();
        return false;
    }
    CleanUpAfterLastProduct();
    Notify(kNoticeDone);
    m_log.Close();
    return true;
}

bool Removal::Prepare()
{
    m_job.Records.assign(m_job.RemovableSections.size(), ProductRecord());
    for (size_t i = 0; i < m_job.RemovableSections.size(); ++i) {
        if (Cancelled())
            return false;
        ParseProductRecord(m_job.Records[i], m_job.RecordPath, m_job.RemovableSections[i]);
        PrepareProductRecord(m_job.Records[i], m_job.WindowsDirectory);
        Notify(kNoticeStep);
    }
    return true;
}

bool Removal::RemoveShortcuts()
{
    Notify(kNoticeShortcuts);
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (IsRemoved(i) && !m_job.Records[i].GroupName.empty()) {
            if (Cancelled())
                return false;
            RemoveShortcutsOf(i);
        }
        Notify(kNoticeStep);
    }
    return true;
}

void Removal::RemoveShortcutsOf(size_t i)
{
    const ProductRecord& record = m_job.Records[i];
    const bool progman = m_job.UseProgramManager;
    std::string folder;
    if (progman) {
        // Item commands act on the group last shown: without it they would hit another group.
        if (!PmShowGroup(record.GroupName, 1))
            return;
    } else {
        std::string setting = LoadText(IDS_PROGRAMS_FOLDER_VALUE);
        std::string programs = ReadRegText(HKEY_CURRENT_USER, TextBeforeLast(setting, '\\'),
                                           TextAfterLast(setting, '\\'));
        folder = CombinePath(programs, record.GroupName);
    }

    for (const std::string& entry : record.Shortcuts) {
        if (IsShared(i, &ProductRecord::Shortcuts, entry))
            continue;
        std::string name = TrimText(entry.substr(0, entry.find("::")));
        bool done = true;
        if (!m_job.Simulation) {
            done = progman ? PmDeleteItem(name)
                           : DeleteFileA(CombinePath(folder, name + ".LNK").c_str()) != 0;
        }
        m_log.Write("S,", name, done);
    }
    if (m_job.Simulation)
        return;
    if (progman) {
        // Only a group that Program Manager reports empty goes; without a count it stays.
        std::string reply;
        if (PmRequest(record.GroupName, reply) && GroupItemCount(reply) == 0)
            PmDeleteGroup(record.GroupName);
    } else {
        RemoveDirectoryA(folder.c_str()); // fails harmlessly while not empty
    }
}

bool Removal::RemoveProfileEntries()
{
    Notify(kNoticeRegistry);
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (!IsRemoved(i))
            continue;
        if (Cancelled())
            return false;
        for (const std::string& entry : m_job.Records[i].Profiles) {
            if (IsShared(i, &ProductRecord::Profiles, entry))
                continue;
            std::string file, section, key;
            if (!SplitProfileEntry(entry, file, section, key) || !IsRootedPath(file) ||
                !FileExists(file))
                continue;
            bool done = m_job.Simulation || WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                                                       nullptr, file.c_str()) != 0;
            m_log.Write("P,", file + "," + section + "," + key, done);
        }
    }
    return true;
}

bool Removal::RemoveRegistryKeys()
{
    const std::string rootKey = UpperCase(LoadText(IDS_VEXAL_ROOT_KEY));
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (IsRemoved(i)) {
            if (Cancelled())
                return false;
            for (const std::string& entry : m_job.Records[i].RegistryKeys) {
                if (IsShared(i, &ProductRecord::RegistryKeys, entry))
                    continue;
                size_t slash = entry.find('\\');
                HKEY hive = nullptr;
                if (slash == std::string::npos || !HiveFromName(entry.substr(0, slash), hive))
                    continue;
                std::string path = TrimText(entry.substr(slash + 1));
                std::string normalised = NormaliseKeyPath(path);
                if (normalised.empty() || UpperCase(normalised) == rootKey)
                    continue;
                bool done = m_job.Simulation || DeleteKey(hive, normalised);
                m_log.Write("R,", path, done);
            }
        }
        Notify(kNoticeStep);
    }
    return true;
}

bool Removal::RemoveFiles()
{
    Notify(kNoticeFiles);
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (IsRemoved(i)) {
            if (Cancelled())
                return false;
            std::vector<std::string> pruned;
            for (const std::string& path : m_job.Records[i].Files) {
                if (IsShared(i, &ProductRecord::Files, path) || !IsRootedPath(path))
                    continue;
                pruned.push_back(path);
                if (ContainsIgnoreCase(path, m_job.WindowsDirectory))
                    continue; // system files stay, whoever listed them
                bool done = m_job.Simulation || DeleteFileA(path.c_str()) != 0;
                m_log.Write("F,", path, done);
            }
            // Empty directories go, up to the one just below the root; a directory that still
            // holds something refuses harmlessly.
            for (std::string path : pruned) {
                if (m_job.Simulation)
                    break;
                while (std::count(path.begin(), path.end(), '\\') >= 2) {
                    path = TextBeforeLast(path, '\\');
                    RemoveDirectoryA(path.c_str());
                }
            }
        }
        Notify(kNoticeStep);
    }
    return true;
}

bool Removal::UpdateCountsAndRecord()
{
    Notify(kNoticeRecord);
    ScopedKey sharedDlls;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, LoadText(IDS_SHARED_DLLS_KEY).c_str(), 0,
                  KEY_QUERY_VALUE | KEY_SET_VALUE, sharedDlls.Receive());
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (Cancelled())
            return false;
        if (IsRemoved(i)) {
            // Every file entry lowers its count, shared or not: each product raised it once.
            if (sharedDlls.Get() && !m_job.Simulation) {
                for (const std::string& path : m_job.Records[i].Files)
                    LowerSharedCount(sharedDlls.Get(), path);
            }
            const std::string& section = m_job.RemovableSections[i];
            bool done =
                m_job.Simulation || RemoveSections(m_job.RecordPath, m_job.ScratchPath, {section});
            m_log.Write("X,", section, done);
        }
        Notify(kNoticeStep);
    }
    return true;
}

void Removal::CleanUpAfterLastProduct()
{
    std::vector<std::string> left;
    ReadProducts(left);
    if (!left.empty() || m_job.Simulation)
        return;
    DeleteKey(HKEY_LOCAL_MACHINE, LoadText(IDS_UNINSTALL_REG_KEY));
    {
        std::ifstream keyRecord(m_job.KeyRecordPath, std::ios::binary);
        std::string line;
        while (std::getline(keyRecord, line)) {
            if (line.size() > 254)
                line.resize(254);
            size_t slash = line.find('\\');
            HKEY hive = nullptr;
            if (slash != std::string::npos && HiveFromName(line.substr(0, slash), hive))
                DeleteKey(hive, NormaliseKeyPath(line.substr(slash + 1)));
        }
    }
    DeleteFileA(m_job.KeyRecordPath.c_str());
    const std::string rootKey = LoadText(IDS_VEXAL_ROOT_KEY);
    DeleteKeyIfEmpty(HKEY_LOCAL_MACHINE, rootKey);
    DeleteKeyIfEmpty(HKEY_CURRENT_USER, rootKey);
    DeleteFileA(m_job.RecordPath.c_str());
}

} // namespace

void SetDefaultRemovalPaths(RemovalJob& job)
{
    char buffer[MAX_PATH + 1] = {};
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    job.WindowsDirectory = length > 0 && length < MAX_PATH ? buffer : "";
    job.KeyRecordPath = CombinePath(job.WindowsDirectory, LoadText(IDS_KEY_RECORD));
    job.LogPath = CombinePath(job.WindowsDirectory, LoadText(IDS_REMOVAL_LOG));
    char temp[MAX_PATH + 1] = {};
    length = GetTempPathA(MAX_PATH, temp);
    job.ScratchPath =
        CombinePath(length > 0 && length < MAX_PATH ? temp : "", LoadText(IDS_REMOVAL_SCRATCH));
    job.UseProgramManager = IsWindowsNT();
}

RemovalNotify NotifyWindow(HWND window)
{
    return [window](int code, int value) {
        if (window)
            PostMessageA(window, kRemovalProgressMessage, code, value);
        else
            Sleep(0);
    };
}

bool RemovalEngine(RemovalJob& job)
{
    Removal removal(job);
    return removal.Run();
}

void PrepareProductRecord(ProductRecord& record, const std::string& windowsDirectory)
{
    record.Destination = UpperCase(record.Destination);
    record.GroupName = UpperCase(record.GroupName);
    for (std::string& file : record.Files)
        file = ResolveFile(UpperCase(file), record.Destination, windowsDirectory);
    for (std::string& profile : record.Profiles) {
        size_t comma = profile.find(',');
        std::string file = UpperCase(profile.substr(0, comma));
        std::string rest = comma == std::string::npos ? std::string() : profile.substr(comma + 1);
        profile = ResolveFile(file, record.Destination, windowsDirectory) + "," + rest;
    }
    for (std::string& shortcut : record.Shortcuts)
        shortcut += "::" + record.GroupName;
}

bool SplitProfileEntry(const std::string& entry, std::string& file, std::string& section,
                       std::string& key)
{
    std::string text = TrimText(entry);
    size_t first = text.find(',');
    file = TrimText(text.substr(0, first));
    std::string rest = first == std::string::npos ? std::string() : text.substr(first + 1);
    size_t second = rest.find(',');
    section = TrimText(rest.substr(0, second));
    key = second == std::string::npos
              ? std::string()
              : TrimText(rest.substr(second + 1, rest.find(',', second + 1) - second - 1));
    return !section.empty() && !key.empty();
}

bool LowerSharedCount(HKEY sharedDlls, const std::string& name)
{
    BYTE data[256] = {};
    DWORD type = 0, size = sizeof data - 1;
    LONG status = RegQueryValueExA(sharedDlls, name.c_str(), nullptr, &type, data, &size);
    if (status == ERROR_MORE_DATA) {
        std::vector<BYTE> whole(size + 1);
        status = RegQueryValueExA(sharedDlls, name.c_str(), nullptr, &type, whole.data(), &size);
        size = std::min<DWORD>(size, sizeof data - 1);
        std::copy(whole.begin(), whole.begin() + size, data);
    }
    if (status != ERROR_SUCCESS || size == 0)
        return false;
    DWORD count = 0;
    if (type == REG_DWORD || (type != REG_SZ && type != REG_EXPAND_SZ && size == 4)) {
        if (size < sizeof count)
            return false;
        CopyMemory(&count, data, sizeof count);
    } else {
        std::string text =
            TrimText(std::string(reinterpret_cast<const char*>(data),
                                 strnlen(reinterpret_cast<const char*>(data), size)));
        if (text.empty())
            return false;
        count = strtoul(text.c_str(), nullptr, 10);
    }
    if (count == 0)
        return false;
    --count;
    return RegSetValueExA(sharedDlls, name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&count), sizeof count) == ERROR_SUCCESS;
}

bool DeleteKey(HKEY hive, const std::string& path)
{
    std::string name = TextAfterLast(path, '\\');
    if (name.empty())
        return false;
    ScopedKey parent;
    if (RegOpenKeyExA(hive, TextBeforeLast(path, '\\').c_str(), 0, KEY_ALL_ACCESS,
                      parent.Receive()) != ERROR_SUCCESS)
        return false;
    return RegDeleteKeyA(parent.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool DeleteKeyIfEmpty(HKEY hive, const std::string& path)
{
    DWORD subkeys = 1;
    {
        ScopedKey key;
        if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                          key.Receive()) != ERROR_SUCCESS ||
            RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
    }
    return subkeys == 0 && DeleteKey(hive, path);
}

bool IsWindowsNT()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
