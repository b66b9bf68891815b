#pragma once

// Control ids of the configuration dialog's templates. A control shows the language text of its own id.

// "DLG_cfg_main"; its caption is text 41.
#define IDC_CFG_OK 0
#define IDC_CFG_CANCEL 1
#define IDC_CFG_RESET 6
#define IDC_CFG_SHOW_ADAPTER 49  // page buttons, held pushed while their page is on view
#define IDC_CFG_SHOW_ADVANCED 51
#define IDC_CFG_SHOW_MAINTENANCE 52

// "DLG_cfg_adapter"
#define IDC_CFG_G_GENERAL 42
#define IDC_CFG_PROTOCOL_LABEL 47
#define IDC_CFG_PROTOCOL 48
#define IDC_CFG_START_LABEL 54
#define IDC_CFG_START 55
#define IDC_CFG_TEST_LABEL 58
#define IDC_CFG_TEST 59
#define IDC_CFG_G_ADAPTER 43
#define IDC_CFG_ADAPTERS 60  // the adapter selector
#define IDC_CFG_CHANGE 2     // opens "DLG_chctl"
#define IDC_CFG_INTERRUPT_LABEL 63
#define IDC_CFG_INTERRUPT 64
#define IDC_CFG_BASE_ADDRESS_LABEL 62
#define IDC_CFG_BASE_ADDRESS 61
#define IDC_CFG_SPID_LABEL 66
#define IDC_CFG_SPID 65

// "DLG_cfg_advanced", "DLG_cfg_advanced_mntsw"
#define IDC_CFG_G_ADVANCED 45
#define IDC_CFG_DOS_VECTOR_LABEL 57
#define IDC_CFG_DOS_VECTOR 56
#define IDC_CFG_X31_LAYER2_LABEL 73
#define IDC_CFG_X31_LAYER2 72
#define IDC_CFG_DELIVERY_CONF_LABEL 71
#define IDC_CFG_DELIVERY_CONF 70
#define IDC_CFG_DATA_IO_LABEL 67
#define IDC_CFG_DATA_IO 68
#define IDC_CFG_POINT2POINT 69
#define IDC_CFG_MAINTENANCE_SWITCH 74  // only in "DLG_cfg_advanced_mntsw"

// "DLG_cfg_maintenance", "DLG_cfg_maintenance_def" (displays in place of lists and fields, no buttons);
// the group box 42 as on the adapter page
#define IDC_CFG_CIP_LABEL 75
#define IDC_CFG_CIP 76
#define IDC_CFG_MAINTENANCE_ADAPTER_LABEL 77
#define IDC_CFG_MAINTENANCE_ADAPTER 60
#define IDC_CFG_G_SECURITY 46
#define IDC_CFG_USERNAME_LABEL 78
#define IDC_CFG_USERNAME 79
#define IDC_CFG_PASSWORD_LABEL 80
#define IDC_CFG_PASSWORD 81
#define IDC_CFG_CALLED_NUMBER_LABEL 82
#define IDC_CFG_CALLED_NUMBER 83
#define IDC_CFG_CALLED_SUBADDRESS_LABEL 84
#define IDC_CFG_CALLED_SUBADDRESS 85
#define IDC_CFG_CALLING_LABEL 86
#define IDC_CFG_CALLING_COMMENT 88
#define IDC_CFG_CALLING_NUMBERS 87
#define IDC_CFG_ADD_NUMBER 4
#define IDC_CFG_EDIT_NUMBER 3
#define IDC_CFG_REMOVE_NUMBER 5

// "DLG_partynumber"; its caption is text 90 when adding, 89 when editing.
#define IDC_CPN_OK 0
#define IDC_CPN_CANCEL 1
#define IDC_CPN_NUMBER_LABEL 91
#define IDC_CPN_NUMBER 92
#define IDC_CPN_SUBADDRESS_LABEL 93
#define IDC_CPN_SUBADDRESS 94

// "DLG_chctl"; its caption is text 95.
#define IDC_CHG_OK 0
#define IDC_CHG_CANCEL 1
#define IDC_CHG_ADD 4
#define IDC_CHG_REMOVE 5
#define IDC_CHG_LABEL 96
#define IDC_CHG_ADAPTERS 97
