#pragma once

// Control ids of the deinstallation's dialog template.

// "DLG_deinstall"
#define IDC_DEINSTALL_START 0   // Deinstall; shows text 36
#define IDC_DEINSTALL_CANCEL 1  // the default button
#define IDC_DEINSTALL_WARNING 37
#define IDC_DEINSTALL_START_HELP 38   // what Deinstall does
#define IDC_DEINSTALL_CANCEL_HELP 39  // what Cancel does
