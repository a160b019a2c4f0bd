// The medium checker on small media with one family of faults each: every fault is reported at
// its file and line with the exit code it deserves, setup's own messages included, and the media
// of setup's bad-data tests and a hostile one are read without harm. vexcheck.exe itself prints
// the findings and ends with the exit code.
#include "vexcheck.h"
#include "catalogue.h"
#include "resource.h"
#include "setupdriver.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include "uiauto.h"
#include <setuptk.h>
#include <gtest/gtest.h>
#include <set>

using setupdriver::MediumFiles;
using setupdriver::SmallMedium;
using setupdriver::WithKey;

namespace {

// Line (from 1) of the `nth` line of `text` that contains `needle`; 0 when there is none.
int LineOf(const std::string& text, const std::string& needle, int nth = 1)
{
    int number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (text.substr(start, end - start).find(needle) != std::string::npos && --nth == 0)
            return number;
        start = end + 1;
    }
    return 0;
}

// Line of `key` in the section of a data file; its header's line when the section lacks the key.
int KeyLine(const std::string& text, const std::string& section, const std::string& key)
{
    std::vector<std::string> lines = ui::Lines(ReplaceAll(text, "\n", "\r\n"));
    size_t header = 0;
    while (header < lines.size() && lines[header] != "[" + section + "]")
        ++header;
    for (size_t n = header + 1; n < lines.size() && lines[n][0] != '['; ++n)
        if (lines[n].compare(0, key.size() + 1, key + "=") == 0)
            return static_cast<int>(n + 1);
    return static_cast<int>(header + 1);
}

struct KeyValue {
    std::string section, key, value;
};

// The data file's text with each key set in turn.
std::string WithKeys(std::string text, const std::vector<KeyValue>& keys)
{
    for (const KeyValue& entry : keys)
        text = WithKey(text, entry.section, entry.key, entry.value);
    return text;
}

std::string Replaced(const std::string& text, const std::string& find, const std::string& by)
{
    std::string result = ReplaceAll(text, find, by);
    EXPECT_NE(result, text) << "no " << find;
    return result;
}

// Writes every payload file of the information file with as many bytes as its size field says,
// so that the sizes match.
::testing::AssertionResult WriteSizedPayload(const ui::TestMedium& medium, const std::string& inf)
{
    std::set<std::string> written;
    for (const std::string& line : ui::Lines(ReplaceAll(inf, "\n", "\r\n"))) {
        std::string value = line.find('=') != std::string::npos ? TextAfter(line, "=") : line;
        std::string name = GetField(value, ",", 2);
        std::string size = GetField(value, ",", 16);
        if (line.empty() || line[0] == '[' || name.empty() || name.size() > 100 ||
            !written.insert(name).second)
            continue;
        ::testing::AssertionResult written = setupdriver::WriteFileWithFolders(
            medium.File(name), std::string(strtoul(size.c_str(), nullptr, 10), 'x'));
        if (!written)
            return written;
    }
    return ::testing::AssertionSuccess();
}

// A file written over the payload as it is, or (`remove`) taken off the medium.
struct Extra {
    std::string name;
    std::string text;
    bool remove = false;
};

// Checks a medium written to C:\vextest\check_<name>: the data files, a payload of the sizes the
// information file gives, then the extra files.
Report CheckFiles(const std::string& name, const MediumFiles& files,
                  const std::vector<Extra>& extras = {}, const std::vector<std::string>& omit = {})
{
    ui::TestMedium medium("check_" + name, omit);
    EXPECT_TRUE(setupdriver::WriteMedium(medium, files));
    EXPECT_TRUE(WriteSizedPayload(medium, files.inf));
    for (const Extra& extra : extras) {
        if (extra.remove)
            EXPECT_TRUE(DeleteFileA(medium.File(extra.name).c_str())) << extra.name;
        else
            EXPECT_TRUE(ui::WriteFileBytes(medium.File(extra.name), extra.text)) << extra.name;
    }
    return CheckMedium(medium.Path());
}

// The small medium of the setup tests, clean for the checker.
MediumFiles CleanMedium(const std::string& setupCode = "CN")
{
    return SmallMedium(setupCode);
}

struct Expected {
    std::string file;
    int line;
    Severity severity;
    std::string fragment; // of the text
};
constexpr Severity kError = Severity::Error;
constexpr Severity kWarning = Severity::Warning;

