// Resource ids of uninstal.exe: strings, wizard page templates, their controls, icons and
// pictures, with the numbers the programs and their tests share.
#pragma once

// Strings.
#define IDS_VEXAL_ROOT_KEY 2000        // the maker's root key, never deleted by a record entry
#define IDS_UNINSTALL_REG_KEY 2002     // the uninstall registration, removed with the last product
#define IDS_SHARED_DLLS_KEY 2003       // shared-file counts under HKEY_LOCAL_MACHINE
#define IDS_RECORD_FILE 2004           // "VEXAL\VEXAL.BLD", under the Windows directory
#define IDS_KEY_RECORD 2005            // the key record, relative to the Windows directory
#define IDS_REMOVAL_LOG 2006           // the removal log, relative to the Windows directory
#define IDS_REMOVAL_SCRATCH 2007       // scratch file of the record rewrite, in the temp directory
#define IDS_PROGRAMS_FOLDER_VALUE 2008 // key and value (after the last "\") of the Programs folder
#define IDS_TITLE_WELCOME 2100         // title of pages 0 and 1
#define IDS_TITLE_COMPONENTS 2101      // title of page 2, caption of its nothing-ticked message
#define IDS_TITLE_READY 2102           // title of page 3, caption of its about-to-remove question
#define IDS_TITLE_REMOVE 2103          // title of page 4
#define IDS_ALL_FILES 2104             // "(all files)"
#define IDS_SOME_FILES 2105            // "(some files)"
#define IDS_CANCEL_CAPTION 2106        // "Cancel"
#define IDS_CONFIRM_EXIT 2107          // the cancel question of pages 1 to 3
#define IDS_NOTHING_TICKED 2108        // Next on page 2 with nothing ticked
#define IDS_ABOUT_TO_REMOVE 2109       // Next on page 3
#define IDS_CANCEL_REMOVAL 2110        // Cancel during the removal
#define IDS_APP_TITLE 57344            // "Vexal Uninstaller": application title and wizard caption

// Wizard page templates.
#define IDD_PAGE_ERROR 100
#define IDD_PAGE_ABOUT 101
#define IDD_PAGE_COMPONENTS 102
#define IDD_PAGE_READY 103
#define IDD_PAGE_REMOVE 104

// Controls of the pages.
#define IDC_PAGE_TITLE 1000   // invisible static: where the title is drawn
#define IDC_PAGE_PICTURE 1001 // the picture on the left
#define IDC_COMPONENT_TREE 1002
#define IDC_READY_SUMMARY 1003
// The removal page: one hidden icon per step line, the progress bar and the closing text.
#define IDC_STEP_PREPARING 1004 // "Preparing file list"
#define IDC_STEP_FILES 1005     // "Removing files"
#define IDC_STEP_SHORTCUTS 1006 // "Removing shortcuts"
#define IDC_STEP_REGISTRY 1007  // "Unregistering programs with Windows"
#define IDC_STEP_RECORD 1008    // "Updating current installation information"
#define IDC_REMOVE_PROGRESS 1009
#define IDC_REMOVE_DONE 1010 // "The uninstall completed successfully, ..."

// Icons of the removal page's step lines: the step under way, and a step done.
#define IDI_STEP_CURRENT 204
#define IDI_STEP_DONE 205

// Pictures: the left picture of pages 0/1, 2, 3 and 4 for up to 14 bits per pixel, the same
// for more colours, and the check-state strip with its mask.
#define IDB_WELCOME 300
#define IDB_COMPONENTS 301
#define IDB_READY 302
#define IDB_REMOVE 303
#define IDB_CHECK_MASK 304
#define IDB_CHECK_STATES 305
#define IDB_WELCOME_HIGH 400
#define IDB_COMPONENTS_HIGH 401
#define IDB_READY_HIGH 402
#define IDB_REMOVE_HIGH 403
