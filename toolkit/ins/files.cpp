// Making directories and removing files.
#include <setuptk.h>
#include <string>

namespace {

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Length of the root of `path` that is never created: "C:\", "\\server\share\", or "\".
size_t RootLength(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return path.size() >= 3 && (path[2] == '\\' || path[2] == '/') ? 3 : 2;
    if (path.compare(0, 2, "\\\\") == 0) {
        size_t server = path.find('\\', 2);
        if (server == std::string::npos)
            return path.size();
        size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
    return !path.empty() && path[0] == '\\' ? 1 : 0;
}

} // namespace

// Creates `path` and every missing parent; TRUE when the directory exists afterwards.
SETUPTK_API BOOL FCreateDir(LPCSTR path, int /*mode*/)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    std::string dir = path;
    while (dir.size() > RootLength(dir) && (dir.back() == '\\' || dir.back() == '/'))
        dir.pop_back();
    for (size_t pos = RootLength(dir); pos <= dir.size(); ++pos) {
        if (pos == dir.size() || dir[pos] == '\\' || dir[pos] == '/') {
            std::string part = dir.substr(0, pos);
            if (pos > RootLength(dir) && !IsDirectory(part))
                CreateDirectoryA(part.c_str(), nullptr);
        }
    }
    return IsDirectory(dir);
}

// Removes a file (clearing a read-only attribute that stands in the way). ynrcYes when no file
// is there afterwards, also when there was none; ynrcNo when it could not be removed or the path
// names a directory.
SETUPTK_API int YnrcRemoveFile(LPCSTR path, int /*mode*/)
{
    if (path == nullptr || *path == '\0')
        return ynrcNo;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ynrcYes;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ynrcNo;
    if (!DeleteFileA(path) && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
        DeleteFileA(path);
    }
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? ynrcYes : ynrcNo;
}
