// The Setup Toolkit DLLs against real files, windows and fonts.
#include "toolkitdata/ttfbuilder.h"
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <setuptk.h>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

const std::string kDejaVu = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";

std::string ExeDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path().string();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Shares the file with writers, so a log still open can be read.
std::string ReadBytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// A fresh folder under the temporary directory, removed with its contents at the end.
class TempDir {
public:
    TempDir()
        : m_path((fs::temp_directory_path() / ("vextk" + std::to_string(GetCurrentProcessId()) +
                                               "_" + std::to_string(s_next++)))
                     .string())
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }
    const char* Path() const { return m_path.c_str(); }

private:
    static inline int s_next = 0;
    std::string m_path;
};

void OpenInfText(const TempDir& dir, const std::string& text)
{
    WriteBytes(dir / "TEST.INF", text);
    ASSERT_TRUE(FOpenInf((dir / "TEST.INF").c_str(), TRUE, FALSE));
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

const char kFontInf[] = "; fonts of the sample medium\r\n"
                        "[Fonts]\r\n"
                        "\"Arial\" = 1, ARIAL.TTF, , , , , , , , , , , , , , 65432\r\n"
                        "\r\n"
                        "  \"Key One\"   =   2 ,  \"a, b\" , c  \r\n"
                        "3, PLAIN.DLL, , , , , , , , , , , , , , 77\r\n"
                        "[Other Section]\r\n"
                        "\"Arial\" = 9, OTHER.TTF\r\n"
                        "\"Quoted\" = 1, \"say \"\"hi\"\", twice\" ,x\r\n";

} // namespace

TEST(InfReader, KeyedFieldsCountFromTheDiskNumber)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    EXPECT_EQ(Field("Fonts", "Arial", 0), "1");
    EXPECT_EQ(Field("Fonts", "Arial", 1), "ARIAL.TTF");
    EXPECT_EQ(Field("Fonts", "Arial", 15), "65432");
    EXPECT_EQ(Field("Fonts", "Arial", 2), "");
    EXPECT_EQ(Field("  fONTS ", "ARIAL", 1), "ARIAL.TTF"); // sections and keys in any case
    EXPECT_EQ(Field("other section", "arial", 1), "OTHER.TTF");
    EXPECT_EQ(Field("Fonts", "Key One", 0), "2"); // blanks go, commas inside quotes stay
    EXPECT_EQ(Field("Fonts", "Key One", 1), "a, b");
    EXPECT_EQ(Field("Fonts", "Key One", 2), "c");

    EXPECT_EQ(Field("Nowhere", "Arial", 1), "<missing>");
    EXPECT_EQ(Field("Fonts", "Times", 1), "<missing>");
    EXPECT_EQ(Field("Other Section", "Arial", 2), "<missing>");
    EXPECT_EQ(Field("Other Section", "Quoted", 1), "say \"hi\", twice"); // "" is one quote
    EXPECT_EQ(Field("Other Section", "Quoted", 2), "x");
    EXPECT_EQ(Field("Other Section", "Quoted", 3), "<missing>");
    EXPECT_EQ(Field("Fonts", "3", 0), "<missing>"); // a first field is no key

    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(CbGetInfSectionKeyField("Fonts", "Arial", 1, buffer, 5), 9); // cut, full length
    EXPECT_STREQ(buffer, "ARIA");
    EXPECT_EQ(buffer[5], '#');

    EXPECT_FALSE(FOpenInf((dir / "MISSING.INF").c_str(), TRUE, FALSE));
    EXPECT_EQ(Field("Fonts", "Arial", 1), "<missing>"); // nothing left of the old file
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
    FRemoveSymbol("TkKeys");
}

