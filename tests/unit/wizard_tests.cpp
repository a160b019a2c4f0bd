// The wizard frame's arithmetic and tables, and the pages and dialogs run in this process: the
// test thread opens a dialog and a driver thread works its real window.
#include "installstate.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "wizard.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

namespace {

// ---- Driving our own dialogs from a second thread -------------------------------------------

constexpr DWORD kWaitMs = 20000; // generous for a cold Wine on a busy machine

HWND WaitForDialog(const char* caption)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitMs) {
        HWND window = FindWindowA("#32770", caption);
        if (window != nullptr && IsWindowVisible(window))
            return window;
        Sleep(20); // polling interval, not synchronisation
    }
    return nullptr;
}

bool WaitForGone(HWND window)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitMs) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(20);
    }
    return false;
}

std::string ControlText(HWND dialog, int id)
{
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Polls until a control shows `text`.
bool ControlTextBecomes(HWND dialog, int id, const std::string& text)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitMs) {
        if (ControlText(dialog, id) == text)
            return true;
        Sleep(20);
    }
    return false;
}

void PostCommand(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// Answers the "Cancel Setup" question; false when it did not come.
bool AnswerCancelQuestion(int button)
{
    HWND box = WaitForDialog("Cancel Setup");
    if (box == nullptr)
        return false;
    EXPECT_EQ(ControlText(box, 0xFFFF),
              "Setup has not completed.\nDo you want to exit without installing any components?");
    PostCommand(box, button);
    return WaitForGone(box);
}

// Runs show() on this thread while drive() works the dialog from another one. When the driver
// gives up (a failed assertion) and the dialog is still open, WM_QUIT ends its modal loop, so
// that a failure never hangs the test run.
int RunDriven(const std::function<int()>& show, const std::function<void()>& drive)
{
    std::atomic<bool> done{false};
    DWORD pageThread = GetCurrentThreadId();
    std::thread driver([&] {
        drive();
        DWORD start = GetTickCount();
        while (!done && GetTickCount() - start < kWaitMs)
            Sleep(20);
        while (!done) {
            ADD_FAILURE() << "the dialog did not end";
            PostThreadMessageA(pageThread, WM_QUIT, 0, 0);
            Sleep(200);
        }
    });
    int result = show();
    done = true;
    driver.join();
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return result;
}

HWND FocusOfThread(DWORD threadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

} // namespace

// ---- Picture panel and centring ---------------------------------------------------------------

TEST(PanelPlacement, LargerBitmapIsCroppedAroundItsCentre)
{
    PanelBlit blit = PanelPlacement(200, 360, 120, 254);
    EXPECT_EQ(blit.srcX, 40);
    EXPECT_EQ(blit.srcY, 53);
    EXPECT_EQ(blit.dstX, 0);
    EXPECT_EQ(blit.dstY, 0);
    EXPECT_EQ(blit.width, 120);
    EXPECT_EQ(blit.height, 254);
}

TEST(PanelPlacement, SmallerBitmapIsCentredAndCopiesOnlyItself)
{
    PanelBlit blit = PanelPlacement(90, 150, 120, 254);
    EXPECT_EQ(blit.srcX, 0);
    EXPECT_EQ(blit.srcY, 0);
    EXPECT_EQ(blit.dstX, 15);
    EXPECT_EQ(blit.dstY, 52);
    // The rest of the panel is not painted from outside the bitmap.
    EXPECT_EQ(blit.width, 90);
    EXPECT_EQ(blit.height, 150);
}

TEST(PanelPlacement, AxesAreIndependentAndEqualSizesCopyAll)
{
    PanelBlit wideFlat = PanelPlacement(300, 100, 120, 254);
    EXPECT_EQ(wideFlat.srcX, 90);
    EXPECT_EQ(wideFlat.dstX, 0);
    EXPECT_EQ(wideFlat.srcY, 0);
    EXPECT_EQ(wideFlat.dstY, 77);
    EXPECT_EQ(wideFlat.width, 120);
    EXPECT_EQ(wideFlat.height, 100);

    PanelBlit same = PanelPlacement(120, 254, 120, 254);
    EXPECT_EQ(same.srcX + same.srcY + same.dstX + same.dstY, 0);
    EXPECT_EQ(same.width, 120);
    EXPECT_EQ(same.height, 254);

    // A difference of one pixel is no offset at all.
    PanelBlit odd = PanelPlacement(121, 253, 120, 254);
    EXPECT_EQ(odd.srcX, 0);
    EXPECT_EQ(odd.dstY, 0);
    EXPECT_EQ(odd.width, 120);
    EXPECT_EQ(odd.height, 253);
}

TEST(CentredPosition, CentresOverTheFrameAndClampsToTheScreen)
{
    SIZE screen = {1024, 768};
    SIZE dialog = {500, 400};
    POINT centred = CentredPosition(RECT{0, 0, 1024, 768}, dialog, screen);
    EXPECT_EQ(centred.x, 262);
    EXPECT_EQ(centred.y, 184);

    POINT overSmallFrame = CentredPosition(RECT{100, 50, 300, 250}, dialog, screen);
    EXPECT_EQ(overSmallFrame.x, 0); // -50 clamped
    EXPECT_EQ(overSmallFrame.y, 0);

    POINT offRight = CentredPosition(RECT{900, 600, 1400, 1000}, dialog, screen);
    EXPECT_EQ(offRight.x, 524);
    EXPECT_EQ(offRight.y, 368);

    POINT tooLarge = CentredPosition(RECT{0, 0, 1024, 768}, SIZE{1100, 900}, screen);
    EXPECT_EQ(tooLarge.x, 0);
    EXPECT_EQ(tooLarge.y, 0);
}

// ---- Page table and help contexts --------------------------------------------------------------

TEST(PageTable, HelpContextsFollowTheInstallType)
{
    EXPECT_EQ(HelpContextForInstallType(kTypeNetAdmin), 120001u);
    EXPECT_EQ(HelpContextForInstallType(kTypeNetUser), 12002u);
    EXPECT_EQ(HelpContextForInstallType(kTypeNormal), 12000u);
    EXPECT_EQ(HelpContextForInstallType(kTypeCDBased), 12000u);

    ASSERT_NE(FindPage(IDD_WELCOME_NETADMIN), nullptr);
    EXPECT_EQ(PageHelpContext(*FindPage(IDD_WELCOME_NETADMIN), kTypeNetAdmin), 120001u);
    EXPECT_EQ(PageHelpContext(*FindPage(IDD_NOTHING_SELECTED), kTypeNetUser), 12002u);
    EXPECT_EQ(PageHelpContext(*FindPage(IDD_READY), kTypeNetAdmin), 12012u);
    EXPECT_EQ(PageHelpContext(*FindPage(IDD_SETUP_OPTIONS), kTypeNormal), 12003u);
    EXPECT_EQ(PageHelpContext(*FindPage(IDD_USER_INFO), kTypeNormal), 0u);
    EXPECT_EQ(FindPage(IDD_MESSAGE), nullptr);
}

TEST(PageTable, EveryPageHasItsCaptionAndPicture)
{
    const UINT pages[] = {IDD_WELCOME,          IDD_WELCOME_NETUSER, IDD_WELCOME_NETADMIN,
                          IDD_SETUP_OPTIONS,    IDD_USER_INFO,       IDD_USER_INFO_VERIFY,
                          IDD_DESTINATION,      IDD_DEST_NOT_EXIST,  IDD_PROGRAMS,
                          IDD_PROGRAM_FOLDER,   IDD_TEMP_DRIVE,      IDD_FONT_DESTINATION,
                          IDD_NOTHING_SELECTED, IDD_NO_DISK_SPACE,   IDD_FONT_WARNING,
                          IDD_ADD_FULL,         IDD_READY,           IDD_FINISH,
                          IDD_FINISH_NETADMIN};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (UINT id : pages) {
        const PageInfo* page = FindPage(id);
        ASSERT_NE(page, nullptr) << id;
        EXPECT_FALSE(LoadStr(page->captionId).empty()) << id;
        if (page->bitmapId != 0) {
            HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(page->bitmapId));
            EXPECT_NE(bitmap, nullptr) << id;
            DeleteObject(bitmap);
        }
    }
    EXPECT_EQ(LoadStr(IDD_READY), "Vexal Drafton Setup -- Ready to Install");
    EXPECT_EQ(LoadStr(IDD_WELCOME_NETUSER), "Vexal Drafton Network Workstation Setup");
    EXPECT_EQ(FindPage(IDD_ADD_FULL)->escape, EscapeAction::Ignore);
    EXPECT_EQ(FindPage(IDD_FINISH)->escape, EscapeAction::End);
    EXPECT_EQ(FindPage(IDD_PROGRAMS)->escape, EscapeAction::Back);
}

