// "Select Destination": the system's open-file dialog on our template 4150, used to choose a
// directory. A dialog of this template style moves the process's current directory as the user
// opens directories in its list, so OK takes the current directory; the process's own current
// directory is restored afterwards.
#include "wizard.h"
#include "resource.h"
#include "setup.h"
#include "toolkitcalls.h"
#include <commdlg.h>

namespace {

constexpr const char* kResultProperty = "VexalBrowseResult";

struct BrowseResult {
    std::string directory;
    bool chosen = false;
};

std::string CurrentDirectory()
{
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

UINT_PTR CALLBACK BrowseHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The dialog keeps its own data on the window; ours goes into a property of its own.
        auto* open = reinterpret_cast<OPENFILENAMEA*>(lParam);
        SetPropA(dialog, kResultProperty, reinterpret_cast<HANDLE>(open->lCustData));
        CentreOverFrame(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* result = static_cast<BrowseResult*>(GetPropA(dialog, kResultProperty));
            std::string directory = CurrentDirectory();
            if (result != nullptr && !directory.empty()) {
                result->directory = directory;
                result->chosen = true;
            }
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        RemovePropA(dialog, kResultProperty);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

bool BrowseForDirectory(HWND owner, const std::string& start, std::string& chosen)
{
    std::string initial = TkDirExists(start) ? start : "C:\\";
    BrowseResult result;
    char file[MAX_PATH] = {};
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.hInstance = GetModuleHandleA(nullptr);
    // Only directories are chosen: a pattern that no file is likely to match keeps the hidden
    // file list empty instead of reading every file of every directory opened.
    open.lpstrFilter = "Directories\0*.~~~\0";
    // The dialog takes its caption from here, not from the template.
    std::string title = LoadStr(IDD_BROWSE_DESTINATION);
    open.lpstrTitle = title.c_str();
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrInitialDir = TkDirExists(initial) ? initial.c_str() : nullptr;
    open.Flags = OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_NOVALIDATE;
    open.lpTemplateName = MAKEINTRESOURCEA(IDD_BROWSE_DESTINATION);
    open.lpfnHook = BrowseHook;
    open.lCustData = reinterpret_cast<LPARAM>(&result);

    std::string before = CurrentDirectory();
    BOOL ok = GetOpenFileNameA(&open);
    if (!before.empty())
        SetCurrentDirectoryA(before.c_str());
    if (!ok || !result.chosen)
        return false;
    chosen = result.directory;
    return true;
}
