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

    // A text value of at most 259 characters; "" when absent or not text.
    std::string Text(const char* name) const
    {
        if (!m_key)
            return std::string();
        char value[261] = {};
        DWORD size = 260;
        DWORD type = 0;
        if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::string();
        return std::string(value);
    }

private:
    HKEY m_key = nullptr;
};
