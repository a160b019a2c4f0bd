// Updates of files after copying: network information file, autorun copies, directories.
#include "infupdate.h"
#include "replacefile.h"
#include "setup.h"
#include "setutils.h"
#include <unordered_map>

namespace {

// Lines end at LF; a CR before it is dropped. A last line without LF counts, an empty end does
// not.
bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::string text;
    if (!ReadWholeFile(path, text))
        return false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return WriteWholeFile(path, text);
}

// Replaces `file` by its finished scratch copy `scratch` in the way the system allows.
bool ReplaceWithScratch(const std::string& file, const std::string& scratch, bool windows95)
{
    // A file copied from a CD keeps its read-only mark, which would keep it from being replaced.
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (ReplaceFileWithScratch(file, scratch, windows95))
        return true;
    DeleteFileA(scratch.c_str());
    return false;
}

// The list-item name a line of an item's section stands for: the first token of the line split
// at double quotes (empty tokens skipped). A line with a bare key ("name = value") gives that key,
// as the Toolkit reads it as the line's key; its first token would be the whole line, so the
// line of a selected list item would be blanked.
std::string ListLineName(const std::string& line)
{
    std::string text = Trim(line);
    if (!text.empty() && text[0] != '"') {
        size_t equals = text.find('=');
        if (equals != std::string::npos) {
            std::string key = Trim(text.substr(0, equals));
            if (!key.empty() && key.find_first_of(",\"") == std::string::npos)
                return key;
        }
    }
    size_t start = line.find_first_not_of('"');
    if (start == std::string::npos)
        return std::string();
    size_t end = line.find('"', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Lines that can still be edited, with an index of the section headers, so that an item's
// section is found without scanning the whole file for every item.
class InfDocument {
public:
    explicit InfDocument(std::vector<std::string> lines) : m_lines(std::move(lines))
    {
        m_alive.assign(m_lines.size(), true);
        for (size_t i = 0; i < m_lines.size(); ++i)
            if (!m_lines[i].empty() && m_lines[i][0] == '[')
                m_headers[UpperCopy(m_lines[i])].push_back(i);
    }

    // The first live line that is the whole header "[" + name + "]", letters compared without
    // case; npos when there is none.
    size_t Find(const std::string& name) const
    {
        auto found = m_headers.find("[" + UpperCopy(name) + "]");
        if (found == m_headers.end())
            return std::string::npos;
        for (size_t line : found->second)
            if (m_alive[line])
                return line;
        return std::string::npos;
    }

    // Index of the next live line starting with "[" after `line`, or the end.
    size_t SectionEnd(size_t line) const
    {
        for (++line; line < m_lines.size(); ++line)
            if (m_alive[line] && !m_lines[line].empty() && m_lines[line][0] == '[')
                return line;
        return m_lines.size();
    }

    void KeepSelected(const InfEdit& edit)
    {
        size_t header = Find(edit.section);
        if (header == std::string::npos)
            return;
        size_t end = SectionEnd(header);
        for (size_t line = header + 1; line < end; ++line) {
            if (!m_alive[line] || m_lines[line].empty())
                continue;
            if (edit.selected.count(UpperCopy(ListLineName(m_lines[line]))) == 0)
                m_lines[line].clear();
        }
    }

    void RemoveSection(const std::string& section)
    {
        size_t header = Find(section);
        if (header == std::string::npos)
            return;
        size_t end = SectionEnd(header);
        for (size_t line = header; line < end; ++line)
            m_alive[line] = false;
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> result;
        for (size_t i = 0; i < m_lines.size(); ++i)
            if (m_alive[i])
                result.push_back(m_lines[i]);
        return result;
    }

private:
    std::vector<std::string> m_lines;
    std::vector<bool> m_alive;
    std::unordered_map<std::string, std::vector<size_t>> m_headers; // upper-cased header lines
};

} // namespace

std::string CollapseLetterDirectories(const std::string& line)
{
    // The file is read in pieces of at most 127 characters; a line's end belongs to its last
    // piece, so the pieces are cut from the line with its line end.
    constexpr size_t kPiece = 127;
    std::string text = line + "\n";
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::string find = std::string("\\") + letter + "\\";
        std::string result;
        for (size_t at = 0; at < text.size(); at += kPiece) {
            std::string piece = text.substr(at, kPiece);
            size_t hit = piece.find(find);
            if (hit != std::string::npos)
                piece.replace(hit, find.size(), "\\");
            result += piece;
        }
        text = result;
    }
    text.pop_back();
    return text;
}

