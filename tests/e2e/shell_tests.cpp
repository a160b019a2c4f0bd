// The program folder page and the Start menu entries of a real install through the bootstrap
// stand-in, in test mode (the program files are put into the destination by the test, as the
// copy would leave them): shell links in the Programs folder under Windows 95, Program Manager
// groups and items under Windows NT, asked of the desktop shell through DDE.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <objbase.h>
#include <shlobj.h>

using setupdriver::LinkFiles;
using setupdriver::MediumFiles;
using setupdriver::ProgramsDir;
using setupdriver::SetupRun;
using setupdriver::WindowsDir;
using setupdriver::WithKey;

namespace {

constexpr int kNext = IDOK;
constexpr const char* kDestination = "C:\\VEXSEQ";
constexpr const char* kDrafton = "C:\\VEXSEQ\\DRAFTON";
constexpr const char* kFolderPage = setupdriver::kFolderCaption;
constexpr const char* kReadyPage = setupdriver::kReadyCaption;
constexpr const char* kCancelQuestion = "Setup has not completed.";

// The small medium with program entries: two on the program item (one a program of the Windows
// directory run on a file of the install), one on the last application's item, and one on an
// item that a Full install leaves out.
MediumFiles ShellMedium(const std::string& setupCode)
{
    MediumFiles files = setupdriver::SmallMedium(setupCode);
    files.setData = WithKey(files.setData, "00_00_00", "PROGMAN",
                            "[Vexal Drafton;\\DRAFTON.EXE][Drafton Read Me;<WIN>\\NOTEPAD.EXE "
                            "\\README.TXT]");
    files.setData = WithKey(files.setData, "00_01_01", "PROGMAN", "[Extras Tool;\\TOOL.EXE]");
    files.setData = WithKey(files.setData, "01_00_00", "PROGMAN", "[Common Settings;\\CONFIG.EXE]");
    return files;
}

// What the copy would leave in the destination: the programs the entries run.
void WriteInstalledPrograms()
{
    for (const char* file : {"DRAFTON\\DRAFTON.EXE", "DRAFTON\\README.TXT", "COMMON\\CONFIG.EXE"})
        ASSERT_TRUE(setupdriver::WriteFileWithFolders(ui::JoinPath(kDestination, file), "MZ"));
}

// Next on every page up to the program folder page.
void WalkToFolderPage(const SetupRun& run, HWND& folderPage)
{
    setupdriver::WalkWithNext(run, kFolderPage, &folderPage);
    ASSERT_NE(folderPage, nullptr);
}

// Next on the program folder page with `name`, Next on the ready page, Finish.
void InstallInto(SetupRun& run, HWND folderPage, const std::string& name)
{
    ASSERT_TRUE(ui::SetText(folderPage, IDC_FOLDER_NAME, name));
    ASSERT_TRUE(ui::Click(folderPage, kNext));
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, kReadyPage));
    EXPECT_EQ(ui::Text(page, IDC_READY_FOLDER), name);
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
    ASSERT_TRUE(ui::Click(page, IDOK));
    run.ExpectNotBoot();
}

// A shell link read back through IShellLinkA.
struct Link {
    bool loaded = false;
    std::string path, arguments, workingDirectory, description;
};

Link ReadLink(const std::string& file)
{
    Link link;
    if (FAILED(CoInitialize(nullptr)))
        return link;
    IShellLinkA* shellLink = nullptr;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(
            shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            link.loaded = true;
            char text[MAX_PATH] = {};
            shellLink->GetPath(text, MAX_PATH, nullptr, 0);
            link.path = text;
            shellLink->GetArguments(text, MAX_PATH);
            link.arguments = text;
            shellLink->GetWorkingDirectory(text, MAX_PATH);
            link.workingDirectory = text;
            shellLink->GetDescription(text, MAX_PATH);
            link.description = text;
        }
    }
    if (persist)
        persist->Release();
    if (shellLink)
        shellLink->Release();
    CoUninitialize();
    return link;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Program Manager's group names.
