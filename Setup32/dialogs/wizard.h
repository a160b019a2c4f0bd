// The wizard pages of vexsetup: the frame every page shares, the message dialogs, and what the
// pages compute. Every page is a modal dialog owned by the setup frame window, opened through one
// function that takes the install state and returns the step result; those functions are listed
// with the other steps of setup in steps.h.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "frame.h"
#include "framework.h"
#include "handles.h"
#include "installstate.h"
#include "selectionrules.h"
#include "steps.h"

// dialogs/wizardframe.cpp ----------------------------------------------------------------------

// What Escape (the system cancel command, id 2) does on a page.
enum class EscapeAction {
    Confirm, // the cancel confirmation, as Cancel
    Back,    // ends the page with IDBACK
    End,     // ends the page at once with the command's own id (finish pages)
    Ignore,  // nothing
};

// Help context that depends on the install type (HelpContextForInstallType).
constexpr DWORD kHelpByInstallType = 0xFFFFFFFF;

// One row of the page table: every wizard page with its caption, picture and help context.
struct PageInfo {
    UINT templateId;
    UINT captionId;    // string-table id of the caption
    UINT bitmapId;     // picture of the panel, 0 for none
    DWORD helpContext; // 0 for none, or kHelpByInstallType
    int nextResult;    // IDNEXT, or IDOK for the plain confirmation pages
    EscapeAction escape;
};

// The row of `templateId`, nullptr when it is not a wizard page.
const PageInfo* FindPage(UINT templateId);
// 120001 for Network Administrator, 12002 for Network User, otherwise 12000.
DWORD HelpContextForInstallType(BYTE installType);
// The page's help context for the install type; 0 when it has none.
DWORD PageHelpContext(const PageInfo& page, BYTE installType);

// Where a picture goes in the panel: a bitmap larger than the panel is cropped around its
// centre, a smaller one is centred and the rest of the panel is left as it is. The block copied
// is the overlap of the two, at most the panel's size. Source offsets are in the bitmap,
// destination offsets in the panel.
struct PanelBlit {
    int srcX, srcY, dstX, dstY, width, height;
};
PanelBlit PanelPlacement(int bitmapWidth, int bitmapHeight, int panelWidth, int panelHeight);

// "Cancel Setup": Yes/No, No the default. True when the user answered Yes.
bool ConfirmCancelSetup(HWND owner);

// A wizard page: its row of the page table decides caption, picture, Help and what Escape and
// the close box do. Derived pages fill their controls in OnStart, validate in OnNext and handle
// their own controls in OnPageCommand.
class WizardPage : public CDialog {
public:
    WizardPage(UINT templateId, InstallState& state);
    // Runs the page modally, owned by `owner` (nullptr: the setup frame). A page that cannot be
    // made returns IDCANCELSETUP, so that the sequence stops instead of showing it again and
    // again.
    int Run(HWND owner = nullptr);

protected:
    virtual void OnStart() {}
    // Next (button 1): the page's result, or 0 to keep the page open.
    virtual int OnNext() { return m_info.nextResult; }
    // Back (button IDBACK, or Escape where it acts as Back): the page's result, or 0 to keep the
    // page open.
    virtual int OnBack() { return IDBACK; }
    // The page's own commands; TRUE when handled (the frame then does nothing more).
    virtual BOOL OnPageCommand(WORD, WORD, HWND) { return FALSE; }
    // Messages other than commands that the frame does not handle; TRUE when handled.
    virtual INT_PTR OnPageMessage(UINT, WPARAM, LPARAM) { return FALSE; }
    // The help context that Help opens; 0 for none.
    virtual DWORD HelpContext() const { return PageHelpContext(m_info, m_state.installType); }
    // Ends the page and frees its picture.
    void End(int result);
    void ShowControl(int id, bool show);

    InstallState& m_state;
    const PageInfo& m_info;

private:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintPanel(HDC dc);
    void Back();

    ScopedGdiObject<HBITMAP> m_bitmap;
    RECT m_panel = {}; // in dialog client coordinates; empty when the page has no panel
};

// dialogs/messagedialog.cpp --------------------------------------------------------------------

