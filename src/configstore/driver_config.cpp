#include "configstore/driver_config.h"

const char* const kOurManufacturer = "QZT Velmonic GmbH";

void SetDefaultDriverConfig(uint32_t capiIndex, const MaintenanceDefaults& maintenance,
                            DriverConfig& config) {
    config = DriverConfig();
    config.DisplayName = "CAPI 2.0 Quorel Driver";
    config.ErrorControl = 1;
    config.Group = "CAPI20";
    config.ImagePath = std::string(kDriversPrefix) + "kxbus.sys";
    config.Start = 1;
    config.Type = 1;
    config.DataIoMode = 1;
    config.DeliveryConf = 0;
    config.DeviceName = "CAPI20" + std::to_string(capiIndex);
    config.DosVector = 0xF1;
    config.Point2Point = 0;
    config.Test = 0;
    config.x31Layer2 = 1;
    config.Manufacturer = kOurManufacturer;
    config.NumberOfControllers = 1;
    config.MaintenanceMode = 0;
    config.cipValue = 0;
    config.Controller = 0;
    config.CDPNCount = 1;
    config.CGPNCount = 1;
    ApplyMaintenanceDefaults(maintenance, config);
}

void SetDefaultAdapterConfig(AdapterConfig& adapter) {
    adapter.Channels = 2;
    adapter.BaseAddress = 0x260;
    adapter.Interrupt = 3;
    adapter.SPID.clear();
}

void ApplyMaintenanceDefaults(const MaintenanceDefaults& defaults, DriverConfig& config) {
    if (defaults.Mode == kMaintenanceOff)
        return;
    config.MaintenanceMode = static_cast<uint32_t>(defaults.Mode);
    config.cipValue = static_cast<uint32_t>(defaults.cipValue);
    // The section's Controller is the configuration dialog's choice; a fresh record starts switched off.
    config.Controller = kMaintenanceControllerOff;
    config.CDPNCount = static_cast<uint32_t>(defaults.CDPN.size());
    config.CGPNCount = static_cast<uint32_t>(defaults.CGPN.size());
    config.username = defaults.username;
    config.password = defaults.password;
    for (size_t i = 0; i < defaults.CDPN.size(); ++i) config.CDPN[i] = defaults.CDPN[i];
    for (size_t i = 0; i < defaults.CGPN.size(); ++i) config.CGPN[i] = defaults.CGPN[i];
}

void SetDefaultConfiguration(uint32_t capiIndex, const MaintenanceDefaults& maintenance,
                             const std::vector<ProtocolEntry>& protocols, const std::string& defaultProtocol,
                             DriverConfig& driver, AdapterArray& adapters) {
    SetDefaultDriverConfig(capiIndex, maintenance, driver);
    for (uint32_t i = 0; i < driver.NumberOfControllers && i < adapters.size(); ++i)
        SetDefaultAdapterConfig(adapters[i]);
    if (!defaultProtocol.empty())
        FindNewImagePath(protocols, defaultProtocol, driver.ImagePath);
}
