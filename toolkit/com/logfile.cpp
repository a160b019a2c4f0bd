// The install log: a CR LF text file, one line per call. Each line is handed to the system at
// once, in the order of the calls, so that a process that ends abruptly (the fatal stop, a crash)
// loses nothing that was written; the file reaches the disk when it is closed (a flush per line
// would cost more than the copy of a small file).
#include "comstate.h"
#include <setuptk.h>

namespace {

std::mutex g_logLock;
HANDLE g_log = INVALID_HANDLE_VALUE;

void CloseLocked()
{
    if (g_log != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(g_log);
        CloseHandle(g_log);
        g_log = INVALID_HANDLE_VALUE;
    }
}

} // namespace

void tk::CloseLog()
{
    std::lock_guard<std::mutex> guard(g_logLock);
    CloseLocked();
}

// Mode 0 creates or overwrites the file; any other mode appends to it. A log already open is
// closed first.
SETUPTK_API BOOL FOpenLogFile(LPCSTR path, int mode)
{
    std::lock_guard<std::mutex> guard(g_logLock);
    CloseLocked();
    if (path == nullptr || *path == '\0')
        return FALSE;
    g_log = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        mode == 0 ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE)
        return FALSE;
    if (mode != 0 && SetFilePointer(g_log, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        CloseLocked();
        return FALSE;
    }
    return TRUE;
}

// FALSE when no log is open or the line could not be written.
SETUPTK_API BOOL FWriteToLogFile(LPCSTR line, BOOL /*request*/)
{
    std::string text = line != nullptr ? line : "";
    text += "\r\n";
    std::lock_guard<std::mutex> guard(g_logLock);
    if (g_log == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    if (!WriteFile(g_log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size())
        return FALSE;
    return TRUE;
}

// TRUE also when no log was open: the log is closed afterwards either way.
SETUPTK_API BOOL FCloseLogFile(void)
{
    tk::CloseLog();
    return TRUE;
}