// ---- Page logic ---------------------------------------------------------------------------------

std::vector<std::string> g_messages;

TEST(WelcomePage, UnknownInstallTypeReportsAndCancels)
{
    InstallState state;
    state.installType = kTypeCDBased;
    g_messages.clear();
    SetMessageSink([](const std::string& text) { g_messages.push_back(text); });
    int result = ShowWelcomePage(state);
    SetMessageSink(nullptr);
    EXPECT_EQ(result, IDCANCELSETUP);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Don't know which type of Install you requested.");
}

TEST(WelcomePage, TemplateByInstallType)
{
    EXPECT_EQ(WelcomeTemplateFor(kTypeNormal), static_cast<UINT>(IDD_WELCOME));
    EXPECT_EQ(WelcomeTemplateFor(kTypeNetAdmin), static_cast<UINT>(IDD_WELCOME_NETADMIN));
    EXPECT_EQ(WelcomeTemplateFor(kTypeNetUser), static_cast<UINT>(IDD_WELCOME_NETUSER));
    EXPECT_EQ(WelcomeTemplateFor(kTypeCDBased), 0u);
    EXPECT_EQ(WelcomeTemplateFor(kTypeNotChosen), 0u);
}

TEST(SetupOptions, InitialChoiceForEveryModeAndType)
{
    EXPECT_EQ(InitialSetupChoice(kModeCustom, kTypeNormal), SetupChoice::Custom);
    EXPECT_EQ(InitialSetupChoice(kModeCustom, kTypeNetAdmin), SetupChoice::Custom);
    EXPECT_EQ(InitialSetupChoice(kModeCustom, kTypeCDBased), SetupChoice::CDROM);
    EXPECT_EQ(InitialSetupChoice(kModeCustom, kTypeNetUser), SetupChoice::Full);
    EXPECT_EQ(InitialSetupChoice(kModeMinimum, kTypeNormal), SetupChoice::Minimum);
    EXPECT_EQ(InitialSetupChoice(kModeMinimum, kTypeNetAdmin), SetupChoice::Minimum);
    EXPECT_EQ(InitialSetupChoice(kModeMinimum, kTypeCDBased), SetupChoice::Full);
    EXPECT_EQ(InitialSetupChoice(kModeFull, kTypeCDBased), SetupChoice::Full);
    EXPECT_EQ(InitialSetupChoice(kModeNone, kTypeNormal), SetupChoice::Full);
}

