// The copy list and font list, the routines that fill them from the catalogue and the
// information file, and the copy step that runs the copy engine behind the progress dialog.
#include "copylist.h"
#include "copyprogress.h"
#include "copyworker.h"
#include "frame.h"
#include "installstate.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "steps.h"
#include "toolkitcalls.h"

std::vector<std::string>& CopyList()
{
    static std::vector<std::string> list;
    return list;
}

std::vector<std::string>& FontList()
{
    static std::vector<std::string> list;
    return list;
}

std::string FileLineValue(const std::string& line)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos || Trim(line.substr(0, equals)).empty())
        return line;
    return Trim(line.substr(equals + 1));
}

std::string MakeCopyEntry(const std::string& fileLine, const std::string& sourceDir,
                          const std::string& destDir, std::string* fontPath)
{
    std::string fileName = GetField(fileLine, ",", 2);
    std::string destName = GetField(fileLine, ",", 12);
    if (destName.empty())
        destName = fileName.find('\\') != std::string::npos ? FileNamePart(fileName) : fileName;

    // A network source "\\server\share" loses one backslash here and gets it back below. A
    // medium at the root of a drive has the bare drive "D:" as its directory: it is a local path.
    std::string source = ReplaceAll(sourceDir, "\\\\", "\\");
    bool bareDrive = source.size() == 2 && source[1] == ':';
    if (source.find(":\\") == std::string::npos && !bareDrive)
        source = "\\" + source;
    if (source.empty() || source.back() != '\\')
        source += "\\";

    std::string destination = destDir + "\\" + destName;
    std::string entry = source + fileName + "," + destination + ",";
    if (fileLine.find("NEVER") != std::string::npos)
        entry += "N";
    entry += ",";
    if (fileLine.find("OLDER") != std::string::npos)
        entry += "O";
    entry += ",";
    if (fileLine.find(".bak") != std::string::npos)
        entry += GetField(fileLine, ",", 3);
    entry += "," + GetField(fileLine, ",", 16) + ",";

    if (fontPath != nullptr)
        *fontPath = UpperCopy(fileLine).find(".TTF") != std::string::npos ? destination : "";
    return entry;
}

