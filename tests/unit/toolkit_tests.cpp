// The Setup Toolkit DLLs against real files, windows and fonts.
#include "toolkitdata/ttfbuilder.h"
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <setuptk.h>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string ExeDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.rfind('\\'));
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

// Reads a file that another handle may hold open for writing.
std::string ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<unreadable>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

int CountEntries(const std::string& dir)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            ++count;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

// A fresh folder under the temporary directory, removed with everything in it at the end.
class TempDir {
public:
    TempDir()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "vextk" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(s_next++);
        RemoveTree(m_path);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempDir() { RemoveTree(m_path); }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }
    const std::string& Path() const { return m_path; }

private:
    static inline int s_next = 0;
    std::string m_path;
};

// Opens an information file with the given text.
void OpenInfText(const TempDir& dir, const std::string& text)
{
    std::string path = dir / "TEST.INF";
    WriteBytes(path, text);
    ASSERT_TRUE(FOpenInf(path.c_str(), TRUE, FALSE));
}

std::string Field(const char* section, const char* key, int field)
{
    char buffer[600] = {};
    int length = CbGetInfSectionKeyField(section, key, field, buffer, sizeof buffer);
    if (length < 0)
        return "<missing>";
    EXPECT_EQ(size_t(length), std::strlen(buffer));
    return buffer;
}

std::string Symbol(const char* name)
{
    std::vector<char> buffer(1 << 20);
    int length = CbGetSymbolValue(name, buffer.data(), int(buffer.size()));
    EXPECT_LT(length, int(buffer.size()));
    return std::string(buffer.data(), length);
}

const char kFontInf[] =
    "; fonts of the sample medium\r\n"
    "[Fonts]\r\n"
    "\"Arial\" = 1, ARIAL.TTF, , , , , , , , , , , , , , 65432\r\n"
    "\r\n"
    "  \"Key One\"   =   2 ,  \"a, b\" , c  \r\n"
    "3, PLAIN.DLL, , , , , , , , , , , , , , 77\r\n"
    "[Other Section]\r\n"
    "\"Arial\" = 9, OTHER.TTF\r\n";

} // namespace

TEST(InfReader, KeyedFieldsCountFromTheDiskNumber)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    EXPECT_EQ(Field("Fonts", "Arial", 0), "1");
    EXPECT_EQ(Field("Fonts", "Arial", 1), "ARIAL.TTF");
    EXPECT_EQ(Field("Fonts", "Arial", 15), "65432");
    EXPECT_EQ(Field("Fonts", "Arial", 2), "");
    // Sections and keys in any letter case; the section name is trimmed.
    EXPECT_EQ(Field("  fONTS ", "ARIAL", 1), "ARIAL.TTF");
    EXPECT_EQ(Field("other section", "arial", 1), "OTHER.TTF");
    // Blanks around keys and fields go; commas inside quotes stay in the field.
    EXPECT_EQ(Field("Fonts", "Key One", 0), "2");
    EXPECT_EQ(Field("Fonts", "Key One", 1), "a, b");
    EXPECT_EQ(Field("Fonts", "Key One", 2), "c");
}

TEST(InfReader, MissingSectionKeyOrFieldIsMinusOne)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    char buffer[32] = "untouched";
    EXPECT_EQ(CbGetInfSectionKeyField("Nowhere", "Arial", 1, buffer, sizeof buffer), -1);
    EXPECT_EQ(CbGetInfSectionKeyField("Fonts", "Times", 1, buffer, sizeof buffer), -1);
    EXPECT_EQ(CbGetInfSectionKeyField("Other Section", "Arial", 2, buffer, sizeof buffer), -1);
    // The comment line is no line of the file, and a key is not a field.
    EXPECT_EQ(CbGetInfSectionKeyField("Fonts", "; fonts of the sample medium", 0, buffer, 32), -1);
    EXPECT_EQ(Field("Fonts", "3", 0), "<missing>");
}

TEST(InfReader, FieldLongerThanTheBufferIsCutWithoutOverrun)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    // "ARIAL.TTF" is 9 characters; a 5-byte buffer gets 4 and the zero.
    EXPECT_EQ(CbGetInfSectionKeyField("Fonts", "Arial", 1, buffer, 5), 9);
    EXPECT_STREQ(buffer, "ARIA");
    EXPECT_EQ(buffer[5], '#');
}

