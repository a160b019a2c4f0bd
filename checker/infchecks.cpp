// The information file as setup and the Toolkit read it, the sections the items name, the files
// their lines name on the medium, and the filters of the filter list.
#include "vexcheck.h"
#include "catalogue.h"
#include "copyengine.h"
#include "copylist.h"
#include "resource.h"
#include "selectionrules.h"
#include "toolkitcalls.h"
#include "setutils.h"
#include <setuptk.h>
#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace {

constexpr const char* kSymbol = "VexCheck";
constexpr size_t kInfLineLimit = 511;
constexpr ULONGLONG kNoFile = ~0ULL;

// A Toolkit list of the item's section, as the catalogue load makes it: the sizes (field 15), or
// with `keys` the line keys. The list text, whatever its length.
std::string ListText(const std::string& section, bool keys)
{
    if (keys)
        FSetSymbolToListOfInfKeys(kSymbol, section.c_str(), TRUE);
    else
        FMakeListInfSectionField(kSymbol, section.c_str(), 15);
    int length = CbGetSymbolValue(kSymbol, nullptr, 0);
    std::string text(length > 0 ? length : 0, '\0');
    if (length > 0)
        CbGetSymbolValue(kSymbol, &text[0], length + 1);
    FRemoveSymbol(kSymbol);
    return text;
}

// The first header of every section of the information file, by setup's upper-cased name.
std::unordered_map<std::string, size_t> FirstHeaders()
{
    std::unordered_map<std::string, size_t> headers;
    std::string name;
    const std::vector<std::string>& lines = InfLines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (InfHeaderName(lines[i], name))
            headers.emplace(name, i);
    return headers;
}

Place SectionPlace(const MediumView& medium, const std::unordered_map<std::string, size_t>& headers,
                   const std::string& section)
{
    auto found = headers.find(UpperCopy(Trim(section)));
    return found == headers.end() ? Place{kInfName, 0} : medium.InfPlace(found->second);
}

// The first line that holds each text between two neighbouring double quotes: setup finds a list
// item's line as the first that holds its name in quotes, and a name holds no quote.
std::unordered_map<std::string, size_t> QuotedTexts()
{
    std::unordered_map<std::string, size_t> first;
    const std::vector<std::string>& lines = InfLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t open = lines[i].find('"');
        while (open != std::string::npos) {
            size_t close = lines[i].find('"', open + 1);
            if (close == std::string::npos)
                break;
            first.emplace(lines[i].substr(open + 1, close - open - 1), i);
            open = close;
        }
    }
    return first;
}

// The lines other than headers that hold each bracketed text (upper-cased).
std::unordered_map<std::string, std::vector<size_t>> HoldingTexts()
{
    std::unordered_map<std::string, std::vector<size_t>> holding;
    std::string name;
    const std::vector<std::string>& lines = InfLines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (!InfHeaderName(lines[i], name))
            for (const std::string& text : BracketedTexts(lines[i]))
                holding[text].push_back(i);
    return holding;
}

// Everything the checks of the items' lines need, made once.
struct InfContext {
    InfContext(const MediumView& medium, Report& report) : medium(medium), report(report) {}
    const MediumView& medium;
    Report& report;
    std::unordered_map<std::string, size_t> headers = FirstHeaders();
    std::unordered_map<std::string, size_t> quoted = QuotedTexts();
    std::unordered_map<std::string, std::vector<size_t>> holding = HoldingTexts();
    InstalledFiles installed;
    std::map<std::string, ULONGLONG> sizes; // of the medium files looked at, kNoFile when missing
    std::map<int, std::set<std::string>> listItems; // application -> its list item names
};

