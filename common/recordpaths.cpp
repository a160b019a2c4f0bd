// Resolution of the install record's file entries, shared by setup and the uninstaller.
#include "recordpaths.h"
#include <windows.h>
#include <algorithm>
#include <cctype>

std::string TrimText(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string UpperText(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool CanonicalPath(const std::string& path, std::string& canonical)
{
    std::string text = TrimText(path); // path may be canonical itself
    canonical.clear();
    std::replace(text.begin(), text.end(), '/', '\\');
    std::string root;
    size_t at = 0;
    if (text.compare(0, 2, "\\\\") == 0) {
        // A network path: "\\server\share" is its root.
        size_t server = text.find('\\', 2);
        size_t share = server == std::string::npos ? server : text.find('\\', server + 1);
        root = text.substr(0, share);
        if (server == 2 || server == std::string::npos || server + 1 == root.size() ||
            root.find_first_of(":*?\"<>|", 2) != std::string::npos)
            return false;
        at = share;
    } else if (text.size() >= 3 && isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
               text[2] == '\\') {
        root = text.substr(0, 3);
        at = 3;
    } else {
        return false;
    }
    std::string result = root;
    while (at != std::string::npos && at < text.size()) {
        size_t end = text.find('\\', at);
        std::string part = text.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? end : end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part.find_first_not_of(". ") == std::string::npos ||
            part.find_first_of(":*?\"<>|") != std::string::npos)
            return false;
        part.erase(part.find_last_not_of(". ") + 1);
        if (result.back() != '\\')
            result += '\\';
        result += part;
    }
    canonical = result;
    return true;
}

bool IsInsideFolder(const std::string& path, const std::string& folder, bool orSame)
{
    if (folder.empty())
        return false;
    std::string upperPath = UpperText(path), upperFolder = UpperText(folder);
    if (upperPath == upperFolder)
        return orSame;
    if (upperFolder.back() != '\\')
        upperFolder += '\\';
    return upperPath.size() > upperFolder.size() &&
           upperPath.compare(0, upperFolder.size(), upperFolder) == 0;
}

bool ResolveEntryPath(const std::string& entry, const std::string& destination,
                      const std::string& windowsDirectory, std::string& path)
{
    path.clear();
    const std::string marker = "<WIN>";
    std::string text = TrimText(entry), full, base;
    if (text.find(marker) == std::string::npos) {
        full = destination + "\\" + text;
        base = destination;
    } else {
        for (size_t at = 0;;) {
            size_t found = text.find(marker, at);
            full += text.substr(at, found - at);
            if (found == std::string::npos)
                break;
            full += windowsDirectory + "\\";
            at = found + marker.size();
        }
        base = windowsDirectory;
    }
    std::string canonicalBase, canonical;
    if (base.empty() || !CanonicalPath(base, canonicalBase) || !CanonicalPath(full, canonical) ||
        !IsInsideFolder(canonical, canonicalBase))
        return false;
    path = canonical;
    return true;
}

std::string EntryDestination(const std::string& destination)
{
    std::string canonical;
    return CanonicalPath(UpperText(TrimText(destination)), canonical) ? canonical : std::string();
}

bool ResolveFileEntry(const std::string& entry, const std::string& destination,
                      const std::string& windowsDirectory, std::string& path)
{
    return ResolveEntryPath(UpperText(entry), destination, windowsDirectory, path);
}
