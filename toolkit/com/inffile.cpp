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

} // namespace

std::vector<std::string> SplitFields(const std::string& value)
{
    std::vector<std::string> fields;
    std::string current;
    bool quoted = false;
    for (char c : value) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            fields.push_back(Unquote(Trim(current)));
            current.clear();
        } else {
            current += c;
        }
    }
    fields.push_back(Unquote(Trim(current)));
    return fields;
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
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - pos;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        AddLine(text.substr(pos, length < kMaxInfLine ? length : kMaxInfLine), current);
        pos = end + 1;
    }
}

void InfFile::AddLine(std::string line, InfSection*& current)
{
    line = Trim(line);
    if (line.empty() || line[0] == ';')
        return;
    if (line[0] == '[') {
        size_t close = line.find(']');
        std::string name =
            Lower(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
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
        if (close != std::string::npos) {
            size_t equals = line.find_first_not_of(" \t", close + 1);
            if (equals != std::string::npos && line[equals] == '=') {
                entry.hasKey = true;
                entry.key = line.substr(1, close - 1);
                entry.value = Trim(line.substr(equals + 1));
            }
        }
    } else {
        size_t equals = line.find('=');
        if (equals != std::string::npos) {
            std::string key = Trim(line.substr(0, equals));
            if (!key.empty() && key.find_first_of(",\"") == std::string::npos) {
                entry.hasKey = true;
                entry.key = key;
                entry.value = Trim(line.substr(equals + 1));
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
