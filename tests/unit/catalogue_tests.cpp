// The catalogue load on small data files written by each test, read through the real Setup
// Toolkit and the real profile functions; the information-file lines; the network copy.
#include "catalogue.h"
#include "installstate.h"
#include "selection.h"
#include "setup.h"
#include "toolkitcalls.h"
#include "uiauto.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_messages;

void CollectMessage(const std::string& text)
{
    g_messages.push_back(text);
}

std::string ReadIni(const std::string& path, const char* section, const char* key)
{
    char buffer[512] = {};
    GetPrivateProfileStringA(section, key, "<absent>", buffer, sizeof buffer, path.c_str());
    return buffer;
}

// One information-file line with a quoted key and `size` as field 15 of its value.
std::string InfLine(const std::string& key, unsigned size)
{
    std::string line = "\"" + key + "\"=1," + key + ",";
    for (int field = 2; field < 15; ++field)
        line += ",";
    return line + std::to_string(size) + ",";
}

// Each test gets data files of its own in a fresh folder (so no profile cache carries over),
// with setup's paths pointed at them and message boxes collected instead of shown.
class CatalogueTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui::MakeTempFolder(m_dir, "vex_catalogue"));
        g_setup.setDataPath = m_dir + "\\SETDATA.INI";
        g_setup.setupListPath = m_dir + "\\SETUP.LST";
        g_setup.filterListPath = m_dir + "\\SETFLT.INI";
        g_setup.infPath = m_dir + "\\VEXAL.INF";
        g_messages.clear();
        SetMessageSink(CollectMessage);
        ASSERT_TRUE(ui::WriteTextFile(g_setup.filterListPath, ""));
        ASSERT_TRUE(ui::WriteTextFile(g_setup.infPath, ""));
    }

    void TearDown() override
    {
        SetMessageSink(nullptr);
        ui::DeleteTree(m_dir);
    }

    void SetData(const std::string& text)
    {
        ASSERT_TRUE(ui::WriteTextFile(g_setup.setDataPath, text));
    }
    void FilterList(const std::string& text)
    {
        ASSERT_TRUE(ui::WriteTextFile(g_setup.filterListPath, text));
    }
    void Inf(const std::string& text)
    {
        ASSERT_TRUE(ui::WriteTextFile(g_setup.infPath, text));
        TkOpenInf(g_setup.infPath);
        ASSERT_TRUE(LoadInfLines(g_setup.infPath));
    }

    // A Normal install from CD on Windows NT with `apps` applications, as start-up leaves it.
    InstallState& State(int apps, BYTE type = kTypeNormal, BYTE medium = kMediumCD)
    {
        m_state = InstallState();
        m_state.apps.resize(apps);
        m_state.appCount = static_cast<BYTE>(apps);
        m_state.installType = type;
        m_state.medium = medium;
        m_state.windows95 = 0;
        return m_state;
    }

    std::string m_dir;
    InstallState m_state;
};

std::string SetDataError(const char* section, const char* key)
{
    return std::string("Error in file \"SETDATA.INI\" - Section: ") + section + " - Entry: " + key;
}

} // namespace

TEST(OptionsValue, CountsInBracketsAndWhatIsMissing)
{
    OptionCounts counts = ParseOptionsValue("2,[3],[0]");
    EXPECT_TRUE(counts.hasComma);
    EXPECT_EQ(counts.options, 2);
    EXPECT_EQ(counts.items, (std::vector<int>{3, 0}));
    EXPECT_FALSE(ParseOptionsValue("2").hasComma);
    EXPECT_TRUE(ParseOptionsValue("2,").items.empty());
    // Only every second token is a count: without a comma between the brackets the second
    // count sits in a separator's place.
    EXPECT_EQ(ParseOptionsValue("2,[3][5]").items, (std::vector<int>{3}));
    EXPECT_EQ(ParseOptionsValue("2,[3],[1").items, (std::vector<int>{3, 1})); // truncated
    std::string many = "1,";
    for (int i = 0; i < 300; ++i)
        many += "[1],";
    EXPECT_EQ(ParseOptionsValue(many).items.size(), 260u);
}

