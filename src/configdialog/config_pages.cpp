#include "configdialog/config_pages.h"

#include <algorithm>
#include <vector>

#include "setupfiles/text_ids.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "setupfiles/text_format.h"

namespace {

uint32_t AdapterCount(size_t count) {
    return static_cast<uint32_t>(std::clamp<size_t>(count, 1, kMaxAdapters));
}

ChoiceList ProtocolChoices(const ConfigPages& pages, const std::string& imagePath) {
    ChoiceList list;
    if (!pages.scriptRead)
        return list;
    const std::vector<ProtocolEntry>& entries = pages.protocols;
    for (const ProtocolEntry& entry : entries) list.entries.push_back(entry.name);
    uint32_t index = FindProtocolIndexByImage(entries, imagePath);
    if (index < list.entries.size()) {
        list.selected = static_cast<int>(index);
    } else {
        list.entries.push_back(Text(kTextTextUnknownProto));
        list.selected = static_cast<int>(list.entries.size() - 1);
    }
    return list;
}

bool HasSelection(const ChoiceList& list) {
    return list.selected >= 0 && static_cast<size_t>(list.selected) < list.entries.size();
}

bool SpidShown(const AdapterPage& page) {
    return page.spidPresent && page.spidEnabled;
}

}  // namespace

ConfigPages CreateConfigPages(const SetupInfoFile& script) {
    ConfigPages pages;
    pages.scriptRead = script.IsRead();
    pages.protocols = script.ReadProtocolEntries();
    script.ReadDefaultProtocol(pages.defaultProtocol);
    // A missing section or file leaves the record's zeros: maintenance off.
    script.ReadMaintenanceSection(pages.defaults);
    pages.adapter.spidPresent = AnyProtocolNeedsSpid(pages.protocols);
    pages.advanced.maintenanceSwitchPresent = pages.defaults.Mode != kMaintenanceOff;
    return pages;
}

bool HasMaintenancePage(const ConfigPages& pages) {
    return pages.defaults.Mode == kMaintenanceFull || pages.defaults.Mode == kMaintenanceDefault;
}

void FillConfigPages(ConfigPages& pages, const DriverConfig& config) {
    AdapterPage& adapter = pages.adapter;
    AdvancedPage& advanced = pages.advanced;
    advanced.point2Point = config.Point2Point == 1;
    advanced.dataIoMode = ShowValue(DataIoModeTable(), config.DataIoMode);
    adapter.adapters = AdapterSelector(AdapterCount(config.NumberOfControllers));
    adapter.protocol = ProtocolChoices(pages, config.ImagePath);
    adapter.start = ShowValue(StartTable(), config.Start);
    advanced.dosVector = ShowValue(DosVectorTable(), config.DosVector);
    adapter.test = ShowValue(TestTable(), config.Test);
    advanced.deliveryConf = ShowValue(DeliveryConfTable(), config.DeliveryConf);

    uint32_t code = FindProtocolCode(pages.protocols, config.ImagePath);
    advanced.x31Layer2Enabled = (code & kProtocolHasX31Layer2) != 0;
    if (advanced.x31Layer2Enabled)
        advanced.x31Layer2 = ShowValue(X31Layer2Table(), config.x31Layer2);
    adapter.spidEnabled = adapter.spidPresent && (code & kProtocolHasSpid) != 0;

    advanced.maintenanceSwitch =
        advanced.maintenanceSwitchPresent && config.Controller != kMaintenanceControllerOff;
    if (HasMaintenancePage(pages))
        FillMaintenancePage(pages.maintenance, config, pages.defaults);
    pages.maintenanceButtonShown = advanced.maintenanceSwitch;
}

void StoreConfigPages(const ConfigPages& pages, DriverConfig& config) {
    const AdapterPage& adapter = pages.adapter;
    const AdvancedPage& advanced = pages.advanced;
    config.DataIoMode = ChosenValue(DataIoModeTable(), advanced.dataIoMode, config.DataIoMode);
    config.Point2Point = advanced.point2Point ? 1 : 0;
    config.DeliveryConf = ChosenValue(DeliveryConfTable(), advanced.deliveryConf, config.DeliveryConf);
    config.DosVector = ChosenValue(DosVectorTable(), advanced.dosVector, config.DosVector);
    config.Test = ChosenValue(TestTable(), adapter.test, config.Test);
    config.NumberOfControllers = AdapterCount(adapter.adapters.entries.size());
    config.Start = ChosenValue(StartTable(), adapter.start, config.Start);
    // The unknown-protocol entry stands after the "[PROTOCOL]" names and leaves the image as it is. It is
    // told by its position: a language file may give it the text of a protocol's name.
    if (HasSelection(adapter.protocol)) {
        size_t position = static_cast<size_t>(adapter.protocol.selected);
        if (position < pages.protocols.size())
            FindNewImagePath(pages.protocols, adapter.protocol.entries[position], config.ImagePath);
    }

    // The layer list keeps its choice while a protocol without the setting is selected, so the choice
    // comes back with a protocol that has it; a list never filled gives such a protocol the default 1.
    uint32_t code = FindProtocolCode(pages.protocols, config.ImagePath);
    if (HasSelection(advanced.x31Layer2))
        config.x31Layer2 = ChosenValue(X31Layer2Table(), advanced.x31Layer2, config.x31Layer2);
    else if (code & kProtocolHasX31Layer2)
        config.x31Layer2 = 1;

    if (pages.defaults.Mode == kMaintenanceFull)
        StoreMaintenancePage(pages.maintenance, config);
    if (config.NumberOfControllers == 1)
        config.Controller = 1;
    if (!advanced.maintenanceSwitch)
        config.Controller = kMaintenanceControllerOff;
    if (pages.defaults.Mode == kMaintenanceDefault || pages.defaults.Mode == kMaintenanceDefaultInvisible) {
        ApplyMaintenanceDefaults(pages.defaults, config);
        if (advanced.maintenanceSwitch)
            config.Controller = static_cast<uint32_t>(pages.defaults.Controller);
    }
    // An adapter that a lower count took away cannot be maintained: the first one is, as after Change.
    if (config.Controller != kMaintenanceControllerOff && config.Controller > config.NumberOfControllers)
        config.Controller = 1;
}

void ShowAdapterFields(ConfigPages& pages, const AdapterArray& adapters, size_t index) {
    AdapterPage& page = pages.adapter;
    index = std::min<size_t>(index, AdapterCount(page.adapters.entries.size()) - 1);
    const AdapterConfig& shown = adapters[index];
    page.adapters.selected = static_cast<int>(index);
    page.interrupt = ShowValue(InterruptTable(), shown.Interrupt);
    page.baseAddress = HexText(shown.BaseAddress);
    if (SpidShown(page))
        page.spid = shown.SPID;
    pages.currentAdapter = index;
    pages.modified = true;
}

void StoreAdapterFields(const ConfigPages& pages, AdapterArray& adapters, size_t index) {
    if (index >= adapters.size())
        return;
    const AdapterPage& page = pages.adapter;
    AdapterConfig& stored = adapters[index];
    // The whole text: a stored address wider than the field's four typed digits survives an unchanged save.
    stored.BaseAddress = ParseHex(page.baseAddress);
    stored.Interrupt = ChosenValue(InterruptTable(), page.interrupt, stored.Interrupt);
    if (SpidShown(page))
        stored.SPID = FitField(page.spid, kSpidWidth);
}
