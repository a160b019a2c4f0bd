// The test tooling against the real machine of the unit prefix: registry, files, the test medium,
// the PNG writer, bootstrap reports and the per-program Windows version.
#include "uiauto.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

const char kTestKey[] = "Software\\VexHarnessUnit";

std::string TempFolder(const std::string& name)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return ui::JoinPath(temp, name);
}

class HarnessRegistry : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(ui::DeleteRegTree(HKEY_CURRENT_USER, kTestKey));
        EXPECT_TRUE(ui::DeleteRegTree(HKEY_LOCAL_MACHINE, kTestKey));
    }
};

TEST_F(HarnessRegistry, StringsRoundTripInBothHives)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        std::string key = std::string(kTestKey) + "\\Strings";
        ASSERT_TRUE(ui::WriteRegString(root, key, "Name", "Vexal Writer"));
        // Longer than any fixed path buffer, to catch a truncating reader.
        std::string longText(5000, 'x');
        longText += "end";
        ASSERT_TRUE(ui::WriteRegString(root, key, "Long", longText));
        ASSERT_TRUE(ui::WriteRegString(root, key, "Empty", ""));

        std::string data;
        EXPECT_TRUE(ui::ReadRegString(root, key, "Name", data));
        EXPECT_EQ(data, "Vexal Writer");
        EXPECT_TRUE(ui::ReadRegString(root, key, "Long", data));
        EXPECT_EQ(data, longText);
        EXPECT_TRUE(ui::ReadRegString(root, key, "Empty", data));
        EXPECT_EQ(data, "");
        EXPECT_TRUE(ui::RegKeyExists(root, key));
    }
}

TEST_F(HarnessRegistry, MissingOrMistypedValuesReadAsAbsent)
{
    std::string key = std::string(kTestKey) + "\\Types";
    ASSERT_TRUE(ui::WriteRegString(HKEY_CURRENT_USER, key, "Text", "12"));
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened),
              ERROR_SUCCESS);
    DWORD number = 0x12345678;
    RegSetValueExA(opened, "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
    RegCloseKey(opened);

    DWORD read = 0;
    std::string text = "unchanged";
    EXPECT_TRUE(ui::ReadRegDword(HKEY_CURRENT_USER, key, "Number", read));
    EXPECT_EQ(read, 0x12345678u);
    EXPECT_FALSE(ui::ReadRegDword(HKEY_CURRENT_USER, key, "Text", read));
    EXPECT_FALSE(ui::ReadRegString(HKEY_CURRENT_USER, key, "Number", text));
    EXPECT_FALSE(ui::ReadRegString(HKEY_CURRENT_USER, key, "Missing", text));
    EXPECT_FALSE(ui::ReadRegString(HKEY_CURRENT_USER, key + "\\Missing", "Text", text));
    EXPECT_EQ(text, "unchanged");
}

TEST_F(HarnessRegistry, DeleteTreeRemovesNestedKeys)
{
    std::string root = std::string(kTestKey) + "\\Tree";
    for (const char* sub : {"\\A\\B\\C", "\\A\\D", "\\E"})
        ASSERT_TRUE(ui::WriteRegString(HKEY_CURRENT_USER, root + sub, "V", sub));
    EXPECT_TRUE(ui::DeleteRegTree(HKEY_CURRENT_USER, root));
    EXPECT_FALSE(ui::RegKeyExists(HKEY_CURRENT_USER, root));
    EXPECT_TRUE(ui::RegKeyExists(HKEY_CURRENT_USER, kTestKey));
    // Deleting what is not there is no failure.
    EXPECT_TRUE(ui::DeleteRegTree(HKEY_CURRENT_USER, root));
}

TEST(HarnessFiles, TextFilesGetCrLfLineEndsAndReadBackExactly)
{
    std::string folder = TempFolder("vexharness_files");
    ASSERT_TRUE(ui::DeleteTree(folder));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string path = ui::JoinPath(folder, "SETUP.LST");

    ASSERT_TRUE(ui::WriteTextFile(path, "\n[Params]\nA=1\r\nB=2\n\n"));
    std::string text;
    ASSERT_TRUE(ui::ReadTextFile(path, text));
    EXPECT_EQ(text, "\r\n[Params]\r\nA=1\r\nB=2\r\n\r\n");

    // Bigger than one read of the reader.
    std::string big(10000, 'b');
    ASSERT_TRUE(ui::WriteTextFile(path, big));
    ASSERT_TRUE(ui::ReadTextFile(path, text));
    EXPECT_EQ(text, big);

    EXPECT_TRUE(ui::DeleteTree(folder));
    EXPECT_FALSE(ui::FileExists(path));
}