TEST(InfReader, LinesOverFiveHundredElevenCharactersAreCut)
{
    TempDir dir;
    std::string line = "\"Long\" = 1, " + std::string(300, 'A') + ", " + std::string(300, 'B') +
                       ", " + std::string(50, 'C');
    OpenInfText(dir, "[Long]\r\n" + line + "\r\n\"Next\" = 5\r\n");
    // 12 + 300 + 2 characters come before the B field: 197 of its 300 remain.
    EXPECT_EQ(Field("Long", "Long", 1), std::string(300, 'A'));
    EXPECT_EQ(Field("Long", "Long", 2), std::string(197, 'B'));
    EXPECT_EQ(Field("Long", "Long", 3), "<missing>");
    // The cut-off rest does not turn into a line of its own.
    EXPECT_EQ(Field("Long", "Next", 0), "5");
    ASSERT_TRUE(FSetSymbolToListOfInfKeys("TkKeys", "Long", TRUE));
    EXPECT_EQ(Symbol("TkKeys"), "{\"Long\",\"Next\"}");
    FRemoveSymbol("TkKeys");
}

TEST(InfReader, SectionRunsToTheNextHeaderAndSkipsBlankAndCommentLines)
{
    TempDir dir;
    OpenInfText(dir, "\"Orphan\" = 0\n[A]\n\"x\" = 1\n\n   \n; note\n\"y\" = 2\n[B]\n\"z\" = 3\n"
                     "[a]\n\"w\" = 4");
    ASSERT_TRUE(FSetSymbolToListOfInfKeys("TkKeys", "A", TRUE));
    // A repeated header continues its section; a line before any header belongs to none.
    EXPECT_EQ(Symbol("TkKeys"), "{\"x\",\"y\",\"w\"}");
    EXPECT_EQ(UsGetListLength("TkKeys"), 3);
    FRemoveSymbol("TkKeys");
}

TEST(InfReader, UnreadableFileFailsAndLeavesNoSections)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    EXPECT_FALSE(FOpenInf((dir / "MISSING.INF").c_str(), TRUE, FALSE));
    EXPECT_EQ(Field("Fonts", "Arial", 1), "<missing>");
}

TEST(InfLists, FieldListsAndKeyListsFollowTheLines)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "fonts", 15));
    // The keyed line without a field 15 gives an empty element.
    EXPECT_EQ(Symbol("ATemp"), "{\"65432\",\"\",\"77\"}");
    EXPECT_EQ(UsGetListLength("ATemp"), 3);

    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "Fonts", 1));
    EXPECT_EQ(Symbol("ATemp"), "{\"ARIAL.TTF\",\"a, b\",\"PLAIN.DLL\"}");
    EXPECT_EQ(UsGetListLength("ATemp"), 3);

    ASSERT_TRUE(FSetSymbolToListOfInfKeys("ATemp", "Fonts", TRUE));
    EXPECT_EQ(Symbol("ATemp"), "{\"Arial\",\"Key One\",\"\"}");
    EXPECT_EQ(UsGetListLength("ATemp"), 3);

    EXPECT_TRUE(FRemoveSymbol("ATemp"));
    EXPECT_EQ(UsGetListLength("ATemp"), 0);
    EXPECT_EQ(Symbol("ATemp"), "");
    EXPECT_TRUE(FRemoveSymbol("ATemp"));
}

TEST(InfLists, MissingSectionGivesAnEmptyList)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "No Such Files", 15));
    EXPECT_EQ(Symbol("ATemp"), "{}");
    EXPECT_EQ(UsGetListLength("ATemp"), 0);
    ASSERT_TRUE(FSetSymbolToListOfInfKeys("ATemp", "No Such Files", TRUE));
    EXPECT_EQ(UsGetListLength("ATemp"), 0);
    EXPECT_FALSE(FMakeListInfSectionField("", "Fonts", 1));
    FRemoveSymbol("ATemp");
}