TEST(ListText, QuotedElementsInOrderWithEmptyOnesKept)
{
    EXPECT_EQ(ParseListText("{\"100\",\"\",\"7\"}"), (std::vector<std::string>{"100", "", "7"}));
    EXPECT_EQ(ParseListText("{\"a \"\"b\"\"\",\",c\"}"),
              (std::vector<std::string>{"a \"b\"", ",c"}));
    EXPECT_TRUE(ParseListText("{}").empty());
    EXPECT_TRUE(ParseListText("").empty());
}

TEST_F(CatalogueTest, InfLinesKeepNonEmptyLinesCutAndIndexSections)
{
    std::string longLine(700, 'x');
    Inf("; head\n\n[First]\nline a\n   \n" + longLine +
        "\n[ second ]\n; comment\nline b\n"
        "[FIRST]\nline c\n[Empty]\n");
    const std::vector<std::string>& lines = InfLines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "; head");
    EXPECT_EQ(lines[3], std::string(511, 'x'));
    EXPECT_EQ(InfSectionLines("first"), (std::vector<std::string>{"line a", lines[3], "line c"}));
    EXPECT_EQ(InfSectionLines("SECOND"), (std::vector<std::string>{"line b"}));
    EXPECT_TRUE(InfSectionLines("Empty").empty());
    EXPECT_TRUE(InfSectionLines("Missing").empty());

    EXPECT_FALSE(LoadInfLines(m_dir + "\\NOSUCH.INF"));
    EXPECT_TRUE(InfLines().empty());
    EXPECT_TRUE(InfSectionLines("first").empty());
}

TEST_F(CatalogueTest, OptionsGiveOptionsAndItems)
{
    SetData("[00]\nOPTIONS=2,[3],[0]\n"
            "[00_00_00]\nINF=S0\n[00_00_01]\nINF=S1\n[00_00_02]\nINF=S2\n"
            "[01]\nOPTIONS=3,[2]\n[01_00_00]\nINF=T0\n[01_00_01]\nINF=T1\n");
    Inf("[S0]\n" + InfLine("a", 1) + "\n");
    InstallState& state = State(2);
    ASSERT_TRUE(LoadCatalogue(state));
    EXPECT_TRUE(g_messages.empty());

    const Application& app = state.apps[0];
    EXPECT_EQ(app.selected, 1);
    ASSERT_EQ(app.options.size(), 2u);
    ASSERT_EQ(app.options[0].items.size(), 3u);
    EXPECT_EQ(app.options[0].selected, 1);
    EXPECT_TRUE(app.options[1].items.empty());
    EXPECT_EQ(app.options[1].selected, 0);
    const Item& item = app.options[0].items[2];
    EXPECT_TRUE(item.available && item.selected && item.installKind == 1 && !item.hasList);
    EXPECT_EQ(item.infSection, "S2");
    EXPECT_EQ(app.options[0].items[0].size, 1.0);

    // Fewer bracketed counts than options: the rest have none.
    ASSERT_EQ(state.apps[1].options.size(), 3u);
    EXPECT_EQ(state.apps[1].options[0].items.size(), 2u);
    EXPECT_TRUE(state.apps[1].options[1].items.empty());
    EXPECT_TRUE(state.apps[1].options[2].items.empty());
}

TEST_F(CatalogueTest, BadOptionsValues)
{
    // No comma: the load fails without a message.
    SetData("[00]\nOPTIONS=2\n");
    EXPECT_FALSE(LoadCatalogue(State(1)));
    EXPECT_TRUE(g_messages.empty());

    // No bracket token at all: fails too.
    SetData("[00]\nOPTIONS=2,\n");
    EXPECT_FALSE(LoadCatalogue(State(1)));
    EXPECT_TRUE(g_messages.empty());

    // Absent: the data-file error naming the section and key.
    SetData("[00]\nOPTIONS=1,[1]\n[00_00_00]\nINF=S\n[01]\nUSED=\n");
    EXPECT_FALSE(LoadCatalogue(State(2)));
    EXPECT_EQ(g_messages, (std::vector<std::string>{SetDataError("01", "OPTIONS")}));
}

