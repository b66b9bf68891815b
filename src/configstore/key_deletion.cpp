#include "configstore/key_deletion.h"

#include "configstore/capi_index.h"
#include "configstore/config_reports.h"
#include "configstore/driver_config.h"
#include "configstore/registry_layout.h"
#include "platform/registry.h"

using namespace platform::registry;

void DeleteOptionalParameters() {
    {
        Key parameters;
        if (OpenKey(kParametersKeyPath, true, parameters.Put()) != kSuccess) {
            ReportNoKey(kServiceKeyPath);
            return;
        }
        DeleteValue(parameters.Get(), "x31Layer2");
    }
    DeleteKey(kMaintenanceKeyPath);
}

void DeleteAdapterKeys() {
    bool found = false;
    uint32_t capiIndex = FindCapiIndex(&found);
    for (uint32_t number = 1; number <= kMaxAdapters; ++number) {
        DeleteKey(ChannelKeyPath(capiIndex, number));
        DeleteKey(AdapterKeyPath(number));
    }
}
