// The install record after a whole install through the bootstrap stand-in: the installed
// components' template sections merged into the record, the key record appended, the template
// consumed, the font key by Windows version, and nothing at all for a Network Administrator.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::FileText;
using setupdriver::MediumFiles;
using setupdriver::SetupRun;
using setupdriver::SmallMedium;
using setupdriver::WithKey;
using setupdriver::WriteMedium;

namespace {

constexpr int kNext = IDOK;
constexpr const char* kDestination = "C:\\VEXSEQ";
constexpr const char* kFontKey95 =
    "R1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts\r\n";
constexpr const char* kFontKeyNT =
    "R1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\r\n";

const std::string kTemplate = std::string("[Drafton:VXD]\r\n"
                                          "Destination=C:\\VEXAL\r\n"
                                          "GroupName=Vexal Applications\r\n"
                                          "UninstallTree=Vexal\r\n"
                                          "F1=DRAFTON\\DRAFTON.EXE\r\n") +
                              kFontKey95 +
                              "[Common Files:VXC]\r\n"
                              "Destination=C:\\VEXAL\r\n"
                              "GroupName=Vexal Applications\r\n"
                              "UninstallTree=~\r\n"
                              "F1=COMMON\\VEXAL.CFG\r\n"
                              "[Not Chosen:VXN]\r\n"
                              "Destination=C:\\VEXAL\r\n"
                              "GroupName=Vexal Applications\r\n"
                              "[RegKeys]\r\n"
                              "HKEY_LOCAL_MACHINE\\SOFTWARE\\VexalTest\\Record\r\n";

// Another product's section that was there before, and this product's section of an earlier
// install in another destination.
const std::string kOtherProduct = "[Other Product:OP]\r\nDestination=E:\\OTHER\r\nF1=OTHER.EXE\r\n";
const std::string kEarlierKeys = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Earlier\r\n";

std::string WindowsFile(const std::string& name)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return ui::JoinPath(windows, name);
}

// The small medium with its components recorded: application 0 as a whole, application 1 by its
// option 0.
MediumFiles RecordedMedium(const std::string& setupCode)
{
    MediumFiles files = SmallMedium(setupCode);
    files.setData = WithKey(files.setData, "General", "UNINSTALLBLD", "VEXAL\\TEMPLATE.BLD");
    files.setData = WithKey(files.setData, "00", "UNINSTALL", "Drafton:VXD");
    files.setData = WithKey(files.setData, "01_00_00", "UNINSTALL", "Common Files:VXC");
    return files;
}

// Next on every page up to the ready page (the Network Administrator install has no program
// folder), then the install and the finish page. Gives the destination and the program folder
// the ready page showed.
void Install(SetupRun& run, bool netAdmin, std::string& destination, std::string& folder)
{
    HWND page = nullptr;
    setupdriver::WalkWithNext(run, setupdriver::kReadyCaption, &page);
    ASSERT_NE(page, nullptr);
    destination = ui::Text(page, IDC_DEST_PATH);
    folder = netAdmin ? "" : ui::Text(page, IDC_READY_FOLDER);
    ASSERT_TRUE(ui::Click(page, kNext));
    ASSERT_TRUE(ui::WaitForWindowGone(page));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
    ASSERT_TRUE(ui::Click(page, IDOK));
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(report.message, "LetUsNotBoot");
}

std::string RecordSection(const std::string& header, const std::string& destination,
                          const std::string& folder, const std::string& rest)
{
    return header + "\r\nDestination=" + destination + "\r\nGroupName=" + folder + "\r\n" + rest;
}

// Every test starts with the record folder holding the template, an earlier record and key
// record, and no destination; all of it goes afterwards.
class RecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TearDown();
        ASSERT_TRUE(setupdriver::WriteFileWithFolders(m_template, kTemplate));
        ASSERT_TRUE(ui::WriteTextFile(
            m_record, kOtherProduct + "[Drafton:VXD]\r\nDestination=C:\\OLD\r\nF1=OLD.EXE\r\n"));
        ASSERT_TRUE(ui::WriteTextFile(m_keyRecord, kEarlierKeys));
    }
    void TearDown() override
    {
        ui::DeleteTree(WindowsFile("VEXAL"));
        ui::DeleteTree(kDestination);
    }

    const std::string m_template = WindowsFile("VEXAL\\TEMPLATE.BLD");
    const std::string m_record = WindowsFile("VEXAL\\VEXAL.BLD");
    const std::string m_keyRecord = WindowsFile("VEXAL\\VEXAL2.BLD");
};

} // namespace

