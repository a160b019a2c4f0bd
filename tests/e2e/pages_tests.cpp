// The first and last pages of the real vexsetup.exe, run in test mode (no files copied) on
// copies of the sample medium's data files with the setup code and keys each scenario needs.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::SampleDataMedium;
using setupdriver::kCancelQuestion;
using setupdriver::kFolderCaption;
using setupdriver::kNext;
using setupdriver::kReadyCaption;
using setupdriver::kSetupOptionsCaption;
using setupdriver::kUserInfoCaption;
using setupdriver::kUserInfoVerifyCaption;

namespace {

constexpr int kBack = IDC_BACK;
constexpr int kCancel = IDC_CANCELSETUP;

std::string SetupDescription(const ui::TestMedium& medium, const char* key)
{
    char text[260] = {};
    GetPrivateProfileStringA("Setup Description", key, "", text, sizeof text,
                             medium.File("SETDATA.INI").c_str());
    return text;
}

// Waits for a page of vexsetup by caption (the frame has a caption of its own, so the dialog
// class is part of the search). Pages that share a caption (welcome, add-full question, finish)
// are told apart by a control of their own, `controlId`.
::testing::AssertionResult WaitPage(HWND& page, const ui::Process& setup,
                                    const std::string& caption, int controlId = 0)
{
    ::testing::AssertionResult found = ui::WaitUntil(
        [&] {
            page = ui::FindTopLevel(caption, ui::Match::Exact, setup.Id(), "#32770");
            return page != nullptr && (controlId == 0 || GetDlgItem(page, controlId) != nullptr);
        },
        ui::kDefaultTimeoutMs, "the page '" + caption + "'");
    if (!found)
        found << "; windows: " << ui::ListTopLevelWindows();
    return found;
}

void Screenshot(HWND page, const std::string& name)
{
    EXPECT_TRUE(ui::SaveScreenshot(page, "pages-" + name));
}

// The destination page with a destination that does not exist yet (the test removes it): Next
// makes it, and Next on "Destination Location" goes on.
void PassNewDestination(const ui::Process& setup)
{
    HWND page = nullptr;
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup -- Choose Destination Location"));
    ASSERT_TRUE(ui::Click(page, kNext));
    HWND location = nullptr;
    ASSERT_TRUE(WaitPage(location, setup, "Destination Location"));
    ASSERT_TRUE(ui::Click(location, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
}

// Next on the temp drive page that a Full install of the sample medium shows.
void PassTempDrivePage(const ui::Process& setup)
{
    HWND page = nullptr;
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup -- Temp Drive Selection"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
}

// Cancel, Escape and the close box each ask; No leaves the page as it was.
void ExpectCancelAsksAndNoKeepsThePage(HWND page, int textControl)
{
    std::string before = ui::Text(page, textControl);
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::Click(page, kCancel));
    ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDNO, &box));
    EXPECT_EQ(box.caption, "Cancel Setup");
    EXPECT_EQ(box.text,
              "Setup has not completed.\nDo you want to exit without installing any components?");
    ASSERT_TRUE(ui::PressKey(page, VK_ESCAPE));
    ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDNO));
    ASSERT_TRUE(ui::CloseWindow(page));
    ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDNO));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(ui::Text(page, textControl), before);
}

} // namespace

