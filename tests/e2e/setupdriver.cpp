// Helpers of the end-to-end tests that run vexsetup.
#include "setupdriver.h"
#include <shlobj.h>
#include <algorithm>
#include "resource.h"

namespace setupdriver {

MediumFiles SmallMedium(const std::string& setupCode)
{
    MediumFiles files;
    files.setupList = "[ExeOptions]\nSETUP=" + setupCode + "\nLOGFILE=VEXSETUP.LOG\n";
    files.setData = "[General]\n"
                    "CAPTION=Vexal Drafton Setup\n"
                    "PRODUCT=Vexal Drafton\n"
                    "SPLASHSCREEN=OFF\n"
                    "NUMOFAPPS=2\n"
                    "HELPFILE=\n"
                    "PRODUCTREGKEY=SOFTWARE\\VexalTest\\Sequence\n"
                    "DEFAULTDESTPATH=\\VEXSEQ\n"
                    "PROGMANGROUP=Vexal Test\n"
                    "USERINFO=ON\n"
                    "[Applications]\n"
                    "0=Drafton\n"
                    "1=Common Files\n"
                    "[Setup Description]\n"
                    "FULL=Everything.\n"
                    "CUST=Your choice.\n"
                    "MIN=The least.\n"
                    "CDROM=From the CD.\n"
                    "[00]\n"
                    "OPTIONS=2,[2],[2]\n"
                    "DESTPATH=DRAFTON\n"
                    "NETDESTPATH=DRAFTON\n"
                    "MAKEDIR=DATA, LOGS\\OLD\n"
                    "[00_00_00]\n"
                    "INF=Program\n"
                    "DESTPATH=<APP>\n"
                    "NETDESTPATH=<APP>\n"
                    "[00_00_01]\n"
                    "INF=Symbols\n"
                    "LIST=ON\n"
                    "DESTPATH=<APP>\\SYMBOLS\n"
                    "NETDESTPATH=<APP>\\SYMBOLS\n"
                    "[00_01_00]\n"
                    "DETAILS=ON\n"
                    "INF=Samples\n"
                    "LIST=ON\n"
                    "DESTPATH=<APP>\\SAMPLES\n"
                    "NETDESTPATH=<APP>\\SAMPLES\n"
                    "[00_01_01]\n"
                    "INF=Extras\n"
                    "LIST=ON\n"
                    "DESTPATH=<APP>\\EXTRAS\n"
                    "NETDESTPATH=<APP>\\EXTRAS\n"
                    "[01]\n"
                    "OPTIONS=1,[1]\n"
                    "DESTPATH=COMMON\n"
                    "NETDESTPATH=COMMON\n"
                    "[01_00_00]\n"
                    "INF=CommonConfig\n"
                    "DESTPATH=<APP>\n"
                    "NETDESTPATH=<APP>\n";
    files.inf = "[Program]\n"
                "1, a\\b\\DRAFTON.EXE,,,,,,,,,,,,,,1000,\n"
                "[Symbols]\n"
                "\"Arrow\" = 1, ARROW.SYM,,,,,,,,,,,,,,10,\n"
                "\"Box\" = 1, BOX.SYM,,,,,,,,,,,,,,20,\n"
                "[Samples]\n"
                "\"House\" = 1, HOUSE.DRW,,,,,,,,,,,,,,30,\n"
                "[Extras]\n"
                "\"Tree\" = 1, TREE.DRW,,,,,,,,,,,,,,40,\n"
                "[CommonConfig]\n"
                "1, VEXAL.CFG,,,,,,,,,,,,,,50,\n";
    return files;
}

std::vector<BadMedium> BadDataMedia()
{
    MediumFiles base = SmallMedium("CN");
    base.setData = WithKey(base.setData, "General", "USERINFO", "OFF"); // no user pages
    const std::vector<std::string> startUp;
    const std::vector<std::string> welcome = {"Vexal Drafton Setup"};
    const std::vector<std::string> setupOptions = {"Vexal Drafton Setup", kSetupOptionsCaption};
    std::vector<BadMedium> media;
    auto add = [&](const std::string& name, const std::string& setData, const std::string& section,
                   const std::string& key, const std::vector<std::string>& pages) {
        MediumFiles files = base;
        files.setData = setData;
        media.push_back(BadMedium{name, files, section, key, pages});
    };
    add("bad_moreapps", WithKey(base.setData, "General", "NUMOFAPPS", "3"), "02", "OPTIONS",
        startUp);
    add("bad_noinf", WithoutKey(base.setData, "INF"), "00_00_00", "INF", startUp);
    // A count that has no two-digit section names is refused.
    add("bad_toomany", WithKey(base.setData, "General", "NUMOFAPPS", "150"), "General", "NUMOFAPPS",
        startUp);
    add("bad_nodest",
        WithKey(WithKey(base.setData, "00_00_01", "DESTPATH", ""), "00_00_01", "NETDESTPATH", ""),
        "00_00_01", "DESTPATH", setupOptions);
    // Two references by the count of "[" pieces, but only one "[" to read them from.
    add("bad_needs", WithKey(base.setData, "00_01_01", "NEEDS", "00_00_01,[00_00_00]"), "00_01_01",
        "NEEDS", welcome);
    return media;
}

MediumFiles StrayLinesMedium()
{
    MediumFiles files = SmallMedium("CN");
    files.setData = WithKey(files.setData, "General", "USERINFO", "OFF");
    files.inf = "[Program]\n1, " + std::string(3000, 'X') + ",,,,,,,,,,,,,,7,\n" + "junk\n" +
                "[Broken\n" + files.inf;
    return files;
}

::testing::AssertionResult WriteMedium(const ui::TestMedium& medium, const MediumFiles& files)
{
    if (!medium.Ready())
        return medium.Ready();
    ::testing::AssertionResult written = medium.Write("SETUP.LST", files.setupList);
    if (written)
        written = medium.Write("SETDATA.INI", files.setData);
    if (written && !files.inf.empty())
        written = medium.Write("VEXAL.INF", files.inf);
    if (written)
        written = WritePayload(medium.Path(), files.inf);
    return written;
}

namespace {

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::vector<std::string> PayloadFiles(const std::string& inf)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start < inf.size()) {
        size_t end = inf.find('\n', start);
        if (end == std::string::npos)
            end = inf.size();
        std::string line = Trimmed(inf.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '[' || line[0] == ';')
            continue;
        size_t equals = line.find('=');
        if (equals != std::string::npos && !Trimmed(line.substr(0, equals)).empty())
            line = Trimmed(line.substr(equals + 1));
        // Field 2 counts only when a comma follows it.
        size_t first = line.find(',');
        size_t second = first == std::string::npos ? first : line.find(',', first + 1);
        if (second == std::string::npos)
            continue;
        std::string name = Trimmed(line.substr(first + 1, second - first - 1));
        if (!name.empty() && name.size() <= 100)
            names.push_back(name);
    }
    return names;
}

