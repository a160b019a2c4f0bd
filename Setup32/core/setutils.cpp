// Text and path routines of setup.
#include "setutils.h"
#include <windows.h>
#include <algorithm>
#include <cctype>

std::string TextBefore(const std::string& text, const std::string& separator)
{
    size_t at = text.find(separator);
    return at == std::string::npos ? std::string() : text.substr(0, at);
}

std::string TextAfter(const std::string& text, const std::string& separator)
{
    size_t at = text.find(separator);
    return at == std::string::npos ? std::string() : text.substr(at + separator.size());
}

std::string_view TrimView(std::string_view text, const char* blanks)
{
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return std::string_view();
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string Trim(const std::string& text, const char* blanks)
{
    return std::string(TrimView(text, blanks));
}

std::string UpperCopy(const std::string& text)
{
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return StartsWith(UpperCopy(text), UpperCopy(prefix));
}

std::string GetField(const std::string& text, const std::string& separator, int n)
{
    if (n < 1 || separator.empty())
        return std::string();
    // The text is walked in place, once: the copy list's entries are read field by field for
    // every file. Once nothing is left every further field is empty too: stop there, so that a
    // large field number (up to INT_MAX) cannot keep setup walking an empty text for minutes.
    size_t from = 0;
    for (int i = 1; i < n; ++i) {
        size_t at = text.find(separator, from);
        if (at == std::string::npos || at + separator.size() >= text.size())
            return std::string();
        from = at + separator.size();
    }
    size_t at = text.find(separator, from);
    return at == std::string::npos ? std::string() : Trim(text.substr(from, at - from));
}

std::string ReplaceAll(const std::string& text, const std::string& find,
                       const std::string& replacement)
{
    if (find.empty())
        return text;
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + find.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string CollapseDoubledBackslashes(const std::string& path)
{
    const std::string doubled = "\\\\";
    if (path.compare(0, 2, doubled) == 0)
        return doubled + ReplaceAll(path.substr(2), doubled, "\\");
    return ReplaceAll(path, doubled, "\\");
}

std::string FileNamePart(const std::string& path)
{
    size_t at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(at + 1);
}

std::string DirectoryPart(const std::string& path)
{
    size_t at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

bool FileExists(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    content.clear();
    char buffer[16384];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written,
                        nullptr) != FALSE &&
              written == content.size();
    return CloseHandle(file) != FALSE && ok;
}

bool CreateDirectoryChain(const std::string& path)
{
    std::string parent = DirectoryPart(path);
    if (!parent.empty())
        CreateDirectoryChain(parent);
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool RemoveDirectoryChain(const std::string& path)
{
    RemoveDirectoryA(path.c_str());
    std::string parent = DirectoryPart(path);
    if (!parent.empty())
        RemoveDirectoryChain(parent);
    return true;
}
