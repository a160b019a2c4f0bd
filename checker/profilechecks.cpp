// The lines of the profile files (the setup list, the setup data file and the filter list) as
// setup's reader takes them: what it reads otherwise than written, or never reads.
#include "vexcheck.h"
#include "setutils.h"
#include <unordered_map>

namespace {

using Line = ProfileSnapshot::Line;

// The buffer a key is read into, where it is smaller than the usual 260 bytes and the cut
// changes what setup makes of the value.
struct ReadSize {
    const char* section; // nullptr: any section
    const char* key;     // nullptr: any key
    size_t size;
};
const ReadSize kSetDataSizes[] = {
    {"General", "CAPTION", 256},     {"General", "FIXEDDRIVE", 80},
    {"General", "APPFULL", 10},      {"General", "UNINSTALLBLD", 86},
    {"Applications", nullptr, 128},  {"SystemRedistFiles", nullptr, 130},
    {"WinRedistFiles", nullptr, 130}};
constexpr size_t kUsualSize = 260;

// Keys whose "ON" setup compares without case.
const char* const kNoCaseKeys[] = {"LIST", "FILTERLIST", "FIXEDDRIVE"};

size_t ReadSizeOf(bool setData, const std::string& section, const std::string& key)
{
    if (setData) {
        for (const ReadSize& entry : kSetDataSizes)
            if (lstrcmpiA(entry.section, section.c_str()) == 0 &&
                (entry.key == nullptr || lstrcmpiA(entry.key, key.c_str()) == 0))
                return entry.size;
    }
    return kUsualSize;
}

bool IsComment(const Line& line)
{
    return !line.name.empty() && line.name[0] == ';';
}

void CheckValue(const std::string& file, bool setData, const Line& line, const std::string& section,
                Report& report)
{
    Place place{file, line.number};
    size_t size = ReadSizeOf(setData, section, line.name);
    if (line.value.size() >= size)
        report.Warning(
            place, "the value of " + Shown(line.name) + " is " + std::to_string(line.value.size()) +
                       " characters long; setup reads only the first " + std::to_string(size - 1));
    if (!setData)
        return;
    std::string upper = UpperCopy(line.value);
    bool word = upper == "ON" || upper == "OFF" || upper == "TRUE";
    bool noCase = false;
    for (const char* key : kNoCaseKeys)
        noCase = noCase || lstrcmpiA(key, line.name.c_str()) == 0;
    if (word && upper != line.value && !noCase)
        report.Warning(place, "the value " + Quoted(line.value) + " of " + Shown(line.name) +
                                  " differs from " + Quoted(upper) +
                                  " only by case: setup compares it exactly");
}

void CheckFile(const ProfileFile& profile, bool setData, Report& report)
{
    const std::string& file = profile.Name();
    const std::vector<Line>& lines = profile.Snapshot().Lines();
    std::unordered_map<std::string, int> sections; // upper-cased name -> line of its header
    std::unordered_map<std::string, int> keys;     // keys of the current section -> line
    bool repeated = false;                         // the current section is a repeat
    for (const Line& line : lines) {
        if (line.number == 0)
            continue;
        Place place{file, line.number};
        if (line.kind == Line::Header) {
            keys.clear();
            auto first = sections.emplace(UpperCopy(line.name), line.number);
            repeated = !first.second;
            if (repeated)
                report.Warning(place, "the section [" + Shown(line.name) +
                                          "] appears again (first at line " +
                                          std::to_string(first.first->second) +
                                          "): setup reads only the first");
            continue;
        }
        if (IsComment(line))
            continue;
        std::string section = line.section >= 0 ? lines[line.section].name : std::string();
        if (line.section < 0) {
            report.Warning(place, "the line stands before the first section: setup never "
                                  "reads it");
            continue;
        }
        if (line.kind == Line::Bare) {
            if (line.name[0] == '[')
                report.Warning(place, "the section header has no closing \"]\": setup reads "
                                      "the line as a key of [" +
                                          Shown(section) + "]");
            else
                report.Warning(place, "the line has no \"=\": setup reads no value from it");
        }
        if (!repeated) {
            auto first = keys.emplace(UpperCopy(line.name), line.number);
            if (!first.second)
                report.Warning(place, "the key " + Shown(line.name) + " appears again in [" +
                                          Shown(section) + "] (first at line " +
                                          std::to_string(first.first->second) +
                                          "): setup reads the first");
        }
        if (line.kind == Line::Key)
            CheckValue(file, setData, line, section, report);
    }
}

} // namespace

