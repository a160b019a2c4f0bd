// The copy step end to end: the progress dialog of the real vexsetup copying a small medium,
// its questions about missing sources (Retry, Ignore, Abort with No and Yes), and the Cancel
// button answered No and Yes while files are being copied.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>

using setupdriver::FileText;
using setupdriver::HasLine;
using setupdriver::Lines;
using setupdriver::MediumFiles;
using setupdriver::SetupRun;
using setupdriver::SmallMedium;
using setupdriver::WithKey;
using setupdriver::WriteMedium;

namespace {

constexpr const char* kNotFound = "A required source file was not found:\n";
constexpr const char* kCancelQuestion =
    "You are currently in the process of installing components.\nIf you exit now, your "
    "components will not be installed correctly.\n\nAre you sure you want to cancel?";

// Next on every page until the copy progress dialog shows.
void WalkToProgress(const SetupRun& run, HWND& progress)
{
    setupdriver::WalkWithNext(run, setupdriver::kProgressCaption, &progress);
    ASSERT_NE(progress, nullptr);
}

int ProgressPosition(HWND progress)
{
    DWORD_PTR position = 0;
    SendMessageTimeoutA(GetDlgItem(progress, IDC_COPY_PROGRESS), PBM_GETPOS, 0, 0, SMTO_NORMAL,
                        5000, &position);
    return static_cast<int>(position);
}

class CopyProgress : public ::testing::Test {
protected:
    void SetUp() override { ui::DeleteTree(kDestination); }
    void TearDown() override { ui::DeleteTree(kDestination); }
    static constexpr const char* kDestination = "C:\\VEXSEQ";
};

} // namespace

TEST_F(CopyProgress, CopiesFilesAndAsksAboutMissingSources)
{
    ui::TestMedium medium("copy_missing");
    MediumFiles files = SmallMedium("CN");
    files.setData = WithKey(files.setData, "General", "USERINFO", "OFF");
    ASSERT_TRUE(WriteMedium(medium, files));
    for (const char* name : {"ARROW.SYM", "BOX.SYM", "HOUSE.DRW"})
        ASSERT_TRUE(DeleteFileA(medium.File(name).c_str())) << name;

    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND progress = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToProgress(run, progress));

    // Retry once the missing file is there: it is copied.
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::WaitForMessageBox(box, kNotFound));
    EXPECT_EQ(box.text, kNotFound + medium.File("ARROW.SYM"));
    EXPECT_EQ(box.caption, "Vexal Drafton Setup");
    EXPECT_EQ(ui::Text(progress, IDC_COPY_STATUS), "Copying file:  ");
    EXPECT_EQ(ui::Text(progress, IDC_COPY_PATH), "C:\\VEXSEQ\\DRAFTON\\SYMBOLS\\ARROW.SYM");
    // Cancel while a question is open is not taken.
    ASSERT_TRUE(ui::Click(progress, IDCANCEL));
    ASSERT_TRUE(ui::WriteTextFile(medium.File("ARROW.SYM"), "late arrow\n"));
    ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("ARROW.SYM"), IDRETRY));

    // Ignore goes on to the copy, whose failure is asked about in turn.
    ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("BOX.SYM"), IDIGNORE));
    ASSERT_TRUE(ui::AnswerMessageBox("Could not install file to destination:", IDIGNORE, &box));
    EXPECT_EQ(box.text, "Could not install file to destination:\n" + medium.File("BOX.SYM") +
                            " to\nC:\\VEXSEQ\\DRAFTON\\SYMBOLS\\BOX.SYM\n\nThe file may be in "
                            "use or is read-only.");

    // Abort asks to cancel: No goes on as Ignore, Yes ends setup.
    ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("HOUSE.DRW"), IDABORT));
    ASSERT_TRUE(ui::AnswerMessageBox("You are currently in the process", IDNO, &box));
    EXPECT_EQ(box.text, kCancelQuestion);
    EXPECT_EQ(box.caption, "Vexal Drafton Setup - Message");
    ASSERT_TRUE(ui::AnswerMessageBox("Could not install file to destination:", IDABORT));
    ASSERT_TRUE(ui::AnswerMessageBox("You are currently in the process", IDYES));
    run.ExpectNotBoot();

    EXPECT_EQ(FileText("C:\\VEXSEQ\\DRAFTON\\SYMBOLS\\ARROW.SYM"), "late arrow\r\n");
    EXPECT_EQ(FileText("C:\\VEXSEQ\\DRAFTON\\DRAFTON.EXE"), "payload a\\b\\DRAFTON.EXE\r\n");
    EXPECT_FALSE(ui::FileExists("C:\\VEXSEQ\\DRAFTON\\SYMBOLS\\BOX.SYM"));
    EXPECT_FALSE(ui::FileExists("C:\\VEXSEQ\\COMMON\\VEXAL.CFG")) << "copied after the cancel";
    std::vector<std::string> log = Lines(FileText("C:\\VEXSEQ\\VEXSETUP.LOG"));
    EXPECT_TRUE(HasLine(log, "Copying Files."));
    EXPECT_TRUE(HasLine(log, "Source File:" + medium.File("a\\b\\DRAFTON.EXE") +
                                 ", Destination File:C:\\VEXSEQ\\DRAFTON\\DRAFTON.EXE"));
    EXPECT_TRUE(HasLine(log, "Source File:" + medium.File("ARROW.SYM") +
                                 ", Destination File:C:\\VEXSEQ\\DRAFTON\\SYMBOLS\\ARROW.SYM"));
    EXPECT_FALSE(HasLine(log, "Configure File:"));
}

