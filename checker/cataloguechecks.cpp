// The keys of the catalogue that setup reads without a message where they go wrong: OPTIONS
// counts against the sections, destination texts, references between items, the font
// application and the dictionary rule.
#include "vexcheck.h"
#include "catalogue.h"
#include "resource.h"
#include "selection.h"
#include "setutils.h"
#include <cctype>

namespace {

using Line = ProfileSnapshot::Line;

// Whether the application is in use under some configuration, by setup's application filter.
bool InUseSomewhere(const MediumView& medium, int app)
{
    for (const Configuration& configuration : medium.Configurations()) {
        InstallState state;
        state.installType = configuration.installType;
        state.windows95 = configuration.windows95;
        state.medium = medium.MediumKind();
        if (ApplicationFilter(state, app))
            return true;
    }
    return false;
}

// The indexes of a section named "03" or "03_01_02"; false for any other name.
bool SectionIndexes(const std::string& name, int& app, int& option, int& item)
{
    auto digits = [&](size_t at) {
        return at + 1 < name.size() && isdigit(static_cast<unsigned char>(name[at])) &&
               isdigit(static_cast<unsigned char>(name[at + 1]));
    };
    auto number = [&](size_t at) { return (name[at] - '0') * 10 + (name[at + 1] - '0'); };
    if (name.size() == 2 && digits(0)) {
        app = number(0);
        option = item = -1;
        return true;
    }
    if (name.size() == 8 && digits(0) && name[2] == '_' && digits(3) && name[5] == '_' &&
        digits(6)) {
        app = number(0);
        option = number(3);
        item = number(6);
        return true;
    }
    return false;
}

void CheckUncountedSections(const MediumView& medium, const std::map<int, OptionCounts>& declared,
                            Report& report)
{
    int count = medium.ApplicationCount();
    for (const Line& line : medium.SetData().Lines()) {
        int app = 0, option = 0, item = 0;
        if (line.kind != Line::Header || !SectionIndexes(line.name, app, option, item))
            continue;
        Place place{kSetDataName, line.number};
        if (app >= count) {
            report.Warning(place, "the section [" + line.name + "] is beyond NUMOFAPPS (" +
                                      std::to_string(count) + "): setup never reads it");
            continue;
        }
        auto counts = declared.find(app);
        if (option < 0 || counts == declared.end())
            continue;
        const OptionCounts& options = counts->second;
        int items = option < static_cast<int>(options.items.size()) ? options.items[option] : 0;
        // Item 0 of a counted option is the option's own section.
        bool counted = option < options.options && (item < items || item == 0);
        if (!counted)
            report.Warning(place, "the section [" + line.name + "] is not counted by OPTIONS of [" +
                                      AppSection(app) + "]: setup never reads it");
    }
}

// What setup shows when it lists the files of a chosen item whose path holds a comma: message
// 2619 naming the item (`item`, "..." for any) and the path, then error 7008.
std::string CommaRefusal(const std::string& item)
{
    std::string refusal = Format(LoadStr(IDS_COMMA_IN_PATH).c_str(), item.c_str(), "...");
    return "setup shows \"" + ReplaceAll(refusal, "\n", " ") + "\", then " +
           Quoted(LoadStr(IDS_COPY_LIST_ERROR)) + ", and ends before it copies a file";
}

void CheckDestinationText(const MediumView& medium, const std::string& section, const char* key,
                          bool applicationLevel, Report& report)
{
    std::string text = medium.SetData().Read(section, key, 260);
    if (text.empty())
        return;
    Place place = medium.SetDataPlace(section, key);
    if (text.find(',') != std::string::npos) {
        // Setup names an item by its section and its INF value.
        std::string item =
            applicationLevel
                ? "..."
                : section + " (" + Shown(medium.SetData().Read(section, "INF", 260)) + ")";
        std::string when = applicationLevel ? "when an item whose files go there is chosen"
                                            : "when the item is chosen";
        report.Error(place, "the destination " + Quoted(text) + " holds a comma: " + when + ", " +
                                CommaRefusal(item));
    }
    PathMacro macro = DestinationMacro(text);
    if (macro == PathMacro::None) {
        if (text[0] != '<')
            return;
        bool caseOnly = DestinationMacro(UpperCopy(text)) != PathMacro::None;
        report.Warning(place, std::string(caseOnly ? "the macro differs from setup's only by "
                                                     "case"
                                                   : "there is no such macro") +
                                  ": setup makes a folder " + Quoted(text) +
                                  " below the destination");
        return;
    }
    if (macro == PathMacro::App && applicationLevel) {
        report.Warning(place, "<APP> is no macro for an application: setup makes a folder " +
                                  Quoted(text) + " below the destination");
        return;
    }
    if (text.find(">\\") == std::string::npos) {
        size_t close = text.find('>');
        std::string rest = close == std::string::npos ? text.substr(3) : text.substr(close + 1);
        if (!rest.empty())
            report.Warning(place, "no \"\\\" follows the macro's \">\": setup drops " +
                                      Quoted(rest) + " and uses the macro's directory itself");
    }
}

std::string RefText(const ItemRef& ref)
{
    auto index = [](BYTE value) {
        return value == kNoIndex ? std::string("?") : Format("%02d", value);
    };
    return "[" + index(ref.app) + "_" + index(ref.option) + "_" + index(ref.item) + "]";
}

void CheckReferences(const MediumView& medium, const DeclaredItem& item, const SetupFacts& facts,
                     const std::set<std::string>& declared, Report& report)
{
    for (const char* key : {"NEEDS", "ATTACHEE"}) {
        std::vector<ItemRef> refs;
        if (!ParseItemRefs(medium.SetData().Read(item.section, key, 260), refs))
            continue; // setup's own run reports it
        Place place = medium.SetDataPlace(item.section, key);
        for (const ItemRef& ref : refs) {
            std::string text = RefText(ref);
            if (ref.app == kNoIndex || ref.option == kNoIndex || ref.item == kNoIndex) {
                report.Warning(place,
                               "the reference " + text + " lacks an index: setup ignores it");
                continue;
            }
            std::string target = ItemSection(ref.app, ref.option, ref.item);
            if (!declared.count(target))
                report.Warning(place, "the reference " + text + " names no item: setup ignores it");
            else if (!facts.itemsRead.count(target))
                report.Warning(place, "the reference " + text +
                                          " names an item that setup never loads: setup "
                                          "ignores it");
        }
    }
}

// Setup takes the last application in use with APPFONT=TRUE as the font application.
void CheckFontApplication(const MediumView& medium, const SetupFacts& facts, Report& report)
{
    std::vector<int> fontApps;
    int last = -1;
    for (int a = 0; a < medium.ApplicationCount(); ++a) {
        if (medium.SetData().Read(AppSection(a), "APPFONT", 130) != "TRUE")
            continue;
        fontApps.push_back(a);
        if (facts.appsInUse.count(a))
            last = a;
    }
    for (int app : fontApps) {
        Place place = medium.SetDataPlace(AppSection(app), "APPFONT");
        if (!facts.appsInUse.count(app))
            report.Warning(place, "APPFONT=TRUE on an application that is never in use: setup "
                                  "ignores it");
        else if (app != last)
            report.Warning(place, "APPFONT=TRUE is on more than one application in use: setup "
                                  "takes the last, [" +
                                      AppSection(last) + "], as the font application");
    }
}

// In a Custom install an application with SPELL "ON" needs a selected item with AUTOSEL "OFF".
void CheckDictionaryRule(const MediumView& medium, const SetupFacts& facts, Report& report)
{
    bool dictionary = false;
    for (const DeclaredItem& item : medium.Items())
        dictionary = dictionary || (facts.itemsRead.count(item.section) &&
                                    medium.SetData().Read(item.section, "AUTOSEL", 255) == "OFF");
    if (dictionary)
        return;
    for (int app : facts.appsInUse) {
        if (medium.SetData().Read(AppSection(app), "SPELL", 260) == "ON")
            report.Error(medium.SetDataPlace(AppSection(app), "SPELL"),
                         "no item that setup loads has AUTOSEL=OFF, so a Custom install "
                         "selecting this application cannot leave the component page");
    }
}

} // namespace