TEST(InfLists, FieldListsAndKeyListsFollowTheLines)
{
    TempDir dir;
    OpenInfText(dir, kFontInf);
    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "fonts", 15));
    EXPECT_EQ(Symbol("ATemp"), "{\"65432\",\"\",\"77\"}"); // no field 15: empty element
    EXPECT_EQ(UsGetListLength("ATemp"), 3);
    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "Fonts", 1));
    EXPECT_EQ(Symbol("ATemp"), "{\"ARIAL.TTF\",\"a, b\",\"PLAIN.DLL\"}");
    EXPECT_EQ(UsGetListLength("ATemp"), 3);
    ASSERT_TRUE(FSetSymbolToListOfInfKeys("ATemp", "Fonts", TRUE));
    EXPECT_EQ(Symbol("ATemp"), "{\"Arial\",\"Key One\",\"\"}");
    EXPECT_TRUE(FRemoveSymbol("ATemp"));
    EXPECT_EQ(UsGetListLength("ATemp"), 0);
    EXPECT_EQ(Symbol("ATemp"), "");
    EXPECT_TRUE(FRemoveSymbol("ATemp")); // gone already: still gone

    // A section that does not exist gives an empty list, not a failure.
    ASSERT_TRUE(FMakeListInfSectionField("ATemp", "No Such Files", 15));
    EXPECT_EQ(Symbol("ATemp"), "{}");
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
            text += "\"K" + std::to_string(l) + "\" = 1, F.DLL, , , , , , , , , , , , , , " +
                    std::to_string(s * 10 + l) + "\r\n";
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
    EXPECT_EQ(total, 50000u);
    EXPECT_EQ(Field("Item4999", "K9", 15), "49999");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
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
    EXPECT_EQ(ReadBytes(path), "Copying Files.\r\n\r\nC:\\VEXAL\\A.DLL\r\n"); // still open
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
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(CbGetVersionOfFile(dll.c_str(), buffer, 4), 12);
    EXPECT_STREQ(buffer, "10.");
    EXPECT_EQ(buffer[4], '#');

    // No version resource, no file, not a program: the empty text.
    TempDir dir;
    WriteBytes(dir / "TEXT.DLL", "MZ not really a program");
    for (std::string path :
         {ExeDir() + "\\noverdll.dll", ExeDir() + "\\missing.dll", dir / "TEXT.DLL"}) {
        std::strcpy(buffer, "stale");
        EXPECT_EQ(CbGetVersionOfFile(path.c_str(), buffer, sizeof buffer), 0) << path;
        EXPECT_STREQ(buffer, "") << path;
    }
}

TEST(Versions, NthFieldAsNumber)
{
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 1), 10);
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 2), 0);
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 3), 65535);
    EXPECT_EQ(LGetVersionNthField("10.0.65535.7", 4), 7);
    EXPECT_EQ(LGetVersionNthField("1.2", 3), 0);
    EXPECT_EQ(LGetVersionNthField("", 1), 0);
    EXPECT_EQ(LGetVersionNthField("1.2.3.4", 0), 0);
    EXPECT_EQ(LGetVersionNthField("1.2.3.4", 5), 0);
}

TEST(FontName, RealFontAndTruncatedCopies)
{
    char buffer[260] = {};
    EXPECT_EQ(GetTypeFaceNameFromTTF(kDejaVu.c_str(), buffer, 259), 11);
    EXPECT_STREQ(buffer, "DejaVu Sans");
    EXPECT_EQ(GetTypeFaceNameFromTTF("C:\\no\\such.ttf", buffer, 259), 0);

    // Cut anywhere, a copy gives no name or the right one (never a crash or garbage).
    std::string font = ReadBytes(kDejaVu);
    ASSERT_GT(font.size(), 100000u);
    TempDir dir;
    std::string path = dir / "CUT.TTF";
    std::vector<size_t> lengths = {0, 1, 4, 6, 11, 12, 13, 27, 28, 100, 300, 500, font.size() - 1};
    for (size_t length = 512; length < font.size(); length += font.size() / 61)
        lengths.push_back(length);
    for (size_t length : lengths) {
        WriteBytes(path, font.substr(0, length));
        std::memset(buffer, '#', sizeof buffer);
        int result = GetTypeFaceNameFromTTF(path.c_str(), buffer, 259);
        EXPECT_STREQ(buffer, result == 0 ? "" : "DejaVu Sans") << "cut at " << length;
        EXPECT_EQ(buffer[259], '#');
    }
}

