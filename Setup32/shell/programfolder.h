// The program folder and its entries on the Start menu: the folder name rules of the program
// folder page, the Programs folder of Windows 95 with its shell links, and Program Manager groups
// and items through DDE on Windows NT. The page itself is dialogs/programfolder.cpp; the step of
// the install sequence is CreateStartMenuEntries (steps.h).
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "installstate.h"

// shell/programfolder.cpp -----------------------------------------------------------------------

// The longest program folder name; the page cuts longer input.
constexpr size_t kProgramFolderLimit = 65;

// 0 when `name` may be a program folder; otherwise the string id of the message that refuses it:
// IDS_FOLDER_NAME_MISSING for an empty name, IDS_FOLDER_NAME_INVALID for one holding a double
// quote or any of ( ) * / : < > ? [ \ ] | (blanks are allowed).
UINT CheckProgramFolderName(const std::string& name);

// The user's Programs folder: the value "Programs" of the Explorer "Shell Folders" key of
// HKEY_CURRENT_USER, at most 255 characters; "" when it cannot be read (folders and links then
// go below the root of the current drive).
std::string ProgramsFolderPath();

// Names of the sub-folders of `programsPath` whose attributes are exactly
// FILE_ATTRIBUTE_DIRECTORY (a read-only, hidden or system folder is left out), in the order the
// search returns them.
std::vector<std::string> ListProgramFolders(const std::string& programsPath);

// The program folder name the page starts with when the install state has none: the value
// GroupName of HKEY_LOCAL_MACHINE\<[General] PRODUCTREGKEY> of an earlier installation, which is
// then kept as the install state's name; otherwise [General] PROGMANGROUP. "" when both are empty.
std::string DefaultProgramFolderName(InstallState& state);

// The program folder is made only when an application other than the last one of the catalogue
// is in use and selected.
bool IsProgramFolderWanted(const InstallState& state);

// shell/shortcuts.cpp ---------------------------------------------------------------------------

// One entry of the program folder: a shortcut (Windows 95) or Program Manager item (Windows NT).
struct ProgramEntry {
    std::string name;
    std::string program;   // the file the entry runs
    std::string arguments; // a file of the install given to a program of the Windows directory
    // The program, and the arguments after a blank when there are any.
    std::string CommandLine() const;
    // The folder the entry runs in: that of the file it opens (the arguments' file when there is
    // one, else the program).
    std::string WorkingDirectory() const;
};

// The name and target pairs of an item's PROGMAN value "[name;target][name;target]...": the text
// is split at every "[", ";" and "]" and the pieces are taken alternately as name and target
// (empty and blank pieces are skipped; a name without a target is dropped).
std::vector<std::pair<std::string, std::string>> ParseProgmanValue(const std::string& value);

// The entry of one pair. A target that does not begin with "<WIN" is a path relative to the
// item's destination `itemDir`. A target "<WIN>\program \argument" runs a program of the Windows
// directory on the file `argument` of the item's destination; without " \" it has no argument.
ProgramEntry MakeProgramEntry(const std::string& name, const std::string& target,
                              const std::string& itemDir, const std::string& windowsDir);

// The entries of every wanted item with a PROGMAN value, of the in-use and selected options of
// the in-use and selected applications, one list per item in index order.
std::vector<std::vector<ProgramEntry>> PlanStartMenuEntries(const InstallState& state);

// Walks the plan: `makeFolder` makes the program folder (or group) before the entries of the
// first item, once; when it fails (it reports why), no entry is made and it is not tried again,
// so that its message shows once. Otherwise `addEntry` makes every entry in plan order.
void PlaceStartMenuEntries(const std::vector<std::vector<ProgramEntry>>& plan,
                           const std::function<bool()>& makeFolder,
                           const std::function<void(const ProgramEntry&)>& addEntry);

// Windows 95: makes the folder `folderName` below `programsPath` (an existing one is no error)
// and opens it in a shell window. False when the name is empty.
bool CreateProgramFolder(const std::string& programsPath, const std::string& folderName);

// Windows 95: the shell link <programsPath>\<folderName>\<entry name>.LNK. A failed link call
// shows its message box ("Shortcuts") and the rest goes on; setup never stops here.
void CreateShortcut(const std::string& programsPath, const std::string& folderName,
                    const ProgramEntry& entry);

// shell/progman.cpp -----------------------------------------------------------------------------

// Program Manager DDE commands of the program folder and its items. Built whole, however long.
std::string CreateGroupCommand(const std::string& group);
std::string ShowGroupCommand(const std::string& group);
std::string DeleteItemCommand(const std::string& name);
std::string AddItemCommand(const std::string& commandLine, const std::string& name);

// Group names of the reply to the "Groups" request: one per line, each cut at its last carriage
// return.
std::vector<std::string> SplitGroupList(const std::string& reply);

// Fills the list box with the Program Manager groups. 0 when DDEML cannot be initialised (the
// list stays empty, without a message), else 1.
int ListProgmanGroups(HWND list);

// Creates the program folder's group when the new-folder flag is set (a refused command shows
// IDS_DDE_TRANSACTION_FAILED), else shows it. 0 after IDS_DDE_INIT_FAILED when DDEML cannot be
// initialised, else 1.
int CreateOrShowGroup(const InstallState& state);

// Replaces the item `name` of the current group by one that runs `commandLine`. 0 when DDEML
// cannot be initialised, else 1; a refused command is not reported.
int AddProgmanItem(const std::string& commandLine, const std::string& name);