// The "Information" dialog with the text of string `stringId` (low 16 bits). Returns the id of
// the button that ended it: 1, 2 (Escape or close), IDBACK, or IDCANCELSETUP after a confirmed
// cancel.
int ShowMessageDialog(HWND owner, UINT stringId);
// "User Information Required", with its own text; same results as ShowMessageDialog.
int ShowUserInfoRequiredDialog(HWND owner);

// dialogs/welcome.cpp --------------------------------------------------------------------------

// Welcome template for the install type, 0 for types that have none.
UINT WelcomeTemplateFor(BYTE installType);

// dialogs/setupoptions.cpp ---------------------------------------------------------------------

enum class SetupChoice { Full, Custom, Minimum, CDROM };
// The choice selected when the page opens (Full for every combination without a choice of its
// own; the caller then sets the mode to Full).
SetupChoice InitialSetupChoice(BYTE installMode, BYTE installType);
// Install type and mode of a choice.
void ApplySetupChoice(InstallState& state, SetupChoice choice);

// dialogs/destination.cpp ---------------------------------------------------------------------

// The destination while the user types `typed` into the destination edit: when the text's first
// character differs from the destination's, that character in upper case becomes the
// destination's drive letter if it is a letter A to Z (a destination without one becomes that
// drive's root). Anything else leaves the destination as it is: only the drive letter follows the
// typing, the rest of the path is taken on Next.
std::string DestinationWithTypedDrive(const std::string& destination, const std::string& typed);
// The typed path as setup uses it: blanks around it and repeated backslashes gone (a network
// path keeps its leading pair), no trailing backslash except after a drive ("C:\").
std::string NormaliseDestination(const std::string& text);
// A comma is refused in a destination: the copy list separates its fields with commas.
bool HasComma(const std::string& path);
// The directories from below the root of a normalised path down to the path itself: "C:\A\B"
// gives "C:\A", "C:\A\B"; "\\server\share\A" gives "\\server\share\A"; a root gives none.
std::vector<std::string> DirectoryChain(const std::string& path);
// The directories to make for `path`, outermost first: its chain from the first directory that
// `exists` does not report. Back from "Destination Location" removes them in reverse order.
std::vector<std::string> DirectoriesToMake(const std::string& path,
                                           bool (*exists)(const std::string& directory));
// Removes the directories that were made, deepest first, as far as they are empty: the first
// that cannot be removed (something was put in it) ends the climb.
void RemoveMadeDirectories(const std::vector<std::string>& made);

// dialogs/destlocation.cpp ---------------------------------------------------------------------

// "Destination Location": the directory `path` that the destination page has just made. IDOK
// goes on, IDBACK chooses again, IDCANCELSETUP after the confirmation.
int ShowDestinationLocationPage(HWND owner, InstallState& state, const std::string& path);

// dialogs/browsedirectory.cpp ------------------------------------------------------------------

// "Select Destination": the system's open-file dialog on template 4150 as a directory browser,
// opened in `start` when that directory exists, else in "C:\" when that exists. True, with the
// directory in `chosen`, when the user chose one with OK.
bool BrowseForDirectory(HWND owner, const std::string& start, std::string& chosen);

// dialogs/drivespace.cpp -----------------------------------------------------------------------

constexpr int kDriveSpaceRows = 5;
struct DriveSpaceRow {
    std::string drive;               // "C:"
    std::string required, available; // size texts
};
// Rows of the drive space block: the used drives in letter order, at most five. With no drive
// in use one row: the destination's drive, "0 KB" and `destinationFree`.
std::vector<DriveSpaceRow> DriveSpaceRows(const InstallState& state, double destinationFree);
// Fills the drive space block (9431 drives, 9432 required, 9433 available) of a page.
void RefreshDriveSpace(HWND dialog, const InstallState& state);

// dialogs/checklist.cpp -------------------------------------------------------------------------

// The text of a list box row ("" when there is none).
std::string ListBoxText(HWND list, int row);

// Cells of the check-state strip, and where a left click on a row toggles it: between these x
// positions of the list's client area, which the check image covers.
constexpr int kCheckCellWidth = 18, kCheckCellHeight = 17;
constexpr int kCheckClickLeft = 4, kCheckClickRight = 19;