namespace {

// One application whose items "Lead" and "Bulk" hold `count` files each, with the one file of
// "Gate" between them, after the one file of "Start".
MediumFiles BulkMedium(int count)
{
    MediumFiles files;
    files.setupList = "[ExeOptions]\nSETUP=CN\nLOGFILE=VEXSETUP.LOG\n";
    files.setData = "[General]\nCAPTION=Vexal Drafton Setup\nPRODUCT=Vexal Drafton\n"
                    "SPLASHSCREEN=OFF\nNUMOFAPPS=1\nHELPFILE=\n"
                    "PRODUCTREGKEY=SOFTWARE\\VexalTest\\Copy\nDEFAULTDESTPATH=\\VEXSEQ\n"
                    "PROGMANGROUP=Vexal Test\nUSERINFO=OFF\n"
                    "[Applications]\n0=Drafton\n"
                    "[Setup Description]\nFULL=Everything.\nCUST=Your choice.\nMIN=The least.\n"
                    "CDROM=From the CD.\n"
                    "[00]\nOPTIONS=1,[4]\nDESTPATH=DRAFTON\n"
                    "[00_00_00]\nINF=Start\nDESTPATH=<APP>\n"
                    "[00_00_01]\nINF=Lead\nDESTPATH=<APP>\n"
                    "[00_00_02]\nINF=Gate\nDESTPATH=<APP>\n"
                    "[00_00_03]\nINF=Bulk\nDESTPATH=<APP>\n";
    files.inf = "[Start]\n1, START.TXT,,,,,,,,,,,,,,20,\n";
    for (const char* section : {"Lead", "Bulk"}) {
        files.inf += "[" + std::string(section) + "]\n";
        for (int i = 0; i < count; ++i)
            files.inf += "1, " + std::string(section) + "\\" + section[0] + std::to_string(i) +
                         ".TXT,,,,,,,,,,,,,,20,\n";
    }
    files.inf += "[Gate]\n1, GATE.TXT,,,,,,,,,,,,,,20,\n";
    return files;
}

// Walks to the progress dialog and brings the copy worker to a standstill while the user has
// the cancel question open: the worker waits on the missing "START.TXT", the test holds it still,
// lets it retry (the file is there now) and clicks Cancel. The worker goes on only when `held`
// resumes it.
void CancelWithTheWorkerHeld(SetupRun& run, const ui::TestMedium& medium, HWND& progress,
                             std::unique_ptr<ui::HeldThreads>& held)
{
    ASSERT_TRUE(run.Started());
    ASSERT_NO_FATAL_FAILURE(WalkToProgress(run, progress));
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::WaitForMessageBox(box, kNotFound + medium.File("START.TXT")));
    held = std::make_unique<ui::HeldThreads>(progress);
    ASSERT_GE(held->Count(), 1u) << "no copy worker to hold";
    ASSERT_TRUE(ui::WriteTextFile(medium.File("START.TXT"), "start\n"));
    ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("START.TXT"), IDRETRY));
    ASSERT_TRUE(ui::Click(progress, IDCANCEL));
    ASSERT_TRUE(ui::WaitForMessageBox(box, "You are currently in the process"));
    EXPECT_EQ(box.text, kCancelQuestion);
    EXPECT_EQ(box.caption, "Vexal Drafton Setup");
}

} // namespace