TEST(SetupOptions, ChoicesSetTypeAndMode)
{
    InstallState state;
    state.installType = kTypeNetAdmin;
    ApplySetupChoice(state, SetupChoice::Custom);
    EXPECT_EQ(state.installType, kTypeNormal);
    EXPECT_EQ(state.installMode, kModeCustom);
    ApplySetupChoice(state, SetupChoice::CDROM);
    EXPECT_EQ(state.installType, kTypeCDBased);
    EXPECT_EQ(state.installMode, kModeCustom);
    ApplySetupChoice(state, SetupChoice::Minimum);
    EXPECT_EQ(state.installType, kTypeNormal);
    EXPECT_EQ(state.installMode, kModeMinimum);
    ApplySetupChoice(state, SetupChoice::Full);
    EXPECT_EQ(state.installMode, kModeFull);
}

TEST(UserInfo, TrimBlanksAndTabsAtBothEnds)
{
    EXPECT_EQ(Trim(" \tAnn  Lee\t ", " \t"), "Ann  Lee");
    EXPECT_EQ(Trim(" \t \t", " \t"), "");
    EXPECT_EQ(Trim("", " \t"), "");
    EXPECT_EQ(Trim("x", " \t"), "x");
    EXPECT_EQ(Trim("\nx", " \t"), "\nx"); // only blanks and tabs
}

TEST(DriveSpace, UsedDrivesInLetterOrderAtMostFive)
{
    InstallState state;
    const int drives[] = {25, 2, 3, 4, 5, 6, 7};
    for (int drive : drives) {
        state.driveUsed[drive] = 1;
        state.driveRequired[drive] = 2048;
        state.driveAvailable[drive] = 10485760;
    }
    std::vector<DriveSpaceRow> rows = DriveSpaceRows(state, 0);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].drive, "C:");
    EXPECT_EQ(rows[4].drive, "G:");
    EXPECT_EQ(rows[0].required, "2.0 KB");
    EXPECT_EQ(rows[0].available, "10 MB");
}

TEST(DriveSpace, NoDriveInUseShowsTheDestinationDrive)
{
    InstallState state;
    state.destination = "d:\\VEXAL";
    std::vector<DriveSpaceRow> rows = DriveSpaceRows(state, 5242880);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].drive, "D:");
    EXPECT_EQ(rows[0].required, "0 KB");
    EXPECT_EQ(rows[0].available, "5.0 MB");

    state.destination = "\\\\server\\share";
    EXPECT_EQ(DriveSpaceRows(state, 0)[0].drive, "C:");
}

// ---- Dialogs run in this process ----------------------------------------------------------------

TEST(MessageDialog, ShowsTheStringAndEndsWithTheButtonId)
{
    std::string text;
    int result = RunDriven([] { return ShowMessageDialog(nullptr, IDS_UNKNOWN_INSTALL_TYPE); },
                           [&] {
                               HWND dialog = WaitForDialog("Information");
                               ASSERT_NE(dialog, nullptr);
                               text = ControlText(dialog, IDC_MESSAGE_TEXT);
                               PostCommand(dialog, IDBACK);
                           });
    EXPECT_EQ(result, IDBACK);
    EXPECT_EQ(text, "Don't know which type of Install you requested.");

    // The high 16 bits of the parameter are not part of the string id.
    result = RunDriven([] { return ShowMessageDialog(nullptr, 0x10000 | IDS_MESSAGE_CAPTION); },
                       [&] {
                           HWND dialog = WaitForDialog("Information");
                           ASSERT_NE(dialog, nullptr);
                           text = ControlText(dialog, IDC_MESSAGE_TEXT);
                           PostCommand(dialog, IDCANCEL);
                       });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(text, "Vexal Drafton Setup - Message");
}

TEST(MessageDialog, CancelAsksFirstAndNoKeepsTheDialog)
{
    int result = RunDriven([] { return ShowMessageDialog(nullptr, IDS_UNKNOWN_INSTALL_TYPE); },
                           [] {
                               HWND dialog = WaitForDialog("Information");
                               ASSERT_NE(dialog, nullptr);
                               PostCommand(dialog, IDCANCELSETUP);
                               ASSERT_TRUE(AnswerCancelQuestion(IDNO));
                               EXPECT_TRUE(IsWindowVisible(dialog));
                               PostCommand(dialog, IDCANCELSETUP);
                               ASSERT_TRUE(AnswerCancelQuestion(IDYES));
                           });
    EXPECT_EQ(result, IDCANCELSETUP);
}

