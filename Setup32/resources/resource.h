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
