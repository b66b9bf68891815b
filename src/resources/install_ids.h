#pragma once

// Control ids of the installation's dialog templates.

// "DLG_install"
#define IDC_INSTALL_START 0  // Install; shows text 28
#define IDC_INSTALL_CANCEL 1
#define IDC_INSTALL_SOURCE 29       // source path edit
#define IDC_INSTALL_DESTINATION 30  // destination path edit
#define IDC_INSTALL_CHANGE_SOURCE 31
#define IDC_INSTALL_CHANGE_DESTINATION 32
#define IDC_INSTALL_SOURCE_LABEL 33
#define IDC_INSTALL_DESTINATION_LABEL 34

// "DLG_changedir"
#define IDC_PICK_OK 0
#define IDC_PICK_CANCEL 1
#define IDC_PICK_DIRECTORIES 106  // subdirectories of the shown directory
#define IDC_PICK_DRIVES 107
#define IDC_PICK_SHOWN 108  // the directory being shown
#define IDC_PICK_SHOWN_LABEL 109
#define IDC_PICK_HELP 110
#define IDC_PICK_DRIVE_LABEL 111
