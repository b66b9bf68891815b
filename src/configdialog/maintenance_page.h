#pragma once

#include <cstdint>
#include <string>

#include "configdialog/party_numbers.h"
#include "configdialog/value_tables.h"
#include "configstore/driver_config.h"
#include "setupfiles/setup_info_file.h"

// What the maintenance page shows: "DLG_cfg_maintenance" with lists and edit fields in mode Full,
// "DLG_cfg_maintenance_def" with plain displays in mode Default.
struct MaintenancePage {
    ChoiceList cipValue;        // list 76, mode Full
    ChoiceList adapter;         // list 60, mode Full
    std::string cipValueText;   // display 76, mode Default
    std::string adapterText;    // display 60, mode Default
    std::string username;       // 79
    std::string password;       // 81
    PartyNumber called;         // 83 (number) and 85 (subaddress)
    ChoiceList callingNumbers;  // 87: one line per number, a tab between number and subaddress
};

// The Controller value the maintenance adapter list starts from: the record's, or the "[MAINTENANCE]"
// adapter number while remote maintenance is off.
uint32_t MaintenanceAdapterValue(uint32_t controller, const MaintenanceDefaults& defaults);
// Fills the page for the mode of defaults (Full or Default) from the record.
void FillMaintenancePage(MaintenancePage& page, const DriverConfig& config,
                         const MaintenanceDefaults& defaults);
// Mode Full: the page into cipValue, Controller, username, password, CDPN and CGPN. A list without a
// selection keeps the record's value.
void StoreMaintenancePage(const MaintenancePage& page, DriverConfig& config);
// After the number of adapters changed: the adapter list for the new count, keeping the adapter chosen
// on the page while it still exists; fallbackController stands in when none is chosen.
void RefillMaintenanceAdapters(MaintenancePage& page, const MaintenanceDefaults& defaults,
                               uint32_t adapterCount, uint32_t fallbackController);