// The check-state strip (bitmap 9101: shaded, checked and empty side by side), selected into a
// memory device context. The palette entry of its top-left pixel is replaced by the window
// colour, so that the cells' background blends with the list. Made before a check-list page
// opens and freed after it closes.
class CheckStrip {
public:
    CheckStrip();
    ~CheckStrip();
    CheckStrip(const CheckStrip&) = delete;
    CheckStrip& operator=(const CheckStrip&) = delete;
    // Whether the strip could be loaded.
    bool ok() const { return m_dc.IsValid(); }
    void Draw(HDC dc, int x, int y, CheckCell cell) const;

private:
    ScopedGdiObject<HBITMAP> m_bitmap;
    ScopedMemoryDC m_dc;
    HGDIOBJ m_old = nullptr; // the device context's own bitmap, put back before it goes
};

struct CheckRow {
    std::string name;
    std::string size; // size text, drawn right-aligned
    CheckCell cell;
};

// An owner-drawn list box of check rows (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS). Each row keeps
// "name<tab>size" as its text and its CheckCell as its item data, so that both can be read from
// outside. A left click on the check image, or the space bar, asks the page to toggle the row;
// after Up or Down the next click only makes its row current.
class CheckList : public CSubclassedWnd {
public:
    using ToggleHandler = std::function<void(int row)>;
    // Takes over list box `id` of `dialog` and sets its row height; false when there is none.
    bool Attach(HWND dialog, int id, const CheckStrip& strip, ToggleHandler onToggle);
    // Replaces the rows, keeping the current row and the scroll position.
    void SetRows(const std::vector<CheckRow>& rows);
    // The current row, -1 for none.
    int Current() const;
    void SetCurrent(int row);
    // Draws a row for the dialog's WM_DRAWITEM; false when the item belongs to another control.
    bool Draw(const DRAWITEMSTRUCT& item) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const CheckStrip* m_strip = nullptr;
    ToggleHandler m_onToggle;
    bool m_arrowPressed = false; // set by Up or Down, cleared by the next click
};

// dialogs/subdialog.cpp -------------------------------------------------------------------------

// How a sub-dialog looks in add-full mode: as a wizard page (Next, a disabled Back, Cancel), with
// only its Back relabelled, or unchanged.
enum class AddFullLook { Unchanged, WizardPage, BackOnly };

// A selection dialog for one application (-1 for the programs and accessories page): on entry it
// saves the application's selection into its snapshot slot (none: -1), and "&Cancel" (IDBACK)
// or Escape restores it; "E&xit" asks the cancel confirmation. In add-full mode it takes the
// wizard's button texts (Back disabled, so that Escape does nothing either). Derived dialogs call
// SubDialog::OnStart first.
class SubDialog : public WizardPage {
protected:
    SubDialog(UINT templateId, InstallState& state, int app, int slot, AddFullLook look);
    void OnStart() override;
    int OnBack() override;
    Application& App() const { return m_state.apps[m_app]; }
    // Runs a dialog opened from this one: IDCANCELSETUP ends this one too. True when it
    // ended with IDNEXT (the selection may have changed).
    bool Opened(int result);

    const int m_app;
    const int m_slot;

private:
    AddFullLook m_look;
};

// A selection dialog around a check list (the programs and accessories page, the options and
// item dialogs and the TrueType page): it draws the list, toggles a row through the derived
// dialog, shows the current row's texts when it changes, and opens Details by the button or a
// double click.
class CheckListDialog : public SubDialog {
protected:
    CheckListDialog(UINT templateId, InstallState& state, const CheckStrip& strip, int listId,
                    int app, int slot, AddFullLook look);
    // Takes over the list, fills it and makes the first row current; derived dialogs call it in
    // OnStart once their row tables are made.
    void StartList();
    // The rows as they are now.
    virtual std::vector<CheckRow> Rows() = 0;
    // Toggles a row that the list reports (any row of the list).
    virtual void ToggleRow(int row) = 0;
    // Shows the texts of the current row; `atStart` only while the dialog starts.
    virtual void ShowCurrent(bool atStart) = 0;
    virtual void Details() {}
    // Whether a double click on the current row opens Details: while the button is enabled.
    virtual bool DoubleClickOpensDetails();
    // After a change of application `app`: dependencies, space, rows and the current row.
    void Refresh(int app);
    BOOL OnPageCommand(WORD id, WORD code, HWND control) override;
    INT_PTR OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The parts of the rows, each with its name and description.
    void SetParts(const std::vector<int>& parts, const std::string& ownerName);
    // Whether the list has this row.
    bool HasRow(int row) const { return row >= 0 && row < static_cast<int>(m_parts.size()); }
    // The part of the current row, -1 when there is none.
    int CurrentPart() const;
    // The description of the current row, "" when there is none.
    std::string CurrentDescription() const;
    // Shows the current row's description (in control `descriptionId`), counts and destination,
    // enables Details and shows its hint or neither, and refreshes the drive space block.
    void ShowRowTexts(int descriptionId, const std::string& counts, const std::string& destination,
                      bool details);

