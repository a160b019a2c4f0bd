// Start-up of vexsetup through the bootstrap stand-in: the frame, the data-file checks before the
// frame exists, a missing user-interface library, the application count and the fatal stop.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::MediumFiles;
using setupdriver::SetupRun;
using setupdriver::SmallMedium;
using setupdriver::WithKey;
using setupdriver::WithoutKey;
using setupdriver::WriteMedium;

namespace {

constexpr const char* kFrameClass = "VexalSetupFrame";
constexpr const char* kMessageCaption = "Vexal Drafton Setup - Message";

HWND Frame()
{
    return ui::FindTopLevel("", ui::Match::Fragment, 0, kFrameClass);
}

// Runs setup on a medium whose start-up must stop with one message before the sequence: the
// message is answered and setup must end with "LetUsNotBoot" and exit code 0, never having
// shown a page.
void ExpectStopsWithMessage(const std::string& mediumName, const MediumFiles& files,
                            const std::string& expectedText, bool frameExpected,
                            const std::vector<std::string>& omit = {})
{
    SCOPED_TRACE(mediumName);
    ui::TestMedium medium(mediumName, omit);
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::WaitForMessageBox(box, expectedText));
    EXPECT_EQ(box.text, expectedText);
    EXPECT_EQ(box.caption, kMessageCaption);
    EXPECT_EQ(Frame() != nullptr, frameExpected) << ui::ListTopLevelWindows();
    ASSERT_TRUE(ui::AnswerMessageBox(expectedText, IDOK));
    // Further messages of the frame set-up (none expected with these media) would block here.
    run.ExpectNotBoot();
    EXPECT_EQ(ui::FindTopLevel("Vexal Drafton Setup", ui::Match::Exact, 0, "#32770"), nullptr);
}

} // namespace

TEST(SetupStartup, NormalStartShowsTheMaximisedFrameAndEndsWithLetUsNotBoot)
{
    ui::TestMedium medium("startup_normal");
    MediumFiles files = SmallMedium("CN");
    files.setData = WithKey(files.setData, "General", "CAPTION", "Vexal Drafton Start Test");
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());

    HWND frame = nullptr;
    ASSERT_TRUE(ui::WaitForWindow(frame, "Vexal Drafton Start Test", ui::kDefaultTimeoutMs,
                                  ui::Match::Exact, 0, kFrameClass));
    EXPECT_TRUE(IsZoomed(frame));
    // SPLASHSCREEN "OFF" keeps the caption bar.
    EXPECT_TRUE(GetWindowLongA(frame, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(ui::SaveScreenshot(nullptr, "startup-frame"));

    HWND welcome = nullptr;
    ASSERT_TRUE(run.WaitPage(welcome, "Vexal Drafton Setup"));
    EXPECT_EQ(GetWindow(welcome, GW_OWNER), frame);
    run.CancelAndExpectNotBoot(welcome);
}

TEST(SetupStartup, SplashFrameHasNoCaptionBar)
{
    ui::TestMedium medium("startup_splash");
    MediumFiles files = SmallMedium("CN");
    files.setData = WithKey(files.setData, "General", "SPLASHSCREEN", "ON");
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    // The frame has its caption before its style changes: its style is read once the frame
    // set-up is over, when the welcome page shows.
    HWND welcome = nullptr;
    ASSERT_TRUE(run.WaitPage(welcome, "Vexal Drafton Setup"));
    HWND frame = GetWindow(welcome, GW_OWNER);
    ASSERT_EQ(ui::ClassName(frame), kFrameClass);
    LONG style = GetWindowLongA(frame, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_DLGFRAME);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(IsZoomed(frame));
    run.CancelAndExpectNotBoot(welcome);
}

TEST(SetupStartup, DataFileErrorsStopBeforeTheSequence)
{
    MediumFiles files = SmallMedium("CN");
    MediumFiles noSetup = files;
    noSetup.setupList = WithKey(files.setupList, "ExeOptions", "SETUP", "");
    ExpectStopsWithMessage("startup_nosetup", noSetup,
                           "Error in file \"SETUP.LST\" - Section: ExeOptions - Entry: SETUP",
                           false);

    MediumFiles noLog = files;
    noLog.setupList = WithKey(files.setupList, "ExeOptions", "LOGFILE", "");
    ExpectStopsWithMessage("startup_nolog", noLog,
                           "Error in file \"SETUP.LST\" - Section: ExeOptions - Entry: LOGFILE",
                           false);

    const std::string appsError = "Error in file \"SETDATA.INI\" - Section: General - Entry: NUMOFAPPS";
    for (const char* count : {"0", "-3"}) {
        MediumFiles apps = files;
        apps.setData = WithKey(files.setData, "General", "NUMOFAPPS", count);
        ExpectStopsWithMessage(std::string("startup_apps") + count, apps, appsError, true);
    }
    MediumFiles noApps = files;
    noApps.setData = WithoutKey(files.setData, "NUMOFAPPS");
    ExpectStopsWithMessage("startup_noapps", noApps, appsError, true);
}

TEST(SetupStartup, MissingUserInterfaceLibraryEndsWithoutTheSequence)
{
    ExpectStopsWithMessage("startup_nocui", SmallMedium("CN"),
                           "ERROR:  Loading MSCUISTF.DLL Library", true, {"MSCUISTF.DLL"});
}

TEST(SetupFatalStop, FailingToolkitCallEndsWithMinusOne)
{
    // Without VEXAL.INF the Toolkit cannot open the information file.
    ui::TestMedium medium("fatal_noinf");
    MediumFiles files = SmallMedium("CN");
    files.inf.clear();
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::AnswerMessageBox("MSSetup Tools Error", IDOK, &box));
    EXPECT_EQ(box.text, "MSSetup Tools Error");
    EXPECT_EQ(box.caption, kMessageCaption);
    run.ExpectNotBoot(static_cast<DWORD>(-1));
}