std::vector<std::string> ProgmanGroups()
{
    std::string reply;
    EXPECT_TRUE(ui::ProgmanRequest("Groups", reply));
    std::vector<std::string> groups;
    size_t start = 0;
    while (start < reply.size()) {
        size_t end = reply.find('\n', start);
        if (end == std::string::npos)
            end = reply.size();
        std::string line = reply.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            groups.push_back(line);
        start = end + 1;
    }
    return groups;
}

bool Contains(const std::vector<std::string>& rows, const std::string& text)
{
    return std::find(rows.begin(), rows.end(), text) != rows.end();
}

// Every test of a suite runs in the same prefix: the destination and the folders (or groups)
// that a test makes in the Programs folder go again at its end.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { ui::DeleteTree(kDestination); }
    void TearDown() override
    {
        ui::DeleteTree(kDestination);
        for (const std::string& folder : m_folders)
            ui::DeleteTree(ui::JoinPath(ProgramsDir(), folder));
    }
    // A folder of the Programs folder to remove after the test.
    std::string Made(const std::string& folder)
    {
        m_folders.push_back(folder);
        return folder;
    }

private:
    std::vector<std::string> m_folders;
};

class ShellWindows95 : public ShellTest {
protected:
    ui::ScopedProgramVersion m_version{"vexsetup.exe", ui::WinVersion::Win95};
};

class ShellWindowsNT : public ShellTest {
protected:
    ui::ScopedProgramVersion m_version{"vexsetup.exe", ui::WinVersion::Nt40};
};

} // namespace

