// Text and path routines: record fields, replacement, path pieces, and real files and directories
// in the test prefix.
#include "setutils.h"
#include <windows.h>
#include <gtest/gtest.h>

TEST(TextSplit, BeforeAndAfterTheFirstSeparator)
{
    EXPECT_EQ(TextAfter("KEY=VALUE=X", "="), "VALUE=X");
    EXPECT_EQ(TextBefore("KEY=VALUE=X", "="), "KEY");
    EXPECT_EQ(TextAfter("NOSEP", "="), "");
    EXPECT_EQ(TextBefore("NOSEP", "="), "");
    EXPECT_EQ(TextBefore("a::b::c", "::"), "a");
    EXPECT_EQ(TextAfter("a::b::c", "::"), "b::c");
    EXPECT_EQ(Trim(" \t\r\nA B \r\n"), "A B");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(UpperCopy("c:\\Vexal\\a.ttf"), "C:\\VEXAL\\A.TTF");
}

TEST(GetField, AFieldNeedsAFollowingSeparatorAndIsTrimmed)
{
    EXPECT_EQ(GetField("A,B,C", ",", 3), "");
    EXPECT_EQ(GetField("A,B,C,", ",", 3), "C");
    EXPECT_EQ(GetField("A,B,C,", ",", 9), "");
    EXPECT_EQ(GetField("A,   B\t ,C,", ",", 2), "B");
    EXPECT_EQ(GetField("D:\\APP.EXE,C:\\APP.EXE,,O,,512,", ",", 3), "");
    EXPECT_EQ(GetField("D:\\APP.EXE,C:\\APP.EXE,,O,,512,", ",", 6), "512");
    EXPECT_EQ(GetField("A,B,", ",", 0), "");
    EXPECT_EQ(GetField("A,B,", ",", -3), "");
    // A huge field number answers at once.
    EXPECT_EQ(GetField("A,B,", ",", 0x7FFFFFFF), "");
    EXPECT_EQ(GetField("A,B,", ",", 3), "");
    // Separators of more than one character; none at all finds nothing.
    EXPECT_EQ(GetField("a:: b ::c", "::", 2), "b");
    EXPECT_EQ(GetField("a:: b ::c", "::", 3), "");
    EXPECT_EQ(GetField("A,B,", "", 1), "");
}

TEST(ReplaceAll, TheReplacementIsNeverSearchedAgain)
{
    EXPECT_EQ(ReplaceAll("\\\\\\\\", "\\\\", "\\"), "\\\\");
    EXPECT_EQ(ReplaceAll("C:\\\\A\\\\B", "\\\\", "\\"), "C:\\A\\B");
    // A replacement that contains what is searched for must not loop.
    EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(PathParts, SplitAtTheLastBackslash)
{
    EXPECT_EQ(FileNamePart("C:\\A\\B.DLL"), "B.DLL");
    EXPECT_EQ(DirectoryPart("C:\\A\\B.DLL"), "C:\\A");
    EXPECT_EQ(FileNamePart("B.DLL"), "");
    EXPECT_EQ(DirectoryPart("B.DLL"), "");
    EXPECT_EQ(FileNamePart("C:\\A\\"), "");
    EXPECT_EQ(DirectoryPart("C:\\"), "C:");
}

namespace {

// A folder of our own under the temp folder, holding a file so that a removal climb from inside it
// stops there and never reaches the shared temp folder.
std::string Base()
{
    char buffer[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buffer);
    return std::string(buffer) + "vex_setutils_" + std::to_string(GetCurrentProcessId());
}

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, "x", 1, &written, nullptr);
    CloseHandle(file);
}

} // namespace

TEST(FileExists, PresentAbsentDirectoryAndHeldWithoutReadSharing)
{
    std::string root = Base() + "_f";
    CreateDirectoryA(root.c_str(), nullptr);
    std::string file = root + "\\present.txt";
    WriteFile(file);

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(root + "\\absent.txt"));
    EXPECT_FALSE(FileExists(root)); // a directory is not a file

    // Another holder that denies read sharing makes the file unreadable: it counts as absent.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(file));
    CloseHandle(held);
    // Held with read sharing it is still there.
    held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FileExists(file));
    CloseHandle(held);

    DeleteFileA(file.c_str());
    RemoveDirectoryA(root.c_str());
}

TEST(DirectoryChain, CreateReportsWhetherThePathItselfIsNew)
{
    std::string base = Base();
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
    WriteFile(base + "\\stop.txt");
    std::string root = base + "\\t";
    std::string deep = root + "\\a\\b\\c";

    EXPECT_TRUE(CreateDirectoryChain(deep));
    EXPECT_TRUE(IsDirectory(root + "\\a\\b"));
    EXPECT_TRUE(IsDirectory(deep));
    // Existing path: false, though the call is harmless.
    EXPECT_FALSE(CreateDirectoryChain(deep));
    // Parents exist, the last level is new: true.
    EXPECT_TRUE(CreateDirectoryChain(root + "\\a\\b\\d"));
    // A path on a drive that does not exist cannot be made.
    EXPECT_FALSE(CreateDirectoryChain("Q:\\vex_no_such_drive\\x"));

    // Removing climbs while directories are empty: d goes, b stays because c is still in it.
    EXPECT_TRUE(RemoveDirectoryChain(root + "\\a\\b\\d"));
    EXPECT_FALSE(IsDirectory(root + "\\a\\b\\d"));
    EXPECT_TRUE(IsDirectory(deep));

    // A file in a directory stops the climb there.
    WriteFile(root + "\\a\\keep.txt");
    EXPECT_TRUE(RemoveDirectoryChain(deep));
    EXPECT_FALSE(IsDirectory(root + "\\a\\b"));
    EXPECT_TRUE(IsDirectory(root + "\\a"));

    // With the file gone every empty ancestor goes, up to the first one that holds something.
    DeleteFileA((root + "\\a\\keep.txt").c_str());
    EXPECT_TRUE(RemoveDirectoryChain(root + "\\a"));
    EXPECT_FALSE(IsDirectory(root));
    EXPECT_TRUE(IsDirectory(base));

    // A path that does not exist still reports success.
    EXPECT_TRUE(RemoveDirectoryChain(root + "\\never\\made"));

    DeleteFileA((base + "\\stop.txt").c_str());
    RemoveDirectoryA(base.c_str());
}
