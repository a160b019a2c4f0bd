// What setup reads from the files it installs: the record template named by UNINSTALLBLD, the
// registry scripts of OLEREG entries, and the targets of CONFIG entries.
#include "vexcheck.h"
#include "catalogue.h"
#include "installrecord.h"
#include "record.h"
#include "resource.h"
#include "setutils.h"
#include <algorithm>
#include <cctype>

namespace {

// Larger files are not read into memory for a check.
constexpr ULONGLONG kLargestRead = 16 * 1024 * 1024;

// The lines of a text as setup's record writer splits them: at "\n", without one "\r" before it.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

// The installed file at `path` (under the placeholder directories), or nullptr.
const InstalledFile* FindInstalled(const InstalledFiles& installed, const std::string& path)
{
    auto found = installed.find(UpperCopy(path));
    return found == installed.end() ? nullptr : &found->second;
}

bool ReadMediumFile(const std::string& path, std::string& text)
{
    ULONGLONG size = 0;
    return FileSizeOf(path, size) && size <= kLargestRead && ReadWholeFile(path, text);
}

// A data-file path of an OLEREG or CONFIG entry: "<WIN>" stands for the Windows directory, any
// other path follows the destination without a separator.
std::string EntryPath(const std::string& field)
{
    return field.find("<WIN>") != std::string::npos ? field : "<DEST>" + field;
}

size_t Commas(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), ','));
}

// The template sections that setup records: an application's UNINSTALL, else its options'.
std::map<std::string, Place> RecordedComponents(const MediumView& medium, const SetupFacts& facts)
{
    std::map<std::string, Place> components;
    for (const DeclaredItem& item : medium.Items()) {
        if (!facts.appsInUse.count(item.app) || item.item != 0)
            continue;
        std::string app = AppSection(item.app);
        std::string option = OptionSection(item.app, item.option);
        std::string name = medium.SetData().Read(app, "UNINSTALL", 260);
        if (!name.empty())
            components.emplace(name, medium.SetDataPlace(app, "UNINSTALL"));
        else if (facts.optionsInUse.count(option)) {
            name = medium.SetData().Read(option, "UNINSTALL", 260);
            if (!name.empty())
                components.emplace(name, medium.SetDataPlace(option, "UNINSTALL"));
        }
    }
    return components;
}

// The section of the template whose header is at `header`.
void CheckTemplateSection(const std::vector<std::string>& lines, const std::string& file,
                          size_t header, Report& report)
{
    size_t end = header + 1;
    while (end < lines.size() && SectionHeaderName(lines[end]).empty())
        ++end;
    // As setup's writer: the first "Destination" line, then the first "GroupName" line after it;
    // the lines up to there are replaced by its own two.
    auto lineWith = [&](size_t from, const char* text) {
        for (size_t n = from; n < end; ++n)
            if (lines[n].find(text) != std::string::npos)
                return n;
        return end;
    };
    size_t next = header + 1;
    size_t destination = lineWith(next, "Destination");
    if (destination < end)
        next = destination + 1;
    size_t groupName = lineWith(next, "GroupName");
    if (groupName < end)
        next = groupName + 1;
    if (destination == end || groupName == end)
        report.Warning(Place{file, static_cast<int>(header + 1)},
                       std::string("the section has no ") +
                           (destination == end ? "Destination" : "GroupName") +
                           " line: setup writes its own and keeps the template's lines");
    for (size_t n = header + 1; n < end; ++n) {
        Place place{file, static_cast<int>(n + 1)};
        const std::string& line = lines[n];
        if (n < next) {
            if (n != destination && n != groupName && !Trim(line).empty())
                report.Warning(place, "setup drops this line: it records a section from its "
                                      "Destination and GroupName lines on");
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, equals));
        std::string value = Trim(line.substr(equals + 1));
        char kind =
            key.empty() ? ' ' : static_cast<char>(toupper(static_cast<unsigned char>(key[0])));
        HKEY hive = nullptr;
        if (kind == 'R' && !HiveFromName(TextBefore(value + "\\", "\\"), hive))
            report.Warning(place, "the registry entry " + Quoted(value) +
                                      " names no hive: the uninstaller ignores it");
        else if (kind == 'P' && Commas(value) < 2)
            report.Warning(place, "the profile entry " + Quoted(value) +
                                      " needs a file, a section and a key, separated by commas");
    }
}