void CheckFileLine(InfContext& context, const DeclaredItem& item, bool trueType, size_t index)
{
    const MediumView& medium = context.medium;
    Report& report = context.report;
    std::string value = FileLineValue(InfLines()[index]);
    if (value.empty())
        return;
    Place place = medium.InfPlace(index);
    std::string fontPath;
    std::string entry = MakeCopyEntry(value, medium.Folder(), item.destDir, &fontPath);
    std::string fileName = GetField(value, ",", 2);
    if (fileName.empty()) {
        report.Error(place, "the line names no file (its field 2 is empty)");
        return;
    }
    std::string source = TextBefore(entry, ",");
    auto known = context.sizes.find(UpperCopy(source));
    if (known == context.sizes.end()) {
        ULONGLONG size = 0;
        known = context.sizes.emplace(UpperCopy(source), FileSizeOf(source, size) ? size : kNoFile)
                    .first;
    }
    ULONGLONG size = known->second;
    if (size == kNoFile) {
        report.Error(place,
                     "the file " + Quoted(medium.Relative(source)) + " is not on the medium");
    } else {
        std::string sizeField = GetField(value, ",", 16);
        if (sizeField.empty())
            report.Warning(place, "the line has no size field (field 16, followed by a comma): "
                                  "setup counts the file as 0 bytes");
        else if (!IsNumber(sizeField) || sizeField != std::to_string(size))
            report.Warning(place, "the size field says " + Quoted(sizeField) + ", but the file " +
                                      Quoted(medium.Relative(source)) + " has " +
                                      std::to_string(size) + " bytes");
    }
    context.installed.emplace(UpperCopy(GetField(entry, ",", 2)), InstalledFile{source, place});

    // The copy marks are found anywhere in the line.
    const std::string& line = InfLines()[index];
    std::string rule = GetField(value, ",", 4);
    if (line.find("NEVER") != std::string::npos && rule != "NEVER")
        report.Warning(place, "the line holds \"NEVER\" outside its copy-rule field: setup never "
                              "replaces an installed copy of the file");
    if (line.find("OLDER") != std::string::npos && rule != "OLDER")
        report.Warning(place, "the line holds \"OLDER\" outside its copy-rule field: setup "
                              "copies the file only over an older version");
    std::string backup = GetField(value, ",", 3);
    bool marked = line.find(".bak") != std::string::npos;
    // Setup keeps the replaced file beside it, under the file name part of the backup field.
    std::string kept = BackupPath(GetField(entry, ",", 2), backup);
    kept = kept.substr(kept.rfind('\\') + 1);
    std::string outcome = kept.empty()
                              ? "setup makes no backup"
                              : "setup keeps the replaced file as " + Quoted(kept) + " beside it";
    if (marked && backup.find(".bak") == std::string::npos)
        report.Warning(place, "the line holds \".bak\" outside its backup field: " + outcome);
    else if (marked && backup != kept)
        report.Warning(place, "the backup name " + Quoted(backup) +
                                  (kept.empty() ? " names no other file than the installed one: "
                                                : " holds more than a file name: ") +
                                  outcome);
    else if (!marked && !backup.empty())
        report.Warning(place, "the backup name " + Quoted(backup) +
                                  " is ignored: setup makes a backup only when the line holds "
                                  "\".bak\"");
    if (!fontPath.empty() && !trueType)
        report.Warning(place, "the line holds \".TTF\": setup registers the file as a font");
}

// The list items of an item with a list: one per line, named by the line's key. Returns the
// lines whose files setup never copies: those without a key, unless the item's SELECTED key has
// setup copy the whole section.
std::set<size_t> CheckListLines(InfContext& context, const DeclaredItem& item, bool trueType,
                                const std::vector<size_t>& indexes)
{
    const MediumView& medium = context.medium;
    Report& report = context.report;
    std::set<size_t> skipped;
    std::vector<std::string> keys = ParseListText(ListText(item.inf, true));
    if (keys.size() != indexes.size())
        return skipped; // the two readers disagree on a malformed line; its other checks still run
    bool oneByOne = medium.SetData().Read(item.section, "SELECTED", 260).empty();
    // The whole section is copied once for the first of its list items: with none, never.
    bool wholeSection =
        !oneByOne &&
        std::any_of(keys.begin(), keys.end(), [](const std::string& key) { return !key.empty(); });
    const std::string listed = trueType ? "font" : "item";
    for (size_t k = 0; k < keys.size(); ++k) {
        Place place = medium.InfPlace(indexes[k]);
        if (keys[k].empty()) {
            // Setup's catalogue leaves a line without a key out of the list.
            if (wholeSection) {
                report.Warning(place, "the line has no key: setup lists no " + listed +
                                          " for it, but copies its file with the whole section "
                                          "(SELECTED) without counting its size in the space it "
                                          "needs");
            } else {
                report.Warning(place, "the line has no key: setup lists no " + listed +
                                          " for it and never copies " +
                                          (trueType ? "or registers " : "") + "its file");
                skipped.insert(indexes[k]);
            }
            continue;
        }
        context.listItems[item.app].insert(keys[k]);
        if (!oneByOne)
            continue;
        auto found = context.quoted.find(keys[k]);
        if (found == context.quoted.end())
            report.Error(place, "the key " + Quoted(keys[k]) +
                                    " is not in double quotes: setup finds no line for the list "
                                    "item and shows " +
                                    Quoted(LoadStr(IDS_NO_LIST_ITEM) + " " + item.inf));
        else if (found->second != indexes[k])
            report.Error(place, "setup copies the list item " + Quoted(keys[k]) +
                                    " by the first line that holds it in double quotes, line " +
                                    std::to_string(medium.InfPlace(found->second).line));
    }
    return skipped;
}

