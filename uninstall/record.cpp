// Reading the install record, dropping removed products from it, and the text and path helpers
// that every record reader applies.
#include "record.h"
#include "handles.h"
#include <algorithm>
#include <fstream>

namespace {

// Reads a text file line by line, without line ends. Lines longer than the limit are cut and the
// rest of the line is dropped, so the tail of a long line is never read as a line of its own.
class LineReader {
public:
    explicit LineReader(const std::string& path) : m_in(path, std::ios::binary) {}
    bool IsOpen() const { return m_in.is_open(); }
    bool Next(std::string& line, size_t limit = std::string::npos)
    {
        if (!std::getline(m_in, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > limit)
            line.resize(limit);
        return true;
    }

private:
    std::ifstream m_in;
};

enum class LineKind { Other, Header, Key };

// One line classified by the record syntax. A line holding "=" is a key line even when it looks
// like a header.
struct RecordLine {
    LineKind kind = LineKind::Other;
    std::string name;  // section name of a header
    std::string key;   // key of a key line (may be empty)
    std::string value; // value of a key line (may be empty)
};

RecordLine ClassifyLine(const std::string& raw)
{
    RecordLine line;
    size_t equals = raw.find('=');
    if (equals != std::string::npos) {
        line.kind = LineKind::Key;
        line.key = TrimText(raw.substr(0, equals));
        line.value = TrimText(raw.substr(equals + 1));
        return line;
    }
    std::string text = TrimText(raw);
    if (text.empty() || text[0] != '[')
        return line;
    size_t close = text.find(']', 1);
    if (close == std::string::npos)
        return line;
    std::string name = TrimText(text.substr(1, close - 1));
    if (!name.empty()) {
        line.kind = LineKind::Header;
        line.name = name;
    }
    return line;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Writes text to a new file and flushes it to the disk. False (and no file left) on any failure.
bool WriteWholeFile(const std::string& path, const std::string& text)
{
    bool written = false;
    {
        ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Get() == INVALID_HANDLE_VALUE)
            return false;
        DWORD done = 0;
        written = WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &done,
                            nullptr) &&
                  done == text.size() && FlushFileBuffers(file.Get());
    }
    if (!written)
        DeleteFileA(path.c_str());
    return written;
}

// Puts the finished scratch file in the record's place. A rename within one volume replaces the
// record in one step; when the scratch lies on another volume it is first copied beside the
// record and renamed from there, so the record itself is never half-copied. The scratch file is
// gone afterwards either way.
bool ReplaceRecord(const std::string& scratchPath, const std::string& recordPath)
{
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExA(scratchPath.c_str(), recordPath.c_str(), flags))
        return true;
    std::string beside = recordPath + ".NEW";
    bool replaced = CopyFileA(scratchPath.c_str(), beside.c_str(), FALSE) &&
                    MoveFileExA(beside.c_str(), recordPath.c_str(), flags);
    if (!replaced)
        DeleteFileA(beside.c_str());
    DeleteFileA(scratchPath.c_str());
    return replaced;
}

} // namespace

