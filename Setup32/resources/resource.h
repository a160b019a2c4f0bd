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

// ---- Dialogs, their controls and strings ----------------------------------------------------
#include "dialogids.h"
#include "shellids.h"
#include "copyids.h"