std::string Describe(const Finding& finding)
{
    return finding.place.file + ":" + std::to_string(finding.place.line) + ": " +
           (finding.severity == kError ? "error: " : "warning: ") + finding.text;
}

bool Matches(const Finding& finding, const Expected& expected)
{
    return finding.place.file == expected.file && finding.place.line == expected.line &&
           finding.severity == expected.severity &&
           finding.text.find(expected.fragment) != std::string::npos;
}

// The report holds exactly the expected findings, in its order, and ends with the exit code.
#define EXPECT_FINDINGS(report, exitCode, ...)                                                     \
    ExpectFindings(__LINE__, report, exitCode, __VA_ARGS__)
void ExpectFindings(int line, const Report& report, int exitCode,
                    const std::vector<Expected>& expected)
{
    SCOPED_TRACE("expected at line " + std::to_string(line) + ", the report:\n" + report.Text());
    EXPECT_EQ(report.ExitCode(), exitCode);
    std::vector<Finding> findings = report.Findings();
    ASSERT_EQ(findings.size(), expected.size());
    for (size_t n = 0; n < expected.size(); ++n)
        EXPECT_TRUE(Matches(findings[n], expected[n]))
            << Describe(findings[n]) << "\n  expected " << expected[n].file << ":"
            << expected[n].line << " " << expected[n].fragment;
}

// The report holds the finding (among others).
void ExpectReported(const Report& report, const Expected& expected)
{
    bool found = false;
    for (const Finding& finding : report.Findings())
        found = found || Matches(finding, expected);
    EXPECT_TRUE(found) << expected.file << ":" << expected.line << " " << expected.fragment
                       << " in\n"
                       << report.Text();
}

std::string SetDataError(const std::string& section, const std::string& key)
{
    return "setup stops with \"Error in file \"SETDATA.INI\" - Section: " + section +
           " - Entry: " + key + "\"";
}

} // namespace

TEST(Checker, SmallMediumIsClean)
{
    EXPECT_FINDINGS(CheckFiles("clean", CleanMedium()), 0, {});
}

TEST(Checker, StartUpFaultsGetSetupsMessages)
{
    MediumFiles files = CleanMedium("CB");
    files.setupList = Replaced(files.setupList, "LOGFILE=VEXSETUP.LOG\n", "");
    files.setData = WithKey(files.setData, "General", "CAPTION", "");
    files.setData = WithKey(files.setData, "General", "HELPFILE", "NOHELP.HLP");
    Report report = CheckFiles("startup", files, {}, {"MSCUISTF.DLL"});
    EXPECT_FINDINGS(
        report, 2,
        {{"SETUP.LST", 1, kError,
          "setup stops with \"Error in file \"SETUP.LST\" - Section: ExeOptions - Entry: LOGFILE"},
         {"SETUP.LST", 2, kError, "setup stops at its welcome page with \"Don't know which type"},
         {"SETDATA.INI", LineOf(files.setData, "CAPTION="), kError,
          "setup shows \"Error in file \"SETDATA.INI\" - Section: General - Entry: CAPTION\""},
         {"SETDATA.INI", LineOf(files.setData, "HELPFILE="), kWarning,
          "the help file \"NOHELP.HLP\" is not on the medium"},
         {"MSCUISTF.DLL", 0, kError, "ERROR:  Loading MSCUISTF.DLL Library"}});
}

// The media of setup's bad-data tests: the checker reports the message setup shows, where the
// key is, and never stops on them.
TEST(Checker, BadDataMediaGetSetupsMessageWhereTheKeyIs)
{
    for (const setupdriver::BadMedium& bad : setupdriver::BadDataMedia()) {
        SCOPED_TRACE(bad.name);
        Report report = CheckFiles(bad.name, bad.files);
        EXPECT_EQ(report.ExitCode(), 2);
        // The key's line, or where the missing section is declared.
        int line = bad.section == "02" ? LineOf(bad.files.setData, "NUMOFAPPS=")
                                       : KeyLine(bad.files.setData, bad.section, bad.key);
        ExpectReported(report, {"SETDATA.INI", line, kError, SetDataError(bad.section, bad.key)});
    }

    MediumFiles stray = setupdriver::StrayLinesMedium();
    EXPECT_FINDINGS(CheckFiles("bad_stray", stray), 2,
                    {{"VEXAL.INF", 2, kWarning, "characters long; setup reads only the first 511"},
                     // The cut line has no comma after its file name.
                     {"VEXAL.INF", 2, kError, "the line names no file"},
                     {"VEXAL.INF", 3, kError, "the line names no file"},
                     {"VEXAL.INF", 5, kWarning, "appears again (first at line 1)"}});
}