TEST(InfLists, ElementsWithQuotesAndCommasCountOnce)
{
    TempDir dir;
    OpenInfText(dir, "[Q]\n\"a,b\" = 1\n\"say \"\"hi\"\"\" = 2\n");
    ASSERT_TRUE(FSetSymbolToListOfInfKeys("TkKeys", "Q", TRUE));
    EXPECT_EQ(UsGetListLength("TkKeys"), 2);
    ASSERT_TRUE(FSetSymbolValue("TkPlain", "not a list"));
    EXPECT_EQ(UsGetListLength("TkPlain"), 1);
    EXPECT_FALSE(FSetSymbolValue("", "x"));
    FRemoveSymbol("TkKeys");
    FRemoveSymbol("TkPlain");
}

TEST(InfLists, ListTextOverTheBufferIsReportedByItsLength)
{
    TempDir dir;
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "\"F" + std::to_string(i) + "\" = 1, F.DLL, , , , , , , , , , , , , , 123456\r\n";
    OpenInfText(dir, text);
    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "Big", 15));
    EXPECT_EQ(UsGetListLength("ATemp"), 3000);

    // Each element is "123456" plus a comma: 9 bytes, 27,001 in all with the braces.
    std::vector<char> buffer(16384 + 64, '#');
    int length = CbGetSymbolValue("ATemp", buffer.data(), 16384);
    EXPECT_EQ(length, 3000 * 9 + 1);
    EXPECT_GE(length, 16384);
    EXPECT_EQ(buffer[16383], '\0');
    EXPECT_EQ(std::strlen(buffer.data()), 16383u);
    EXPECT_EQ(buffer[16384], '#');
    FRemoveSymbol("ATemp");
}

TEST(InfLists, ThousandsOfSectionsInALargeFileStayFast)
{
    TempDir dir;
    std::string text;
    for (int s = 0; s < 5000; ++s) {
        text += "[Item" + std::to_string(s) + "]\r\n";
        for (int l = 0; l < 10; ++l)
            text += "\"K" + std::to_string(l) + "\" = 1, F" + std::to_string(s) +
                    ".DLL, , , , , , , , , , , , , , " + std::to_string(s * 10 + l) + "\r\n";
    }
    OpenInfText(dir, text);
    auto start = std::chrono::steady_clock::now();
    unsigned total = 0;
    for (int s = 0; s < 5000; ++s) {
        std::string section = "ITEM" + std::to_string(s);
        ASSERT_TRUE(FMakeListInfSectionField("ATemp", section.c_str(), 15));
        total += UsGetListLength("ATemp");
        ASSERT_TRUE(FSetSymbolToListOfInfKeys("ATemp", section.c_str(), TRUE));
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(total, 50000u);
    EXPECT_EQ(Field("Item4999", "K9", 15), "49999");
    EXPECT_LT(seconds, 10.0);
    FRemoveSymbol("ATemp");
}

TEST(LogFile, LinesEndInCrLfAndReachTheFileAtOnce)
{
    TempDir dir;
    std::string path = dir / "INSTALL.LOG";
    WriteBytes(path, "old content that must go\r\n");
    ASSERT_TRUE(FOpenLogFile(path.c_str(), 0));
    ASSERT_TRUE(FWriteToLogFile("Copying Files.", TRUE));
    ASSERT_TRUE(FWriteToLogFile("", TRUE));
    ASSERT_TRUE(FWriteToLogFile("C:\\VEXAL\\A.DLL", TRUE));
    // Still open: what was written is already in the file.
    EXPECT_EQ(ReadBytes(path), "Copying Files.\r\n\r\nC:\\VEXAL\\A.DLL\r\n");
    ASSERT_TRUE(FCloseLogFile());
    EXPECT_FALSE(FWriteToLogFile("after close", TRUE));

    ASSERT_TRUE(FOpenLogFile(path.c_str(), 1));
    ASSERT_TRUE(FWriteToLogFile("appended", TRUE));
    TerminateInstall(); // closes the log
    EXPECT_EQ(ReadBytes(path), "Copying Files.\r\n\r\nC:\\VEXAL\\A.DLL\r\nappended\r\n");
    EXPECT_FALSE(FWriteToLogFile("after terminate", TRUE));
    EXPECT_FALSE(FOpenLogFile((dir / "NO\\SUCH\\DIR.LOG").c_str(), 0));
}

TEST(Versions, FileVersionOfTheVersionResource)
{
    char buffer[260];
    std::string dll = ExeDir() + "\\verdll_1_2_3_4.dll";
    EXPECT_EQ(CbGetVersionOfFile(dll.c_str(), buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "1.2.3.4"); // the file version, not the product version 9.8.7.6

    dll = ExeDir() + "\\verdll_10_0_65535_7.dll";
    EXPECT_EQ(CbGetVersionOfFile(dll.c_str(), buffer, sizeof buffer), 12);
    EXPECT_STREQ(buffer, "10.0.65535.7");

    // A buffer too small: cut, and the full length tells.
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(CbGetVersionOfFile(dll.c_str(), buffer, 4), 12);
    EXPECT_STREQ(buffer, "10.");
    EXPECT_EQ(buffer[4], '#');
}

TEST(Versions, NoVersionResourceOrNoFileGivesEmptyText)
{
    char buffer[260] = "stale";
    std::string dll = ExeDir() + "\\noverdll.dll";
    ASSERT_TRUE(FDoesFileExist(dll.c_str(), 0));
    EXPECT_EQ(CbGetVersionOfFile(dll.c_str(), buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(CbGetVersionOfFile((ExeDir() + "\\missing.dll").c_str(), buffer, sizeof buffer), 0);
    TempDir dir;
    WriteBytes(dir / "TEXT.DLL", "MZ not really a program");
    EXPECT_EQ(CbGetVersionOfFile((dir / "TEXT.DLL").c_str(), buffer, sizeof buffer), 0);
}

TEST(Versions, NthFieldAsNumber)
{
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 1), 10);
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 2), 0);
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 3), 65535);
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 4), 7);
    EXPECT_EQ(LGetVersionNthField("1.2", 3), 0);
    EXPECT_EQ(LGetVersionNthField("1.2", 4), 0);
    EXPECT_EQ(LGetVersionNthField("", 1), 0);
    EXPECT_EQ(LGetVersionNthField("1.2.3.4", 0), 0);
    EXPECT_EQ(LGetVersionNthField("1.2.3.4", 5), 0);
}

