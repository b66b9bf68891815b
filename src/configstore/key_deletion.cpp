#include "configstore/key_deletion.h"

#include "configstore/capi_index.h"
#include "configstore/config_reports.h"
#include "configstore/driver_config.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_report.h"
#include "platform/registry.h"

using namespace platform::registry;

void DeleteOptionalParameters() {
    {
        Key parameters;
        if (OpenKey(kParametersKeyPath, true, parameters.Put()) != kSuccess) {
            ReportNoKey(kServiceKeyPath);
            return;
        }
        if (DeleteValue(parameters.Get(), "x31Layer2") == kSuccess)
            ReportValueDeleted(kParametersKeyPath, "x31Layer2");
    }
    if (DeleteKey(kMaintenanceKeyPath) == kSuccess)
        ReportKeyDeleted(kMaintenanceKeyPath);
}

namespace {

void DeleteKeys(uint32_t capiIndex, bool ours) {
    for (uint32_t number = 1; number <= kMaxAdapters; ++number) {
        // Channel keys below a number that is not our entry are another maker's.
        if (ours && DeleteKey(ChannelKeyPath(capiIndex, number)) == kSuccess)
            ReportKeyDeleted(ChannelKeyPath(capiIndex, number));
        if (DeleteKey(AdapterKeyPath(number)) == kSuccess)
            ReportKeyDeleted(AdapterKeyPath(number));
    }
}

}  // namespace

void DeleteAdapterKeys() {
    bool found = false;
    uint32_t capiIndex = FindCapiIndex(&found);
    DeleteKeys(capiIndex, found);
}

void DeleteAdapterKeysBelow(uint32_t capiIndex) {
    DeleteKeys(capiIndex, true);
}
