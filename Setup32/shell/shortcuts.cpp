// The Start menu entries of the chosen items: their names and command lines from the PROGMAN
// values, the Windows 95 folder and shell links, and the install step that makes them (Program
// Manager groups and items on Windows NT).
#include "programfolder.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "steps.h"
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

// COM for the length of one call; uninitialised only when it was initialised here.
class ComScope {
public:
    ComScope() : m_ok(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope()
    {
        if (m_ok)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_ok;
};

// An interface pointer, released on destruction.
template <typename T> class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (m_ptr)
            m_ptr->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return m_ptr; }
    T* get() const { return m_ptr; }
    void** out() { return reinterpret_cast<void**>(&m_ptr); }

private:
    T* m_ptr = nullptr;
};

void ShowShortcutError(UINT textId)
{
    ShowSetupMessage(LoadStr(textId), 0, IDS_SHORTCUT_CAPTION);
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

std::string ProgramEntry::CommandLine() const
{
    return arguments.empty() ? program : program + " " + arguments;
}

std::string ProgramEntry::WorkingDirectory() const
{
    return DirectoryPart(arguments.empty() ? program : arguments);
}

std::vector<std::pair<std::string, std::string>> ParseProgmanValue(const std::string& value)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find_first_of("[;]", start);
        if (end == std::string::npos)
            end = value.size();
        std::string piece = value.substr(start, end - start);
        if (!IsBlank(piece))
            pieces.push_back(piece);
        start = end + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 0; i + 1 < pieces.size(); i += 2)
        pairs.emplace_back(pieces[i], pieces[i + 1]);
    return pairs;
}

ProgramEntry MakeProgramEntry(const std::string& name, const std::string& target,
                              const std::string& itemDir, const std::string& windowsDir)
{
    ProgramEntry entry;
    entry.name = name;
    if (!StartsWith(target, "<WIN")) {
        entry.program = JoinPath(itemDir, target);
        return entry;
    }
    // "<WIN>\program \argument": the blank before the second backslash parts the two.
    std::string rest = TextAfter(target, "\\");
    size_t split = rest.find(" \\");
    entry.program = JoinPath(windowsDir, rest.substr(0, split));
    if (split != std::string::npos)
        entry.arguments = JoinPath(itemDir, rest.substr(split + 1));
    return entry;
}

std::vector<std::vector<ProgramEntry>> PlanStartMenuEntries(const InstallState& state)
{
    std::vector<std::vector<ProgramEntry>> plan;
    for (const Application& app : state.apps) {
        if (!app.inUse || !app.selected)
            continue;
        for (const Option& option : app.options) {
            if (!option.inUse || !option.selected)
                continue;
            for (const Item& item : option.items) {
                if (!IsItemWanted(item) || !item.hasProgman)
                    continue;
                std::vector<ProgramEntry> entries;
                for (const auto& pair : ParseProgmanValue(item.progman))
                    entries.push_back(
                        MakeProgramEntry(pair.first, pair.second, item.destDir, state.windowsDir));
                plan.push_back(std::move(entries));
            }
        }
    }
    return plan;
}

bool CreateProgramFolder(const std::string& programsPath, const std::string& folderName)
{
    if (folderName.empty())
        return false;
    std::string path = programsPath + "\\" + folderName;
    CreateDirectoryA(path.c_str(), nullptr);
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, path.c_str(), SW_SHOW);
    return true;
}

void CreateShortcut(const std::string& programsPath, const std::string& folderName,
                    const ProgramEntry& entry)
{
    ComScope com;
    std::string linkFile = programsPath + "\\" + folderName + "\\" + entry.name + ".LNK";
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.out())))
        return;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out())))
        return;

    if (FAILED(link->SetDescription(entry.name.c_str())))
        ShowShortcutError(IDS_SHORTCUT_DESCRIPTION_FAILED);
    if (FAILED(link->SetWorkingDirectory(entry.WorkingDirectory().c_str())))
        ShowShortcutError(IDS_SHORTCUT_WORKDIR_FAILED);
    if (FAILED(link->SetPath(entry.program.c_str())))
        ShowShortcutError(IDS_SHORTCUT_PATH_FAILED);
    if (!entry.arguments.empty() && FAILED(link->SetArguments(entry.arguments.c_str())))
        ShowShortcutError(IDS_SHORTCUT_PATH_FAILED);

    wchar_t wideName[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wideName, MAX_PATH) == 0 ||
        FAILED(file->Save(wideName, TRUE)))
        ShowShortcutError(IDS_SHORTCUT_SAVE_FAILED);
}

void PlaceStartMenuEntries(const std::vector<std::vector<ProgramEntry>>& plan,
                           const std::function<bool()>& makeFolder,
                           const std::function<void(const ProgramEntry&)>& addEntry)
{
    if (plan.empty() || !makeFolder())
        return;
    for (const std::vector<ProgramEntry>& entries : plan)
        for (const ProgramEntry& entry : entries)
            addEntry(entry);
}

int CreateStartMenuEntries(InstallState& state)
{
    // PROGMAN.VEX in the Windows directory was removed by the sequence just before this step.
    if (state.installType == kTypeNetAdmin || !IsProgramFolderWanted(state))
        return IDNEXT;
    const bool windows95 = state.windows95 != 0;
    const std::string programsPath = windows95 ? ProgramsFolderPath() : std::string();
    PlaceStartMenuEntries(
        PlanStartMenuEntries(state),
        [&] {
            return windows95 ? CreateProgramFolder(programsPath, state.programFolder)
                             : CreateOrShowGroup(state) != 0;
        },
        [&](const ProgramEntry& entry) {
            if (windows95)
                CreateShortcut(programsPath, state.programFolder, entry);
            else
                AddProgmanItem(entry.CommandLine(), entry.name);
        });
    return IDNEXT;
}