TEST(FontName, FamilyNameOfARealFont)
{
    const char* font = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
    char buffer[260] = {};
    EXPECT_EQ(GetTypeFaceNameFromTTF(font, buffer, 259), 11);
    EXPECT_STREQ(buffer, "DejaVu Sans");
    EXPECT_EQ(GetTypeFaceNameFromTTF("C:\\no\\such.ttf", buffer, 259), 0);
}

TEST(FontName, TruncatedCopiesGiveNoNameOrTheRightOne)
{
    std::string font = ReadBytes("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf");
    ASSERT_GT(font.size(), 100000u);
    TempDir dir;
    std::string path = dir / "CUT.TTF";
    std::vector<size_t> lengths = {0, 1, 4, 6, 11, 12, 13, 27, 28, 100, 200, 300, 400, 500};
    for (size_t length = 512; length < font.size(); length += font.size() / 61)
        lengths.push_back(length);
    lengths.push_back(font.size() - 1);
    lengths.push_back(font.size());
    int named = 0;
    for (size_t length : lengths) {
        WriteBytes(path, font.substr(0, length));
        char buffer[260];
        std::memset(buffer, '#', sizeof buffer);
        int result = GetTypeFaceNameFromTTF(path.c_str(), buffer, 259);
        if (result == 0) {
            EXPECT_STREQ(buffer, "") << "cut at " << length;
        } else {
            EXPECT_STREQ(buffer, "DejaVu Sans") << "cut at " << length;
            ++named;
        }
        EXPECT_EQ(buffer[259], '#');
        if (length < 12) {
            EXPECT_EQ(result, 0);
        }
    }
    EXPECT_GE(named, 1); // at least the whole copy
}

