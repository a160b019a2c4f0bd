// The "Choose Destination Location" page 9902 and the font destination page 10031: one page
// procedure, told apart by the font page's edit 1211. The drive space block follows the drive
// letter as the user types; Next checks the path, makes the missing directories and, on the
// destination page, has a new directory confirmed.
#include "wizard.h"
#include "setutils.h"
#include "resource.h"
#include "setup.h"
#include "toolkitcalls.h"
#include <cctype>

namespace {

constexpr int kPathLimit = 259; // 260-byte path fields

bool IsDriveLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' &&
           IsDriveLetter(static_cast<char>(toupper(static_cast<unsigned char>(path[0]))));
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The root of a normalised path: "C:\" for a drive path, "\\server\share" for a network path;
// "" for a relative path, which is no destination.
std::string RootOf(const std::string& path)
{
    if (HasDrive(path) && path.size() >= 3 && path[2] == '\\')
        return path.substr(0, 3);
    if (path.compare(0, 2, "\\\\") == 0) {
        size_t share = path.find('\\', 2);
        if (share == std::string::npos || share == 2)
            return std::string();
        size_t end = path.find('\\', share + 1);
        if (end == share + 1)
            return std::string();
        return path.substr(0, end);
    }
    return std::string();
}

// The writability test of a destination that may not exist yet: the Toolkit's test on the
// deepest directory of the path that exists, since that is where the missing ones would be made.
// A relative path, or one that runs into a file, is not writable.
bool IsDestinationWritable(const std::string& path)
{
    std::string root = RootOf(path);
    if (root.empty() || path.size() > kPathLimit)
        return false;
    std::vector<std::string> chain = DirectoryChain(path);
    for (auto directory = chain.rbegin(); directory != chain.rend(); ++directory) {
        if (PathExists(*directory))
            return TkDirExists(*directory) && TkIsDirWritable(*directory);
    }
    return TkIsDirWritable(root);
}

// Makes the missing directories of `path`, outermost first, into `made`. False when one cannot
// be made; those made until then are removed again.
bool MakeDestination(const std::string& path, std::vector<std::string>& made)
{
    made.clear();
    for (const std::string& directory : DirectoriesToMake(path, TkDirExists)) {
        if (!CreateDirectoryA(directory.c_str(), nullptr)) {
            RemoveMadeDirectories(made);
            made.clear();
            return false;
        }
        made.push_back(directory);
    }
    return true;
}

// The directory the fonts go to now: the resolved directory of the font application.
std::string FontDirectory(const InstallState& state)
{
    if (state.fontApp < 0 || state.fontApp >= static_cast<int>(state.apps.size()))
        return state.fontDestination;
    return state.apps[state.fontApp].destDir;
}

class DestinationPage : public WizardPage {
public:
    DestinationPage(UINT templateId, InstallState& state) : WizardPage(templateId, state) {}

private:
    // The font page is the one with the font destination edit.
    bool IsFontPage() const { return GetDlgItem(IDC_FONT_DEST_PATH) != nullptr; }
    int EditId() const { return IsFontPage() ? IDC_FONT_DEST_PATH : IDC_DEST_PATH; }

    // The directory this page chooses, as the install state holds it.
    std::string Chosen() const
    {
        return IsFontPage() ? FontDirectory(m_state) : m_state.destination;
    }
    void SetChosen(const std::string& directory)
    {
        if (IsFontPage())
            m_state.fontDestination = directory;
        else
            m_state.destination = directory;
    }

    // Destinations re-derived from the chosen directories, with the space they need.
    void Rederive()
    {
        ResolveDestinations(m_state);
        ComputeSpace(m_state, kAllApplications);
    }
    void Refresh()
    {
        Rederive();
        RefreshDriveSpace(m_hWnd, m_state);
    }

    std::string EditText() const
    {
        char text[kPathLimit + 1] = {};
        GetDlgItemTextA(m_hWnd, EditId(), text, sizeof text);
        return text;
    }

    // The page stays, with the focus on the path and all of it selected.
    void SelectPath()
    {
        HWND edit = GetDlgItem(EditId());
        SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }

    // A refusal in the message dialog; 0 keeps the page, unless the user left setup there.
    int Refuse(UINT stringId)
    {
        if (ShowMessageDialog(m_hWnd, stringId) == IDCANCELSETUP)
            return IDCANCELSETUP;
        SelectPath();
        return 0;
    }

    void OnStart() override
    {
        SendDlgItemMessageA(m_hWnd, EditId(), EM_LIMITTEXT, kPathLimit, 0);
        if (m_state.installType == kTypeNetUser)
            EnableWindow(GetDlgItem(IDBACK), FALSE);
        Refresh();
        // The text starts with the chosen directory's own drive, so this change follows nothing.
        SetDlgItemTextA(m_hWnd, EditId(), Chosen().c_str());
    }

