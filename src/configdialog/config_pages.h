#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "configdialog/maintenance_page.h"
#include "configdialog/value_tables.h"
#include "configstore/driver_config.h"
#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// What the pages of the configuration dialog show, as plain data. FillConfigPages, StoreConfigPages,
// ShowAdapterFields and StoreAdapterFields move values between the configuration record and this model;
// the dialog procedures copy the model to their controls and hand every change of a control to the
// commands of page_commands.h, which keep the model and the record in step.

enum class ConfigPage { kAdapter, kAdvanced, kMaintenance };

// "DLG_cfg_adapter"
struct AdapterPage {
    ChoiceList protocol;       // 48: the "[PROTOCOL]" names; [TEXT_UNKNOWN_PROTO] for an image not listed
    ChoiceList start;          // 55
    ChoiceList test;           // 59
    ChoiceList adapters;       // 60: the selector, one entry per adapter in use
    ChoiceList interrupt;      // 64: the shown adapter's
    std::string baseAddress;   // 61: the shown adapter's, hexadecimal
    bool spidPresent = false;  // label 66 and field 65 exist: a protocol of the setup file has SPIDs
    bool spidEnabled = false;  // and are enabled: the selected protocol has SPIDs
    std::string spid;          // 65: the shown adapter's
};

// "DLG_cfg_advanced", or "DLG_cfg_advanced_mntsw" with the maintenance switch
struct AdvancedPage {
    ChoiceList dosVector;                   // 56
    ChoiceList x31Layer2;                   // 72: refilled only while enabled, else it keeps what it showed
    bool x31Layer2Enabled = false;          // 72 and label 73: the selected protocol has the setting
    ChoiceList deliveryConf;                // 70
    ChoiceList dataIoMode;                  // 68
    bool point2Point = false;               // check box 69
    bool maintenanceSwitchPresent = false;  // check box 74 exists: a maintenance mode other than Off
    bool maintenanceSwitch = false;         // 74 checked: remote maintenance on
};

struct ConfigPages {
    // The setup information file as it was read when the pages were created.
    bool scriptRead = false;               // without it the protocol list stays empty
    std::vector<ProtocolEntry> protocols;  // "[PROTOCOL]"
    std::string defaultProtocol;           // "[DEFPROTOCOL]", empty without one
    MaintenanceDefaults defaults;          // "[MAINTENANCE]"
    AdapterPage adapter;
    AdvancedPage advanced;
    MaintenancePage maintenance;  // only in modes Full and Default
    size_t currentAdapter = 0;    // CurrentAdapter: whose fields the adapter page shows
    ConfigPage visiblePage = ConfigPage::kAdapter;
    bool maintenanceButtonShown = false;  // frame button 52
    bool modified = false;                // ConfigModified
};

// The pages as they are created, before the first fill: the protocols, the maintenance mode and whether any
// protocol carries SPIDs come from the setup information file script.
ConfigPages CreateConfigPages(const SetupInfoFile& script);
bool HasMaintenancePage(const ConfigPages& pages);

// Every page from the record.
void FillConfigPages(ConfigPages& pages, const DriverConfig& config);
// Every page back into the record, the shown adapter's fields excepted (StoreAdapterFields).
void StoreConfigPages(const ConfigPages& pages, DriverConfig& config);
// Selects adapter index in the selector, shows its interrupt, base address and SPID and makes it the
// CurrentAdapter. The base-address field is filled by this, and every change of that field counts as a
// change of the configuration.
void ShowAdapterFields(ConfigPages& pages, const AdapterArray& adapters, size_t index);
// The shown base address, interrupt and (where the field is present and enabled) SPID into adapter index.
// No interrupt selected keeps the adapter's interrupt.
void StoreAdapterFields(const ConfigPages& pages, AdapterArray& adapters, size_t index);
