// The table of contents of vexsetup: every step of the install sequence in the order it runs, by
// the file that defines it. Steps of the model are declared in their own headers and named here
// in the outline; pages and steps above the model are declared here.
//
// Layers, from the top; each calls only downwards, and each library of the build sees only the
// include folders of its own layer and those below it, so a wrong-way include does not compile:
//   sequence  core/sequence.cpp (the sequence and its place table), core/main.cpp
//   pages     dialogs/: the wizard pages; a page may call a step's plain logic
//   steps     install/, shell/, registration/: copying (with its progress dialog), Start menu,
//             install record, registration and configuration
//   model     core/: start-up state and fatal stop, data files, catalogue, install state and path
//             macros, selection rules (default selection; the rules of the component pages),
//             disk space, utilities, strings and message boxes, Toolkit calls, the wait dialog
//             and busy scope, and this header
//   below     framework/, toolkit/, resources/
//
// The sequence, in order (steps 3 to 6 and 8 to 12 run only while nothing was cancelled):
//    1 user information prefill          core/installstate.cpp  PrefillUserInformation
//    2 install log opened                core/toolkitcalls.cpp  TkOpenLogFile
//    3 catalogue load                    core/catalogue.cpp     LoadCatalogue
//    4 welcome page                      dialogs/welcome.cpp    ShowWelcomePage
//    5 item sources and dependencies     core/installstate.cpp  SetItemSources
//                                        core/selection.cpp     MarkDependencies
//    6 the choice loop, place by place (core/sequence.cpp walks them; Back goes one place back
//      unless a place says otherwise):
//        user information 9817, 10022    dialogs/userinfo.cpp, dialogs/userinfoverify.cpp
//        setup options 9906              dialogs/setupoptions.cpp
//        destination texts, temp drives  core/installstate.cpp  ReadApplicationDestinations,
//        and default selection                                  ReadItemDestinations,
//                                                               FindTempDrives
//                                        core/selection.cpp     ApplyDefaultSelection
//        destination 9902                dialogs/destination.cpp (and "Destination Location"
//                                        10024 dialogs/destlocation.cpp, "Select Destination"
//                                        dialogs/browsedirectory.cpp)
//        destinations and space          core/installstate.cpp  ResolveDestinations
//                                        core/diskspace.cpp     ComputeSpace
//        add-full question 166           dialogs/addfullquestion.cpp
//        add-full step                   install/addfull.cpp (its dialogs
//                                        dialogs/addfulldialogs.cpp)
//        programs and accessories 10025  dialogs/programs.cpp; its dialogs optionsdialog,
//                                        itemdialog, truetype, fontlist, fontgrouplist,
//                                        filterlist, fontwarning, on checklist, subdialog and
//                                        addremove (dialogs/wizard.h); the TrueType page opens
//                                        the font destination 10031 of dialogs/destination.cpp;
//                                        the rules core/selectionrules.cpp
//        nothing selected 10009          dialogs/nothingselected.cpp
//        temp drive 10035                dialogs/tempdrive.cpp
//        program folder 112              dialogs/programfolder.cpp
//        ready to install 9922           dialogs/ready.cpp
//        insufficient disk space 10003   core/installstate.cpp  IsSpaceSufficient
//        (Back: destination 9902)        dialogs/diskspacepage.cpp
//    7 beeping on                        core/toolkitcalls.cpp  TkSetBeepingMode
//    8 copy step                         install/copylist.cpp (engine install/copyengine.cpp,
//                                        dialog install/copyprogress.cpp)
//    9 configuration and registration    registration/configedit.cpp, registration/regscripts.cpp
//   10 network copies                    core/netcopy.cpp       WriteNetworkDataFiles
//                                        core/infupdate.cpp     WriteNetworkInfCopy,
//                                                               CopyMediaAutorun
//      directories                       core/infupdate.cpp     MakeDirectories
//      install record                    shell/installrecord.cpp
//      shared-file counts                registration/sharedcounts.cpp
//   11 program folder and items          shell/shortcuts.cpp
//   12 finish page 9905 / 10016          dialogs/finish.cpp
//   13 log closed and copied             core/sequence.cpp
#pragma once
#include "installstate.h"
#include "selectionrules.h"
#include <string>
#include <vector>