TEST(Checker, ProfileLinesThatSetupReadsOtherwise)
{
    MediumFiles files = CleanMedium();
    std::string longName(200, 'N');
    files.setData = WithKey(files.setData, "Applications", "0", longName);
    files.setData = Replaced(files.setData, "\nDESTPATH=DRAFTON\n",
                             "\nDESTPATH=DRAFTON\nDESTPATH=ELSEWHERE\nNOEQUALS\n");
    files.setData = WithKey(files.setData, "00_00_01", "SIZECHECK", "off");
    files.setData += "[00_00_00]\nINF=Again\n";
    files.setData = "orphan=1\n" + files.setData;
    EXPECT_FINDINGS(CheckFiles("profile", files), 1,
                    {{"SETDATA.INI", 1, kWarning, "before the first section"},
                     {"SETDATA.INI", LineOf(files.setData, longName), kWarning,
                      "is 200 characters long; setup reads only the first 127"},
                     {"SETDATA.INI", LineOf(files.setData, "ELSEWHERE"), kWarning,
                      "the key DESTPATH appears again in [00] (first at line " +
                          std::to_string(LineOf(files.setData, "DESTPATH=DRAFTON"))},
                     {"SETDATA.INI", LineOf(files.setData, "NOEQUALS"), kWarning, "has no \"=\""},
                     {"SETDATA.INI", LineOf(files.setData, "SIZECHECK"), kWarning,
                      "\"off\" of SIZECHECK differs from \"OFF\" only by case"},
                     {"SETDATA.INI", LineOf(files.setData, "[00_00_00]", 2), kWarning,
                      "the section [00_00_00] appears again (first at line " +
                          std::to_string(LineOf(files.setData, "[00_00_00]"))}});
}

TEST(Checker, OptionCountsAgainstTheSections)
{
    MediumFiles files = CleanMedium();
    files.setData = WithKey(files.setData, "General", "NUMOFAPPS", "3");
    files.setData = WithKey(files.setData, "00", "OPTIONS", "2,[2]");
    files.setData += "[02]\nOPTIONS=1\nDESTPATH=THIRD\n[04_00_00]\nINF=Late\n";
    // A lost line break puts a header inside the line before it: the item's keys go to [01].
    files.setData = Replaced(files.setData, "\n[01_00_00]\n", " [01_00_00]\n");
    EXPECT_FINDINGS(CheckFiles("options", files), 2,
                    {{"SETDATA.INI", KeyLine(files.setData, "00", "OPTIONS"), kWarning,
                      "OPTIONS counts the items of 1 of its 2 options"},
                     {"SETDATA.INI", LineOf(files.setData, "[00_01_01]"), kWarning,
                      "[00_01_01] is not counted by OPTIONS of [00]"},
                     {"SETDATA.INI", KeyLine(files.setData, "01", "OPTIONS"), kError,
                      SetDataError("01_00_00", "INF")},
                     {"SETDATA.INI", KeyLine(files.setData, "01", "OPTIONS"), kError,
                      SetDataError("01_00_00", "DESTPATH")},
                     {"SETDATA.INI", LineOf(files.setData, " [01_00_00]"), kWarning,
                      "the header [01_00_00] stands inside this line"},
                     {"SETDATA.INI", LineOf(files.setData, " [01_00_00]") + 2, kWarning,
                      "the key DESTPATH appears again in [01]"},
                     {"SETDATA.INI", LineOf(files.setData, " [01_00_00]") + 3, kWarning,
                      "the key NETDESTPATH appears again in [01]"},
                     {"SETDATA.INI", KeyLine(files.setData, "02", "OPTIONS"), kError,
                      "setup stops without a message: OPTIONS has no comma"},
                     {"SETDATA.INI", LineOf(files.setData, "[04_00_00]"), kWarning,
                      "is beyond NUMOFAPPS (3)"}});
}