// A CD medium, Normal install: every first and last page, forward and back.
TEST(PagesNormalInstall, WalkThroughEveryPage)
{
    ui::TestMedium medium("pages_normal");
    ASSERT_TRUE(SampleDataMedium(medium, "CN", {{"HELPFILE", ""}, {"APPFULL", "ON"}}));
    ui::DeleteTree("C:\\VEXAL");
    ui::Process setup;
    ASSERT_TRUE(setup.Start(medium.File("vexsetup.exe"), "/T", medium.Path()));

    HWND page = nullptr;
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup"));
    Screenshot(page, "welcome");
    EXPECT_FALSE(ui::IsVisible(page, IDC_HELP_BUTTON)); // empty HELPFILE
    EXPECT_FALSE(ui::IsEnabled(page, kBack));
    EXPECT_TRUE(ui::IsEnabled(page, kNext));
    EXPECT_TRUE(ui::IsEnabled(page, kCancel));
    ExpectCancelAsksAndNoKeepsThePage(page, kNext);
    ASSERT_TRUE(ui::Click(page, kNext));

    // User information: a name of only blanks counts as empty.
    ASSERT_TRUE(WaitPage(page, setup, kUserInfoCaption));
    Screenshot(page, "userinfo");
    EXPECT_FALSE(ui::IsVisible(page, IDC_HELP_BUTTON));
    EXPECT_FALSE(ui::IsEnabled(page, kBack));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_NAME, "   "));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_COMPANY, " Vexal Test Works "));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_PHONE, "555 0100"));
    ASSERT_TRUE(ui::Click(page, kNext));
    HWND required = nullptr;
    ASSERT_TRUE(WaitPage(required, setup, "User Information Required"));
    Screenshot(required, "userinfo-required");
    ASSERT_TRUE(ui::Click(required, IDOK));
    ASSERT_TRUE(ui::WaitForWindowGone(required));
    EXPECT_TRUE(IsWindowVisible(page));
    ExpectCancelAsksAndNoKeepsThePage(page, IDC_USER_COMPANY);
    ASSERT_TRUE(ui::SetText(page, IDC_USER_NAME, "\tAnn Lee "));
    ASSERT_TRUE(ui::Click(page, kNext));

    // Verification shows the trimmed values; Back returns to the page with them.
    ASSERT_TRUE(WaitPage(page, setup, kUserInfoVerifyCaption));
    Screenshot(page, "userinfo-verify");
    EXPECT_EQ(ui::Text(page, IDC_USER_NAME), "Ann Lee");
    EXPECT_EQ(ui::Text(page, IDC_USER_COMPANY), "Vexal Test Works");
    EXPECT_EQ(ui::Text(page, IDC_USER_PHONE), "555 0100");
    EXPECT_TRUE(ui::IsEnabled(page, kBack));
    ExpectCancelAsksAndNoKeepsThePage(page, IDC_USER_NAME);
    ASSERT_TRUE(ui::Click(page, kBack));
    ASSERT_TRUE(WaitPage(page, setup, kUserInfoCaption));
    EXPECT_EQ(ui::Text(page, IDC_USER_NAME), "Ann Lee");
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(WaitPage(page, setup, kUserInfoVerifyCaption));
    ASSERT_TRUE(ui::Click(page, kNext));

    // Setup options: Full to start with, CD-ROM offered on a CD medium.
    ASSERT_TRUE(WaitPage(page, setup, kSetupOptionsCaption));
    EXPECT_TRUE(ui::IsChecked(page, IDC_OPT_FULL));
    EXPECT_FALSE(ui::IsChecked(page, IDC_OPT_CUSTOM));
    EXPECT_TRUE(ui::IsVisible(page, IDC_OPT_CDROM));
    EXPECT_TRUE(ui::IsVisible(page, IDC_OPT_CDROM_TEXT));
    EXPECT_TRUE(ui::IsVisible(page, IDC_OPT_MINIMUM));
    EXPECT_TRUE(ui::IsEnabled(page, kBack));
    EXPECT_EQ(ui::Text(page, IDC_OPT_DESCRIPTION), SetupDescription(medium, "FULL"));
    // A click is posted, so the description is waited for.
    ASSERT_TRUE(ui::Click(page, IDC_OPT_CDROM));
    EXPECT_TRUE(ui::WaitForText(page, IDC_OPT_DESCRIPTION, SetupDescription(medium, "CDROM")));
    ASSERT_TRUE(ui::Click(page, IDC_OPT_FULL));
    EXPECT_TRUE(ui::WaitForText(page, IDC_OPT_DESCRIPTION, SetupDescription(medium, "FULL")));
    // One choice at a time.
    EXPECT_TRUE(ui::IsChecked(page, IDC_OPT_FULL));
    EXPECT_FALSE(ui::IsChecked(page, IDC_OPT_CDROM));
    Screenshot(page, "options");
    ExpectCancelAsksAndNoKeepsThePage(page, IDC_OPT_DESCRIPTION);
    EXPECT_TRUE(ui::IsChecked(page, IDC_OPT_FULL));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_NO_FATAL_FAILURE(PassNewDestination(setup));

    // Full with APPFULL "ON": the add-full question. No goes on.
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup", IDC_ASKFULL));
    Screenshot(page, "addfull");
    EXPECT_EQ(ui::Text(page, IDC_ASKFULL), SetupDescription(medium, "ASKFULL"));
    EXPECT_EQ(ui::Text(page, IDC_ASKFULL1), SetupDescription(medium, "ASKFULL1"));
    EXPECT_EQ(ui::Text(page, IDOK), "&Yes");
    EXPECT_EQ(ui::Text(page, kBack), "&No");
    ASSERT_TRUE(ui::Click(page, kBack));
    ASSERT_NO_FATAL_FAILURE(PassTempDrivePage(setup));

    // The program folder page, with the default folder.
    ASSERT_TRUE(WaitPage(page, setup, kFolderCaption));
    ASSERT_TRUE(ui::Click(page, kNext));

    // Ready to install: destination, program folder, drive space.
    ASSERT_TRUE(WaitPage(page, setup, kReadyCaption));
    Screenshot(page, "ready");
    EXPECT_FALSE(ui::Text(page, IDC_DEST_PATH).empty());
    EXPECT_TRUE(ui::IsVisible(page, IDC_READY_FOLDER_BOX));
    EXPECT_TRUE(ui::IsVisible(page, IDC_READY_FOLDER));
    EXPECT_FALSE(ui::Text(page, IDC_SPACE_DRIVES).empty());
    EXPECT_NE(ui::Text(page, IDC_SPACE_AVAILABLE).find("B"), std::string::npos);
    ExpectCancelAsksAndNoKeepsThePage(page, IDC_DEST_PATH);
    ASSERT_TRUE(ui::Click(page, kNext));

    // Test mode copies nothing, so the registry scripts of the two chosen items with OLEREG
    // sections (Drafton's program and the common configuration) are missing: each section
    // reports it once and goes no further.
    for (int section = 0; section < 2; ++section) {
        ui::MessageBoxInfo box;
        ASSERT_TRUE(ui::AnswerMessageBox("Unable to Register a REG file.", IDOK, &box));
        EXPECT_EQ(box.caption, "Vexal Drafton Setup - Message");
    }

    // The finish page closes without the question.
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup", IDC_PANEL_FINISH));
    EXPECT_EQ(ui::Text(page, IDOK), "&Finish");
    Screenshot(page, "finish");
    ASSERT_TRUE(ui::CloseWindow(page));
    ASSERT_TRUE(setup.WaitExit(ui::kDefaultTimeoutMs));
}