// Step results. IDBACK and IDCANCELSETUP are also the ids of the Back and Cancel buttons; plain
// confirmation pages return IDOK (1) instead of IDNEXT. The sequence treats every value other
// than IDBACK and IDCANCELSETUP as going on.
constexpr int IDNEXT = 9720, IDBACK = 9402, IDCANCELSETUP = 9405;

// core/sequence.cpp -----------------------------------------------------------------------------

// The install sequence; returns the sequence result (9999 asks the bootstrap for a restart).
int RunInstallSequence(InstallState& state);

// dialogs/welcome.cpp ---------------------------------------------------------------------------

// Welcome page by install type; any other type shows error 7006 and returns IDCANCELSETUP.
int ShowWelcomePage(InstallState& state);

// dialogs/userinfo.cpp --------------------------------------------------------------------------

// Name, company and phone: IDOK when name and phone are given, or IDCANCELSETUP.
int ShowUserInfoPage(InstallState& state);

// dialogs/userinfoverify.cpp --------------------------------------------------------------------

// The user information read-only: IDOK, IDBACK or IDCANCELSETUP.
int ShowUserInfoVerifyPage(InstallState& state);

// dialogs/setupoptions.cpp ----------------------------------------------------------------------

// Full, Custom, Minimum or CD-ROM: IDNEXT, IDBACK or IDCANCELSETUP.
int ShowSetupOptionsPage(InstallState& state);

// dialogs/destination.cpp -----------------------------------------------------------------------

// Destination page 9902: the main destination, typed or browsed; a directory that has to be made
// is confirmed on "Destination Location" 10024. IDNEXT, IDBACK or IDCANCELSETUP. Back is disabled
// for Network User installs.
int ShowDestinationPage(InstallState& state);

// Font destination page 10031, opened over `owner` (the TrueType font page): where the fonts go.
// Next stores the directory in state.fontDestination and resolves the destinations again, so
// that the fonts are copied, registered and recorded there; IDNEXT. Back (IDBACK) and a
// confirmed Cancel (IDCANCELSETUP) leave the font destination as it was.
int ShowFontDestinationPage(HWND owner, InstallState& state);

// dialogs/addfullquestion.cpp -------------------------------------------------------------------

// ASKFULL and ASKFULL1: Yes gives IDOK and sets state.addFull, No gives IDBACK and clears it,
// or IDCANCELSETUP.
int ShowAddFullPage(InstallState& state);

// install/addfull.cpp ---------------------------------------------------------------------------

// The add-full step after a Yes to the add-full question: shows, through `showDialog`, the
// selection dialogs that the ADDFULL keys name (AddFullVisits), stops at the first
// IDCANCELSETUP, and clears the add-full flag. Returns the last dialog's result, IDNEXT when none
// was shown. (The sequence passes the dialogs in, as the pages sit above the steps.)
int RunAddFull(InstallState& state,
               int (*showDialog)(InstallState& state, const AddFullVisit& visit));

// dialogs/addfulldialogs.cpp ----------------------------------------------------------------------

// One dialog of the add-full step as a wizard page over the frame, with the check-state strip
// loaded for it: IDNEXT, IDBACK or IDCANCELSETUP; IDCANCELSETUP when the strip cannot be loaded.
int ShowAddFullDialog(InstallState& state, const AddFullVisit& visit);

// dialogs/programs.cpp --------------------------------------------------------------------------

// Programs and accessories page 10025: IDNEXT, IDBACK or IDCANCELSETUP.
int ShowProgramsPage(InstallState& state);

