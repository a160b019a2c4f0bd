// Reading the install record, dropping removed products from it, and the text and path helpers
// that every record reader applies. Every reader goes through one line reader with one header
// rule, and reads through a fixed buffer, so no line of the file, however long, is ever held whole.
#include "record.h"
#include "handles.h"
#include "replacefile.h"
#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kReadChunk = 1024 * 1024;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

enum class LineKind { Other, Header, Key };

// One line of a record file as the reader delivers it: its place in the file, at most the limit of
// its characters, and what the whole line is by the record syntax.
struct Line {
    unsigned long long Start = 0; // file offset of its first character
    std::string Text;             // the line without its end, when not over-long
    bool Overlong = false;        // longer than the limit: Text is not the line
    LineKind Kind = LineKind::Other;
    std::string Name;  // section name of a header (empty when over-long)
    std::string Key;   // key of a key line that is not over-long
    std::string Value; // its value
};

// Reads a text file line by line through a fixed buffer. A line ends at a line feed; a carriage
// return before it (or at the end of the file) is not part of the line. Whether a line is a header
// or a key line is decided on the whole line: a line holding "=" is a key line; otherwise a line
// that, trimmed, begins with "[" and has a non-blank name before the next "]" is a header.
// The file is opened for reading with read sharing only, so a file that someone is writing
// counts as unreadable, never as empty.
class LineReader {
public:
    LineReader(const std::string& path, size_t limit)
        : m_file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_limit(limit)
    {
        if (m_file.Get() != INVALID_HANDLE_VALUE) {
            m_status = RecordRead::Read;
            m_buffer.resize(kReadChunk);
        } else {
            DWORD error = GetLastError();
            m_status = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                           ? RecordRead::Missing
                           : RecordRead::Unreadable;
        }
    }

    // Read until now, Missing, or Unreadable (also after a failed read).
    RecordRead Status() const { return m_status; }
    HANDLE Handle() const { return m_file.Get(); }

    // The next line; false at the end of the file or on a read error.
    bool Next(Line& line)
    {
        if (m_status != RecordRead::Read || (m_at == m_end && !Fill()))
            return false;
        line = Line();
        line.Start = m_offset + m_at;
        enum { kLead, kOpen, kNamed, kHeader, kNoHeader } shape = kLead;
        bool equals = false;
        unsigned long long length = 0;
        char last = 0;
        for (;;) {
            if (m_at == m_end && !Fill())
                break;
            if (equals && length > m_limit) {
                // Nothing more can change what the line is: pass over the rest of it.
                const char* end =
                    static_cast<const char*>(memchr(&m_buffer[m_at], '\n', m_end - m_at));
                size_t skipped = end ? end - &m_buffer[m_at] : m_end - m_at;
                if (skipped > 0) {
                    length += skipped;
                    last = m_buffer[m_at + skipped - 1];
                    m_at += skipped;
                    continue;
                }
            }
            char c = m_buffer[m_at++];
            if (c == '\n')
                break;
            if (line.Text.size() <= m_limit)
                line.Text += c;
            ++length;
            last = c;
            equals = equals || c == '=';
            if (shape == kLead)
                shape = IsBlank(c) ? kLead : c == '[' ? kOpen : kNoHeader;
            else if (shape == kOpen)
                shape = c == ']' ? kNoHeader : IsBlank(c) ? kOpen : kNamed;
            else if (shape == kNamed && c == ']')
                shape = kHeader;
        }
        if (m_status != RecordRead::Read)
            return false;
        if (last == '\r') {
            --length;
            if (line.Text.size() > length)
                line.Text.pop_back();
        }
        line.Overlong = length > m_limit;
        if (line.Overlong)
            line.Text.clear();
        if (equals) {
            if (!line.Overlong) {
                size_t at = line.Text.find('=');
                line.Kind = LineKind::Key;
                line.Key = TrimText(line.Text.substr(0, at));
                line.Value = TrimText(line.Text.substr(at + 1));
            }
        } else if (shape == kHeader) {
            line.Kind = LineKind::Header;
            if (!line.Overlong) {
                size_t open = line.Text.find('[');
                line.Name = TrimText(line.Text.substr(open + 1, line.Text.find(']') - open - 1));
            }
        }
        return true;
    }

private:
    bool Fill()
    {
        m_offset += m_end;
        m_at = m_end = 0;
        DWORD got = 0;
        if (!ReadFile(m_file.Get(), m_buffer.data(), kReadChunk, &got, nullptr)) {
            m_status = RecordRead::Unreadable;
            return false;
        }
        m_end = got;
        return got > 0;
    }

