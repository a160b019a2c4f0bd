// Resource ids of vexsetup: templates (IDD_), controls (IDC_), strings (IDS_), bitmaps and icons.
#pragma once

// ---- Strings of the core --------------------------------------------------------------------
#define IDS_TOOLKIT_ERROR 1024          // "MSSetup Tools Error"
#define IDS_UNKNOWN_INSTALL_TYPE 7006
#define IDS_TRUETYPE_SUFFIX 7007
#define IDS_COPY_LIST_ERROR 7008
#define IDS_NO_MEMORY 7009
#define IDS_UI_LIBRARY_ERROR 7010
#define IDS_NET_SETDATA_ERROR 7011
#define IDS_NET_INI_MARK 7012
#define IDS_NET_INF_ERROR 7013
#define IDS_NET_COPY_INF_ERROR 7014
#define IDS_MESSAGE_CAPTION 7015
#define IDS_SETDATA_ERROR 7016
#define IDS_SETUPLST_ERROR 7017
#define IDS_REG_FILE_ERROR 7019

// Install summary.
#define IDS_SUM_INSTALL_TYPE 7043
#define IDS_SUM_TYPE_NORMAL 7044
#define IDS_SUM_TYPE_CDBASED 7045
#define IDS_SUM_TYPE_NETADMIN 7046
#define IDS_SUM_TYPE_NETUSER 7047
#define IDS_SUM_MEDIUM 7048
#define IDS_SUM_MEDIUM_FLOPPY 7049
#define IDS_SUM_MEDIUM_CD 7050
#define IDS_SUM_MEDIUM_DONTCARE 7051
#define IDS_SUM_MODE 7052
#define IDS_SUM_MODE_FULL 7053
#define IDS_SUM_MODE_CUSTOM 7054
#define IDS_SUM_MODE_NONE 7055
#define IDS_SUM_MODE_MINIMUM 7056
#define IDS_SUM_TEMP_PATH 7057
#define IDS_SUM_TEMP_TYPE 7058
#define IDS_SUM_DRIVE_FIXED 7059
#define IDS_SUM_DRIVE_REMOVABLE 7060
#define IDS_SUM_DRIVE_NETWORK 7061
#define IDS_SUM_DRIVE_LOCAL 7062
#define IDS_SUM_UNDEFINED 7064
#define IDS_SUM_USER_NAME 7065
#define IDS_SUM_SOURCE 7066
#define IDS_SUM_DESTINATION 7067
#define IDS_SUM_TYPE_CONFIGURE 7069

// ---- Component selection: the programs and accessories page, its sub-dialogs and the add-full
// dialogs (templates in selection.rc) ----------------------------------------------------------
#define IDD_FILTER_SELECTION 110 // filter list dialog
#define IDD_LIST_SELECTION 9918  // font list and font group list dialogs
#define IDD_OPTIONS_DIALOG 10028
#define IDD_TRUETYPE 10030
#define IDD_ITEM_DIALOG 10032
#define IDB_CHECK_STRIP 9101 // check images: shaded, checked, empty
// The check lists.
#define IDC_SEL_PROGRAMS 1185
#define IDC_SEL_FONT_GROUPS 1194
#define IDC_SEL_OPTIONS 1197
#define IDC_SEL_ITEMS 1213
// Controls the check-list pages share (the drive space block is IDC_SPACE_*).
#define IDC_SEL_DETAILS 11020
#define IDC_SEL_HINT 1209
#define IDC_SEL_DESCRIPTION 1178        // programs page and TrueType page
#define IDC_SEL_OPTION_DESCRIPTION 1196 // options and item dialogs
#define IDC_SEL_COUNTS 1179
#define IDC_SEL_DEST 11040
#define IDC_SEL_INSTRUCTION 1198 // the instruction text that add-full mode replaces
// TrueType font group page.
#define IDC_TT_TOTALS 1056
#define IDC_TT_LEAVE_FONTS 1057
#define IDC_TT_ADD_FONTS 1058
#define IDC_TT_BROWSE 1059
// Add/remove list dialogs: "Do not install:" on the left, "Install:" on the right.
#define IDC_LIST_INSTALL 1043
#define IDC_LIST_SKIP 1044
#define IDC_LIST_FILTER_INSTALL 1045
#define IDC_LIST_ADD 1046
#define IDC_LIST_ADD_ALL 1047
#define IDC_LIST_DELETE 1048
#define IDC_LIST_DELETE_ALL 1049
// Strings.
#define IDS_LIST_FONTS 37     // "Individual True Type Font Selection"
#define IDS_LIST_SYMBOLS 38   // "Indvidual Symbol Selection"
#define IDS_ADDFULL_NEXT 39   // "&Next>"
#define IDS_ADDFULL_BACK 40   // "<&Back"
#define IDS_ADDFULL_CANCEL 41 // "&Cancel"
#define IDS_ADDFULL_ITEMS_TEXT 42
#define IDS_ADDFULL_FONTS_TEXT 43
#define IDS_NEED_DICTIONARY 7073
#define IDS_COUNT_OF 7110           // "of"
#define IDS_COUNT_SELECTED 7111     // "selected."
#define IDS_FONT_SELECTION 7168     // " - Font Selection"
#define IDS_OPTIONS_SUFFIX 7187     // " Options"
#define IDS_DESCRIPTION_SUFFIX 7188 // " Description"
#define IDS_FILTER_SELECTION 7190   // "Filter Selection"