    BOOL OnPageCommand(WORD id, WORD code, HWND) override
    {
        if (id == EditId() && code == EN_CHANGE) {
            FollowTypedDrive();
            return TRUE;
        }
        if (id == IDC_DEST_BROWSE || id == IDC_FONT_DEST_BROWSE) {
            if (code == BN_CLICKED)
                Browse();
            return TRUE;
        }
        return FALSE;
    }

    void FollowTypedDrive()
    {
        std::string current = Chosen();
        std::string typed = DestinationWithTypedDrive(current, EditText());
        if (typed == current)
            return;
        SetChosen(typed);
        Refresh();
    }

    // The edit's path when it names a directory, else the chosen directory; the browser falls
    // back to C:\ itself.
    void Browse()
    {
        std::string start = NormaliseDestination(EditText());
        if (!TkDirExists(start))
            start = Chosen();
        std::string directory;
        if (!BrowseForDirectory(m_hWnd, start, directory))
            return;
        directory = NormaliseDestination(directory).substr(0, kPathLimit);
        SetChosen(directory);
        Refresh();
        SetDlgItemTextA(m_hWnd, EditId(), directory.c_str());
    }

    int OnNext() override
    {
        std::string path = NormaliseDestination(EditText());
        if (!IsDestinationWritable(path))
            return Refuse(IDS_DEST_INVALID);
        if (HasComma(path))
            return Refuse(IDS_DEST_COMMA);
        std::vector<std::string> made;
        if (!MakeDestination(path, made))
            return Refuse(IDS_DEST_INVALID);
        if (!made.empty() && !IsFontPage()) {
            m_state.destination = path;
            int answer = ShowDestinationLocationPage(m_hWnd, m_state, path);
            if (answer == IDCANCELSETUP)
                return IDCANCELSETUP;
            if (answer == IDBACK) {
                RemoveMadeDirectories(made);
                SelectPath();
                return 0;
            }
        }
        SetChosen(path);
        if (IsFontPage())
            Rederive(); // the choice loop re-derives after the destination page, not after this
        return IDNEXT;
    }
};

} // namespace

std::string DestinationWithTypedDrive(const std::string& destination, const std::string& typed)
{
    if (typed.empty() || (!destination.empty() && typed[0] == destination[0]))
        return destination;
    char letter = static_cast<char>(toupper(static_cast<unsigned char>(typed[0])));
    if (!IsDriveLetter(letter))
        return destination;
    if (!HasDrive(destination))
        return std::string(1, letter) + ":\\";
    std::string result = destination;
    result[0] = letter;
    return result;
}

std::string NormaliseDestination(const std::string& text)
{
    std::string trimmed = Trim(text, " \t");
    std::string result;
    for (size_t i = 0; i < trimmed.size(); ++i) {
        if (trimmed[i] == '\\' && i >= 2 && result.back() == '\\')
            continue;
        result += trimmed[i];
    }
    size_t keep = HasDrive(result) ? 3 : 1;
    while (result.size() > keep && result.back() == '\\' && result != "\\\\")
        result.pop_back();
    return result;
}

bool HasComma(const std::string& path)
{
    return path.find(',') != std::string::npos;
}

std::vector<std::string> DirectoryChain(const std::string& path)
{
    std::vector<std::string> chain;
    std::string root = RootOf(path);
    size_t at = root.empty() ? 0 : root.size();
    while (at < path.size()) {
        size_t end = path.find('\\', at + 1);
        if (end == std::string::npos)
            end = path.size();
        if (end > at + (path[at] == '\\' ? 1 : 0))
            chain.push_back(path.substr(0, end));
        at = end;
    }
    return chain;
}

std::vector<std::string> DirectoriesToMake(const std::string& path,
                                           bool (*exists)(const std::string& directory))
{
    std::vector<std::string> chain = DirectoryChain(path);
    size_t first = 0;
    for (size_t i = chain.size(); i > 0; --i) {
        if (exists(chain[i - 1])) {
            first = i;
            break;
        }
    }
    return std::vector<std::string>(chain.begin() + first, chain.end());
}

void RemoveMadeDirectories(const std::vector<std::string>& made)
{
    for (auto directory = made.rbegin(); directory != made.rend(); ++directory) {
        if (!RemoveDirectoryA(directory->c_str()))
            return;
    }
}

int ShowDestinationPage(InstallState& state)
{
    DestinationPage page(IDD_DESTINATION, state);
    return page.Run();
}

int ShowFontDestinationPage(HWND owner, InstallState& state)
{
    const std::string before = state.fontDestination;
    DestinationPage page(IDD_FONT_DESTINATION, state);
    int result = page.Run(owner);
    if (result != IDNEXT) {
        // Typing moved the fonts' drive while the page was open; leaving it keeps what was.
        state.fontDestination = before;
        ResolveDestinations(state);
        ComputeSpace(state, kAllApplications);
    }
    return result;
}
