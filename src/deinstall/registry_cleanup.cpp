#include "deinstall/registry_cleanup.h"

#include <vector>

#include "configstore/autoexec_block.h"
#include "configstore/capi_index.h"
#include "configstore/config_reports.h"
#include "configstore/driver_config.h"
#include "configstore/group_order.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_values.h"
#include "configstore/removal_log.h"
#include "deinstall/removal_logging.h"
#include "platform/registry.h"
#include "setupfiles/language_table.h"
#include "ui/message_boxes.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

using namespace platform::registry;

namespace {

constexpr char kNumberOfControllersValue[] = "NumberOfControllers";
constexpr char kEnumKeyPath[] = "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Enum";

struct KeyStep {
    std::string path;
    bool logged;  // deleted with DeleteLoggedKey and recorded; else a plain deletion whose result is ignored
};

bool KeyExists(const std::string& path) {
    Key key;
    return OpenKey(path, false, key.Put()) == kSuccess;
}

// The adapter's key is deleted when the configuration counts the adapter, or when it is there anyway: a
// run without our CAPI 2.0 entry has no count, and a key left over would keep its parent from going.
bool HasAdapterKey(uint32_t number, uint32_t adapters, const std::string& path) {
    return number <= adapters || KeyExists(path);
}

// Every key of the driver, leaves first.
std::vector<KeyStep> KeyOrder(bool ourEntry, uint32_t capiIndex, uint32_t adapters, bool otherDrivers) {
    std::vector<KeyStep> steps;
    if (ourEntry) {
        for (uint32_t number = 1; number <= kMaxAdapters; ++number) {
            std::string path = ChannelKeyPath(capiIndex, number);
            if (HasAdapterKey(number, adapters, path))
                steps.push_back({path, true});
        }
        steps.push_back({CapiEntryPath(capiIndex), true});
    }
    // The tree belongs to every CAPI 2.0 driver; it goes with the last one.
    if (!otherDrivers)
        steps.push_back({kCapiTreePath, false});
    for (uint32_t number = 1; number <= kMaxAdapters; ++number) {
        std::string path = AdapterKeyPath(number);
        if (HasAdapterKey(number, adapters, path))
            steps.push_back({path, true});
    }
    steps.push_back({kIntegrityCheckKey, true});
    steps.push_back({kMaintenanceKeyPath, false});
    steps.push_back({kParametersKeyPath, true});
    steps.push_back({kEnumKeyPath, false});
    steps.push_back({kServiceKeyPath, true});
    // Last: while anything of the driver is left, Add/Remove Programs still offers to finish the removal.
    // An installation made before the entry existed has none, and none is asked about.
    if (KeyExists(kUninstallKeyPath))
        steps.push_back({kUninstallKeyPath, true});
    return steps;
}

// The removal needs of the configuration only the adapter count, and that only to expect the adapter keys:
// the keys that are there go whatever it says. A count that cannot be read is named ([ERR_CFG_NOVALQUERY])
// and the removal goes on with the keys it finds; another unreadable value of the configuration is no
// reason to leave the driver's keys behind.
uint32_t InstalledAdapterCount(uint32_t capiIndex) {
    Key key;
    uint32_t count = 0;
    if (OpenKey(CapiEntryPath(capiIndex), false, key.Put()) != kSuccess ||
        !ReadDwordValue(key.Get(), &count, kNumberOfControllersValue, true))
        return 0;
    if (count < 1 || count > kMaxAdapters) {
        ReportNoValueQuery(kNumberOfControllersValue);
        return 0;
    }
    return count;
}

}  // namespace

long DeleteLoggedKey(const std::string& setupDirectory, const std::string& keyPath) {
    bool logged = IsInRemovalLog(setupDirectory, keyPath);
    {
        Key key;
        long status = OpenKey(keyPath, false, key.Put());
        if (logged && status == kFileNotFound)
            return kSuccess;
        if (status != kSuccess) {
            if (!logged)
                ShowMessage(nullptr, FormatText(Text(kTextErrDeiKeynotfound), {keyPath}));
            return status;
        }
    }
    long status = DeleteKey(keyPath);
    if (status != kSuccess && !logged)
        ShowMessage(nullptr, FormatText(Text(kTextErrDeiNoremovekey), {keyPath}));
    return status;
}

bool DriverRegistryPresent() {
    bool found = false;
    FindCapiIndex(&found);
    return found || KeyExists(kServiceKeyPath) || KeyExists(kUninstallKeyPath);
}

bool RemoveDriverRegistry(const std::string& setupDirectory) {
    bool ourEntry = false;
    uint32_t capiIndex = FindCapiIndex(&ourEntry);
    bool otherDrivers = HasOtherCapiDriver(ourEntry, UnreadableCapiTree::kHoldsAnother);
    uint32_t adapters = ourEntry ? InstalledAdapterCount(capiIndex) : 0;
    if (!RemoveAutoexecBlock())
        return false;
    if (!otherDrivers && !RemoveCapiGroup())
        return false;
    for (const KeyStep& step : KeyOrder(ourEntry, capiIndex, adapters, otherDrivers)) {
        if (!step.logged) {
            DeleteKey(step.path);
            continue;
        }
        if (DeleteLoggedKey(setupDirectory, step.path) != kSuccess)
            return false;
        if (!AppendRemovalLog(setupDirectory, step.path))
            return false;
    }
    return true;
}
