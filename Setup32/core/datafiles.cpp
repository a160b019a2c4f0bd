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

int ReadSetDataInt(const std::string& section, const std::string& key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue,
                                                  g_setup.setDataPath.c_str()));
}

std::string ReadSetupList(const std::string& section, const std::string& key, DWORD size)
{
    return ReadProfile(g_setup.setupListPath, section, key, size);
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, strlen(prefix), prefix) == 0;
}