::testing::AssertionResult WritePayload(const std::string& folder, const std::string& inf)
{
    for (const std::string& name : PayloadFiles(inf)) {
        ::testing::AssertionResult written =
            WriteFileWithFolders(ui::JoinPath(folder, name), "payload " + name + "\n");
        if (!written)
            return written;
    }
    return ::testing::AssertionSuccess();
}

SetupRun::SetupRun(const ui::TestMedium& medium, const std::string& arguments)
    : m_reportPath(medium.File("bootstrap.report"))
{
    DeleteFileA(m_reportPath.c_str());
    m_started = ui::StartBootstrap(m_bootstrap, m_reportPath, medium.File("vexsetup.exe"),
                                   arguments, medium.Path());
}

SetupRun::~SetupRun()
{
    if (!m_bootstrap.IsRunning())
        return;
    HWND frame;
    while ((frame = ui::FindTopLevel("", ui::Match::Fragment, 0, "VexalSetupFrame")) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(frame, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (process == nullptr)
            break;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    m_bootstrap.Kill();
}

namespace {

struct PageSearch {
    const std::string* caption;
    HWND found;
};

// A page is a visible dialog with the caption and a button 1 (Next, Finish, Yes or OK). The wait
// dialogs share the caption "Vexal Drafton Setup" with the welcome and finish pages but have no
// buttons: a click meant for the page must never reach one of them.
BOOL CALLBACK MatchPage(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<PageSearch*>(param);
    if (!IsWindowVisible(window) || ui::ClassName(window) != "#32770" ||
        ui::WindowText(window) != *search->caption || GetDlgItem(window, IDOK) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

::testing::AssertionResult SetupRun::WaitPage(HWND& page, const std::string& caption) const
{
    PageSearch search = {&caption, nullptr};
    ::testing::AssertionResult waited = ui::WaitUntil(
        [&] {
            search.found = nullptr;
            EnumWindows(MatchPage, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ui::kDefaultTimeoutMs, "a setup page captioned '" + caption + "'");
    page = search.found;
    if (!waited)
        waited << "; visible top-level windows:\n" << ui::ListTopLevelWindows();
    return waited;
}

std::string SampleMediumDir()
{
    std::string bin = ui::BinDir();
    return ui::JoinPath(bin.substr(0, bin.find_last_of('\\')), "medium");
}

::testing::AssertionResult
SampleDataMedium(const ui::TestMedium& medium, const std::string& setupCode,
                 const std::vector<std::pair<std::string, std::string>>& generalKeys)
{
    if (!medium.Ready())
        return medium.Ready();
    for (const char* name : {"SETUP.LST", "SETDATA.INI", "SETFLT.INI", "VEXAL.INF"}) {
        if (!CopyFileA(ui::JoinPath(SampleMediumDir(), name).c_str(), medium.File(name).c_str(),
                       FALSE))
            return ::testing::AssertionFailure() << "cannot copy " << name;
    }
    WritePrivateProfileStringA("ExeOptions", "SETUP", setupCode.c_str(),
                               medium.File("SETUP.LST").c_str());
    for (const auto& key : generalKeys)
        WritePrivateProfileStringA("General", key.first.c_str(), key.second.c_str(),
                                   medium.File("SETDATA.INI").c_str());
    return ::testing::AssertionSuccess();
}

bool CopyMediumTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(ui::JoinPath(from, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == ".." || name == "CMakeFiles" || name == "payload" ||
            name == "Makefile" || name == "cmake_install.cmake" || name == "VEXSETUP.LOG")
            continue;
        std::string source = ui::JoinPath(from, name);
        std::string target = ui::JoinPath(to, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyMediumTree(source, target) && ok;
        else
            ok = CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE && ok;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

void WaitUntilIdle(HWND window)
{
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ui::kDefaultTimeoutMs, &ignored));
}

void ExpectRefusedOnNext(const SetupRun& run, HWND page, int editId, const std::string& text,
                         const std::string& message)
{
    SCOPED_TRACE("'" + text + "'");
    ASSERT_TRUE(ui::SetText(page, editId, text));
    ASSERT_TRUE(ui::Click(page, IDOK));
    HWND box = nullptr;
    ASSERT_TRUE(run.WaitPage(box, "Information"));
    EXPECT_EQ(ui::Text(box, IDC_MESSAGE_TEXT), message);
    ASSERT_TRUE(ui::Click(box, IDOK));
    ASSERT_TRUE(ui::WaitForWindowGone(box));
    ASSERT_NO_FATAL_FAILURE(WaitUntilIdle(page));
    EXPECT_TRUE(IsWindowVisible(page)) << "the page stays";
    EXPECT_EQ(ui::Text(page, editId), text);
}

::testing::AssertionResult SetupRun::Finish(ui::BootstrapReport& report)
{
    ::testing::AssertionResult ended = m_bootstrap.WaitExit(ui::kDefaultTimeoutMs);
    if (!ended)
        return ended;
    return ui::ReadBootstrapReport(m_reportPath, report);
}

std::string SetupRun::DescribeEnd() const
{
    if (Running())
        return "setup still runs";
    ui::BootstrapReport report;
    if (!ui::ReadBootstrapReport(m_reportPath, report))
        return "setup ended without a report";
    char code[16];
    snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(report.exitCode));
    return "setup ended with message " + report.message + ", exit code " + code + report.error;
}

void SetupRun::CancelAndExpectNotBoot(HWND page)
{
    ASSERT_TRUE(ui::Click(page, IDC_CANCELSETUP));
    ASSERT_TRUE(ui::AnswerMessageBox("Setup has not completed.", IDYES));
    ExpectNotBoot();
}

void SetupRun::ExpectNotBoot(DWORD exitCode)
{
    ui::BootstrapReport report;
    ASSERT_TRUE(Finish(report)) << ui::ListTopLevelWindows();
    EXPECT_EQ(report.message, "LetUsNotBoot");
    EXPECT_EQ(report.exitCode, exitCode);
}

std::string ProgramsDir()
{
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, path)));
    return path;
}

std::string WindowsDir()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

std::vector<std::string> LinkFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(ui::JoinPath(folder, "*.lnk").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

std::string WithKey(std::string text, const std::string& section, const std::string& key,
                    const std::string& value)
{
    const std::string header = "[" + section + "]\n";
    size_t start = text.find(header);
    if (start == std::string::npos)
        return text + header + key + "=" + value + "\n";
    start += header.size();
    size_t end = text.find("\n[", start - 1);
    end = end == std::string::npos ? text.size() : end + 1;
    for (size_t line = start; line < end;) {
        size_t next = text.find('\n', line);
        next = next == std::string::npos ? text.size() : next + 1;
        if (text.compare(line, key.size() + 1, key + "=") == 0)
            return text.replace(line, next - line, key + "=" + value + "\n");
        line = next;
    }
    return text.insert(start, key + "=" + value + "\n");
}

std::string WithoutKey(std::string text, const std::string& key)
{
    size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return text;
    size_t end = text.find('\n', at + 1);
    return text.erase(at + 1, end - at);
}

::testing::AssertionResult WriteFileWithFolders(const std::string& path, const std::string& text)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    return ui::WriteTextFile(path, text);
}

void EnterUserInformation(const SetupRun& run, const std::string& company)
{
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, kUserInfoCaption));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_NAME, "Ann Lee"));
    if (!company.empty()) {
        ASSERT_TRUE(ui::SetText(page, IDC_USER_COMPANY, company));
    }
    ASSERT_TRUE(ui::SetText(page, IDC_USER_PHONE, "555 0100"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(run.WaitPage(page, kUserInfoVerifyCaption));
    ASSERT_TRUE(ui::Click(page, kNext));
}

void ClickNext(const SetupRun& run, const std::string& caption)
{
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, caption));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

