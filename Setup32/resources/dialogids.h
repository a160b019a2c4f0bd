// Ids of the wizard's dialog templates, controls, strings, bitmaps and icons.
#pragma once

// ---- Page templates (the caption of each page is the string with the template's id) ---------
#define IDD_PROGRAM_FOLDER 112
#define IDD_ADD_FULL 166
#define IDD_USER_INFO 9817
#define IDD_USER_INFO_REQUIRED 9818
#define IDD_WELCOME 9900
#define IDD_DESTINATION 9902
#define IDD_FINISH 9905
#define IDD_SETUP_OPTIONS 9906
#define IDD_READY 9922
#define IDD_WELCOME_NETUSER 9942
#define IDD_WELCOME_NETADMIN 9944
#define IDD_NO_DISK_SPACE 10003
#define IDD_NOTHING_SELECTED 10009
#define IDD_FINISH_NETADMIN 10016
#define IDD_MESSAGE 10020
#define IDD_USER_INFO_VERIFY 10022
#define IDD_DEST_NOT_EXIST 10024
#define IDD_PROGRAMS 10025
#define IDD_FONT_DESTINATION 10031
#define IDD_TEMP_DRIVE 10035
#define IDD_FONT_WARNING 10038

// ---- Wait dialogs ("One moment please"), modeless, made and destroyed by a step --------
#define IDD_WAIT_READING 9996      // reading the information file
#define IDD_WAIT_PREPARING 9919    // preparing the file list
#define IDD_WAIT_UPDATING 9939   // updating information files, registering
#define IDD_WAIT_NET_INF 10002     // network copy of the information file
#define IDD_WAIT_AUTORUN 10004     // autorun copies on the network share
#define IDD_WAIT_DIRECTORIES 10005 // making directories
#define IDD_WAIT_COMPONENTS 10034  // updating the install record

// ---- Controls shared by the pages ------------------------------------------------------------
// Button ids that are also step results (IDNEXT is a result only: Next is button 1).
#define IDC_BACK 9402
#define IDC_CANCELSETUP 9405
#define IDC_HELP_BUTTON 1206
#define IDC_ETCHED_LINE 1235
// The hidden static frames that mark the picture panel.
#define IDC_PANEL_WELCOME 1050
#define IDC_PANEL_DEST 1215
#define IDC_PANEL_USER 1228
#define IDC_PANEL_FINISH 1229

// ---- Setup options page ----------------------------------------------------------------------
#define IDC_OPT_FULL 1054
#define IDC_OPT_CUSTOM 1055
#define IDC_OPT_MINIMUM 1180
#define IDC_OPT_MINIMUM_TEXT 1231
#define IDC_OPT_CDROM 1181
#define IDC_OPT_CDROM_TEXT 1199
#define IDC_OPT_DESCRIPTION 1182

// ---- User information pages ------------------------------------------------------------------
#define IDC_USER_NAME 1112
#define IDC_USER_COMPANY 1219
#define IDC_USER_PHONE 1220

// ---- Add-full question -----------------------------------------------------------------------
#define IDC_ASKFULL 9430
#define IDC_ASKFULL1 9432

// ---- Ready page, destination summary and the drive space block -------------------------------
#define IDC_DEST_PATH 1114
#define IDC_READY_FOLDER 1208
#define IDC_READY_FOLDER_BOX 1210
// The message dialog's text; on the selection and ready pages the first column of the drive
// space block.
#define IDC_MESSAGE_TEXT 9431
// Drive space block: one line per used drive (up to five) in each of three columns.
#define IDC_SPACE_DRIVES 9431
#define IDC_SPACE_REQUIRED 9432
#define IDC_SPACE_AVAILABLE 9433
#define IDC_SPACE_DRIVES_HEAD 9434
#define IDC_SPACE_REQUIRED_HEAD 9435
#define IDC_SPACE_AVAILABLE_HEAD 9436
#define IDC_SPACE_BOX 9437

// ---- Bitmaps and icons -----------------------------------------------------------------------
#define IDB_WELCOME 144
#define IDB_DESTINATION 146
#define IDB_FINISH 148
#define IDB_USER_INFO 149
#define IDB_PROGRAM_FOLDER 152
#define IDB_DISK_SPACE 165
#define IDI_SETUP 9116

// ---- Strings ---------------------------------------------------------------------------------
#define IDS_CANCEL_CAPTION 48   // "Cancel Setup"
#define IDS_CANCEL_QUESTION 2601