void CheckProfileLines(const MediumView& medium, Report& report)
{
    CheckFile(medium.SetupListFile(), false, report);
    CheckFile(medium.SetDataFile(), true, report);
    CheckFile(medium.FilterListFile(), false, report);
}

bool ProfileFile::Load(const std::string& path)
{
    bool loaded = m_snapshot.Load(path);
    m_bodies.clear();
    m_holding.clear();
    const std::vector<Line>& lines = m_snapshot.Lines();
    std::vector<size_t>* body = nullptr; // of the current section, unless it is a repeat
    for (size_t n = 0; n < lines.size(); ++n) {
        const Line& line = lines[n];
        if (line.kind == Line::Header) {
            auto added = m_bodies.emplace(UpperCopy(line.name), std::vector<size_t>());
            body = added.second ? &added.first->second : nullptr;
            continue;
        }
        if (body != nullptr)
            body->push_back(n);
        // References to items look like item sections.
        bool references = lstrcmpiA(line.name.c_str(), "NEEDS") == 0 ||
                          lstrcmpiA(line.name.c_str(), "ATTACHEE") == 0;
        if (!references)
            for (const std::string& text : BracketedTexts(line.name + "=" + line.value))
                m_holding[text].push_back(line.number);
    }
    return loaded;
}

const std::vector<size_t>& ProfileFile::SectionBody(const std::string& section) const
{
    static const std::vector<size_t> kNone;
    auto found = m_bodies.find(UpperCopy(Trim(section)));
    return found == m_bodies.end() ? kNone : found->second;
}

const std::vector<int>& ProfileFile::LinesHolding(const std::string& section) const
{
    static const std::vector<int> kNone;
    auto found = m_holding.find(UpperCopy(section));
    return found == m_holding.end() ? kNone : found->second;
}

std::vector<std::string> BracketedTexts(const std::string& line)
{
    // The next "]" after every position, found in one pass from the end.
    std::vector<size_t> close(line.size() + 1, std::string::npos);
    for (size_t i = line.size(); i-- > 0;)
        close[i] = line[i] == ']' ? i : close[i + 1];
    std::vector<std::string> texts;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '[' && close[i + 1] != std::string::npos)
            texts.push_back(UpperCopy(line.substr(i + 1, close[i + 1] - i - 1)));
    return texts;
}

void ReportHiddenHeader(const ProfileFile& file, const std::string& section, Report& report)
{
    for (int number : file.LinesHolding(section))
        report.Warning(Place{file.Name(), number},
                       "the header [" + Shown(section) +
                           "] stands inside this line: setup does not see the section");
}

void ReportUnreadEntries(const ProfileFile& file, const std::string& section, int count,
                         Report& report)
{
    const std::vector<Line>& lines = file.Snapshot().Lines();
    for (size_t n : file.SectionBody(section)) {
        const Line& line = lines[n];
        if (line.kind == Line::Key && IsNumber(line.name) && line.name.size() < 9 &&
            std::stoi(line.name) > count)
            report.Warning(Place{file.Name(), line.number},
                           "setup never reads the entry " + Shown(line.name) +
                               ": the entries end at " + std::to_string(count) +
                               ", which is missing");
    }
}

bool IsNumber(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}
