#include "configstore/config_writer.h"

#include <string>
#include <vector>

#include "configstore/autoexec_block.h"
#include "configstore/capi_index.h"
#include "configstore/config_reports.h"
#include "configstore/group_order.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_values.h"

using namespace platform::registry;

namespace {

// Opens or creates the key and writes the list; false after the report.
bool WriteKey(const std::string& path, const std::string& keyClass, const std::vector<RegValueItem>& items) {
    Key key;
    if (CreateKey(path, keyClass, key.Put()) != kSuccess) {
        ReportNoKey(path);
        return false;
    }
    if (!WriteValueList(key.Get(), items)) {
        ReportNoKeyModify(path);
        return false;
    }
    return true;
}

bool CreateCapiTree() {
    Key tree;
    if (CreateKey(kCapiTreePath, "", tree.Put()) == kSuccess)
        return true;
    ReportNoKey(kCapiTreePath);
    return false;
}

std::vector<RegValueItem> ParameterItems(const std::string& script, const DriverConfig& config) {
    std::vector<RegValueItem> items = {
        NumberItem("DataIoMode", config.DataIoMode),
        NumberItem("DeliveryConf", config.DeliveryConf),
        NumberItem("DosVector", config.DosVector),
        NumberItem("Point2Point", config.Point2Point),
        NumberItem("Test", config.Test),
        TextItem("DeviceName", config.DeviceName),
    };
    if (ProtocolCodeOf(script, config.ImagePath) & kProtocolHasX31Layer2)
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

}  // namespace

bool WriteDriverConfig(const std::string& script, uint32_t capiIndex, DriverConfig config) {
    if (!CreateCapiTree())
        return false;
    if (!WriteKey(CapiEntryPath(capiIndex), "",
                  {TextItem("Manufacturer", config.Manufacturer), TextItem("DeviceName", config.DeviceName),
                   NumberItem("NumberOfControllers", config.NumberOfControllers)}))
        return false;
    if (!WriteKey(kServiceKeyPath, kServiceKeyClass,
                  {TextItem("DisplayName", config.DisplayName), TextItem("Group", config.Group),
                   NumberItem("ErrorControl", config.ErrorControl), NumberItem("Start", config.Start),
                   NumberItem("Type", config.Type), TextItem("ImagePath", config.ImagePath, kTypeExpandSz)}))
        return false;
    if (!WriteKey(kParametersKeyPath, "", ParameterItems(script, config)))
        return false;
    if (config.MaintenanceMode != 0 && !WriteKey(kMaintenanceKeyPath, "", MaintenanceItems(config)))
        return false;
    if (!InsertCapiGroup())
        return false;
    return InsertAutoexecBlock();
}

bool WriteAdapterConfig(AdapterConfig adapter, uint32_t index, uint32_t spidEnabled) {
    bool found = false;
    uint32_t capiIndex = FindCapiIndex(&found);
    if (!WriteKey(ChannelKeyPath(capiIndex, index + 1), "", {NumberItem("Channels", adapter.Channels)}))
        return false;
    std::vector<RegValueItem> items = {NumberItem("BaseAddress", adapter.BaseAddress),
                                       NumberItem("Interrupt", adapter.Interrupt)};
    if (spidEnabled & kProtocolHasSpid)
        items.push_back(TextItem("SPID", adapter.SPID));
    return WriteKey(AdapterKeyPath(index + 1), "", items);
}
