#include "configstore/config_writer.h"

#include <string>
#include <vector>

#include "configstore/autoexec_block.h"
#include "configstore/capi_index.h"
#include "configstore/config_reports.h"
#include "configstore/group_order.h"
#include "configstore/integrity_backup.h"
#include "configstore/key_deletion.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_report.h"
#include "configstore/registry_values.h"

using namespace platform::registry;

namespace {

bool CreateCapiTree() {
    Key tree;
    if (CreateLayoutKey(kCapiTreePath, tree.Put()) == kSuccess)
        return true;
    ReportNoKey(kCapiTreePath);
    return false;
}

std::vector<RegValueItem> ParameterItems(const std::vector<ProtocolEntry>& protocols,
                                         const DriverConfig& config) {
    std::vector<RegValueItem> items = {
        NumberItem("DataIoMode", config.DataIoMode),
        NumberItem("DeliveryConf", config.DeliveryConf),
        NumberItem("DosVector", config.DosVector),
        NumberItem("Point2Point", config.Point2Point),
        NumberItem("Test", config.Test),
        TextItem("DeviceName", config.DeviceName),
    };
    if (FindProtocolCode(protocols, config.ImagePath) & kProtocolHasX31Layer2)
        items.push_back(NumberItem("x31Layer2", config.x31Layer2));
    return items;
}

std::vector<RegValueItem> MaintenanceItems(const DriverConfig& config) {
    std::vector<RegValueItem> items = {
        NumberItem("cipValue", config.cipValue),
        NumberItem("Controller", config.Controller),
        TextItem("username", config.username),
        TextItem("password", config.password),
    };
    if (config.CDPNCount == 1)
        items.push_back(TextItem("CDPN1", config.CDPN[0]));
    for (uint32_t i = 0; i < config.CGPNCount && i < kMaxCgpn; ++i)
        items.push_back(TextItem("CGPN" + std::to_string(i + 1), config.CGPN[i]));
    return items;
}

// The driver's entry below SOFTWARE\CAPI20. An entry this call makes but cannot give our manufacturer is
// taken out again: a number without it would later count as another maker's driver.
bool WriteCapiEntry(uint32_t capiIndex, const DriverConfig& config) {
    if (capiIndex == kCapiIndexUnknown) {
        ReportNoKey(kCapiTreePath);
        return false;
    }
    const std::string path = CapiEntryPath(capiIndex);
    Key before;
    bool existed = OpenKey(path, false, before.Put()) == kSuccess;
    before.Reset();
    if (WriteLayoutKey(
            path, {TextItem("Manufacturer", config.Manufacturer), TextItem("DeviceName", config.DeviceName),
                   NumberItem("NumberOfControllers", config.NumberOfControllers)}))
        return true;
    bool found = false;
    bool ours = FindCapiIndex(&found) == capiIndex && found;
    if (!existed && !ours)
        DeleteKey(path);
    return false;
}

}  // namespace

bool WriteLayoutKey(const std::string& path, const std::vector<RegValueItem>& items) {
    Key key;
    if (CreateLayoutKey(path, key.Put()) != kSuccess) {
        ReportNoKey(path);
        return false;
    }
    if (!WriteValueList(key.Get(), items)) {
        ReportNoKeyModify(path);
        return false;
    }
    ReportValuesWritten(path, items);
    return true;
}

bool WriteDriverConfig(const std::vector<ProtocolEntry>& protocols, uint32_t capiIndex, DriverConfig config) {
    if (!CreateCapiTree())
        return false;
    if (!WriteCapiEntry(capiIndex, config))
        return false;
    if (!WriteLayoutKey(
            kServiceKeyPath,
            {TextItem("DisplayName", config.DisplayName), TextItem("Group", config.Group),
             NumberItem("ErrorControl", config.ErrorControl), NumberItem("Start", config.Start),
             NumberItem("Type", config.Type), TextItem("ImagePath", config.ImagePath, kTypeExpandSz)}))
        return false;
    if (!WriteLayoutKey(kParametersKeyPath, ParameterItems(protocols, config)))
        return false;
    if (config.MaintenanceMode != 0 && !WriteLayoutKey(kMaintenanceKeyPath, MaintenanceItems(config)))
        return false;
    if (!InsertCapiGroup())
        return false;
    return InsertAutoexecBlock();
}

namespace {

// Below our entry's number, which the caller has found or has just written.
bool WriteAdapterKeys(const AdapterConfig& adapter, uint32_t index, uint32_t capiIndex,
                      uint32_t spidEnabled) {
    if (!WriteLayoutKey(ChannelKeyPath(capiIndex, index + 1), {NumberItem("Channels", adapter.Channels)}))
        return false;
    std::vector<RegValueItem> items = {NumberItem("BaseAddress", adapter.BaseAddress),
                                       NumberItem("Interrupt", adapter.Interrupt)};
    if (spidEnabled & kProtocolHasSpid)
        items.push_back(TextItem("SPID", adapter.SPID));
    return WriteLayoutKey(AdapterKeyPath(index + 1), items);
}

}  // namespace

bool WriteAdapterConfig(AdapterConfig adapter, uint32_t index, uint32_t spidEnabled) {
    bool found = false;
    uint32_t capiIndex = FindCapiIndex(&found);
    // Without our entry the number carries no manufacturer: an adapter key below it would make it count
    // as another maker's driver.
    if (!found) {
        ReportNoKey(CapiEntryPath(capiIndex));
        return false;
    }
    return WriteAdapterKeys(adapter, index, capiIndex, spidEnabled);
}

bool WriteConfiguration(const Configuration& config, const std::vector<ProtocolEntry>& protocols,
                        uint32_t capiIndex, uint32_t spidEnabled) {
    DeleteOptionalParameters();
    // Written, our entry is under capiIndex: the tree is not searched for it again for every key.
    if (!WriteDriverConfig(protocols, capiIndex, config.driver))
        return false;
    DeleteAdapterKeysBelow(capiIndex);
    for (uint32_t i = 0; i < config.driver.NumberOfControllers && i < config.adapters.size(); ++i)
        if (!WriteAdapterKeys(config.adapters[i], i, capiIndex, spidEnabled))
            return false;
    return WriteIntegrityBackup(config, protocols);
}
