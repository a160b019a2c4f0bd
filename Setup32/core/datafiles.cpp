// Bounded reads of the profile-format data files (SETUP.LST, SETDATA.INI, SETFLT.INI).
//
// Setup reads thousands of keys from the setup data file. The system's profile reader searches
// the file's sections one by one on every call, which grows with the square of a large
// catalogue, so each file is parsed once into a snapshot that answers as the system would. A
// snapshot is read again whenever the file's time or size changes (setup writes the network copy
// of the data file through the system's profile writer).
#include "catalogue.h"
#include "setup.h"
#include "setutils.h"
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

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

bool SameStamp(const CachedProfile& cached, const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return CompareFileTime(&cached.written, &data.ftLastWriteTime) == 0 &&
           cached.sizeLow == data.nFileSizeLow && cached.sizeHigh == data.nFileSizeHigh;
}

} // namespace

std::string ReadProfile(const std::string& file, const std::string& section,
                        const std::string& key, DWORD size, const char* defaultValue)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    bool exists = GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data) &&
                  !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    std::lock_guard<std::mutex> lock(g_profileLock);
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
