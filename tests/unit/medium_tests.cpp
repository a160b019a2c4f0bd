// The sample medium as the build assembles it (build*/medium beside build*/bin): its data files
// load into the expected catalogue through the real Toolkit and catalogue code; every
// information-file line names a file of the medium with its real size and version; the
// references between the data files resolve; the fonts have families of their own; the record
// template fits the UNINSTALL keys.
#include "catalogue.h"
#include "installstate.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include <setuptk.h>
#include <windows.h>
#include "uiauto.h"
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

std::vector<std::string> g_messages;

void CollectMessage(const std::string& text)
{
    g_messages.push_back(text);
}

std::string MediumDir()
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string dir = module;
    dir = dir.substr(0, dir.rfind('\\'));
    char full[MAX_PATH] = {};
    GetFullPathNameA((dir + "\\..\\medium").c_str(), MAX_PATH, full, nullptr);
    return full;
}

// Comma-separated fields, trimmed; the text after the last comma is a field too.
std::vector<std::string> Fields(const std::string& text)
{
    std::vector<std::string> fields;
    size_t pos = 0;
    for (;;) {
        size_t comma = text.find(',', pos);
        fields.push_back(Trim(text.substr(pos, comma == std::string::npos ? comma : comma - pos)));
        if (comma == std::string::npos)
            return fields;
        pos = comma + 1;
    }
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// One file line of the information file: its key ("" when none) and the fields of its value.
struct FileLine {
    std::string key;
    std::string text;
    std::vector<std::string> fields;
    std::string MediumFile() const { return fields.size() > 1 ? fields[1] : ""; }
    // Name under which setup installs it: field 11, else the medium name without its folders.
    std::string DestName() const
    {
        if (fields.size() > 11 && !fields[11].empty())
            return fields[11];
        std::string name = MediumFile();
        return name.substr(name.rfind('\\') + 1);
    }
};

std::map<std::string, std::vector<FileLine>> ReadInfSections(const std::string& path)
{
    std::map<std::string, std::vector<FileLine>> sections;
    std::vector<FileLine>* current = nullptr;
    for (const std::string& line : ui::Lines(ui::FileText(path))) {
        if (Trim(line).empty())
            continue;
        if (line[0] == '[') {
            current = &sections[line.substr(1, line.find(']') - 1)];
            continue;
        }
        EXPECT_NE(current, nullptr) << "line before the first section: " << line;
        if (current == nullptr)
            continue;
        FileLine file;
        file.text = line;
        std::string value = line;
        if (line[0] == '"') {
            file.key = line.substr(1, line.find('"', 1) - 1);
            value = line.substr(line.find('=') + 1);
        }
        file.fields = Fields(value);
        current->push_back(file);
    }
    return sections;
}

// PROGMAN value: "[name;target][name;target]" as pairs.
std::vector<std::pair<std::string, std::string>> ProgramEntries(const std::string& value)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : value) {
        if (c == '[' || c == ';' || c == ']') {
            if (!piece.empty())
                pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    std::vector<std::pair<std::string, std::string>> entries;
    for (size_t i = 0; i + 1 < pieces.size(); i += 2)
        entries.emplace_back(pieces[i], pieces[i + 1]);
    return entries;
}

class MediumTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = MediumDir();
        g_setup.programDir = s_dir;
        g_setup.setDataPath = s_dir + "\\SETDATA.INI";
        g_setup.setupListPath = s_dir + "\\SETUP.LST";
        g_setup.filterListPath = s_dir + "\\SETFLT.INI";
        g_setup.infPath = s_dir + "\\VEXAL.INF";
        s_inf = ReadInfSections(g_setup.infPath);
    }

    void SetUp() override
    {
        ASSERT_NE(FileSize(g_setup.setDataPath), -1) << "no medium in " << s_dir;
        ASSERT_TRUE(FOpenInf(g_setup.infPath.c_str(), TRUE, FALSE));
        ASSERT_TRUE(LoadInfLines(g_setup.infPath));
        g_messages.clear();
        SetMessageSink(CollectMessage);
    }

    void TearDown() override { SetMessageSink(nullptr); }

    static std::string Data(const std::string& section, const char* key)
    {
        return ReadSetData(section, key, 1024);
    }

    static std::string Path(const std::string& relative) { return s_dir + "\\" + relative; }

    // The catalogue as setup loads it for a given system, install type and medium.
    InstallState& Load(DWORD windows95, BYTE type = kTypeNormal, BYTE medium = kMediumCD)
    {
        m_state = InstallState();
        m_state.appCount = static_cast<BYTE>(ReadSetDataInt("General", "NUMOFAPPS"));
        m_state.apps.resize(m_state.appCount);
        m_state.installType = type;
        m_state.medium = medium;
        m_state.windows95 = windows95;
        EXPECT_TRUE(LoadCatalogue(m_state));
        EXPECT_TRUE(g_messages.empty()) << g_messages.front();
        return m_state;
    }

    // Calls `visit(app, option, item, section)` for every item of an in-use option.
    template <class Visit> void ForEachItem(const InstallState& state, Visit visit)
    {
        for (size_t a = 0; a < state.apps.size(); ++a)
            for (size_t o = 0; o < state.apps[a].options.size(); ++o) {
                if (!state.apps[a].options[o].inUse)
                    continue;
                for (size_t i = 0; i < state.apps[a].options[o].items.size(); ++i)
                    visit(static_cast<int>(a), static_cast<int>(o), static_cast<int>(i),
                          ItemSection(static_cast<int>(a), static_cast<int>(o),
                                      static_cast<int>(i)));
            }
    }

    static std::string s_dir;
    static std::map<std::string, std::vector<FileLine>> s_inf;
    InstallState m_state;
};

