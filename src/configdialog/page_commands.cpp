#include "configdialog/page_commands.h"

#include <algorithm>

namespace {

bool Selected(const ChoiceList& list) {
    return list.selected >= 0 && static_cast<size_t>(list.selected) < list.entries.size();
}

FilteredText EditFiltered(ConfigPages& pages, std::string& field, FilteredText filtered) {
    field = filtered.text;
    pages.modified = true;
    return filtered;
}

}  // namespace

void ShowPage(ConfigPages& pages, ConfigPage page) {
    // In mode DefaultInvisible button 52 has no page behind it; the page on view stays.
    if (page == ConfigPage::kMaintenance && !HasMaintenancePage(pages))
        return;
    pages.visiblePage = page;
}

void SelectAdapter(ConfigPages& pages, AdapterArray& adapters, int position) {
    if (position < 0 || static_cast<size_t>(position) >= pages.adapter.adapters.entries.size())
        return;
    StoreAdapterFields(pages, adapters, pages.currentAdapter);
    ShowAdapterFields(pages, adapters, static_cast<size_t>(position));
}

void SelectProtocol(ConfigPages& pages, DriverConfig& config, AdapterArray& adapters, int position) {
    pages.adapter.protocol.selected = position;
    size_t shown = pages.currentAdapter;
    // While remote maintenance is off the record holds no adapter for it; the page's choice is kept here.
    int maintenanceAdapter = pages.maintenance.adapter.selected;
    StoreConfigPages(pages, config);
    StoreAdapterFields(pages, adapters, shown);
    FillConfigPages(pages, config);
    if (pages.defaults.Mode == kMaintenanceFull)
        pages.maintenance.adapter.selected = maintenanceAdapter;
    ShowAdapterFields(pages, adapters, shown);
    pages.modified = true;
}

void SelectInterrupt(ConfigPages& pages, AdapterArray& adapters, int position) {
    pages.adapter.interrupt.selected = position;
    StoreAdapterFields(pages, adapters, pages.currentAdapter);
    pages.modified = true;
}

void SelectEntry(ConfigPages& pages, ChoiceList& list, int position) {
    list.selected = position;
    pages.modified = true;
}

void SetPoint2Point(ConfigPages& pages, bool checked) {
    pages.advanced.point2Point = checked;
    pages.modified = true;
}

void SetMaintenanceSwitch(ConfigPages& pages, bool checked) {
    pages.advanced.maintenanceSwitch = checked && pages.advanced.maintenanceSwitchPresent;
    pages.maintenanceButtonShown = pages.advanced.maintenanceSwitch;
    pages.modified = true;
}

FilteredText EditBaseAddress(ConfigPages& pages, const std::string& text, size_t caret) {
    return EditFiltered(pages, pages.adapter.baseAddress, FilterBaseAddress(text, caret));
}

FilteredText EditSpid(ConfigPages& pages, const std::string& text, size_t caret) {
    return EditFiltered(pages, pages.adapter.spid, FilterSpid(text, caret));
}

FilteredText EditCalledNumber(ConfigPages& pages, const std::string& text, size_t caret) {
    return EditFiltered(pages, pages.maintenance.called.number, FilterPartyNumber(text, caret));
}

FilteredText EditCalledSubaddress(ConfigPages& pages, const std::string& text, size_t caret) {
    return EditFiltered(pages, pages.maintenance.called.subaddress, FilterPartyNumber(text, caret));
}

void EditUsername(ConfigPages& pages, const std::string& text) {
    pages.maintenance.username = text;
    pages.modified = true;
}

void EditPassword(ConfigPages& pages, const std::string& text) {
    pages.maintenance.password = text;
    pages.modified = true;
}

void ChangeAdapterCount(ConfigPages& pages, const DriverConfig& config, AdapterArray& adapters,
                        uint32_t count) {
    size_t shown = pages.currentAdapter;
    StoreAdapterFields(pages, adapters, shown);
    uint32_t adapterCount = std::clamp<uint32_t>(count, 1, kMaxAdapters);
    pages.adapter.adapters = AdapterSelector(adapterCount);
    if (HasMaintenancePage(pages))
        RefillMaintenanceAdapters(pages.maintenance, pages.defaults, adapterCount, config.Controller);
    ShowAdapterFields(pages, adapters, shown % adapterCount);
    pages.modified = true;
}

NumberButtons CallingNumberButtons(const ConfigPages& pages) {
    const ChoiceList& list = pages.maintenance.callingNumbers;
    return UpdateNumberButtons(list.entries.size(), Selected(list));
}

PartyNumber SelectedCallingNumber(const ConfigPages& pages) {
    const ChoiceList& list = pages.maintenance.callingNumbers;
    if (!Selected(list))
        return {};
    return SplitPartyNumber(list.entries[list.selected], kListedPartySeparator);
}

void AddCallingNumber(ConfigPages& pages, const PartyNumber& party) {
    ChoiceList& list = pages.maintenance.callingNumbers;
    if (!CallingNumberButtons(pages).add)
        return;
    list.entries.push_back(JoinPartyNumber(party, kListedPartySeparator));
    pages.modified = true;
}

void ReplaceCallingNumber(ConfigPages& pages, const PartyNumber& party) {
    ChoiceList& list = pages.maintenance.callingNumbers;
    if (!Selected(list))
        return;
    list.entries[list.selected] = JoinPartyNumber(party, kListedPartySeparator);
    pages.modified = true;
}

void RemoveCallingNumber(ConfigPages& pages) {
    ChoiceList& list = pages.maintenance.callingNumbers;
    if (!CallingNumberButtons(pages).remove)
        return;
    list.entries.erase(list.entries.begin() + list.selected);
    list.selected = kNoSelection;
    pages.modified = true;
}