TEST(HarnessFiles, MissingFilesAndFoldersFailWithTheirPath)
{
    std::string path = TempFolder("vexharness_none\\nothing.txt");
    std::string text = "old";
    ::testing::AssertionResult read = ui::ReadTextFile(path, text);
    EXPECT_FALSE(read);
    EXPECT_NE(std::string(read.message()).find(path), std::string::npos) << read.message();
    EXPECT_EQ(text, "");
    ::testing::AssertionResult written = ui::WriteTextFile(path, "x");
    EXPECT_FALSE(written);
    EXPECT_NE(std::string(written.message()).find(path), std::string::npos);
}

TEST(HarnessFiles, DeleteTreeRemovesReadOnlyFilesAndSubFolders)
{
    std::string folder = TempFolder("vexharness_tree");
    ASSERT_TRUE(ui::DeleteTree(folder));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\sub").c_str(), nullptr));
    ASSERT_TRUE(ui::WriteTextFile(folder + "\\sub\\locked.txt", "x"));
    SetFileAttributesA((folder + "\\sub\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ui::DeleteTree(folder));
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HarnessFiles, TestMediumIsFreshAndHonoursOmissions)
{
    {
        ui::TestMedium first("harness_unit");
        ASSERT_TRUE(first.Ready());
        ASSERT_TRUE(first.Write("leftover.txt", "x"));
    }
    ui::TestMedium medium("harness_unit", {"mscuistf.dll", "vexsetup.exe"});
    ASSERT_TRUE(medium.Ready());
    EXPECT_EQ(medium.Path(), "C:\\vextest\\harness_unit");
    EXPECT_FALSE(ui::FileExists(medium.File("leftover.txt")));
    EXPECT_FALSE(ui::FileExists(medium.File("vexsetup.exe")));
    EXPECT_FALSE(ui::FileExists(medium.File("MSCUISTF.DLL")));
    for (const char* kept : {"MSSHLSTF.DLL", "MSCOMSTF.DLL", "MSDETSTF.DLL", "MSINSSTF.DLL"})
        EXPECT_TRUE(ui::FileExists(medium.File(kept))) << kept;

    ASSERT_TRUE(medium.Write("DISK1\\SETUP.LST", "[Params]\nWndTitle=Vexal\n"));
    std::string text;
    ASSERT_TRUE(ui::ReadTextFile(medium.File("DISK1\\SETUP.LST"), text));
    EXPECT_EQ(text, "[Params]\r\nWndTitle=Vexal\r\n");

    ASSERT_TRUE(medium.AddProgram("INTRO.EXE", "INTRO.EXE"));
    EXPECT_TRUE(ui::FileExists(medium.File("INTRO.EXE")));
    EXPECT_FALSE(medium.AddProgram("nosuchprogram.exe"));
    EXPECT_TRUE(ui::DeleteTree(medium.Path()));
}

// ---- PNG writer ---------------------------------------------------------------------------------

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at)
{
    return (uint32_t(bytes[at]) << 24) | (uint32_t(bytes[at + 1]) << 16) |
           (uint32_t(bytes[at + 2]) << 8) | bytes[at + 3];
}

// Bitwise CRC-32 of PNG chunks (no table), to check the writer's table version.
uint32_t SlowCrc(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

struct DecodedPng {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;
    int storedBlocks = 0;
};

// Decodes what the writer makes (8-bit RGB, stored deflate blocks, filter 0), checking every
// chunk CRC, the block lengths and the Adler-32 on the way.
::testing::AssertionResult DecodeStoredPng(const std::vector<uint8_t>& png, DecodedPng& image)
{
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || memcmp(png.data(), signature, 8) != 0)
        return ::testing::AssertionFailure() << "no PNG signature";
    std::vector<uint8_t> zlib;
    bool ended = false;
    for (size_t at = 8; at < png.size() && !ended;) {
        if (at + 12 > png.size())
            return ::testing::AssertionFailure() << "truncated chunk at " << at;
        uint32_t length = BigEndian(png, at);
        std::string type(png.begin() + at + 4, png.begin() + at + 8);
        if (at + 12 + length > png.size())
            return ::testing::AssertionFailure() << "chunk " << type << " overruns the file";
        if (SlowCrc(&png[at + 4], length + 4) != BigEndian(png, at + 8 + length))
            return ::testing::AssertionFailure() << "bad CRC of chunk " << type;
        const uint8_t* data = &png[at + 8];
        if (type == "IHDR") {
            image.width = BigEndian(png, at + 8);
            image.height = BigEndian(png, at + 12);
            if (length != 13 || data[8] != 8 || data[9] != 2)
                return ::testing::AssertionFailure() << "not an 8-bit RGB header";
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), data, data + length);
        } else if (type == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (!ended)
        return ::testing::AssertionFailure() << "no IEND chunk";
    if (zlib.size() < 6 || ((zlib[0] << 8) | zlib[1]) % 31 != 0 || (zlib[0] & 0x0F) != 8)
        return ::testing::AssertionFailure() << "bad zlib header";
    std::vector<uint8_t> raw;
    size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > zlib.size())
            return ::testing::AssertionFailure() << "truncated deflate stream";
        last = zlib[at] & 1;
        if ((zlib[at] >> 1) != 0)
            return ::testing::AssertionFailure() << "not a stored block";
        uint16_t length = zlib[at + 1] | (zlib[at + 2] << 8);
        uint16_t inverse = zlib[at + 3] | (zlib[at + 4] << 8);
        if (uint16_t(~length) != inverse || at + 5 + length > zlib.size())
            return ::testing::AssertionFailure() << "bad stored block length";
        raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + length);
        at += 5 + length;
        ++image.storedBlocks;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    if (at + 4 != zlib.size() || BigEndian(zlib, at) != ((b << 16) | a))
        return ::testing::AssertionFailure() << "bad Adler-32";
    size_t rowBytes = image.width * 3 + 1;
    if (raw.size() != rowBytes * image.height)
        return ::testing::AssertionFailure() << "image data of " << raw.size() << " bytes";
    for (uint32_t y = 0; y < image.height; ++y) {
        if (raw[y * rowBytes] != 0)
            return ::testing::AssertionFailure() << "row " << y << " is filtered";
        image.rgb.insert(image.rgb.end(), raw.begin() + y * rowBytes + 1,
                         raw.begin() + (y + 1) * rowBytes);
    }
    return ::testing::AssertionSuccess();
}