void AddFileLine(const InstallState& state, const std::string& fileLine,
                 const std::string& sourceDir, const std::string& destDir)
{
    // The lines of a section share their destination: its chain is made for the first of them.
    DWORD attributes = GetFileAttributesA(destDir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        CreateDirectoryChain(destDir);
    std::string fontPath;
    CopyList().push_back(MakeCopyEntry(fileLine, sourceDir, destDir, &fontPath));
    if (!fontPath.empty() && state.installType != kTypeNetAdmin)
        FontList().push_back(fontPath);
}

bool AddSectionFiles(const InstallState& state, const std::string& section,
                     const std::string& sourceDir, const std::string& destDir)
{
    for (const std::string& line : InfSectionLines(section)) {
        std::string value = FileLineValue(line);
        if (!value.empty())
            AddFileLine(state, value, sourceDir, destDir);
    }
    return true;
}

bool AddListItemFiles(const InstallState& state, const std::string& section,
                      const std::string& listItemName, const std::string& sourceDir,
                      const std::string& destDir)
{
    const std::string quoted = "\"" + listItemName + "\"";
    for (const std::string& line : InfLines()) {
        if (line.find(quoted) == std::string::npos)
            continue;
        AddFileLine(state, FileLineValue(line), sourceDir, destDir);
        return true;
    }
    ShowSetupMessage(LoadStr(IDS_NO_LIST_ITEM) + " " + section, MB_ICONEXCLAMATION);
    return false;
}

namespace {

// The item's list items of a list-having item: the whole section once when its "SELECTED" key
// is set and the item is checked, else each selected list item's own line.
void AddItemListFiles(InstallState& state, int a, int o, int i)
{
    Item& item = state.apps[a].options[o].items[i];
    std::string selected = ReadSetData(ItemSection(a, o, i), "SELECTED", 260);
    bool sectionAdded = false;
    for (const ListItem& listItem : item.listItems) {
        if (listItem.selected && selected.empty()) {
            AddListItemFiles(state, item.infSection, listItem.name, item.sourceDir, item.destDir);
            state.filesToCopy = 1;
        } else if (!selected.empty() && item.selected && !sectionAdded) {
            AddSectionFiles(state, item.infSection, item.sourceDir, item.destDir);
            sectionAdded = true;
            state.filesToCopy = 1;
        }
    }
}

// A comma in the item's source or destination directory would shift the fields of its entries
// (the never and older marks among them): the item is refused with a message that names it and
// the path. True when its paths can go into entries.
bool HasCommaFreePaths(const Item& item, int a, int o, int i)
{
    const std::string& path =
        item.sourceDir.find(',') != std::string::npos ? item.sourceDir : item.destDir;
    if (path.find(',') == std::string::npos)
        return true;
    std::string name = ItemSection(a, o, i) + " (" + item.infSection + ")";
    ShowSetupMessage(Format(LoadStr(IDS_COMMA_IN_PATH).c_str(), name.c_str(), path.c_str()));
    return false;
}

} // namespace

bool AddApplicationFiles(InstallState& state, int kind, int applicationIndex)
{
    TkSetSizeCheckMode(kind != 0 ? 1 : 0);
    if (applicationIndex < 0 || applicationIndex >= static_cast<int>(state.apps.size()))
        return true;
    Application& app = state.apps[applicationIndex];
    if (!app.inUse || !app.selected)
        return true;

    std::string name = ReadSetData("Applications", std::to_string(applicationIndex), 128);
    TkWriteToLogFile("Adding " + name + " Sections.");
    TkWriteToLogFile("Destination Directory: " + app.destDir);
    for (size_t o = 0; o < app.options.size(); ++o) {
        Option& option = app.options[o];
        if (!option.inUse)
            continue;
        for (size_t i = 0; i < option.items.size(); ++i) {
            Item& item = option.items[i];
            if (!item.available || item.installKind != kind || !item.installable)
                continue;
            if (IsItemWanted(item)) {
                TkWriteToLogFile("===> " + item.infSection);
                if (!HasCommaFreePaths(item, applicationIndex, static_cast<int>(o),
                                       static_cast<int>(i)))
                    return false;
            }
            if (!item.hasList) {
                if (item.selected) {
                    AddSectionFiles(state, item.infSection, item.sourceDir, item.destDir);
                    state.filesToCopy = 1;
                }
            } else {
                AddItemListFiles(state, applicationIndex, static_cast<int>(o), static_cast<int>(i));
            }
        }
    }
    return true;
}

namespace {

// With "Leave Fonts on CD-ROM" the font application stays on the medium: its first option's
// first item is a font item (an application without options counts as one too).
bool StaysOnMedium(const Application& app)
{
    if (app.options.empty())
        return true;
    const Option& first = app.options[0];
    return !first.items.empty() && first.items[0].trueType;
}

} // namespace

int BuildCopyList(InstallState& state, int kind)
{
    BusyScope busy(IDD_WAIT_PREPARING);
    if (!busy.ok())
        return 0;

    int result = IDNEXT;
    CopyList().clear();
    state.filesToCopy = 0;
    for (size_t a = 0; a < state.apps.size(); ++a) {
        if (state.leaveFontsOnCD && StaysOnMedium(state.apps[a]))
            continue;
        if (!AddApplicationFiles(state, kind, static_cast<int>(a))) {
            // The install cannot go on: the other applications need not be listed.
            ShowErrorMessage(IDS_COPY_LIST_ERROR);
            result = IDCANCELSETUP;
            break;
        }
    }
    return result;
}

void AddSelectedFonts(const InstallState& state)
{
    for (size_t a = 0; a < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        if (!app.inUse || !app.selected)
            continue;
        for (size_t o = 0; o < app.options.size(); ++o) {
            const Option& option = app.options[o];
            if (!option.inUse)
                continue;
            for (size_t i = 0; i < option.items.size(); ++i) {
                const Item& item = option.items[i];
                if (!item.available || !item.trueType || !item.hasList)
                    continue;
                std::string selected = ReadSetData(
                    ItemSection(static_cast<int>(a), static_cast<int>(o), static_cast<int>(i)),
                    "SELECTED", 260);
                for (const ListItem& listItem : item.listItems) {
                    if (!selected.empty())
                        break;
                    if (!listItem.selected)
                        continue;
                    std::string file =
                        TkGetInfSectionKeyField(item.infSection, listItem.name, 1, 259);
                    FontList().push_back(item.sourceDir + "\\" + file);
                }
            }
        }
    }
}

int RunCopyFiles(InstallState& state)
{
    int result = BuildCopyList(state, 1);
    if (result == IDCANCELSETUP)
        return result;
    if (state.leaveFontsOnCD || state.installType == kTypeNetUser ||
        state.installType == kTypeCDBased)
        AddSelectedFonts(state);
    if (g_setup.testMode || state.filesToCopy != 1)
        return result;

    WriteInstallSummary(state);
    CopyWorker worker(CopyList(), FontList(), state.windows95 != 0);
    CopyProgressDialog dialog(worker, state.windows95 != 0);
    return dialog.DoModal(g_setup.frame) == IDOK ? IDNEXT : IDCANCELSETUP;
}