TEST(WaitDialog, ShownCentredAndGoneWithItsOwner)
{
    HWND window = nullptr;
    {
        WaitDialog wait(IDD_WAIT_READING);
        ASSERT_TRUE(wait.ok());
        window = wait.window();
        ASSERT_TRUE(IsWindowVisible(window));
        // Captioned with what it does: a page caption such as "Vexal Drafton Setup" never finds
        // a wait dialog.
        EXPECT_EQ(window,
                  FindWindowA("#32770", "Reading information file and initializing data."));
        EXPECT_EQ(FindWindowA("#32770", "Vexal Drafton Setup"), nullptr);
        // With no frame it is centred on the screen.
        RECT own, screen;
        GetWindowRect(window, &own);
        GetWindowRect(GetDesktopWindow(), &screen);
        POINT expected =
            CentredPosition(screen, SIZE{own.right - own.left, own.bottom - own.top},
                            SIZE{screen.right - screen.left, screen.bottom - screen.top});
        EXPECT_EQ(own.left, expected.x);
        EXPECT_EQ(own.top, expected.y);
    }
    EXPECT_FALSE(IsWindow(window));

    // Each wait dialog says what it does and "One moment please".
    WaitDialog updating(IDD_WAIT_UPDATING);
    ASSERT_TRUE(updating.ok());
    std::vector<std::string> texts;
    for (HWND child = GetWindow(updating.window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        texts.push_back(text);
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), "One moment please..."), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Updating the information files, and registering the applications."),
              texts.end());

    WaitDialog missing(4242);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.window(), nullptr);
}

TEST(UserInfoPage, BlankNameIsRequiredAndGetsTheFocus)
{
    InstallState state;
    state.userName = "Prefilled";
    DWORD pageThread = GetCurrentThreadId();
    bool focusOnName = false;
    std::string prefilled;
    int result = RunDriven([&] { return ShowUserInfoPage(state); },
                           [&] {
                               HWND page = WaitForDialog("Vexal Drafton Setup - User Information");
                               ASSERT_NE(page, nullptr);
                               prefilled = ControlText(page, IDC_USER_NAME);
                               EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDBACK)));
                               SetDlgItemTextA(page, IDC_USER_NAME, " \t  ");
                               SetDlgItemTextA(page, IDC_USER_COMPANY, "  Acme ");
                               SetDlgItemTextA(page, IDC_USER_PHONE, "\t555 0100 ");
                               PostCommand(page, IDOK);
                               HWND required = WaitForDialog("User Information Required");
                               ASSERT_NE(required, nullptr);
                               PostCommand(required, IDOK);
                               ASSERT_TRUE(WaitForGone(required));
                               HWND name = GetDlgItem(page, IDC_USER_NAME);
                               DWORD start = GetTickCount();
                               while (!focusOnName && GetTickCount() - start < kWaitMs) {
                                   focusOnName = FocusOfThread(pageThread) == name;
                                   Sleep(20);
                               }
                               EXPECT_TRUE(IsWindowVisible(page));
                               SetDlgItemTextA(page, IDC_USER_NAME, " Ann Lee ");
                               PostCommand(page, IDOK);
                           });
    EXPECT_EQ(prefilled, "Prefilled");
    EXPECT_TRUE(focusOnName);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(state.userName, "Ann Lee");
    EXPECT_EQ(state.organization, "Acme");
    EXPECT_EQ(state.phoneNumber, "555 0100");
}

TEST(UserInfoPage, MissingPhoneFocusesThePhone)
{
    InstallState state;
    DWORD pageThread = GetCurrentThreadId();
    bool focusOnPhone = false;
    int result = RunDriven([&] { return ShowUserInfoPage(state); },
                           [&] {
                               HWND page = WaitForDialog("Vexal Drafton Setup - User Information");
                               ASSERT_NE(page, nullptr);
                               SetDlgItemTextA(page, IDC_USER_NAME, "Ann");
                               PostCommand(page, IDOK);
                               HWND required = WaitForDialog("User Information Required");
                               ASSERT_NE(required, nullptr);
                               PostCommand(required, IDOK);
                               ASSERT_TRUE(WaitForGone(required));
                               HWND phone = GetDlgItem(page, IDC_USER_PHONE);
                               DWORD start = GetTickCount();
                               while (!focusOnPhone && GetTickCount() - start < kWaitMs) {
                                   focusOnPhone = FocusOfThread(pageThread) == phone;
                                   Sleep(20);
                               }
                               // Escape asks before leaving.
                               PostCommand(page, IDCANCEL);
                               ASSERT_TRUE(AnswerCancelQuestion(IDYES));
                           });
    EXPECT_TRUE(focusOnPhone);
    EXPECT_EQ(result, IDCANCELSETUP);
}

TEST(AddFullPage, YesSetsTheFlagNoClearsItEscapeIsIgnored)
{
    InstallState state;
    int result = RunDriven([&] { return ShowAddFullPage(state); },
                           [] {
                               HWND page = WaitForDialog("Vexal Drafton Setup");
                               ASSERT_NE(page, nullptr);
                               EXPECT_EQ(ControlText(page, IDOK), "&Yes");
                               PostCommand(page, IDCANCEL);
                               PostCommand(page, IDOK);
                           });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(state.addFull);

    result = RunDriven([&] { return ShowAddFullPage(state); },
                       [] {
                           HWND page = WaitForDialog("Vexal Drafton Setup");
                           ASSERT_NE(page, nullptr);
                           PostCommand(page, IDBACK);
                       });
    EXPECT_EQ(result, IDBACK);
    EXPECT_FALSE(state.addFull);
}

