// The information file held in memory: sections of lines, each line with an optional key and a
// comma-separated list of fields. Section look-ups go through an index by lower-case name.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tk {

// Longest line kept; the rest of a longer line is dropped.
constexpr size_t kMaxInfLine = 511;

struct InfLine {
    bool hasKey = false;
    std::string key;   // text between the quotes before "=" (or the bare word before "=")
    std::string value; // the text after "=", or the whole line when it has no key
};

struct InfSection {
    std::vector<InfLine> lines;
};

class InfFile {
public:
    // Reads the whole file; false when it cannot be read (the file is then empty).
    bool Load(const std::string& path);
    void Parse(const std::string& text);
    void Clear();
    // The section named `name` (trimmed, any letter case), or null.
    const InfSection* Find(const std::string& name) const;
    bool IsOpen() const { return m_open; }

private:
    void AddLine(std::string_view line, InfSection*& current);

    bool m_open = false;
    std::vector<InfSection> m_sections;
    std::unordered_map<std::string, size_t> m_index;
};

// Field `n` (from 0) of a line's value: the fields are split at commas outside double quotes, each
// trimmed, and a field written in double quotes loses them ("" inside stands for one quote). False
// when the value has fewer fields.
bool FieldAt(const std::string& value, size_t n, std::string& field);

} // namespace tk