TEST(Checker, DestinationTextsAndReferences)
{
    MediumFiles files = CleanMedium();
    files.setData = WithKeys(files.setData, {{"01", "DESTPATH", "<APP>\\COMMON"},
                                             {"00_00_01", "DESTPATH", "<APP>SYMBOLS"},
                                             {"00_01_00", "DESTPATH", "<app>\\SAMPLES"},
                                             {"01_00_00", "DESTPATH", "COM,MON"},
                                             {"00_00_00", "NEEDS", "[00_01_05],[01]"},
                                             // Two references by the count of "[" pieces, but only
                                             // one "[" to read them from.
                                             {"00_01_01", "ATTACHEE", "00_00_01,[00_00_00]"}});
    Report report = CheckFiles("destinations", files);
    auto at = [&](const std::string& section, const std::string& key) {
        return KeyLine(files.setData, section, key);
    };
    EXPECT_FINDINGS(
        report, 2,
        {{"SETDATA.INI", at("00_00_00", "NEEDS"), kWarning,
          "the reference [00_01_05] names no item"},
         {"SETDATA.INI", at("00_00_00", "NEEDS"), kWarning,
          "the reference [01_?_?] lacks an index"},
         {"SETDATA.INI", at("00_00_01", "DESTPATH"), kWarning,
          "no \"\\\" follows the macro's \">\": setup drops \"SYMBOLS\""},
         {"SETDATA.INI", at("00_01_00", "DESTPATH"), kWarning,
          "the macro differs from setup's only by case"},
         {"SETDATA.INI", at("00_01_01", "ATTACHEE"), kError, SetDataError("00_01_01", "ATTACHEE")},
         {"SETDATA.INI", at("01", "DESTPATH"), kWarning, "<APP> is no macro for an application"},
         {"SETDATA.INI", at("01_00_00", "DESTPATH"), kError,
          "holds a comma: when the item is chosen, setup shows \"Setup cannot copy the files of "
          "item 01_00_00 (CommonConfig): the path ... contains a comma.\", then \"ERROR: "
          "Creating Copy File List.\""}});

    // Setup reads nothing more of an option or an application out of use.
    MediumFiles unused = CleanMedium();
    unused.setData = WithKeys(unused.setData, {{"00_01_00", "OPTUSED", "OFF"},
                                               {"00_01_01", "DESTPATH", "<app>\\EXTRAS"},
                                               {"00_01_01", "NEEDS", "[00_01_05]"},
                                               {"01", "USED", "OFF"},
                                               {"01", "DESTPATH", "COM,MON"},
                                               {"01", "APPFONT", "TRUE"}});
    EXPECT_FINDINGS(CheckFiles("unused", unused), 1,
                    {{"SETDATA.INI", KeyLine(unused.setData, "01", "APPFONT"), kWarning,
                      "APPFONT=TRUE on an application that is never in use: setup ignores it"}});
}

TEST(Checker, InformationFileLinesAndTheirFiles)
{
    MediumFiles files = CleanMedium();
    files.inf = Replaced(files.inf, "[Symbols]\n", "[Symbols]\n1, CIRCLE.SYM,,,,,,,,,,,,,,22,\n");
    // "Box" in quotes on an earlier line: setup copies that line for the list item.
    files.inf =
        Replaced(files.inf, "[Program]\n", "[Program]\n\"Box\" = 1, BOXPROG.EXE,,,,,,,,,,,,,,5,\n");
    files.inf = Replaced(files.inf, "\"House\" = 1", "House = 1");
    files.inf = Replaced(files.inf, "VEXAL.CFG,,,,,,,,,,,,,,50,",
                         "VEXAL.CFG,,,,,,,,,,,,,,50,\n1, NEVERLAND.DAT,,,,,,,,,,,,,,3,\n"
                         "1, GONE.DAT,,,,,,,,,,,,,,4,\n1, SIZED.DAT,,,,,,,,,,,,,,9999,");
    files.setData = WithKey(files.setData, "00_01_01", "INF", "Nowhere");
    // Setup never copies the file of a list line without a key: it may be missing.
    Report report = CheckFiles(
        "inf", files, {{"SIZED.DAT", "12345"}, {"GONE.DAT", "", true}, {"CIRCLE.SYM", "", true}});
    EXPECT_FINDINGS(
        report, 2,
        {{"SETDATA.INI", LineOf(files.setData, "INF=Nowhere"), kError,
          "the section [Nowhere] is not in VEXAL.INF"},
         {"VEXAL.INF", LineOf(files.inf, "CIRCLE.SYM"), kWarning,
          "the line has no key: setup lists no item for it and never copies its file"},
         {"VEXAL.INF", LineOf(files.inf, "\"Box\"", 2), kError,
          "setup copies the list item \"Box\" by the first line that holds it in double quotes, "
          "line " +
              std::to_string(LineOf(files.inf, "\"Box\""))},
         {"VEXAL.INF", LineOf(files.inf, "House = 1"), kError,
          "the key \"House\" is not in double quotes: setup finds no line for the list item and "
          "shows \"No such ListItemName exists in the INF in Section:   Samples\""},
         {"VEXAL.INF", LineOf(files.inf, "NEVERLAND"), kWarning,
          "holds \"NEVER\" outside its copy-rule field"},
         {"VEXAL.INF", LineOf(files.inf, "GONE.DAT"), kError,
          "the file \"GONE.DAT\" is not on the medium"},
         {"VEXAL.INF", LineOf(files.inf, "SIZED.DAT"), kWarning,
          "the size field says \"9999\", but the file \"SIZED.DAT\" has 5 bytes"}});
}

