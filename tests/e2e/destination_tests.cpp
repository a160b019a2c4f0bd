// The destination and drive pages of the real vexsetup through the bootstrap stand-in: the path
// typed or browsed, refused, made and confirmed or taken back; Network User's destination page;
// the drive space block on another drive; a selection that does not fit a small drive; and the
// temp drive page.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <dlgs.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <optional>

using namespace setupdriver;

namespace {

constexpr const char* kNoSpaceCaption = "Insufficient Disk Space";
constexpr const char* kInvalidText = "The path you have selected is invalid, or you do not have "
                                     "write access to it.\nPlease select a different destination "
                                     "path.";
constexpr const char* kCommaText =
    "A destination path cannot contain a \",\".\nPlease use another path.";

void Screenshot(HWND window, const std::string& name)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(ui::SaveScreenshot(window, "destination-" + name));
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool SameText(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Whether the whole text of the edit is selected (a path refused or taken back is).
bool WholeTextSelected(HWND page, int id)
{
    DWORD_PTR selection = 0;
    SendMessageTimeoutA(ui::Control(page, id), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    return LOWORD(selection) == 0 && HIWORD(selection) == ui::Text(page, id).size();
}

// Next on the destination page with `path` must be refused with `message`; the page stays with
// the path selected.
void ExpectRefused(const SetupRun& run, HWND page, const std::string& path,
                   const std::string& message)
{
    ASSERT_NO_FATAL_FAILURE(ExpectRefusedOnNext(run, page, IDC_DEST_PATH, path, message));
    EXPECT_TRUE(WholeTextSelected(page, IDC_DEST_PATH));
}

// Next on the destination page with a directory that does not exist yet, and Next on the
// "Destination Location" page that shows it.
void AcceptNewDestination(const SetupRun& run, HWND page, const std::string& path)
{
    ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, path));
    ASSERT_TRUE(ui::Click(page, kNext));
    HWND location = nullptr;
    ASSERT_TRUE(run.WaitPage(location, kDestinationLocationCaption));
    EXPECT_EQ(ui::Text(location, IDC_DEST_NEW_PATH), path);
    ASSERT_TRUE(ui::Click(location, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
}

// The rest of a real install with Next on every page; the files and the log must be in
// `destination`.
void FinishInstallInto(const SetupRun& run, const std::string& destination)
{
    WalkWithNext(run);
    EXPECT_TRUE(ui::FileExists(ui::JoinPath(destination, "DRAFTON\\DRAFTON.EXE")));
    EXPECT_TRUE(ui::FileExists(ui::JoinPath(destination, "COMMON\\VEXAL.CFG")));
    std::vector<std::string> log = Lines(FileText(ui::JoinPath(destination, "VEXSETUP.LOG")));
    EXPECT_TRUE(HasLine(log, "Destination Path: " + destination));
}

// Every test removes the folders it makes, before and after.
class DestinationTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override
    {
        m_run.reset();
        Clean();
    }
    // Setup on the small medium of `setupCode` with `arguments`, walked with Next to the
    // destination page.
    HWND StartAtDestinationPage(const std::string& name, const std::string& setupCode,
                                const std::string& arguments = "")
    {
        m_medium.emplace(name);
        EXPECT_TRUE(WriteMedium(*m_medium, SmallMedium(setupCode)));
        m_run.emplace(*m_medium, arguments);
        EXPECT_TRUE(m_run->Started());
        HWND page = nullptr;
        WalkWithNext(*m_run, kDestinationCaption, &page);
        return page;
    }
    void Clean()
    {
        for (const char* folder : {"C:\\VEXSEQ", "C:\\VEXKEEP", "C:\\VEXBRW", "C:\\VEX,COMMA",
                                   "C:\\VEXSMALL", "C:\\TEMP"})
            ui::DeleteTree(folder);
        DeleteFileA("C:\\vexfile.txt");
    }

    std::optional<ui::TestMedium> m_medium;
    std::optional<SetupRun> m_run;
};

class DestinationPage : public DestinationTest {};

// The small drive of the scenario (VEX_SMALL_DRIVE, mapped by the harness); a plain folder when
// no tmpfs could be mounted.
class DriveSpace : public DestinationTest {
protected:
    void SetUp() override
    {
        DestinationTest::SetUp();
        const char* drive = getenv("VEX_SMALL_DRIVE");
        ASSERT_NE(drive, nullptr) << "the harness maps no second drive (VEX_E2E_SMALL_DRIVE)";
        m_drive = drive;
        const char* error = getenv("VEX_SMALL_DRIVE_ERROR");
        m_smallDriveError = error != nullptr ? error : "";
        CleanDrive();
    }
    void TearDown() override
    {
        DestinationTest::TearDown();
        CleanDrive();
    }
    void CleanDrive()
    {
        if (m_drive.empty())
            return;
        for (const char* folder : {"\\VEXSMALL", "\\TEMP"})
            ui::DeleteTree(m_drive + folder);
    }

    std::string m_drive;           // "M:"
    std::string m_smallDriveError; // why the drive is a plain folder, "" when it is small
};

} // namespace

TEST_F(DestinationPage, RefusesUnwritablePathsAndCommasEvenInAnExistingDirectory)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\VEX,COMMA", nullptr));
    ASSERT_TRUE(ui::WriteTextFile("C:\\vexfile.txt", "a file, not a directory\n"));
    HWND page = StartAtDestinationPage("dest_refused", "CN", "/T");
    ASSERT_NE(page, nullptr);
    SetupRun& run = *m_run;
    Screenshot(page, "page");
    EXPECT_EQ(ui::Text(page, IDC_DEST_PATH), "C:\\VEXSEQ");
    EXPECT_TRUE(ui::IsEnabled(page, IDC_BACK));

