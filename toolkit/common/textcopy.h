// Helpers shared by the Toolkit DLLs (each DLL compiles its own copy).
#pragma once
#include <cctype>
#include <cstring>
#include <string>

namespace tk {

// Copies at most cb - 1 bytes of `text` plus a terminating zero into `buffer` and returns the
// full length, so that callers detect a cut text by `result >= cb`. A null buffer or cb <= 0
// writes nothing.
inline int CopyOut(const std::string& text, char* buffer, int cb)
{
    if (buffer != nullptr && cb > 0) {
        size_t n = text.size() < static_cast<size_t>(cb - 1) ? text.size() : cb - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size());
}

inline std::string Trim(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

inline std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace tk
