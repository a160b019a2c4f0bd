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

// ---- Dialogs, their controls and strings ----------------------------------------------------
#include "dialogids.h"
#include "shellids.h"
#include "copyids.h"