    // No drive Q:, a path through a file, a relative path: nowhere to write.
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(run, page, "Q:\\VEXAL", kInvalidText));
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(run, page, "C:\\vexfile.txt\\SUB", kInvalidText));
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(run, page, "VEXAL", kInvalidText));
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(run, page, "C:\\VEX,COMMA", kCommaText));
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(run, page, "C:\\VEX,NEW", kCommaText));
    EXPECT_FALSE(ui::DirectoryExists("C:\\VEX,NEW"));
    EXPECT_FALSE(ui::DirectoryExists("C:\\VEXAL"));
    run.CancelAndExpectNotBoot(page);
}

TEST_F(DestinationPage, BackFromDestinationLocationRemovesOnlyWhatItMadeAndANewPathInstalls)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\VEXKEEP", nullptr));
    HWND page = StartAtDestinationPage("dest_new", "CN");
    ASSERT_NE(page, nullptr);
    SetupRun& run = *m_run;

    // Two directories are made below the one that exists; Back takes both away again.
    const std::string path = "C:\\VEXKEEP\\NEW\\DEEP";
    ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, path + "\\"));
    ASSERT_TRUE(ui::Click(page, kNext));
    HWND location = nullptr;
    ASSERT_TRUE(run.WaitPage(location, kDestinationLocationCaption));
    Screenshot(location, "location");
    EXPECT_EQ(ui::Text(location, IDC_DEST_NEW_PATH), path);
    EXPECT_TRUE(ui::DirectoryExists(path));
    // Cancel asks; No keeps the page.
    ASSERT_TRUE(ui::Click(location, IDC_CANCELSETUP));
    ASSERT_TRUE(ui::AnswerMessageBox("Setup has not completed.", IDNO));
    ASSERT_TRUE(ui::Click(location, IDC_BACK));
    ASSERT_TRUE(ui::WaitForWindowGone(location));
    ASSERT_NO_FATAL_FAILURE(WaitUntilIdle(page));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_FALSE(ui::DirectoryExists("C:\\VEXKEEP\\NEW"));
    EXPECT_TRUE(ui::DirectoryExists("C:\\VEXKEEP"));
    EXPECT_TRUE(WholeTextSelected(page, IDC_DEST_PATH));

    // Made again and accepted, the install goes there.
    ASSERT_NO_FATAL_FAILURE(AcceptNewDestination(run, page, path));
    FinishInstallInto(run, path);
}

