#pragma once

// Control ids of the dialogs that show versions: the about box and the driver file versions list.

// "DLG_about"
#define IDC_ABOUT_OK 0
#define IDC_ABOUT_TEXT 20           // the product texts, several lines
#define IDC_ABOUT_VERSION_LABEL 21  // label of the version line
#define IDC_ABOUT_VERSION 22        // the running driver's version, built by the program (not text 22)
#define IDC_ABOUT_FILE_VERSIONS 23  // opens "DLG_fileversion"
#define IDC_ABOUT_ICON 65535
#define IDC_ABOUT_FRAME 65535

// "DLG_fileversion"
#define IDC_VER_OK 0
#define IDC_VER_HEADING 25
#define IDC_VER_LIST 26  // one line per driver file: its path, a TAB, its version
