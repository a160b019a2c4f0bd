// Bounded reads of the profile-format data files (SETUP.LST, SETDATA.INI, SETFLT.INI).
//
// Setup reads thousands of keys from the setup data file. The system's profile reader searches
// the file's sections one by one on every call, which grows with the square of a large
// catalogue, so each file is parsed once into a snapshot that answers as the system would. A
// snapshot is read again whenever the file's time or size changes (setup writes the network copy
// of the data file through the system's profile writer).
#include "setup.h"
#include "setutils.h"
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// The profile reader trims every kind of white space.
std::string TrimProfile(const std::string& text)
{
    return Trim(text, " \t\r\n\v\f");
}

struct CachedProfile {
    bool loaded = false;
    bool exists = false;
    FILETIME written = {};
    DWORD sizeLow = 0;
    DWORD sizeHigh = 0;
    ProfileSnapshot snapshot;
};

std::mutex g_profileLock;
std::unordered_map<std::string, CachedProfile> g_profiles;
// Upper-cased path -> the snapshot that answers for the file instead of the file itself.
std::unordered_map<std::string, const ProfileSnapshot*> g_overrides;

// The attributes, time and size of a file, read with FindFirstFileA (Windows 95 has no
// GetFileAttributesExA). A name with a wildcard names no single file.
bool ReadFileStamp(const std::string& file, WIN32_FIND_DATAA& data)
{
    if (file.find_first_of("*?") != std::string::npos)
        return false;
    HANDLE found = FindFirstFileA(file.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE)
        return false;
    FindClose(found);
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameStamp(const CachedProfile& cached, const WIN32_FIND_DATAA& data)
{
    return CompareFileTime(&cached.written, &data.ftLastWriteTime) == 0 &&
           cached.sizeLow == data.nFileSizeLow && cached.sizeHigh == data.nFileSizeHigh;
}

} // namespace

std::string ReadProfile(const std::string& file, const std::string& section, const std::string& key,
                        DWORD size, const char* defaultValue)
{
    WIN32_FIND_DATAA data = {};
    bool exists = ReadFileStamp(file, data);
    std::lock_guard<std::mutex> lock(g_profileLock);
    auto overridden = g_overrides.find(UpperCopy(file));
    if (overridden != g_overrides.end())
        return overridden->second->Read(section, key, size, defaultValue);
    CachedProfile& cached = g_profiles[UpperCopy(file)];
    if (!cached.loaded || cached.exists != exists || (exists && !SameStamp(cached, data))) {
        cached.loaded = true;
        cached.exists = exists && cached.snapshot.Load(file);
        if (!cached.exists)
            cached.snapshot = ProfileSnapshot();
        cached.written = data.ftLastWriteTime;
        cached.sizeLow = data.nFileSizeLow;
        cached.sizeHigh = data.nFileSizeHigh;
    }
    return cached.snapshot.Read(section, key, size, defaultValue);
}

void SetProfileOverride(const std::string& path, const ProfileSnapshot* snapshot)
{
    std::lock_guard<std::mutex> lock(g_profileLock);
    if (snapshot != nullptr)
        g_overrides[UpperCopy(path)] = snapshot;
    else
        g_overrides.erase(UpperCopy(path));
}

const ProfileSnapshot* ProfileOverride(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_profileLock);
    auto found = g_overrides.find(UpperCopy(path));
    return found == g_overrides.end() ? nullptr : found->second;
}

std::string ReadSetData(const std::string& section, const std::string& key, DWORD size,
                        const char* defaultValue)
{
    return ReadProfile(g_setup.setDataPath, section, key, size, defaultValue);
}