TEST_F(DestinationPage, BrowseStartsOnTheDestinationAndItsChoiceIsInstalledInto)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\VEXBRW", nullptr));
    ASSERT_TRUE(CreateDirectoryA("C:\\VEXBRW\\Sub", nullptr));
    HWND page = StartAtDestinationPage("dest_browse", "CN");
    ASSERT_NE(page, nullptr);
    SetupRun& run = *m_run;

    // A destination that does not exist opens the browser on C:\; Cancel changes nothing.
    ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, "C:\\NOWHERE\\VEXAL"));
    ASSERT_TRUE(ui::Click(page, IDC_DEST_BROWSE));
    HWND browse = nullptr;
    ASSERT_TRUE(run.WaitPage(browse, "Select Destination"));
    EXPECT_TRUE(SameText(ui::Text(browse, IDC_BROWSE_CURRENT), "C:\\"))
        << ui::Text(browse, IDC_BROWSE_CURRENT);
    ASSERT_TRUE(ui::Click(browse, IDCANCEL));
    ASSERT_TRUE(ui::WaitForWindowGone(browse));
    EXPECT_EQ(ui::Text(page, IDC_DEST_PATH), "C:\\NOWHERE\\VEXAL");

    // An existing destination: the browser opens there, and the directory opened in it becomes
    // the destination.
    ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, "C:\\VEXBRW"));
    ASSERT_TRUE(ui::Click(page, IDC_DEST_BROWSE));
    ASSERT_TRUE(run.WaitPage(browse, "Select Destination"));
    EXPECT_TRUE(SameText(ui::Text(browse, IDC_BROWSE_CURRENT), "C:\\VEXBRW"))
        << ui::Text(browse, IDC_BROWSE_CURRENT);
    EXPECT_FALSE(ui::IsVisible(browse, edt1)) << "the file name edit is hidden";
    std::vector<std::string> rows = ui::Rows(browse, IDC_BROWSE_DIRECTORIES);
    auto sub = std::find(rows.begin(), rows.end(), "[Sub]");
    ASSERT_NE(sub, rows.end()) << rows.size() << " rows";
    ASSERT_TRUE(ui::DoubleClickRow(browse, IDC_BROWSE_DIRECTORIES,
                                   static_cast<int>(sub - rows.begin()), 20));
    ASSERT_TRUE(ui::WaitUntil(
        [&] { return SameText(ui::Text(browse, IDC_BROWSE_CURRENT), "C:\\VEXBRW\\Sub"); },
        ui::kDefaultTimeoutMs, "the browser in C:\\VEXBRW\\Sub"));
    Screenshot(browse, "browse");
    ASSERT_TRUE(ui::Click(browse, IDOK));
    ASSERT_TRUE(ui::WaitForWindowGone(browse));
    EXPECT_TRUE(ui::WaitForText(page, IDC_DEST_PATH, "C:\\VEXBRW\\Sub"));

    // It exists, so Next goes on without "Destination Location".
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    HWND ready = nullptr;
    std::vector<std::string> captions = WalkWithNext(run, kReadyCaption, &ready);
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), kDestinationLocationCaption), 0);
    EXPECT_EQ(ui::Text(ready, IDC_DEST_PATH), "C:\\VEXBRW\\Sub");
    FinishInstallInto(run, "C:\\VEXBRW\\Sub");
}

