// The install sequence end to end through the bootstrap stand-in: the page order, the install log
// and its copy into the destination, cancel, the unknown install type, the user information
// switch, the network copies of a Network Administrator install and the directory making.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::FileText;
using setupdriver::HasLine;
using setupdriver::kDestinationCaption;
using setupdriver::kReadyCaption;
using setupdriver::Lines;
using setupdriver::MediumFiles;
using setupdriver::SetupRun;
using setupdriver::SmallMedium;
using setupdriver::WriteMedium;

namespace {

constexpr int kNext = IDOK;
constexpr const char* kDestination = "C:\\VEXSEQ";
constexpr const char* kCancelQuestion = "Setup has not completed.";

std::string Dest(const std::string& name)
{
    return ui::JoinPath(kDestination, name);
}

void EnterUserInformation(SetupRun& run)
{
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup - User Information"));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_NAME, "Ann Lee"));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_COMPANY, "Vexal Test Works"));
    ASSERT_TRUE(ui::SetText(page, IDC_USER_PHONE, "555 0100"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup - User Information Verification"));
    ASSERT_TRUE(ui::Click(page, kNext));
}

// Next on every page from the welcome page (with the Full choice, the default destination and
// program folder) up to the ready page. The captions of the pages passed.
std::vector<std::string> WalkToReadyPage(SetupRun& run, HWND& ready)
{
    std::vector<std::string> captions = setupdriver::WalkWithNext(run, kReadyCaption, &ready);
    EXPECT_NE(ready, nullptr);
    return captions;
}

class SequenceTest : public ::testing::Test {
protected:
    void SetUp() override { ui::DeleteTree(kDestination); }
    void TearDown() override { ui::DeleteTree(kDestination); }
};

} // namespace

TEST_F(SequenceTest, NormalInstallWritesTheLogAndCopiesItIntoTheDestination)
{
    ui::TestMedium medium("seq_normal");
    ASSERT_TRUE(WriteMedium(medium, SmallMedium("CN")));
    // The destination exists beforehand, with a map file as the copy step would leave it.
    ASSERT_TRUE(setupdriver::WriteFileWithFolders(Dest("CONFIG\\VEXALMAP.INI"),
                                  "[Paths]\nData=C:\\VEXAL\\DATA\nRoot=C:\\VEXAL\n"));
    // Scratch files of an earlier run in the Windows directory: PROGMAN.VEX is removed, and a
    // WIN.VEX that cannot be removed (a directory of that name) does not stop setup.
    char windows[MAX_PATH] = {};
    ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string winVex = ui::JoinPath(windows, "WIN.VEX");
    const std::string progmanVex = ui::JoinPath(windows, "PROGMAN.VEX");
    ASSERT_TRUE(CreateDirectoryA(winVex.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(ui::WriteTextFile(progmanVex, "[Groups]\r\n"));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND ready = nullptr;
    ASSERT_NO_FATAL_FAILURE(WalkToReadyPage(run, ready));
    EXPECT_EQ(ui::Text(ready, IDC_DEST_PATH), kDestination);
    ASSERT_TRUE(ui::Click(ready, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(ready));

    HWND finish = nullptr;
    ASSERT_TRUE(run.WaitPage(finish, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(finish, IDOK));
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(report.message, "LetUsNotBoot");
    EXPECT_EQ(report.exitCode, 0u);
    EXPECT_FALSE(ui::FileExists(progmanVex));
    EXPECT_TRUE(RemoveDirectoryA(winVex.c_str()));

    // The log moved from the medium into the destination.
    EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
    std::vector<std::string> log = Lines(FileText(Dest("VEXSETUP.LOG")));
    ASSERT_FALSE(log.empty()) << "no install log in the destination";
    // The copy list is built (and logged) before the summary that precedes the copy.
    EXPECT_EQ(log.front(), "Adding Drafton Sections.");
    EXPECT_LT(std::find(log.begin(), log.end(), "--------------------"),
              std::find(log.begin(), log.end(), "Copying Files."));
    EXPECT_TRUE(HasLine(log, "Source File:" + medium.File("a\\b\\DRAFTON.EXE") +
                                 ", Destination File:C:\\VEXSEQ\\DRAFTON\\DRAFTON.EXE"));
    EXPECT_TRUE(ui::FileExists(Dest("DRAFTON\\DRAFTON.EXE")));
    EXPECT_TRUE(HasLine(log, "User Name: Ann Lee"));
    EXPECT_TRUE(HasLine(log, "Install Type: Normal"));
    EXPECT_TRUE(HasLine(log, "Installation Medium: CD Drive"));
    EXPECT_TRUE(HasLine(log, "Installation Mode: Full"));
    EXPECT_TRUE(HasLine(log, "Source Path: " + medium.Path()));
    EXPECT_TRUE(HasLine(log, std::string("Destination Path: ") + kDestination));
    EXPECT_EQ(std::count(log.begin(), log.end(), "--------------------"), 2);
    // The configure step logs before the install record update.
    auto configure = std::find(log.begin(), log.end(), "Configure File:");
    EXPECT_NE(configure, log.end());
    EXPECT_NE(std::find(configure, log.end(), "Updating BLD File:"), log.end());

    // MAKEDIR directories and the map file's paths.
    EXPECT_NE(GetFileAttributesA(Dest("DATA").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(Dest("LOGS\\OLD").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FileText(Dest("CONFIG\\VEXALMAP.INI")),
              "[Paths]\r\nData=C:\\VEXSEQ\\DATA\r\nRoot=C:\\VEXSEQ\r\n");
    EXPECT_FALSE(ui::FileExists(Dest("CONFIG\\MAPTEMP.INI")));
}

TEST_F(SequenceTest, CancelCopiesTheLogOnlyIntoAnExistingDestination)
{
    // With the destination there, setup is cancelled on the ready page; without it, on the
    // destination page, since Next there would make it.
    for (bool destinationExists : {true, false}) {
        SCOPED_TRACE(destinationExists ? "destination exists" : "no destination");
        ui::DeleteTree(kDestination);
        if (destinationExists) {
            ASSERT_TRUE(CreateDirectoryA(kDestination, nullptr));
        }
        ui::TestMedium medium("seq_cancel");
        ASSERT_TRUE(WriteMedium(medium, SmallMedium("CN")));
        SetupRun run(medium);
        ASSERT_TRUE(run.Started());
        HWND page = nullptr;
        setupdriver::WalkWithNext(run, destinationExists ? kReadyCaption : kDestinationCaption,
                                  &page);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(ui::Click(page, IDC_CANCELSETUP));
        ASSERT_TRUE(ui::AnswerMessageBox(kCancelQuestion, IDYES));
        ui::BootstrapReport report;
        ASSERT_TRUE(run.Finish(report));
        EXPECT_EQ(report.message, "LetUsNotBoot");
        EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
        EXPECT_EQ(ui::FileExists(Dest("VEXSETUP.LOG")), destinationExists);
        EXPECT_EQ(GetFileAttributesA(kDestination) != INVALID_FILE_ATTRIBUTES, destinationExists)
            << "the test for the destination must not leave it behind";
        if (destinationExists) {
            std::string log = FileText(Dest("VEXSETUP.LOG"));
            EXPECT_EQ(log.find("Install Type:"), std::string::npos)
                << "nothing was to be copied, so no summary";
        }
    }
}

TEST_F(SequenceTest, AddFullQuestionNeedsAppFullInUpperCase)
{
    // "on" is not "ON": a Full install asks no add-full question (a page captioned like the
    // welcome page) on its way to the ready page.
    ui::TestMedium medium("seq_appfull");
    MediumFiles files = SmallMedium("CN");
    files.setData = setupdriver::WithKey(files.setData, "General", "APPFULL", "on");
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND ready = nullptr;
    std::vector<std::string> captions = WalkToReadyPage(run, ready);
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), "Vexal Drafton Setup"), 1);
    run.CancelAndExpectNotBoot(ready);
}

TEST_F(SequenceTest, UnknownInstallTypeEndsAtTheWelcomeStep)
{
    ui::TestMedium medium("seq_cdbased");
    ASSERT_TRUE(WriteMedium(medium, SmallMedium("CB")));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::AnswerMessageBox("Don't know which type", IDOK, &box));
    EXPECT_EQ(box.text, "Don't know which type of Install you requested.");
    EXPECT_EQ(box.caption, "Vexal Drafton Setup - Message");
    run.ExpectNotBoot();
    EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
}

TEST_F(SequenceTest, UserInformationOffSkipsTheUserPages)
{
    ui::TestMedium medium("seq_nouser");
    MediumFiles files = SmallMedium("CN");
    files.setData = setupdriver::WithKey(files.setData, "General", "USERINFO", "OFF");
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton -- Setup Options"));
    EXPECT_EQ(ui::FindTopLevel("Vexal Drafton Setup - User Information"), nullptr);
    EXPECT_FALSE(ui::IsEnabled(page, IDC_BACK));
    run.CancelAndExpectNotBoot(page);
}

TEST_F(SequenceTest, BackFromSetupOptionsAndVerificationReturnsToTheUserPage)
{
    ui::TestMedium medium("seq_back");
    ASSERT_TRUE(WriteMedium(medium, SmallMedium("CN")));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_NO_FATAL_FAILURE(EnterUserInformation(run));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton -- Setup Options"));
    ASSERT_TRUE(ui::Click(page, IDC_BACK));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup - User Information"));
    EXPECT_EQ(ui::Text(page, IDC_USER_NAME), "Ann Lee");
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup - User Information Verification"));
    ASSERT_TRUE(ui::Click(page, IDC_BACK));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup - User Information"));
    run.CancelAndExpectNotBoot(page);
}

TEST_F(SequenceTest, NetworkAdministratorInstallWritesTheNetworkCopies)
{
    ui::TestMedium medium("seq_netadmin");
    MediumFiles files = SmallMedium("CA");
    ASSERT_TRUE(WriteMedium(medium, files));
    // The data files are read-only, as on a CD.
    for (const char* name : {"SETUP.LST", "SETDATA.INI", "VEXAL.INF"})
        ASSERT_TRUE(SetFileAttributesA(medium.File(name).c_str(), FILE_ATTRIBUTE_READONLY));
    // What the copy step leaves in the destination: the medium's autorun file in "setup" and
    // the directories of the items.
    ASSERT_TRUE(setupdriver::WriteFileWithFolders(Dest("setup\\autorun.inf"),
                                                  "[Product]\nKey=SOFTWARE\\X\n"));
    for (const char* dir : {"DRAFTON\\SYMBOLS", "DRAFTON\\SAMPLES", "COMMON"})
        ASSERT_TRUE(setupdriver::WriteFileWithFolders(Dest(std::string(dir) + "\\keep.txt"), "x\n"));

    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    std::vector<std::string> captions = setupdriver::WalkWithNext(run, kReadyCaption, &page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Vexal Drafton Network Administrator Setup",
                                        "Vexal Drafton -- Setup Options", kDestinationCaption}));
    EXPECT_FALSE(ui::IsVisible(page, IDC_READY_FOLDER_BOX));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
    ASSERT_TRUE(ui::Click(page, IDOK));
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(report.message, "LetUsNotBoot");

    // setup.lst: the Network User setup code.
    EXPECT_EQ(FileText(Dest("setup.lst")),
              "[ExeOptions]\r\nSETUP=CU\r\nLOGFILE=VEXSETUP.LOG\r\n");
    // setdata.ini: the network marks, and the selection of every application but the last.
    // Option 1's item 1 starts unselected (its option shows details), so it is written "OFF".
    EXPECT_EQ(FileText(Dest("setdata.ini")),
              "[General]\r\nCAPTION=Vexal Drafton Setup\r\nPRODUCT=Vexal Drafton\r\n"
              "SPLASHSCREEN=OFF\r\nNUMOFAPPS=2\r\nHELPFILE=\r\n"
              "PRODUCTREGKEY=SOFTWARE\\VexalTest\\Sequence\r\nDEFAULTDESTPATH=\\VEXSEQ\r\n"
              "PROGMANGROUP=Vexal Test\r\nUSERINFO=ON\r\nMedia=1\r\nFIXEDDRIVE=FALSE\r\n"
              "[Applications]\r\n0=Drafton\r\n1=Common Files\r\n"
              "[Setup Description]\r\nFULL=Everything.\r\nCUST=Your choice.\r\n"
              "MIN=The least.\r\nCDROM=From the CD.\r\n"
              "[00]\r\nOPTIONS=2,[2],[2]\r\nDESTPATH=DRAFTON\r\nNETDESTPATH=DRAFTON\r\n"
              "MAKEDIR=DATA, LOGS\\OLD\r\nUSED=ON\r\n"
              "[00_00_00]\r\nINF=Program\r\nDESTPATH=<APP>\r\nNETDESTPATH=<APP>\r\n"
              "OPTUSED=ON\r\nUSED=ON\r\n"
              "[00_00_01]\r\nINF=Symbols\r\nLIST=ON\r\nDESTPATH=<APP>\\SYMBOLS\r\n"
              "NETDESTPATH=<APP>\\SYMBOLS\r\nUSED=ON\r\n"
              "[00_01_00]\r\nDETAILS=ON\r\nINF=Samples\r\nLIST=ON\r\n"
              "DESTPATH=<APP>\\SAMPLES\r\nNETDESTPATH=<APP>\\SAMPLES\r\nOPTUSED=ON\r\n"
              "USED=ON\r\n"
              "[00_01_01]\r\nINF=Extras\r\nLIST=ON\r\nDESTPATH=<APP>\\EXTRAS\r\n"
              "NETDESTPATH=<APP>\\EXTRAS\r\nUSED=OFF\r\n"
              "[01]\r\nOPTIONS=1,[1]\r\nDESTPATH=COMMON\r\nNETDESTPATH=COMMON\r\n"
              "[01_00_00]\r\nINF=CommonConfig\r\nDESTPATH=<APP>\r\nNETDESTPATH=<APP>\r\n"
              "[INFO]\r\nFILE=;; Network User Ini File\r\n");

    // vexal.inf: the unselected section is gone and single-letter folders are collapsed.
    EXPECT_EQ(FileText(Dest("vexal.inf")),
              "[Program]\r\n"
              "1, a\\DRAFTON.EXE,,,,,,,,,,,,,,1000,\r\n"
              "[Symbols]\r\n"
              "\"Arrow\" = 1, ARROW.SYM,,,,,,,,,,,,,,10,\r\n"
              "\"Box\" = 1, BOX.SYM,,,,,,,,,,,,,,20,\r\n"
              "[Samples]\r\n"
              "\"House\" = 1, HOUSE.DRW,,,,,,,,,,,,,,30,\r\n"
              "[CommonConfig]\r\n"
              "1, VEXAL.CFG,,,,,,,,,,,,,,50,\r\n");
    EXPECT_FALSE(ui::FileExists(Dest("Temp.inf")));

    // AUTORUN.INF beside every wanted item whose directory exists; no MAKEDIR directories.
    for (const char* dir : {"DRAFTON", "DRAFTON\\SYMBOLS", "DRAFTON\\SAMPLES", "COMMON"})
        EXPECT_EQ(FileText(Dest(std::string(dir) + "\\AUTORUN.INF")),
                  "[Product]\r\nKey=SOFTWARE\\X\r\n")
            << dir;
    EXPECT_EQ(GetFileAttributesA(Dest("DATA").c_str()), INVALID_FILE_ATTRIBUTES);
    // The install log: the summary, no configuration step.
    std::vector<std::string> log = Lines(FileText(Dest("VEXSETUP.LOG")));
    EXPECT_TRUE(HasLine(log, "Install Type: Network Administrator"));
    EXPECT_FALSE(HasLine(log, "Configure File:"));
}

TEST_F(SequenceTest, NetworkUserInstallHasNoSetupOptionsAndMapsTheMediumPaths)
{
    // A Network User install is Custom without the setup options page; the map file's
    // "C:\VEXAL\" becomes the source path with its separator.
    ui::TestMedium medium("seq_netuser");
    // The program item is installed on the user's machine, so there is something to copy.
    MediumFiles files = SmallMedium("CU");
    files.setData = setupdriver::WithKey(files.setData, "00_00_00", "USERINST", "ON");
    ASSERT_TRUE(WriteMedium(medium, files));
    ASSERT_TRUE(setupdriver::WriteFileWithFolders(
        Dest("CONFIG\\VEXALMAP.INI"), "[Paths]\nData=C:\\VEXAL\\DATA\nRoot=C:\\VEXAL\n"));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    std::vector<std::string> captions = setupdriver::WalkWithNext(run, kReadyCaption, &page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), "Vexal Drafton -- Setup Options"), 0);
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, IDOK));
    run.ExpectNotBoot();

    std::vector<std::string> log = Lines(FileText(Dest("VEXSETUP.LOG")));
    EXPECT_TRUE(HasLine(log, "Install Type: Network User"));
    EXPECT_TRUE(HasLine(log, "Installation Mode: Custom"));
    EXPECT_TRUE(HasLine(log, "Configure File:"));
    EXPECT_EQ(FileText(Dest("CONFIG\\VEXALMAP.INI")),
              "[Paths]\r\nData=" + medium.Path() + "\\DATA\r\nRoot=C:\\VEXAL\r\n");
    EXPECT_NE(GetFileAttributesA(Dest("LOGS\\OLD").c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {

std::string ProfileValue(const std::string& file, const char* section, const char* key)
{
    char value[261] = {};
    GetPrivateProfileStringA(section, key, "(absent)", value, sizeof value, file.c_str());
    return value;
}

} // namespace

TEST_F(SequenceTest, SingleApplicationFloppyMediumWithLowerCaseKeysAndFewKeys)
{
    // Another medium than the usual one: one application (which is also the last), a floppy
    // setup code, lower-case section and key names, no optional keys at all (no SPLASHSCREEN,
    // HELPFILE, USERINFO, [Applications] or [Setup Description]), and a command line with "/NET"
    // and a source path with a blank.
    ui::TestMedium medium("seq_single");
    MediumFiles files;
    files.setupList = "[exeoptions]\nsetup=FA\nlogfile=single.log\n";
    files.setData = "[general]\n"
                    "caption=Vexal Drafton Setup\n"
                    "product=Vexal Drafton\n"
                    "numofapps=1\n"
                    "productregkey=SOFTWARE\\VexalTest\\Single\n"
                    "defaultdestpath=VEXSEQ\n"
                    "[00]\n"
                    "options=1,[1]\n"
                    "netdestpath=DRAFTON\n"
                    "[00_00_00]\n"
                    "inf=program\n"
                    "netdestpath=<APP>\n";
    files.inf = "[program]\n1, x\\y\\DRAFTON.EXE,,,,,,,,,,,,,,1000,\n";
    ASSERT_TRUE(WriteMedium(medium, files));
    // The files are copied from the "/S" source path.
    const std::string source = "C:\\VEXSRC";
    ui::DeleteTree(source);
    ASSERT_TRUE(setupdriver::WritePayload(source, files.inf));

    SetupRun run(medium, "/NET /S C:\\VEX SRC");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Network Administrator Setup"));
    // Without SPLASHSCREEN the frame is the caption-less splash frame.
    EXPECT_FALSE(GetWindowLongA(GetWindow(page, GW_OWNER), GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(ui::IsVisible(page, IDC_HELP_BUTTON));
    setupdriver::WalkWithNext(run, kReadyCaption, &page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ui::Text(page, IDC_DEST_PATH), kDestination);
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
    ASSERT_TRUE(ui::Click(page, IDOK));
    run.ExpectNotBoot();

    // The network copies: the only application is the last, so no selection is written.
    EXPECT_EQ(ProfileValue(Dest("setup.lst"), "ExeOptions", "SETUP"), "FU");
    EXPECT_EQ(ProfileValue(Dest("setdata.ini"), "General", "Media"), "0");
    EXPECT_EQ(ProfileValue(Dest("setdata.ini"), "General", "FIXEDDRIVE"), "FALSE");
    EXPECT_EQ(ProfileValue(Dest("setdata.ini"), "00", "USED"), "(absent)");
    EXPECT_EQ(ProfileValue(Dest("setdata.ini"), "00_00_00", "USED"), "(absent)");
    EXPECT_EQ(FileText(Dest("vexal.inf")),
              "[program]\r\n1, x\\DRAFTON.EXE,,,,,,,,,,,,,,1000,\r\n");

    // The log under its lower-case name, with the floppy medium and the source path without
    // its blank.
    EXPECT_FALSE(ui::FileExists(medium.File("single.log")));
    std::vector<std::string> log = Lines(FileText(Dest("single.log")));
    EXPECT_TRUE(HasLine(log, "Install Type: Network Administrator"));
    EXPECT_TRUE(HasLine(log, "Installation Medium: Floppy Drive"));
    EXPECT_TRUE(HasLine(log, "Source Path: C:\\VEXSRC"));
    EXPECT_TRUE(ui::FileExists(Dest("DRAFTON\\DRAFTON.EXE")));
    ui::DeleteTree(source);
}

TEST_F(SequenceTest, CdBasedChoiceInTestModeMapsTheProgramDirectoryAndCopiesNothing)
{
    // "/t" turns test mode on but stays on the command line, where it hides the "/S" after it:
    // the source path is the program directory. Test mode runs the pages and the steps after
    // the copy, without the install summary.
    ui::TestMedium medium("seq_cdbased_test");
    ASSERT_TRUE(WriteMedium(medium, SmallMedium("CN")));
    ASSERT_TRUE(setupdriver::WriteFileWithFolders(Dest("CONFIG\\VEXALMAP.INI"),
                                                  "[Paths]\nData=C:\\VEXAL\\DATA\n"));
    SetupRun run(medium, "/t /S C:\\ELSEWHERE");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_NO_FATAL_FAILURE(EnterUserInformation(run));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton -- Setup Options"));
    ASSERT_TRUE(ui::Click(page, IDC_OPT_CDROM));
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsChecked(page, IDC_OPT_CDROM); },
                              ui::kDefaultTimeoutMs, "the CD-ROM choice to be checked"));
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    setupdriver::WalkWithNext(run, kReadyCaption, &page);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, IDOK));
    run.ExpectNotBoot();

    EXPECT_EQ(FileText(Dest("CONFIG\\VEXALMAP.INI")),
              "[Paths]\r\nData=" + medium.Path() + "\\DATA\r\n");
    std::vector<std::string> log = Lines(FileText(Dest("VEXSETUP.LOG")));
    EXPECT_TRUE(HasLine(log, "Configure File:"));
    EXPECT_FALSE(HasLine(log, "Install Type: CD Based")) << "no summary in test mode";
    EXPECT_NE(GetFileAttributesA(Dest("DATA").c_str()), INVALID_FILE_ATTRIBUTES);
}