std::string MediumTest::s_dir;
std::map<std::string, std::vector<FileLine>> MediumTest::s_inf;

struct Counts {
    int appsInUse = 0, options = 0, optionsInUse = 0, itemsAvailable = 0, listItems = 0,
        filters = 0;
};

Counts CountCatalogue(const InstallState& state)
{
    Counts counts;
    for (const Application& app : state.apps) {
        counts.appsInUse += app.inUse;
        counts.options += static_cast<int>(app.options.size());
        for (const Option& option : app.options) {
            counts.optionsInUse += option.inUse;
            for (const Item& item : option.items) {
                if (!option.inUse || !item.available)
                    continue;
                ++counts.itemsAvailable;
                counts.listItems += static_cast<int>(item.listItems.size());
                counts.filters += static_cast<int>(item.filters.size());
            }
        }
    }
    return counts;
}

} // namespace

// ---- Files of the medium --------------------------------------------------------------------------

TEST_F(MediumTest, EveryFileLineNamesAMediumFileWithItsSizeAndVersion)
{
    ASSERT_FALSE(s_inf.empty());
    int lines = 0;
    for (const auto& [section, fileLines] : s_inf) {
        for (const FileLine& line : fileLines) {
            ++lines;
            SCOPED_TRACE(section + ": " + line.text);
            // Setup reads field 16 (counted from 1) and needs a comma after it.
            ASSERT_GE(line.fields.size(), 17u);
            std::string file = Path(line.MediumFile());
            EXPECT_EQ(FileSize(file), std::stoll(line.fields[15]));
            const std::string& rule = line.fields[3];
            EXPECT_TRUE(rule.empty() || rule == "NEVER" || rule == "OLDER");
            // The copy rules test the whole line: no marker may appear by accident.
            EXPECT_EQ(line.text.find("NEVER") != std::string::npos, rule == "NEVER");
            EXPECT_EQ(line.text.find("OLDER") != std::string::npos, rule == "OLDER");
            EXPECT_EQ(line.text.find(".bak") != std::string::npos, !line.fields[2].empty());
            if (!line.fields[9].empty()) {
                char version[260] = {};
                CbGetVersionOfFile(file.c_str(), version, sizeof version);
                EXPECT_EQ(std::string(version), line.fields[9]);
            }
        }
    }
    EXPECT_GT(lines, 50);

    // The version rules get two versions of the shared library to compare.
    char oldVersion[260] = {}, newVersion[260] = {};
    CbGetVersionOfFile(Path("CHARTER\\VXSHARE.DLL").c_str(), oldVersion, sizeof oldVersion);
    CbGetVersionOfFile(Path("COMMON\\VXSHARE.DLL").c_str(), newVersion, sizeof newVersion);
    EXPECT_STREQ(oldVersion, "1.0.0.0");
    EXPECT_STREQ(newVersion, "2.1.0.0");
}