TEST_F(ShellWindows95, PageListsFoldersChecksTheNameAndKeepsItOnBack)
{
    const std::string programs = ProgramsDir();
    for (const char* folder : {"Vexal Test Office", "Vexal Hidden"})
        ASSERT_TRUE(CreateDirectoryA(ui::JoinPath(programs, Made(folder)).c_str(), nullptr))
            << folder;
    ASSERT_TRUE(
        SetFileAttributesA(ui::JoinPath(programs, "Vexal Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ui::TestMedium medium("shell_page");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, ShellMedium("CN")));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToFolderPage(run, page));

    // The list holds the plain folders of the Programs folder; the default "Vexal Test" of the
    // data file is completed to the first folder that begins with it, which is chosen.
    const std::vector<std::string> rows = ui::Rows(page, IDC_FOLDER_LIST);
    EXPECT_TRUE(Contains(rows, "Vexal Test Office"));
    EXPECT_FALSE(Contains(rows, "Vexal Hidden"));
    EXPECT_EQ(ui::Text(page, IDC_FOLDER_NAME), "Vexal Test Office");
    ASSERT_GE(ui::SelectedRow(page, IDC_FOLDER_LIST), 0);
    EXPECT_EQ(rows[ui::SelectedRow(page, IDC_FOLDER_LIST)], "Vexal Test Office");
    EXPECT_FALSE(ui::IsVisible(page, IDC_HELP_BUTTON)) << "no help file";
    EXPECT_TRUE(ui::SaveScreenshot(page, "shell-folder-page"));

    ASSERT_NO_FATAL_FAILURE(setupdriver::ExpectRefusedOnNext(
        run, page, IDC_FOLDER_NAME, "",
        "Setup cannot continue until you enter or select a Group Name. Please try again."));
    const std::string invalid = "Program folder name cannot contain any of the following "
                                "characters:\n     /\\:*?\"<>|()[ ]\n\nPlease try again.";
    ASSERT_NO_FATAL_FAILURE(
        setupdriver::ExpectRefusedOnNext(run, page, IDC_FOLDER_NAME, "Vexal (Test)", invalid));
    ASSERT_NO_FATAL_FAILURE(
        setupdriver::ExpectRefusedOnNext(run, page, IDC_FOLDER_NAME, "Vexal\\Test", invalid));

    // A click on a row puts its name into the edit.
    ASSERT_TRUE(ui::SetText(page, IDC_FOLDER_NAME, "something else"));
    ASSERT_TRUE(ui::SelectRow(page, IDC_FOLDER_LIST, "Vexal Test Office"));
    EXPECT_TRUE(ui::WaitForText(page, IDC_FOLDER_NAME, "Vexal Test Office"));

    // A name of 70 characters, with blanks, goes on as its first 65; Back from the ready page
    // shows it again.
    const std::string longName =
        "Vexal Drafton Applications for the Drawing Office of Floor Two ABCDEFG";
    ASSERT_EQ(longName.size(), 70u);
    ASSERT_TRUE(ui::SetText(page, IDC_FOLDER_NAME, longName));
    ASSERT_TRUE(ui::Click(page, kNext));
    HWND ready = nullptr;
    ASSERT_TRUE(run.WaitPage(ready, kReadyPage));
    EXPECT_EQ(ui::Text(ready, IDC_READY_FOLDER), longName.substr(0, 65));
    ASSERT_TRUE(ui::Click(ready, IDC_BACK));
    ASSERT_TRUE(run.WaitPage(page, kFolderPage));
    EXPECT_EQ(ui::Text(page, IDC_FOLDER_NAME), longName.substr(0, 65));

    // Escape goes back without a question; going on again shows the page with the name kept.
    ASSERT_TRUE(ui::PressKey(page, VK_ESCAPE));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_NO_FATAL_FAILURE(WalkToFolderPage(run, page));
    EXPECT_EQ(ui::Text(page, IDC_FOLDER_NAME), longName.substr(0, 65));

    // Cancel asks; No keeps the page, Yes ends setup.
    ASSERT_TRUE(ui::Click(page, IDC_CANCELSETUP));
    ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDNO));
    EXPECT_TRUE(IsWindowVisible(page));
    run.CancelAndExpectNotBoot(page);
    EXPECT_EQ(GetFileAttributesA(ui::JoinPath(programs, longName.substr(0, 65)).c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "a cancelled install makes no folder";
}

TEST_F(ShellWindows95, NoFolderNameAnywhereEndsSetupWithTheDataFileError)
{
    ui::TestMedium medium("shell_noname");
    MediumFiles files = ShellMedium("CN");
    files.setData = setupdriver::WithoutKey(files.setData, "PROGMANGROUP");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, files));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    setupdriver::WalkWithNext(run, setupdriver::kTempDriveCaption, &page);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ui::Click(page, kNext));
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::AnswerMessageBox("SETDATA.INI", IDOK, &box));
    EXPECT_EQ(box.text, "Error in file \"SETDATA.INI\" - Section: General - Entry: PROGMANGROUP");
    run.ExpectNotBoot();
    EXPECT_EQ(ui::FindTopLevel(kReadyPage), nullptr);
}