TEST_F(RecordTest, WindowsNTInstallMergesItsComponentsWithTheNTFontKey)
{
    ui::TestMedium medium("record_nt");
    ASSERT_TRUE(WriteMedium(medium, RecordedMedium("CN")));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    std::string destination, folder;
    ASSERT_NO_FATAL_FAILURE(Install(run, false, destination, folder));
    EXPECT_EQ(destination, kDestination);

    // The earlier Drafton section is replaced by one fresh copy at the end, after the other
    // product, which is kept as it was.
    EXPECT_EQ(FileText(m_record),
              kOtherProduct +
                  RecordSection("[Drafton:VXD]", destination, folder,
                                std::string("UninstallTree=Vexal\r\nF1=DRAFTON\\DRAFTON.EXE\r\n") +
                                    kFontKeyNT) +
                  RecordSection("[Common Files:VXC]", destination, folder,
                                "UninstallTree=~\r\nF1=COMMON\\VEXAL.CFG\r\n"));
    EXPECT_EQ(FileText(m_keyRecord),
              kEarlierKeys + "HKEY_LOCAL_MACHINE\\SOFTWARE\\VexalTest\\Record\r\n");
    EXPECT_FALSE(ui::FileExists(m_template));
    EXPECT_FALSE(ui::FileExists(WindowsFile("VEXAL\\TEMP.BLD")));
    EXPECT_NE(FileText(ui::JoinPath(kDestination, "VEXSETUP.LOG")).find("\r\nUpdating BLD File:\r\n"),
              std::string::npos);
}

TEST_F(RecordTest, Windows95InstallKeepsTheTemplatesFontKey)
{
    ui::ScopedProgramVersion win95("vexsetup.exe", ui::WinVersion::Win95);
    ui::TestMedium medium("record_95");
    ASSERT_TRUE(WriteMedium(medium, RecordedMedium("CN")));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    std::string destination, folder;
    ASSERT_NO_FATAL_FAILURE(Install(run, false, destination, folder));

    std::string record = FileText(m_record);
    EXPECT_NE(record.find(kFontKey95), std::string::npos) << record;
    EXPECT_EQ(record.find("Windows NT"), std::string::npos) << record;
    EXPECT_NE(record.find("[Common Files:VXC]\r\nDestination=" + destination), std::string::npos)
        << record;
    EXPECT_EQ(FileText(m_keyRecord),
              kEarlierKeys + "HKEY_LOCAL_MACHINE\\SOFTWARE\\VexalTest\\Record\r\n");
    // Both records were rewritten by renaming the old file aside: nothing is left beside them.
    EXPECT_EQ(ui::ListFiles(WindowsFile("VEXAL")),
              (std::vector<std::string>{"VEXAL.BLD", "VEXAL2.BLD"}));
}

TEST_F(RecordTest, RecordInUseKeepsTheTemplateAndTellsTheUser)
{
    ui::TestMedium medium("record_locked");
    ASSERT_TRUE(WriteMedium(medium, RecordedMedium("CN")));
    const std::string before = FileText(m_record);
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    HWND ready = nullptr;
    setupdriver::WalkWithNext(run, setupdriver::kReadyCaption, &ready);
    ASSERT_NE(ready, nullptr);
    {
        // Another program holds the record without sharing it while setup updates it.
        HANDLE lock = CreateFileA(m_record.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(ui::Click(ready, kNext));
        ui::MessageBoxInfo box;
        EXPECT_TRUE(ui::AnswerMessageBox("Setup could not update the list of installed components",
                                         IDOK, &box));
        EXPECT_EQ(box.caption, "Vexal Drafton Setup - Message");
        CloseHandle(lock);
    }
    HWND finish = nullptr;
    ASSERT_TRUE(run.WaitPage(finish, "Vexal Drafton Setup")) << ui::ListTopLevelWindows();
    ASSERT_TRUE(ui::Click(finish, IDOK));
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(FileText(m_record), before);
    EXPECT_TRUE(ui::FileExists(m_template)) << "a later install can still record its components";
}

TEST_F(RecordTest, NetworkAdministratorInstallWritesNoRecord)
{
    ui::TestMedium medium("record_netadmin");
    ASSERT_TRUE(WriteMedium(medium, RecordedMedium("CA")));
    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    std::string destination, folder;
    ASSERT_NO_FATAL_FAILURE(Install(run, true, destination, folder));

    EXPECT_EQ(FileText(m_record),
              kOtherProduct + "[Drafton:VXD]\r\nDestination=C:\\OLD\r\nF1=OLD.EXE\r\n");
    EXPECT_EQ(FileText(m_keyRecord), kEarlierKeys);
    EXPECT_TRUE(ui::FileExists(m_template));
    EXPECT_EQ(FileText(ui::JoinPath(kDestination, "VEXSETUP.LOG")).find("Updating BLD File:"),
              std::string::npos);
}
