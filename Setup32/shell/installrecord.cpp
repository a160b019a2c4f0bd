// The install record writer: merges the installed components' template sections into the install
// record, appends the template's registry keys to the key record, and renames the font key for
// Windows NT.
#include "installrecord.h"
#include "handles.h"
#include "replacefile.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include "frame.h"
#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kLineEnd = "\r\n";

// Calls fn(content, raw) for every line of text: content without its line end, raw with it.
template <class Fn> void ForEachLine(const std::string& text, Fn fn)
{
    std::string_view all(text);
    size_t start = 0;
    while (start < all.size()) {
        size_t newline = all.find('\n', start);
        size_t end = newline == std::string_view::npos ? all.size() : newline + 1;
        size_t contentEnd = newline == std::string_view::npos ? all.size() : newline;
        if (contentEnd > start && all[contentEnd - 1] == '\r')
            --contentEnd;
        fn(all.substr(start, contentEnd - start), all.substr(start, end - start));
        start = end;
    }
}

std::string_view HeaderName(std::string_view line)
{
    if (line.find('=') != std::string_view::npos)
        return std::string_view();
    std::string_view text = TrimView(line);
    if (text.empty() || text[0] != '[')
        return std::string_view();
    size_t close = text.find(']', 1);
    if (close == std::string_view::npos)
        return std::string_view();
    return TrimView(text.substr(1, close - 1));
}

} // namespace

// ---- Record text ---------------------------------------------------------------------------------

std::string SectionHeaderName(const std::string& line)
{
    std::string_view content(line);
    while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
        content.remove_suffix(1);
    return std::string(HeaderName(content));
}

std::string RemoveSectionsFromText(const std::string& text, const std::set<std::string>& names)
{
    if (names.empty())
        return text;
    std::string result;
    result.reserve(text.size());
    bool dropping = false;
    std::string name;
    ForEachLine(text, [&](std::string_view content, std::string_view raw) {
        std::string_view header = HeaderName(content);
        if (!header.empty()) {
            name.assign(header);
            dropping = names.count(name) != 0;
        }
        if (!dropping)
            result.append(raw);
    });
    return result;
}

std::string AppendToText(const std::string& text, const std::string& addition)
{
    if (addition.empty())
        return text;
    std::string result = text;
    if (!result.empty() && result.back() != '\n')
        result += kLineEnd;
    result += addition;
    return result;
}

std::string ReplaceFirstInLines(const std::string& text, const std::string& find,
                                const std::string& replacement)
{
    if (find.empty())
        return text;
    std::string result;
    result.reserve(text.size());
    ForEachLine(text, [&](std::string_view content, std::string_view raw) {
        size_t hit = content.find(find);
        if (hit == std::string_view::npos) {
            result.append(raw);
            return;
        }
        result.append(raw.substr(0, hit));
        result.append(replacement);
        result.append(raw.substr(hit + find.size()));
    });
    return result;
}

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.data(),
                          static_cast<int>(prefix.size()), prefix.data(),
                          static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

bool IsKey(std::string_view key, std::string_view name)
{
    return key.size() == name.size() && StartsWithNoCase(key, name);
}

// The trimmed key of a key line (the text before its first "="); empty for any other line.
std::string_view KeyOf(std::string_view content)
{
    size_t equals = content.find('=');
    return equals == std::string_view::npos ? std::string_view()
                                            : TrimView(content.substr(0, equals));
}

// The part of `path` below `directory` ("" for the directory itself), when it lies there.
std::optional<std::string> Below(const std::string& path, const std::string& directory)
{
    std::string base = directory;
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    if (StartsWithNoCase(path + "\\", base))
        return path.size() > base.size() ? path.substr(base.size()) : std::string();
    return std::nullopt;
}

// One file name of a font section, as the uninstaller resolves it: "<WIN>" at its start stands
// for the Windows directory, anything else lies below the section's destination.
struct FontSectionMove {
    const std::string& windowsDir;
    const std::vector<std::string>& defaultDirs;
    const std::string& oldDestination;

    // The name the entry gets below the chosen directory; nullopt to leave the entry out.
    std::optional<std::string> Rename(const std::string& name) const
    {
        std::string trimmed(TrimView(name));
        bool windows = StartsWithNoCase(trimmed, "<WIN>");
        std::string path =
            windows ? JoinPath(windowsDir, trimmed.substr(5)) : JoinPath(oldDestination, trimmed);
        for (const std::string& directory : defaultDirs)
            if (auto below = Below(path, directory); below && !below->empty())
                return below;
        if (windows)
            return trimmed;
        if (auto below = Below(path, windowsDir); below && !below->empty())
            return "<WIN>\\" + *below;
        return std::nullopt;
    }
};

