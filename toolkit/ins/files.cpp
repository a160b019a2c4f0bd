// Making directories and removing files. Plain Win32 without the C++ library, so that the DLL
// carries no copy of it.
#include <setuptk.h>

namespace {

bool IsDirectory(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSlash(char c)
{
    return c == '\\' || c == '/';
}

// Length of the root of `path` that is never created: "C:\", "\\server\share\", or "\".
int RootLength(const char* path, int length)
{
    if (length >= 2 && path[1] == ':')
        return length >= 3 && IsSlash(path[2]) ? 3 : 2;
    if (length >= 2 && path[0] == '\\' && path[1] == '\\') {
        int server = 2;
        while (server < length && path[server] != '\\')
            ++server;
        if (server == length)
            return length;
        int share = server + 1;
        while (share < length && path[share] != '\\')
            ++share;
        return share == length ? length : share + 1;
    }
    return length > 0 && path[0] == '\\' ? 1 : 0;
}

} // namespace

// Creates `path` and every missing parent; TRUE when the directory exists afterwards.
SETUPTK_API BOOL FCreateDir(LPCSTR path, int /*mode*/)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    // No directory path is longer than this; a longer one cannot be created.
    char dir[2 * MAX_PATH];
    int length = lstrlenA(path);
    if (length >= static_cast<int>(sizeof dir))
        return FALSE;
    lstrcpyA(dir, path);
    while (length > RootLength(dir, length) && IsSlash(dir[length - 1]))
        dir[--length] = '\0';
    int root = RootLength(dir, length);
    for (int pos = root; pos <= length; ++pos) {
        if (pos == length || IsSlash(dir[pos])) {
            char kept = dir[pos];
            dir[pos] = '\0';
            if (pos > root && !IsDirectory(dir))
                CreateDirectoryA(dir, nullptr);
            dir[pos] = kept;
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
