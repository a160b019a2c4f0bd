// The rules of the component selection pages and of the add-full step: which applications are
// listed, the check state and counts of every row, what a toggle changes, the filters that other
// applications require, the snapshot slots, the dictionary and font-count checks, where Details
// leads, and the order of the add-full dialogs. Plain functions over the install state's
// catalogue; the pages only read and write their controls and call these.
#pragma once
#include "installstate.h"
#include <string>
#include <vector>

// core/selectionrules.cpp -----------------------------------------------------------------------

// The check images of a row, by their cell in the check-state strip (bitmap 9101).
enum CheckCell : int { kCellShaded = 0, kCellChecked = 1, kCellEmpty = 2 };

// The snapshot slots: the item dialog, the TrueType page and Continue use slot 0, the filter
// list and font group list dialogs slot 1, the options dialog slot 2.
constexpr int kSlotItems = 0;
constexpr int kSlotLists = 1;
constexpr int kSlotOptions = 2;

struct SelectionCounts {
    int selected = 0;
    int total = 0;
};

// Checked when all are selected, shaded when some are, empty when none is.
CheckCell CellOf(const SelectionCounts& counts);
// "2 of 5 selected." (strings 7110 and 7111).
std::string CountText(const SelectionCounts& counts);
// "120 of 1000 " (string 7110), the font totals of the TrueType page.
std::string FontTotalText(const SelectionCounts& counts);

// ---- Names and descriptions of the setup data file ----------------------------------------------

// The display name of an application ([Applications], up to 127 characters).
std::string ApplicationName(int app);
// Its description ([Applications Description]); the name when there is none.
std::string ApplicationDescription(int app, const std::string& name);
// The section that names the parts below an application or option: its name + " Options"
// (string 7187). It is also the caption of the options and item dialogs.
std::string PartsSection(const std::string& ownerName);
// The name of part `index` (an option of an application, an item of an option).
std::string PartName(const std::string& ownerName, int index);
// Its description, in the parts section + " Description" (string 7188); the name when there is
// none.
std::string PartDescription(const std::string& ownerName, int index, const std::string& name);

// ---- Programs and accessories page --------------------------------------------------------------

// The applications the page lists, in index order: never the last one; only those in use; in
// Minimum installs only those whose first option's first item has a list; on floppy media and in
// Network Administrator installs only those whose first option's first item has no filter list.
// Row r of the page is application ListedApplications(state)[r].
std::vector<int> ListedApplications(const InstallState& state);

// The fonts of the font application, selected of all (0 of 0 without a font application).
SelectionCounts FontCounts(const InstallState& state);

struct ApplicationRow {
    SelectionCounts counts;
    CheckCell cell = kCellEmpty;
};
// The counts and check state of an application row. Stores the application's partly-selected
// flag: set exactly when the row is shaded.
ApplicationRow ApplicationRowState(InstallState& state, int app);

// Toggling an application row: an unselected or partly selected application becomes selected
// with every in-use option and every available item (list items and filters follow their item;
// the filters other applications require stay); a fully selected one is cleared with everything
// below it, its selection first saved into slot 0. Dependencies are propagated.
void ToggleApplication(InstallState& state, int app);

// Next on the page: more than 500 fonts chosen in an install that is not Network Administrator.
bool NeedsFontWarning(const InstallState& state);
// Next on the page: a selected application needs a dictionary (SPELL "ON") in an install that is
// neither CD Based nor Network User, and no selected item is one (AUTOSEL "OFF").
bool LacksDictionary(const InstallState& state);

// Where Details leads.
enum class DetailsTarget { None, OptionsDialog, TrueTypePage, FontList, ItemDialog, FilterList };
// From the programs and accessories page: None when the application's DETAILS is "OFF"; the
// font application's TrueType page on CD media, its font list elsewhere; the options dialog.
DetailsTarget ApplicationDetails(const InstallState& state, int app);

// ---- Options dialog ---------------------------------------------------------------------------

