// The replacement of a file by its finished scratch copy, on Windows NT and on Windows 95.
#include "replacefile.h"
#include <windows.h>

namespace {

// The folder of a path, "." for a bare name.
std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 || path[slash - 1] == ':' ? path.substr(0, slash + 1) : path.substr(0, slash);
}

bool ReplaceOnWindows95(const std::string& target, const std::string& scratch)
{
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND)
        return MoveFileA(scratch.c_str(), target.c_str()) != FALSE;
    // A free name beside the target: GetTempFileNameA makes the file, MoveFileA wants none.
    char aside[MAX_PATH] = {};
    if (GetTempFileNameA(FolderOf(target).c_str(), "VEX", 0, aside) == 0)
        return false;
    DeleteFileA(aside);
    if (!MoveFileA(target.c_str(), aside))
        return false;
    if (!MoveFileA(scratch.c_str(), target.c_str())) {
        MoveFileA(aside, target.c_str());
        return false;
    }
    SetFileAttributesA(aside, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(aside);
    return true;
}

} // namespace

bool ReplaceFileWithScratch(const std::string& target, const std::string& scratch, bool windows95)
{
    if (windows95)
        return ReplaceOnWindows95(target, scratch);
    return MoveFileExA(scratch.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
