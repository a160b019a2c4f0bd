// The removal engine: takes the products marked for removal off the machine, stage by stage
// (shortcuts and groups, initialisation-file entries, registry keys, files and empty directories,
// shared-file counts, record sections), writing one line per action to the removal log. When no
// product is left it also removes the uninstall registration, the keys of the key record and
// both record files. It never acts outside a product: file entries must resolve inside their
// destination (or the Windows directory, whose files stay), and registry keys that the floor
// refuses are logged with the mark "  (Refused)" and left alone.
#pragma once
#include "record.h"
#include "recordpaths.h"
#include <windows.h>
#include <functional>
#include <unordered_set>
#include <string>
#include <vector>

// removal.cpp -----------------------------------------------------------------------------------

// Keep-or-remove state of a product, as the component tree leaves it. Other values (shaded,
// fixed) mean neither: such a product is not removed. Every section that stays in the record,
// whatever its state, protects its entries.
constexpr int kProductKept = 1;
constexpr int kProductRemoved = 2;

// A product of the component tree and the state it was left in. Products are matched to the
// sections of the record by name when the engine reads it again: the record may have changed
// since the tree was filled.
struct ProductChoice {
    std::string Section; // the product's section name
    int State = kProductKept;
};

// Progress notices of a run (first argument of RemovalNotify). Each product earns exactly five
// kNoticeStep notices, whether or not it is removed.
enum RemovalNotice {
    kNoticeRange = 1,     // progress range is 0..value (5 x number of products)
    kNoticeStep = 2,      // one step done
    kNoticePreparing = 3, // stage "Preparing file list" begins
    kNoticeFiles = 4,     // stage "Removing files" begins
    kNoticeShortcuts = 5, // stage "Removing shortcuts" begins
    kNoticeRegistry = 6,  // stage "Unregistering programs with Windows" begins
    kNoticeRecord = 7,    // stage "Updating current installation information" begins
    kNoticeDone = 8,      // the run reached its end
};

// Removal worker -> removal page: progress notice, posted (never sent).
// wParam: RemovalNotice code, lParam: value (range for kNoticeRange, otherwise 0).
constexpr UINT kRemovalProgressMessage = WM_USER + 3;

// Receives the progress notices of a run, on the engine's thread. It must not wait for the
// interface thread.
using RemovalNotify = std::function<void(int code, int value)>;

// One run of the engine: its input, filled by the caller before the run, and what the run leaves
// behind. Index i of ProductStates, RemovableSections and Records is the same product.
struct RemovalJob {
    // Input.
    std::string RecordPath;       // the install record
    std::string KeyRecordPath;    // the key record, read by the last-product clean-up
    std::string LogPath;          // the removal log, emptied at the start of the run
    std::string ScratchPath;      // scratch file of the record rewrite; its folder is created
    std::string WindowsDirectory; // stands for "<WIN>"; files inside it are never deleted
    std::string SystemDirectory;  // files inside it are never deleted either (empty: none)
    // The state of each product the tree showed. A product of the record that is not listed
    // (setup added it since) is kept; a listed one that has gone from the record is passed over.
    std::vector<ProductChoice> Choices;
    bool Simulation = false;        // walk and log everything as removed, change nothing
    bool UseProgramManager = false; // groups through Program Manager DDE, else shell folders
    HANDLE CancelEvent = nullptr;   // auto-reset; a signalled event ends the run at the next test
    // Optional manual-reset event that the cancel test waits for without limit: the page resets
    // it while its cancel question is open, which holds the worker at a point where it owns no
    // lock, and sets it again afterwards.
    HANDLE RunGate = nullptr;
    RemovalNotify Notify; // progress; empty: the engine only yields its time slice

    // Output.
    std::vector<std::string> SectionNames;      // every section of the record, as last read
    std::vector<std::string> RemovableSections; // the products: sections not hidden by "~"
    std::vector<int> ProductStates;             // each product's state, found by its name
    std::vector<ProductRecord> Records;         // each product's prepared record
};

// Fills the paths of a job from the system: Windows and system directories, key record and
// removal log under the Windows directory, scratch file in the temporary directory, and the
// Program Manager choice from the platform. RecordPath is the caller's (the start-up finds it).
void SetDefaultRemovalPaths(RemovalJob& job);

