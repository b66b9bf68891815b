#pragma once

// Control ids of the dialog templates. The text a control shows is the language text of the same id,
// except where a template says otherwise.

// "DLG_main"
#define IDC_MAIN_ACTION 8  // shows text 9, 10 or 11 by run mode
#define IDC_MAIN_ABOUT 12
#define IDC_MAIN_EXIT 13
#define IDC_MAIN_LANGUAGE 14
#define IDC_MAIN_TITLE 15
#define IDC_MAIN_LANGUAGE_LABEL 16
#define IDC_MAIN_VERSION 17
#define IDC_MAIN_CARD_ICON 18

// "DLG_msg"
#define IDC_MSG_OK 0
#define IDC_MSG_TEXT 113
#define IDC_MSG_ICON 65535

// Question dialogs "DLG_yesno", "DLG_yesallno", "DLG_abortretryignore": each button shows the text of its id.
#define IDC_ASK_CANCEL 1  // Cancel, and in "DLG_abortretryignore" the abort choice
#define IDC_ASK_TEXT 113
#define IDC_ASK_YES 115
#define IDC_ASK_NO 116
#define IDC_ASK_ALL 117  // "DLG_yesallno" only
#define IDC_ASK_RETRY 118
#define IDC_ASK_IGNORE 119
#define IDC_ASK_ICON 65535

// Progress windows "DLG_info", "DLG_info_cancel"
#define IDC_INFO_CANCEL 1  // "DLG_info_cancel" only; shows text 1
#define IDC_INFO_TEXT 603  // the progress text, set by the run (not text 603)
#define IDC_INFO_ICON 65535