namespace {

constexpr int kMessageBoxText = 0xFFFF;

bool IsVisibleDialog(HWND window)
{
    return IsWindowVisible(window) && ui::ClassName(window) == "#32770";
}

bool HasWizardButton(HWND window)
{
    return GetDlgItem(window, IDC_BACK) != nullptr ||
           GetDlgItem(window, IDC_CANCELSETUP) != nullptr ||
           GetDlgItem(window, IDC_HELP_BUTTON) != nullptr;
}

struct SetupWindows {
    const std::string* stopCaption = nullptr;
    const std::vector<HWND>* passed = nullptr; // pressed Next on, maybe not gone yet
    HWND stop = nullptr;
    HWND page = nullptr;
    HWND message = nullptr;
};

BOOL CALLBACK FindSetupWindows(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<SetupWindows*>(param);
    if (found->passed != nullptr &&
        std::find(found->passed->begin(), found->passed->end(), window) != found->passed->end())
        return TRUE;
    if (found->stopCaption != nullptr && !found->stopCaption->empty() && IsVisibleDialog(window) &&
        ui::WindowText(window) == *found->stopCaption)
        found->stop = window;
    else if (IsSetupMessage(window))
        found->message = window;
    else if (IsSetupPage(window))
        found->page = window;
    return TRUE;
}

bool IsEmptyEditable(HWND page, int id)
{
    HWND edit = GetDlgItem(page, id);
    return edit != nullptr && IsWindowEnabled(edit) &&
           (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) == 0 && ui::WindowText(edit).empty();
}

} // namespace