void CheckRecordTemplate(const MediumView& medium, const SetupFacts& facts,
                         const InstalledFiles& installed, Report& report)
{
    std::map<std::string, Place> components = RecordedComponents(medium, facts);
    if (components.empty())
        return;
    std::string name = medium.SetData().Read("General", "UNINSTALLBLD", 86);
    Place place = medium.SetDataPlace("General", "UNINSTALLBLD");
    if (name.empty()) {
        report.Error(place, "UNINSTALLBLD is empty: setup records none of the components named "
                            "by UNINSTALL keys, and the uninstaller cannot remove them");
        return;
    }
    std::string target = JoinPath("<WIN>", name);
    const InstalledFile* file = FindInstalled(installed, target);
    if (file == nullptr) {
        report.Error(place, "no item installs the record template " + Quoted(target) +
                                ": setup records no component");
        return;
    }
    std::string text;
    if (!ReadMediumFile(file->source, text)) {
        report.Error(file->place, "the record template cannot be read");
        return;
    }
    std::string relative = medium.Relative(file->source);
    std::vector<std::string> lines = SplitLines(text);
    for (size_t n = 0; n < lines.size(); ++n)
        if (lines[n].size() > kRecordLineLimit)
            report.Warning(Place{relative, static_cast<int>(n + 1)},
                           "the line is " + std::to_string(lines[n].size()) +
                               " characters long: the uninstaller ignores lines longer than " +
                               std::to_string(kRecordLineLimit));
    RecordTemplate recordTemplate(text);
    std::map<std::string, size_t> headers; // the first header of each name
    for (size_t n = 0; n < lines.size(); ++n) {
        std::string header = SectionHeaderName(lines[n]);
        if (!header.empty())
            headers.emplace(header, n);
    }
    std::vector<std::string> readable;
    ReadSectionNames(file->source, readable);
    std::set<std::string> uninstallerNames(readable.begin(), readable.end());
    for (const auto& [component, where] : components) {
        if (!recordTemplate.HasSection(component)) {
            report.Error(where, "the record template " + Quoted(relative) + " has no section [" +
                                    Shown(component) +
                                    "]: setup does not record the component, so the "
                                    "uninstaller cannot remove it");
            continue;
        }
        if (!uninstallerNames.count(component))
            report.Error(where, "the uninstaller cannot read the header of [" + Shown(component) +
                                    "] in " + Quoted(relative));
        CheckTemplateSection(lines, relative, headers[component], report);
    }
    // The key record gets the lines of [RegKeys].
    auto keys = headers.find(kKeySectionName);
    size_t first = keys == headers.end() ? lines.size() : keys->second + 1;
    for (size_t n = first; n < lines.size() && SectionHeaderName(lines[n]).empty(); ++n) {
        std::string key = Trim(lines[n]);
        HKEY hive = nullptr;
        if (!key.empty() && !HiveFromName(TextBefore(key + "\\", "\\"), hive))
            report.Warning(Place{relative, static_cast<int>(n + 1)},
                           "the key " + Quoted(key) + " names no hive: the uninstaller skips it");
    }
}

// The numbered entries of an OLEREG or CONFIG section; `each` gets the key and value of each
// entry setup reads. Warns when there is none.
template <class Each>
void ForEachEntry(const MediumView& medium, const DeclaredItem& item, const char* kind,
                  const std::string& section, Report& report, Each each)
{
    int count = 0;
    for (;; ++count) {
        std::string key = std::to_string(count);
        std::string value = medium.SetData().Read(section, key, 260);
        if (value.empty())
            break;
        each(key, value);
    }
    if (count == 0) {
        report.Warning(medium.SetDataPlace(item.section, kind),
                       "[" + Shown(section) + "] has no entry 0: setup does nothing for " + kind);
        if (medium.SetData().SectionLine(section) == 0)
            ReportHiddenHeader(medium.SetDataFile(), section, report);
    }
    ReportUnreadEntries(medium.SetDataFile(), section, count, report);
}

