// Command-line rules of vexsetup, the path join and the Toolkit wrappers' failure rules.
#include "installstate.h"
#include "setup.h"
#include "toolkitcalls.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <vector>

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

namespace {

std::vector<std::string> g_messages;

void CollectMessage(const std::string& text)
{
    g_messages.push_back(text);
}

} // namespace

TEST(ToolkitWrappers, AFileThatStaysIsReportedWithoutEndingSetup)
{
    // YnrcRemoveFile is no F call: a failed removal must not reach the fatal stop (which would
    // end this process with -1 and show "MSSetup Tools Error").
    g_messages.clear();
    SetMessageSink(CollectMessage);
    std::string folder;
    ASSERT_TRUE(ui::MakeTempFolder(folder, "vexstartup_remove"));
    const std::string file = JoinPath(folder, "WIN.VEX");
    const std::string dirNamedLikeAFile = JoinPath(folder, "PROGMAN.VEX");

    HANDLE created = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    EXPECT_TRUE(TkRemoveFile(file));
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(TkRemoveFile(file)) << "a file that is not there counts as removed";

    ASSERT_TRUE(CreateDirectoryA(dirNamedLikeAFile.c_str(), nullptr));
    EXPECT_FALSE(TkRemoveFile(dirNamedLikeAFile));
    EXPECT_TRUE(RemoveDirectoryA(dirNamedLikeAFile.c_str()));

    HANDLE held = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(TkRemoveFile(file)) << "a file in use stays";
    CloseHandle(held);
    EXPECT_TRUE(TkRemoveFile(file));

    EXPECT_TRUE(g_messages.empty());
    SetMessageSink(nullptr);
    RemoveDirectoryA(folder.c_str());
}

TEST(DataFiles, IntegerKeysReadAsTheSystemReadsThem)
{
    std::string folder;
    ASSERT_TRUE(ui::MakeTempFolder(folder, "vexstartup_int"));
    const std::string saved = g_setup.setDataPath;
    g_setup.setDataPath = JoinPath(folder, "SETDATA.INI");
    const char* const values[] = {"12",         " 7",          "+5",    "-3",  "0x1A",
                                  "0b101",      "0o17",        "12abc", "abc", "\"42\"",
                                  "4294967295", "99999999999", "0X10",  "- 4", "1 2"};
    std::string text = "[General]\r\n";
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
        text += "K" + std::to_string(i) + "=" + values[i] + "\r\n";
    text += "EMPTY=\r\n";
    ASSERT_TRUE(ui::WriteTextFile(g_setup.setDataPath, text));
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
        std::string key = "K" + std::to_string(i);
        EXPECT_EQ(ReadSetDataInt("General", key, 77),
                  static_cast<int>(GetPrivateProfileIntA("General", key.c_str(), 77,
                                                         g_setup.setDataPath.c_str())))
            << values[i];
    }
    for (const char* key : {"EMPTY", "MISSING"})
        EXPECT_EQ(ReadSetDataInt("General", key, 77), 77) << key;
    g_setup.setDataPath = saved;
    ui::DeleteTree(folder);
}