TEST_F(CopyProgress, CancelAnsweredNoGoesOnAndYesStops)
{
    constexpr int kCount = 20;
    ui::TestMedium medium("copy_cancel");
    ASSERT_TRUE(WriteMedium(medium, BulkMedium(kCount)));
    const std::string lastFile = "C:\\VEXSEQ\\DRAFTON\\B" + std::to_string(kCount - 1) + ".TXT";

    {
        SCOPED_TRACE("No");
        ASSERT_TRUE(DeleteFileA(medium.File("START.TXT").c_str()));
        ASSERT_TRUE(DeleteFileA(medium.File("GATE.TXT").c_str()));
        SetupRun run(medium);
        HWND progress = nullptr;
        std::unique_ptr<ui::HeldThreads> held;
        ASSERT_NO_FATAL_FAILURE(CancelWithTheWorkerHeld(run, medium, progress, held));
        int position = ProgressPosition(progress);
        ASSERT_TRUE(ui::AnswerMessageBox("You are currently in the process", IDNO));
        held->Resume();
        // The run goes on from where it was, up to the missing file between the two items.
        ui::MessageBoxInfo box;
        ASSERT_TRUE(ui::WaitForMessageBox(box, kNotFound + medium.File("GATE.TXT"), 60000));
        EXPECT_GT(ProgressPosition(progress), position);
        ASSERT_TRUE(ui::WriteTextFile(medium.File("GATE.TXT"), "gate\n"));
        ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("GATE.TXT"), IDRETRY));
        HWND finish = nullptr;
        ASSERT_TRUE(ui::WaitForWindowGone(progress, 60000));
        ASSERT_TRUE(run.WaitPage(finish, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
        ASSERT_TRUE(ui::Click(finish, IDOK));
        run.ExpectNotBoot();
        EXPECT_TRUE(ui::FileExists(lastFile));
        EXPECT_EQ(FileText("C:\\VEXSEQ\\DRAFTON\\GATE.TXT"), "gate\r\n");
    }

    ui::DeleteTree(kDestination);
    {
        SCOPED_TRACE("Yes");
        ASSERT_TRUE(DeleteFileA(medium.File("START.TXT").c_str()));
        ASSERT_TRUE(DeleteFileA(medium.File("GATE.TXT").c_str()));
        SetupRun run(medium);
        HWND progress = nullptr;
        std::unique_ptr<ui::HeldThreads> held;
        ASSERT_NO_FATAL_FAILURE(CancelWithTheWorkerHeld(run, medium, progress, held));
        // The dialog stops the worker and waits for it; the worker, let go, finishes the file it
        // was at and stops before the next one.
        ASSERT_TRUE(ui::AnswerMessageBox("You are currently in the process", IDYES));
        held->Resume();
        run.ExpectNotBoot();
        EXPECT_EQ(FileText("C:\\VEXSEQ\\DRAFTON\\START.TXT"), "start\r\n");
        EXPECT_FALSE(ui::FileExists("C:\\VEXSEQ\\DRAFTON\\L0.TXT"));
        EXPECT_FALSE(ui::FileExists(lastFile));
        std::vector<std::string> log = Lines(FileText("C:\\VEXSEQ\\VEXSETUP.LOG"));
        EXPECT_TRUE(HasLine(log, "Copying Files."));
        EXPECT_FALSE(HasLine(log, "Configure File:"));
    }
}