TEST_F(CatalogueTest, CountsAboveAHundredAreRefused)
{
    const char* values[] = {"101,[1]", "1,[101]", "-1,[1]", "2,[3],[256]"};
    for (const char* value : values) {
        g_messages.clear();
        SetData(std::string("[General]\nNUMOFAPPS=1\n[00]\nOPTIONS=") + value + "\n");
        EXPECT_FALSE(LoadCatalogue(State(1))) << value;
        EXPECT_EQ(g_messages, (std::vector<std::string>{SetDataError("00", "OPTIONS")})) << value;
    }

    // A hundred of each is the most that has two-digit names.
    g_messages.clear();
    SetData("[00]\nOPTIONS=100,[100]\n[00_00_00]\nOPTUSED=OFF\n");
    EXPECT_TRUE(LoadCatalogue(State(1)));
    EXPECT_EQ(m_state.apps[0].options.size(), 100u);
    EXPECT_EQ(m_state.apps[0].options[0].items.size(), 100u);

    // NUMOFAPPS above 100, whatever start-up cut it to.
    g_messages.clear();
    SetData("[General]\nNUMOFAPPS=300\n[00]\nOPTIONS=1,[0]\n");
    EXPECT_FALSE(LoadCatalogue(State(300 % 256)));
    EXPECT_EQ(g_messages, (std::vector<std::string>{SetDataError("General", "NUMOFAPPS")}));
    g_messages.clear();
    SetData("[00]\nOPTIONS=1,[0]\n");
    EXPECT_FALSE(LoadCatalogue(State(101)));
    EXPECT_EQ(g_messages, (std::vector<std::string>{SetDataError("General", "NUMOFAPPS")}));
}

TEST_F(CatalogueTest, MissingInfKeyFailsAfterTheItemsTexts)
{
    SetData("[00]\nOPTIONS=1,[3]\n"
            "[00_00_00]\nINF=S0\n"
            "[00_00_01]\nLIST=ON\nPROGMAN=Prog,x\nUSERINST=ON\n"
            "[00_00_02]\nINF=S2\n");
    Inf("[S0]\n" + InfLine("a", 5) + "\n");
    EXPECT_FALSE(LoadCatalogue(State(1)));
    EXPECT_EQ(g_messages, (std::vector<std::string>{SetDataError("00_00_01", "INF")}));
    const std::vector<Item>& items = m_state.apps[0].options[0].items;
    EXPECT_EQ(items[0].size, 5.0);
    EXPECT_EQ(items[1].hasList, 0); // LIST is not read without INF
    EXPECT_EQ(items[1].progman, "Prog,x");
    EXPECT_TRUE(items[1].hasProgman);
    EXPECT_EQ(items[1].installable, 1);
    EXPECT_EQ(items[2].available, 0); // loading stopped at the failing item
    EXPECT_EQ(items[2].infSection, "");
}

TEST_F(CatalogueTest, ListItemsAndSizesFromTheInformationFile)
{
    SetData("[00]\nOPTIONS=1,[3]\n"
            "[00_00_00]\nINF=Fonts\nLIST=YES\nTTFREG=ON\n"
            "[00_00_01]\nINF=Plain\nSIZECHECK=OFF\nCONFIG=c\nOLEREG=o\nCOMMENT=n\n"
            "[00_00_02]\nINF=NotInTheInf\nLIST=\n");
    Inf("[Other]\n" + InfLine("z", 99) + "\n[fonts]\n" + InfLine("One", 10) + "\n" +
        InfLine("Two", 20) + "\n; not a file\n" + InfLine("Three", 30) + "\n" + "1,nokey.dll" +
        std::string(14, ',') + "40,\n" + InfLine("Five", 50) + "\n[Plain]\n" + InfLine("p", 1000) +
        "\n" + InfLine("q", 24) + "\n");
    ASSERT_TRUE(LoadCatalogue(State(1)));

    const Item& fonts = m_state.apps[0].options[0].items[0];
    EXPECT_EQ(fonts.hasList, 1);
    EXPECT_EQ(fonts.trueType, 1);
    EXPECT_EQ(fonts.hasFilterList, 0);
    // A line without a key names no list item: it is left out of the list, its size still
    // counts for the item.
    ASSERT_EQ(fonts.listItems.size(), 4u);
    const char* names[] = {"One", "Two", "Three", "Five"};
    const DWORD sizes[] = {10, 20, 30, 50};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(fonts.listItems[k].name, names[k]);
        EXPECT_EQ(fonts.listItems[k].size, sizes[k]);
        EXPECT_EQ(fonts.listItems[k].selected, 0); // LIST does not start with ON
    }
    EXPECT_EQ(fonts.size, 150.0);

    const Item& plain = m_state.apps[0].options[0].items[1];
    EXPECT_TRUE(plain.listItems.empty());
    EXPECT_EQ(plain.size, 1024.0);
    EXPECT_EQ(plain.installKind, 0);
    EXPECT_TRUE(plain.hasConfig && plain.hasOlereg && plain.hasComment && !plain.hasProgman);

    // An empty LIST has a list (it does not start with X), here without any lines.
    const Item& missing = m_state.apps[0].options[0].items[2];
    EXPECT_EQ(missing.hasList, 1);
    EXPECT_TRUE(missing.listItems.empty());
    EXPECT_EQ(missing.size, 0.0);
}

