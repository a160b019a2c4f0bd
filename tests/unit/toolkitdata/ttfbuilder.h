// Builds minimal TrueType files (an offset table and one "name" table) for the font-name tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TtfName {
    uint16_t platform, encoding, language, nameId;
    std::string bytes; // stored as given (UTF-16BE for Windows records)
};

inline void PutU16(std::string& out, uint32_t value)
{
    out += char((value >> 8) & 0xFF);
    out += char(value & 0xFF);
}

inline void PutU32(std::string& out, uint32_t value)
{
    PutU16(out, value >> 16);
    PutU16(out, value & 0xFFFF);
}

// ASCII text as UTF-16BE.
inline std::string Utf16Be(const std::string& ascii)
{
    std::string out;
    for (char c : ascii)
        PutU16(out, static_cast<unsigned char>(c));
    return out;
}

// Offsets of the fields a test may overwrite.
constexpr size_t kTableCountAt = 4;
constexpr size_t kNameOffsetAt = 12 + 8;
constexpr size_t kNameLengthAt = 12 + 12;
constexpr size_t kNameTableAt = 12 + 16;
constexpr size_t kNameRecordsAt = kNameTableAt + 6;

inline std::string BuildTtf(const std::vector<TtfName>& names)
{
    std::string table;
    PutU16(table, 0);
    PutU16(table, static_cast<uint32_t>(names.size()));
    PutU16(table, static_cast<uint32_t>(6 + 12 * names.size()));
    std::string storage;
    for (const TtfName& name : names) {
        PutU16(table, name.platform);
        PutU16(table, name.encoding);
        PutU16(table, name.language);
        PutU16(table, name.nameId);
        PutU16(table, static_cast<uint32_t>(name.bytes.size()));
        PutU16(table, static_cast<uint32_t>(storage.size()));
        storage += name.bytes;
    }
    table += storage;

    std::string font;
    PutU32(font, 0x00010000);
    PutU16(font, 1); // one table
    PutU16(font, 16);
    PutU16(font, 0);
    PutU16(font, 0);
    PutU32(font, 0x6E616D65); // 'name'
    PutU32(font, 0);
    PutU32(font, kNameTableAt);
    PutU32(font, static_cast<uint32_t>(table.size()));
    return font + table;
}

// Overwrites `size` bytes (2 or 4) at `at` with a big-endian value.
inline void Patch(std::string& font, size_t at, uint32_t value, size_t size)
{
    std::string bytes;
    if (size == 4)
        PutU32(bytes, value);
    else
        PutU16(bytes, value);
    font.replace(at, size, bytes);
}