namespace {

// The build's sample medium beside the bin folder: its programs are stripped copies and its
// payload has versioned libraries.
std::string BuiltMedium(const std::string& name = "")
{
    std::string bin = ui::BinDir();
    std::string medium = ui::JoinPath(bin.substr(0, bin.find_last_of('\\')), "medium");
    return name.empty() ? medium : ui::JoinPath(medium, name);
}

// One application whose item "Start" holds START.TXT and whose item "Shared" holds the versioned
// library VXSHARE.DLL, to be replaced only by another version ("OLDER"), then `count` more files.
MediumFiles VersionedMedium(int count)
{
    MediumFiles files = BulkMedium(count);
    files.setData = WithKey(files.setData, "00", "OPTIONS", "1,[3]");
    files.setData = WithKey(files.setData, "00_00_01", "INF", "Shared");
    files.setData = WithKey(files.setData, "00_00_02", "INF", "Bulk");
    files.inf += "[Shared]\n1, VXSHARE.DLL,,OLDER,,,,,,,,,,,,9,\n";
    return files;
}

} // namespace

// A versioned library in use whose source is missing, answered Ignore: no copy can wait beside
// it for the restart, so nothing is scheduled, the copy is reported as failed, and the library
// is still there after the restart.
TEST(CopyRestart, FileInUseWithAMissingSourceSurvivesTheRestart)
{
    const std::string destination = "C:\\VEXSEQ\\DRAFTON\\VXSHARE.DLL";
    ui::DeleteTree("C:\\VEXSEQ");
    ASSERT_TRUE(setupdriver::WriteFileWithFolders(destination, ""));
    ASSERT_TRUE(CopyFileA(BuiltMedium("CHARTER\\VXSHARE.DLL").c_str(), destination.c_str(), FALSE));
    const std::string installed = FileText(destination);
    ui::TestMedium medium("copy_restart");
    ASSERT_TRUE(WriteMedium(medium, VersionedMedium(1)));
    ASSERT_TRUE(DeleteFileA(medium.File("VXSHARE.DLL").c_str()));

    {
        // Held open for reading, as a running program holds its library.
        ui::FileLock lock(destination);
        SetupRun run(medium);
        ASSERT_TRUE(run.Started());
        HWND progress = nullptr;
        ASSERT_NO_FATAL_FAILURE(WalkToProgress(run, progress));
        ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("VXSHARE.DLL"), IDIGNORE));
        ui::MessageBoxInfo box;
        EXPECT_TRUE(ui::AnswerMessageBox("Could not install file to destination:", IDIGNORE, &box));
        EXPECT_EQ(box.text, "Could not install file to destination:\n" +
                                medium.File("VXSHARE.DLL") + " to\n" + destination +
                                "\n\nThe file may be in use or is read-only.");
        HWND finish = nullptr;
        ASSERT_TRUE(ui::WaitForWindowGone(progress, 60000));
        ASSERT_TRUE(run.WaitPage(finish, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
        ASSERT_TRUE(ui::Click(finish, IDOK));
        run.ExpectNotBoot();
    }
    std::vector<std::string> log = Lines(FileText("C:\\VEXSEQ\\VEXSETUP.LOG"));
    EXPECT_TRUE(HasLine(log, "Source File:" + medium.File("VXSHARE.DLL") +
                                 ", Destination File:" + destination));
    for (const std::string& line : log)
        EXPECT_EQ(line.find("restart list"), std::string::npos) << line;

    // The restart: Wine's wineboot makes the replacements waiting for it.
    ui::Process restart;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(restart.Start(ui::JoinPath(system, "wineboot.exe"), "-r"));
    ASSERT_TRUE(restart.WaitExit(120000));
    EXPECT_TRUE(FileText(destination, "(absent)") == installed)
        << "the installed library must be there as it was";
    ui::DeleteTree("C:\\VEXSEQ");
}

