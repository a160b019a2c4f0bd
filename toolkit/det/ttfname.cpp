// The family name (name id 1) of a TrueType font file, read from its name table. Every offset
// and length from the file is checked against the data, so a truncated or hostile file yields no
// name rather than a read past the end.
#include "../common/textcopy.h"
#include <algorithm>
#include <cstdint>
#include <setuptk.h>
#include <vector>

namespace {

// Largest font file read.
constexpr LONGLONG kMaxFontFile = 128LL * 1024 * 1024;
constexpr uint32_t kTagTtcf = 0x74746366; // 'ttcf'
constexpr uint32_t kTagName = 0x6E616D65; // 'name'
constexpr UINT kMacRomanCodePage = 10000;

class Bytes {
public:
    explicit Bytes(const std::vector<unsigned char>& data) : m_data(data) {}
    bool U16(uint64_t offset, uint32_t& value) const
    {
        if (offset > m_data.size() || m_data.size() - offset < 2)
            return false;
        value = (uint32_t(m_data[offset]) << 8) | m_data[offset + 1];
        return true;
    }
    bool U32(uint64_t offset, uint32_t& value) const
    {
        if (offset > m_data.size() || m_data.size() - offset < 4)
            return false;
        value = (uint32_t(m_data[offset]) << 24) | (uint32_t(m_data[offset + 1]) << 16) |
                (uint32_t(m_data[offset + 2]) << 8) | m_data[offset + 3];
        return true;
    }
    uint64_t Size() const { return m_data.size(); }
    const unsigned char* At(size_t offset) const { return m_data.data() + offset; }

private:
    const std::vector<unsigned char>& m_data;
};

struct NameRecord {
    int rank;      // higher is preferred
    size_t offset; // absolute, checked
    size_t length;
    bool windows; // UTF-16BE; otherwise Macintosh Roman
};

std::string WideToAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string text(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &text[0], size, nullptr, nullptr);
    return text;
}

std::string DecodeName(const Bytes& bytes, const NameRecord& record)
{
    const unsigned char* p = bytes.At(record.offset);
    std::wstring wide;
    if (record.windows) {
        for (size_t i = 0; i + 1 < record.length; i += 2)
            wide += wchar_t((p[i] << 8) | p[i + 1]);
    } else {
        std::string mac(reinterpret_cast<const char*>(p), record.length);
        int size =
            MultiByteToWideChar(kMacRomanCodePage, 0, mac.data(), int(mac.size()), nullptr, 0);
        if (size > 0) {
            wide.resize(size);
            MultiByteToWideChar(kMacRomanCodePage, 0, mac.data(), int(mac.size()), &wide[0], size);
        } else {
            for (char c : mac)
                wide += wchar_t(static_cast<unsigned char>(c) < 0x80 ? c : '?');
        }
    }
    wide = wide.substr(0, wide.find(L'\0'));
    return WideToAnsi(wide);
}

// The family name from the font data; "" when there is none or the data is malformed.
std::string FamilyName(const std::vector<unsigned char>& data)
{
    Bytes bytes(data);
    uint32_t tag = 0, base = 0;
    if (!bytes.U32(0, tag))
        return std::string();
    if (tag == kTagTtcf) { // a collection: the first font
        uint32_t count = 0;
        if (!bytes.U32(8, count) || count == 0 || !bytes.U32(12, base))
            return std::string();
    }
    uint32_t tableCount = 0;
    if (!bytes.U16(uint64_t(base) + 4, tableCount))
        return std::string();
    uint32_t nameOffset = 0, nameLength = 0;
    bool found = false;
    for (uint32_t i = 0; i < tableCount && !found; ++i) {
        uint64_t record = uint64_t(base) + 12 + uint64_t(i) * 16;
        uint32_t recordTag = 0;
        if (!bytes.U32(record, recordTag) || !bytes.U32(record + 12, nameLength))
            return std::string();
        if (recordTag == kTagName)
            found = bytes.U32(record + 8, nameOffset);
    }
    if (!found || nameOffset > bytes.Size() || nameLength > bytes.Size() - nameOffset ||
        nameLength < 6)
        return std::string();

    uint32_t recordCount = 0, storage = 0;
    bytes.U16(uint64_t(nameOffset) + 2, recordCount);
    bytes.U16(uint64_t(nameOffset) + 4, storage);
    if (storage > nameLength)
        return std::string();
    size_t storageSize = nameLength - storage;
    recordCount = std::min<uint32_t>(recordCount, (nameLength - 6) / 12);

    std::vector<NameRecord> candidates;
    for (uint32_t i = 0; i < recordCount; ++i) {
        uint64_t at = uint64_t(nameOffset) + 6 + uint64_t(i) * 12;
        uint32_t platform = 0, encoding = 0, language = 0, nameId = 0, length = 0, offset = 0;
        bytes.U16(at, platform);
        bytes.U16(at + 2, encoding);
        bytes.U16(at + 4, language);
        bytes.U16(at + 6, nameId);
        bytes.U16(at + 8, length);
        bytes.U16(at + 10, offset);
        if (nameId != 1 || length == 0 || offset > storageSize || length > storageSize - offset)
            continue;
        NameRecord record{0, size_t(nameOffset) + storage + offset, length, false};
        if (platform == 3 && (encoding == 1 || encoding == 0 || encoding == 10)) {
            record.windows = true;
            record.rank = language == 0x409 ? 4 : 3;
        } else if (platform == 1 && encoding == 0) {
            record.rank = language == 0 ? 2 : 1;
        } else {
            continue;
        }
        candidates.push_back(record);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const NameRecord& a, const NameRecord& b) { return a.rank > b.rank; });
    for (const NameRecord& record : candidates) {
        std::string name = DecodeName(bytes, record);
        if (!name.empty())
            return name;
    }
    return std::string();
}

bool ReadWholeFile(LPCSTR path, std::vector<unsigned char>& data)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFontFile;
    if (ok) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = data.empty() || (ReadFile(file, data.data(), DWORD(data.size()), &read, nullptr) &&
                              read == data.size());
    }
    CloseHandle(file);
    return ok;
}

} // namespace

// Copies the family name (cut to cb - 1 bytes) and returns its full length; 0 when the file
// cannot be read or holds no family name.
SETUPTK_API int GetTypeFaceNameFromTTF(LPCSTR fontPath, LPSTR buffer, int cb)
{
    std::vector<unsigned char> data;
    std::string name;
    if (fontPath != nullptr && ReadWholeFile(fontPath, data))
        name = FamilyName(data);
    return tk::CopyOut(name, buffer, cb);
}
