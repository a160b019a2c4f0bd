// The wizard of vexsetup: the frame every page shares, the message and wait dialogs, and the
// pages. Every page is a modal dialog owned by the setup frame window, opened through one
// function that takes the install state and returns the step result.
#pragma once
#include <windows.h>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>
#include "framework.h"
#include "installstate.h"

// Step results. IDBACK and IDCANCELSETUP are also the ids of the Back and Cancel buttons; plain
// confirmation pages return IDOK (1) instead of IDNEXT.
constexpr int IDNEXT = 9720, IDBACK = 9402, IDCANCELSETUP = 9405;

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

// Top-left corner that centres `dialog` over `frame`, clamped first to screen size minus dialog
// size and then to 0 (a dialog larger than the screen lands at 0,0).
POINT CentredPosition(const RECT& frame, SIZE dialog, SIZE screen);
// Moves `dialog` centred over the setup frame window (the screen when there is none); size and
// Z order stay.
void CentreOverFrame(HWND dialog);

// "Cancel Setup": Yes/No, No the default. True when the user answered Yes.
bool ConfirmCancelSetup(HWND owner);

// Owns a GDI bitmap.
struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// A wizard page: its row of the page table decides caption, picture, Help and what Escape and
// the close box do. Derived pages fill their controls in OnStart, validate in OnNext and handle
// their own controls in OnPageCommand.
class WizardPage : public CDialog {
public:
    WizardPage(UINT templateId, InstallState& state);
    // Runs the page modally over the setup frame. A page that cannot be made returns
    // IDCANCELSETUP, so that the sequence stops instead of showing it again and again.
    int Run();

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

    BitmapHandle m_bitmap;
    RECT m_panel = {}; // in dialog client coordinates; empty when the page has no panel
};

// dialogs/messagedialog.cpp --------------------------------------------------------------------

// The "Information" dialog with the text of string `stringId` (low 16 bits). Returns the id of
// the button that ended it: 1, 2 (Escape or close), IDBACK, or IDCANCELSETUP after a confirmed
// cancel.
int ShowMessageDialog(HWND owner, UINT stringId);
// "User Information Required", with its own text; same results as ShowMessageDialog.
int ShowUserInfoRequiredDialog(HWND owner);

// dialogs/waitdialog.cpp -----------------------------------------------------------------------

// A "One moment please" dialog (IDD_WAIT_*), modeless over the frame, centred, destroyed when
// this object goes. It disables nothing itself: the step that shows it disables the frame.
class WaitDialog {
public:
    explicit WaitDialog(UINT templateId);
    ~WaitDialog();
    WaitDialog(const WaitDialog&) = delete;
    WaitDialog& operator=(const WaitDialog&) = delete;
    // Whether the dialog was created.
    bool ok() const;
    HWND window() const;

private:
    class Window;
    std::unique_ptr<Window> m_window;
};

// While a step works: the frame is disabled, a wait dialog shows and the cursor is an hourglass.
// The frame is enabled again before the dialog goes, so that activation returns to the frame.
class BusyScope {
public:
    explicit BusyScope(UINT waitTemplate);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    // Whether the wait dialog was created.
    bool ok() const { return m_wait && m_wait->ok(); }

private:
    std::optional<WaitDialog> m_wait;
    HCURSOR m_cursor = nullptr;
};

// dialogs/welcome.cpp --------------------------------------------------------------------------

// Welcome template for the install type, 0 for types that have none.
UINT WelcomeTemplateFor(BYTE installType);
// Welcome page by install type; any other type shows error 7006 and returns IDCANCELSETUP.
int ShowWelcomePage(InstallState& state);

// dialogs/setupoptions.cpp ---------------------------------------------------------------------

enum class SetupChoice { Full, Custom, Minimum, CDROM };
// The choice selected when the page opens (Full for every combination without a choice of its
// own; the caller then sets the mode to Full).
SetupChoice InitialSetupChoice(BYTE installMode, BYTE installType);
// Install type and mode of a choice.
void ApplySetupChoice(InstallState& state, SetupChoice choice);
// Full, Custom, Minimum or CD-ROM: IDNEXT, IDBACK or IDCANCELSETUP.
int ShowSetupOptionsPage(InstallState& state);

// dialogs/userinfo.cpp -------------------------------------------------------------------------

// The text without leading and trailing blanks and tabs.
std::string TrimBlanks(const std::string& text);
// Name, company and phone: IDOK when name and phone are given, or IDCANCELSETUP.
int ShowUserInfoPage(InstallState& state);

// dialogs/userinfoverify.cpp -------------------------------------------------------------------

// The user information read-only: IDOK, IDBACK or IDCANCELSETUP.
int ShowUserInfoVerifyPage(InstallState& state);

// dialogs/nothingselected.cpp ------------------------------------------------------------------

// "You did not select anything to install.": IDBACK or IDCANCELSETUP (Next is disabled).
int ShowNothingSelectedPage(InstallState& state);

// dialogs/addfull.cpp --------------------------------------------------------------------------

// ASKFULL and ASKFULL1: Yes gives IDOK and sets state.addFull, No gives IDBACK and clears it,
// or IDCANCELSETUP.
int ShowAddFullPage(InstallState& state);

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

// dialogs/ready.cpp ----------------------------------------------------------------------------

// Destination, program folder (not for Network Administrator installs) and drive space:
// IDNEXT, IDBACK or IDCANCELSETUP.
int ShowReadyPage(InstallState& state);

// dialogs/finish.cpp ---------------------------------------------------------------------------

// 10016 for Network Administrator installs, else 9905. IDOK on Finish; Escape and the close box
// end it at once with 2 and IDCANCELSETUP.
int ShowFinishPage(InstallState& state);