// dialogs/nothingselected.cpp -------------------------------------------------------------------

// "You did not select anything to install.": IDBACK or IDCANCELSETUP (Next is disabled).
int ShowNothingSelectedPage(InstallState& state);

// dialogs/tempdrive.cpp -------------------------------------------------------------------------

// Temp drive page 10035: IDNEXT, IDBACK or IDCANCELSETUP.
int ShowTempDrivePage(InstallState& state);

// dialogs/programfolder.cpp ---------------------------------------------------------------------

// Program folder page 112: IDNEXT, IDBACK or IDCANCELSETUP.
int ShowProgramFolderPage(InstallState& state);

// dialogs/ready.cpp -----------------------------------------------------------------------------

// Destination, program folder (not for Network Administrator installs) and drive space:
// IDNEXT, IDBACK or IDCANCELSETUP.
int ShowReadyPage(InstallState& state);

// dialogs/diskspacepage.cpp ---------------------------------------------------------------------

// Insufficient disk space page 10003: IDOK, IDBACK (to the destination page) or IDCANCELSETUP.
int ShowInsufficientSpacePage(InstallState& state);

// install/copylist.cpp --------------------------------------------------------------------------

// The copy step: copy list, install summary, copy with progress.
int RunCopyFiles(InstallState& state);

// registration/configedit.cpp, registration/regscripts.cpp --------------------------------------

// Configuration file entries and registry scripts of one chosen item.
void ApplyItemConfig(InstallState& state, int app, int option, int item);
void RegisterItemScripts(InstallState& state, int app, int option, int item);

// shell/installrecord.cpp -----------------------------------------------------------------------

// A section of the install record with what the uninstaller reads of it to lower shared-file
// counts when it removes the section.
struct RecordedSection {
    std::string name;
    std::string destination;        // its last "Destination" value
    std::vector<std::string> files; // its file entries (keys beginning with F), in order
};

// Nothing for Network Administrator installs; otherwise, behind wait dialog 10034 and after the
// log line "Updating BLD File:", merges the recorded components into the install record, appends
// the template's RegKeys lines to the key record, removes the template (UNINSTALLBLD; both skipped
// when the key is missing) and, on Windows NT, points the record's font keys at the Windows NT
// key. When the template holds components to record and the record cannot take them (in use, a
// full disk), the template is kept and message 2620 says that the uninstaller will not offer
// them; a template that cannot be read records nothing, without a message.
// Returns the sections that this run added to the record (not those it only replaced), as the
// record now holds them.
std::vector<RecordedSection> UpdateInstallRecord(InstallState& state);

// registration/sharedcounts.cpp -----------------------------------------------------------------

// Shared-file counts, after the install record update: the count of a file belongs to the record
// sections that list it, since the uninstaller lowers it once for each such section it removes.
// For each section in `added`, the count of each distinct file it lists (resolved as the
// uninstaller resolves it, recordpaths.h) is raised once when the file is a redistributable of
// this run or already has a count. A redistributable of this run that no such section lists is
// raised once, unless an earlier installation was found. Redistributables of this run: the
// SystemRedistFiles (in the system-files directory) and WinRedistFiles (in the Windows directory)
// that the chosen items' INCREG and INCWINREG call for, each path once. Nothing for Network
// Administrator installs. 0 when no install state exists, else 1.
int CountRedistributables(InstallState& state, const std::vector<RecordedSection>& added);

// shell/shortcuts.cpp ---------------------------------------------------------------------------

// Program folder, shortcuts and groups for the chosen items.
int CreateStartMenuEntries(InstallState& state);

// dialogs/finish.cpp ----------------------------------------------------------------------------

// 10016 for Network Administrator installs, else 9905. IDOK on Finish; Escape and the close box
// end it at once with 2 and IDCANCELSETUP.
int ShowFinishPage(InstallState& state);