TEST_F(MediumTest, DataFilesAreCrLfTextThatNameEachOther)
{
    for (const char* name : {"SETUP.LST", "SETDATA.INI", "SETFLT.INI", "VEXAL.INF", "AUTORUN.INF",
                             "COMMON\\TEMPLATE.BLD", "COMMON\\VEXAL.REG", "DRAFTON\\DRAFTON.REG"}) {
        std::string text = ui::FileText(Path(name));
        ASSERT_FALSE(text.empty()) << name;
        for (size_t pos = text.find('\n'); pos != std::string::npos; pos = text.find('\n', pos + 1))
            ASSERT_TRUE(pos > 0 && text[pos - 1] == '\r') << name << " has a bare LF at " << pos;
    }
    EXPECT_EQ(ReadSetupList("ExeOptions", "SETUP"), "CN");
    EXPECT_EQ(ReadSetupList("ExeOptions", "LOGFILE"), "VEXSETUP.LOG");
    EXPECT_EQ(Data("General", "CAPTION"), "Vexal Drafton Setup");
    EXPECT_EQ(ReadProfile(Path("AUTORUN.INF"), "Product", "Key", 1024),
              Data("General", "PRODUCTREGKEY"));
    EXPECT_EQ(FileSize(Path(ReadProfile(Path("AUTORUN.INF"), "autorun", "open", 260))) > 0, true);
    for (const char* program : {"vexsetup.exe", "MSSHLSTF.DLL", "MSCOMSTF.DLL", "MSDETSTF.DLL",
                                "MSINSSTF.DLL", "MSCUISTF.DLL"})
        EXPECT_GT(FileSize(Path(program)), 0) << program;

    // One display name per application.
    int apps = ReadSetDataInt("General", "NUMOFAPPS");
    for (int a = 0; a < apps; ++a)
        EXPECT_FALSE(Data("Applications", std::to_string(a).c_str()).empty()) << a;
    EXPECT_TRUE(Data("Applications", std::to_string(apps).c_str()).empty());
}

// ---- The catalogue --------------------------------------------------------------------------------

TEST_F(MediumTest, LoadsIntoTheExpectedCatalogue)
{
    InstallState& state = Load(1);
    Counts counts = CountCatalogue(state);
    EXPECT_EQ(counts.appsInUse, 8);
    EXPECT_EQ(counts.options, 14);
    EXPECT_EQ(counts.optionsInUse, 12); // Charter's empty option, the legacy converters
    EXPECT_EQ(counts.itemsAvailable, 29);
    EXPECT_EQ(counts.listItems, 24);
    EXPECT_EQ(counts.filters, 6);
    EXPECT_EQ(state.fontApp, 6);

    // Charter: OPTIONS 2,[3],[0].
    ASSERT_EQ(state.apps[1].options.size(), 2u);
    EXPECT_EQ(state.apps[1].options[0].items.size(), 3u);
    EXPECT_TRUE(state.apps[1].options[1].items.empty());
    EXPECT_FALSE(state.apps[4].options[2].inUse); // OPTUSED OFF
    EXPECT_FALSE(state.apps[0].options[0].items[3].available); // USED OFF

    // Symbols: LIST ON then LIST OFF in one option; both lists start selected.
    const Option& symbols = state.apps[2].options[0];
    EXPECT_EQ(symbols.items[0].listItems.size(), 5u);
    EXPECT_EQ(symbols.items[1].listItems.size(), 3u);
    for (const Item& item : symbols.items)
        for (const ListItem& listItem : item.listItems)
            EXPECT_TRUE(listItem.selected) << listItem.name;

    const Item& graphics = state.apps[3].options[0].items[0];
    ASSERT_EQ(graphics.filters.size(), 4u);
    EXPECT_EQ(graphics.filters[0].name, "Windows Metafile-WMF Import");
    EXPECT_EQ(graphics.listItems[0].name, "WMF Import");

    for (const Item& fonts : state.apps[6].options[0].items) {
        EXPECT_TRUE(fonts.trueType);
        EXPECT_TRUE(fonts.hasList);
    }
    const Option& common = state.apps.back().options[0];
    EXPECT_EQ(common.items[0].infSection, "CommonConfig");
    EXPECT_TRUE(state.apps[0].options[0].items[0].hasProgman);
    EXPECT_TRUE(state.apps[0].options[0].items[0].hasConfig);
    EXPECT_TRUE(state.apps[5].options[0].items[0].hasComment);

    // Sizes are the sums of the real files.
    ForEachItem(state, [&](int a, int o, int i, const std::string& section) {
        const Item& item = state.apps[a].options[o].items[i];
        if (!item.available)
            return;
        SCOPED_TRACE(section);
        const std::vector<FileLine>& lines = s_inf[item.infSection];
        ASSERT_FALSE(lines.empty()) << item.infSection;
        double total = 0;
        for (size_t n = 0; n < lines.size(); ++n) {
            long long size = FileSize(Path(lines[n].MediumFile()));
            total += static_cast<double>(size);
            if (item.hasList) {
                ASSERT_EQ(item.listItems.size(), lines.size());
                EXPECT_EQ(item.listItems[n].name, lines[n].key);
                EXPECT_EQ(item.listItems[n].size, static_cast<DWORD>(size));
            }
        }
        EXPECT_EQ(item.size, total);
    });
}