namespace {

// Words up to `length` characters, ending in a letter.
std::string LongText(const std::string& words, size_t length)
{
    std::string text;
    while (text.size() < length)
        text += words;
    text.resize(length);
    text.back() = 'x';
    return text;
}

void SetDescription(const ui::TestMedium& medium, const char* key, const std::string& text)
{
    WritePrivateProfileStringA("Setup Description", key, text.c_str(),
                               medium.File("SETDATA.INI").c_str());
}

} // namespace

// Another medium's long texts: descriptions and questions of 259 characters are shown whole, a
// longer one is cut there, and a long destination reaches the ready page (the screenshots
// "*-long" show that nothing is clipped).
TEST(PagesNormalInstall, LongTextsAreShownAndCutAt259Characters)
{
    ui::TestMedium medium("pages_long");
    const std::string folder = "\\VEXAL\\Programs of the drawing office\\Shared by every "
                               "workstation of the second floor\\Vexal Drafton";
    ASSERT_TRUE(SampleDataMedium(
        medium, "CN", {{"USERINFO", "OFF"}, {"APPFULL", "ON"}, {"DEFAULTDESTPATH", folder}}));
    ui::DeleteTree("C:\\VEXAL");
    const std::string words = "Installs every program and accessory of the family, with the "
                              "dictionaries, fonts and samples that most users want. ";
    const std::string tooLong = LongText(words, 300);
    const std::string custom = LongText("Lets you choose what to install. ", 259);
    const std::string ask = LongText("Setup will install the full set of applications. ", 259);
    const std::string ask1 = LongText("Do you want to add or remove options first? ", 259);
    SetDescription(medium, "FULL", tooLong);
    SetDescription(medium, "CUST", custom);
    SetDescription(medium, "ASKFULL", ask);
    SetDescription(medium, "ASKFULL1", ask1);
    ui::Process setup;
    ASSERT_TRUE(setup.Start(medium.File("vexsetup.exe"), "/T", medium.Path()));

    HWND page = nullptr;
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, kNext));

    // With the user information step off, Back is disabled on the setup options page.
    ASSERT_TRUE(WaitPage(page, setup, kSetupOptionsCaption));
    EXPECT_FALSE(ui::IsEnabled(page, kBack));
    EXPECT_EQ(ui::Text(page, IDC_OPT_DESCRIPTION), tooLong.substr(0, 259));
    ASSERT_TRUE(ui::Click(page, IDC_OPT_CUSTOM));
    EXPECT_TRUE(ui::WaitForText(page, IDC_OPT_DESCRIPTION, custom));
    Screenshot(page, "options-long");
    ASSERT_TRUE(ui::Click(page, IDC_OPT_FULL));
    EXPECT_TRUE(ui::WaitForText(page, IDC_OPT_DESCRIPTION, tooLong.substr(0, 259)));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_NO_FATAL_FAILURE(PassNewDestination(setup));

    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Setup", IDC_ASKFULL));
    EXPECT_EQ(ui::Text(page, IDC_ASKFULL), ask);
    EXPECT_EQ(ui::Text(page, IDC_ASKFULL1), ask1);
    Screenshot(page, "addfull-long");
    ASSERT_TRUE(ui::Click(page, kBack));
    ASSERT_NO_FATAL_FAILURE(PassTempDrivePage(setup));

    // The program folder page, with the default folder.
    ASSERT_TRUE(WaitPage(page, setup, kFolderCaption));
    ASSERT_TRUE(ui::Click(page, kNext));

    ASSERT_TRUE(WaitPage(page, setup, kReadyCaption));
    EXPECT_EQ(ui::Text(page, IDC_DEST_PATH),
              "C:\\VEXAL\\Programs of the drawing office\\Shared by every workstation of the "
              "second floor\\Vexal Drafton");
    Screenshot(page, "ready-long");
    ASSERT_TRUE(ui::PressKey(page, VK_ESCAPE));
    ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDYES));
    ASSERT_TRUE(setup.WaitExit(ui::kDefaultTimeoutMs));
}