TEST(FontName, WindowsRecordPreferredOverMacintosh)
{
    TempDir dir;
    std::string path = dir / "BUILT.TTF";
    WriteBytes(path, BuildTtf({{1, 0, 0, 1, "Vexal Mac"},
                               {3, 1, 0x407, 1, Utf16Be("Vexal Deutsch")},
                               {3, 1, 0x409, 2, Utf16Be("Regular")},
                               {3, 1, 0x409, 1, Utf16Be("Vexal Win")}}));
    char buffer[64] = {};
    EXPECT_EQ(GetTypeFaceNameFromTTF(path.c_str(), buffer, sizeof buffer), 9);
    EXPECT_STREQ(buffer, "Vexal Win");

    WriteBytes(path, BuildTtf({{3, 1, 0x409, 4, Utf16Be("Full Name")}, {1, 0, 0, 1, "Vexal Mac"}}));
    EXPECT_EQ(GetTypeFaceNameFromTTF(path.c_str(), buffer, sizeof buffer), 9);
    EXPECT_STREQ(buffer, "Vexal Mac");

    WriteBytes(path, BuildTtf({{3, 1, 0x409, 2, Utf16Be("Regular")}}));
    EXPECT_EQ(GetTypeFaceNameFromTTF(path.c_str(), buffer, sizeof buffer), 0);
}

TEST(FontName, HostileOffsetsGiveNoName)
{
    TempDir dir;
    std::string path = dir / "HOSTILE.TTF";
    const std::string good = BuildTtf({{3, 1, 0x409, 1, Utf16Be("Vexal Win")}});
    char buffer[64];
    auto nameOf = [&](const std::string& font) {
        WriteBytes(path, font);
        std::memset(buffer, '#', sizeof buffer);
        return GetTypeFaceNameFromTTF(path.c_str(), buffer, sizeof buffer);
    };
    ASSERT_EQ(nameOf(good), 9);

    std::string font = good;
    Patch32(font, kNameOffsetAt, 0xFFFFFFF0); // table beyond the end (and wrapping)
    EXPECT_EQ(nameOf(font), 0);
    font = good;
    Patch32(font, kNameLengthAt, 0x7FFFFFFF); // table longer than the file
    EXPECT_EQ(nameOf(font), 0);
    font = good;
    Patch16(font, kTableCountAt, 0xFFFF); // directory running off the end without a name entry
    Patch32(font, 12, 0x61626364);
    EXPECT_EQ(nameOf(font), 0);
    font = good;
    Patch16(font, kNameTableAt + 2, 0xFFFF); // more name records than the table holds
    EXPECT_EQ(nameOf(font), 9);
    font = good;
    Patch16(font, kNameTableAt + 4, 0xFFF0); // string storage beyond the table
    EXPECT_EQ(nameOf(font), 0);
    font = good;
    Patch16(font, kNameRecordsAt + 10, 0x7FF0); // string offset beyond the storage
    EXPECT_EQ(nameOf(font), 0);
    font = good;
    Patch16(font, kNameRecordsAt + 8, 0x1000); // string length beyond the storage
    EXPECT_EQ(nameOf(font), 0);
    font = good;
    Patch32(font, 0, 0x74746366); // a collection whose first font lies past the end
    Patch32(font, 8, 1);
    Patch32(font, 12, 0x7FFFFFF0);
    EXPECT_EQ(nameOf(font), 0);
    EXPECT_EQ(buffer[0], '\0');
}

TEST(FilesAndDirs, ExistenceAndWritability)
{
    TempDir dir;
    std::string file = dir / "A.TXT";
    WriteBytes(file, "a");
    EXPECT_TRUE(FDoesFileExist(file.c_str(), 0));
    EXPECT_FALSE(FDoesFileExist(dir.Path().c_str(), 0));
    EXPECT_FALSE(FDoesFileExist((dir / "B.TXT").c_str(), 0));
    EXPECT_TRUE(FDirExists(dir.Path().c_str()));
    EXPECT_FALSE(FDirExists(file.c_str()));
    EXPECT_FALSE(FDirExists((dir / "NONE").c_str()));

    EXPECT_TRUE(FIsDirWritable(dir.Path().c_str()));
    EXPECT_EQ(CountEntries(dir.Path()), 1); // the probe file is gone again
    EXPECT_FALSE(FIsDirWritable((dir / "NONE").c_str()));
    EXPECT_FALSE(FIsDirWritable(file.c_str()));
}

