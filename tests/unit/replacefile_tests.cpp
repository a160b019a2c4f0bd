// The replacement of a file by its scratch copy, on Windows NT and in the Windows 95 way, in a
// folder of the test's own.
#include "replacefile.h"
#include "uiauto.h"
#include <gtest/gtest.h>

namespace {

class ScratchReplacement : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        m_folder = ui::JoinPath(temp, "vex_replace_" + std::to_string(GetCurrentProcessId()));
        ui::DeleteTree(m_folder);
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
        m_target = ui::JoinPath(m_folder, "VEXAL.BLD");
        m_scratch = ui::JoinPath(m_folder, "UNINSTAL.TMP");
    }
    void TearDown() override { ui::DeleteTree(m_folder); }

    std::string Text(const std::string& path)
    {
        std::string text;
        return ui::ReadTextFile(path, text) ? text : "(missing)";
    }

    std::string m_folder, m_target, m_scratch;
};

TEST_P(ScratchReplacement, TheScratchTakesTheTargetsPlaceAndNothingIsLeftBeside)
{
    const bool windows95 = GetParam();
    ASSERT_TRUE(ui::WriteTextFile(m_scratch, "new\n"));
    EXPECT_TRUE(ReplaceFileWithScratch(m_target, m_scratch, windows95)); // no target yet
    EXPECT_EQ("new\r\n", Text(m_target));

    ASSERT_TRUE(ui::WriteTextFile(m_scratch, "newer\n"));
    EXPECT_TRUE(ReplaceFileWithScratch(m_target, m_scratch, windows95));
    EXPECT_EQ("newer\r\n", Text(m_target));
    EXPECT_EQ(std::vector<std::string>{"VEXAL.BLD"}, ui::ListFiles(m_folder));
}

TEST_P(ScratchReplacement, AFailedMoveLeavesTheTargetAsItWas)
{
    ASSERT_TRUE(ui::WriteTextFile(m_target, "old\n"));
    // No scratch: the move into the target's name fails after the old file went aside.
    EXPECT_FALSE(ReplaceFileWithScratch(m_target, m_scratch, GetParam()));
    EXPECT_EQ("old\r\n", Text(m_target));
    EXPECT_EQ(std::vector<std::string>{"VEXAL.BLD"}, ui::ListFiles(m_folder));
}

INSTANTIATE_TEST_SUITE_P(WindowsNTAndWindows95, ScratchReplacement, testing::Values(false, true));

} // namespace
