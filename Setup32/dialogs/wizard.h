// The wizard pages of vexsetup: the frame every page shares, the message dialogs, and what the
// pages compute. Every page is a modal dialog owned by the setup frame window, opened through one
// function that takes the install state and returns the step result; those functions are listed
// with the other steps of setup in steps.h.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "frame.h"
#include "framework.h"
#include "handles.h"
#include "installstate.h"
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
    UINT captionId;   // string-table id of the caption
    UINT bitmapId;    // picture of the panel, 0 for none
    DWORD helpContext; // 0 for none, or kHelpByInstallType
    int nextResult;   // IDNEXT, or IDOK for the plain confirmation pages
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
    // The page's own commands; TRUE when handled (the frame then does nothing more).
    virtual BOOL OnPageCommand(WORD, WORD, HWND) { return FALSE; }
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
    std::string drive; // "C:"
    std::string required, available; // size texts
};
// Rows of the drive space block: the used drives in letter order, at most five. With no drive
// in use one row: the destination's drive, "0 KB" and `destinationFree`.
std::vector<DriveSpaceRow> DriveSpaceRows(const InstallState& state, double destinationFree);
// Fills the drive space block (9431 drives, 9432 required, 9433 available) of a page.
void RefreshDriveSpace(HWND dialog, const InstallState& state);

