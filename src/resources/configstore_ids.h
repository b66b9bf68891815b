#pragma once

// Control ids of the configuration store's dialog. A control shows the language text of its own id.

// "DLG_chkintegrity"; its caption is text 98.
#define IDC_CCI_INFO 99  // the information text, formatted with the backup's date
#define IDC_CCI_APPLYNEW_TEXT 100
#define IDC_CCI_RESTOREOLD_TEXT 101
#define IDC_CCI_CANCEL_TEXT 102
#define IDC_CCI_APPLY 103    // ends the dialog with 1
#define IDC_CCI_RESTORE 104  // ends the dialog with 2
#define IDC_CCI_CANCEL 1     // ends the dialog with 0
#define IDC_CCI_ICON 65535