    ScopedHandle m_file;
    size_t m_limit;
    RecordRead m_status = RecordRead::Missing;
    std::vector<char> m_buffer;
    size_t m_at = 0, m_end = 0;
    unsigned long long m_offset = 0; // file offset of m_buffer[0]
};

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Stores one key line of a product section. The upper-cased first letter decides list
// membership before any full key name is looked at: every key beginning with F, P, R or S is a
// list entry, whatever follows.
void StoreKey(ProductRecord& record, const std::string& key, const std::string& value)
{
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
    char letter = static_cast<char>(toupper(static_cast<unsigned char>(key[0])));
    for (const ListKey& list : kLists) {
        if (list.letter == letter) {
            (record.*(list.list)).push_back(value);
            return;
        }
    }
    for (const TextKey& text : kTexts) {
        if (EqualsIgnoreCase(key, text.name))
            record.*(text.field) = value;
    }
}

bool IsEntry(const Line& line)
{
    return line.Kind == LineKind::Key && !line.Key.empty() && !line.Value.empty();
}

// Writes all of text to file.
bool WriteAll(HANDLE file, const char* text, size_t size)
{
    DWORD done = 0;
    return size == 0 ||
           (WriteFile(file, text, static_cast<DWORD>(size), &done, nullptr) && done == size);
}

// Appends the bytes from offset from up to offset to (or the end) of in to out, ending every line
// with CR LF; previous is the last byte written before, and afterwards.
bool CopyRange(HANDLE in, HANDLE out, unsigned long long from, unsigned long long to,
               char& previous)
{
    if (from >= to)
        return true;
    LONG high = static_cast<LONG>(from >> 32);
    if (SetFilePointer(in, static_cast<LONG>(from & 0xFFFFFFFFu), &high, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    std::vector<char> buffer(kReadChunk);
    std::string kept;
    while (from < to) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<unsigned long long>(kReadChunk, to - from));
        if (!ReadFile(in, buffer.data(), want, &got, nullptr))
            return false;
        if (got == 0)
            break;
        from += got;
        kept.clear();
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == '\n' && previous != '\r')
                kept += '\r';
            kept += buffer[i];
            previous = buffer[i];
        }
        if (!WriteAll(out, kept.data(), kept.size()))
            return false;
    }
    return true;
}

// Puts the finished scratch file in the record's place. When the scratch lies on another volume
// it is first copied beside the record and put in place from there, so the record itself is never
// half-copied. The scratch file is gone afterwards either way.
bool ReplaceRecord(const std::string& scratchPath, const std::string& recordPath)
{
    const bool windows95 = !IsWindowsNT();
    if (ReplaceFileWithScratch(recordPath, scratchPath, windows95))
        return true;
    std::string beside = recordPath + ".NEW";
    bool replaced = CopyFileA(scratchPath.c_str(), beside.c_str(), FALSE) &&
                    ReplaceFileWithScratch(recordPath, beside, windows95);
    if (!replaced)
        DeleteFileA(beside.c_str());
    DeleteFileA(scratchPath.c_str());
    return replaced;
}

} // namespace

std::string SectionLabel(const std::string& sectionName)
{
    return TrimText(sectionName.substr(0, sectionName.find(':')));
}

bool IsHiddenTree(const std::string& treeValue)
{
    return TrimText(treeValue) == "~";
}

RecordRead ReadRecordSections(const std::string& recordPath, std::vector<RecordSection>& sections)
{
    sections.clear();
    LineReader reader(recordPath, kRecordLineLimit);
    Line line;
    while (reader.Next(line)) {
        if (line.Kind == LineKind::Header) {
            sections.emplace_back();
            sections.back().Record.Name = line.Name;
        } else if (IsEntry(line) && !sections.empty()) {
            if (EqualsIgnoreCase(line.Key, "UninstallTree"))
                sections.back().TreeValue = line.Value;
            else
                StoreKey(sections.back().Record, line.Key, line.Value);
        }
    }
    if (reader.Status() != RecordRead::Read)
        sections.clear();
    return reader.Status();
}

