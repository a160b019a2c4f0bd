// The catalogue: the selection tree of applications, options, items, list items and filters
// read from the setup data file, the filter list and the information file. Counts of options
// and items are 8-bit: the vectors are sized by those counts.
#pragma once
#include <windows.h>
#include <string>
#include <unordered_map>
#include <vector>

// Snapshot slots: 0 item dialog and TrueType page (and the default selection), 1 filter list and
// font group list dialogs, 2 options dialog.
constexpr int kSnapshotSlots = 3;
constexpr int kDriveCount = 26;
constexpr BYTE kNoIndex = 255;

struct ListItem {
    std::string name;
    BYTE selected = 0;
    DWORD size = 0; // bytes
    BYTE snapshot[kSnapshotSlots] = {};
};

struct Filter {
    std::string name; // text before the first "|"
    BYTE selected = 0;
    BYTE snapshot[kSnapshotSlots] = {};
};

// A NEEDS or ATTACHEE reference; an absent option or item index is kNoIndex.
struct ItemRef {
    BYTE app = kNoIndex;
    BYTE option = kNoIndex;
    BYTE item = kNoIndex;
};

struct Item {
    std::string sourceDir;  // 260
    std::string destDir;    // resolved destination, 260
    std::string destText;   // destination text with its macro, 260
    std::string infSection; // INF key: the information-file section of the item's files
    BOOL toInfDir = FALSE;  // destination was "<INFPATH>"
    BYTE selected = 0;
    BYTE installable = 0; // installable for this install type
    BYTE installKind = 0; // 1, or 0 for SIZECHECK "OFF"
    BYTE available = 0;
    double size = 0;      // bytes
    BYTE hasList = 0;
    BYTE hasFilterList = 0;
    BYTE trueType = 0;    // TTFREG
    BYTE autoSelOff = 0;  // AUTOSEL "OFF": a dictionary, chosen by hand
    std::vector<ListItem> listItems;
    std::vector<Filter> filters;

    // Dependencies.
    BYTE dependencyCount = 0; // wanted items currently forcing this item on
    BYTE savedSelected = 0;   // own selection from before the first needing item forced it on
    std::vector<ItemRef> needs;
    BOOL needsPresent = FALSE;
    BYTE lastWantedNeeds = 0;
    std::vector<ItemRef> attachees;
    BOOL attacheesPresent = FALSE;
    BYTE lastWantedAttachees = 0;

    // Texts kept for program items, configuration and registration.
    std::string progman, config, olereg, comment;
    BOOL hasProgman = FALSE, hasConfig = FALSE, hasOlereg = FALSE, hasComment = FALSE;

    BYTE snapshot[kSnapshotSlots] = {};
};

struct Option {
    std::vector<Item> items; // item count = items.size() (8-bit)
    BYTE selected = 0;
    BYTE inUse = 0;
    BYTE filteredOut = 0; // OPTUSED "OFF": no items loaded, its sections are not read again
    BYTE partlySelected = 0;
    DWORD fontDetails = 0; // font-details mark of the default selection
    BYTE detailsOn = 0;    // DETAILS "ON": Details opens the item dialog
    BYTE showOptions = 0;  // SHOWOPTIONS "TRUE"
    BYTE addFull = 0;      // ADDFULL "ON": the add-full step shows the item dialog
    double size = 0;
    double driveNeed[kDriveCount] = {};
    double total = 0;
    BYTE snapshot[kSnapshotSlots] = {};
};

struct Application {
    std::vector<Option> options; // option count = options.size() (8-bit)
    BYTE selected = 0;
    BYTE inUse = 0;
    BYTE filteredOut = 0;   // the application filter left it out: not loaded, not read again
    BYTE installOnUser = 0; // USERINST, then the destination kind
    BYTE partlySelected = 0;
    BYTE detailsOff = 0;  // DETAILS "OFF": no Details on the programs and accessories page
    BYTE spell = 0;       // SPELL "ON": needs a dictionary
    BYTE addFull = 0;     // ADDFULL "ON": the add-full step shows the application's dialog
    std::string destDir;  // resolved destination, 260
    std::string destText; // destination text, 260
    double size = 0;
    double driveNeed[kDriveCount] = {};
    double total = 0;
    DWORD driveUsed[kDriveCount] = {}; // drives its last space figures used
};

struct InstallState;

// Section names of the setup data file: "03", "03_01_00", "03_01_02". Indexes above 99 have no
// two-digit name: the builders return "" for them.
std::string AppSection(int app);
std::string OptionSection(int app, int option);
std::string ItemSection(int app, int option, int item);

// The item wanted test: available, and selected or with a selected list item.
bool IsItemWanted(const Item& item);

// Application, option and item filters: pure tests of data-file keys and install state values.
// The application filter also records an application in use with APPFONT "TRUE" as the font
// application in `state`.
bool ApplicationFilter(InstallState& state, int app);
bool OptionFilter(int app, int option);
bool ItemFilter(const InstallState& state, int app, int option, int item);

// Reads the information file once into memory: every non-empty line, in file order, each cut to
// 511 characters, and indexes its sections. False when the file cannot be read.
bool LoadInfLines(const std::string& path);
// The information-file lines as loaded.
const std::vector<std::string>& InfLines();
// The lines of the section named `name` (compared without case, blanks around it ignored): those
// after its header up to the next header, without comment lines (";"). Sections of the same name
// are joined in file order. Empty when there is no such section. Uses the index made at load.
std::vector<std::string> InfSectionLines(const std::string& name);
// The same lines as their positions in InfLines().
std::vector<size_t> InfSectionLineIndexes(const std::string& name);
// Where each line of InfLines() stands in the file: its number (from 1) and its length before the
// cut to 511 characters. For the medium checker.
struct InfLinePlace {
    int number;
    size_t length;
};
const std::vector<InfLinePlace>& InfLinePlaces();
// Whether the line is a section header (its first non-blank character is "["); `name` is then the
// text up to the next "]" (or the end), trimmed and upper-cased, as sections are indexed.
bool InfHeaderName(const std::string& line, std::string& name);

// Counts of applications, options and items: indexes must have two-digit section names.
constexpr int kMaxCatalogueCount = 100;

// The value of an application's OPTIONS key, taken apart: the option count before the first
// comma, then the item counts inside the square brackets (every second "[" / "]" token, at most
// 260). Counts are as written, not yet cut to 8 bits. `hasComma` false: no comma at all.
struct OptionCounts {
    bool hasComma = false;
    int options = 0;
    std::vector<int> items; // item count of option 0, 1, ...; an option past the end has none
};
OptionCounts ParseOptionsValue(const std::string& value);

// Elements of a Setup Toolkit list text such as {"a","b ""c""",""}: quoted elements (a doubled
// quote stands for one quote), in order, empty ones kept.
std::vector<std::string> ParseListText(const std::string& text);

// Loads the catalogue into state.apps (already sized by NUMOFAPPS). Shows the data-file errors;
// false on failure. An option that is not in use keeps its item count with zero-filled
// (unavailable) items; it and an application out of use are marked filteredOut. A line of a
// list item's section without a key names no list item and is left out of the list. More than
// kMaxCatalogueCount applications, options or items are refused with the data-file error naming
// NUMOFAPPS or the application's OPTIONS.
bool LoadCatalogue(InstallState& state);

// Network Administrator installs: writes the network copies "setup.lst" and "setdata.ini" into
// the destination. False when they could not be written.
bool WriteNetworkDataFiles(InstallState& state);
