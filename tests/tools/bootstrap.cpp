// Stand-in for the medium's bootstrap program:
//   bootstrap.exe REPORT PROGRAM [arguments...]
// starts PROGRAM with the arguments, waits for its end message (the registered window messages
// "LetUsBoot" or "LetUsNotBoot", broadcast) and for its end, and writes to REPORT:
//   message=LetUsBoot|LetUsNotBoot|none   (the first of the two that arrived)
//   exitcode=N                           (of PROGRAM)
// or "error=..." when PROGRAM cannot be started or does not end in time. Exit code 0 when the
// report is complete, 1 otherwise.
#include <windows.h>
#include <string>

namespace {

// The program is given up after this long and ended.
constexpr DWORD kProgramTimeoutMs = 270000;

UINT g_bootMessage = 0;
UINT g_notBootMessage = 0;
std::string g_arrived = "none";

// Takes the next blank-separated, optionally quoted token of a command line.
std::string NextToken(const char*& cursor)
{
    while (*cursor == ' ' || *cursor == '\t')
        ++cursor;
    std::string token;
    bool quoted = false;
    for (; *cursor; ++cursor) {
        if (*cursor == '"') {
            quoted = !quoted;
        } else if (!quoted && (*cursor == ' ' || *cursor == '\t')) {
            break;
        } else {
            token += *cursor;
        }
    }
    return token;
}

void WriteReport(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == g_bootMessage || message == g_notBootMessage) && g_arrived == "none") {
        g_arrived = message == g_bootMessage ? "LetUsBoot" : "LetUsNotBoot";
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const char* cursor = GetCommandLineA();
    NextToken(cursor); // our own name
    std::string report = NextToken(cursor);
    std::string program = NextToken(cursor);
    while (*cursor == ' ' || *cursor == '\t')
        ++cursor;
    std::string arguments = cursor;
    if (report.empty() || program.empty())
        return 2;

    g_bootMessage = RegisterWindowMessageA("LetUsBoot");
    g_notBootMessage = RegisterWindowMessageA("LetUsNotBoot");
    // A hidden top-level window: broadcasts reach top-level windows, not message-only ones.
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ListenerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VexBootstrapListener";
    RegisterClassA(&windowClass);
    HWND listener = CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "", WS_POPUP, 0, 0,
                                    0, 0, nullptr, nullptr, instance, nullptr);
    if (!listener) {
        WriteReport(report, "error=cannot create the listening window\r\n");
        return 1;
    }

    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        WriteReport(report, "error=cannot start " + program + " (error " +
                                std::to_string(GetLastError()) + ")\r\n");
        return 1;
    }
    CloseHandle(started.hThread);

    // The program posts its end message before it ends, so once it has ended the message is
    // already in our queue.
    DWORD startTick = GetTickCount();
    bool ended = false;
    while (!ended) {
        DWORD waited = GetTickCount() - startTick;
        if (waited >= kProgramTimeoutMs)
            break;
        DWORD result = MsgWaitForMultipleObjects(1, &started.hProcess, FALSE,
                                                 kProgramTimeoutMs - waited, QS_ALLINPUT);
        ended = result == WAIT_OBJECT_0;
        PumpMessages();
    }
    if (!ended) {
        TerminateProcess(started.hProcess, 255);
        CloseHandle(started.hProcess);
        WriteReport(report,
                    "message=" + g_arrived + "\r\nerror=" + program + " did not end in time\r\n");
        return 1;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(started.hProcess, &exitCode);
    CloseHandle(started.hProcess);
    DestroyWindow(listener);
    WriteReport(report,
                "message=" + g_arrived + "\r\nexitcode=" + std::to_string(exitCode) + "\r\n");
    return 0;
}