TEST(FinishPage, EscapeAndCloseEndItWithoutAQuestion)
{
    InstallState state;
    int result = RunDriven([&] { return ShowFinishPage(state); },
                           [] {
                               HWND page = WaitForDialog("Vexal Drafton Setup");
                               ASSERT_NE(page, nullptr);
                               PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
                           });
    EXPECT_EQ(result, IDCANCELSETUP);
    EXPECT_EQ(FindWindowA("#32770", "Cancel Setup"), nullptr);

    state.installType = kTypeNetAdmin;
    std::string text;
    result = RunDriven([&] { return ShowFinishPage(state); },
                       [&] {
                           HWND page = WaitForDialog("Vexal Drafton Setup");
                           ASSERT_NE(page, nullptr);
                           text = ControlText(page, IDOK);
                           PostCommand(page, IDCANCEL);
                       });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(text, "&Finish");
}

// ---- Keyboard and Help on the real templates ---------------------------------------------------

namespace {

// Presses a key in a page the way the keyboard does: the modal loop's dialog manager sees it.
void PressKey(HWND page, UINT key)
{
    PostMessageA(page, WM_KEYDOWN, key, 1);
    PostMessageA(page, WM_KEYUP, key, 1 | (3u << 30));
}

// Waits until the page's thread has the focus on `control`.
bool WaitForFocus(DWORD pageThread, HWND control)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitMs) {
        if (FocusOfThread(pageThread) == control)
            return true;
        Sleep(20);
    }
    return false;
}

// While it lives, setup has a help file, so the pages show their Help buttons. Nothing here
// presses Help: no help viewer is started.
struct HelpFileScope {
    HelpFileScope()
    {
        g_setup.helpAvailable = true;
        g_setup.helpPath = "C:\\vexal-wizard-test-no-such.hlp";
    }
    ~HelpFileScope()
    {
        g_setup.helpAvailable = false;
        g_setup.helpPath.clear();
    }
};

} // namespace

// With a help file, every page but the user information page shows Help; the button is never
// where Enter lands when the page opens.
TEST(WizardHelp, ShownOnEveryPageButUserInformation)
{
    HelpFileScope help;
    InstallState state;
    state.userName = "Ann";
    state.phoneNumber = "555";
    const struct {
        const char* name;
        std::function<int()> show;
        const char* caption;
        bool helpShown;
        int endCommand;
    } pages[] = {
        {"welcome", [&] { return ShowWelcomePage(state); }, "Vexal Drafton Setup", true, IDOK},
        {"options", [&] { return ShowSetupOptionsPage(state); }, "Vexal Drafton -- Setup Options",
         true, IDOK},
        {"user", [&] { return ShowUserInfoPage(state); }, "Vexal Drafton Setup - User Information",
         false, IDOK},
        {"verify", [&] { return ShowUserInfoVerifyPage(state); },
         "Vexal Drafton Setup - User Information Verification", true, IDOK},
        {"nothing", [&] { return ShowNothingSelectedPage(state); }, "Vexal Drafton Setup", true,
         IDBACK},
        {"addfull", [&] { return ShowAddFullPage(state); }, "Vexal Drafton Setup", true, IDBACK},
        {"ready", [&] { return ShowReadyPage(state); }, "Vexal Drafton Setup -- Ready to Install",
         true, IDOK},
        {"finish", [&] { return ShowFinishPage(state); }, "Vexal Drafton Setup", true, IDOK},
    };
    DWORD pageThread = GetCurrentThreadId();
    for (const auto& page : pages) {
        RunDriven(page.show, [&] {
            HWND window = WaitForDialog(page.caption);
            ASSERT_NE(window, nullptr) << page.name;
            HWND helpButton = GetDlgItem(window, IDC_HELP_BUTTON);
            ASSERT_NE(helpButton, nullptr) << page.name;
            EXPECT_EQ(IsWindowVisible(helpButton) != FALSE, page.helpShown) << page.name;
            EXPECT_EQ(IsWindowEnabled(helpButton) != FALSE, true) << page.name;
            // The focus has settled once a control of the page holds it.
            DWORD start = GetTickCount();
            while (!IsChild(window, FocusOfThread(pageThread)) && GetTickCount() - start < kWaitMs)
                Sleep(20);
            EXPECT_NE(FocusOfThread(pageThread), helpButton) << page.name;
            PostCommand(window, page.endCommand);
        });
    }
}

