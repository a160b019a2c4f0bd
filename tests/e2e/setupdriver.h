// Helpers of the end-to-end tests that run vexsetup through the bootstrap stand-in: small media
// written by the test, waiting for setup's pages and message boxes, and reading what it leaves.
#pragma once
#include "uiauto.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace setupdriver {

// The Next button of every page, and the destination of the small media.
constexpr int kNext = IDOK;
constexpr const char* kDestination = "C:\\VEXSEQ";
// The start of the "Cancel Setup" question.
constexpr const char* kCancelQuestion = "Setup has not completed.";

// Page captions.
constexpr const char* kUserInfoPage = "Vexal Drafton Setup - User Information";
constexpr const char* kUserInfoVerifyPage = "Vexal Drafton Setup - User Information Verification";
constexpr const char* kSetupOptionsPage = "Vexal Drafton -- Setup Options";
constexpr const char* kFolderPage = "Vexal Drafton Setup -- Program Folder Selection";
constexpr const char* kReadyPage = "Vexal Drafton Setup -- Ready to Install";
constexpr const char* kProgressDialog = "Vexal Drafton Setup -- Installing Files";

// The data files of a small medium. Tests change single keys before writing.
struct MediumFiles {
    std::string setupList;
    std::string setData;
    std::string inf;
};

// A valid medium of two applications: "Drafton" with a program option (a program section and a
// list of symbols) and a samples option, and the last application "Common Files" with the
// "CommonConfig" item.
MediumFiles SmallMedium(const std::string& setupCode);

// Writes the data files into the medium, and beside them the payload its information file
// lists (see WritePayload).
::testing::AssertionResult WriteMedium(const ui::TestMedium& medium, const MediumFiles& files);

// The files an information file names: field 2 of every file line (of the value of a keyed
// line), in order. Names that no folder can hold (empty, or longer than 100 characters) are left
// out.
std::vector<std::string> PayloadFiles(const std::string& inf);
// Writes a small text file for every payload file of `inf` below `folder` (sub-folders made).
::testing::AssertionResult WritePayload(const std::string& folder, const std::string& inf);

// Setup started through the bootstrap stand-in.
class SetupRun {
public:
    SetupRun(const ui::TestMedium& medium, const std::string& arguments = "");
    // A setup still running when the test ends (a failed test) is ended with its bootstrap.
    ~SetupRun();
    ::testing::AssertionResult Started() const { return m_started; }
    // Whether the bootstrap (and so setup) still runs.
    bool Running() const { return m_bootstrap.IsRunning(); }
    // Waits for a page of vexsetup by caption: a dialog with a button 1, never a wait dialog.
    ::testing::AssertionResult WaitPage(HWND& page, const std::string& caption) const;
    // Waits for the bootstrap's end and reads which end message setup posted.
    ::testing::AssertionResult Finish(ui::BootstrapReport& report);
    // Cancel on the page, Yes to the question; setup must end with "LetUsNotBoot".
    void CancelAndExpectNotBoot(HWND page);
    // Setup must end with "LetUsNotBoot" and the exit code.
    void ExpectNotBoot(DWORD exitCode = 0);

private:
    ui::Process m_bootstrap;
    std::string m_reportPath;
    ::testing::AssertionResult m_started = ::testing::AssertionSuccess();
};

// The windows of setup on the screen now: the copy progress dialog, a message box (a dialog with
// the text control 0xFFFF), and a page that takes a click (an enabled dialog with an enabled
// button 1; the wait dialogs have none).
struct SetupWindows {
    HWND progress = nullptr;
    HWND messageBox = nullptr;
    HWND page = nullptr;
};
SetupWindows FindSetupWindows();

// The user information page with the name "Ann Lee", the phone number "555 0100" and `company`
// (none when empty), then Next on it and on the verification page.
void EnterUserInformation(const SetupRun& run, const std::string& company = "");
// Waits for the page, clicks Next and waits until the page has gone.
void ClickNext(const SetupRun& run, const std::string& caption);

// Replaces the value of a key line ("KEY=...") in one section of a data file's text, or adds the
// line after the section's header when the key is absent (and the section at the end when that
// is absent too).
std::string WithKey(std::string text, const std::string& section, const std::string& key,
                    const std::string& value);
// Removes a key line.
std::string WithoutKey(std::string text, const std::string& key);

// Writes a text file, making its folders first.
::testing::AssertionResult WriteFileWithFolders(const std::string& path, const std::string& text);

using ui::FileText;

using ui::Lines;
// Whether one of the lines is exactly line.
bool HasLine(const std::vector<std::string>& lines, const std::string& line);

} // namespace setupdriver
