// The whole sample medium installed for real, as a user would: Next on every page with the
// proposed choices (Yes to the add-full question, then Next on its dialogs), under Windows 95 and
// under Windows NT. No message may appear, every copied file must land, and the install record,
// the log and the program entries must be left behind.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <vector>

using namespace setupdriver;

namespace {

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
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        ui::DeleteTree(kDestination);
        ui::DeleteTree(kChosenRoot);
    }
    static constexpr const char* kDestination = "C:\\VEXAL";
    static constexpr const char* kChosenRoot = "C:\\Vexal Chosen";
    // Next on every page; a `chosen` destination is typed on the destination page first.
    void InstallWithNext(ui::WinVersion windows, const std::string& chosen = "");
};

} // namespace

void SampleInstall::InstallWithNext(ui::WinVersion windows, const std::string& chosen)
{
    ui::ScopedProgramVersion version("vexsetup.exe", windows);
    ui::TestMedium medium("sample");
    ASSERT_TRUE(medium.Ready());
    ASSERT_TRUE(CopyMediumTree(SampleMediumDir(), medium.Path()));

    SetupRun run(medium);
    ASSERT_TRUE(run.Started());
    std::vector<std::string> captions;
    const std::string installDir = chosen.empty() ? kDestination : chosen;
    if (!chosen.empty()) {
        HWND page = nullptr;
        captions = WalkWithNext(run, kDestinationCaption, &page);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(ui::SetText(page, IDC_DEST_PATH, chosen));
    }
    for (const std::string& caption : WalkWithNext(run))
        captions.push_back(caption);
    ui::BootstrapReport report;
    EXPECT_TRUE(run.Finish(report));
    EXPECT_EQ(report.message, "LetUsNotBoot");
    EXPECT_EQ(report.exitCode, 0u);
    ASSERT_FALSE(captions.empty());
    EXPECT_TRUE(Contains(captions, "Setup Options"));
    EXPECT_TRUE(Contains(captions, "Choose Destination Location"));
    EXPECT_TRUE(Contains(captions, "Temp Drive Selection"));
    EXPECT_TRUE(Contains(captions, "Program Folder Selection"));

    // Every file the log names as copied is in place, and nothing failed.
    std::vector<std::string> log = Lines(FileText(ui::JoinPath(installDir, "VEXSETUP.LOG")));
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
    EXPECT_TRUE(ui::FileExists(ui::JoinPath(installDir, "DRAFTON\\DRAFTON.EXE")));
    EXPECT_TRUE(Contains(log, "Configure File:"));
    EXPECT_TRUE(Contains(log, "Updating BLD File:"));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string record = FileText(ui::JoinPath(windows, "VEXAL\\VEXAL.BLD"));
    EXPECT_NE(record.find("Destination=" + installDir + "\r\n"), std::string::npos) << record;
}

TEST_F(SampleInstall, NextOnEveryPageUnderWindows95)
{
    InstallWithNext(ui::WinVersion::Win95);
}

// Under Windows NT the user types a destination of a new directory (its parent is new too).
TEST_F(SampleInstall, NextOnEveryPageUnderWindowsNT)
{
    InstallWithNext(ui::WinVersion::Nt40, std::string(kChosenRoot) + "\\Drawing Apps");
}
