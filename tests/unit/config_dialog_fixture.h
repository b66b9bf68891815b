#pragma once

#include <map>
#include <string>
#include <vector>

#include "config_store_fixture.h"
#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "configstore/registry_layout.h"

// Shared by the configuration dialog suites: the store fixture's protocols (DSS1 none, "National ISDN"
// SPID, "X.31" layer 2, "National ISDN X.31" both), with a default protocol and a "[MAINTENANCE]" section
// of the given mode, and the records described field by field so that a difference names its field.
namespace config_dialog_test {

using namespace config_test;

inline std::vector<std::string> MaintenanceSection(const std::string& mode, int adapter = 2) {
    return {"[MAINTENANCE]",
            mode,
            "2",
            std::to_string(adapter),
            "service",
            "Qzt-4711",
            "1",
            "089123456780,",
            "2",
            "089765432100,",
            "0897654321,12"};
}

inline std::vector<std::string> FieldsOf(const DriverConfig& c) {
    std::vector<std::string> fields = {
        "DisplayName=" + c.DisplayName,
        "ErrorControl=" + std::to_string(c.ErrorControl),
        "Group=" + c.Group,
        "ImagePath=" + c.ImagePath,
        "Start=" + std::to_string(c.Start),
        "Type=" + std::to_string(c.Type),
        "DataIoMode=" + std::to_string(c.DataIoMode),
        "DeliveryConf=" + std::to_string(c.DeliveryConf),
        "DeviceName=" + c.DeviceName,
        "DosVector=" + std::to_string(c.DosVector),
        "Point2Point=" + std::to_string(c.Point2Point),
        "Test=" + std::to_string(c.Test),
        "x31Layer2=" + std::to_string(c.x31Layer2),
        "Manufacturer=" + c.Manufacturer,
        "NumberOfControllers=" + std::to_string(c.NumberOfControllers),
        "MaintenanceMode=" + std::to_string(c.MaintenanceMode),
        "cipValue=" + std::to_string(c.cipValue),
        "Controller=" + std::to_string(c.Controller),
        "username=" + c.username,
        "password=" + c.password,
        "CDPNCount=" + std::to_string(c.CDPNCount),
        "CGPNCount=" + std::to_string(c.CGPNCount),
    };
    for (uint32_t i = 0; i < c.CDPNCount && i < kMaxCdpn; ++i) fields.push_back("CDPN=" + c.CDPN[i]);
    for (uint32_t i = 0; i < c.CGPNCount && i < kMaxCgpn; ++i) fields.push_back("CGPN=" + c.CGPN[i]);
    return fields;
}

inline std::vector<std::string> FieldsOf(const AdapterArray& adapters) {
    std::vector<std::string> fields;
    for (const AdapterConfig& a : adapters)
        fields.push_back(std::to_string(a.Channels) + "/" + std::to_string(a.BaseAddress) + "/" +
                         std::to_string(a.Interrupt) + "/" + a.SPID);
    return fields;
}

// The keys a configuration as CAPI 2.0 entry 1 touches: the entry and its channel keys, the service and its
// parameters, maintenance, integrity and adapter keys.
inline std::vector<std::string> ConfigurationKeys() {
    std::vector<std::string> keys = {CapiEntryPath(1), kServiceKeyPath, kParametersKeyPath,
                                     kMaintenanceKeyPath, kIntegrityCheckKey};
    for (uint32_t number = 1; number <= kMaxAdapters; ++number) {
        keys.push_back(ChannelKeyPath(1, number));
        keys.push_back(AdapterKeyPath(number));
    }
    return keys;
}

// Each key with its values; a missing key shows as a single "(no key)" value.
inline std::map<std::string, Values> RegistrySnapshot(const std::vector<std::string>& keys) {
    std::map<std::string, Values> snapshot;
    for (const std::string& key : keys)
        snapshot[key] = platform::fake::RegistryKeyExists(key) ? platform::fake::RegistryValues(key)
                                                               : Values{{"(no key)", 0, ""}};
    return snapshot;
}

// The stored bytes of a value, or "(missing)".
inline std::string Stored(const std::string& key, const std::string& name) {
    for (const auto& value : platform::fake::RegistryValues(key))
        if (value.name == name)
            return value.data;
    return "(missing)";
}

class ConfigDialogFixture : public ConfigStoreFixture {
  protected:
    // SETUP.QZT with the protocols, "National ISDN" as the default, and the given further lines.
    void DialogScript(const std::vector<std::string>& lines) {
        std::vector<std::string> all = {"[DEFPROTOCOL]", "National ISDN"};
        all.insert(all.end(), lines.begin(), lines.end());
        Script(all);
    }

    // The configuration in the registry as CAPI 2.0 entry 1, adapters with their SPIDs, and its backup, as
    // the dialog's last OK leaves them; the in-memory records and the messages shown are cleared after.
    void WriteInstalledConfiguration(const DriverConfig& config, const AdapterArray& adapters) {
        ASSERT_TRUE(WriteDriverConfig(Protocols(), 1, config));
        for (uint32_t i = 0; i < config.NumberOfControllers; ++i)
            ASSERT_TRUE(WriteAdapterConfig(adapters[i], i, kProtocolHasSpid));
        ASSERT_TRUE(WriteIntegrityBackup({config, adapters}, Protocols()));
        configuration_ = Configuration();
        Shown().clear();
    }
};

}  // namespace config_dialog_test