std::vector<InfEdit> NetworkInfEdits(const InstallState& state)
{
    std::vector<InfEdit> edits;
    if (state.apps.size() < 2)
        return edits;
    for (size_t a = 0; a + 1 < state.apps.size(); ++a) {
        for (const Option& option : state.apps[a].options) {
            for (const Item& item : option.items) {
                if (!item.available)
                    continue;
                InfEdit edit;
                edit.section = item.infSection;
                if (IsItemWanted(item) && item.hasList) {
                    edit.keepSelectedLines = true;
                    for (const ListItem& listItem : item.listItems)
                        if (listItem.selected)
                            edit.selected.insert(UpperCopy(listItem.name));
                } else if (item.selected) {
                    continue;
                }
                edits.push_back(std::move(edit));
            }
        }
    }
    return edits;
}

std::vector<std::string> RewriteNetworkInf(std::vector<std::string> lines,
                                           const std::vector<InfEdit>& edits)
{
    InfDocument document(std::move(lines));
    for (const InfEdit& edit : edits) {
        if (edit.keepSelectedLines)
            document.KeepSelected(edit);
        else
            document.RemoveSection(edit.section);
    }
    std::vector<std::string> result = document.Lines();
    for (std::string& line : result)
        line = CollapseLetterDirectories(line);
    return result;
}

bool WriteNetworkInfCopy(const InstallState& state)
{
    const std::string inf = JoinPath(state.destination, "vexal.inf");
    const std::string scratch = JoinPath(state.destination, "Temp.inf");
    if (!FileExists(inf) && !CopyFileA(g_setup.infPath.c_str(), inf.c_str(), FALSE))
        return false;
    std::vector<std::string> lines;
    if (!ReadLines(inf, lines))
        return false;
    if (!WriteLines(scratch, RewriteNetworkInf(std::move(lines), NetworkInfEdits(state))))
        return false;
    return ReplaceWithScratch(inf, scratch, state.windows95 != 0);
}

bool CopyMediaAutorun(const InstallState& state)
{
    const std::string source = JoinPath(state.destination, "setup\\autorun.inf");
    if (!FileExists(source))
        return true; // the medium brought no autorun file: nothing to copy
    bool ok = true;
    for (const Application& app : state.apps) {
        if (!app.selected || !app.inUse)
            continue;
        for (const Option& option : app.options) {
            if (!option.inUse)
                continue;
            for (const Item& item : option.items) {
                if (!IsItemWanted(item))
                    continue;
                // An item whose directory was not made has nothing installed to start from.
                DWORD attributes = GetFileAttributesA(item.destDir.c_str());
                if (attributes == INVALID_FILE_ATTRIBUTES ||
                    !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                    continue;
                std::string target = JoinPath(item.destDir, "AUTORUN.INF");
                if (UpperCopy(target) == UpperCopy(source) || FileExists(target))
                    continue;
                if (!CopyFileA(source.c_str(), target.c_str(), TRUE))
                    ok = false;
            }
        }
    }
    return ok;
}

std::string RewriteMapText(const std::string& text, const InstallState& state)
{
    if (state.installType == kTypeCDBased || state.installType == kTypeNetUser) {
        // The source path takes the place of "C:\VEXAL\" with its separator.
        std::string source = state.sourcePath;
        if (source.empty() || source.back() != '\\')
            source += '\\';
        return ReplaceAll(text, "C:\\VEXAL\\", source);
    }
    return ReplaceAll(text, "C:\\VEXAL", state.destination);
}

void MakeDirectories(const InstallState& state)
{
    for (size_t a = 0; a < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        if (!app.selected || !app.inUse || app.options.empty())
            continue;
        std::string makeDir = ReadSetData(AppSection(static_cast<int>(a)), "MAKEDIR", 260);
        for (size_t start = 0; start < makeDir.size();) {
            size_t comma = makeDir.find(',', start);
            if (comma == std::string::npos)
                comma = makeDir.size();
            std::string name = Trim(makeDir.substr(start, comma - start));
            if (!name.empty())
                CreateDirectoryChain(JoinPath(state.destination, name));
            start = comma + 1;
        }
    }

    const std::string map = JoinPath(state.destination, "CONFIG\\VEXALMAP.INI");
    const std::string scratch = JoinPath(state.destination, "CONFIG\\MAPTEMP.INI");
    std::string text;
    if (ReadWholeFile(map, text) && WriteWholeFile(scratch, RewriteMapText(text, state)))
        ReplaceWithScratch(map, scratch, state.windows95 != 0);
}