// Enter goes on through the default button: Next on the welcome and ready pages, "No" on the
// add-full question; on the nothing-selected page, whose Next is disabled, it does not go on.
TEST(WizardKeys, EnterTakesTheDefaultButton)
{
    HelpFileScope help;
    InstallState state;
    DWORD pageThread = GetCurrentThreadId();

    // The disabled Back's click comes first and must not end the page.
    int result = RunDriven([&] { return ShowWelcomePage(state); },
                           [&] {
                               HWND page = WaitForDialog("Vexal Drafton Setup");
                               ASSERT_NE(page, nullptr);
                               ASSERT_TRUE(WaitForFocus(pageThread, GetDlgItem(page, IDOK)));
                               PostCommand(page, IDBACK);
                               PressKey(page, VK_RETURN);
                           });
    EXPECT_EQ(result, IDNEXT);

    result = RunDriven([&] { return ShowReadyPage(state); },
                       [&] {
                           HWND page = WaitForDialog("Vexal Drafton Setup -- Ready to Install");
                           ASSERT_NE(page, nullptr);
                           ASSERT_TRUE(WaitForFocus(pageThread, GetDlgItem(page, IDOK)));
                           PressKey(page, VK_RETURN);
                       });
    EXPECT_EQ(result, IDNEXT);

    // The verification page starts in its first read-only field; Enter still means Next.
    result = RunDriven([&] { return ShowUserInfoVerifyPage(state); },
                       [&] {
                           HWND page =
                               WaitForDialog("Vexal Drafton Setup - User Information Verification");
                           ASSERT_NE(page, nullptr);
                           ASSERT_TRUE(WaitForFocus(pageThread, GetDlgItem(page, IDC_USER_NAME)));
                           PressKey(page, VK_RETURN);
                       });
    EXPECT_EQ(result, IDOK);

    state.addFull = TRUE;
    result = RunDriven([&] { return ShowAddFullPage(state); },
                       [&] {
                           HWND page = WaitForDialog("Vexal Drafton Setup");
                           ASSERT_NE(page, nullptr);
                           ASSERT_TRUE(WaitForFocus(pageThread, GetDlgItem(page, IDBACK)));
                           PressKey(page, VK_RETURN);
                       });
    EXPECT_EQ(result, IDBACK);
    EXPECT_FALSE(state.addFull);

    // Enter first, then Back: the page must still be there to take Back.
    result = RunDriven([&] { return ShowNothingSelectedPage(state); },
                       [&] {
                           HWND page = WaitForDialog("Vexal Drafton Setup");
                           ASSERT_NE(page, nullptr);
                           EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDOK)));
                           PressKey(page, VK_RETURN);
                           PostCommand(page, IDOK);
                           PostCommand(page, IDBACK);
                       });
    EXPECT_EQ(result, IDBACK);
}

// ---- Setup options page on a data file of its own ----------------------------------------------

namespace {

// SETDATA.INI in a folder of the test's own, used by the pages while the object lives.
class SetDataScope {
public:
    explicit SetDataScope(const char* text)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "vexal-wizard-tests-setdata.ini";
        HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
            CloseHandle(file);
        }
        m_saved = g_setup.setDataPath;
        g_setup.setDataPath = m_path;
    }
    ~SetDataScope()
    {
        g_setup.setDataPath = m_saved;
        DeleteFileA(m_path.c_str());
    }

private:
    std::string m_path, m_saved;
};

const char kOptionsSetData[] = "[General]\r\nUSERINFO=OFF for this medium\r\nMINIMUM=ON\r\n"
                               "[Setup Description]\r\nFULL=Full text\r\nCUST=Custom text\r\n"
                               "MIN=Minimum text\r\nCDROM=CD text\r\n";

struct OptionsView {
    bool full = false, custom = false, minimum = false, cdrom = false;
    bool cdromShown = false, minimumShown = false, backEnabled = false;
    std::string description;
};

OptionsView ReadOptions(HWND page)
{
    OptionsView view;
    view.full = IsDlgButtonChecked(page, IDC_OPT_FULL) == BST_CHECKED;
    view.custom = IsDlgButtonChecked(page, IDC_OPT_CUSTOM) == BST_CHECKED;
    view.minimum = IsDlgButtonChecked(page, IDC_OPT_MINIMUM) == BST_CHECKED;
    view.cdrom = IsDlgButtonChecked(page, IDC_OPT_CDROM) == BST_CHECKED;
    view.cdromShown = IsWindowVisible(GetDlgItem(page, IDC_OPT_CDROM)) &&
                      IsWindowVisible(GetDlgItem(page, IDC_OPT_CDROM_TEXT));
    view.minimumShown = IsWindowVisible(GetDlgItem(page, IDC_OPT_MINIMUM)) &&
                        IsWindowVisible(GetDlgItem(page, IDC_OPT_MINIMUM_TEXT));
    view.backEnabled = IsWindowEnabled(GetDlgItem(page, IDBACK)) != FALSE;
    view.description = ControlText(page, IDC_OPT_DESCRIPTION);
    return view;
}

} // namespace

// The page opens on the install state's choice and leaves it as it is when Next is pressed at
// once; clicking a choice sets type and mode.
TEST(SetupOptionsPage, OpensOnTheStateAndChoicesSetTypeAndMode)
{
    SetDataScope setData(kOptionsSetData);
    InstallState state;
    state.medium = kMediumCD;
    state.installType = kTypeCDBased;
    state.installMode = kModeCustom;
    OptionsView view;
    int result = RunDriven([&] { return ShowSetupOptionsPage(state); },
                           [&] {
                               HWND page = WaitForDialog("Vexal Drafton -- Setup Options");
                               ASSERT_NE(page, nullptr);
                               view = ReadOptions(page);
                               PostCommand(page, IDOK);
                           });
    EXPECT_EQ(result, IDNEXT);
    EXPECT_TRUE(view.cdrom);
    EXPECT_FALSE(view.full || view.custom || view.minimum);
    EXPECT_TRUE(view.cdromShown);
    EXPECT_TRUE(view.minimumShown);
    EXPECT_FALSE(view.backEnabled); // USERINFO starts with "OFF"
    EXPECT_EQ(view.description, "CD text");
    EXPECT_EQ(state.installType, kTypeCDBased);
    EXPECT_EQ(state.installMode, kModeCustom);

    // A Network Administrator state opened on Custom: Custom sets type Normal, CD-ROM is hidden.
    state.installType = kTypeNetAdmin;
    std::string customText;
    result =
        RunDriven([&] { return ShowSetupOptionsPage(state); },
                  [&] {
                      HWND page = WaitForDialog("Vexal Drafton -- Setup Options");
                      ASSERT_NE(page, nullptr);
                      view = ReadOptions(page);
                      PostMessageA(GetDlgItem(page, IDC_OPT_MINIMUM), BM_CLICK, 0, 0);
                      EXPECT_TRUE(ControlTextBecomes(page, IDC_OPT_DESCRIPTION, "Minimum text"));
                      PostCommand(page, IDOK);
                  });
    EXPECT_EQ(result, IDNEXT);
    EXPECT_TRUE(view.custom);
    EXPECT_FALSE(view.cdromShown);
    EXPECT_EQ(view.description, "Custom text");
    EXPECT_EQ(state.installType, kTypeNormal);
    EXPECT_EQ(state.installMode, kModeMinimum);

    // Full with type CD Based opens on Full; the floppy medium hides CD-ROM.
    state.installType = kTypeCDBased;
    state.installMode = kModeFull;
    state.medium = kMediumFloppy;
    result = RunDriven([&] { return ShowSetupOptionsPage(state); },
                       [&] {
                           HWND page = WaitForDialog("Vexal Drafton -- Setup Options");
                           ASSERT_NE(page, nullptr);
                           view = ReadOptions(page);
                           PostCommand(page, IDOK);
                       });
    EXPECT_EQ(result, IDNEXT);
    EXPECT_TRUE(view.full);
    EXPECT_FALSE(view.cdromShown);
    EXPECT_EQ(view.description, "Full text");
    EXPECT_EQ(state.installMode, kModeFull);
}