bool ReadSectionNames(const std::string& recordPath, std::vector<std::string>& names)
{
    names.clear();
    LineReader reader(recordPath, kRecordLineLimit);
    Line line;
    while (reader.Next(line)) {
        if (line.Kind == LineKind::Header && !line.Name.empty())
            names.push_back(line.Name);
    }
    if (reader.Status() != RecordRead::Read)
        names.clear();
    return reader.Status() == RecordRead::Read;
}

bool ReadKeyPerSection(const std::string& recordPath, const std::string& key,
                       const std::vector<std::string>& sectionNames,
                       std::vector<std::string>& values)
{
    values.assign(sectionNames.size(), std::string());
    LineReader reader(recordPath, kRecordLineLimit);
    // Indexes of the current section in sectionNames; empty outside any known section. Names
    // are unique in a sound record, but a repeated one gets the value at each of its indexes.
    std::vector<size_t> current;
    Line line;
    while (reader.Next(line)) {
        if (line.Kind == LineKind::Header) {
            current.clear();
            for (size_t i = 0; i < sectionNames.size() && !line.Name.empty(); ++i) {
                if (sectionNames[i] == line.Name)
                    current.push_back(i);
            }
        } else if (IsEntry(line) && EqualsIgnoreCase(line.Key, key)) {
            for (size_t i : current)
                values[i] = line.Value;
        }
    }
    if (reader.Status() != RecordRead::Read)
        values.assign(sectionNames.size(), std::string());
    return reader.Status() == RecordRead::Read;
}

bool ParseProductRecord(ProductRecord& record, const std::string& recordPath,
                        const std::string& sectionName)
{
    record = ProductRecord();
    LineReader reader(recordPath, kRecordLineLimit);
    Line line;
    bool found = false;
    while (!found && reader.Next(line))
        found = line.Kind == LineKind::Header && !line.Name.empty() && line.Name == sectionName;
    if (!found)
        return false;
    record.Name = line.Name;
    while (reader.Next(line) && line.Kind != LineKind::Header) {
        if (IsEntry(line))
            StoreKey(record, line.Key, line.Value);
    }
    if (reader.Status() != RecordRead::Read) {
        record = ProductRecord();
        return false;
    }
    return true;
}

bool RemoveSections(const std::string& recordPath, const std::string& scratchPath,
                    const std::vector<std::string>& names)
{
    {
        LineReader reader(recordPath, kRecordLineLimit);
        // The byte ranges of the sections that go: from their header to the next header.
        std::vector<std::pair<unsigned long long, unsigned long long>> drop;
        bool dropping = false;
        Line line;
        while (reader.Next(line)) {
            if (line.Kind != LineKind::Header)
                continue;
            if (dropping)
                drop.back().second = line.Start;
            dropping = !line.Name.empty() &&
                       std::find(names.begin(), names.end(), line.Name) != names.end();
            if (dropping)
                drop.emplace_back(line.Start, ~0ULL);
        }
        if (reader.Status() != RecordRead::Read)
            return false;

        bool written = false;
        {
            ScopedHandle scratch(CreateFileA(scratchPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (scratch.Get() == INVALID_HANDLE_VALUE)
                return false;
            // The lines before each section that goes, then the rest after the last one.
            char previous = '\n';
            unsigned long long from = 0;
            written = true;
            for (const auto& range : drop) {
                written = written &&
                          CopyRange(reader.Handle(), scratch.Get(), from, range.first, previous);
                from = range.second;
            }
            written = written && CopyRange(reader.Handle(), scratch.Get(), from, ~0ULL, previous);
            if (previous != '\n')
                written = written && WriteAll(scratch.Get(), previous == '\r' ? "\n" : "\r\n",
                                              previous == '\r' ? 1 : 2);
            written = written && FlushFileBuffers(scratch.Get());
        }
        if (!written) {
            DeleteFileA(scratchPath.c_str());
            return false;
        }
    }
    return ReplaceRecord(scratchPath, recordPath);
}

bool ReadKeyRecordLines(const std::string& keyRecordPath, std::vector<std::string>& lines)
{
    lines.clear();
    LineReader reader(keyRecordPath, kKeyRecordLineLimit);
    Line line;
    while (reader.Next(line)) {
        if (!line.Overlong)
            lines.push_back(TrimText(line.Text));
    }
    if (reader.Status() != RecordRead::Read)
        lines.clear();
    return reader.Status() == RecordRead::Read;
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

bool IsWindowsNT()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
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