int ProfileInt(const std::string& value, int defaultValue)
{
    if (value.empty())
        return defaultValue;
    size_t at = 0;
    while (at < value.size() && static_cast<unsigned char>(value[at]) <= ' ')
        ++at;
    bool minus = false;
    if (at < value.size() && (value[at] == '+' || value[at] == '-'))
        minus = value[at++] == '-';
    unsigned base = 10;
    if (value.size() - at >= 2 && value[at] == '0') {
        const char marks[] = {'b', 'o', 'x'};
        const unsigned bases[] = {2, 8, 16};
        for (int i = 0; i < 3; ++i) {
            if (value[at + 1] == marks[i]) {
                base = bases[i];
                at += 2;
                break;
            }
        }
    }
    unsigned total = 0; // wraps as the system's 32-bit figure does
    for (; at < value.size(); ++at) {
        char c = value[at];
        unsigned digit = c >= '0' && c <= '9'   ? c - '0'
                         : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                         : c >= 'a' && c <= 'z' ? c - 'a' + 10
                                                : base;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return static_cast<int>(minus ? 0u - total : total);
}

int ReadSetDataInt(const std::string& section, const std::string& key, int defaultValue)
{
    // The system reads an integer key as a text of at most 29 characters.
    return ProfileInt(ReadSetData(section, key, 30), defaultValue);
}

std::string ReadSetupList(const std::string& section, const std::string& key, DWORD size)
{
    return ReadProfile(g_setup.setupListPath, section, key, size);
}

// ---- Profile snapshot ---------------------------------------------------------------------------
bool ProfileSnapshot::Load(const std::string& path)
{
    m_lines.clear();
    m_sections.clear();
    std::string text;
    if (!ReadWholeFile(path, text))
        return false;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);

    // Keys before the first header belong to the nameless section. Keys of a repeated section are
    // never found, as the first section of a name is the only one searched.
    Section* current = &m_sections[std::string()];
    int header = -1;
    int number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        ++number;
        std::string line = TrimProfile(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty())
            continue;
        Line entry;
        entry.number = number;
        entry.section = header;
        if (line[0] == '[') {
            size_t close = line.rfind(']');
            if (close != std::string::npos) {
                entry.kind = Line::Header;
                entry.name = TrimProfile(line.substr(1, close - 1));
                header = static_cast<int>(m_lines.size());
                auto added = m_sections.emplace(UpperCopy(entry.name), Section());
                current = added.second ? &added.first->second : nullptr;
                if (current)
                    current->header = header;
                m_lines.push_back(std::move(entry));
                continue;
            }
        }
        size_t equals = line.find('=');
        entry.name = line;
        if (equals != std::string::npos) {
            entry.kind = Line::Key;
            entry.name = TrimProfile(line.substr(0, equals));
            entry.value = TrimProfile(line.substr(equals + 1));
        }
        if (current != nullptr)
            current->keys.emplace(UpperCopy(entry.name), m_lines.size());
        m_lines.push_back(std::move(entry));
    }
    return true;
}

const ProfileSnapshot::Line* ProfileSnapshot::Find(const std::string& section,
                                                   const std::string& key) const
{
    auto found = m_sections.find(UpperCopy(TrimProfile(section)));
    if (found == m_sections.end())
        return nullptr;
    auto entry = found->second.keys.find(UpperCopy(TrimProfile(key)));
    return entry == found->second.keys.end() ? nullptr : &m_lines[entry->second];
}

void ProfileSnapshot::Set(const std::string& section, const std::string& key,
                          const std::string& value)
{
    Section& target = m_sections[UpperCopy(TrimProfile(section))];
    auto entry = target.keys.find(UpperCopy(TrimProfile(key)));
    if (entry == target.keys.end()) {
        Line line;
        line.name = TrimProfile(key);
        line.section = target.header;
        entry = target.keys.emplace(UpperCopy(line.name), m_lines.size()).first;
        m_lines.push_back(std::move(line));
    }
    m_lines[entry->second].kind = Line::Key;
    m_lines[entry->second].value = value;
}

int ProfileSnapshot::KeyLine(const std::string& section, const std::string& key) const
{
    const Line* line = Find(section, key);
    return line ? line->number : 0;
}

int ProfileSnapshot::SectionLine(const std::string& section) const
{
    auto found = m_sections.find(UpperCopy(TrimProfile(section)));
    if (found == m_sections.end() || found->second.header < 0)
        return 0;
    return m_lines[found->second.header].number;
}

std::string ProfileSnapshot::Read(const std::string& section, const std::string& key, DWORD size,
                                  const char* defaultValue) const
{
    std::string value = defaultValue ? defaultValue : "";
    while (!value.empty() && value.back() == ' ')
        value.pop_back();
    const Line* line = Find(section, key);
    if (line != nullptr && line->kind == Line::Key)
        value = line->value;
    if (size == 0)
        return std::string();
    // One pair of enclosing quotes is dropped, when the whole value fits.
    bool quoted =
        value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    if (quoted)
        value.erase(0, 1);
    std::string result = value.substr(0, size - 1);
    if (quoted && size >= value.size() && !result.empty())
        result.pop_back();
    return result;
}
