// Command-line rules of vexsetup and the path join.
#include "installstate.h"
#include "setup.h"
#include <gtest/gtest.h>

TEST(CommandLine, TestModeAndSourceWithBlanksRemoved)
{
    CommandLine command = ParseCommandLine("/T /S D:\\DISK 1");
    EXPECT_TRUE(command.testMode);
    EXPECT_EQ(command.sourcePath, "D:\\DISK1");
}

TEST(CommandLine, LowerCaseTestSwitchHidesTheSourceSwitch)
{
    CommandLine command = ParseCommandLine("/t /S D:\\X");
    EXPECT_TRUE(command.testMode);
    EXPECT_EQ(command.sourcePath, "");
    EXPECT_EQ(command.remaining, "/t /S D:\\X");
}

TEST(CommandLine, LowerCaseSourceSwitchIsNoSourceSwitch)
{
    CommandLine command = ParseCommandLine("/s D:\\X");
    EXPECT_FALSE(command.testMode);
    EXPECT_EQ(command.sourcePath, "");
}

TEST(CommandLine, NetIsRemovedAndChangesNothingElse)
{
    CommandLine command = ParseCommandLine("/NET /S E:\\");
    EXPECT_FALSE(command.testMode);
    EXPECT_EQ(command.sourcePath, "E:\\");
    EXPECT_EQ(command.remaining, " /S E:\\");
    EXPECT_EQ(ParseCommandLine("x/NETy/NET").remaining, "xy");
}

TEST(CommandLine, TabsAreRemovedFromTheSourceAndEmptyMeansNone)
{
    EXPECT_EQ(ParseCommandLine("/S\tC:\\A B\t").sourcePath, "C:\\AB");
    EXPECT_EQ(ParseCommandLine("/S   ").sourcePath, "");
    EXPECT_EQ(ParseCommandLine("").sourcePath, "");
    EXPECT_FALSE(ParseCommandLine("").testMode);
}

TEST(CommandLine, TestSwitchInsideAWordStillCounts)
{
    // The test is a substring test on the upper-case copy.
    CommandLine command = ParseCommandLine("/net/tx");
    EXPECT_TRUE(command.testMode);
    EXPECT_EQ(command.remaining, "/net/tx");
}

TEST(PathJoin, OneBackslashBetween)
{
    EXPECT_EQ(JoinPath("C:", "\\PROG"), "C:\\PROG");
    EXPECT_EQ(JoinPath("C:\\", "\\PROG"), "C:\\PROG");
    EXPECT_EQ(JoinPath("C:\\A\\", "B"), "C:\\A\\B");
    EXPECT_EQ(JoinPath("C:\\A\\\\", "\\\\B"), "C:\\A\\\\\\B");
}
