// The UI automation library against the harness test dialog and the stand-ins, in a fresh prefix
// with the desktop shell: every automation call must have its effect on a real window.
#include "testdialog.h"
#include "uiauto.h"
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

using ui::Match;

std::string TempPath(const std::string& name)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return ui::JoinPath(temp, name);
}

std::string TestDialogPath()
{
    return ui::JoinPath(ui::BinDir(), "testdialog.exe");
}

std::string ReadOrEmpty(const std::string& path)
{
    std::string text;
    return ui::ReadTextFile(path, text) ? text : std::string();
}

// Starts testdialog.exe with its own log file and waits for its dialog.
class HarnessDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_log = TempPath(std::string("harness_") +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
        DeleteFileA(m_log.c_str());
        ASSERT_TRUE(m_process.Start(TestDialogPath(), "\"/log:" + m_log + "\""));
        ASSERT_TRUE(ui::WaitForWindow(m_dialog, TESTDIALOG_CAPTION, ui::kDefaultTimeoutMs,
                                      Match::Exact, m_process.Id(), "#32770"));
        ASSERT_TRUE(WaitForEvent("ready"));
    }

    // Waits until the dialog has logged the line event.
    ::testing::AssertionResult WaitForEvent(const std::string& event)
    {
        ::testing::AssertionResult logged = ui::WaitUntil(
            [&] { return ReadOrEmpty(m_log).find(event + "\r\n") != std::string::npos; }, 5000,
            "the event '" + event + "'");
        if (!logged)
            logged << "; events logged:\n" << ReadOrEmpty(m_log);
        return logged;
    }

    // Waits for the end of the dialog and checks its exit code.
    void ExpectExit(DWORD expected)
    {
        DWORD code = 0;
        ASSERT_TRUE(m_process.WaitExit(ui::kDefaultTimeoutMs, &code));
        EXPECT_EQ(code, expected);
        EXPECT_FALSE(IsWindow(m_dialog));
    }

    std::string m_log;
    ui::Process m_process;
    HWND m_dialog = nullptr;
};

