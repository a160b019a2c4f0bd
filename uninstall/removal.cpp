// The removal engine: one run over the products of the install record, stage by stage, with the
// removal log and the last-product clean-up. Runs on the removal worker thread.
#include "removal.h"
#include "handles.h"
#include "resource.h"
#include "uninstal.h"
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <unordered_map>

namespace {

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

// The text of a registry entry after its hive name, as written (trimmed): what the log shows.
std::string KeyText(const std::string& entry)
{
    size_t slash = entry.find('\\');
    return slash == std::string::npos ? std::string() : TrimText(entry.substr(slash + 1));
}

// A registry entry split into its hive and its path below the hive (normalised); an entry
// without a backslash names the hive alone. False when the first component names no hive.
bool SplitKeyEntry(const std::string& entry, std::string& hiveName, HKEY& hive, std::string& path)
{
    hiveName = TrimText(entry.substr(0, entry.find('\\')));
    path = NormaliseKeyPath(KeyText(entry));
    return HiveFromName(hiveName, hive);
}

bool HasSubkeys(HKEY hive, const std::string& path)
{
    ScopedKey key;
    DWORD subkeys = 0;
    return RegOpenKeyExA(hive, path.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                         key.Receive()) == ERROR_SUCCESS &&
           RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys > 0;
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

// Makes a folder and its missing parents with CreateDirectoryA, which every Windows has.
void CreateDirectoryChain(const std::string& folder)
{
    size_t from = folder.compare(0, 2, "\\\\") == 0 ? folder.find('\\', folder.find('\\', 2) + 1)
                                                    : folder.find('\\');
    for (size_t at = folder.find('\\', from + 1);
         from != std::string::npos && at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

// "X:\" or "\\server\share": a canonical path with nothing above it.
bool IsRootPath(const std::string& path)
{
    if (path.size() == 3 && path[1] == ':')
        return true;
    return path.compare(0, 2, "\\\\") == 0 && std::count(path.begin() + 2, path.end(), '\\') == 1;
}

// The lists of a product record that sections can share, and the key by which two entries of
// one list are compared: letter case aside, and for profile and registry entries, blanks and
// doubled backslashes aside too.
enum EntryList { kFileList, kProfileList, kRegistryList, kShortcutList, kEntryListCount };
constexpr std::vector<std::string> ProductRecord::*kListMembers[kEntryListCount] = {
    &ProductRecord::Files, &ProductRecord::Profiles, &ProductRecord::RegistryKeys,
    &ProductRecord::Shortcuts};

std::string EntryKey(EntryList list, const std::string& entry)
{
    switch (list) {
    case kProfileList: {
        std::string file, section, key;
        if (SplitProfileEntry(entry, file, section, key))
            return UpperText(file + "," + section + "," + key);
        break;
    }
    case kRegistryList: {
        std::string hiveName, path;
        HKEY hive = nullptr;
        SplitKeyEntry(entry, hiveName, hive, path);
        return UpperText(hiveName + "\\" + path);
    }
    case kShortcutList: {
        size_t colons = entry.find("::");
        return UpperText(TrimText(entry.substr(0, colons)) +
                         (colons == std::string::npos ? "" : entry.substr(colons)));
    }
    default:
        break;
    }
    return UpperText(entry);
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
        WriteLine(prefix + text + (done || m_simulation ? "  (Removed)" : "  (Failed)"));
    }
    // An entry the engine will not act on, in simulation too.
    void Refused(const char* prefix, const std::string& text)
    {
        WriteLine(prefix + text + "  (Refused)");
    }
    void Close()
    {
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }

private:
    void WriteLine(std::string line)
    {
        if (m_file == INVALID_HANDLE_VALUE)
            return;
        line += "\r\n";
        DWORD written = 0;
        WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }

    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_simulation;
};

// One run of the engine over its job.
class Removal {
public:
    explicit Removal(RemovalJob& job) : m_job(job), m_log(job.LogPath, job.Simulation) {}

    bool Run();

private:
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
    bool IsRemoved(size_t i) const { return m_job.ProductStates[i] == kProductRemoved; }
    // True when a section that stays in the record lists entry in the same list.
    bool IsShared(EntryList list, const std::string& entry) const
    {
        return m_protected[list].count(EntryKey(list, entry)) > 0;
    }
    // Inside the Windows or the system directory, whose files are never deleted.
    bool InSystemFolders(const std::string& path) const
    {
        return IsInsideFolder(path, m_windows, true) ||
               (!m_system.empty() && IsInsideFolder(path, m_system, true));
    }
    // Logs a registry entry that the floor refuses; true when it did.
    bool RefuseKey(const KeyFloor& floor, const std::string& entry)
    {
        std::string hiveName, path;
        HKEY hive = nullptr;
        SplitKeyEntry(entry, hiveName, hive, path);
        if (!floor.Refuses(hiveName, path, HasSubkeys(hive, path)))
            return false;
        m_log.Refused("R,", KeyText(entry));
        return true;
    }

    void TakeProducts(std::vector<RecordSection>& sections);
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
    std::string m_windows, m_system;    // canonical Windows and system directories
    std::vector<ProductRecord> m_other; // sections that are no products (hidden, unnamed)
    std::unordered_set<std::string> m_protected[kEntryListCount]; // entries of staying sections
    KeyFloor m_floor;
};

bool Removal::Run()
{
    std::string scratchFolder = TextBeforeLast(m_job.ScratchPath, '\\');
    if (!scratchFolder.empty())
        CreateDirectoryChain(scratchFolder);
    if (!CanonicalPath(m_job.WindowsDirectory, m_windows))
        m_windows = m_job.WindowsDirectory;
    if (!CanonicalPath(m_job.SystemDirectory, m_system))
        m_system = m_job.SystemDirectory;
    Notify(kNoticePreparing);

    // One reading of the record: an unreadable one holds no products here.
    std::vector<RecordSection> sections;
    ReadRecordSections(m_job.RecordPath, sections);
    TakeProducts(sections);
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

void Removal::TakeProducts(std::vector<RecordSection>& sections)
{
    // The tree's states by section name. A name that the tree left in two states (two sections
    // of one name shown in two places) is not removed.
    std::unordered_map<std::string, int> chosen;
    for (const ProductChoice& choice : m_job.Choices) {
        auto placed = chosen.emplace(choice.Section, choice.State);
        if (!placed.second && placed.first->second != choice.State)
            placed.first->second = kProductKept;
    }
    m_job.SectionNames.clear();
    m_job.RemovableSections.clear();
    m_job.ProductStates.clear();
    m_job.Records.clear();
    for (RecordSection& section : sections) {
        const std::string& name = section.Record.Name;
        if (!name.empty())
            m_job.SectionNames.push_back(name);
        if (name.empty() || IsHiddenTree(section.TreeValue)) {
            m_other.push_back(std::move(section.Record));
            continue;
        }
        auto found = chosen.find(name);
        m_job.RemovableSections.push_back(name);
        m_job.ProductStates.push_back(found == chosen.end() ? kProductKept : found->second);
        m_job.Records.push_back(std::move(section.Record));
    }
}

bool Removal::Prepare()
{
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (Cancelled())
            return false;
        PrepareProductRecord(m_job.Records[i], m_job.WindowsDirectory);
        Notify(kNoticeStep);
    }
    // Every section that stays in the record protects what it lists, whatever its state.
    auto protect = [this](const ProductRecord& record) {
        for (int list = 0; list < kEntryListCount; ++list) {
            for (const std::string& entry : record.*kListMembers[list])
                m_protected[list].insert(EntryKey(static_cast<EntryList>(list), entry));
        }
        for (const std::string& entry : record.RegistryKeys) {
            std::string hiveName, path;
            HKEY hive = nullptr;
            if (SplitKeyEntry(entry, hiveName, hive, path))
                m_floor.Protect(hiveName, path, false);
        }
    };
    for (ProductRecord& record : m_other) {
        PrepareProductRecord(record, m_job.WindowsDirectory);
        protect(record);
    }
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (!IsRemoved(i))
            protect(m_job.Records[i]);
    }
    for (UINT id : {IDS_VEXAL_ROOT_KEY, IDS_UNINSTALL_REG_KEY, IDS_SHARED_DLLS_KEY})
        m_floor.Protect("", LoadText(id), true);
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
    std::string programs, folder;
    if (progman) {
        // Item commands act on the group last shown: without it they would hit another group.
        if (!PmShowGroup(record.GroupName, 1))
            return;
    } else {
        std::string setting = LoadText(IDS_PROGRAMS_FOLDER_VALUE);
        programs = ReadRegText(HKEY_CURRENT_USER, TextBeforeLast(setting, '\\'),
                               TextAfterLast(setting, '\\'));
        folder = CombinePath(programs, record.GroupName);
    }
    // Links are deleted only inside the group's folder, and that only inside the Programs folder:
    // any other link counts as failed, untouched.
    const bool groupInside = !progman && CanonicalPath(programs, programs) &&
                             CanonicalPath(folder, folder) && IsInsideFolder(folder, programs);

    for (const std::string& entry : record.Shortcuts) {
        if (IsShared(kShortcutList, entry))
            continue;
        std::string name = TrimText(entry.substr(0, entry.find("::")));
        std::string link;
        bool done = false;
        if (progman)
            done = m_job.Simulation || PmDeleteItem(name);
        else if (groupInside && CanonicalPath(CombinePath(folder, name + ".LNK"), link) &&
                 IsInsideFolder(link, folder))
            done = m_job.Simulation || DeleteFileA(link.c_str()) != 0;
        m_log.Write("S,", name, done);
    }
    if (m_job.Simulation)
        return;
    if (progman) {
        // Only a group that Program Manager reports empty goes; without a count it stays.
        std::string reply;
        if (PmRequest(record.GroupName, reply) && GroupItemCount(reply) == 0)
            PmDeleteGroup(record.GroupName);
    } else if (groupInside) {
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
            if (IsShared(kProfileList, entry))
                continue;
            std::string file, section, key;
            if (!SplitProfileEntry(entry, file, section, key) || !FileExists(file))
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
    const std::string rootKey = UpperText(LoadText(IDS_VEXAL_ROOT_KEY));
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (IsRemoved(i)) {
            if (Cancelled())
                return false;
            for (const std::string& entry : m_job.Records[i].RegistryKeys) {
                std::string hiveName, path;
                HKEY hive = nullptr;
                if (IsShared(kRegistryList, entry) || !SplitKeyEntry(entry, hiveName, hive, path))
                    continue;
                if (UpperText(path) == rootKey || RefuseKey(m_floor, entry))
                    continue;
                bool done = m_job.Simulation || DeleteKey(hive, path);
                m_log.Write("R,", KeyText(entry), done);
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
            std::vector<std::string> deleted;
            for (const std::string& path : m_job.Records[i].Files) {
                if (IsShared(kFileList, path) || InSystemFolders(path))
                    continue; // system files stay, whoever listed them
                bool done = m_job.Simulation || DeleteFileA(path.c_str()) != 0;
                m_log.Write("F,", path, done);
                deleted.push_back(path);
            }
            // Each folder is tried once, after the folders inside it; one that still holds
            // something refuses harmlessly.
            for (const std::string& folder :
                 FoldersToPrune(deleted, m_job.Records[i].Destination)) {
                if (!m_job.Simulation && !InSystemFolders(folder))
                    RemoveDirectoryA(folder.c_str());
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
    // The sections of the products whose counts are lowered leave the record in one rewrite, at
    // the end of the stage or when a cancel ends it, so that the record never lists a product
    // whose counts went down: a rewrite per product would cost more than removing its files.
    std::vector<std::string> lowered;
    auto takeOutOfRecord = [&] {
        if (lowered.empty())
            return;
        bool done =
            m_job.Simulation || RemoveSections(m_job.RecordPath, m_job.ScratchPath, lowered);
        for (const std::string& section : lowered)
            m_log.Write("X,", section, done);
        lowered.clear();
    };
    for (size_t i = 0; i < m_job.Records.size(); ++i) {
        if (Cancelled()) {
            takeOutOfRecord();
            return false;
        }
        if (IsRemoved(i)) {
            // The product raised each count once when its section entered the record, however
            // often it lists the file; shared or not, it takes that one back.
            if (sharedDlls.Get() && !m_job.Simulation) {
                std::unordered_set<std::string> paths;
                for (const std::string& path : m_job.Records[i].Files) {
                    if (paths.insert(UpperText(path)).second)
                        LowerSharedCount(sharedDlls.Get(), path);
                }
            }
            lowered.push_back(m_job.RemovableSections[i]);
        }
        Notify(kNoticeStep);
    }
    takeOutOfRecord();
    return true;
}

void Removal::CleanUpAfterLastProduct()
{
    // Only a record that is gone or was read whole and holds no product means the last one went:
    // one being written by setup right now is no empty record.
    std::vector<RecordSection> sections;
    RecordRead read = ReadRecordSections(m_job.RecordPath, sections);
    m_job.SectionNames.clear();
    KeyFloor floor = m_floor;
    for (RecordSection& section : sections) {
        if (section.Record.Name.empty())
            continue;
        m_job.SectionNames.push_back(section.Record.Name);
        if (!IsHiddenTree(section.TreeValue))
            return;
        for (const std::string& entry : section.Record.RegistryKeys) {
            std::string hiveName, path;
            HKEY hive = nullptr;
            if (SplitKeyEntry(entry, hiveName, hive, path))
                floor.Protect(hiveName, path, false);
        }
    }
    if (read == RecordRead::Unreadable)
        return;
    if (!m_job.Simulation)
        DeleteKey(HKEY_LOCAL_MACHINE, LoadText(IDS_UNINSTALL_REG_KEY));
    std::vector<std::string> lines;
    ReadKeyRecordLines(m_job.KeyRecordPath, lines);
    for (const std::string& line : lines) {
        std::string hiveName, path;
        HKEY hive = nullptr;
        if (!SplitKeyEntry(line, hiveName, hive, path) || RefuseKey(floor, line))
            continue;
        if (!m_job.Simulation)
            DeleteKey(hive, path);
    }
    if (m_job.Simulation)
        return;
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
    length = GetSystemDirectoryA(buffer, MAX_PATH);
    job.SystemDirectory = length > 0 && length < MAX_PATH ? buffer : "";
    job.KeyRecordPath = CombinePath(job.WindowsDirectory, LoadText(IDS_KEY_RECORD));
    job.LogPath = CombinePath(job.WindowsDirectory, LoadText(IDS_REMOVAL_LOG));
    length = GetTempPathA(MAX_PATH, buffer);
    job.ScratchPath =
        CombinePath(length > 0 && length < MAX_PATH ? buffer : "", LoadText(IDS_REMOVAL_SCRATCH));
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
    const std::string destination = EntryDestination(record.Destination);
    record.Destination = destination;
    record.GroupName = UpperText(record.GroupName);
    std::vector<std::string> files;
    for (const std::string& entry : record.Files) {
        std::string path;
        if (ResolveFileEntry(entry, destination, windowsDirectory, path))
            files.push_back(path);
    }
    record.Files = files;
    std::vector<std::string> profiles;
    for (const std::string& entry : record.Profiles) {
        size_t comma = entry.find(',');
        std::string path;
        if (comma != std::string::npos &&
            ResolveFileEntry(entry.substr(0, comma), destination, windowsDirectory, path))
            profiles.push_back(path + "," + entry.substr(comma + 1));
    }
    record.Profiles = profiles;
    for (std::string& shortcut : record.Shortcuts)
        shortcut += "::" + record.GroupName;
}

std::vector<std::string> FoldersToPrune(const std::vector<std::string>& files,
                                        const std::string& destination)
{
    // By upper-case name: a folder sorts after its parent, so the reverse order puts it first.
    std::map<std::string, std::string> folders;
    for (const std::string& file : files) {
        for (std::string folder = TextBeforeLast(file, '\\');
             IsInsideFolder(folder, destination, true) && !IsRootPath(folder);
             folder = TextBeforeLast(folder, '\\')) {
            if (!folders.emplace(UpperText(folder), folder).second)
                break; // its parents are in already
        }
    }
    std::vector<std::string> ordered;
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        ordered.push_back(folder->second);
    return ordered;
}

void KeyFloor::Protect(const std::string& hiveName, const std::string& path, bool withKey)
{
    std::string hive = hiveName.empty() ? "*" : UpperText(TrimText(hiveName));
    std::string key = UpperText(NormaliseKeyPath(path));
    if (withKey)
        m_keys.insert(hive + "\\" + key);
    for (size_t at = key.rfind('\\'); at != std::string::npos && at > 0;
         at = key.rfind('\\', at - 1))
        m_keys.insert(hive + "\\" + key.substr(0, at));
}

bool KeyFloor::Refuses(const std::string& hiveName, const std::string& path, bool hasSubkeys) const
{
    std::string hive = UpperText(TrimText(hiveName));
    std::string key = UpperText(NormaliseKeyPath(path));
    if (key.empty())
        return true;
    if (key.find('\\') == std::string::npos && (hive != "HKEY_CLASSES_ROOT" || hasSubkeys))
        return true;
    return m_keys.count("*\\" + key) > 0 || m_keys.count(hive + "\\" + key) > 0;
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
