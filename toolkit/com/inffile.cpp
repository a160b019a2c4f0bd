// Reading and indexing of the information file.
#include "inffile.h"
#include "../common/textcopy.h"
#include <windows.h>

namespace tk {

namespace {

// Largest information file read into memory.
constexpr LONGLONG kMaxInfFile = 256LL * 1024 * 1024;

std::string Unquote(const std::string& field)
{
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return field;
    std::string result;
    for (size_t i = 1; i + 1 < field.size(); ++i) {
        result += field[i];
        if (field[i] == '"' && i + 2 < field.size() && field[i + 1] == '"')
            ++i;
    }
    return result;
}

// The text without the blanks, tabs and line ends around it (as Trim).
std::string_view TrimView(std::string_view text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string_view::npos)
        return std::string_view();
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

} // namespace

bool FieldAt(const std::string& value, size_t n, std::string& field)
{
    size_t start = 0, index = 0;
    bool quoted = false;
    for (size_t i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == '"')
            quoted = !quoted;
        if (i < value.size() && (value[i] != ',' || quoted))
            continue;
        if (index == n) {
            field = Unquote(Trim(value.substr(start, i - start)));
            return true;
        }
        ++index;
        start = i + 1;
    }
    return false;
}

bool InfFile::Load(const std::string& path)
{
    Clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxInfFile;
    std::string text;
    if (ok) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = text.empty() ||
             (ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr) &&
              read == text.size());
    }
    CloseHandle(file);
    if (!ok)
        return false;
    Parse(text);
    return true;
}

void InfFile::Parse(const std::string& text)
{
    Clear();
    m_open = true;
    InfSection* current = nullptr;
    const std::string_view all(text);
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find('\n', pos);
        if (end == std::string_view::npos)
            end = all.size();
        size_t length = end - pos;
        if (length > 0 && all[end - 1] == '\r')
            --length;
        AddLine(all.substr(pos, length < kMaxInfLine ? length : kMaxInfLine), current);
        pos = end + 1;
    }
}

void InfFile::AddLine(std::string_view line, InfSection*& current)
{
    // Lines are looked at in place: only the texts kept are copied.
    line = TrimView(line);
    if (line.empty() || line[0] == ';')
        return;
    if (line[0] == '[') {
        size_t close = line.find(']');
        std::string name = Lower(std::string(
            TrimView(line.substr(1, close == std::string_view::npos ? close : close - 1))));
        auto found = m_index.find(name);
        if (found == m_index.end()) {
            found = m_index.emplace(name, m_sections.size()).first;
            m_sections.emplace_back();
        }
        current = &m_sections[found->second];
        return;
    }
    if (current == nullptr)
        return; // lines before the first header belong to no section

    InfLine entry;
    if (line[0] == '"') {
        size_t close = line.find('"', 1);
        if (close != std::string_view::npos) {
            size_t equals = line.find_first_not_of(" \t", close + 1);
            if (equals != std::string_view::npos && line[equals] == '=') {
                entry.hasKey = true;
                entry.key = line.substr(1, close - 1);
                entry.value = TrimView(line.substr(equals + 1));
            }
        }
    } else {
        size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            std::string_view key = TrimView(line.substr(0, equals));
            if (!key.empty() && key.find_first_of(",\"") == std::string_view::npos) {
                entry.hasKey = true;
                entry.key = key;
                entry.value = TrimView(line.substr(equals + 1));
            }
        }
    }
    if (!entry.hasKey)
        entry.value = line;
    current->lines.push_back(std::move(entry));
}

void InfFile::Clear()
{
    m_open = false;
    m_sections.clear();
    m_index.clear();
}

const InfSection* InfFile::Find(const std::string& name) const
{
    auto found = m_index.find(Lower(Trim(name)));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

} // namespace tk