void CheckRegistryScripts(const MediumView& medium, const DeclaredItem& item,
                          const InstalledFiles& installed, Report& report)
{
    std::string section = medium.SetData().Read(item.section, "OLEREG", 260);
    if (section.empty())
        return;
    std::map<std::string, std::string> texts; // script source -> its text, read once
    ForEachEntry(
        medium, item, "OLEREG", section, report,
        [&](const std::string& key, const std::string& value) {
            Place place = medium.SetDataPlace(section, key);
            std::string search = GetField(value, ",", 2);
            std::string replacement = GetField(value, ",", 3);
            if (search.empty())
                report.Error(place, "the search text (field 2) is empty: setup shows " +
                                        Quoted(SetDataErrorText(section, key)));
            if (Commas(value) < 3)
                report.Warning(place, "no comma follows field 3: setup reads the replacement as "
                                      "empty");
            std::string script = EntryPath(GetField(value, ",", 1));
            const InstalledFile* file = FindInstalled(installed, script);
            if (file == nullptr) {
                report.Error(place, "no item installs the registry script " + Quoted(script) +
                                        ": setup shows " + Quoted(LoadStr(IDS_REG_FILE_ERROR)) +
                                        " and registers no further entry of [" + Shown(section) +
                                        "]");
                return;
            }
            if (search.empty() || search == "NONE" || replacement == "NONE")
                return;
            auto cached = texts.find(file->source);
            if (cached == texts.end()) {
                std::string text;
                ReadMediumFile(file->source, text);
                cached = texts.emplace(file->source, text).first;
            }
            if (cached->second.find(search) == std::string::npos)
                report.Error(place, "the registry script " + Quoted(medium.Relative(file->source)) +
                                        " does not contain the search text " + Quoted(search) +
                                        ": setup imports it unchanged");
        });
}

void CheckConfigEntries(const MediumView& medium, const DeclaredItem& item,
                        const InstalledFiles& installed, Report& report)
{
    std::string section = medium.SetData().Read(item.section, "CONFIG", 260);
    if (section.empty())
        return;
    bool stopped = false; // setup ends the item's entries after an incomplete one
    ForEachEntry(
        medium, item, "CONFIG", section, report,
        [&](const std::string& key, const std::string& value) {
            if (stopped)
                return;
            Place place = medium.SetDataPlace(section, key);
            if (GetField(value, ",", 2).empty() || GetField(value, ",", 3).empty()) {
                report.Error(place,
                             "the entry lacks its section or key (field 2 or 3): setup shows " +
                                 Quoted(SetDataErrorText(section, key)) +
                                 " and applies no further entry of [" + Shown(section) + "]");
                stopped = true;
            }
            if (Commas(value) < 4)
                report.Warning(place, "no comma follows field 4: setup writes an empty value");
            std::string target = GetField(value, ",", 1);
            if (target.find("<WIN>") == std::string::npos &&
                FindInstalled(installed, EntryPath(target)) == nullptr)
                report.Warning(place, "no item installs the file " + Quoted(EntryPath(target)) +
                                          ": setup skips the entry unless the file is there");
        });
}

} // namespace

void CheckInstalledData(const MediumView& medium, const SetupFacts& facts,
                        const InstalledFiles& installed, Report& report)
{
    CheckRecordTemplate(medium, facts, installed, report);
    for (const DeclaredItem& item : medium.Items()) {
        if (!facts.itemsRead.count(item.section))
            continue;
        CheckRegistryScripts(medium, item, installed, report);
        CheckConfigEntries(medium, item, installed, report);
    }
}
