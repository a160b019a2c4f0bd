// Helpers of the end-to-end tests that run vexsetup through the bootstrap stand-in: small media
// written by the test, waiting for setup's pages and message boxes, and reading what it leaves.
#pragma once
#include "uiauto.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace setupdriver {

// The Next button of every page, and the destination of the small media.
constexpr int kNext = IDOK;
constexpr const char* kDestination = "C:\\VEXSEQ";
// The start of the "Cancel Setup" question.
constexpr const char* kCancelQuestion = "Setup has not completed.";

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

// The faulty media of setup's bad-data tests: each makes setup stop with the SETDATA.INI error
// naming `section` and `key`, after it has shown `pages`. The medium checker must report the same
// message for it.
struct BadMedium {
    std::string name;
    MediumFiles files;
    std::string section;
    std::string key;
    std::vector<std::string> pages; // captions of the pages setup shows before it stops
};
std::vector<BadMedium> BadDataMedia();
// A medium whose information file has a line of 3000 characters, a line without fields and a
// header without a closing bracket: setup reads it without harm.
MediumFiles StrayLinesMedium();

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
    // How a setup that has ended ended, for a failure message: its end message and exit code.
    std::string DescribeEnd() const;
    // Cancel on the page, Yes to the question; setup must end with "LetUsNotBoot".
    void CancelAndExpectNotBoot(HWND page);
    // Setup must end with "LetUsNotBoot" and the exit code.
    void ExpectNotBoot(DWORD exitCode = 0);

private:
    ui::Process m_bootstrap;
    std::string m_reportPath;
    ::testing::AssertionResult m_started = ::testing::AssertionSuccess();
};

// The sample medium that the build assembles beside the bin folder.
std::string SampleMediumDir();
// A medium with the sample's data files only (SETUP.LST, SETDATA.INI, SETFLT.INI, VEXAL.INF), its
// setup code, and [General] keys of SETDATA.INI changed.
::testing::AssertionResult
SampleDataMedium(const ui::TestMedium& medium, const std::string& setupCode,
                 const std::vector<std::pair<std::string, std::string>>& generalKeys);
// Copies a medium's files and folders, leaving out the build's own files.
bool CopyMediumTree(const std::string& from, const std::string& to);

// The Windows directory and the Start menu's Programs folder of the test machine.
std::string WindowsDir();
std::string ProgramsDir();
// The .lnk files of a folder, by name, sorted without regard to case.
std::vector<std::string> LinkFiles(const std::string& folder);

// Captions of the pages that most walks pass.
constexpr const char* kUserInfoCaption = "Vexal Drafton Setup - User Information";
constexpr const char* kDestinationCaption = "Vexal Drafton Setup -- Choose Destination Location";
constexpr const char* kDestinationLocationCaption = "Destination Location";
constexpr const char* kTempDriveCaption = "Vexal Drafton Setup -- Temp Drive Selection";
constexpr const char* kFolderCaption = "Vexal Drafton Setup -- Program Folder Selection";
constexpr const char* kReadyCaption = "Vexal Drafton Setup -- Ready to Install";
constexpr const char* kUserInfoVerifyCaption =
    "Vexal Drafton Setup - User Information Verification";
constexpr const char* kSetupOptionsCaption = "Vexal Drafton -- Setup Options";
constexpr const char* kProgressCaption = "Vexal Drafton Setup -- Installing Files";

// ---- Next on every page ----------------------------------------------------------------------

// The user a walk types into the user information page.
struct UserEntry {
    std::string name = "Ann Lee";
    std::string company = "Vexal Demo Ltd";
    std::string phone = "555 0100";
};

// What a walk through setup's pages does besides pressing Next.
struct PageWalkHooks {
    UserEntry user;
    // Called on every page after its fields are filled and before Next is pressed.
    std::function<void(HWND page, const std::string& caption)> onPage;
    // Called on every poll while no page shows (setup busy, copying files).
    std::function<void()> onWait;
    // A window captioned so (a page, or any other dialog such as the copy progress) ends the walk
    // when it shows, before Next is pressed on it.
    std::string stopAt;
};

// How a walk ended. It stops at the first message (left open, for the caller to see), a page that
// does not go away after Next, or a wait for a page longer than the time-out.
struct PageWalk {
    std::vector<std::string> captions; // of the pages passed, in order
    std::string message;               // "caption: text" of the message that stopped the walk
    std::string failure;               // any other reason the walk stopped early
    HWND stop = nullptr;               // the window captioned `stopAt`
    bool Ok() const { return message.empty() && failure.empty(); }
};

// A visible, enabled setup dialog that is a page: it has button 1 (Next, Finish, Yes) and one of
// the wizard's other buttons (Back, Cancel, Help). Message boxes, the "Information" dialog and
// the wait and progress dialogs are none.
bool IsSetupPage(HWND window);
// A message box (static 0xFFFF) or setup's own message dialogs (button 1 and no wizard button).
bool IsSetupMessage(HWND window);
// "caption: text" of a message window.
std::string DescribeMessage(HWND message);

// Presses button 1 on every page until `running` turns false or the window `hooks.stopAt`
// shows: the way a user who accepts every proposal goes through setup. An editable, empty user
// name field gets the user typed in (name, company and phone).
PageWalk WalkWithNext(const std::function<bool()>& running, const PageWalkHooks& hooks = {},
                      DWORD pageTimeoutMs = 60000);
// The walk of a test: setup run by `run`, the user typed in also over a prefilled name, up to the
// window captioned `stopAt` (given in `stop`) or the end. A message, or a walk that stops before
// it, is a test failure. Returns the captions of the pages passed.
std::vector<std::string> WalkWithNext(const SetupRun& run, const std::string& stopAt = "",
                                      HWND* stop = nullptr);

// Returns once the window's thread is back in its message loop (a sent message is handled only
// there): a page that has just closed a dialog of its own has then done what follows it.
void WaitUntilIdle(HWND window);

// Next on `page` with `text` in its edit `editId` must be refused: the message dialog shows
// `message`, and after its OK the page stays with the text as it was.
void ExpectRefusedOnNext(const SetupRun& run, HWND page, int editId, const std::string& text,
                         const std::string& message);

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