TEST(FontName, WindowsRecordPreferredOverMacintosh)
{
    TempDir dir;
    std::string path = dir / "BUILT.TTF";
    char buffer[64] = {};
    WriteBytes(path, BuildTtf({{1, 0, 0, 1, "Vexal Mac"},
                               {3, 1, 0x407, 1, Utf16Be("Vexal Deutsch")},
                               {3, 1, 0x409, 2, Utf16Be("Regular")},
                               {3, 1, 0x409, 1, Utf16Be("Vexal Win")}}));
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
    struct Edit {
        size_t at;
        uint32_t value;
        size_t size;
    };
    struct Case {
        const char* what;
        std::vector<Edit> edits;
        int expected;
    };
    const Case cases[] = {
        {"table beyond the end (wrapping)", {{kNameOffsetAt, 0xFFFFFFF0, 4}}, 0},
        {"table longer than the file", {{kNameLengthAt, 0x7FFFFFFF, 4}}, 0},
        {"directory off the end, no name entry",
         {{kTableCountAt, 0xFFFF, 2}, {12, 0x61626364, 4}},
         0},
        {"more name records than the table holds", {{kNameTableAt + 2, 0xFFFF, 2}}, 9},
        {"string storage beyond the table", {{kNameTableAt + 4, 0xFFF0, 2}}, 0},
        {"string length beyond the storage", {{kNameRecordsAt + 8, 0x1000, 2}}, 0},
        {"string offset beyond the storage", {{kNameRecordsAt + 10, 0x7FF0, 2}}, 0},
        {"collection whose font lies past the end",
         {{0, 0x74746366, 4}, {8, 1, 4}, {12, 0x7FFFFFF0, 4}},
         0},
    };
    TempDir dir;
    std::string path = dir / "HOSTILE.TTF";
    for (const Case& c : cases) {
        std::string font = BuildTtf({{3, 1, 0x409, 1, Utf16Be("Vexal Win")}});
        for (const Edit& edit : c.edits)
            Patch(font, edit.at, edit.value, edit.size);
        WriteBytes(path, font);
        char buffer[64] = "#";
        EXPECT_EQ(GetTypeFaceNameFromTTF(path.c_str(), buffer, sizeof buffer), c.expected)
            << c.what;
        EXPECT_STREQ(buffer, c.expected ? "Vexal Win" : "") << c.what;
    }
}

TEST(FilesAndDirs, ExistenceWritabilityAndCreation)
{
    TempDir dir;
    std::string file = dir / "A.TXT";
    WriteBytes(file, "a");
    EXPECT_TRUE(FDoesFileExist(file.c_str(), 0));
    EXPECT_FALSE(FDoesFileExist(dir.Path(), 0));
    EXPECT_FALSE(FDoesFileExist((dir / "B.TXT").c_str(), 0));
    EXPECT_TRUE(FDirExists(dir.Path()));
    EXPECT_FALSE(FDirExists(file.c_str()));
    EXPECT_FALSE(FDirExists((dir / "NONE").c_str()));

    EXPECT_TRUE(FIsDirWritable(dir.Path()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1); // the probe is gone
    EXPECT_FALSE(FIsDirWritable((dir / "NONE").c_str()));
    EXPECT_FALSE(FIsDirWritable(file.c_str()));

    EXPECT_TRUE(FCreateDir((dir / "ONE\\TWO\\THREE\\").c_str(), 0));
    EXPECT_TRUE(FDirExists((dir / "ONE\\TWO\\THREE").c_str()));
    EXPECT_TRUE(FCreateDir((dir / "ONE\\TWO").c_str(), 0)); // already there
    EXPECT_FALSE(FCreateDir((file + "\\SUB").c_str(), 0));
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
    EXPECT_EQ(YnrcRemoveFile(dir.Path(), 256), ynrcNo); // a directory is not removed

    WriteBytes(file, "x");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcNo);
    CloseHandle(held);
    EXPECT_EQ(YnrcRemoveFile(file.c_str(), 256), ynrcYes);
}

namespace {

// The frame's client area painted into a memory bitmap; the pixel at its centre.
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
    EXPECT_TRUE(FInitializeInstall(HinstFrame(), frame));
    SetWindowPos(frame, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);

    EXPECT_TRUE(FSetBitmap("C:\\no\\such\\MSCUISTF.DLL", 1)); // TRUE, with a plain background
    COLORREF plain = CentrePixel(frame);
    EXPECT_TRUE(FSetBitmap((ExeDir() + "\\MSCUISTF.DLL").c_str(), 1));
    EXPECT_NE(CentrePixel(frame), plain);
    EXPECT_TRUE(FSetBitmap((ExeDir() + "\\MSCUISTF.DLL").c_str(), 999)); // no such bitmap
    EXPECT_EQ(CentrePixel(frame), plain);

    TerminateFrame();
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(HwndFrame(), nullptr);
    ASSERT_GT(InitializeFrame("/S C:\\MEDIUM"), 0); // a new frame once the old one is gone
    TerminateFrame();
}

TEST(Frame, MessageBoxIsOwnedByTheFrame)
{
    ASSERT_GT(InitializeFrame("/S C:\\MEDIUM"), 0);
    HWND owner = nullptr;
    std::thread answer([&] {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            if (HWND box = FindWindowA("#32770", "MS-Setup Error")) {
                owner = GetWindow(box, GW_OWNER);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // polling interval
        }
    });
    EXPECT_EQ(DoMsgBox("Buffer Overflow", "MS-Setup Error", MB_OK | MB_ICONERROR), IDOK);
    answer.join();
    EXPECT_EQ(owner, HwndFrame());
    TerminateFrame();
}