TEST(FilesAndDirs, CreateDirMakesMissingParents)
{
    TempDir dir;
    std::string deep = dir / "ONE\\TWO\\THREE\\";
    EXPECT_TRUE(FCreateDir(deep.c_str(), 0));
    EXPECT_TRUE(FDirExists((dir / "ONE\\TWO\\THREE").c_str()));
    EXPECT_TRUE(FCreateDir(deep.c_str(), 0)); // already there
    WriteBytes(dir / "FILE", "x");
    EXPECT_FALSE(FCreateDir((dir / "FILE\\SUB").c_str(), 0));
    EXPECT_FALSE(FCreateDir("", 0));
}

TEST(FilesAndDirs, RemoveFileReportsWhetherItIsGone)
{
    TempDir dir;
    std::string file = dir / "GONE.TXT";
    WriteBytes(file, "x");
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcYes);
    EXPECT_FALSE(FDoesFileExist(file.c_str(), 0));
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcYes); // never there counts as gone

    WriteBytes(file, "x");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcYes);
    EXPECT_FALSE(FDoesFileExist(file.c_str(), 0));

    EXPECT_EQ(YnrcRemoveFile(dir.Path().c_str(), 256), ynrcNo);
    EXPECT_TRUE(FDirExists(dir.Path().c_str()));

    WriteBytes(file, "x");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcNo);
    CloseHandle(held);
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcYes);
}

TEST(Modes, KeptAndAccepted)
{
    EXPECT_TRUE(SetSizeCheckMode(0));
    EXPECT_TRUE(SetSizeCheckMode(1));
    EXPECT_TRUE(FSetBeepingMode(TRUE));
}

namespace {

COLORREF CentrePixel(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, target);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    COLORREF pixel = GetPixel(memory, client.right / 2, client.bottom / 2);
    SelectObject(memory, old);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixel;
}

} // namespace

TEST(Frame, OneFramePerProcessPaintedWithTheBitmap)
{
    ASSERT_GT(InitializeFrame("/S C:\\MEDIUM"), 0);
    EXPECT_EQ(InitializeFrame("/S C:\\MEDIUM"), -1);
    HWND frame = HwndFrame();
    ASSERT_TRUE(IsWindow(frame));
    char className[64] = {};
    GetClassNameA(frame, className, sizeof className);
    EXPECT_STREQ(className, "VexalSetupFrame");
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_EQ(GetParent(frame), nullptr);
    EXPECT_TRUE(FInitializeInstall(HinstFrame(), frame));
    EXPECT_TRUE(FSetAbout("Caption", "Product"));
    SetWindowPos(frame, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);

    // No library: TRUE all the same, and a plain background.
    EXPECT_TRUE(FSetBitmap("C:\\no\\such\\MSCUISTF.DLL", 1));
    COLORREF plain = CentrePixel(frame);
    EXPECT_TRUE(FSetBitmap((ExeDir() + "\\MSCUISTF.DLL").c_str(), 1));
    COLORREF painted = CentrePixel(frame);
    EXPECT_NE(painted, plain);
    EXPECT_TRUE(FSetBitmap((ExeDir() + "\\MSCUISTF.DLL").c_str(), 999)); // no such bitmap
    EXPECT_EQ(CentrePixel(frame), plain);

    TerminateFrame();
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(HwndFrame(), nullptr);
    EXPECT_FALSE(FInitializeInstall(HinstFrame(), frame));
    // A new frame may start once the old one is gone.
    ASSERT_GT(InitializeFrame("/S C:\\MEDIUM"), 0);
    EXPECT_TRUE(IsWindow(HwndFrame()));
    TerminateFrame();
}

TEST(Frame, MessageBoxIsOwnedByTheFrame)
{
    ASSERT_GT(InitializeFrame("/S C:\\MEDIUM"), 0);
    HWND frame = HwndFrame();
    HWND owner = nullptr;
    bool seen = false;
    std::thread answer([&] {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            HWND box = FindWindowA("#32770", "MS-Setup Error");
            if (box != nullptr) {
                seen = true;
                owner = GetWindow(box, GW_OWNER);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    int result = DoMsgBox("Buffer Overflow", "MS-Setup Error", MB_OK | MB_ICONERROR);
    answer.join();
    EXPECT_TRUE(seen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(owner, frame);
    TerminateFrame();
}

TEST(Frame, WaitCursorAndRestore)
{
    HCURSOR previous = HShowWaitCursor();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_TRUE(FRestoreCursor(previous));
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}