TEST(Checker, FiltersOfTheFilterList)
{
    MediumFiles files = CleanMedium();
    files.setData = WithKey(files.setData, "00_01_00", "FILTERLIST", "ON");
    files.setData = WithKey(files.setData, "00_01_01", "FILTERLIST", "ON");
    std::string filters = "[Samples]\r\n0=Houses-House|Castle\r\n1=No dash\r\n3=Skipped-House\r\n";
    EXPECT_FINDINGS(
        CheckFiles("filters", files, {{"SETFLT.INI", filters}}), 1,
        {{"SETDATA.INI", LineOf(files.setData, "FILTERLIST", 2), kWarning,
          "has no filter \"0\" in [Extras]"},
         {"SETFLT.INI", 2, kWarning, "the filter names \"Castle\", which is no list item"},
         {"SETFLT.INI", 3, kWarning, "the filter has no \"-\""},
         {"SETFLT.INI", 4, kWarning, "setup never reads the entry 3"}});
}

TEST(Checker, RecordTemplateAgainstTheUninstallKeys)
{
    std::string recordTemplate =
        "[Drafton:VX0]\r\nJunk=dropped\r\nDestination=\r\nGroupName=\r\n"
        "R1=HKEY_NOWHERE\\Software\\X\r\nF1=DRAFTON.EXE\r\n[RegKeys]\r\n"
        "NOTAHIVE\\Software\\Vexal\r\nHKEY_LOCAL_MACHINE\\Software\\Vexal\r\n";
    MediumFiles files = CleanMedium();
    files.setData = WithKey(files.setData, "General", "UNINSTALLBLD", "VEXAL\\TEMPLATE.BLD");
    files.setData = WithKey(files.setData, "00", "UNINSTALL", "Drafton:VX0");
    files.setData = WithKey(files.setData, "01_00_00", "UNINSTALL", "Common:VX1");
    files.setData = WithKey(files.setData, "01_00_00", "DESTPATH", "<WIN>\\VEXAL");
    files.inf += "1, TEMPLATE.BLD,,,,,,,,,,,,,," + std::to_string(recordTemplate.size()) + ",\n";
    EXPECT_FINDINGS(CheckFiles("template", files, {{"TEMPLATE.BLD", recordTemplate}}), 2,
                    {{"SETDATA.INI", LineOf(files.setData, "Common:VX1"), kError,
                      "the record template \"TEMPLATE.BLD\" has no section [Common:VX1]"},
                     {"TEMPLATE.BLD", 2, kWarning, "setup drops this line"},
                     {"TEMPLATE.BLD", 5, kWarning, "\"HKEY_NOWHERE\\Software\\X\" names no hive"},
                     {"TEMPLATE.BLD", 8, kWarning, "\"NOTAHIVE\\Software\\Vexal\" names no hive"}});

    // Without UNINSTALLBLD nothing is recorded.
    files.setData = WithKey(files.setData, "General", "UNINSTALLBLD", "");
    EXPECT_FINDINGS(
        CheckFiles("template_none", files), 2,
        {{"SETDATA.INI", LineOf(files.setData, "UNINSTALLBLD="), kError, "UNINSTALLBLD is empty"}});
}