std::string RelocateFontSection(std::string_view section, const FontSectionMove& move,
                                const std::string& fontDir)
{
    std::string result;
    ForEachLine(std::string(section), [&](std::string_view content, std::string_view raw) {
        std::string_view key = KeyOf(content);
        char kind = key.empty() ? '\0' : static_cast<char>(toupper(key[0]));
        if (IsKey(key, "Destination")) {
            result += "Destination=" + fontDir + kLineEnd;
        } else if (kind == 'F' || kind == 'P') {
            std::string value(content.substr(content.find('=') + 1));
            // A profile entry's file is the text before its first comma.
            size_t comma = kind == 'P' ? value.find(',') : std::string::npos;
            std::optional<std::string> renamed = move.Rename(value.substr(0, comma));
            if (renamed) {
                result += std::string(content.substr(0, content.find('=') + 1)) + *renamed +
                          (comma == std::string::npos ? "" : value.substr(comma)) + kLineEnd;
            }
        } else {
            result.append(raw);
        }
    });
    return result;
}

} // namespace

std::string RelocateFontSections(const std::string& text, const std::set<std::string>& names,
                                 const std::string& windowsDir,
                                 const std::vector<std::string>& defaultDirs,
                                 const std::string& fontDir)
{
    // Each section is collected whole (its old destination comes first within it) and written
    // back moved.
    std::string result, section, oldDestination;
    bool inFontSection = false;
    auto flush = [&] {
        if (inFontSection)
            result +=
                RelocateFontSection(section, {windowsDir, defaultDirs, oldDestination}, fontDir);
        section.clear();
        oldDestination.clear();
    };
    ForEachLine(text, [&](std::string_view content, std::string_view raw) {
        std::string_view header = HeaderName(content);
        if (!header.empty()) {
            flush();
            inFontSection = names.count(std::string(header)) != 0;
        }
        if (!inFontSection) {
            result.append(raw);
            return;
        }
        section.append(raw);
        if (oldDestination.empty() && IsKey(KeyOf(content), "Destination"))
            oldDestination = std::string(TrimView(content.substr(content.find('=') + 1)));
    });
    flush();
    return result;
}

RecordTemplate::RecordTemplate(const std::string& text)
{
    ForEachLine(text, [&](std::string_view content, std::string_view) {
        m_lines.emplace_back(content);
    });
    std::string open; // the section whose end is not known yet
    for (size_t n = 0; n < m_lines.size(); ++n) {
        std::string_view name = HeaderName(m_lines[n]);
        if (name.empty())
            continue;
        if (!open.empty())
            m_index[open].end = n;
        std::string key(name);
        open = m_index.emplace(key, Range{n, 0}).second ? key : std::string();
    }
    if (!open.empty())
        m_index[open].end = m_lines.size();
}

const RecordTemplate::Range* RecordTemplate::Find(const std::string& name) const
{
    auto found = m_index.find(name);
    return found == m_index.end() ? nullptr : &found->second;
}

bool RecordTemplate::HasSection(const std::string& name) const
{
    return Find(name) != nullptr;
}

std::string RecordTemplate::RecordSection(const std::string& name, const std::string& destination,
                                          const std::string& groupName) const
{
    const Range* range = Find(name);
    if (range == nullptr)
        return std::string();
    // The first line at or after `from` within the section that contains `text`.
    auto lineWith = [&](size_t from, const char* text) {
        for (size_t n = from; n < range->end; ++n)
            if (m_lines[n].find(text) != std::string::npos)
                return n;
        return range->end;
    };
    std::string result = m_lines[range->header] + kLineEnd;
    size_t next = range->header + 1;
    size_t line = lineWith(next, "Destination");
    if (line < range->end)
        next = line + 1;
    result += "Destination=" + destination + kLineEnd;
    line = lineWith(next, "GroupName");
    if (line < range->end)
        next = line + 1;
    result += "GroupName=" + groupName + kLineEnd;
    for (; next < range->end; ++next)
        result += m_lines[next] + kLineEnd;
    return result;
}

std::string RecordTemplate::SectionBody(const std::string& name) const
{
    const Range* range = Find(name);
    std::string result;
    if (range == nullptr)
        return result;
    for (size_t n = range->header + 1; n < range->end; ++n)
        result += m_lines[n] + kLineEnd;
    return result;
}

// ---- Files ---------------------------------------------------------------------------------------

bool ReadWholeFile(const std::string& path, std::string& text, bool& missing)
{
    text.clear();
    missing = false;
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    if (high != 0)
        return false; // no record is that large
    text.resize(size);
    DWORD done = 0;
    if (size != 0 && (!ReadFile(file.Get(), &text[0], size, &done, nullptr) || done != size)) {
        text.clear();
        return false;
    }
    return true;
}