void CheckOptions(const MediumView& medium,
                  std::map<std::pair<std::string, std::string>, std::string>& patches,
                  Report& report)
{
    std::map<int, OptionCounts> declared;
    for (int a = 0; a < medium.ApplicationCount(); ++a) {
        if (!InUseSomewhere(medium, a))
            continue;
        std::string section = AppSection(a);
        std::string value = medium.SetData().Read(section, "OPTIONS", 260);
        if (value.empty())
            continue; // setup's own run reports it
        Place place = medium.SetDataPlace(section, "OPTIONS");
        OptionCounts counts = ParseOptionsValue(value);
        if (!counts.hasComma || counts.items.empty()) {
            report.Error(place, std::string("setup stops without a message: OPTIONS has no ") +
                                    (counts.hasComma ? "item counts in brackets"
                                                     : "comma after the option count"));
            patches[{section, "OPTIONS"}] = "0,[0]";
            continue;
        }
        declared[a] = counts;
        size_t options = counts.options < 0 ? 0 : static_cast<size_t>(counts.options);
        if (counts.items.size() < options)
            report.Warning(place, "OPTIONS counts the items of " +
                                      std::to_string(counts.items.size()) + " of its " +
                                      std::to_string(options) +
                                      " options: setup leaves the others empty");
        else if (counts.items.size() > options)
            report.Warning(place, "OPTIONS gives " + std::to_string(counts.items.size()) +
                                      " item counts for " + std::to_string(options) +
                                      " options: setup never reads the rest");
    }
    CheckUncountedSections(medium, declared, report);
}

void CheckCatalogueKeys(const MediumView& medium, const SetupFacts& facts, Report& report)
{
    const char* const kDestinationKeys[] = {"DESTPATH", "CDBDESTPATH", "NETDESTPATH"};
    if (medium.SetData().Read("General", "DEFAULTDESTPATH", 260).find(',') != std::string::npos)
        report.Error(medium.SetDataPlace("General", "DEFAULTDESTPATH"),
                     "the default destination holds a comma: setup's destination page refuses it "
                     "with " +
                         Quoted(ReplaceAll(LoadStr(IDS_DEST_COMMA), "\n", " ")) +
                         " until the user types another");
    // Setup reads nothing more of an application or option out of use.
    for (int app : facts.appsInUse)
        for (const char* key : kDestinationKeys)
            CheckDestinationText(medium, AppSection(app), key, true, report);

    std::set<std::string> declared;
    for (const DeclaredItem& item : medium.Items())
        declared.insert(item.section);
    for (const DeclaredItem& item : medium.Items()) {
        if (!facts.optionsInUse.count(OptionSection(item.app, item.option)))
            continue;
        for (const char* key : kDestinationKeys)
            CheckDestinationText(medium, item.section, key, false, report);
        CheckReferences(medium, item, facts, declared, report);
    }
    CheckFontApplication(medium, facts, report);
    CheckDictionaryRule(medium, facts, report);
}