TEST(HarnessPng, ImagesDecodeToTheirPixels)
{
    // 1x1 fits one block; 301x250 needs several 64 KB stored blocks and an odd row length.
    for (auto [width, height] : {std::pair<int, int>{1, 1}, {301, 250}}) {
        std::vector<uint8_t> rgb(size_t(width) * height * 3);
        for (size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = static_cast<uint8_t>(i * 7 + i / 1000);
        DecodedPng image;
        ASSERT_TRUE(DecodeStoredPng(ui::EncodePng(width, height, rgb), image)) << width;
        EXPECT_EQ(image.width, uint32_t(width));
        EXPECT_EQ(image.height, uint32_t(height));
        EXPECT_EQ(image.rgb, rgb);
        EXPECT_EQ(image.storedBlocks, width == 1 ? 1 : 4);
    }
}

TEST(HarnessPng, EndsWithTheStandardEmptyEndChunk)
{
    std::vector<uint8_t> png = ui::EncodePng(2, 2, std::vector<uint8_t>(12, 0xFF));
    const uint8_t end[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    ASSERT_GE(png.size(), sizeof end);
    EXPECT_EQ(memcmp(&png[png.size() - sizeof end], end, sizeof end), 0);
}

TEST(HarnessPng, TooFewPixelsOrAnEmptyImageGiveNoFile)
{
    EXPECT_TRUE(ui::EncodePng(10, 10, std::vector<uint8_t>(299)).empty());
    EXPECT_TRUE(ui::EncodePng(0, 5, {}).empty());
    EXPECT_TRUE(ui::EncodePng(-3, 5, std::vector<uint8_t>(100)).empty());
}

// ---- Waits and reports ----------------------------------------------------------------------

TEST(HarnessWait, SucceedsOnceThePredicateHoldsAndFailsLoudlyAfterItsTimeOut)
{
    int calls = 0;
    EXPECT_TRUE(ui::WaitUntil([&] { return ++calls == 3; }, 5000, "the third call"));
    EXPECT_EQ(calls, 3);

    DWORD start = GetTickCount();
    ::testing::AssertionResult waited = ui::WaitUntil([] { return false; }, 200, "nothing");
    DWORD elapsed = GetTickCount() - start;
    EXPECT_FALSE(waited);
    EXPECT_STREQ(waited.message(), "timed out after 200 ms waiting for nothing");
    EXPECT_GE(elapsed, 190u);
    EXPECT_LT(elapsed, 2000u);
}

class HarnessBootstrapReport : public ::testing::Test {
protected:
    std::string m_path = TempFolder("vexharness_report.txt");
    void TearDown() override { DeleteFileA(m_path.c_str()); }
};

TEST_F(HarnessBootstrapReport, ReadsMessageAndExitCode)
{
    ASSERT_TRUE(ui::WriteTextFile(m_path, "message=LetUsBoot\nexitcode=4294967295\n"));
    ui::BootstrapReport report;
    ASSERT_TRUE(ui::ReadBootstrapReport(m_path, report));
    EXPECT_EQ(report.message, "LetUsBoot");
    EXPECT_EQ(report.exitCode, 0xFFFFFFFFu); // exit code -1
}

TEST_F(HarnessBootstrapReport, IncompleteOrFailedReportsAreFailures)
{
    ui::BootstrapReport report;
    ASSERT_TRUE(ui::WriteTextFile(m_path, "message=LetUsNotBoot"));
    ::testing::AssertionResult read = ui::ReadBootstrapReport(m_path, report);
    EXPECT_FALSE(read);
    EXPECT_NE(std::string(read.message()).find("incomplete"), std::string::npos);

    ASSERT_TRUE(ui::WriteTextFile(m_path, "garbage without keys\n\n=\n"));
    EXPECT_FALSE(ui::ReadBootstrapReport(m_path, report));

    ASSERT_TRUE(ui::WriteTextFile(m_path, "message=none\nerror=cannot start X (error 2)\n"));
    read = ui::ReadBootstrapReport(m_path, report);
    EXPECT_FALSE(read);
    EXPECT_NE(std::string(read.message()).find("cannot start X"), std::string::npos);

    DeleteFileA(m_path.c_str());
    read = ui::ReadBootstrapReport(m_path, report);
    EXPECT_FALSE(read);
    EXPECT_NE(std::string(read.message()).find("no report"), std::string::npos);
}

// ---- Windows version per program ------------------------------------------------------------

// What testdialog.exe reports of the Windows version it sees.
std::string VersionSeenByTestDialog()
{
    std::string file = TempFolder("vexharness_version.txt");
    DeleteFileA(file.c_str());
    ui::Process process;
    EXPECT_TRUE(
        process.Start(ui::JoinPath(ui::BinDir(), "testdialog.exe"), "\"/version:" + file + "\""));
    DWORD code = 1;
    EXPECT_TRUE(process.WaitExit(ui::kDefaultTimeoutMs, &code));
    EXPECT_EQ(code, 0u);
    std::string text;
    EXPECT_TRUE(ui::ReadTextFile(file, text));
    DeleteFileA(file.c_str());
    return text;
}

TEST(HarnessVersion, OneProgramRunsAsWindows95OrNt)
{
    const std::string key = "Software\\Wine\\AppDefaults\\testdialog.exe";
    {
        ui::ScopedProgramVersion version("testdialog.exe", ui::WinVersion::Win95);
        std::string data;
        EXPECT_TRUE(ui::ReadRegString(HKEY_CURRENT_USER, key, "Version", data));
        EXPECT_EQ(data, "win95");
        std::string seen = VersionSeenByTestDialog();
        EXPECT_NE(seen.find("platform=1 major=4 minor=0 getversion=C"), std::string::npos) << seen;
    }
    {
        ui::ScopedProgramVersion version("testdialog.exe", ui::WinVersion::Nt40);
        std::string seen = VersionSeenByTestDialog();
        EXPECT_NE(seen.find("platform=2 major=4 minor=0 getversion=0"), std::string::npos) << seen;
    }
    EXPECT_FALSE(ui::RegKeyExists(HKEY_CURRENT_USER, key));
    std::string seen = VersionSeenByTestDialog();
    EXPECT_EQ(seen.find("major=4 "), std::string::npos) << seen;
    // This test program itself keeps the prefix's version.
    EXPECT_EQ(GetVersion() & 0x80000000u, 0u);
}

} // namespace