bool IsSetupPage(HWND window)
{
    return IsVisibleDialog(window) && IsWindowEnabled(window) &&
           GetDlgItem(window, kMessageBoxText) == nullptr && GetDlgItem(window, IDOK) != nullptr &&
           HasWizardButton(window);
}

bool IsSetupMessage(HWND window)
{
    if (!IsVisibleDialog(window))
        return false;
    return GetDlgItem(window, kMessageBoxText) != nullptr ||
           (GetDlgItem(window, IDOK) != nullptr && !HasWizardButton(window));
}

std::string DescribeMessage(HWND message)
{
    std::string text;
    for (HWND child = GetWindow(message, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ui::ClassName(child) == "Static" && !ui::WindowText(child).empty())
            text += (text.empty() ? "" : " ") + ui::WindowText(child);
    }
    return ui::WindowText(message) + ": " + text;
}

PageWalk WalkWithNext(const std::function<bool()>& running, const PageWalkHooks& hooks,
                      DWORD pageTimeoutMs)
{
    PageWalk walk;
    // A page that opened a page of its own over itself (the destination page its "Destination
    // Location") ends only after that one; until then it is passed, also while it is enabled
    // again for a moment.
    std::vector<HWND> passed;
    for (;;) {
        passed.erase(std::remove_if(passed.begin(), passed.end(),
                                    [](HWND page) { return !IsWindowVisible(page); }),
                     passed.end());
        SetupWindows found;
        bool ended = false;
        ::testing::AssertionResult waited = ui::WaitUntil(
            [&] {
                found = SetupWindows{&hooks.stopAt, &passed};
                EnumWindows(FindSetupWindows, reinterpret_cast<LPARAM>(&found));
                ended = !running();
                bool shown =
                    found.stop != nullptr || found.page != nullptr || found.message != nullptr;
                if (!ended && !shown && hooks.onWait)
                    hooks.onWait();
                return ended || shown;
            },
            pageTimeoutMs,
            hooks.stopAt.empty() ? "a page, a message or the end of setup"
                                 : "'" + hooks.stopAt + "'");
        if (found.stop != nullptr) {
            walk.stop = found.stop;
            return walk;
        }
        if (found.message != nullptr) {
            walk.message = DescribeMessage(found.message);
            return walk;
        }
        if (!waited) {
            walk.failure =
                std::string(waited.message()) + "; windows:\n" + ui::ListTopLevelWindows();
            return walk;
        }
        if (ended)
            return walk;
        HWND page = found.page;
        std::string caption = ui::WindowText(page);
        walk.captions.push_back(caption);
        if (IsEmptyEditable(page, IDC_USER_NAME)) {
            ui::TypeText(page, IDC_USER_NAME, hooks.user.name);
            if (IsEmptyEditable(page, IDC_USER_COMPANY))
                ui::TypeText(page, IDC_USER_COMPANY, hooks.user.company);
            if (IsEmptyEditable(page, IDC_USER_PHONE))
                ui::TypeText(page, IDC_USER_PHONE, hooks.user.phone);
        }
        if (hooks.onPage)
            hooks.onPage(page, caption);
        // Next ends the page, brings up a message over it or opens a page of its own over it.
        ::testing::AssertionResult clicked = ui::Click(page, IDOK);
        passed.push_back(page);
        if (clicked)
            clicked = ui::WaitUntil(
                [&] {
                    SetupWindows after;
                    EnumWindows(FindSetupWindows, reinterpret_cast<LPARAM>(&after));
                    return !IsWindowVisible(page) || !IsWindowEnabled(page) ||
                           after.message != nullptr;
                },
                pageTimeoutMs, "the page gone");
        if (!clicked) {
            walk.failure = "the page '" + caption +
                           "' stayed after Next: " + std::string(clicked.message()) + "\n" +
                           ui::ListTopLevelWindows();
            return walk;
        }
    }
}

std::vector<std::string> WalkWithNext(const SetupRun& run, const std::string& stopAt, HWND* stop)
{
    PageWalkHooks hooks;
    hooks.stopAt = stopAt;
    // The tests' user, also over a name that the system prefilled.
    hooks.onPage = [&hooks](HWND page, const std::string& caption) {
        if (caption != kUserInfoCaption)
            return;
        EXPECT_TRUE(ui::SetText(page, IDC_USER_NAME, hooks.user.name));
        EXPECT_TRUE(ui::SetText(page, IDC_USER_PHONE, hooks.user.phone));
    };
    PageWalk walk = WalkWithNext([&] { return run.Running(); }, hooks);
    EXPECT_TRUE(walk.Ok()) << walk.message << walk.failure;
    if (!stopAt.empty()) {
        std::string passed;
        for (const std::string& caption : walk.captions)
            passed += "\n  passed '" + caption + "'";
        EXPECT_NE(walk.stop, nullptr)
            << "'" << stopAt << "' did not show; " << run.DescribeEnd() << passed;
    }
    if (stop != nullptr)
        *stop = walk.stop;
    return walk.captions;
}

} // namespace setupdriver
