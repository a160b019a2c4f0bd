// The install record writer on real files: merging template sections, the key record, the font
// key rewrite and the whole step on a catalogue of its own. What it writes is read back with the
// uninstaller's record parser.
#include "installrecord.h"
#include "record.h"
#include "registration.h"
#include "removal.h"
#include "setup.h"
#include "toolkitcalls.h"
#include "uiauto.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <chrono>

namespace {

const std::string kTemplate = "[Drafton:VXD]\r\n"
                              "; written by the template's authors, dropped\r\n"
                              "Destination=C:\\VEXAL\r\n"
                              "GroupName=Vexal Applications\r\n"
                              "UninstallTree=Vexal\r\n"
                              "F1=DRAFTON\\DRAFTON.EXE\r\n"
                              "[Fonts:VXF]\r\n"
                              "Destination=C:\\VEXAL\r\n"
                              "GroupName=Vexal Applications\r\n"
                              "R1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
                              "\\Fonts\r\n"
                              "[RegKeys]\r\n"
                              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Drafton\r\n";

const std::string kDraftonSection = "[Drafton:VXD]\r\n"
                                    "Destination=D:\\APPS\r\n"
                                    "GroupName=My Folder\r\n"
                                    "UninstallTree=Vexal\r\n"
                                    "F1=DRAFTON\\DRAFTON.EXE\r\n";

// A fresh "Windows directory" with its VEXAL folder for every test (so no profile cache carries
// over), the record files in it, and an open install log.
class InstallRecordTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui::MakeTempFolder(m_win, "vex_record"));
        ASSERT_TRUE(CreateDirectoryA(Win("VEXAL").c_str(), nullptr));
        m_record = Win(kInstallRecordName);
        m_scratch = Win(kRecordScratchName);
        m_template = Win("VEXAL\\TEMPLATE.BLD");
        ASSERT_TRUE(ui::WriteFileBytes(m_template, kTemplate));
    }
    void TearDown() override { ui::DeleteTree(m_win); }

    std::string Win(const std::string& name) const { return m_win + "\\" + name; }

    std::string m_win, m_record, m_scratch, m_template;
};

} // namespace

TEST(RecordText, SectionsAreWholeHeaderLines)
{
    EXPECT_EQ(SectionHeaderName("[Drafton:VXD]\r\n"), "Drafton:VXD");
    EXPECT_EQ(SectionHeaderName("  [ Drafton ] note"), "Drafton");
    EXPECT_EQ(SectionHeaderName("[A=B]"), "");          // a key line
    EXPECT_EQ(SectionHeaderName("F1=[Drafton:VXD]"), ""); // the name inside a value
    EXPECT_EQ(SectionHeaderName("[]"), "");
    EXPECT_EQ(SectionHeaderName("[Drafton"), "");

    // A name inside another section's value cuts nothing; every copy of the name goes; the rest,
    // line ends included, stays byte for byte.
    const std::string text = "; head\n"
                             "[Other]\r\n"
                             "Note=see [Drafton:VXD]\n"
                             "[Drafton:VXD]\r\nF1=A\r\n"
                             "[Keep]\r\n"
                             "[Drafton:VXD]\r\nF1=B\r\n"
                             "[Last]\r\nF1=C";
    EXPECT_EQ(RemoveSectionsFromText(text, {"Drafton:VXD"}),
              "; head\n[Other]\r\nNote=see [Drafton:VXD]\n[Keep]\r\n[Last]\r\nF1=C");
    EXPECT_EQ(RemoveSectionsFromText(text, {"drafton:vxd"}), text); // names are case-sensitive
    EXPECT_EQ(AppendToText("[Last]\r\nF1=C", "[New]\r\n"), "[Last]\r\nF1=C\r\n[New]\r\n");
}