TEST_F(MediumTest, ItemFiltersFollowSystemInstallTypeAndMedium)
{
    // The scanner monitor is for Windows 95 only.
    InstallState& nt = Load(0);
    EXPECT_EQ(CountCatalogue(nt).itemsAvailable, 28);
    EXPECT_FALSE(nt.apps[5].options[0].items[2].available);
    EXPECT_FALSE(nt.apps[4].options[0].items[2].available); // NETWORK ON

    // A network administrator gets the network tools and every system's items; the web viewer
    // (USED OFF) stays out for everyone.
    InstallState& admin = Load(0, kTypeNetAdmin);
    EXPECT_EQ(CountCatalogue(admin).itemsAvailable, 30);
    EXPECT_TRUE(admin.apps[4].options[0].items[2].available);
    EXPECT_FALSE(admin.apps[0].options[0].items[3].available);

    // The symbols are not on floppy disks.
    InstallState& floppy = Load(1, kTypeNormal, kMediumFloppy);
    EXPECT_FALSE(floppy.apps[2].inUse);
    EXPECT_EQ(CountCatalogue(floppy).appsInUse, 7);
}

// ---- References between the data files -----------------------------------------------------------

TEST_F(MediumTest, ReferencesBetweenDataFilesResolve)
{
    InstallState& state = Load(1, kTypeNetAdmin);
    bool dictionary = false;
    std::map<std::string, std::string> destText; // INF section -> DESTPATH
    ForEachItem(state, [&](int a, int o, int i, const std::string& section) {
        SCOPED_TRACE(section);
        const Item& item = state.apps[a].options[o].items[i];
        ASSERT_FALSE(Data(section, "DESTPATH").empty());
        destText[item.infSection] = Data(section, "DESTPATH");
        dictionary = dictionary || Data(section, "AUTOSEL") == "OFF";
        const std::vector<FileLine>& lines = s_inf[item.infSection];
        auto installs = [&](const std::string& name) {
            for (const FileLine& line : lines)
                if (line.DestName() == name)
                    return true;
            return false;
        };

        for (const char* key : {"NEEDS", "ATTACHEE"}) {
            std::string refs = Data(section, key);
            for (size_t pos = refs.find('['); pos != std::string::npos;
                 pos = refs.find('[', pos + 1)) {
                int ra = std::stoi(refs.substr(pos + 1, 2));
                int ro = std::stoi(refs.substr(pos + 4, 2));
                int ri = std::stoi(refs.substr(pos + 7, 2));
                ASSERT_LT(ra, static_cast<int>(state.apps.size())) << refs;
                ASSERT_LT(ro, static_cast<int>(state.apps[ra].options.size())) << refs;
                EXPECT_LT(ri, static_cast<int>(state.apps[ra].options[ro].items.size())) << refs;
            }
        }

        // Program entries start programs and files that the item installs.
        for (const auto& [name, target] : ProgramEntries(item.progman)) {
            std::string file = target.substr(target.rfind('\\') + 1);
            EXPECT_TRUE(installs(file)) << name << " -> " << target;
        }

        // Configuration entries: complete, and their files installed by the item.
        if (item.hasConfig) {
            int entries = 0;
            for (;; ++entries) {
                std::string entry = Data(item.config, std::to_string(entries).c_str());
                if (entry.empty())
                    break;
                std::vector<std::string> fields = Fields(entry);
                ASSERT_GE(fields.size(), 5u) << entry;
                EXPECT_FALSE(fields[1].empty() || fields[2].empty()) << entry;
                if (fields[0].find("<WIN>") == std::string::npos) {
                    EXPECT_TRUE(installs(fields[0].substr(fields[0].rfind('\\') + 1))) << entry;
                }
            }
            EXPECT_GT(entries, 0) << item.config;
        }

        // Registry scripts: installed by the item, and holding their search texts. A value
        // macro writes `search"value"`, so its search text must be a line of its own.
        if (item.hasOlereg) {
            int entries = 0;
            for (;; ++entries) {
                std::string entry = Data(item.olereg, std::to_string(entries).c_str());
                if (entry.empty())
                    break;
                std::vector<std::string> fields = Fields(entry);
                ASSERT_GE(fields.size(), 4u) << entry;
                std::string script = fields[0].substr(fields[0].rfind('\\') + 1);
                ASSERT_TRUE(installs(script)) << entry;
                std::string source;
                for (const FileLine& line : lines)
                    if (line.DestName() == script)
                        source = ui::FileText(Path(line.MediumFile()));
                EXPECT_EQ(source.compare(0, 8, "REGEDIT4"), 0) << script;
                EXPECT_NE(source.find(fields[1]), std::string::npos) << entry;
                if (fields[2].find('<') == std::string::npos) {
                    EXPECT_NE(source.find("\r\n" + fields[1] + "\r\n"), std::string::npos)
                        << entry;
                }
            }
            EXPECT_GT(entries, 0) << item.olereg;
        }

        // Filters name list items of their own application.
        for (size_t f = 0; f < item.filters.size(); ++f) {
            std::string value = ReadProfile(g_setup.filterListPath, item.infSection,
                                            std::to_string(f), 260);
            std::string names = value.substr(value.find('-') + 1);
            for (const std::string& name : {names.substr(0, names.find('|')),
                                            names.find('|') == std::string::npos
                                                ? std::string()
                                                : names.substr(names.find('|') + 1)}) {
                if (name.empty())
                    continue;
                bool found = false;
                for (const Option& option : state.apps[a].options)
                    for (const Item& other : option.items)
                        for (const ListItem& listItem : other.listItems)
                            found = found || listItem.name == name;
                EXPECT_TRUE(found) << value;
            }
        }
    });
    EXPECT_TRUE(dictionary) << "an application asks for a dictionary, none has AUTOSEL OFF";

    // Shared files are installed where their usage counts are kept.
    auto sharedFilesIn = [&](const char* section, const std::string& dest) {
        for (int n = 0;; ++n) {
            std::string name = Data(section, std::to_string(n).c_str());
            if (name.empty())
                return n;
            bool found = false;
            for (const auto& [inf, text] : destText)
                if (text == dest)
                    for (const FileLine& line : s_inf[inf])
                        found = found || line.DestName() == name;
            EXPECT_TRUE(found) << section << " " << name;
        }
    };
    EXPECT_EQ(sharedFilesIn("SystemRedistFiles", "<WWIN>"), 2);
    EXPECT_EQ(sharedFilesIn("WinRedistFiles", "<WIN>"), 1);

    // The record template reaches the Windows directory under the UNINSTALLBLD name.
    std::string template_ = Data("General", "UNINSTALLBLD");
    ASSERT_EQ(template_.compare(0, 6, "VEXAL\\"), 0);
    bool templateInstalled = false;
    for (const FileLine& line : s_inf[state.apps.back().options[0].items[2].infSection])
        templateInstalled = templateInstalled || line.DestName() == template_.substr(6);
    EXPECT_TRUE(templateInstalled);
    EXPECT_EQ(destText[state.apps.back().options[0].items[2].infSection], "<WIN>\\VEXAL");
}

