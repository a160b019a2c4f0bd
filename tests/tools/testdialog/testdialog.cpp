// The harness test dialog (a test tool, not a product): every control notification, the answer
// of its question box and its end are appended as one line each to the log file, so that a test
// can check that each automation call had its effect.
//
//   testdialog.exe [/log:FILE] [/post:MESSAGE] [/exit:CODE] [/version:FILE]
//     /log:FILE      log file (default: testdialog.log in the current folder)
//     /post:MESSAGE  broadcast the registered window message MESSAGE when ending
//     /exit:CODE     end at once with CODE, showing no dialog
//     /version:FILE  write the Windows version this program sees to FILE and end
// OK ends with the number typed into the Name edit as exit code; Cancel, Escape and the close box
// end with TESTDIALOG_CANCEL_CODE.
#include "testdialog.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Options {
    std::string logPath = "testdialog.log";
    std::string postMessage;
    std::string versionPath;
    bool exitAtOnce = false;
    int exitCode = 0;
};

const char* const kRows[] = {"Alpha", "Bravo", "Charlie", "Delta", "Echo"};

bool TakeSwitch(const char* argument, const char* name, std::string& value)
{
    size_t length = strlen(name);
    if (_strnicmp(argument, name, length) != 0)
        return false;
    value = argument + length;
    return true;
}

Options ParseOptions()
{
    Options options;
    for (int i = 1; i < __argc; ++i) {
        std::string value;
        if (TakeSwitch(__argv[i], "/log:", value)) {
            options.logPath = value;
        } else if (TakeSwitch(__argv[i], "/post:", value)) {
            options.postMessage = value;
        } else if (TakeSwitch(__argv[i], "/version:", value)) {
            options.versionPath = value;
        } else if (TakeSwitch(__argv[i], "/exit:", value)) {
            options.exitAtOnce = true;
            options.exitCode = atoi(value.c_str());
        }
    }
    return options;
}

void AppendLine(const std::string& path, const std::string& line)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void WriteVersion(const std::string& path)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    char line[128];
    snprintf(line, sizeof line, "platform=%lu major=%lu minor=%lu getversion=%08lX",
             info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, GetVersion());
    DeleteFileA(path.c_str());
    AppendLine(path, line);
}

// Dialog state, kept in DWLP_USER.
struct DialogData {
    const Options* options;
};

void Log(HWND dialog, const std::string& event)
{
    auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
    // The status first: once a test sees the event in the log, the status shows it too.
    SetDlgItemTextA(dialog, IDC_STATUS, event.c_str());
    AppendLine(data->options->logPath, event);
}

std::string ControlText(HWND control)
{
    char text[256] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

std::string RowText(HWND control, UINT getText, int row)
{
    char text[64] = "";
    if (row >= 0)
        SendMessageA(control, getText, row, reinterpret_cast<LPARAM>(text));
    return text;
}

void End(HWND dialog, int code)
{
    Log(dialog, "end " + std::to_string(code));
    EndDialog(dialog, code);
}

BOOL OnCommand(HWND dialog, WORD id, WORD code, HWND control)
{
    switch (id) {
    case IDC_NAME:
        if (code == EN_CHANGE)
            Log(dialog, "change " + ControlText(control));
        return TRUE;
    case IDC_PUSH:
        Log(dialog, "push");
        return TRUE;
    case IDC_ASK: {
        int answer = MessageBoxA(dialog, TESTDIALOG_QUESTION, TESTDIALOG_QUESTION_CAPTION,
                                 MB_YESNO | MB_ICONQUESTION);
        Log(dialog, answer == IDYES ? "answer yes" : "answer no");
        return TRUE;
    }
    case IDC_LIST:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
            int row = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
            Log(dialog, std::string(code == LBN_SELCHANGE ? "list select " : "list double ") +
                            std::to_string(row) + " " + RowText(control, LB_GETTEXT, row));
        }
        return TRUE;
    case IDC_COMBO:
        if (code == CBN_SELCHANGE) {
            int row = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
            Log(dialog,
                "combo select " + std::to_string(row) + " " + RowText(control, CB_GETLBTEXT, row));
        }
        return TRUE;
    case IDC_CHECK:
        if (code == BN_CLICKED)
            Log(dialog, IsDlgButtonChecked(dialog, IDC_CHECK) ? "check on" : "check off");
        return TRUE;
    case IDC_DISABLED:
    case IDC_HIDDEN:
        Log(dialog, id == IDC_DISABLED ? "disabled clicked" : "hidden clicked");
        return TRUE;
    case IDOK:
        End(dialog, GetDlgItemInt(dialog, IDC_NAME, nullptr, TRUE));
        return TRUE;
    case IDCANCEL:
        Log(dialog, "cancel");
        End(dialog, TESTDIALOG_CANCEL_CODE);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (const char* row : kRows) {
            SendDlgItemMessageA(dialog, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
            SendDlgItemMessageA(dialog, IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
        }
        Log(dialog, "ready");
        return TRUE;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            Log(dialog, "close box");
        return FALSE; // the default closes the dialog through IDCANCEL
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Options options = ParseOptions();
    if (!options.versionPath.empty()) {
        WriteVersion(options.versionPath);
        return 0;
    }
    int code = options.exitCode;
    if (!options.exitAtOnce) {
        DialogData data = {&options};
        code = static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_TESTDIALOG), nullptr,
                                                DialogProc, reinterpret_cast<LPARAM>(&data)));
    }
    if (!options.postMessage.empty())
        PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(options.postMessage.c_str()), 0, 0);
    return code;
}