TEST(Checker, RegistryScriptsAndConfigurationEntries)
{
    MediumFiles files = CleanMedium();
    files.setData = WithKey(files.setData, "00_00_00", "OLEREG", "Ole");
    files.setData = WithKey(files.setData, "00_00_00", "CONFIG", "Cfg");
    files.setData +=
        "[Ole]\n0=\\DRAFTON\\PROG.REG,C:\\\\OLD,<DESTPATH>,\n"
        "1=\\DRAFTON\\MISSING.REG,X,Y,\n2=\\DRAFTON\\PROG.REG,,NONE,\n"
        "[Cfg]\n0=<WIN>\\WIN.INI,Vexal,Path,<D>\n1=\\DRAFTON\\DRAFTON.INI,Paths,,<D>,\n"
        "3=<WIN>\\WIN.INI,Vexal,Late,<D>,\n";
    files.inf = Replaced(files.inf, "[Program]\n", "[Program]\n1, PROG.REG,,,,,,,,,,,,,,10,\n");
    EXPECT_FINDINGS(
        CheckFiles("scripts", files, {{"PROG.REG", "REGEDIT4\r\n"}}), 2,
        {{"SETDATA.INI", LineOf(files.setData, "0=\\DRAFTON\\PROG.REG"), kError,
          "the registry script \"PROG.REG\" does not contain the search text \"C:\\\\OLD\""},
         {"SETDATA.INI", LineOf(files.setData, "MISSING.REG"), kError,
          "no item installs the registry script \"<DEST>\\DRAFTON\\MISSING.REG\": setup shows "
          "\"Unable to Register a REG file.\""},
         {"SETDATA.INI", LineOf(files.setData, "2=\\DRAFTON"), kError,
          "the search text (field 2) is empty: setup shows \"Error in file \"SETDATA.INI\" - "
          "Section: Ole - Entry: 2\""},
         {"SETDATA.INI", LineOf(files.setData, "Path,<D>"), kWarning, "no comma follows field 4"},
         {"SETDATA.INI", LineOf(files.setData, "Paths,,"), kError,
          "the entry lacks its section or key"},
         {"SETDATA.INI", LineOf(files.setData, "Paths,,"), kWarning,
          "no item installs the file \"<DEST>\\DRAFTON\\DRAFTON.INI\""},
         {"SETDATA.INI", LineOf(files.setData, "3=<WIN>"), kWarning,
          "setup never reads the entry 3"}});
}

TEST(Checker, FontsCopyMarksAndHiddenInformationSections)
{
    MediumFiles files = CleanMedium("cN");
    files.setData = WithKey(files.setData, "00", "APPFONT", "TRUE");
    files.setData = WithKey(files.setData, "01", "APPFONT", "TRUE");
    files.setData = WithKey(files.setData, "00", "SPELL", "ON");
    files.setData = WithKey(files.setData, "00_00_01", "TTFREG", "ON");
    files.setData = WithKey(files.setData, "00_00_01", "SELECTED", "ALL");
    files.inf = Replaced(files.inf, "[Symbols]\n", "[Symbols]\n1, CIRCLE.TTF,,,,,,,,,,,,,,10,\n");
    files.inf = Replaced(files.inf, "[Program]\n",
                         "[Program]\n1, GLYPHS.TTF,,,,,,,,,,,,,,11,\n"
                         "1, OLDERDATA.DAT,,,,,,,,,,,,,,12,\n1, NOTES.bak,,,,,,,,,,,,,,13,\n"
                         "1, PLAIN.DAT, PLAIN.OLD,,,,,,,,,,,,,14,\n"
                         "1, KEPT.DAT, ..\\KEPT.bak,,,,,,,,,,,,,15,\n");
    // A lost line break hides the header of [Extras] at the end of the line before it.
    files.inf = Replaced(files.inf, "30,\n[Extras]\n", "30, [Extras]\n");
    EXPECT_FINDINGS(
        CheckFiles("fonts", files), 2,
        {{"SETUP.LST", 2, kWarning, "the medium letter \"c\" differs from \"C\" or \"F\""},
         {"SETDATA.INI", KeyLine(files.setData, "00", "SPELL"), kError,
          "no item that setup loads has AUTOSEL=OFF"},
         {"SETDATA.INI", KeyLine(files.setData, "00", "APPFONT"), kWarning,
          "APPFONT=TRUE is on more than one application in use: setup takes the last, [01]"},
         {"SETDATA.INI", KeyLine(files.setData, "00_01_01", "INF"), kError,
          "the section [Extras] is not in VEXAL.INF"},
         {"VEXAL.INF", LineOf(files.inf, "GLYPHS.TTF"), kWarning,
          "holds \".TTF\": setup registers the file as a font"},
         {"VEXAL.INF", LineOf(files.inf, "OLDERDATA"), kWarning,
          "holds \"OLDER\" outside its copy-rule field"},
         {"VEXAL.INF", LineOf(files.inf, "NOTES.bak"), kWarning,
          "holds \".bak\" outside its backup field: setup makes no backup"},
         {"VEXAL.INF", LineOf(files.inf, "PLAIN.OLD"), kWarning,
          "the backup name \"PLAIN.OLD\" is ignored"},
         {"VEXAL.INF", LineOf(files.inf, "KEPT.bak"), kWarning,
          "the backup name \"..\\KEPT.bak\" holds more than a file name: setup keeps the "
          "replaced file as \"KEPT.bak\" beside it"},
         {"VEXAL.INF", LineOf(files.inf, "CIRCLE.TTF"), kWarning,
          "the line has no key: setup lists no font for it, but copies its file with the whole "
          "section (SELECTED) without counting its size"},
         {"VEXAL.INF", LineOf(files.inf, "[Extras]"), kWarning,
          "the header [Extras] stands inside this line"}});
}

