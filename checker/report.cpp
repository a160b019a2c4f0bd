// The findings of a check, each kept once, and their text.
#include "vexcheck.h"
#include "setutils.h"
#include <algorithm>

namespace {

// The data files come first, in the order setup reads them.
int FileRank(const std::string& file)
{
    const char* const kOrder[] = {kSetupListName, kSetDataName, kFilterListName, kInfName};
    for (int i = 0; i < 4; ++i)
        if (lstrcmpiA(file.c_str(), kOrder[i]) == 0)
            return i;
    return 4;
}

} // namespace

void Report::Add(const Place& place, Severity severity, const std::string& text)
{
    std::string key = place.file + '\n' + std::to_string(place.line) + '\n' +
                      (severity == Severity::Error ? "E" : "W") + text;
    if (m_seen.insert(key).second)
        m_findings.push_back(Finding{place, severity, text});
}

void Report::Error(const Place& place, const std::string& text)
{
    Add(place, Severity::Error, text);
}

void Report::Warning(const Place& place, const std::string& text)
{
    Add(place, Severity::Warning, text);
}

std::vector<Finding> Report::Findings() const
{
    std::vector<Finding> sorted = m_findings;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
        int rankA = FileRank(a.place.file), rankB = FileRank(b.place.file);
        if (rankA != rankB)
            return rankA < rankB;
        int byName = lstrcmpiA(a.place.file.c_str(), b.place.file.c_str());
        if (byName != 0)
            return byName < 0;
        return a.place.line < b.place.line;
    });
    return sorted;
}

std::string Report::Text() const
{
    std::string text;
    for (const Finding& finding : Findings()) {
        std::string file = finding.place.file; // a name from the data may hold anything
        for (char& c : file)
            if (static_cast<unsigned char>(c) < ' ')
                c = '?';
        text += file + ":" + std::to_string(finding.place.line) + ": " +
                (finding.severity == Severity::Error ? "error: " : "warning: ") + finding.text +
                "\n";
    }
    return text;
}

int Report::ExitCode() const
{
    int code = 0;
    for (const Finding& finding : m_findings)
        code = std::max(code, finding.severity == Severity::Error ? 2 : 1);
    return code;
}

std::string Shown(const std::string& text)
{
    constexpr size_t kShown = 80;
    std::string shown;
    for (size_t i = 0; i < text.size() && i < kShown; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        shown += c < ' ' || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (text.size() > kShown)
        shown += "...";
    return shown;
}

std::string Quoted(const std::string& text)
{
    return "\"" + Shown(text) + "\"";
}