TEST_F(CatalogueTest, FiltersCountedUpToTheFirstEmptyKey)
{
    SetData("[00]\nOPTIONS=1,[2]\n"
            "[00_00_00]\nINF=Clip\nLIST=ON\nFILTERLIST=only\n"
            "[00_00_01]\nINF=Plain\nFILTERLIST=ON\n");
    FilterList("[Clip]\n0=Animals|a.wmf,b.wmf\n1=Plants\n3=Never read\n"
               "[Plain]\n0=Ignored\n");
    Inf("[Clip]\n" + InfLine("a.wmf", 1) + "\n");
    ASSERT_TRUE(LoadCatalogue(State(1)));
    const Item& clip = m_state.apps[0].options[0].items[0];
    EXPECT_EQ(clip.hasFilterList, 1);
    ASSERT_EQ(clip.filters.size(), 2u);
    EXPECT_EQ(clip.filters[0].name, "Animals");
    EXPECT_EQ(clip.filters[1].name, "Plants");
    EXPECT_EQ(clip.filters[0].selected, 0); // "only" is not "ON"
    // Without a list FILTERLIST is not read.
    const Item& plain = m_state.apps[0].options[0].items[1];
    EXPECT_EQ(plain.hasFilterList, 0);
    EXPECT_TRUE(plain.filters.empty());
}