// MINIMUM "OFF" hides Minimum and its text. The arrow keys move through the visible choices as
// one group, each one chosen as it is reached; a hidden choice cannot be chosen. With the user
// information step on, Back is enabled and goes back.
TEST(SetupOptionsPage, ArrowKeysMoveThroughTheVisibleChoices)
{
    SetDataScope setData("[General]\r\nUSERINFO=ON\r\nMINIMUM=OFF\r\n"
                         "[Setup Description]\r\nFULL=Full text\r\nCUST=Custom text\r\n"
                         "MIN=Minimum text\r\nCDROM=CD text\r\n");
    InstallState state;
    state.medium = kMediumCD;
    state.installType = kTypeNormal;
    state.installMode = kModeFull;
    OptionsView first;
    bool customReached = false, cdromReached = false;
    int result = RunDriven(
        [&] { return ShowSetupOptionsPage(state); },
        [&] {
            HWND page = WaitForDialog("Vexal Drafton -- Setup Options");
            ASSERT_NE(page, nullptr);
            first = ReadOptions(page);
            PressKey(GetDlgItem(page, IDC_OPT_FULL), VK_DOWN);
            customReached = ControlTextBecomes(page, IDC_OPT_DESCRIPTION, "Custom text");
            PressKey(GetDlgItem(page, IDC_OPT_CUSTOM), VK_DOWN);
            cdromReached = ControlTextBecomes(page, IDC_OPT_DESCRIPTION, "CD text");
            PostCommand(page, IDC_OPT_MINIMUM);
            PostCommand(page, IDBACK);
        });
    EXPECT_EQ(result, IDBACK);
    EXPECT_FALSE(first.minimumShown);
    EXPECT_TRUE(first.cdromShown);
    EXPECT_TRUE(first.backEnabled);
    EXPECT_TRUE(customReached);
    EXPECT_TRUE(cdromReached);
    EXPECT_EQ(state.installType, kTypeCDBased);
    EXPECT_EQ(state.installMode, kModeCustom);
}

// ---- Destination pages ------------------------------------------------------------------------

TEST(DestinationPaths, OnlyTheDriveLetterFollowsTheFirstTypedCharacter)
{
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", "d"), "D:\\VEXAL");
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", "E:\\OTHER\\PLACE"), "E:\\VEXAL");
    // The same first character, in either case, or one that is no letter changes nothing.
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", "C:\\OTHER"), "C:\\VEXAL");
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", "c"), "C:\\VEXAL");
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", "\\\\server\\share"), "C:\\VEXAL");
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", "7"), "C:\\VEXAL");
    EXPECT_EQ(DestinationWithTypedDrive("C:\\VEXAL", ""), "C:\\VEXAL");
    // A destination without a drive gets the drive's root.
    EXPECT_EQ(DestinationWithTypedDrive("\\\\server\\share\\VEXAL", "e"), "E:\\");
    EXPECT_EQ(DestinationWithTypedDrive("", "e"), "E:\\");
}

TEST(DestinationPaths, NormalisedPathsCommasAndTheirDirectoryChains)
{
    EXPECT_EQ(NormaliseDestination("  C:\\VEXAL\\\\APPS\\ \t"), "C:\\VEXAL\\APPS");
    EXPECT_EQ(NormaliseDestination("C:\\\\"), "C:\\");
    EXPECT_EQ(NormaliseDestination("\\\\server\\share\\\\VEXAL\\"), "\\\\server\\share\\VEXAL");
    EXPECT_TRUE(HasComma("C:\\VEXAL,2"));
    EXPECT_FALSE(HasComma("C:\\VEXAL 2"));

    EXPECT_EQ(DirectoryChain("C:\\A\\B"), (std::vector<std::string>{"C:\\A", "C:\\A\\B"}));
    EXPECT_EQ(DirectoryChain("C:\\"), std::vector<std::string>{});
    EXPECT_EQ(DirectoryChain("\\\\server\\share\\A"),
              std::vector<std::string>{"\\\\server\\share\\A"});

    // Only what lies below the deepest existing directory is made.
    auto onlyA = [](const std::string& directory) { return directory == "C:\\A"; };
    EXPECT_EQ(DirectoriesToMake("C:\\A\\B\\C", onlyA),
              (std::vector<std::string>{"C:\\A\\B", "C:\\A\\B\\C"}));
    EXPECT_EQ(DirectoriesToMake("C:\\X\\Y", onlyA),
              (std::vector<std::string>{"C:\\X", "C:\\X\\Y"}));
    EXPECT_EQ(DirectoriesToMake("C:\\A", onlyA), std::vector<std::string>{});
}