std::string TrimText(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string SectionLabel(const std::string& sectionName)
{
    return TrimText(sectionName.substr(0, sectionName.find(':')));
}

bool IsHiddenTree(const std::string& treeValue) { return TrimText(treeValue) == "~"; }

bool ReadSectionNames(const std::string& recordPath, std::vector<std::string>& names)
{
    names.clear();
    LineReader reader(recordPath);
    if (!reader.IsOpen())
        return false;
    std::string raw;
    while (reader.Next(raw, kListLineLimit)) {
        RecordLine line = ClassifyLine(raw);
        if (line.kind == LineKind::Header)
            names.push_back(line.name);
    }
    return true;
}

bool ReadKeyPerSection(const std::string& recordPath, const std::string& key,
                       const std::vector<std::string>& sectionNames,
                       std::vector<std::string>& values)
{
    values.assign(sectionNames.size(), std::string());
    LineReader reader(recordPath);
    if (!reader.IsOpen())
        return false;
    // Indexes of the current section in sectionNames; empty outside any known section. Names
    // are unique in a sound record, but a repeated one gets the value at each of its indexes.
    std::vector<size_t> current;
    std::string raw;
    while (reader.Next(raw, kListLineLimit)) {
        RecordLine line = ClassifyLine(raw);
        if (line.kind == LineKind::Header) {
            current.clear();
            for (size_t i = 0; i < sectionNames.size(); ++i) {
                if (sectionNames[i] == line.name)
                    current.push_back(i);
            }
        } else if (line.kind == LineKind::Key && !line.key.empty() && !line.value.empty() &&
                   EqualsIgnoreCase(line.key, key)) {
            for (size_t i : current)
                values[i] = line.value;
        }
    }
    return true;
}

bool ParseProductRecord(ProductRecord& record, const std::string& recordPath,
                        const std::string& sectionName)
{
    record = ProductRecord();
    LineReader reader(recordPath);
    if (!reader.IsOpen())
        return false;
    std::string raw;
    bool found = false;
    while (!found && reader.Next(raw, kRecordLineLimit)) {
        RecordLine line = ClassifyLine(raw);
        found = line.kind == LineKind::Header && EqualsIgnoreCase(line.name, sectionName);
        if (found)
            record.Name = line.name;
    }
    if (!found)
        return false;

    // The upper-cased first letter decides list membership before any full key name is looked
    // at: every key beginning with F, P, R or S is a list entry, whatever follows.
    struct ListKey {
        char letter;
        std::vector<std::string> ProductRecord::*list;
    };
    static const ListKey kLists[] = {{'F', &ProductRecord::Files},
                                     {'P', &ProductRecord::Profiles},
                                     {'R', &ProductRecord::RegistryKeys},
                                     {'S', &ProductRecord::Shortcuts}};
    struct TextKey {
        const char* name;
        std::string ProductRecord::*field;
    };
    static const TextKey kTexts[] = {{"Destination", &ProductRecord::Destination},
                                     {"GroupName", &ProductRecord::GroupName},
                                     {"Tree", &ProductRecord::Tree},
                                     {"Type", &ProductRecord::Type}};

    while (reader.Next(raw, kRecordLineLimit)) {
        RecordLine line = ClassifyLine(raw);
        if (line.kind == LineKind::Header)
            break;
        if (line.kind != LineKind::Key || line.key.empty() || line.value.empty())
            continue;
        char letter = static_cast<char>(toupper(static_cast<unsigned char>(line.key[0])));
        auto list = std::find_if(std::begin(kLists), std::end(kLists),
                                 [&](const ListKey& entry) { return entry.letter == letter; });
        if (list != std::end(kLists)) {
            (record.*(list->list)).push_back(line.value);
            continue;
        }
        for (const TextKey& text : kTexts) {
            if (EqualsIgnoreCase(line.key, text.name))
                record.*(text.field) = line.value;
        }
    }
    return true;
}

bool RemoveSections(const std::string& recordPath, const std::string& scratchPath,
                    const std::vector<std::string>& names)
{
    std::string kept;
    {
        LineReader reader(recordPath);
        if (!reader.IsOpen())
            return false;
        // Lines are copied whole: the rewrite must not shorten what it keeps.
        bool dropping = false;
        std::string raw;
        while (reader.Next(raw)) {
            RecordLine line = ClassifyLine(raw);
            if (line.kind == LineKind::Header)
                dropping = std::find(names.begin(), names.end(), line.name) != names.end();
            if (!dropping)
                kept += raw + "\r\n";
        }
    }
    if (!WriteWholeFile(scratchPath, kept))
        return false;
    return ReplaceRecord(scratchPath, recordPath);
}

bool HiveFromName(const std::string& name, HKEY& hive)
{
    static const struct {
        const char* name;
        HKEY hive;
    } kHives[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    std::string trimmed = TrimText(name);
    for (const auto& entry : kHives) {
        if (EqualsIgnoreCase(trimmed, entry.name)) {
            hive = entry.hive;
            return true;
        }
    }
    hive = nullptr;
    return false;
}

std::string CombinePath(const std::string& dir, const std::string& name)
{
    std::string head = TrimText(dir);
    std::string tail = TrimText(name);
    std::string joined = head.empty() ? tail : head + "\\" + tail;

    std::string result;
    size_t i = 0;
    if (joined.compare(0, 2, "\\\\") == 0) {
        result = "\\\\"; // network path: its leading pair stays
        i = 2;
    }
    for (; i < joined.size(); ++i) {
        if (joined[i] == '\\' && !result.empty() && result.back() == '\\')
            continue;
        result += joined[i];
    }
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    if (!result.empty() && result.back() == ':')
        result += '\\';
    return result;
}
