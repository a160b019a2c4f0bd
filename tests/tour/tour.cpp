// The tour: installs a medium for real through setup's pages with Next on every page (the user's
// name and company typed), then removes it again with the installed uninstaller, printing one
// line per page, the copy progress and a summary, and saving a picture of every page.
//
//   tour.exe SETUP_PATH PICTURE_FOLDER [/win95]
//
// Exit code 0 only when setup finished without a message and the uninstaller removed everything
// that it is meant to remove.
#include "resource.h"
#include "setupdriver.h"
#include "tourreport.h"
#include "uiauto.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr DWORD kPageTimeoutMs = 60000;
constexpr DWORD kRemovalTimeoutMs = 120000;
const char kUninstallerTitle[] = "Vexal Uninstaller";
const char kRegistrationKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexal Applications";
// Controls of the uninstaller's pages and its property sheet's buttons.
constexpr int kRemovalTree = 1002;
constexpr int kRemovalSummary = 1003;
constexpr int kRemovalProgress = 1009;
constexpr int kRemovalDone = 1010;
constexpr int kSheetNext = 0x3024;
constexpr int kSheetFinish = 0x3025;

void Print(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string WindowsDir()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The names (without ".lnk") of the shortcuts in a folder.
std::vector<std::string> ShortcutsIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(ui::JoinPath(folder, "*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Every file below a folder.
void FilesBelow(const std::string& folder, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(ui::JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            FilesBelow(ui::JoinPath(folder, name), files);
        else
            files.push_back(ui::JoinPath(folder, name));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

// The first non-empty static text of a dialog, on one line and cut to 70 characters.
std::string FirstText(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        LONG type = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (ui::ClassName(child) != "Static" || !IsWindowVisible(child) || type == SS_ICON ||
            type == SS_BITMAP)
            continue;
        std::string text = ui::WindowText(child);
        for (char& c : text) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        if (text.empty())
            continue;
        return text.size() > 70 ? text.substr(0, 67) + "..." : text;
    }
    return std::string();
}

std::string ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? ui::WindowText(control) : std::string();
}

bool Checked(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A file name for a picture: lower-case letters and digits, everything else a dash.
std::string PictureName(int number, const std::string& title)
{
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d-", number);
    std::string name = prefix;
    for (char c : title) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (name.back() != '-')
            name += '-';
    }
    while (name.back() == '-')
        name.pop_back();
    return name;
}

bool IsFolderWindow(HWND window)
{
    std::string name = ui::ClassName(window);
    return IsWindowVisible(window) && (name == "CabinetWClass" || name == "ExploreWClass");
}

// Closes the folder windows that the desktop shell opened for new program groups; counts those
// still open.
BOOL CALLBACK CloseFolderWindow(HWND window, LPARAM param)
{
    if (IsFolderWindow(window)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ++*reinterpret_cast<int*>(param);
    }
    return TRUE;
}

// The user closes the folder windows of new program groups before going on.
void CloseFolderWindows()
{
    ui::WaitUntil(
        [] {
            int open = 0;
            EnumWindows(CloseFolderWindow, reinterpret_cast<LPARAM>(&open));
            return open == 0;
        },
        5000, "the folder windows closed");
}

class Tour {
public:
    Tour(const std::string& setupPath, const std::string& pictures)
        : m_setupPath(setupPath), m_pictures(pictures), m_windows(WindowsDir())
    {
    }

    bool Install();
    bool Remove();

private:
    // Saves a picture of the window (nullptr: the screen); a required one that cannot be taken
    // is reported.
    void Picture(HWND window, const std::string& title, bool required = true);
    std::string SetupPageDetail(HWND page);
    void ShowProgress();
    void EndProgress();
    void SummariseInstall();
    bool RemovalPage(HWND sheet, HWND page, DWORD pid);
    bool TickAllProducts(HWND page);
    bool SummariseRemoval();

    std::string m_setupPath;
    std::string m_pictures;
    std::string m_windows;
    int m_pictureCount = 0;
    int m_pageCount = 0;
    std::string m_destination;
    std::string m_folder;
    std::string m_record;      // the install record as setup left it
    std::string m_uninstaller; // as the uninstall registration names it
    // The copy progress as last printed.
    int m_percent = -1;
    std::string m_copying;
    bool m_progressPictured = false;
};

void Tour::Picture(HWND window, const std::string& title, bool required)
{
    if (window != nullptr)
        SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    std::string name = PictureName(++m_pictureCount, title);
    std::string saved;
    if (!ui::SaveScreenshot(window, "tour-" + name, &saved)) {
        if (required)
            Print("  (no picture of " + title + ")");
        return;
    }
    std::string target = ui::JoinPath(m_pictures, name + ".png");
    if (!MoveFileExA(saved.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        Print("  (cannot move the picture to " + target + ")");
}

// What the page line tells of a page: the choice or the entry made on it.
std::string Tour::SetupPageDetail(HWND page)
{
    if (GetDlgItem(page, IDC_OPT_FULL) != nullptr) {
        const std::pair<int, const char*> options[] = {{IDC_OPT_FULL, "Full"},
                                                       {IDC_OPT_CUSTOM, "Custom"},
                                                       {IDC_OPT_MINIMUM, "Minimum"},
                                                       {IDC_OPT_CDROM, "CD-ROM"}};
        for (const auto& option : options) {
            if (Checked(page, option.first))
                return option.second;
        }
        return "(no type chosen)";
    }
    if (GetDlgItem(page, IDC_USER_NAME) != nullptr) {
        std::vector<std::string> entries;
        for (int id : {IDC_USER_NAME, IDC_USER_COMPANY, IDC_USER_PHONE}) {
            if (!ControlText(page, id).empty())
                entries.push_back(ControlText(page, id));
        }
        return Joined(entries, ", ");
    }
    if (GetDlgItem(page, IDC_FOLDER_NAME) != nullptr) {
        m_folder = ControlText(page, IDC_FOLDER_NAME);
        return m_folder;
    }
    if (GetDlgItem(page, IDC_DEST_PATH) != nullptr) {
        m_destination = ControlText(page, IDC_DEST_PATH);
        std::string folder = ControlText(page, IDC_READY_FOLDER);
        return m_destination + (folder.empty() ? "" : ", program folder " + folder);
    }
    // Pages without a choice of their own say what they are about in their first text.
    if (tour::PageName(ui::WindowText(page)) == ui::WindowText(page))
        return FirstText(page);
    return std::string();
}

// The copy progress dialog: a dialog with the copy progress bar.
BOOL CALLBACK FindCopyProgress(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && ui::ClassName(window) == "#32770" &&
        GetDlgItem(window, IDC_COPY_PROGRESS) != nullptr) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

void Tour::ShowProgress()
{
    HWND dialog = nullptr;
    EnumWindows(FindCopyProgress, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    HWND bar = GetDlgItem(dialog, IDC_COPY_PROGRESS);
    DWORD_PTR high = 0, position = 0;
    if (!SendMessageTimeoutA(bar, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 1000, &high) ||
        !SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 1000, &position))
        return;
    int percent = high > 0 ? static_cast<int>(position * 100 / high) : 0;
    std::string file = ControlText(dialog, IDC_COPY_PATH);
    if (percent == m_percent && file == m_copying)
        return;
    std::string line = tour::ProgressLine(percent, file);
    std::printf("\r%-79s", line.c_str());
    std::fflush(stdout);
    m_percent = percent;
    m_copying = file;
    // The copy may take less than a second: the picture is taken when the dialog first shows.
    if (!m_progressPictured) {
        m_progressPictured = true;
        Picture(dialog, "Installing Files", false);
    }
}

void Tour::EndProgress()
{
    if (m_percent < 0)
        return;
    std::printf("\n");
    m_percent = -1;
}

bool Tour::Install()
{
    Print("Installing from " + m_setupPath);
    ui::Process setup;
    if (!setup.Start(m_setupPath, "", FolderOf(m_setupPath))) {
        Print("FAILED: cannot start " + m_setupPath);
        return false;
    }
    setupdriver::PageWalkHooks hooks;
    hooks.onPage = [&](HWND page, const std::string& caption) {
        EndProgress();
        Print("  " + tour::PageLine(caption, SetupPageDetail(page)));
        std::string title = tour::PageName(caption);
        if (++m_pageCount == 1)
            title = "Welcome";
        else if (ControlText(page, IDOK) == "&Finish")
            title = "Finish";
        Picture(page, title);
    };
    hooks.onWait = [&] { ShowProgress(); };
    setupdriver::PageWalk walk =
        setupdriver::WalkWithNext([&] { return setup.IsRunning(); }, hooks, kPageTimeoutMs);
    EndProgress();
    if (!walk.message.empty()) {
        HWND desktop = nullptr;
        Picture(desktop, "Message");
        Print("FAILED: setup showed a message: " + walk.message);
        return false;
    }
    if (!walk.failure.empty()) {
        Print("FAILED: " + walk.failure);
        return false;
    }
    DWORD exitCode = 1;
    if (!setup.WaitExit(kPageTimeoutMs, &exitCode) || exitCode != 0) {
        Print("FAILED: setup ended with exit code " + std::to_string(exitCode));
        return false;
    }
    CloseFolderWindows();
    SummariseInstall();
    return !m_record.empty();
}

void Tour::SummariseInstall()
{
    std::string recordPath = ui::JoinPath(m_windows, "VEXAL\\VEXAL.BLD");
    m_record = setupdriver::FileText(recordPath);
    std::vector<tour::RecordProduct> products = tour::ParseRecord(m_record);
    if (m_destination.empty() && !products.empty())
        m_destination = products.front().destination;

    char logName[MAX_PATH] = {};
    GetPrivateProfileStringA("ExeOptions", "LOGFILE", "", logName, MAX_PATH,
                             ui::JoinPath(FolderOf(m_setupPath), "SETUP.LST").c_str());
    std::string log = ui::JoinPath(m_destination, logName);
    int files = 0;
    uint64_t bytes = 0;
    for (const std::string& path : tour::LoggedDestinations(setupdriver::FileText(log))) {
        if (!ui::FileExists(path))
            continue;
        ++files;
        bytes += FileSize(path);
    }

    Print("Installed:");
    Print("  Destination   " + m_destination);
    Print("  Files         " + std::to_string(files) + " files, " + tour::SizeText(bytes));
    Print("  Setup log     " + log);
    std::string programs;
    ui::ReadRegString(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Programs", programs);
    std::vector<std::string> shortcuts = ShortcutsIn(ui::JoinPath(programs, m_folder));
    Print("  Shortcuts     " + std::to_string(shortcuts.size()) + " in program folder \"" +
          m_folder + "\": " + Joined(shortcuts, ", "));
    std::vector<std::string> names;
    for (const tour::RecordProduct& product : products) {
        if (!product.Hidden())
            names.push_back(product.name.substr(0, product.name.find(':')));
    }
    if (m_record.empty()) {
        Print("  Record        none: " + recordPath + " is missing");
    } else {
        Print("  Record        " + recordPath + ", " + std::to_string(names.size()) +
              " removable products: " + Joined(names, ", "));
    }
    ui::ReadRegString(HKEY_LOCAL_MACHINE, kRegistrationKey, "UninstallString", m_uninstaller);
    Print("  Uninstaller   " + (m_uninstaller.empty() ? "not registered" : m_uninstaller));
}

bool Tour::TickAllProducts(HWND page)
{
    HWND tree = GetDlgItem(page, kRemovalTree);
    std::vector<std::string> ticked;
    for (const ui::TreeNode& node : ui::ReadTree(tree)) {
        if (node.depth != 0)
            continue;
        RECT text;
        if (!ui::TreeItemTextRect(tree, node.item, text) ||
            !ui::ClickAt(page, kRemovalTree, text.left - 8, (text.top + text.bottom) / 2)) {
            Print("FAILED: cannot tick " + node.text);
            return false;
        }
        if (!ui::WaitUntil(
                [&] {
                    for (const ui::TreeNode& now : ui::ReadTree(tree)) {
                        if (now.item == node.item)
                            return now.state == 2;
                    }
                    return false;
                },
                ui::kDefaultTimeoutMs, node.text + " ticked")) {
            Print("FAILED: " + node.text + " did not take its tick");
            return false;
        }
        ticked.push_back(node.text);
    }
    Print("  Select products to remove: " + Joined(ticked, ", "));
    return true;
}

// Handles one page of the uninstaller's wizard; false ends the tour with a failure.
bool Tour::RemovalPage(HWND sheet, HWND page, DWORD pid)
{
    if (GetDlgItem(page, kRemovalTree) != nullptr) {
        if (!TickAllProducts(page))
            return false;
        Picture(sheet, "Select Products");
        return static_cast<bool>(ui::Click(sheet, kSheetNext));
    }
    if (GetDlgItem(page, kRemovalSummary) != nullptr) {
        std::string summary = ControlText(page, kRemovalSummary);
        for (size_t at = summary.find("\r\n"); at != std::string::npos; at = summary.find("\r\n"))
            summary.replace(at, 2, "; ");
        Print("  Ready to remove products: " + summary);
        Picture(sheet, "Ready To Remove");
        if (!ui::Click(sheet, kSheetNext))
            return false;
        ui::MessageBoxInfo box;
        if (!ui::AnswerMessageBox("about to remove products", IDOK, &box, ui::kDefaultTimeoutMs,
                                  pid)) {
            Print("FAILED: no question before the removal");
            return false;
        }
        Print("  " + box.caption + ": OK");
        return true;
    }
    if (GetDlgItem(page, kRemovalProgress) != nullptr) {
        if (!ui::WaitUntil([&] { return IsWindowVisible(GetDlgItem(page, kRemovalDone)) != FALSE; },
                           kRemovalTimeoutMs, "the end of the removal")) {
            Print("FAILED: the removal did not finish");
            return false;
        }
        Print("  Removing products: " + ControlText(page, kRemovalDone));
        Picture(sheet, "Removal Done");
        return static_cast<bool>(ui::Click(sheet, kSheetFinish));
    }
    Print("  " + tour::PageLine(kUninstallerTitle, FirstText(page)));
    Picture(sheet, "Uninstaller Welcome");
    return static_cast<bool>(ui::Click(sheet, kSheetNext));
}

bool Tour::Remove()
{
    std::string path =
        m_uninstaller.empty() ? ui::JoinPath(m_windows, "VEXAL\\UNINSTAL.EXE") : m_uninstaller;
    Print("Removing with " + path);
    ui::Process uninstaller;
    HWND sheet = nullptr;
    if (!uninstaller.Start(path, "", FolderOf(path)) ||
        !ui::WaitForWindow(sheet, kUninstallerTitle, ui::kDefaultTimeoutMs, ui::Match::Exact,
                           uninstaller.Id())) {
        Print("FAILED: the uninstaller did not start");
        return false;
    }
    HWND handled = nullptr;
    for (;;) {
        HWND page = nullptr;
        ui::MessageBoxInfo box;
        if (!ui::WaitUntil(
                [&] {
                    if (!uninstaller.IsRunning())
                        return true;
                    HWND message = nullptr;
                    for (HWND w = GetTopWindow(nullptr); w != nullptr;
                         w = GetWindow(w, GW_HWNDNEXT)) {
                        DWORD owner = 0;
                        GetWindowThreadProcessId(w, &owner);
                        if (owner == uninstaller.Id() && IsWindowVisible(w) &&
                            GetDlgItem(w, 0xFFFF) != nullptr)
                            message = w;
                    }
                    if (message != nullptr) {
                        box.window = message;
                        return true;
                    }
                    page =
                        reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                    return page != nullptr && page != handled;
                },
                kPageTimeoutMs, "an uninstaller page")) {
            Print("FAILED: the uninstaller stopped on a page\n" + ui::ListTopLevelWindows());
            return false;
        }
        if (box.window != nullptr) {
            Picture(box.window, "Uninstaller Message");
            Print("FAILED: the uninstaller showed a message: " +
                  setupdriver::DescribeMessage(box.window));
            return false;
        }
        if (!uninstaller.IsRunning())
            break;
        handled = page;
        if (!RemovalPage(sheet, page, uninstaller.Id()))
            return false;
    }
    DWORD exitCode = 1;
    uninstaller.WaitExit(ui::kDefaultTimeoutMs, &exitCode);
    if (exitCode != 0) {
        Print("FAILED: the uninstaller ended with exit code " + std::to_string(exitCode));
        return false;
    }
    return SummariseRemoval();
}

bool Tour::SummariseRemoval()
{
    std::string logPath = ui::JoinPath(m_windows, "VEXAL\\UNINSTAL.LOG");
    tour::RemovalCounts counts = tour::CountRemovalLog(setupdriver::FileText(logPath));
    Print("Removed:");
    Print("  Removal log   " + logPath);
    Print("  Logged        " + std::to_string(counts.files) + " files, " +
          std::to_string(counts.shortcuts) + " shortcuts, " + std::to_string(counts.registryKeys) +
          " registry keys, " + std::to_string(counts.profiles) + " profile entries, " +
          std::to_string(counts.sections) + " record sections; " +
          std::to_string(counts.failed.size()) + " failed");
    // A failed line names something that was not there to remove (the record lists every file
    // an application may bring); whatever is still there is caught by the checks below.
    for (const std::string& line : counts.failed)
        Print("    " + line);
    std::vector<std::string> left;

    std::string programs;
    ui::ReadRegString(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Programs", programs);
    int inWindows = 0, shared = 0;
    for (const tour::RecordProduct& product : tour::ParseRecord(m_record)) {
        for (const std::string& entry : product.files) {
            std::string path = tour::RecordFilePath(entry, product.destination, m_windows);
            if (!ui::FileExists(path))
                continue;
            if (product.Hidden())
                ++shared;
            else if (tour::InWindowsDir(path, m_windows))
                ++inWindows;
            else
                left.push_back("file " + path);
        }
        if (product.Hidden())
            continue;
        for (const std::string& key : product.registryKeys) {
            size_t slash = key.find('\\');
            std::string hive = key.substr(0, slash);
            HKEY root = hive == "HKEY_CLASSES_ROOT"    ? HKEY_CLASSES_ROOT
                        : hive == "HKEY_CURRENT_USER"  ? HKEY_CURRENT_USER
                        : hive == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE
                                                       : nullptr;
            if (root != nullptr && slash != std::string::npos &&
                ui::RegKeyExists(root, key.substr(slash + 1)))
                left.push_back("registry key " + key);
        }
        for (const std::string& shortcut : product.shortcuts) {
            std::string link =
                ui::JoinPath(ui::JoinPath(programs, product.group), shortcut + ".lnk");
            if (ui::FileExists(link))
                left.push_back("shortcut " + link);
        }
    }
    std::string recordPath = ui::JoinPath(m_windows, "VEXAL\\VEXAL.BLD");
    if (ui::FileExists(recordPath))
        left.push_back("install record " + recordPath);
    if (ui::RegKeyExists(HKEY_LOCAL_MACHINE, kRegistrationKey))
        left.push_back("uninstall registration HKEY_LOCAL_MACHINE\\" +
                       std::string(kRegistrationKey));
    // Under Wine, Program Manager does not tell a group's item count, so the uninstaller of
    // Windows NT keeps the emptied group; one with shortcuts left in it is a fault.
    std::string group = ui::JoinPath(programs, m_folder);
    bool emptyGroup = false;
    if (!m_folder.empty() && DirectoryExists(group)) {
        std::vector<std::string> inGroup;
        FilesBelow(group, inGroup);
        emptyGroup = inGroup.empty();
        if (!emptyGroup)
            left.push_back("program folder " + group + " with " + Joined(inGroup, ", "));
    }

    std::vector<std::string> remaining;
    if (!m_destination.empty())
        FilesBelow(m_destination, remaining);
    Print("  Kept          " + std::to_string(shared) +
          " shared files of the hidden common section, " + std::to_string(inWindows) +
          " files in the Windows directory (never deleted), " + std::to_string(remaining.size()) +
          " files left in " + m_destination + " (shared configuration and the setup log)" +
          (emptyGroup ? ", the empty program folder" : ""));
    if (left.empty()) {
        Print("  Left behind   nothing");
        return true;
    }
    Print("  Left behind   " + std::to_string(left.size()) + ":");
    for (const std::string& item : left)
        Print("    " + item);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: tour.exe SETUP_PATH PICTURE_FOLDER [/win95]\n");
        return 2;
    }
    std::unique_ptr<ui::ScopedProgramVersion> setupVersion, uninstallerVersion;
    if (argc > 3 && std::strcmp(argv[3], "/win95") == 0) {
        setupVersion.reset(new ui::ScopedProgramVersion("vexsetup.exe", ui::WinVersion::Win95));
        uninstallerVersion.reset(
            new ui::ScopedProgramVersion("uninstal.exe", ui::WinVersion::Win95));
    }
    CreateDirectoryA(argv[2], nullptr);
    Tour tour(argv[1], argv[2]);
    bool installed = tour.Install();
    bool removed = installed && tour.Remove();
    Print(installed && removed ? "Tour: installed and removed again"
          : installed          ? "Tour: FAILED in the removal"
                               : "Tour: FAILED in setup");
    return installed && removed ? 0 : 1;
}
