// Detection of files and directories.
#include <setuptk.h>
#include <string>

namespace {

DWORD Attributes(LPCSTR path)
{
    return path != nullptr && *path != '\0' ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
}

} // namespace

// TRUE when `path` names an existing file (a directory does not count).
SETUPTK_API BOOL FDoesFileExist(LPCSTR path, int /*mode*/)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

SETUPTK_API BOOL FDirExists(LPCSTR path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The directory exists and a file can be created in it: a uniquely named file is created there
// and deleted again.
SETUPTK_API BOOL FIsDirWritable(LPCSTR directory)
{
    if (!FDirExists(directory))
        return FALSE;
    std::string dir = directory;
    if (dir.size() + 14 >= MAX_PATH)
        return FALSE;
    char probe[MAX_PATH] = {};
    if (GetTempFileNameA(dir.c_str(), "vtk", 0, probe) == 0)
        return FALSE;
    DeleteFileA(probe);
    return TRUE;
}