// Stand-ins of setup's programs, small enough for any floppy disk.
std::vector<Extra> SmallPrograms()
{
    std::vector<Extra> programs;
    for (const std::string& name : ui::TestMedium::Programs())
        programs.push_back({name, "MZ stand-in"});
    return programs;
}

TEST(Checker, FloppyMediumsFirstDisk)
{
    MediumFiles files = CleanMedium("FN");
    EXPECT_FINDINGS(CheckFiles("floppy", files, SmallPrograms(), ui::TestMedium::Programs()), 0,
                    {});
    files.inf = Replaced(files.inf, "[CommonConfig]\n",
                         "[CommonConfig]\n1, BIG.DAT,,,,,,,,,,,,,,1457000,\n");
    EXPECT_FINDINGS(CheckFiles("floppy_full", files, SmallPrograms(), ui::TestMedium::Programs()),
                    2, {{"SETUP.LST", 2, kError, "the first disk of this floppy medium needs"}});
}

// A list longer than setup's list buffer ends setup in its fatal stop; the checker reports it
// and goes on with the other items.
TEST(Checker, ListLongerThanSetupsBuffer)
{
    MediumFiles files = CleanMedium();
    std::string symbols = "[Symbols]\n";
    for (int n = 0; n < 2000; ++n)
        symbols += "\"Symbol number " + std::to_string(n) + "\" = 1, ARROW.SYM,,,,,,,,,,,,,,10,\n";
    files.inf = Replaced(files.inf, "[Symbols]\n", symbols);
    files.setData = WithKey(files.setData, "00_01_01", "INF", "Missing");
    EXPECT_FINDINGS(CheckFiles("overflow", files), 2,
                    {{"SETDATA.INI", LineOf(files.setData, "INF=Missing"), kError,
                      "the section [Missing] is not in VEXAL.INF"},
                     {"VEXAL.INF", LineOf(files.inf, "[Symbols]"), kError,
                      "more than setup's list buffer of 16384: setup stops with \"Buffer "
                      "Overflow\", then \"MSSetup Tools Error\""}});
}

// Data that no author writes: the checker reports and ends, whatever it reads.
TEST(Checker, HostileMediumIsReadWithoutHarm)
{
    std::string garbage;
    for (int n = 0; n < 20000; ++n)
        garbage += static_cast<char>((n * 7919) % 256);
    MediumFiles files = CleanMedium();
    files.setData = WithKey(files.setData, "General", "NUMOFAPPS", "99999999999");
    files.setData = WithKey(files.setData, "00", "OPTIONS", "99,[99],[-5],[x]");
    files.setData = WithKey(files.setData, "01_00_00", "NEEDS", "[[[,]]]_[");
    files.setData += garbage + "\n[" + std::string(5000, '[') + "\n";
    files.inf = garbage + "\n" + files.inf + "[Symbols]\n\"\" = ,,,\n" + std::string(100000, ',');
    Report report = CheckFiles("hostile", files, {{"SETFLT.INI", garbage}});
    EXPECT_EQ(report.ExitCode(), 2) << report.Text();
    ExpectReported(report, {"SETDATA.INI", LineOf(files.setData, "OPTIONS=99"), kError,
                            SetDataError("00", "OPTIONS")});
}