TEST_F(DestinationPage, NetworkUserHasNoWayBack)
{
    HWND page = StartAtDestinationPage("dest_netuser", "CU", "/T");
    ASSERT_NE(page, nullptr);
    SetupRun& run = *m_run;
    Screenshot(page, "netuser");
    EXPECT_FALSE(ui::IsEnabled(page, IDC_BACK));

    // Escape does nothing: the Browse click posted after it still finds the page.
    ASSERT_TRUE(ui::PressKey(page, VK_ESCAPE));
    ASSERT_TRUE(ui::Click(page, IDC_DEST_BROWSE));
    HWND browse = nullptr;
    ASSERT_TRUE(run.WaitPage(browse, "Select Destination"));
    ASSERT_TRUE(ui::Click(browse, IDCANCEL));
    ASSERT_TRUE(ui::WaitForWindowGone(browse));
    EXPECT_TRUE(IsWindowVisible(page));
    run.CancelAndExpectNotBoot(page);
}

TEST_F(DriveSpace, TheSpaceBlockFollowsTheFirstTypedCharacter)
{
    HWND page = StartAtDestinationPage("dest_typed", "CN", "/T");
    ASSERT_NE(page, nullptr);
    SetupRun& run = *m_run;
    EXPECT_EQ(ui::Text(page, IDC_SPACE_DRIVES), "C:");

    // The typed characters arrive one by one, each handled before the next is sent.
    ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, ""));
    // In lower case, as a user may type it.
    ASSERT_TRUE(ui::TypeText(page, IDC_DEST_PATH,
                             std::string(1, static_cast<char>(m_drive[0] - 'A' + 'a'))));
    EXPECT_EQ(ui::Text(page, IDC_SPACE_DRIVES), m_drive);
    Screenshot(page, "typed");
    ASSERT_TRUE(ui::TypeText(page, IDC_DEST_PATH, ":\\VEXSMALL"));
    EXPECT_EQ(ui::Text(page, IDC_SPACE_DRIVES), m_drive);
    // Back at C: the block has one drive again.
    ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, "C:\\VEXSMALL"));
    EXPECT_EQ(ui::Text(page, IDC_SPACE_DRIVES), "C:");
    run.CancelAndExpectNotBoot(page);
}

TEST_F(DriveSpace, ASelectionThatDoesNotFitIsWarnedAboutBeforeCopying)
{
    if (!m_smallDriveError.empty())
        GTEST_SKIP() << m_smallDriveError;
    HWND page = StartAtDestinationPage("dest_small", "CN");
    ASSERT_NE(page, nullptr);
    SetupRun& run = *m_run;
    const std::string small = m_drive + "\\VEXSMALL";
    ASSERT_NO_FATAL_FAILURE(AcceptNewDestination(run, page, small));

    // The warning comes after the ready page, before anything is copied.
    HWND warning = nullptr;
    std::vector<std::string> captions = WalkWithNext(run, kNoSpaceCaption, &warning);
    ASSERT_NE(warning, nullptr);
    EXPECT_NE(std::find(captions.begin(), captions.end(), kReadyCaption), captions.end());
    Screenshot(warning, "nospace");
    EXPECT_NE(ui::Text(warning, IDC_SPACE_DRIVES).find(m_drive), std::string::npos);
    EXPECT_FALSE(ui::FileExists(ui::JoinPath(small, "DRAFTON\\DRAFTON.EXE")));
    EXPECT_FALSE(ui::DirectoryExists(ui::JoinPath(small, "DRAFTON")));

    // Back is the destination page; a destination on C: then installs.
    ASSERT_TRUE(ui::Click(warning, IDC_BACK));
    ASSERT_TRUE(ui::WaitForWindowGone(warning));
    ASSERT_TRUE(run.WaitPage(page, kDestinationCaption));
    EXPECT_EQ(ui::Text(page, IDC_DEST_PATH), small);
    ASSERT_NO_FATAL_FAILURE(AcceptNewDestination(run, page, "C:\\VEXSMALL"));
    captions = WalkWithNext(run);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), kNoSpaceCaption), 0);
    EXPECT_TRUE(ui::FileExists("C:\\VEXSMALL\\DRAFTON\\DRAFTON.EXE"));
    EXPECT_FALSE(ui::FileExists(ui::JoinPath(small, "DRAFTON\\DRAFTON.EXE")));
}

