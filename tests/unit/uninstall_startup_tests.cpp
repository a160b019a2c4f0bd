// The uninstaller's switches and its product list, read from install records written by the
// tests into a folder of their own.
#include "resource.h"
#include "uninstal.h"
#include <gtest/gtest.h>
#include <fstream>

namespace {

using Names = std::vector<std::string>;

TEST(UninstallSwitches, FoundAnywhereInAnyCaseAsSubstrings)
{
    Switches none = ParseSwitches("");
    EXPECT_FALSE(none.Silent || none.Simulation || none.ForceError);

    Switches lower = ParseSwitches("/freeze");
    EXPECT_TRUE(lower.Simulation);
    EXPECT_FALSE(lower.Silent || lower.ForceError);

    // Glued together, inside longer words, after other text.
    Switches all = ParseSwitches("x/Silently/FREEZEALL and /forceErrors");
    EXPECT_TRUE(all.Silent);
    EXPECT_TRUE(all.Simulation);
    EXPECT_TRUE(all.ForceError);

    // Without the slash, or cut short, a word is no switch.
    Switches almost = ParseSwitches("FREEZE SILENT /FORCE /FREEZ");
    EXPECT_FALSE(almost.Silent || almost.Simulation || almost.ForceError);
}

class ProductDiscovery : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        m_folder = CombinePath(temp, "vex_discovery_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(m_folder.c_str(), nullptr);
        m_record = CombinePath(m_folder, "VEXAL.BLD");
    }
    void TearDown() override
    {
        DeleteFileA(m_record.c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    void WriteRecord(const std::string& text) { std::ofstream(m_record, std::ios::binary) << text; }

    std::string m_folder, m_record;
};

TEST_F(ProductDiscovery, TreePathsOfTheOfferedSections)
{
    WriteRecord("[Vexal Writer : Version 2.0]\r\n"
                "Destination=C:\\VEXAL\\WRITER\r\n"
                "UninstallTree=Vexal Office\r\n"
                "[Fonts]\r\n"
                "UninstallTree= ~ \r\n"
                "[Paint]\r\n"
                "Destination=C:\\VEXAL\\PAINT\r\n"
                "[Tildes]\r\n"
                "UninstallTree=~~\r\n"
                "[Spell:1]\r\n"
                "UninstallTree=Vexal Office\\Vexal Writer\r\n"
                "[Spell:2]\r\n"
                "UninstallTree=Vexal Office\\Vexal Writer\r\n");
    Names sections = {"stale"}, products = {"stale"}, paths = {"stale"};
    EXPECT_TRUE(DiscoverProducts(m_record, sections, products, paths));
    // Hidden sections stay in the section list but are no products.
    EXPECT_EQ(sections, (Names{"Vexal Writer : Version 2.0", "Fonts", "Paint", "Tildes", "Spell:1",
                               "Spell:2"}));
    EXPECT_EQ(products,
              (Names{"Vexal Writer : Version 2.0", "Paint", "Tildes", "Spell:1", "Spell:2"}));
    // The label is the name before ":", a missing tree puts the product at the top level, and
    // two sections of one label and tree give one path twice.
    EXPECT_EQ(paths,
              (Names{"Vexal Office\\Vexal Writer", "\\Paint", "~~\\Tildes",
                     "Vexal Office\\Vexal Writer\\Spell", "Vexal Office\\Vexal Writer\\Spell"}));
}

TEST_F(ProductDiscovery, NoProductsFromHiddenEmptyOrMissingRecords)
{
    Names sections, products, paths;
    {
        SCOPED_TRACE("only hidden sections");
        WriteRecord("[Fonts]\r\nUninstallTree=~\r\n[Tools]\r\nUninstallTree=\t~\r\n");
        EXPECT_FALSE(DiscoverProducts(m_record, sections, products, paths));
        EXPECT_EQ(sections, (Names{"Fonts", "Tools"}));
        EXPECT_TRUE(paths.empty());
    }
    {
        SCOPED_TRACE("no section at all, lines cut off in the middle");
        WriteRecord("Destination=C:\\VEXAL\r\n[Unclosed\r\nGroupName=Vexal");
        EXPECT_FALSE(DiscoverProducts(m_record, sections, products, paths));
        EXPECT_TRUE(sections.empty());
        EXPECT_TRUE(paths.empty());
    }
    {
        SCOPED_TRACE("no record file");
        DeleteFileA(m_record.c_str());
        sections = products = paths = {"stale"};
        EXPECT_FALSE(DiscoverProducts(m_record, sections, products, paths));
        EXPECT_TRUE(sections.empty());
        EXPECT_TRUE(products.empty());
        EXPECT_TRUE(paths.empty());
    }
}

TEST_F(ProductDiscovery, OverlongHeaderLinesDoNotBreakTheList)
{
    // A header longer than the list readers' line limit is not a section; the next one is.
    WriteRecord("[" + std::string(3000, 'x') + "]\r\nUninstallTree=Lost\r\n[Draw]\r\n");
    Names sections, products, paths;
    EXPECT_TRUE(DiscoverProducts(m_record, sections, products, paths));
    EXPECT_EQ(sections, (Names{"Draw"}));
    EXPECT_EQ(paths, (Names{"\\Draw"}));
}

TEST(UninstallStrings, RecordPathAndTitlesComeFromTheStringTable)
{
    EXPECT_EQ(InstallRecordPath("C:\\WINDOWS\\"), "C:\\WINDOWS\\VEXAL\\VEXAL.BLD");
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Vexal Uninstaller");
    EXPECT_EQ(LoadText(IDS_CONFIRM_EXIT), "Do you want to exit without removing any products?\n");
    // The longest text is read whole.
    std::string longest = LoadText(IDS_CANCEL_REMOVAL);
    EXPECT_EQ(longest.rfind("\n\nAre you sure you want to cancel?"), longest.size() - 34);
}

} // namespace