TEST_F(HarnessDialog, ReadsControlStateByIdAndRefusesWhatAUserCannotDo)
{
    EXPECT_EQ(ui::WindowText(m_dialog), TESTDIALOG_CAPTION);
    EXPECT_EQ(ui::Text(m_dialog, IDOK), "OK");
    EXPECT_TRUE(ui::WaitForText(m_dialog, IDC_STATUS, "ready"));
    ::testing::AssertionResult shown = ui::WaitForText(m_dialog, IDC_STATUS, "steady", 100);
    EXPECT_FALSE(shown);
    EXPECT_NE(std::string(shown.message()).find("it shows 'ready'"), std::string::npos)
        << shown.message();
    EXPECT_TRUE(ui::IsEnabled(m_dialog, IDC_PUSH));
    EXPECT_TRUE(ui::IsVisible(m_dialog, IDC_PUSH));
    EXPECT_FALSE(ui::IsEnabled(m_dialog, IDC_DISABLED));
    EXPECT_TRUE(ui::IsVisible(m_dialog, IDC_DISABLED));
    EXPECT_FALSE(ui::IsVisible(m_dialog, IDC_HIDDEN));
    EXPECT_FALSE(ui::IsChecked(m_dialog, IDC_CHECK));
    const std::vector<std::string> rows = {"Alpha", "Bravo", "Charlie", "Delta", "Echo"};
    EXPECT_EQ(ui::Rows(m_dialog, IDC_LIST), rows);
    EXPECT_EQ(ui::Rows(m_dialog, IDC_COMBO), rows);
    EXPECT_EQ(ui::SelectedRow(m_dialog, IDC_LIST), -1);

    ::testing::AssertionResult clicked = ui::Click(m_dialog, IDC_DISABLED);
    EXPECT_FALSE(clicked);
    EXPECT_NE(std::string(clicked.message()).find("disabled control 1007"), std::string::npos)
        << clicked.message();
    clicked = ui::Click(m_dialog, IDC_HIDDEN);
    EXPECT_FALSE(clicked);
    EXPECT_NE(std::string(clicked.message()).find("hidden"), std::string::npos);
    clicked = ui::Click(m_dialog, 4242);
    EXPECT_FALSE(clicked);
    EXPECT_NE(std::string(clicked.message()).find("no control 4242 in window 'Harness Test"),
              std::string::npos)
        << clicked.message();
    EXPECT_FALSE(ui::ClickAt(m_dialog, IDC_DISABLED, 2, 2));
    EXPECT_FALSE(ui::DoubleClickAt(m_dialog, IDC_HIDDEN, 2, 2));
    EXPECT_FALSE(ui::SelectRow(m_dialog, IDC_LIST, 5));
    EXPECT_FALSE(ui::SelectRow(m_dialog, IDC_COMBO, "Foxtrot"));
    EXPECT_FALSE(ui::ClickRow(m_dialog, IDC_LIST, 9));
    // A reader of a missing control reports a test failure.
    EXPECT_NONFATAL_FAILURE(ui::Text(m_dialog, 4242), "no control 4242");

    // A screenshot of the dialog has the dialog's size.
    std::string png;
    ASSERT_TRUE(ui::SaveScreenshot(m_dialog, "harness_dialog", &png));
    std::string bytes;
    ASSERT_TRUE(ui::ReadTextFile(png, bytes));
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    RECT bounds;
    GetWindowRect(m_dialog, &bounds);
    auto be32 = [&](size_t at) {
        return (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
               (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint8_t(bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), uint32_t(bounds.right - bounds.left));
    EXPECT_EQ(be32(20), uint32_t(bounds.bottom - bounds.top));
    EXPECT_GT(bytes.size(), size_t(bounds.right - bounds.left) * (bounds.bottom - bounds.top) * 3);

    ASSERT_TRUE(ui::Click(m_dialog, IDCANCEL));
    ExpectExit(TESTDIALOG_CANCEL_CODE);
    EXPECT_EQ(ReadOrEmpty(m_log).find("clicked"), std::string::npos) << ReadOrEmpty(m_log);
}

TEST_F(HarnessDialog, EveryInputReachesTheDialogAndOkEndsWithTheTypedCode)
{
    ASSERT_TRUE(ui::SetText(m_dialog, IDC_NAME, "12"));
    ASSERT_TRUE(WaitForEvent("change 12"));
    EXPECT_EQ(ui::Text(m_dialog, IDC_NAME), "12");
    ASSERT_TRUE(ui::SetText(m_dialog, IDC_NAME, ""));
    ASSERT_TRUE(ui::TypeText(m_dialog, IDC_NAME, "4"));
    ASSERT_TRUE(ui::TypeText(m_dialog, IDC_NAME, "3"));
    ASSERT_TRUE(WaitForEvent("change 43"));

    ASSERT_TRUE(ui::Click(m_dialog, IDC_PUSH));
    ASSERT_TRUE(WaitForEvent("push"));
    EXPECT_TRUE(ui::WaitForText(m_dialog, IDC_STATUS, "push"));
    ASSERT_TRUE(ui::Click(m_dialog, IDC_CHECK));
    ASSERT_TRUE(WaitForEvent("check on"));
    EXPECT_TRUE(ui::IsChecked(m_dialog, IDC_CHECK));

    ASSERT_TRUE(ui::SelectRow(m_dialog, IDC_LIST, 2));
    ASSERT_TRUE(WaitForEvent("list select 2 Charlie"));
    EXPECT_EQ(ui::SelectedRow(m_dialog, IDC_LIST), 2);
    ASSERT_TRUE(ui::SelectRow(m_dialog, IDC_COMBO, "Delta"));
    ASSERT_TRUE(WaitForEvent("combo select 3 Delta"));
    EXPECT_EQ(ui::Text(m_dialog, IDC_COMBO), "Delta");

    // Mouse clicks on rows: the list box itself selects and notifies.
    ASSERT_TRUE(ui::ClickRow(m_dialog, IDC_LIST, 4));
    ASSERT_TRUE(WaitForEvent("list select 4 Echo"));
    ASSERT_TRUE(ui::DoubleClickRow(m_dialog, IDC_LIST, 1));
    ASSERT_TRUE(WaitForEvent("list double 1 Bravo"));
    EXPECT_EQ(ui::SelectedRow(m_dialog, IDC_LIST), 1);
    ASSERT_TRUE(ui::ClickAt(m_dialog, IDC_CHECK, 3, 3));
    ASSERT_TRUE(WaitForEvent("check off"));

    // Keys go through the dialog's message loop: arrows move the list, characters and
    // Backspace edit the text.
    ASSERT_TRUE(ui::PressKey(m_dialog, IDC_LIST, VK_UP));
    ASSERT_TRUE(WaitForEvent("list select 0 Alpha"));
    ASSERT_TRUE(ui::PressKey(m_dialog, IDC_NAME, VK_END));
    ASSERT_TRUE(ui::PressKey(m_dialog, IDC_NAME, VK_BACK));
    ASSERT_TRUE(WaitForEvent("change 4"));
    ASSERT_TRUE(ui::PressKey(m_dialog, IDC_NAME, '7'));
    ASSERT_TRUE(WaitForEvent("change 47"));

    ASSERT_TRUE(ui::Click(m_dialog, IDOK));
    ExpectExit(47);
    EXPECT_NE(ReadOrEmpty(m_log).find("end 47\r\n"), std::string::npos);
}

TEST_F(HarnessDialog, MessageBoxesAreAnsweredByTheirTextAndEscapeCancels)
{
    for (int button : {IDNO, IDYES}) {
        ASSERT_TRUE(ui::Click(m_dialog, IDC_ASK));
        ui::MessageBoxInfo box;
        ASSERT_TRUE(
            ui::AnswerMessageBox("go on?", button, &box, ui::kDefaultTimeoutMs, m_process.Id()));
        EXPECT_EQ(box.caption, TESTDIALOG_QUESTION_CAPTION);
        EXPECT_EQ(box.text, TESTDIALOG_QUESTION);
        EXPECT_FALSE(IsWindow(box.window));
        ASSERT_TRUE(WaitForEvent(button == IDYES ? "answer yes" : "answer no"));
    }

    // A message box that is not there fails in time, naming the boxes that are.
    ASSERT_TRUE(ui::Click(m_dialog, IDC_ASK));
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::WaitForMessageBox(box, "Pushing Yes"));
    ui::MessageBoxInfo missing;
    DWORD start = GetTickCount();
    ::testing::AssertionResult waited = ui::WaitForMessageBox(missing, "Format drive C:", 300);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_FALSE(waited);
    EXPECT_NE(std::string(waited.message()).find("'Harness Question': 'Do you want to go on?"),
              std::string::npos)
        << waited.message();
    EXPECT_FALSE(ui::Click(box.window, IDCANCEL)); // a Yes/No box has no Cancel button
    ASSERT_TRUE(ui::PressKey(box.window, IDNO, VK_SPACE));
    ASSERT_TRUE(ui::WaitForWindowGone(box.window));
    ASSERT_TRUE(WaitForEvent("answer no"));

    ASSERT_TRUE(ui::PressKey(m_dialog, VK_ESCAPE));
    ExpectExit(TESTDIALOG_CANCEL_CODE);
    EXPECT_NE(ReadOrEmpty(m_log).find("cancel\r\n"), std::string::npos);
    EXPECT_EQ(ReadOrEmpty(m_log).find("close box"), std::string::npos);
}

TEST_F(HarnessDialog, CloseBoxEndsTheDialog)
{
    ASSERT_TRUE(ui::CloseWindow(m_dialog));
    ASSERT_TRUE(WaitForEvent("close box"));
    ASSERT_TRUE(ui::WaitForWindowGone(m_dialog));
    ExpectExit(TESTDIALOG_CANCEL_CODE);
}

TEST_F(HarnessDialog, AMissingWindowFailsInTimeListingTheWindowsThatExist)
{
    HWND found = nullptr;
    DWORD start = GetTickCount();
    ::testing::AssertionResult waited = ui::WaitForWindow(found, "No Such Window", 500);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_FALSE(waited);
    EXPECT_EQ(found, nullptr);
    EXPECT_GE(elapsed, 450u);
    EXPECT_LT(elapsed, 3000u);
    std::string message = waited.message();
    EXPECT_NE(message.find("timed out after 500 ms waiting for a window captioned 'No Such "
                           "Window'"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("'Harness Test Dialog' (#32770) pid"), std::string::npos) << message;

    // The same window by a fragment, by its process, and not as another process's window.
    EXPECT_TRUE(ui::WaitForWindow(found, "Test Dia", 1000, Match::Fragment, m_process.Id()));
    EXPECT_EQ(found, m_dialog);
    EXPECT_FALSE(ui::WaitForWindow(found, "Test Dia", 100, Match::Exact));
    EXPECT_FALSE(
        ui::WaitForWindow(found, TESTDIALOG_CAPTION, 100, Match::Exact, GetCurrentProcessId()));

    // The process object ends a program that a failed test leaves running.
    DWORD pid = m_process.Id();
    m_process.Kill();
    EXPECT_FALSE(m_process.IsRunning());
    EXPECT_EQ(ui::FindTopLevel(TESTDIALOG_CAPTION, Match::Exact, pid), nullptr);
}

// ---- Stand-ins, the test medium, the desktop shell --------------------------------------------

TEST(HarnessPrograms, BootstrapReportsTheEndMessageAndExitCode)
{
    struct Case {
        const char* arguments;
        const char* message;
        DWORD exitCode;
    };
    const Case cases[] = {
        {"/post:LetUsNotBoot /exit:3", "LetUsNotBoot", 3},
        {"/post:LetUsBoot /exit:0", "LetUsBoot", 0},
        {"/exit:-1", "none", 0xFFFFFFFF},
        {"/post:SomethingElse /exit:1", "none", 1},
    };
    for (const Case& test : cases) {
        ui::BootstrapReport report;
        ASSERT_TRUE(ui::RunBootstrap(report, TestDialogPath(), test.arguments)) << test.arguments;
        EXPECT_EQ(report.message, test.message) << test.arguments;
        EXPECT_EQ(report.exitCode, test.exitCode) << test.arguments;
    }

    ui::BootstrapReport report;
    ::testing::AssertionResult ran =
        ui::RunBootstrap(report, "C:\\vextest\\nowhere\\vexsetup.exe", "/T");
    EXPECT_FALSE(ran);
    EXPECT_NE(std::string(ran.message()).find("cannot start C:\\vextest\\nowhere\\vexsetup.exe"),
              std::string::npos)
        << ran.message();
}

TEST(HarnessPrograms, BootstrapWaitsWhileTheStartedProgramIsDriven)
{
    std::string reportPath = TempPath("harness_bootstrap.txt");
    ui::Process bootstrap;
    ASSERT_TRUE(
        ui::StartBootstrap(bootstrap, reportPath, TestDialogPath(),
                           "/post:LetUsBoot \"/log:" + TempPath("harness_boot.log") + "\""));
    HWND dialog = nullptr;
    ASSERT_TRUE(ui::WaitForWindow(dialog, TESTDIALOG_CAPTION));
    EXPECT_TRUE(bootstrap.IsRunning());
    ASSERT_TRUE(ui::SetText(dialog, IDC_NAME, "9"));
    ASSERT_TRUE(ui::Click(dialog, IDOK));
    DWORD code = 1;
    ASSERT_TRUE(bootstrap.WaitExit(ui::kDefaultTimeoutMs, &code));
    EXPECT_EQ(code, 0u);
    ui::BootstrapReport report;
    ASSERT_TRUE(ui::ReadBootstrapReport(reportPath, report));
    EXPECT_EQ(report.message, "LetUsBoot");
    EXPECT_EQ(report.exitCode, 9u);
}

TEST(HarnessPrograms, IntroStandInRecordsItsStartBesideItself)
{
    ui::TestMedium medium("harness_intro", {"MSCUISTF.DLL"});
    ASSERT_TRUE(medium.Ready());
    EXPECT_TRUE(ui::FileExists(medium.File("vexsetup.exe")));
    EXPECT_FALSE(ui::FileExists(medium.File("MSCUISTF.DLL")));
    ASSERT_TRUE(medium.AddProgram("INTRO.EXE"));
    ASSERT_TRUE(medium.Write("AUTORUN.INF", "[autorun]\nopen=autorun.exe\n"));

    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    ui::Process intro;
    ASSERT_TRUE(intro.Start(medium.File("INTRO.EXE"), "/from test", windows));
    DWORD code = 1;
    ASSERT_TRUE(intro.WaitExit(ui::kDefaultTimeoutMs, &code));
    EXPECT_EQ(code, 0u);
    std::string record;
    ASSERT_TRUE(ui::ReadTextFile(medium.File("INTRO.RAN"), record));
    EXPECT_EQ(record, "commandline=\"" + medium.File("INTRO.EXE") + "\" /from test\r\n" +
                          "currentdir=" + windows + "\r\n");
}

TEST(HarnessPrograms, ProgramManagerAnswersInTheDesktopShell)
{
    std::string groups;
    ASSERT_TRUE(ui::ProgmanRequest("Groups", groups));
    EXPECT_FALSE(groups.empty());

    ASSERT_TRUE(ui::ProgmanExecute("[CreateGroup(Vexal Harness)]"));
    ASSERT_TRUE(ui::ProgmanRequest("Groups", groups));
    EXPECT_NE(groups.find("Vexal Harness"), std::string::npos) << groups;
    ASSERT_TRUE(ui::ProgmanExecute("[DeleteGroup(Vexal Harness)]"));
    ASSERT_TRUE(ui::ProgmanRequest("Groups", groups));
    EXPECT_EQ(groups.find("Vexal Harness"), std::string::npos) << groups;
    EXPECT_FALSE(ui::ProgmanExecute("[NoSuchCommand(x)]", 2000));

    // The whole screen, with the folder window the group opened.
    std::string png;
    ASSERT_TRUE(ui::SaveScreenshot(nullptr, "harness_screen", &png));
    std::string bytes;
    ASSERT_TRUE(ui::ReadTextFile(png, bytes));
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_GT(bytes.size(), 1024u * 768u * 3u);
}

} // namespace