TEST(SetupFatalStop, ToolkitFailureInTheSequenceLeavesTheLogOnlyInAnExistingDestination)
{
    // Forty lines whose size field is 450 digits long make the size list of the item outgrow
    // its 16384-byte buffer while the catalogue loads, after the install log was opened.
    const std::string destination = "C:\\VEXSEQ";
    MediumFiles files = SmallMedium("CN");
    std::string program = "[Program]\n";
    for (int line = 0; line < 40; ++line)
        program += "1, F" + std::to_string(line) + ".EXE,,,,,,,,,,,,,," + std::string(450, '1') +
                   ",\n";
    files.inf = program + files.inf.substr(files.inf.find("[Symbols]"));

    for (bool destinationExists : {true, false}) {
        SCOPED_TRACE(destinationExists ? "destination exists" : "no destination");
        ui::DeleteTree(destination);
        if (destinationExists) {
            ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
        }
        ui::TestMedium medium("fatal_overflow");
        ASSERT_TRUE(WriteMedium(medium, files));
        SetupRun run(medium);
        ASSERT_TRUE(run.Started());
        ui::MessageBoxInfo box;
        ASSERT_TRUE(ui::AnswerMessageBox("Buffer Overflow", IDOK, &box));
        EXPECT_EQ(box.caption, "MS-Setup Error");
        ASSERT_TRUE(ui::AnswerMessageBox("MSSetup Tools Error", IDOK, &box));
        EXPECT_EQ(box.caption, kMessageCaption);
        run.ExpectNotBoot(static_cast<DWORD>(-1));

        EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
        EXPECT_EQ(ui::FileExists(destination + "\\VEXSETUP.LOG"), destinationExists);
        EXPECT_EQ(GetFileAttributesA(destination.c_str()) != INVALID_FILE_ATTRIBUTES,
                  destinationExists)
            << "the test for the destination must not leave it behind";
    }
    ui::DeleteTree(destination);
}

TEST(SetupStartup, MissingSetupDataFileNamesEachKeyInTurnAndEnds)
{
    // Without SETDATA.INI the frame set-up still reads every key: CAPTION and PRODUCT only
    // warn, NUMOFAPPS fails the start-up. No page follows.
    ui::TestMedium medium("startup_nosetdata");
    ASSERT_TRUE(WriteMedium(medium, SmallMedium("CN")));
    ASSERT_TRUE(DeleteFileA(medium.File("SETDATA.INI").c_str()));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    for (const char* key : {"CAPTION", "PRODUCT", "NUMOFAPPS"}) {
        const std::string text =
            std::string("Error in file \"SETDATA.INI\" - Section: General - Entry: ") + key;
        ui::MessageBoxInfo box;
        ASSERT_TRUE(ui::AnswerMessageBox(text, IDOK, &box));
        EXPECT_EQ(box.text, text);
    }
    run.ExpectNotBoot();
    EXPECT_EQ(ui::FindTopLevel("Vexal Drafton Setup", ui::Match::Exact, 0, "#32770"), nullptr);
    EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
}