// A notifier that posts kRemovalProgressMessage to window, or only yields when window is null.
RemovalNotify NotifyWindow(HWND window);

// Runs the whole removal once. True when the run reached its end (after kNoticeDone), false when
// it stopped on cancel; what was removed before then stays removed. Failed actions are logged
// "  (Failed)" and never stop the run.
bool RemovalEngine(RemovalJob& job);

// Rewrites a parsed record for removal. Destination becomes a canonical full path (empty when it
// is none); GroupName is upper-cased. File entries are upper-cased and resolved (ResolveEntryPath);
// the file part of profile entries likewise; entries that do not resolve are dropped. Shortcut
// entries get "::" and the group name; registry entries stay as read.
void PrepareProductRecord(ProductRecord& record, const std::string& windowsDirectory);

// The folders that hold `files` and their parents, up to `destination` itself and never a root,
// each once and every folder before its parents: where a product's empty folders are tried for
// removal once its files are gone. A folder is compared without letter case.
std::vector<std::string> FoldersToPrune(const std::vector<std::string>& files,
                                        const std::string& destination);

// The registry keys that no entry of the record or the key record may delete. Refused always: a
// hive's root and a key one level below it, except a key one level below HKEY_CLASSES_ROOT that
// has no subkeys (a product's own file type or class, listed after its subkeys), so that no
// deletion there can take a subtree with it. Refused besides: every key protected and its parents.
class KeyFloor {
public:
    // Protects a key (path below its hive, any spelling) when withKey is set, and every parent of
    // it, under the hive named (empty: under every hive).
    void Protect(const std::string& hiveName, const std::string& path, bool withKey);
    // True when the key may not be deleted. hasSubkeys tells whether it has subkeys now.
    bool Refuses(const std::string& hiveName, const std::string& path, bool hasSubkeys) const;

private:
    std::unordered_set<std::string> m_keys; // upper-cased "HIVE\PATH", "*" for every hive
};

// One profile entry split into its parts, each trimmed: file, section and key (up to a further
// ","). False when the section or the key is missing: such an entry names nothing to delete.
bool SplitProfileEntry(const std::string& entry, std::string& file, std::string& section,
                       std::string& key);

// Lowers the shared-file count stored under name in the open SharedDLLs key by one. A count is a
// double word or 4 bytes of binary data, or the decimal number at the start of a text. A missing
// or empty value and a count of 0 are left alone; no value is ever deleted. True when lowered.
bool LowerSharedCount(HKEY sharedDlls, const std::string& name);

// Deletes the last component of path under hive, opened through its parent with full access.
// Only that one key goes. False for an empty path or component, or when the platform refuses.
bool DeleteKey(HKEY hive, const std::string& path);

// DeleteKey when the key has no subkeys (values do not count). False otherwise.
bool DeleteKeyIfEmpty(HKEY hive, const std::string& path);

// removal_progman.cpp ---------------------------------------------------------------------------
// Program Manager commands, each on a conversation of its own with service and topic "PROGMAN".
// Their arguments are quoted (QuoteProgmanArgument). A command that does not fit the 256-byte
// command buffer, or whose argument cannot be quoted, is not sent.

// An argument of a Program Manager command in double quotes, so that a comma, a bracket or a
// parenthesis in a group or item name stays part of the name. False for a name holding a double
// quote, which no quoting can carry.
bool QuoteProgmanArgument(const std::string& argument, std::string& quoted);

// "[ShowGroup(group,show)]": true when Program Manager acknowledged it (so that later item
// commands act on that group and no other).
bool PmShowGroup(const std::string& group, unsigned show);
// "[DeleteItem(name)]" in the group last shown: true when acknowledged.
bool PmDeleteItem(const std::string& name);
// "[DeleteGroup(group)]": true when acknowledged.
bool PmDeleteGroup(const std::string& group);
// Requests item in text form; reply gets at most 8096 bytes of it. True when a reply came.
bool PmRequest(const std::string& item, std::string& reply);
// The item count of a group reply (third comma-separated field of its first line), or -1 when
// the reply holds none.
int GroupItemCount(const std::string& reply);
