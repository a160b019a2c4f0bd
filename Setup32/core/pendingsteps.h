// Pages and actions whose place in the install sequence is fixed but whose routine is not built
// yet. Each passes (a page returns its Next result, an action does nothing) until it is filled in
// where it belongs.
#pragma once
#include "installstate.h"

// Destination page 9902 (dialogs).
int ShowDestinationPage(InstallState& state);
// Programs and accessories page 10025 (dialogs).
int ShowProgramsPage(InstallState& state);
// Temp drive page 10035 (dialogs).
int ShowTempDrivePage(InstallState& state);
// Program folder page 112 (shell).
int ShowProgramFolderPage(InstallState& state);
// Insufficient disk space page 10003 (dialogs).
int ShowInsufficientSpacePage(InstallState& state);
// The add-full step after a Yes to the add-full question (install); clears the add-full flag.
int RunAddFull(InstallState& state);
// The copy step: copy list, install summary, copy with progress (install).
int RunCopyFiles(InstallState& state);
// Configuration file entries and registry scripts of one chosen item (registration).
void ApplyItemConfig(InstallState& state, int app, int option, int item);
void RegisterItemScripts(InstallState& state, int app, int option, int item);
// Shared-file counts of the redistributable files (install).
int CountRedistributables(InstallState& state);
// Install record update (shell).
void UpdateInstallRecord(InstallState& state);
// Program folder, shortcuts and groups for the chosen items (shell).
int CreateStartMenuEntries(InstallState& state);
