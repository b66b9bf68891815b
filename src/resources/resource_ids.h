#pragma once

// Control ids of the dialog templates. The text a control shows is the language text of the same id,
// except where a template says otherwise.

// "DLG_main"
#define IDC_MAIN_ACTION 8    // shows text 9, 10 or 11 by run mode
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