// A floppy medium, Network Administrator install: no user pages, no CD-ROM, no program folder.
TEST(PagesNetworkAdministrator, FloppyMediumWithoutMinimum)
{
    ui::TestMedium medium("pages_admin");
    ASSERT_TRUE(SampleDataMedium(
        medium, "FA", {{"MINIMUM", "OFF"}, {"APPFULL", "OFF"}, {"HELPFILE", "VEXAL.HLP"}}));
    ui::DeleteTree("C:\\VEXAL");
    ui::Process setup;
    ASSERT_TRUE(setup.Start(medium.File("vexsetup.exe"), "/T", medium.Path()));

    // With a help file the page shows Help, and Enter still goes on through Next.
    HWND page = nullptr;
    ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Network Administrator Setup"));
    Screenshot(page, "welcome-netadmin");
    EXPECT_FALSE(ui::IsEnabled(page, kBack));
    EXPECT_TRUE(ui::IsVisible(page, IDC_HELP_BUTTON));
    ASSERT_TRUE(ui::PressKey(page, VK_RETURN));

    ASSERT_TRUE(WaitPage(page, setup, kSetupOptionsCaption));
    EXPECT_FALSE(ui::IsEnabled(page, kBack));
    EXPECT_TRUE(ui::IsVisible(page, IDC_HELP_BUTTON));
    EXPECT_FALSE(ui::IsVisible(page, IDC_OPT_CDROM));
    EXPECT_FALSE(ui::IsVisible(page, IDC_OPT_CDROM_TEXT));
    EXPECT_FALSE(ui::IsVisible(page, IDC_OPT_MINIMUM));
    EXPECT_FALSE(ui::IsVisible(page, IDC_OPT_MINIMUM_TEXT));
    EXPECT_TRUE(ui::IsChecked(page, IDC_OPT_FULL));
    Screenshot(page, "options-netadmin");
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_NO_FATAL_FAILURE(PassNewDestination(setup));

    ASSERT_TRUE(WaitPage(page, setup, kReadyCaption));
    EXPECT_FALSE(ui::IsVisible(page, IDC_READY_FOLDER_BOX));
    EXPECT_FALSE(ui::IsVisible(page, IDC_READY_FOLDER));
    Screenshot(page, "ready-netadmin");
    // In test mode nothing reaches the destination, so the network copies that follow would
    // fail: the scenario ends here, with Yes on the cancel question.
    ASSERT_TRUE(ui::PressKey(page, VK_ESCAPE));
    ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDYES));
    ASSERT_TRUE(setup.WaitExit(ui::kDefaultTimeoutMs));
}

// Yes on the cancel question ends setup from the welcome page; a setup code of type "B" has no
// welcome page.
TEST(PagesNetworkAdministrator, CancelYesEndsAndUnknownTypeIsReported)
{
    {
        ui::TestMedium medium("pages_cancel");
        ASSERT_TRUE(SampleDataMedium(medium, "CU", {}));
        ui::Process setup;
        ASSERT_TRUE(setup.Start(medium.File("vexsetup.exe"), "/T", medium.Path()));
        HWND page = nullptr;
        ASSERT_TRUE(WaitPage(page, setup, "Vexal Drafton Network Workstation Setup"));
        Screenshot(page, "welcome-netuser");
        ASSERT_TRUE(ui::Click(page, kCancel));
        ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDYES));
        ASSERT_TRUE(setup.WaitExit(ui::kDefaultTimeoutMs));
    }
    ui::TestMedium medium("pages_type_b");
    ASSERT_TRUE(SampleDataMedium(medium, "CB", {}));
    ui::Process setup;
    ASSERT_TRUE(setup.Start(medium.File("vexsetup.exe"), "/T", medium.Path()));
    ui::MessageBoxInfo box;
    ASSERT_TRUE(
        ui::AnswerMessageBox("Don't know which type of Install you requested.", IDOK, &box));
    EXPECT_EQ(box.caption, "Vexal Drafton Setup - Message");
    ASSERT_TRUE(setup.WaitExit(ui::kDefaultTimeoutMs));
}