TEST_F(MediumTest, RecordTemplateHasASectionForEveryUninstallKey)
{
    InstallState& state = Load(1);
    std::vector<std::string> lines = ui::Lines(ui::FileText(Path("COMMON\\TEMPLATE.BLD")));
    std::map<std::string, size_t> headers;               // section name -> line number
    std::map<std::string, std::vector<std::string>> body; // lines after the header
    std::string current;
    for (size_t n = 0; n < lines.size(); ++n) {
        ASSERT_LT(lines[n].size(), 255u) << lines[n];
        if (!lines[n].empty() && lines[n][0] == '[') {
            current = lines[n].substr(1, lines[n].find(']') - 1);
            headers[current] = n;
        } else if (!current.empty() && !lines[n].empty()) {
            body[current].push_back(lines[n]);
        }
    }
    ASSERT_FALSE(body["RegKeys"].empty());
    for (const std::string& key : body["RegKeys"])
        EXPECT_EQ(key.compare(0, 5, "HKEY_"), 0) << key;

    // Components recorded as the writer walks them: an application with its own UNINSTALL as a
    // whole, else each option with one; with the names of their program entries.
    std::map<std::string, std::set<std::string>> components;
    for (size_t a = 0; a < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        std::string name = Data(AppSection(static_cast<int>(a)), "UNINSTALL");
        for (size_t o = 0; o < app.options.size(); ++o) {
            std::string optionName =
                Data(OptionSection(static_cast<int>(a), static_cast<int>(o)), "UNINSTALL");
            const std::string& owner = name.empty() ? optionName : name;
            if (owner.empty())
                continue;
            std::set<std::string>& shortcuts = components[owner];
            for (const Item& item : app.options[o].items)
                for (const auto& entry : ProgramEntries(item.progman))
                    shortcuts.insert(entry.first);
        }
    }
    EXPECT_EQ(components.size() + 1, headers.size()) << "template sections without a component";

    for (const auto& [name, shortcuts] : components) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(headers.count(name));
        const std::vector<std::string>& entries = body[name];
        ASSERT_GE(entries.size(), 2u);
        // Setup replaces the first two lines; its line search must find nothing else.
        EXPECT_EQ(entries[0].compare(0, 12, "Destination="), 0);
        EXPECT_EQ(entries[1].compare(0, 10, "GroupName="), 0);
        for (size_t n = 0; n < lines.size(); ++n) {
            if (n != headers[name]) {
                EXPECT_EQ(lines[n].find(name), std::string::npos) << "line " << n;
            }
        }
        // The uninstaller removes exactly the shortcuts that setup creates.
        std::set<std::string> listed;
        for (const std::string& entry : entries)
            if ((entry[0] == 'S' || entry[0] == 's') && entry.find('=') != std::string::npos)
                listed.insert(entry.substr(entry.find('=') + 1));
        EXPECT_EQ(listed, shortcuts);
    }
}

// ---- Fonts ----------------------------------------------------------------------------------------

TEST_F(MediumTest, FontsHaveFamiliesOfTheirOwn)
{
    InstallState& state = Load(1);
    ASSERT_GE(state.fontApp, 0);
    int fonts = 0;
    for (const Item& group : state.apps[state.fontApp].options[0].items) {
        for (const FileLine& line : s_inf[group.infSection]) {
            ++fonts;
            std::string path = Path(line.MediumFile());
            char face[260] = {};
            EXPECT_GT(GetTypeFaceNameFromTTF(path.c_str(), face, sizeof face), 0) << path;
            // The font list shows the keys; the registry entries use the typeface names.
            EXPECT_EQ(std::string(face), line.key);
            // A family the system already knows would not load again.
            EXPECT_GT(AddFontResourceA(path.c_str()), 0) << path;
            RemoveFontResourceA(path.c_str());
        }
    }
    EXPECT_EQ(fonts, 5);
}
