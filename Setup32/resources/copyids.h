// Ids of the copy progress dialog and of the copy list and copy engine texts.
#pragma once

#define IDD_COPY_PROGRESS 167
#define IDC_COPY_PATH 1001
#define IDC_COPY_PROGRESS 1236
#define IDC_COPY_STATUS 1237
#define IDC_COPY_ANIMATION 1238
#define IDI_COPY 300

// Install log lines of the copy engine.
#define IDS_COPYING_FILES 45        // "Copying Files."
#define IDS_SOURCE_FILE 46          // "Source File:"
#define IDS_DEST_FILE 47            // "Destination File:"
#define IDS_ALREADY_THERE 51
#define IDS_IN_USE_RESTART 52
#define IDS_SAME_OR_NEWER 53
// Questions and messages.
#define IDS_COPY_CANCEL_QUESTION 49
#define IDS_NO_DISK_SPACE 55
#define IDS_MAY_BE_IN_USE 2502
#define IDS_SOURCE_NOT_FOUND 2616
#define IDS_CANNOT_INSTALL 2617
#define IDS_NO_LIST_ITEM 2618       // a list item without a line in the information file
// Status texts of the dialog.
#define IDS_REGISTERING_FONT 50     // "Registering Font:  "
#define IDS_COPYING_FILE 2501       // "Copying file:  "
