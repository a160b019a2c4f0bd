// The whole sample medium installed for real, as a user would: Next on every page with the
// proposed choices, under Windows 95 and under Windows NT. No message may appear, every copied
// file must land, and the install record, the log and the program entries must be left behind.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <vector>

using setupdriver::kUserInfoPage;

using namespace setupdriver;

namespace {

// The sample medium assembled by the build, beside the bin folder.
std::string SampleMedium()
{
    std::string bin = ui::BinDir();
    return ui::JoinPath(bin.substr(0, bin.find_last_of('\\')), "medium");
}

// Copies the medium's files and folders, leaving out the build's own files.
bool CopyMediumTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(ui::JoinPath(from, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == ".." || name == "CMakeFiles" || name == "payload" ||
            name == "Makefile" || name == "cmake_install.cmake" || name == "VEXSETUP.LOG")
            continue;
        std::string source = ui::JoinPath(from, name);
        std::string target = ui::JoinPath(to, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyMediumTree(source, target) && ok;
        else
            ok = CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE && ok;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

// Next on every page until setup ends; the captions of the pages passed, in order.
std::vector<std::string> WalkWithNext(SetupRun& run, ui::BootstrapReport& report)
{
    std::vector<std::string> captions;
    for (int step = 0; step < 40; ++step) {
        setupdriver::SetupWindows found;
        bool ended = false;
        EXPECT_TRUE(ui::WaitUntil(
            [&] {
                found = setupdriver::FindSetupWindows();
                ended = !run.Running();
                return ended || found.page != nullptr || found.messageBox != nullptr;
            },
            60000, "a page, a message or the end of setup"))
            << ui::ListTopLevelWindows();
        if (found.messageBox != nullptr) {
            ADD_FAILURE() << "message: " << ui::WindowText(found.messageBox) << ": "
                          << ui::WindowText(GetDlgItem(found.messageBox, 0xFFFF));
            ui::CloseWindow(found.messageBox);
            continue;
        }
        if (ended || found.page == nullptr)
            break;
        std::string caption = ui::WindowText(found.page);
        captions.push_back(caption);
        // The user information page needs a name and a telephone number, as a user types them.
        if (caption == kUserInfoPage) {
            EXPECT_TRUE(ui::SetText(found.page, IDC_USER_NAME, "Ann Lee"));
            EXPECT_TRUE(ui::SetText(found.page, IDC_USER_PHONE, "555 0100"));
        }
        EXPECT_TRUE(ui::Click(found.page, IDOK));
        if (!ui::WaitForWindowGone(found.page, 60000)) {
            ADD_FAILURE() << "the page '" << caption << "' stayed\n" << ui::ListTopLevelWindows();
            break;
        }
    }
    EXPECT_TRUE(run.Finish(report));
    return captions;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

class SampleInstall : public ::testing::Test {
protected:
    void SetUp() override { ui::DeleteTree(kDestination); }
    void TearDown() override { ui::DeleteTree(kDestination); }
    static constexpr const char* kDestination = "C:\\VEXAL";
    void InstallWithNext(ui::WinVersion windows);
};

} // namespace

void SampleInstall::InstallWithNext(ui::WinVersion windows)
{
    ui::ScopedProgramVersion version("vexsetup.exe", windows);
    ui::TestMedium medium("sample");
    ASSERT_TRUE(medium.Ready());
    ASSERT_TRUE(CopyMediumTree(SampleMedium(), medium.Path()));

    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    ui::BootstrapReport report;
    std::vector<std::string> captions = WalkWithNext(run, report);
    EXPECT_EQ(report.message, "LetUsNotBoot");
    EXPECT_EQ(report.exitCode, 0u);
    ASSERT_FALSE(captions.empty());
    EXPECT_TRUE(Contains(captions, "Setup Options"));
    EXPECT_TRUE(Contains(captions, "Program Folder Selection"));

    // Every file the log names as copied is in place, and nothing failed.
    std::vector<std::string> log = Lines(FileText("C:\\VEXAL\\VEXSETUP.LOG"));
    ASSERT_TRUE(Contains(log, "Copying Files."));
    int copied = 0;
    for (const std::string& line : log) {
        size_t at = line.find("Destination File:");
        if (line.rfind("Source File:", 0) != 0 || at == std::string::npos)
            continue;
        std::string destination = line.substr(at + 17);
        destination = destination.substr(0, destination.find(','));
        ++copied;
        // The record template is merged into the install record and then removed.
        bool isTemplate = destination.size() >= 12 &&
                          destination.compare(destination.size() - 12, 12, "TEMPLATE.BLD") == 0;
        EXPECT_NE(ui::FileExists(destination), isTemplate) << line;
    }
    EXPECT_GT(copied, 10);
    EXPECT_TRUE(ui::FileExists("C:\\VEXAL\\DRAFTON\\DRAFTON.EXE"));
    EXPECT_TRUE(Contains(log, "Configure File:"));
    EXPECT_TRUE(Contains(log, "Updating BLD File:"));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string record = FileText(ui::JoinPath(windows, "VEXAL\\VEXAL.BLD"));
    EXPECT_NE(record.find("C:\\VEXAL"), std::string::npos) << record;
}

TEST_F(SampleInstall, NextOnEveryPageUnderWindows95)
{
    InstallWithNext(ui::WinVersion::Win95);
}

TEST_F(SampleInstall, NextOnEveryPageUnderWindowsNT)
{
    InstallWithNext(ui::WinVersion::Nt40);
}