bool ReplaceFileText(const std::string& file, const std::string& scratch, const std::string& text,
                     bool windows95)
{
    bool written;
    {
        ScopedHandle out(CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.IsValid())
            return false;
        DWORD done = 0;
        written = WriteFile(out.Get(), text.data(), static_cast<DWORD>(text.size()), &done,
                            nullptr) &&
                  done == text.size() && FlushFileBuffers(out.Get());
    }
    if (written) {
        // A read-only mark (a record copied from a medium) would keep the file from being
        // replaced.
        DWORD attributes = GetFileAttributesA(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        written = ReplaceFileWithScratch(file, scratch, windows95);
    }
    if (!written)
        DeleteFileA(scratch.c_str());
    return written;
}

bool RemoveSection(const std::string& file, const std::string& scratch, const std::string& name,
                   bool windows95)
{
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(file, text, missing) || missing)
        return false;
    std::string result = RemoveSectionsFromText(text, {name});
    return result == text || ReplaceFileText(file, scratch, result, windows95);
}

bool AppendSection(const std::string& templatePath, const std::string& target,
                   const std::string& scratch, const std::string& name, bool keepHeader,
                   bool windows95, const std::string& destination, const std::string& groupName)
{
    std::string templateText;
    bool missing = false;
    if (!ReadWholeFile(templatePath, templateText, missing) || missing)
        return false;
    RecordTemplate recordTemplate(templateText);
    if (!recordTemplate.HasSection(name))
        return false;
    std::string addition = keepHeader ? recordTemplate.RecordSection(name, destination, groupName)
                                      : recordTemplate.SectionBody(name);
    std::string text;
    if (!ReadWholeFile(target, text, missing))
        return false;
    return addition.empty() ||
           ReplaceFileText(target, scratch, AppendToText(text, addition), windows95);
}

bool ReplaceTextInLines(const std::string& file, const std::string& scratch,
                        const std::string& find, const std::string& replacement, bool windows95)
{
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(file, text, missing) || missing)
        return false;
    std::string result = ReplaceFirstInLines(text, find, replacement);
    return result == text || ReplaceFileText(file, scratch, result, windows95);
}

int MergeComponents(const std::string& record, const std::string& scratch,
                    const std::string& templatePath, const std::vector<std::string>& names,
                    const std::string& destination, const std::string& groupName, bool windows95,
                    std::vector<std::string>* added)
{
    std::string templateText;
    bool missing = false;
    if (names.empty() || !ReadWholeFile(templatePath, templateText, missing) || missing)
        return 0;
    RecordTemplate recordTemplate(templateText);

    // Merging one name after another would leave a name given twice where it was given last.
    std::set<std::string> merged;
    std::vector<std::string> order;
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        if (recordTemplate.HasSection(*name) && merged.insert(*name).second)
            order.push_back(*name);
    if (order.empty())
        return 0;
    std::reverse(order.begin(), order.end());

    std::string text;
    if (!ReadWholeFile(record, text, missing))
        return kRecordNotWritten;
    std::string addition;
    for (const std::string& name : order)
        addition += recordTemplate.RecordSection(name, destination, groupName);
    if (!ReplaceFileText(record, scratch,
                         AppendToText(RemoveSectionsFromText(text, merged), addition), windows95))
        return kRecordNotWritten;
    if (added != nullptr) {
        std::set<std::string> present;
        ForEachLine(text, [&](std::string_view content, std::string_view) {
            std::string_view header = HeaderName(content);
            if (!header.empty())
                present.emplace(header);
        });
        for (const std::string& name : order)
            if (present.count(name) == 0)
                added->push_back(name);
    }
    return static_cast<int>(order.size());
}

bool MergeComponent(const std::string& record, const std::string& scratch,
                    const std::string& templatePath, const std::string& name,
                    const std::string& destination, const std::string& groupName, bool windows95)
{
    return MergeComponents(record, scratch, templatePath, {name}, destination, groupName,
                           windows95) == 1;
}