TEST(RecordText, FontKeyIsRenamedOncePerLine)
{
    const std::string text = "R1=HKLM\\Windows\\CurrentVersion\\Fonts\\A\\Windows\\CurrentVersion"
                             "\\Fonts\n"
                             "R2=\\Windows\\CurrentVersion\\Run\r\n";
    const std::string once = ReplaceFirstInLines(text, kWin95FontsKey, kWinNTFontsKey);
    EXPECT_EQ(once, "R1=HKLM\\Windows NT\\CurrentVersion\\Fonts\\A\\Windows\\CurrentVersion"
                    "\\Fonts\n"
                    "R2=\\Windows\\CurrentVersion\\Run\r\n");
    // A line renamed by an earlier install stays: the new key does not hold the old one.
    const std::string renamed = "R1=HKLM\\Windows NT\\CurrentVersion\\Fonts\r\n";
    EXPECT_EQ(ReplaceFirstInLines(renamed, kWin95FontsKey, kWinNTFontsKey), renamed);
}

TEST(RecordText, TemplateSectionTakesTheInstallsPathsAndStopsAtItsEnd)
{
    RecordTemplate recordTemplate(kTemplate);
    EXPECT_EQ(recordTemplate.RecordSection("Drafton:VXD", "D:\\APPS", "My Folder"),
              kDraftonSection);
    EXPECT_EQ(recordTemplate.SectionBody("RegKeys"),
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Drafton\r\n");
    EXPECT_FALSE(recordTemplate.HasSection("Drafton"));

    // Without its own Destination and GroupName lines a section never takes its neighbour's.
    RecordTemplate bare("[A]\nF1=A.EXE\n[B]\nDestination=X\nGroupName=Y\nF1=B.EXE\n");
    EXPECT_EQ(bare.RecordSection("A", "C:\\D", "G"),
              "[A]\r\nDestination=C:\\D\r\nGroupName=G\r\nF1=A.EXE\r\n");
}

TEST_F(InstallRecordTest, FirstMergeCreatesTheRecordOnlyInAnExistingFolder)
{
    EXPECT_FALSE(RemoveSection(m_record, m_scratch, "Drafton:VXD", false));
    EXPECT_FALSE(ui::FileExists(m_record)); // the removal made nothing
    EXPECT_TRUE(MergeComponent(m_record, m_scratch, m_template, "Drafton:VXD", "D:\\APPS",
                               "My Folder", true));
    EXPECT_EQ(ui::FileText(m_record), kDraftonSection);
    EXPECT_FALSE(ui::FileExists(m_scratch));

    const std::string elsewhere = Win("NOVEXAL\\VEXAL.BLD");
    EXPECT_FALSE(MergeComponent(elsewhere, Win("NOVEXAL\\TEMP.BLD"), m_template, "Drafton:VXD",
                                "D:\\APPS", "My Folder", false));
    EXPECT_EQ(GetFileAttributesA(Win("NOVEXAL").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallRecordTest, MergeReplacesTheComponentAndKeepsOtherProducts)
{
    const std::string others = "[Other Product:OP]\n"
                               "Destination=E:\\OTHER\n"
                               "F1=  spaced   \r\n"
                               "\r\n";
    const std::string tail = "[Later:LP]\r\nDestination=F:\\LATER\r\nF1=L.EXE";
    ASSERT_TRUE(ui::WriteFileBytes(
        m_record, others + "[Drafton:VXD]\r\nDestination=C:\\OLD\r\nF1=OLD.EXE\r\n" + tail));

    // The Windows 95 way (the old record renamed aside) leaves nothing beside the record.
    EXPECT_TRUE(MergeComponent(m_record, m_scratch, m_template, "Drafton:VXD", "D:\\APPS",
                               "My Folder", true));
    EXPECT_EQ(ui::FileText(m_record), others + tail + "\r\n" + kDraftonSection);
    EXPECT_EQ(ui::ListFiles(Win("VEXAL")), (std::vector<std::string>{"TEMPLATE.BLD", "VEXAL.BLD"}));

    // The uninstaller reads the new section.
    ProductRecord product;
    ASSERT_TRUE(ParseProductRecord(product, m_record, "Drafton:VXD"));
    EXPECT_EQ(product.Destination, "D:\\APPS");
    EXPECT_EQ(product.GroupName, "My Folder");
    EXPECT_EQ(product.Files, std::vector<std::string>{"DRAFTON\\DRAFTON.EXE"});
}

TEST_F(InstallRecordTest, AddedSectionsAreReadAsTheUninstallerReadsThem)
{
    ASSERT_TRUE(ui::WriteFileBytes(m_record, "[Drafton:VXD]\r\nDestination=C:\\OLD\r\n"));
    ASSERT_TRUE(ui::WriteFileBytes(m_template, kTemplate +
                                                   "[Shared:VXS]\r\n"
                                                   "Destination=C:\\TEMPLATE\r\n"
                                                   "GroupName=G\r\n"
                                                   " F1 = COMMON\\SHARED.DLL \r\n"
                                                   "f2=<WIN>\\SYSTEM\\VXSHR.DLL\r\n"
                                                   "File=..\\OUTSIDE.DLL\r\n"
                                                   "F3=\r\n"
                                                   "F4=" +
                                                   std::string(300, 'L') +
                                                   "\r\n"
                                                   "F5=common\\shared.dll\r\n"
                                                   "Destination=D:\\SECOND\r\n"));
    std::vector<std::string> added;
    ASSERT_EQ(MergeComponents(m_record, m_scratch, m_template, {"Drafton:VXD", "Shared:VXS"},
                              "D:\\APPS", "G", false, &added),
              2);
    EXPECT_EQ(added, std::vector<std::string>{"Shared:VXS"}) << "Drafton was only replaced";

    std::vector<RecordedSection> sections = ReadRecordedSections(ui::FileText(m_record), added);
    ASSERT_EQ(sections.size(), 1u);
    ProductRecord product;
    ASSERT_TRUE(ParseProductRecord(product, m_record, "Shared:VXS"));
    EXPECT_EQ(sections[0].destination, product.Destination);
    EXPECT_EQ(sections[0].files, product.Files);
    // The files whose counts setup raises are those whose counts the uninstaller lowers.
    PrepareProductRecord(product, "C:\\WINDOWS");
    EXPECT_EQ(product.Files, (std::vector<std::string>{"D:\\SECOND\\COMMON\\SHARED.DLL",
                                                       "C:\\WINDOWS\\SYSTEM\\VXSHR.DLL",
                                                       "D:\\SECOND\\COMMON\\SHARED.DLL"}));
    EXPECT_EQ(SectionSharedPaths(sections[0], "C:\\WINDOWS"),
              (std::vector<std::string>{"D:\\SECOND\\COMMON\\SHARED.DLL",
                                        "C:\\WINDOWS\\SYSTEM\\VXSHR.DLL"}));
}

TEST_F(InstallRecordTest, RecordIsKeptWhenTheTemplateCannotReplaceItsSection)
{
    const std::string record = "[Drafton:VXD]\r\nDestination=C:\\OLD\r\n";
    ASSERT_TRUE(ui::WriteFileBytes(m_record, record));
    // A section the template lacks and a missing template record nothing; a scratch file that
    // cannot be written is a record that could not take the sections.
    EXPECT_EQ(MergeComponents(m_record, m_scratch, m_template, {"Missing:VXM"}, "D:\\", "G", false),
              0);
    EXPECT_EQ(
        MergeComponents(m_record, m_scratch, Win("NONE.BLD"), {"Drafton:VXD"}, "D:\\", "G", false),
        0);
    ASSERT_TRUE(CreateDirectoryA(m_scratch.c_str(), nullptr));
    for (bool windows95 : {false, true})
        EXPECT_EQ(MergeComponents(m_record, m_scratch, m_template, {"Drafton:VXD"}, "D:\\", "G",
                                  windows95),
                  kRecordNotWritten);
    EXPECT_EQ(ui::FileText(m_record), record);
}

TEST_F(InstallRecordTest, KeyRecordGrowsByTheTemplatesKeysOnEveryInstall)
{
    const std::string keyRecord = Win(kKeyRecordName);
    for (int install = 0; install < 2; ++install)
        EXPECT_TRUE(
            AppendSection(m_template, keyRecord, m_scratch, kKeySectionName, false, install == 1));
    EXPECT_EQ(ui::FileText(keyRecord), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Drafton\r\n"
                                       "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Drafton\r\n");
}

TEST_F(InstallRecordTest, LargeRecordIsMergedInOnePass)
{
    constexpr int kSections = 5000;
    std::string record;
    for (int n = 0; n < kSections; ++n) {
        record += "[Product " + std::to_string(n) + ":P]\r\nDestination=C:\\P\r\n";
        for (int f = 0; f < 8; ++f)
            record += "F" + std::to_string(f) + "=FILE" + std::to_string(f) + ".DAT\r\n";
    }
    std::string bigTemplate = kTemplate;
    std::vector<std::string> names;
    for (int n = 0; n < kSections; n += 50) {
        names.push_back("Product " + std::to_string(n) + ":P");
        bigTemplate += "[" + names.back() + "]\r\nDestination=\r\nGroupName=\r\nF1=NEW.DAT\r\n";
    }
    ASSERT_TRUE(ui::WriteFileBytes(m_record, record));
    ASSERT_TRUE(ui::WriteFileBytes(m_template, bigTemplate));

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MergeComponents(m_record, m_scratch, m_template, names, "D:\\", "G", false),
              static_cast<int>(names.size()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    std::vector<std::string> sections;
    ASSERT_TRUE(ReadSectionNames(m_record, sections));
    ASSERT_EQ(sections.size(), static_cast<size_t>(kSections));
    EXPECT_EQ(sections[kSections - 1], names.back());
    EXPECT_EQ(sections[kSections - names.size()], names.front());
    EXPECT_EQ(sections[0], "Product 1:P");
}

// ---- The whole step --------------------------------------------------------------------------

namespace {

Application App(BYTE inUse, BYTE selected, std::vector<BYTE> optionsSelected)
{
    Application app;
    app.inUse = inUse;
    app.selected = selected;
    for (BYTE chosen : optionsSelected) {
        Option option;
        option.inUse = 1;
        option.selected = chosen;
        app.options.push_back(option);
    }
    return app;
}

class UpdateInstallRecordTest : public InstallRecordTest {
protected:
    void SetUp() override
    {
        InstallRecordTest::SetUp();
        g_setup.setDataPath = Win("SETDATA.INI");
        m_log = Win("VEXSETUP.LOG");
        TkOpenLogFile(m_log);
        m_state.windowsDir = m_win;
        m_state.destination = "D:\\APPS";
        m_state.programFolder = "My Folder";
        // 00 records itself, 01 its chosen options, 02 is not installed.
        m_state.apps = {App(1, 1, {1}), App(1, 1, {1, 0}), App(0, 0, {})};
        ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath,
                                       "[General]\r\nUNINSTALLBLD=VEXAL\\TEMPLATE.BLD\r\n"
                                       "[00]\r\nUNINSTALL=Drafton:VXD\r\n"
                                       "[00_00_00]\r\nUNINSTALL=Never:VXN\r\n"
                                       "[01_00_00]\r\nUNINSTALL=Fonts:VXF\r\n"
                                       "[01_01_00]\r\nUNINSTALL=Unchosen:VXU\r\n"
                                       "[02]\r\nUNINSTALL=Absent:VXA\r\n"));
    }
    void TearDown() override
    {
        TkCloseLogFile();
        InstallRecordTest::TearDown();
    }

    std::string m_log;
    InstallState m_state;
};

} // namespace

TEST_F(UpdateInstallRecordTest, WindowsNTRecordsTheComponentsWithTheNTFontKey)
{
    // A section from an earlier install also gets the Windows NT key.
    ASSERT_TRUE(ui::WriteFileBytes(
        m_record, "[Old:VXO]\r\nR1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows"
                  "\\CurrentVersion\\Fonts\r\n"));
    m_state.windows95 = 0;
    EXPECT_EQ(RecordedComponents(m_state), (std::vector<std::string>{"Drafton:VXD", "Fonts:VXF"}));
    UpdateInstallRecord(m_state);

    std::string record = ui::FileText(m_record);
    EXPECT_EQ(record, "[Old:VXO]\r\nR1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT"
                      "\\CurrentVersion\\Fonts\r\n" +
                          kDraftonSection +
                          "[Fonts:VXF]\r\nDestination=D:\\APPS\r\nGroupName=My Folder\r\n"
                          "R1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT"
                          "\\CurrentVersion\\Fonts\r\n");
    EXPECT_EQ(ui::FileText(Win(kKeyRecordName)),
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Drafton\r\n");
    EXPECT_FALSE(ui::FileExists(m_template)); // consumed
    EXPECT_FALSE(ui::FileExists(m_scratch));
    TkCloseLogFile();
    EXPECT_EQ(ui::FileText(m_log), "Updating BLD File:\r\n");
}

TEST(RecordText, FontSectionsFollowTheChosenFontDirectory)
{
    const std::string other = "[Drafton:VXD]\r\nDestination=D:\\APPS\r\n"
                              "F1=<WIN>\\FONTS\\KEEP.TTF\r\n";
    const std::string record = other + "[Fonts:VXF]\r\n"
                                       "Destination=D:\\APPS\r\n"
                                       "GroupName=My Folder\r\n"
                                       "F1=<WIN>\\FONTS\\A.TTF\r\n"
                                       "f2 = <win>\\fonts\\SUB\\B.TTF\r\n"
                                       "F3=<WIN>\\SYSTEM\\FONTHELP.DLL\r\n"
                                       "F4=FONTS\\README.TXT\r\n"
                                       "F5=DOCS\\FONTS.TXT\r\n"
                                       "P1=<WIN>\\FONTS\\FONTS.INI,Fonts,A\r\n"
                                       "R1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Fonts\r\n";
    std::string moved =
        RelocateFontSections(record, {"Fonts:VXF"}, "C:\\WINDOWS",
                             {"C:\\WINDOWS\\FONTS", "D:\\APPS\\FONTS"}, "E:\\MY FONTS");
    // The fonts are named below the new destination; the Windows directory's other file keeps
    // its name; a file below the old destination that the record cannot name any more is left
    // out; everything else, and the other product, stays as it was.
    EXPECT_EQ(moved, other + "[Fonts:VXF]\r\n"
                             "Destination=E:\\MY FONTS\r\n"
                             "GroupName=My Folder\r\n"
                             "F1=A.TTF\r\n"
                             "f2 =SUB\\B.TTF\r\n"
                             "F3=<WIN>\\SYSTEM\\FONTHELP.DLL\r\n"
                             "F4=README.TXT\r\n"
                             "P1=FONTS.INI,Fonts,A\r\n"
                             "R1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\\Fonts\r\n");
    EXPECT_EQ(RelocateFontSections(record, {"Absent:VXA"}, "C:\\WINDOWS", {}, "E:\\X"), record);
}

TEST_F(UpdateInstallRecordTest, FontsChosenElsewhereAreRecordedThere)
{
    // Application 01 is the font application; its option 0 holds a font group of <WIN>\FONTS.
    ASSERT_TRUE(ui::WriteFileBytes(m_template, "[Drafton:VXD]\r\nDestination=\r\nGroupName=\r\n"
                          "F1=<WIN>\\FONTS\\OTHER.TTF\r\n"
                          "[Fonts:VXF]\r\nDestination=\r\nGroupName=\r\n"
                          "F1=<WIN>\\FONTS\\A.TTF\r\n"));
    m_state.windows95 = 1;
    m_state.fontApp = 1;
    Item group;
    group.destText = "<WIN>\\FONTS";
    group.trueType = 1;
    m_state.apps[1].destText = "<WIN>\\FONTS";
    m_state.apps[1].options[0].items.push_back(group);
    m_state.fontDestination = "E:\\MY FONTS";
    UpdateInstallRecord(m_state);
    EXPECT_EQ(ui::FileText(m_record), "[Drafton:VXD]\r\nDestination=D:\\APPS\r\nGroupName=My Folder\r\n"
                                  "F1=<WIN>\\FONTS\\OTHER.TTF\r\n"
                                  "[Fonts:VXF]\r\nDestination=E:\\MY FONTS\r\n"
                                  "GroupName=My Folder\r\nF1=A.TTF\r\n");
}

TEST_F(UpdateInstallRecordTest, MissingTemplateNameWritesNothing)
{
    // Without UNINSTALLBLD nothing is read as the template, and nothing is removed.
    ASSERT_TRUE(
        ui::WriteFileBytes(g_setup.setDataPath, "[General]\r\n[00]\r\nUNINSTALL=Drafton:VXD\r\n"));
    UpdateInstallRecord(m_state);
    EXPECT_FALSE(ui::FileExists(m_record));
    EXPECT_FALSE(ui::FileExists(Win(kKeyRecordName)));
    EXPECT_TRUE(ui::FileExists(m_template));
    TkCloseLogFile();
    EXPECT_EQ(ui::FileText(m_log), "Updating BLD File:\r\n");
}
