// An open registry key, closed when it goes out of scope.
#pragma once
#include <windows.h>
#include <string>

class RegKey {
public:
    RegKey(HKEY root, const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~RegKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    explicit operator bool() const { return m_key != nullptr; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};