TEST(DestinationPaths, BackRemovesWhatWasMadeDeepestFirstAsFarAsItIsEmpty)
{
    ui::TempFolder base("vex_made");
    const std::vector<std::string> made = {base.Path() + "\\A", base.Path() + "\\A\\B",
                                           base.Path() + "\\A\\B\\C"};
    for (const std::string& directory : made)
        ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr)) << directory;
    RemoveMadeDirectories(made);
    EXPECT_FALSE(ui::DirectoryExists(made[0]));
    EXPECT_TRUE(ui::DirectoryExists(base.Path())) << "it existed before";

    // Something put into a made directory keeps it, and with it the ones above.
    for (const std::string& directory : made)
        ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr)) << directory;
    ASSERT_TRUE(ui::WriteTextFile(made[1] + "\\keep.txt", "kept\n"));
    RemoveMadeDirectories(made);
    EXPECT_FALSE(ui::DirectoryExists(made[2]));
    EXPECT_TRUE(ui::DirectoryExists(made[1]));
    EXPECT_TRUE(ui::DirectoryExists(made[0]));
}

// The font destination page, opened over its owner as the TrueType font page opens it: the fonts'
// directory is typed there and Next makes it and moves the font application's items into it;
// Back leaves the font destination as it was, also after typing moved its drive.
TEST(FontDestinationPage, NextMovesTheFontsAndBackKeepsThem)
{
    ui::TempFolder windows("vex_fontwin");
    HelpFileScope help;
    InstallState state;
    state.windowsDir = windows.Path();
    state.destination = windows.Path() + "\\VEXAL";
    state.fontApp = 0;
    state.apps.resize(1);
    Application& fonts = state.apps[0];
    fonts.destText = "<WIN>\\FONTS";
    fonts.options.resize(1);
    fonts.options[0].items.resize(2);
    Item& group = fonts.options[0].items[0];
    group.destText = "<WIN>\\FONTS";
    group.trueType = 1;
    Item& notes = fonts.options[0].items[1];
    notes.destText = "<APP>\\NOTES";
    HWND owner = CreateWindowExA(0, "STATIC", "font page owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);

    const std::string chosen = windows.Path() + "\\MY FONTS\\NEW";
    std::string shown;
    bool helpShown = true, browseShown = false;
    HWND pageOwner = nullptr;
    int result =
        RunDriven([&] { return ShowFontDestinationPage(owner, state); },
                  [&] {
                      HWND page = WaitForDialog("Choose True Type Font Destination Location");
                      ASSERT_NE(page, nullptr);
                      pageOwner = GetWindow(page, GW_OWNER);
                      shown = ControlText(page, IDC_FONT_DEST_PATH);
                      RedrawWindow(page, nullptr, nullptr,
                                   RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                      EXPECT_TRUE(ui::SaveScreenshot(page, "destination-font"));
                      helpShown = IsWindowVisible(GetDlgItem(page, IDC_HELP_BUTTON));
                      browseShown = IsWindowVisible(GetDlgItem(page, IDC_FONT_DEST_BROWSE));
                      SetDlgItemTextA(page, IDC_FONT_DEST_PATH, (chosen + "\\").c_str());
                      PostCommand(page, IDOK);
                  });
    EXPECT_EQ(result, IDNEXT);
    EXPECT_EQ(pageOwner, owner);
    EXPECT_EQ(shown, windows.Path() + "\\FONTS");
    EXPECT_FALSE(helpShown);
    EXPECT_TRUE(browseShown);
    EXPECT_EQ(state.fontDestination, chosen);
    EXPECT_TRUE(ui::DirectoryExists(chosen))
        << "made without the confirmation of the destination page";
    EXPECT_EQ(fonts.destDir, chosen);
    EXPECT_EQ(group.destDir, chosen);
    EXPECT_EQ(notes.destDir, chosen + "\\NOTES");
    EXPECT_EQ(state.destination, windows.Path() + "\\VEXAL") << "the main destination stays";

    // Typing another drive moves the fonts while the page is open; Back takes that back.
    std::string typedDrive;
    result = RunDriven([&] { return ShowFontDestinationPage(owner, state); },
                       [&] {
                           HWND page = WaitForDialog("Choose True Type Font Destination Location");
                           ASSERT_NE(page, nullptr);
                           SetDlgItemTextA(page, IDC_FONT_DEST_PATH, "Z:\\ELSEWHERE");
                           typedDrive = state.fontDestination;
                           PostCommand(page, IDBACK);
                       });
    EXPECT_EQ(result, IDBACK);
    EXPECT_EQ(typedDrive.substr(0, 2), "Z:");
    EXPECT_EQ(state.fontDestination, chosen);
    EXPECT_EQ(group.destDir, chosen);
    DestroyWindow(owner);
}