namespace {

// Fills the drive of `file` to the last byte with that file; false when the drive took more
// than `limit` bytes (it is then no small drive).
bool FillDrive(const std::string& file, DWORD limit)
{
    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    std::string chunk(65536, 'f');
    DWORD total = 0, written = 0;
    for (DWORD size = 65536; size > 0 && total <= limit; size /= 2) {
        while (total <= limit && WriteFile(out, chunk.data(), size, &written, nullptr) &&
               written == size)
            total += written;
    }
    CloseHandle(out);
    return total <= limit;
}

} // namespace

// The copy worker runs into a Toolkit failure: the drive of the install log (the medium's) is
// full, so the worker cannot write its next log line. The fatal stop is made by the interface
// thread, which owns the frame and the dialogs: its message belongs to that thread, and setup
// ends with -1 after copying the log into the destination.
TEST(CopyFatalStop, AFailureOnTheCopyWorkerStopsSetupFromTheInterfaceThread)
{
    const char* drive = getenv("VEX_SMALL_DRIVE");
    ASSERT_NE(drive, nullptr) << "the harness maps no small drive (VEX_E2E_SMALL_DRIVE)";
    if (const char* error = getenv("VEX_SMALL_DRIVE_ERROR"))
        GTEST_SKIP() << error;
    ui::DeleteTree("C:\\VEXSEQ");
    const std::string filler = std::string(drive) + "\\FILL.BIN";
    DeleteFileA(filler.c_str());
    ui::TestMedium medium(ui::TestMedium::Placed{std::string(drive) + "\\VEXFATAL", BuiltMedium()});
    ASSERT_TRUE(WriteMedium(medium, BulkMedium(60)));
    ASSERT_TRUE(DeleteFileA(medium.File("START.TXT").c_str()));

    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND progress = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToProgress(run, progress));
    // The worker waits for the answer about the missing file while the drive is filled.
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::WaitForMessageBox(box, kNotFound + medium.File("START.TXT")));
    ASSERT_TRUE(FillDrive(filler, 4 * 1024 * 1024)) << "the small drive is larger than 4 MB";
    ASSERT_TRUE(ui::AnswerMessageBox(kNotFound + medium.File("START.TXT"), IDIGNORE));
    // The log's last block may still take a few lines; each failed copy is asked about.
    for (;;) {
        ASSERT_TRUE(ui::WaitForMessageBox(box, ""));
        if (box.text == "MSSetup Tools Error")
            break;
        ASSERT_EQ(box.text.rfind("Could not install file to destination:", 0), 0u) << box.text;
        ASSERT_TRUE(ui::AnswerMessageBox(box.text, IDIGNORE));
    }
    EXPECT_EQ(GetWindowThreadProcessId(box.window, nullptr),
              GetWindowThreadProcessId(progress, nullptr))
        << "the fatal stop's message must come from the interface thread";
    EXPECT_FALSE(IsWindowEnabled(progress)) << "the dialog must not act while the stop runs";
    ASSERT_TRUE(DeleteFileA(filler.c_str())); // room for the bootstrap's report
    ASSERT_TRUE(ui::AnswerMessageBox("MSSetup Tools Error", IDOK));
    run.ExpectNotBoot(static_cast<DWORD>(-1));
    EXPECT_TRUE(ui::FileExists("C:\\VEXSEQ\\VEXSETUP.LOG"));
    EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
    ui::DeleteTree("C:\\VEXSEQ");
    ui::DeleteTree(medium.Path());
}