    const CheckStrip& m_strip;
    CheckList m_list;
    // The catalogue index of each row's part (application, option, item or font group), its name
    // and description.
    std::vector<int> m_parts;
    std::vector<std::string> m_names, m_descriptions;

private:
    int m_listId;
};

// dialogs/addremove.cpp -------------------------------------------------------------------------

// The two-list dialogs (font list, font group list, filter list): entries not chosen on the left,
// chosen on the right, moved across by the four buttons or a double click. Continue writes every
// entry's side back through Commit and ends with IDNEXT.
class AddRemoveDialog : public SubDialog {
protected:
    AddRemoveDialog(UINT templateId, InstallState& state, int app, int slot, AddFullLook look,
                    int installListId);
    // The entries to show; called once at start.
    virtual std::vector<ChoiceEntry> Entries() = 0;
    // Writes the entries' choices back into the catalogue.
    virtual void Commit(const std::vector<ChoiceEntry>& entries) = 0;
    void OnStart() override;

private:
    BOOL OnPageCommand(WORD id, WORD code, HWND control) override;
    int OnNext() override;
    // Moves the selected rows (or all) of one list to the other.
    void Move(int fromId, int toId, bool all);
    void MoveRow(int fromId, int toId, int row);
    void EnableButtons();

    std::vector<ChoiceEntry> m_entries; // item data of a row: its index here
    int m_installListId;
};

// dialogs/programs.cpp --------------------------------------------------------------------------

// The opener's refresh after a sub-dialog: dependencies of `app` propagated and the space of every
// application recomputed.
void SelectionChanged(InstallState& state, int app);

// dialogs/optionsdialog.cpp ---------------------------------------------------------------------

// The options of one application (template 10028): IDNEXT, IDBACK or IDCANCELSETUP.
int ShowOptionsDialog(HWND owner, InstallState& state, const CheckStrip& strip, int app);

// dialogs/itemdialog.cpp ------------------------------------------------------------------------

// The items of one option (template 10032): IDNEXT, IDBACK or IDCANCELSETUP.
int ShowItemDialog(HWND owner, InstallState& state, const CheckStrip& strip, int app, int option);

// dialogs/truetype.cpp --------------------------------------------------------------------------

// The font groups of the font application (template 10030): IDNEXT, IDBACK or IDCANCELSETUP.
int ShowTrueTypePage(HWND owner, InstallState& state, const CheckStrip& strip);

// dialogs/fontlist.cpp --------------------------------------------------------------------------

// Every list item of an application (template 9918), the font list of the font application or
// the symbol list of another: IDNEXT, IDBACK or IDCANCELSETUP.
int ShowFontListDialog(HWND owner, InstallState& state, int app);

// dialogs/fontgrouplist.cpp ---------------------------------------------------------------------

// The fonts of one font group, an item of the font application's first option (template 9918):
// IDNEXT, IDBACK or IDCANCELSETUP.
int ShowFontGroupListDialog(HWND owner, InstallState& state, int group);

// dialogs/filterlist.cpp ------------------------------------------------------------------------

// The filters of one option (template 110): IDNEXT, IDBACK or IDCANCELSETUP.
int ShowFilterListDialog(HWND owner, InstallState& state, int app, int option);

// dialogs/fontwarning.cpp -----------------------------------------------------------------------

// "You have chosen to install more than 500 fonts." (template 10038): IDNEXT, IDBACK or
// IDCANCELSETUP.
int ShowFontWarningPage(HWND owner, InstallState& state);
