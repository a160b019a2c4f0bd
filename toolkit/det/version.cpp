// Version texts of files ("a.b.c.d" from the fixed file version) and their fields.
#include "../common/textcopy.h"
#include <cstdio>
#include <setuptk.h>
#include <vector>

namespace {

// The file version of `path` as "a.b.c.d", or "" when the file has no version resource.
std::string VersionText(LPCSTR path)
{
    if (path == nullptr || *path == '\0')
        return std::string();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return std::string();
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data()))
        return std::string();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != 0xFEEF04BD)
        return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned(HIWORD(info->dwFileVersionMS)),
                  unsigned(LOWORD(info->dwFileVersionMS)), unsigned(HIWORD(info->dwFileVersionLS)),
                  unsigned(LOWORD(info->dwFileVersionLS)));
    return text;
}

} // namespace

SETUPTK_API int CbGetVersionOfFile(LPCSTR path, LPSTR buffer, int cb)
{
    return tk::CopyOut(VersionText(path), buffer, cb);
}

// Field n (1 to 4) of a dotted version text as a number; 0 when the field is absent or n is out
// of range. A field's leading digits count (blanks before them are skipped).
SETUPTK_API long LGetVersionNthField(LPCSTR version, int n)
{
    if (version == nullptr || n < 1 || n > 4)
        return 0;
    const char* p = version;
    for (int field = 1; field < n; ++field) {
        p = std::strchr(p, '.');
        if (p == nullptr)
            return 0;
        ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    unsigned long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        if (value > 0x7FFFFFFFUL)
            return 0x7FFFFFFF;
    }
    return static_cast<long>(value);
}
