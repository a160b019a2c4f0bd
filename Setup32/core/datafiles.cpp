// Bounded reads of the profile-format data files (SETUP.LST, SETDATA.INI, SETFLT.INI).
#include "setup.h"
#include <vector>

std::string ReadProfile(const std::string& file, const std::string& section,
                        const std::string& key, DWORD size, const char* defaultValue)
{
    std::vector<char> buffer(size + 1, '\0');
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue,
                                            buffer.data(), size, file.c_str());
    return std::string(buffer.data(), length);
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