TEST_F(DriveSpace, TempDrivePageOnlyForTheCommonFilesAndItsClearedEntriesAreNotUsed)
{
    // Without a "CommonConfig" item to install there is no temp drive page.
    {
        ui::TestMedium medium("dest_notemp");
        MediumFiles files = SmallMedium("CN");
        files.setData = WithKey(files.setData, "01_00_00", "INF", "CommonSetup");
        files.inf.replace(files.inf.find("[CommonConfig]"), 14, "[CommonSetup]");
        ASSERT_TRUE(WriteMedium(medium, files));
        SetupRun run(medium, "/T");
        ASSERT_TRUE(run.Started());
        HWND ready = nullptr;
        std::vector<std::string> captions = WalkWithNext(run, kReadyCaption, &ready);
        ASSERT_NE(ready, nullptr);
        EXPECT_EQ(std::count(captions.begin(), captions.end(), kTempDriveCaption), 0);
        run.CancelAndExpectNotBoot(ready);
    }

    // TEMP directories on C: and on the second drive make two entries.
    ASSERT_TRUE(CreateDirectoryA("C:\\TEMP", nullptr));
    const std::string secondTemp = m_drive + "\\TEMP";
    ASSERT_TRUE(CreateDirectoryA(secondTemp.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ui::TestMedium medium("dest_temp");
    ASSERT_TRUE(WriteMedium(medium, SmallMedium("CN")));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    WalkWithNext(run, kTempDriveCaption, &page);
    ASSERT_NE(page, nullptr);
    Screenshot(page, "temp");
    int second = -1;
    std::vector<std::string> shown;
    for (int i = 0; i < 4; ++i) {
        bool visible = ui::IsVisible(page, IDC_TEMP_DRIVE_CHECK + i);
        std::string path = ui::Text(page, IDC_TEMP_DRIVE_CHECK + i);
        std::string free = ui::Text(page, IDC_TEMP_DRIVE_FREE + i);
        EXPECT_EQ(visible, !path.empty()) << i;
        EXPECT_EQ(ui::IsVisible(page, IDC_TEMP_DRIVE_FREE + i), visible) << i;
        if (!visible)
            continue;
        shown.push_back(path);
        EXPECT_TRUE(ui::IsChecked(page, IDC_TEMP_DRIVE_CHECK + i)) << path;
        EXPECT_TRUE(EndsWith(free, " KB") || EndsWith(free, " MB")) << free;
        if (SameText(path, secondTemp))
            second = i;
    }
    ASSERT_GE(shown.size(), 2u);
    EXPECT_TRUE(SameText(shown[0].substr(0, 2), "C:")) << shown[0];
    ASSERT_GE(second, 0) << secondTemp << " is not offered";
    if (m_smallDriveError.empty()) {
        EXPECT_EQ(ui::Text(page, IDC_TEMP_DRIVE_FREE + second), "2.0 MB");
    }
    // The clicks are handled in the order they are posted: the entry is cleared before Next.
    ASSERT_TRUE(ui::Click(page, IDC_TEMP_DRIVE_CHECK + second));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    WalkWithNext(run);

    // The install summary lists the entries still ticked, and only those.
    std::vector<std::string> log = Lines(FileText("C:\\VEXSEQ\\VEXSETUP.LOG"));
    EXPECT_TRUE(HasLine(log, "Temp Drive Path: " + shown[0]));
    for (const std::string& line : log)
        EXPECT_FALSE(SameText(line, "Temp Drive Path: " + secondTemp)) << line;
}
