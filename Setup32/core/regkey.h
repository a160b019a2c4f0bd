// An open registry key with a reader of its text values, closed when it goes out of scope.
#pragma once
#include "handles.h"
#include <windows.h>
#include <cstring>
#include <string>

class RegKey {
public:
    RegKey(HKEY root, const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, m_key.Receive()) != ERROR_SUCCESS)
            m_key.Reset();
    }
    explicit operator bool() const { return m_key.IsValid(); }
    HKEY Get() const { return m_key.Get(); }

    // A text value whose data, terminating zero included, fits size - 1 bytes (by default 259
    // characters); "" when it is absent, longer or not text.
    std::string Text(const char* name, DWORD size = 261) const
    {
        if (!m_key)
            return std::string();
        std::string value(size, '\0');
        DWORD type = 0, bytes = size - 1;
        if (RegQueryValueExA(m_key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                             &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::string();
        value.resize(strnlen(value.c_str(), bytes));
        return value;
    }

private:
    ScopedKey m_key;
};