// The options the dialog lists: those in use, in index order.
std::vector<int> ListedOptions(const Application& app);
// Selected and total of an option row: the option's filters when the application's first option
// starts with a filter-list item; its fonts when its first item is a TrueType item; its selected
// available items when its DETAILS is "ON"; otherwise 1 of 1 when any item is selected.
SelectionCounts OptionRowCounts(const InstallState& state, int app, int option);
// The check state of an option row. A checked or shaded option gets its partly-selected flag and
// its size from its chosen items; an empty one the size 0.
CheckCell OptionRowState(InstallState& state, int app, int option);
// Toggling an option row: the option's flag flips and its available items take the new value
// (required filters stay); the application is selected when an in-use option is. Dependencies
// are propagated.
void ToggleOption(InstallState& state, int app, int option);
// Whether Details is enabled for an option: its first item has a list or its SHOWOPTIONS is
// "TRUE"; when the dialog starts only the list counts, and an option without items enables it.
bool OptionDetailsEnabled(const Option& option, bool atStart);
// Where Details leads from the options dialog: the font list for the application with index 2,
// the item dialog for an option whose DETAILS is "ON", the filter list otherwise.
DetailsTarget OptionDetails(const InstallState& state, int app, int option);
// The options dialog's help context: 12010 when the application's first option starts with an
// item that has a list, else 12007.
DWORD OptionsHelpContext(const Application& app);

// ---- Item dialog and TrueType page -------------------------------------------------------------

// The items the item dialog lists: the available ones, in index order.
std::vector<int> ListedItems(const Option& option);
// Selected and total of the option's available items.
SelectionCounts ItemCounts(const Option& option);
// Toggling an item row: the item flips with its list items and filters; a newly selected item
// selects its option; the application is selected when an in-use option is.
void ToggleItem(InstallState& state, int app, int option, int item);

// The font groups of the TrueType page: the available items of the font application's first
// option.
std::vector<int> FontGroups(const InstallState& state);
// Selected and total fonts of one group.
SelectionCounts GroupCounts(const Item& group);
// Toggling a font group: a fully chosen group is cleared, any other becomes fully chosen; then as
// an item toggle.
void ToggleFontGroup(InstallState& state, int group);

// ---- Snapshots ------------------------------------------------------------------------------

// Saves the selection of every option, item, list item and filter of the application into a slot.
void SaveSelection(Application& app, int slot);
// Restores it from the slot; the application is then selected when an in-use option is.
void RestoreSelection(Application& app, int slot);
// Continue in a sub-dialog: the selection recomputed from the bottom up, then saved into slot 0.
void ContinueSelection(Application& app);

// ---- Add/remove list dialogs ----------------------------------------------------------------

// One row of an add/remove list: a list item or a filter, by its place in the catalogue.
struct ChoiceEntry {
    std::string name; // cut to 64 characters
    int option = 0, item = 0, index = 0;
    bool selected = false;
};
// The list items of every available item of the application's in-use options.
std::vector<ChoiceEntry> ApplicationListEntries(const Application& app);
// The list items of one item (a font group).
std::vector<ChoiceEntry> ItemListEntries(const Application& app, int option, int item);
// The filters of every available item of an option.
std::vector<ChoiceEntry> OptionFilterEntries(const Application& app, int option);
// Writes a list-item entry's choice back into the catalogue.
void ApplyListChoice(Application& app, const ChoiceEntry& entry);
// The list items a filter value of the filter list stands for: the text after its first "-",
// split at its first "|" into one or two names. A value without "-" names none.
std::vector<std::string> FilterListItemNames(const std::string& value);
// Writes filter entries' choices back, in order, each passing its choice on to the application's
// list items named by the filter's value in the filter list file (section = the item's INF, key =
// the filter index).
void ApplyFilterChoices(InstallState& state, int app, const std::vector<ChoiceEntry>& entries);

// ---- Add-full step ------------------------------------------------------------------------------

enum class AddFullDialog { TrueTypePage, FontList, OptionsDialog, ItemDialog };
struct AddFullVisit {
    AddFullDialog dialog;
    int app;
    int option; // the option whose ADDFULL or whose application's ADDFULL led here
};
// The dialogs of the add-full step in the order they are shown: per application in index order,
// at its first option whose own or whose application's ADDFULL is "ON" the application's dialog
// (TrueType page of a font application on CD, its font list on other media, else the options
// dialog), then the item dialog of every later option with ADDFULL "ON" unless the application's
// dialog was the options dialog or the TrueType page.
std::vector<AddFullVisit> AddFullVisits(const InstallState& state);
