#include "configdialog/maintenance_page.h"

#include <algorithm>

#include "setupfiles/text_line.h"

namespace {

// The adapters a record describes, within the four records.
uint32_t AdapterCount(const DriverConfig& config) {
    return std::clamp<uint32_t>(config.NumberOfControllers, 1, kMaxAdapters);
}

uint32_t DefaultsAdapter(const MaintenanceDefaults& defaults) {
    return static_cast<uint32_t>(defaults.Controller);
}

}  // namespace

uint32_t MaintenanceAdapterValue(uint32_t controller, const MaintenanceDefaults& defaults) {
    return controller == kMaintenanceControllerOff ? DefaultsAdapter(defaults) : controller;
}

void FillMaintenancePage(MaintenancePage& page, const DriverConfig& config,
                         const MaintenanceDefaults& defaults) {
    uint32_t adapters = AdapterCount(config);
    if (defaults.Mode == kMaintenanceFull) {
        page.cipValue = ShowValue(CipValueTable(), config.cipValue);
        page.adapter =
            MaintenanceAdapterChoices(adapters, MaintenanceAdapterValue(config.Controller, defaults));
    } else {
        page.cipValueText = std::to_string(config.cipValue);
        page.adapterText = MaintenanceAdapterDisplay(adapters, DefaultsAdapter(defaults));
    }
    page.username = config.username;
    page.password = config.password;
    // Only a called number the record holds is shown, so that nothing stale stands in either field.
    page.called =
        config.CDPNCount > 0 ? SplitPartyNumber(config.CDPN[0], kStoredPartySeparator) : PartyNumber{};
    page.callingNumbers = ChoiceList();
    for (uint32_t i = 0; i < config.CGPNCount && i < kMaxCgpn; ++i)
        page.callingNumbers.entries.push_back(PartyNumberLine(config.CGPN[i]));
}

void StoreMaintenancePage(const MaintenancePage& page, DriverConfig& config) {
    config.cipValue = ChosenValue(CipValueTable(), page.cipValue, config.cipValue);
    config.Controller = ChosenMaintenanceAdapter(page.adapter, config.Controller);
    config.username = FitField(page.username, kUserWidth);
    config.password = FitField(page.password, kUserWidth);
    // A called number typed where the registry held none is written too, not dropped by the old count.
    if (config.CDPNCount > 0 || !page.called.number.empty() || !page.called.subaddress.empty()) {
        config.CDPN[0] = FitField(JoinPartyNumber(page.called, kStoredPartySeparator), kPartyNumberWidth);
        config.CDPNCount = 1;
    }
    const std::vector<std::string>& lines = page.callingNumbers.entries;
    config.CGPNCount = static_cast<uint32_t>(std::min<size_t>(lines.size(), kMaxCgpn));
    for (uint32_t i = 0; i < config.CGPNCount; ++i)
        config.CGPN[i] = FitField(StoredPartyNumber(lines[i]), kPartyNumberWidth);
}

void RefillMaintenanceAdapters(MaintenancePage& page, const MaintenanceDefaults& defaults,
                               uint32_t adapterCount, uint32_t fallbackController) {
    if (defaults.Mode == kMaintenanceFull) {
        uint32_t chosen =
            ChosenMaintenanceAdapter(page.adapter, MaintenanceAdapterValue(fallbackController, defaults));
        // An adapter the new count took away leaves the first one chosen, not an empty choice.
        page.adapter = MaintenanceAdapterChoices(adapterCount, chosen > adapterCount ? 1 : chosen);
    } else {
        page.adapterText = MaintenanceAdapterDisplay(adapterCount, DefaultsAdapter(defaults));
    }
}
