#include "configstore/config_reader.h"

#include <string>

#include "configstore/config_reports.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_values.h"

using namespace platform::registry;

namespace {

// A text value of a chain; a failure is silent, so its name goes to unreported when the caller wants it.
bool ReadChainText(KeyId key, std::string* field, const char* name, size_t capacity,
                   std::string* unreported) {
    if (ReadStringValue(key, field, name, capacity))
        return true;
    if (unreported)
        *unreported = name;
    return false;
}

// Opens a key for reading; reported when it cannot be opened.
bool OpenForReading(const std::string& path, Key& key) {
    if (OpenKey(path, false, key.Put()) == kSuccess)
        return true;
    ReportNoKey(path);
    return false;
}

bool ReadServiceKey(DriverConfig& config, std::string* unreported) {
    Key key;
    if (!OpenForReading(kServiceKeyPath, key))
        return false;
    return ReadChainText(key.Get(), &config.DisplayName, "DisplayName", kDisplayNameWidth, unreported) &&
           ReadDwordValue(key.Get(), &config.ErrorControl, "ErrorControl", true) &&
           ReadChainText(key.Get(), &config.Group, "Group", kGroupWidth, unreported) &&
           ReadChainText(key.Get(), &config.ImagePath, "ImagePath", kImagePathWidth, unreported) &&
           ReadDwordValue(key.Get(), &config.Start, "Start", true) &&
           ReadDwordValue(key.Get(), &config.Type, "Type", true);
}

bool ReadParametersKey(const std::vector<ProtocolEntry>& protocols, DriverConfig& config,
                       std::string* unreported) {
    Key key;
    if (!OpenForReading(kParametersKeyPath, key))
        return false;
    bool chain = ReadDwordValue(key.Get(), &config.DosVector, "DosVector", true) &&
                 ReadChainText(key.Get(), &config.DeviceName, "DeviceName", kDeviceNameWidth, unreported) &&
                 ReadDwordValue(key.Get(), &config.DeliveryConf, "DeliveryConf", true) &&
                 ReadDwordValue(key.Get(), &config.DataIoMode, "DataIoMode", true) &&
                 ReadDwordValue(key.Get(), &config.Point2Point, "Point2Point", true) &&
                 ReadDwordValue(key.Get(), &config.Test, "Test", true);
    if (FindProtocolCode(protocols, config.ImagePath) & kProtocolHasX31Layer2) {
        if (!ReadDwordValue(key.Get(), &config.x31Layer2, "x31Layer2", false))
            config.x31Layer2 = 1;
    }
    return chain;
}

void ReadMaintenanceKey(DriverConfig& config) {
    Key key;
    if (OpenKey(kMaintenanceKeyPath, false, key.Put()) != kSuccess) {
        config.MaintenanceMode = kMaintenanceOff;
        return;
    }
    // The key's existence is all the registry says; a mode the defaults set is kept.
    if (config.MaintenanceMode == kMaintenanceOff)
        config.MaintenanceMode = kMaintenanceFull;
    ReadDwordValue(key.Get(), &config.cipValue, "cipValue", true);
    ReadDwordValue(key.Get(), &config.Controller, "Controller", true);
    ReadStringValue(key.Get(), &config.username, "username", kUserWidth);
    ReadStringValue(key.Get(), &config.password, "password", kUserWidth);
    config.CDPNCount = 0;
    if (ReadStringValue(key.Get(), &config.CDPN[0], "CDPN1", kPartyNumberWidth))
        config.CDPNCount = 1;
    config.CGPNCount = 0;
    while (config.CGPNCount < kMaxCgpn &&
           ReadStringValue(key.Get(), &config.CGPN[config.CGPNCount],
                           "CGPN" + std::to_string(config.CGPNCount + 1), kPartyNumberWidth))
        ++config.CGPNCount;
}

// The adapter count indexes the four adapter records everywhere: a stored count outside 1 to 4 was not
// written by this program and counts as unreadable, so that the record never holds it.
bool ReadNumberOfControllers(KeyId key, DriverConfig& config) {
    uint32_t count = config.NumberOfControllers;
    if (!ReadDwordValue(key, &count, "NumberOfControllers", true))
        return false;
    if (count < 1 || count > kMaxAdapters) {
        ReportNoValueQuery("NumberOfControllers");
        return false;
    }
    config.NumberOfControllers = count;
    return true;
}

bool ReadCapiEntry(uint32_t capiIndex, DriverConfig& config, std::string* unreported) {
    std::string path = CapiEntryPath(capiIndex);
    Key key;
    if (!OpenForReading(path, key))
        return false;
    return ReadChainText(key.Get(), &config.DeviceName, "DeviceName", kDeviceNameWidth, unreported) &&
           ReadChainText(key.Get(), &config.Manufacturer, "Manufacturer", kManufacturerWidth, unreported) &&
           ReadNumberOfControllers(key.Get(), config);
}

}  // namespace

bool ReadDriverConfig(const std::vector<ProtocolEntry>& protocols, uint32_t capiIndex, DriverConfig& config,
                      std::string* unreported) {
    if (!ReadServiceKey(config, unreported))
        return false;
    if (!ReadParametersKey(protocols, config, unreported))
        return false;
    ReadMaintenanceKey(config);
    return ReadCapiEntry(capiIndex, config, unreported);
}

bool ReadAdapterConfig(AdapterConfig& adapter, uint32_t index, uint32_t capiIndex, bool withSpid) {
    {
        Key key;
        if (!OpenForReading(AdapterKeyPath(index + 1), key))
            return false;
        bool chain = ReadDwordValue(key.Get(), &adapter.BaseAddress, "BaseAddress", true) &&
                     ReadDwordValue(key.Get(), &adapter.Interrupt, "Interrupt", true) &&
                     (!withSpid || ReadStringValue(key.Get(), &adapter.SPID, "SPID", kSpidWidth));
        if (!chain)
            return false;
    }
    std::string path = ChannelKeyPath(capiIndex, index + 1);
    Key key;
    if (!OpenForReading(path, key))
        return false;
    return ReadDwordValue(key.Get(), &adapter.Channels, "Channels", true);
}
