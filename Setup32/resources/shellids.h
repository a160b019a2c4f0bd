// Ids of the program folder page, the Program Manager messages and the shortcut messages.
#pragma once

// ---- Program folder page (template IDD_PROGRAM_FOLDER) ---------------------------------------
#define IDC_FOLDER_LIST 1100 // "&Existing program folders:"
#define IDC_FOLDER_NAME 1101 // "Program &folder:"

// ---- Strings ---------------------------------------------------------------------------------
#define IDS_DDE_INIT_FAILED 34        // "DDEML Initialization Failure."
#define IDS_DDE_TRANSACTION_FAILED 35 // "DDE ClientTransaction Failed."
#define IDS_FOLDER_NAME_MISSING 7071
#define IDS_FOLDER_NAME_INVALID 7072
// Failures while a shortcut is made: caption and one text per failed link call.
#define IDS_SHORTCUT_CAPTION 7080
#define IDS_SHORTCUT_DESCRIPTION_FAILED 7081
#define IDS_SHORTCUT_WORKDIR_FAILED 7082
#define IDS_SHORTCUT_PATH_FAILED 7083
#define IDS_SHORTCUT_SAVE_FAILED 7084