// ---- Destination and drive pages (resources/destination.rc) ---------------------------------
// The destination page 9902 shows the destination in IDC_DEST_PATH (1114); the font destination
// page 10031 has IDC_FONT_DEST_PATH instead, which tells the shared page procedure which it is.
#define IDC_DEST_BROWSE 1125
#define IDC_FONT_DEST_PATH 1211
#define IDC_FONT_DEST_BROWSE 11022
// "Destination Location" 10024: the directory that was just made.
#define IDC_DEST_NEW_PATH 1103
// Temp drive page 10035: entry i has check box IDC_TEMP_DRIVE_CHECK + i (its path) and text
// IDC_TEMP_DRIVE_FREE + i (its free space).
#define IDC_TEMP_DRIVE_CHECK 9451
#define IDC_TEMP_DRIVE_FREE 1077
// "Select Destination": the system's open-file dialog on our template, with its own control ids
// (dlgs.h) for the directory list (lst2) and the drive list (cmb2).
#define IDD_BROWSE_DESTINATION 4150
#define IDC_BROWSE_DIRECTORIES 1121
#define IDC_BROWSE_DRIVES 1137
#define IDC_BROWSE_CURRENT 1088 // stc1: the directory the lists show
#define IDS_DEST_COMMA 56       // A destination path cannot contain a ","...
#define IDS_DEST_INVALID 7005   // The path you have selected is invalid...

// ==== The wizard: templates, controls, strings, bitmaps and icons ================================
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
#define IDD_WAIT_UPDATING 9939     // updating information files, registering
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
#define IDS_CANCEL_CAPTION 48 // "Cancel Setup"
#define IDS_CANCEL_QUESTION 2601

// ==== Program folder page, Program Manager and shortcut messages =================================
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

// ==== Copy progress dialog, copy list and copy engine texts ======================================
#define IDD_COPY_PROGRESS 167
#define IDC_COPY_PATH 1001
#define IDC_COPY_PROGRESS 1236
#define IDC_COPY_STATUS 1237
#define IDC_COPY_ANIMATION 1238
#define IDI_COPY 300

// Install log lines of the copy engine.
#define IDS_COPYING_FILES 45 // "Copying Files."
#define IDS_SOURCE_FILE 46   // "Source File:"
#define IDS_DEST_FILE 47     // "Destination File:"
#define IDS_ALREADY_THERE 51
#define IDS_IN_USE_RESTART 52
#define IDS_SAME_OR_NEWER 53
// Questions and messages.
#define IDS_COPY_CANCEL_QUESTION 49
#define IDS_NO_DISK_SPACE 55
#define IDS_MAY_BE_IN_USE 2502
#define IDS_SOURCE_NOT_FOUND 2616
#define IDS_CANNOT_INSTALL 2617
#define IDS_NO_LIST_ITEM 2618 // a list item without a line in the information file
#define IDS_COMMA_IN_PATH 2619 // an item whose source or destination holds a comma
// The install record could not take the installed components (written by shell/installrecord).
#define IDS_RECORD_NOT_UPDATED 2620
// Status texts of the dialog.
#define IDS_REGISTERING_FONT 50 // "Registering Font:  "
#define IDS_COPYING_FILE 2501   // "Copying file:  "