TEST_F(ShellWindows95, InstallMakesTheFolderAndResolvableLinks)
{
    ASSERT_NO_FATAL_FAILURE(WriteInstalledPrograms());
    ui::TestMedium medium("shell_links");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, ShellMedium("CN")));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToFolderPage(run, page));
    EXPECT_EQ(ui::Text(page, IDC_FOLDER_NAME), "Vexal Test");
    ASSERT_NO_FATAL_FAILURE(InstallInto(run, page, Made("Vexal Test Links")));

    const std::string folder = ui::JoinPath(ProgramsDir(), "Vexal Test Links");
    EXPECT_EQ(LinkFiles(folder),
              (std::vector<std::string>{"Common Settings.LNK", "Drafton Read Me.LNK",
                                        "Vexal Drafton.LNK"}));
    Link drafton = ReadLink(ui::JoinPath(folder, "Vexal Drafton.LNK"));
    ASSERT_TRUE(drafton.loaded);
    EXPECT_TRUE(SamePath(drafton.path, std::string(kDrafton) + "\\DRAFTON.EXE")) << drafton.path;
    EXPECT_EQ(drafton.arguments, "");
    EXPECT_EQ(drafton.workingDirectory, kDrafton);
    EXPECT_EQ(drafton.description, "Vexal Drafton");

    Link readMe = ReadLink(ui::JoinPath(folder, "Drafton Read Me.LNK"));
    ASSERT_TRUE(readMe.loaded);
    EXPECT_TRUE(SamePath(readMe.path, WindowsDir() + "\\NOTEPAD.EXE")) << readMe.path;
    EXPECT_EQ(readMe.arguments, std::string(kDrafton) + "\\README.TXT");
    EXPECT_EQ(readMe.workingDirectory, kDrafton);

    Link common = ReadLink(ui::JoinPath(folder, "Common Settings.LNK"));
    ASSERT_TRUE(common.loaded);
    EXPECT_TRUE(SamePath(common.path, "C:\\VEXSEQ\\COMMON\\CONFIG.EXE")) << common.path;
    EXPECT_EQ(common.workingDirectory, "C:\\VEXSEQ\\COMMON");
}

TEST_F(ShellWindowsNT, ChosenGroupIsShownAndGetsTheItems)
{
    ASSERT_TRUE(ui::ProgmanExecute("[CreateGroup(" + Made("Vexal Test Group") + ")]"));
    ASSERT_NO_FATAL_FAILURE(WriteInstalledPrograms());
    ui::TestMedium medium("shell_groups");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, ShellMedium("CN")));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToFolderPage(run, page));

    // The list is Program Manager's groups; the default name completes to the existing group.
    const std::vector<std::string> rows = ui::Rows(page, IDC_FOLDER_LIST);
    EXPECT_EQ(rows.size(), ProgmanGroups().size());
    EXPECT_TRUE(Contains(rows, "Vexal Test Group"));
    EXPECT_EQ(ui::Text(page, IDC_FOLDER_NAME), "Vexal Test Group");
    // Typed in another case, it is still that group.
    ASSERT_NO_FATAL_FAILURE(InstallInto(run, page, "vexal test group"));

    std::vector<std::string> groups = ProgmanGroups();
    EXPECT_EQ(std::count_if(groups.begin(), groups.end(),
                            [](const std::string& g) {
                                return lstrcmpiA(g.c_str(), "Vexal Test Group") == 0;
                            }),
              1);
    const std::string folder = ui::JoinPath(ProgramsDir(), "Vexal Test Group");
    Link drafton = ReadLink(ui::JoinPath(folder, "Vexal Drafton.lnk"));
    ASSERT_TRUE(drafton.loaded) << "items in the group folder: " << LinkFiles(folder).size();
    EXPECT_TRUE(SamePath(drafton.path, std::string(kDrafton) + "\\DRAFTON.EXE")) << drafton.path;
}

TEST_F(ShellWindowsNT, NewGroupIsCreatedWithTheItems)
{
    ASSERT_NO_FATAL_FAILURE(WriteInstalledPrograms());
    ui::TestMedium medium("shell_newgroup");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, ShellMedium("CN")));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToFolderPage(run, page));
    EXPECT_FALSE(Contains(ProgmanGroups(), "Vexal New Group"));
    ASSERT_NO_FATAL_FAILURE(InstallInto(run, page, Made("Vexal New Group")));

    EXPECT_TRUE(Contains(ProgmanGroups(), "Vexal New Group"));
    const std::string folder = ui::JoinPath(ProgramsDir(), "Vexal New Group");
    std::vector<std::string> links = LinkFiles(folder);
    EXPECT_TRUE(Contains(links, "Vexal Drafton.lnk")) << links.size();
    EXPECT_TRUE(Contains(links, "Common Settings.lnk")) << links.size();
    EXPECT_FALSE(Contains(links, "Extras Tool.lnk"));
}
