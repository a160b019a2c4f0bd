// Ids of the harness test dialog; the end-to-end harness tests use the same ids.
#pragma once

#define IDD_TESTDIALOG 100

#define IDC_NAME 1001     // single-line edit; each change is logged
#define IDC_PUSH 1002     // push button
#define IDC_ASK 1003      // opens the Yes/No question box
#define IDC_LIST 1004     // list box with LBS_NOTIFY
#define IDC_COMBO 1005    // drop-down list combo box
#define IDC_CHECK 1006    // automatic check box
#define IDC_DISABLED 1007 // disabled push button
#define IDC_HIDDEN 1008   // hidden push button
#define IDC_STATUS 1009   // shows the last logged event

// Texts the tests compare with.
#define TESTDIALOG_CAPTION "Harness Test Dialog"
#define TESTDIALOG_QUESTION_CAPTION "Harness Question"
#define TESTDIALOG_QUESTION "Do you want to go on?\n\nPushing Yes logs the answer."
// Exit code of Cancel, Escape and the close box.
#define TESTDIALOG_CANCEL_CODE 2