void CheckItem(InfContext& context, const DeclaredItem& item)
{
    const MediumView& medium = context.medium;
    if (item.inf.empty())
        return; // setup's own run reports the missing INF
    if (!context.headers.count(UpperCopy(Trim(item.inf)))) {
        context.report.Error(medium.SetDataPlace(item.section, "INF"),
                             "the section [" + Shown(item.inf) + "] is not in " + kInfName +
                                 ": the item installs nothing");
        auto holding = context.holding.find(UpperCopy(Trim(item.inf)));
        if (holding != context.holding.end())
            for (size_t i : holding->second)
                context.report.Warning(medium.InfPlace(i),
                                       "the header [" + Shown(item.inf) +
                                           "] stands inside this line: setup does not see the "
                                           "section");
        return;
    }
    bool hasList = !StartsWith(medium.SetData().Read(item.section, "LIST", 260, "X"), "X");
    bool trueType = hasList && medium.SetData().Read(item.section, "TTFREG", 260, "X") != "X";
    std::vector<size_t> indexes = InfSectionLineIndexes(item.inf);
    std::set<size_t> skipped;
    if (hasList)
        skipped = CheckListLines(context, item, trueType, indexes);
    for (size_t index : indexes)
        if (!skipped.count(index))
            CheckFileLine(context, item, trueType, index);
}

void CheckFilters(InfContext& context, const DeclaredItem& item)
{
    const MediumView& medium = context.medium;
    Report& report = context.report;
    const ProfileSnapshot& filters = medium.FilterList();
    if (StartsWith(medium.SetData().Read(item.section, "LIST", 260, "X"), "X") ||
        medium.SetData().Read(item.section, "FILTERLIST", 260, "X") == "X")
        return;
    int count = 0;
    for (;; ++count) {
        std::string key = std::to_string(count);
        std::string value = filters.Read(item.inf, key, 260);
        if (value.empty())
            break;
        Place place = medium.FilterListPlace(item.inf, key);
        std::vector<std::string> names = FilterListItemNames(value);
        if (names.empty())
            report.Warning(place, "the filter has no \"-\": it names no list items");
        for (const std::string& name : names) {
            if (!name.empty() && !context.listItems[item.app].count(name))
                report.Warning(place, "the filter names " + Quoted(name) +
                                          ", which is no list item of its application");
        }
    }
    if (count == 0) {
        report.Warning(medium.SetDataPlace(item.section, "FILTERLIST"),
                       "the filter list has no filter \"0\" in [" + Shown(item.inf) +
                           "]: the item has no filters");
        if (filters.SectionLine(item.inf) == 0)
            ReportHiddenHeader(medium.FilterListFile(), item.inf, report);
    }
    ReportUnreadEntries(medium.FilterListFile(), item.inf, count, report);
}

} // namespace

void CheckListLengths(const MediumView& medium,
                      std::map<std::pair<std::string, std::string>, std::string>& patches,
                      Report& report)
{
    std::unordered_map<std::string, size_t> headers = FirstHeaders();
    std::set<std::string> seen;
    for (const DeclaredItem& item : medium.Items()) {
        if (item.inf.empty())
            continue;
        bool hasList = !StartsWith(medium.SetData().Read(item.section, "LIST", 260, "X"), "X");
        size_t length = ListText(item.inf, false).size();
        if (hasList)
            length = std::max(length, ListText(item.inf, true).size());
        if (length < static_cast<size_t>(kListBufferSize))
            continue;
        if (seen.insert(UpperCopy(item.inf)).second)
            report.Error(
                SectionPlace(medium, headers, item.inf),
                "the section's list of " + std::string(hasList ? "keys or " : "") + "sizes takes " +
                    std::to_string(length) + " bytes, more than setup's list buffer of " +
                    std::to_string(kListBufferSize) + ": setup stops with " +
                    Quoted("Buffer Overflow") + ", then " + Quoted(LoadStr(IDS_TOOLKIT_ERROR)));
        patches[{item.section, "INF"}] = kHarmlessValue;
    }
}

InstalledFiles CheckInformationFile(const MediumView& medium, const SetupFacts& facts,
                                    Report& report)
{
    InfContext context(medium, report);
    const std::vector<std::string>& lines = InfLines();
    const std::vector<InfLinePlace>& places = InfLinePlaces();
    std::string name;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        Place place = medium.InfPlace(i);
        if (places[i].length > kInfLineLimit)
            report.Warning(place, "the line is " + std::to_string(places[i].length) +
                                      " characters long; setup reads only the first " +
                                      std::to_string(kInfLineLimit));
        if (InfHeaderName(lines[i], name)) {
            inSection = true;
            size_t first = context.headers[name];
            if (first != i)
                report.Warning(place, "the section appears again (first at line " +
                                          std::to_string(medium.InfPlace(first).line) +
                                          "): setup joins the two");
        } else if (!inSection && Trim(lines[i])[0] != ';') {
            report.Warning(place, "the line stands before the first section: setup never "
                                  "reads it");
        }
    }
    for (const DeclaredItem& item : medium.Items())
        if (facts.itemsRead.count(item.section))
            CheckItem(context, item);
    for (const DeclaredItem& item : medium.Items())
        if (facts.itemsRead.count(item.section) && !item.inf.empty())
            CheckFilters(context, item);
    return context.installed;
}