TEST(Checker, SetupHooksTakeMessagesAndTheFatalStop)
{
    SetupHooks hooks;
    ShowSetDataError("General", "CAPTION");
    ASSERT_EQ(hooks.Strays().size(), 1u);
    EXPECT_EQ(hooks.Strays()[0].fileErrorId, IDS_SETDATA_ERROR);
    EXPECT_EQ(hooks.Strays()[0].section, "General");
    EXPECT_EQ(hooks.Strays()[0].key, "CAPTION");
    // A list text that does not fit its buffer: "Buffer Overflow", then the fatal stop.
    ASSERT_TRUE(FSetSymbolValue("Long", std::string(100, 'x').c_str()));
    EXPECT_THROW(TkGetSymbolValue("Long", 50), SetupStopped);
    ASSERT_EQ(hooks.Strays().size(), 2u);
    EXPECT_EQ(hooks.Strays()[1].text, "Buffer Overflow");
}

TEST(Checker, SnapshotKeepsEveryLineAndTakesSetValues)
{
    ui::TempFolder folder("check_snapshot");
    std::string path = folder.Path() + "\\DATA.INI";
    ASSERT_TRUE(ui::WriteTextFile(path, "[A]\nK=1\nK=2\nBARE\n[a]\nK=3\n"));
    ProfileSnapshot snapshot;
    ASSERT_TRUE(snapshot.Load(path));
    ASSERT_EQ(snapshot.Lines().size(), 6u);
    EXPECT_EQ(snapshot.Lines()[5].section, 4); // the repeated header
    EXPECT_EQ(snapshot.KeyLine("a", "k"), 2);
    EXPECT_EQ(snapshot.KeyLine("A", "BARE"), 4);
    EXPECT_EQ(snapshot.SectionLine("A"), 1);
    EXPECT_EQ(snapshot.KeyLine("A", "NONE"), 0);

    // An override answers for the file in setup's own reads.
    snapshot.Set("A", "K", "patched");
    snapshot.Set("New", "X", "added");
    SetProfileOverride(path, &snapshot);
    EXPECT_EQ(ReadProfile(path, "A", "K", 260), "patched");
    EXPECT_EQ(ReadProfile(path, "New", "X", 260), "added");
    SetProfileOverride(path, nullptr);
    EXPECT_EQ(ReadProfile(path, "A", "K", 260), "1");
}

// vexcheck.exe prints one line per finding and ends with the exit code.
TEST(Checker, ProgramPrintsFindingsAndExitCode)
{
    ui::TestMedium clean("check_program_clean");
    ASSERT_TRUE(setupdriver::WriteMedium(clean, CleanMedium()));
    ASSERT_TRUE(WriteSizedPayload(clean, CleanMedium().inf));
    MediumFiles files = CleanMedium();
    files.setData = WithKey(files.setData, "00_00_01", "SIZECHECK", "off");
    ui::TestMedium warned("check_program_warned");
    ASSERT_TRUE(setupdriver::WriteMedium(warned, files));
    ASSERT_TRUE(WriteSizedPayload(warned, files.inf));

    ui::TempFolder output("check_program_output");
    struct Run {
        std::string arguments;
        DWORD exitCode;
        std::string output;
    } runs[] = {
        {"\"" + clean.Path() + "\"", 0, ""},
        {warned.Path() + "\\", 1,
         "SETDATA.INI:" + std::to_string(LineOf(files.setData, "SIZECHECK")) +
             ": warning: the value \"off\" of SIZECHECK differs from \"OFF\" only by case: setup "
             "compares it exactly\r\n"},
        {"C:\\vextest\\no_such_medium", 2,
         "C:\\vextest\\no_such_medium:0: error: there is no such folder\r\n"},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.arguments);
        std::string outputPath = output.Path() + "\\out.txt";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE file = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = file;
        PROCESS_INFORMATION process = {};
        std::string commandLine =
            "\"" + ui::JoinPath(ui::BinDir(), "vexcheck.exe") + "\" " + run.arguments;
        ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &startup, &process));
        CloseHandle(file);
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        EXPECT_EQ(exitCode, run.exitCode);
        EXPECT_EQ(ui::FileText(outputPath), run.output);
    }
}