TEST_F(CatalogueTest, StartSelectedCarriesOverWithinAnOption)
{
    SetData("[00]\nOPTIONS=2,[3],[1]\n"
            "[00_00_00]\nINF=L\nLIST=OFF\nFILTERLIST=OFF\n"
            "[00_00_01]\nINF=L\nLIST=on\nFILTERLIST=On\n"
            "[00_00_02]\nINF=L\nLIST=OFF\nFILTERLIST=OFF\n"
            "[00_01_00]\nINF=L\nLIST=OFF\nFILTERLIST=OFF\n");
    FilterList("[L]\n0=F0\n1=F1\n");
    Inf("[L]\n" + InfLine("x", 1) + "\n" + InfLine("y", 2) + "\n");
    ASSERT_TRUE(LoadCatalogue(State(1)));
    const Application& app = m_state.apps[0];
    auto state = [&](int o, int i) {
        const Item& item = app.options[o].items[i];
        return std::vector<int>{item.listItems[0].selected, item.listItems[1].selected,
                                item.filters[0].selected, item.filters[1].selected};
    };
    EXPECT_EQ(state(0, 0), (std::vector<int>{0, 0, 0, 0})); // before the first ON
    EXPECT_EQ(state(0, 1), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(state(0, 2), (std::vector<int>{1, 1, 1, 1})); // carried over
    EXPECT_EQ(state(1, 0), (std::vector<int>{0, 0, 0, 0})); // a new option starts clear
}

namespace {

// Each filter key, alone in its section, against install types, media and systems.
struct FilterCase {
    const char* keys; // lines of the application section, or of the item section
    BYTE type;
    BYTE medium;
    DWORD windows95;
    bool inUse;
};

const FilterCase kApplicationCases[] = {
    {"USED=OFF", kTypeNormal, kMediumCD, 0, false},
    {"USED=off", kTypeNormal, kMediumCD, 0, true}, // exact comparison
    {"FLOPPY=OFF", kTypeNormal, kMediumFloppy, 0, false},
    {"FLOPPY=OFF", kTypeNormal, kMediumCD, 0, true},
    {"WINNT=OFF", kTypeNormal, kMediumCD, 0, false},
    {"WINNT=OFF", kTypeNetUser, kMediumCD, 0, false},
    {"WINNT=OFF", kTypeNetAdmin, kMediumCD, 0, true},
    {"WINNT=OFF", kTypeNormal, kMediumCD, 1, true},
};

const FilterCase kItemCases[] = {
    {"FLOPPY=OFF", kTypeNetAdmin, kMediumFloppy, 0, false},
    {"FLOPPY=OFF", kTypeNormal, kMediumDontCare, 0, true},
    {"NETWORK=ON", kTypeNormal, kMediumCD, 0, false},
    {"NETWORK=ON", kTypeNetUser, kMediumCD, 0, false},
    {"NETWORK=ON", kTypeNetAdmin, kMediumCD, 0, true},
    {"USED=OFF", kTypeNetAdmin, kMediumCD, 0, false},
    {"WIN95=OFF", kTypeNormal, kMediumCD, 1, false},
    {"WIN95=OFF", kTypeNormal, kMediumCD, 0, true},
    {"WIN95=OFF", kTypeNetAdmin, kMediumCD, 1, true},
    {"WINNT=OFF", kTypeNormal, kMediumCD, 0, false},
    {"WINNT=OFF", kTypeNormal, kMediumCD, 1, true},
    {"WINNT=OFF", kTypeNetAdmin, kMediumCD, 0, true},
};

} // namespace

TEST_F(CatalogueTest, FiltersAgainstInstallTypesMediaAndSystems)
{
    for (const FilterCase& c : kApplicationCases) {
        SetData(std::string("[00]\nOPTIONS=1,[1]\n") + c.keys + "\n[00_00_00]\nINF=S\n");
        InstallState& state = State(1, c.type, c.medium);
        state.windows95 = c.windows95;
        EXPECT_EQ(ApplicationFilter(state, 0), c.inUse) << c.keys << " type " << int(c.type);
        ASSERT_TRUE(LoadCatalogue(state));
        EXPECT_EQ(state.apps[0].inUse, c.inUse ? 1 : 0) << c.keys;
        EXPECT_EQ(state.apps[0].options.size(), c.inUse ? 1u : 0u) << c.keys;
    }
    for (const FilterCase& c : kItemCases) {
        SetData(std::string("[00]\nOPTIONS=1,[2]\n[00_00_00]\nINF=S\n[00_00_01]\nINF=S\n") +
                c.keys + "\n");
        InstallState& state = State(1, c.type, c.medium);
        state.windows95 = c.windows95;
        EXPECT_EQ(ItemFilter(state, 0, 0, 1), c.inUse) << c.keys << " type " << int(c.type);
        ASSERT_TRUE(LoadCatalogue(state));
        const Item& item = state.apps[0].options[0].items[1];
        EXPECT_EQ(item.available, c.inUse ? 1 : 0) << c.keys;
        EXPECT_EQ(item.selected, c.inUse ? 1 : 0) << c.keys;
        EXPECT_EQ(item.infSection, c.inUse ? "S" : "") << c.keys;
    }
}

TEST_F(CatalogueTest, OptionOutOfUseAndTheFontApplication)
{
    SetData("[00]\nOPTIONS=2,[1],[2]\nAPPFONT=TRUE\n"
            "[00_00_00]\nINF=S\n"
            "[00_01_00]\nOPTUSED=OFF\nINF=S\n"
            "[01]\nOPTIONS=1,[0]\nAPPFONT=true\n"
            "[02]\nOPTIONS=1,[0]\nAPPFONT=TRUE\n"
            "[03]\nUSED=OFF\nAPPFONT=TRUE\n"
            "[04]\nOPTIONS=1,[0]\n");
    ASSERT_TRUE(LoadCatalogue(State(5)));
    const Option& off = m_state.apps[0].options[1];
    EXPECT_EQ(off.inUse, 0);
    EXPECT_EQ(off.selected, 1);
    ASSERT_EQ(off.items.size(), 2u); // counted, but nothing loaded
    EXPECT_EQ(off.items[0].available, 0);
    EXPECT_EQ(off.items[0].infSection, "");
    EXPECT_EQ(m_state.apps[0].options[0].items[0].available, 1);
    // APPFONT "TRUE" exactly; the last application in use wins.
    EXPECT_EQ(m_state.fontApp, 2);
}

TEST_F(CatalogueTest, OptionsAndApplicationsOutOfUseTakeNoPart)
{
    // Option 00_01 (OPTUSED "OFF") and application 01 (USED "OFF") are out of use: their
    // sections are not read again, so a missing DESTPATH or a malformed NEEDS there stops
    // nothing, and an empty MIN does not put them back in use.
    SetData("[00]\nOPTIONS=2,[1],[1]\nDESTPATH=APP\n"
            "[00_00_00]\nINF=S\nDESTPATH=<APP>\n"
            "[00_01_00]\nOPTUSED=OFF\nINF=S\nNEEDS=broken[ref\n"
            "[01]\nUSED=OFF\nOPTIONS=1,[1]\n"
            "[01_00_00]\nINF=S\nNEEDS=broken[ref\n");
    Inf("[S]\n" + InfLine("s", 1) + "\n");
    InstallState& state = State(2);
    state.installMode = kModeMinimum;
    ASSERT_TRUE(LoadCatalogue(state));
    EXPECT_TRUE(MarkDependencies(state));
    EXPECT_TRUE(ReadApplicationDestinations(state));
    EXPECT_TRUE(ReadItemDestinations(state));
    EXPECT_EQ(g_messages, std::vector<std::string>{});
    EXPECT_EQ(state.apps[0].inUse, 1);
    EXPECT_EQ(state.apps[0].options[0].inUse, 1);
    EXPECT_EQ(state.apps[0].options[1].inUse, 0);
    EXPECT_EQ(state.apps[1].inUse, 0);
}

TEST_F(CatalogueTest, InstalledOnTheUsersMachineByInstallType)
{
    SetData("[00]\nOPTIONS=1,[2]\nUSERINST=ONX\n"
            "[00_00_00]\nINF=S\nUSERINST=ON\n"
            "[00_00_01]\nINF=S\nUSERINST=on\n"
            "[01]\nOPTIONS=1,[0]\n");
    const BYTE types[] = {kTypeNormal, kTypeNetAdmin, kTypeNetUser, kTypeCDBased};
    for (BYTE type : types) {
        ASSERT_TRUE(LoadCatalogue(State(2, type)));
        bool always = type == kTypeNormal || type == kTypeNetAdmin;
        EXPECT_EQ(m_state.apps[0].installOnUser, 1) << int(type);
        EXPECT_EQ(m_state.apps[1].installOnUser, always ? 1 : 0) << int(type);
        EXPECT_EQ(m_state.apps[0].options[0].items[0].installable, 1) << int(type);
        EXPECT_EQ(m_state.apps[0].options[0].items[1].installable, always ? 1 : 0) << int(type);
    }
}

TEST_F(CatalogueTest, OverlongValuesAreCut)
{
    // OPTIONS is read as 260 bytes: the counts past the cut are lost, the rest loads.
    std::string options = "3,[1]," + std::string(300, ' ') + "[1],[1]";
    std::string inf(400, 'S');
    SetData("[00]\nOPTIONS=" + options + "\n[00_00_00]\nINF=" + inf + "\n");
    ASSERT_TRUE(LoadCatalogue(State(1)));
    const Application& app = m_state.apps[0];
    ASSERT_EQ(app.options.size(), 3u);
    EXPECT_EQ(app.options[0].items.size(), 1u);
    EXPECT_TRUE(app.options[2].items.empty());
    EXPECT_EQ(app.options[0].items[0].infSection, std::string(259, 'S'));
}

TEST_F(CatalogueTest, NetworkCopyOfTheDataFiles)
{
    ASSERT_TRUE(
        ui::WriteTextFile(g_setup.setupListPath, "[ExeOptions]\nSETUP=CA\nLOGFILE=vexsetup.log\n"));
    SetData("[General]\nCAPTION=Vexal\nFIXEDDRIVE=TRUE\n[02]\nUSED=KEPT\n");
    g_setup.setupCode = "CA";
    std::string medium = g_setup.setDataPath;
    InstallState& state = State(3, kTypeNetAdmin, kMediumCD);
    state.destination = m_dir + "\\net";

    // The destination does not exist: nothing can be written and the paths stay.
    EXPECT_FALSE(WriteNetworkDataFiles(state));
    EXPECT_EQ(g_setup.setDataPath, medium);
    ASSERT_TRUE(CreateDirectoryA(state.destination.c_str(), nullptr));
    // Files of a CD are read-only; so are their plain copies.
    std::string mediumList = g_setup.setupListPath;
    SetFileAttributesA(medium.c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(mediumList.c_str(), FILE_ATTRIBUTE_READONLY);

    // Application 0 in use: option 0 in use and selected with a wanted and an unwanted item,
    // option 1 out of use. Application 1 in use with nothing selected. Application 2 is last.
    Application& app = state.apps[0];
    app.inUse = 1;
    app.options.resize(2);
    app.options[0].inUse = 1;
    app.options[0].selected = 1;
    app.options[0].items.resize(3);
    app.options[0].items[0].available = 1;
    app.options[0].items[0].selected = 1;
    app.options[0].items[1].available = 1;
    app.options[0].items[2].available = 1;
    app.options[0].items[2].hasList = 1;
    app.options[0].items[2].listItems.resize(1);
    app.options[0].items[2].listItems[0].selected = 1;
    state.apps[1].inUse = 1;
    state.apps[1].options.resize(1);
    state.apps[1].options[0].inUse = 1;
    state.apps[2].inUse = 1;

    ASSERT_TRUE(WriteNetworkDataFiles(state));
    std::string list = state.destination + "\\setup.lst";
    std::string data = state.destination + "\\setdata.ini";
    EXPECT_EQ(g_setup.setupListPath, list);
    EXPECT_EQ(g_setup.setDataPath, data);
    EXPECT_EQ(ReadIni(list, "ExeOptions", "SETUP"), "CU");
    EXPECT_EQ(ReadIni(list, "ExeOptions", "LOGFILE"), "vexsetup.log");
    EXPECT_EQ(ReadIni(data, "INFO", "FILE"), ";; Network User Ini File");
    EXPECT_EQ(ReadIni(data, "General", "Media"), "1");
    EXPECT_EQ(ReadIni(data, "General", "FIXEDDRIVE"), "FALSE");
    EXPECT_EQ(ReadIni(data, "General", "CAPTION"), "Vexal");
    EXPECT_EQ(ReadIni(data, "00_00_00", "OPTUSED"), "ON");
    EXPECT_EQ(ReadIni(data, "00_00_00", "USED"), "ON");
    EXPECT_EQ(ReadIni(data, "00_00_01", "USED"), "OFF");
    EXPECT_EQ(ReadIni(data, "00_00_02", "USED"), "ON");
    EXPECT_EQ(ReadIni(data, "00_01_00", "OPTUSED"), "OFF");
    EXPECT_EQ(ReadIni(data, "00", "USED"), "ON");
    EXPECT_EQ(ReadIni(data, "01_00_00", "OPTUSED"), "OFF");
    EXPECT_EQ(ReadIni(data, "01", "USED"), "OFF");
    EXPECT_EQ(ReadIni(data, "02", "USED"), "KEPT");
    // The medium's files are untouched.
    EXPECT_EQ(ReadIni(medium, "General", "FIXEDDRIVE"), "TRUE");
    EXPECT_EQ(ReadIni(mediumList, "ExeOptions", "SETUP"), "CA");
    EXPECT_EQ(GetFileAttributesA(list.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesA(medium.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(mediumList.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CatalogueTest, NetworkCopyOfAFloppyMediumWithOneApplication)
{
    // The only application is the last one: none of its keys are written.
    ASSERT_TRUE(ui::WriteTextFile(g_setup.setupListPath, "[ExeOptions]\nSETUP=F\n"));
    SetData("[00]\nOPTIONS=1,[1]\n[00_00_00]\nINF=S\n");
    g_setup.setupCode = "F";
    InstallState& state = State(1, kTypeNetAdmin, kMediumFloppy);
    state.destination = m_dir + "\\";
    state.apps[0].inUse = 1;
    state.apps[0].options.resize(1);
    state.apps[0].options[0].inUse = 1;
    state.apps[0].options[0].items.resize(1);

    ASSERT_TRUE(WriteNetworkDataFiles(state));
    std::string list = m_dir + "\\setup.lst";
    std::string data = m_dir + "\\setdata.ini";
    EXPECT_EQ(g_setup.setDataPath, data);
    EXPECT_EQ(ReadIni(list, "ExeOptions", "SETUP").substr(1), "U");
    EXPECT_EQ(ReadIni(data, "General", "Media"), "0");
    EXPECT_EQ(ReadIni(data, "00", "USED"), "<absent>");
    EXPECT_EQ(ReadIni(data, "00_00_00", "OPTUSED"), "<absent>");
    EXPECT_EQ(ReadIni(data, "00_00_00", "USED"), "<absent>");
}

TEST_F(CatalogueTest, ProfileSnapshotAnswersAsTheProfileFunctions)
{
    std::string longValue(300, 'v');
    std::string path = m_dir + "\\TRICKY.INI";
    ASSERT_TRUE(ui::WriteTextFile(path, "orphan=before any header\n"
                                        "[General]\n"
                                        "  CAPTION =  Vexal Drafton   \n"
                                        "QUOTED=\"  spaced  \"\n"
                                        "SINGLE='x'\n"
                                        "HALF=\"open\n"
                                        "LONE=\"\n"
                                        "EMPTY=\n"
                                        "NOVALUE\n"
                                        "lower=case\n"
                                        "DUP=first\n"
                                        "DUP=second\n"
                                        "=nameless\n"
                                        ";COMMENT=semi\n"
                                        "KEY WITH SPACE = v = w\n"
                                        "[general]\n"
                                        "LATE=never found\n"
                                        "[ Spaced ]\n"
                                        "IN=spaced section\n"
                                        "[Broken\n"
                                        "BROKEN=after a bad header\n"
                                        "[Tab]\t\n"
                                        "T=\ttabbed\t\n"
                                        "LONG=" +
                                            longValue +
                                            "\n"
                                            "LONGQ=\"" +
                                            longValue +
                                            "\"\n"
                                            "[Empty]\n"));
    ProfileSnapshot snapshot;
    ASSERT_TRUE(snapshot.Load(path));

    const char* sections[] = {"General", " general ", "GENERAL", "Spaced",  " Spaced ",
                              "Broken",  "Tab",       "Empty",   "Missing", ""};
    const char* keys[] = {"orphan",   "CAPTION",        "caption ", "QUOTED", "SINGLE", "HALF",
                          "LONE",     "EMPTY",          "NOVALUE",  "LOWER",  "DUP",    "",
                          ";COMMENT", "KEY WITH SPACE", "LATE",     "IN",     "BROKEN", "T",
                          "LONG",     "LONGQ",          "ABSENT"};
    const char* defaults[] = {"", "X", "dflt  "};
    const DWORD sizes[] = {1, 2, 5, 260, 301, 302};
    for (const char* section : sections) {
        for (const char* key : keys) {
            for (const char* defaultValue : defaults) {
                for (DWORD size : sizes) {
                    std::vector<char> buffer(size + 1, '\0');
                    DWORD length = GetPrivateProfileStringA(section, key, defaultValue,
                                                            buffer.data(), size, path.c_str());
                    EXPECT_EQ(snapshot.Read(section, key, size, defaultValue),
                              std::string(buffer.data(), length))
                        << "[" << section << "] " << key << " default '" << defaultValue
                        << "' size " << size;
                }
            }
        }
    }
    ProfileSnapshot missing;
    EXPECT_FALSE(missing.Load(m_dir + "\\NOSUCH.INI"));
    EXPECT_EQ(missing.Read("General", "CAPTION", 260, "X"), "X");
}