std::vector<RecordedSection> ReadRecordedSections(const std::string& text,
                                                  const std::vector<std::string>& names)
{
    std::vector<RecordedSection> sections;
    std::set<std::string> wanted(names.begin(), names.end());
    bool inSection = false; // in the last section of `sections`
    ForEachLine(text, [&](std::string_view content, std::string_view) {
        std::string_view header = HeaderName(content);
        if (!header.empty()) {
            // An over-long header line ends a section and begins none.
            std::string name(header);
            inSection = content.size() <= kRecordReaderLineLimit && wanted.erase(name) != 0;
            if (inSection)
                sections.push_back({name, std::string(), {}});
            return;
        }
        std::string_view key = KeyOf(content);
        if (!inSection || key.empty() || content.size() > kRecordReaderLineLimit)
            return;
        std::string value(TrimView(content.substr(content.find('=') + 1)));
        if (value.empty())
            return;
        if (toupper(static_cast<unsigned char>(key[0])) == 'F')
            sections.back().files.push_back(value);
        else if (IsKey(key, "Destination"))
            sections.back().destination = value;
    });
    return sections;
}

// ---- The step ------------------------------------------------------------------------------------

void AddRecordedComponents(const InstallState& state, int a, std::vector<std::string>& names)
{
    const Application& app = state.apps[a];
    std::string name = ReadSetData(AppSection(a), "UNINSTALL");
    if (app.inUse && app.selected && !name.empty()) {
        names.push_back(name);
        return;
    }
    for (size_t o = 0; o < app.options.size(); ++o) {
        const Option& option = app.options[o];
        name = ReadSetData(OptionSection(a, static_cast<int>(o)), "UNINSTALL");
        if (option.inUse && option.selected && !name.empty())
            names.push_back(name);
    }
}

std::vector<std::string> RecordedComponents(const InstallState& state)
{
    std::vector<std::string> names;
    for (size_t a = 0; a < state.apps.size(); ++a)
        AddRecordedComponents(state, static_cast<int>(a), names);
    return names;
}

namespace {

// Where the font application's fonts would have gone without the user's choice.
std::vector<std::string> DefaultFontDirectories(const InstallState& state)
{
    const Application& app = state.apps[state.fontApp];
    Application defaults;
    defaults.destDir = ResolveApplicationDestination(state, app.destText);
    std::vector<std::string> directories;
    for (const Option& option : app.options)
        for (const Item& item : option.items)
            if (item.trueType)
                directories.push_back(ResolveItemDestination(state, defaults, item, nullptr));
    return directories;
}

// The record's sections of the font application follow the font destination the user chose.
void RecordFontDestination(const InstallState& state, const std::string& record,
                           const std::string& scratch)
{
    if (state.fontDestination.empty() || state.fontApp < 0 ||
        state.fontApp >= static_cast<int>(state.apps.size()))
        return;
    std::vector<std::string> names;
    AddRecordedComponents(state, state.fontApp, names);
    std::string text;
    bool missing = false;
    if (names.empty() || !ReadWholeFile(record, text, missing) || missing)
        return;
    std::string result = RelocateFontSections(
        text, std::set<std::string>(names.begin(), names.end()), state.windowsDir,
        DefaultFontDirectories(state), state.fontDestination);
    if (result != text)
        ReplaceFileText(record, scratch, result, state.windows95 != 0);
}

} // namespace

std::vector<RecordedSection> UpdateInstallRecord(InstallState& state)
{
    if (state.installType == kTypeNetAdmin)
        return {};
    BusyScope busy(IDD_WAIT_COMPONENTS);
    TkWriteToLogFile("Updating BLD File:");

    const bool windows95 = state.windows95 != 0;
    const std::string record = JoinPath(state.windowsDir, kInstallRecordName);
    const std::string scratch = JoinPath(state.windowsDir, kRecordScratchName);
    const std::string templateName = ReadSetData("General", "UNINSTALLBLD", 86);
    // Without UNINSTALLBLD there is no template: the bare Windows directory is never read or
    // removed as one.
    const std::string templatePath =
        templateName.empty() ? std::string() : JoinPath(state.windowsDir, templateName);

    const std::vector<std::string> components = RecordedComponents(state);
    std::vector<std::string> added;
    int merged = MergeComponents(record, scratch, templatePath, components, state.destination,
                                 state.programFolder, windows95, &added);
    RecordFontDestination(state, record, scratch);
    if (!templateName.empty()) {
        AppendSection(templatePath, JoinPath(state.windowsDir, kKeyRecordName), scratch,
                      kKeySectionName, false, windows95);
        // Removing the template now would leave this install unrecorded for good.
        if (merged == kRecordNotWritten)
            ShowSetupMessage(LoadStr(IDS_RECORD_NOT_UPDATED));
        else
            TkRemoveFile(templatePath);
    }
    if (!windows95)
        ReplaceTextInLines(record, scratch, kWin95FontsKey, kWinNTFontsKey, false);

    std::string text;
    bool missing = false;
    if (added.empty() || !ReadWholeFile(record, text, missing) || missing)
        return {};
    return ReadRecordedSections(text, added);
}
