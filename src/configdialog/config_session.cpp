#include "configdialog/config_session.h"

#include <string>
#include <vector>

#include "setupfiles/text_ids.h"
#include "configstore/capi_index.h"
#include "configstore/config_reader.h"
#include "configstore/config_reports.h"
#include "configstore/config_writer.h"
#include "configstore/integrity_backup.h"
#include "configstore/key_deletion.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"

namespace {

uint32_t OurCapiIndex() {
    bool found = false;
    return FindCapiIndex(&found);
}

}  // namespace

bool ReadInstalledConfiguration(const std::string& script) {
    DriverConfig& config = GlobalDriverConfig();
    AdapterArray& adapters = GlobalAdapters();
    MaintenanceDefaults defaults;
    ReadMaintenanceSection(script, defaults);
    uint32_t capiIndex = OurCapiIndex();
    SetDefaultDriverConfig(capiIndex, defaults, config);
    std::string unreported;
    if (!ReadDriverConfig(script, capiIndex, config, &unreported)) {
        // Without a word the configuration dialog would just not appear.
        if (!unreported.empty())
            ReportNoValueQuery(unreported);
        return false;
    }
    bool withSpid = (ProtocolCodeOf(script, config.ImagePath) & kProtocolHasSpid) != 0;
    for (AdapterConfig& adapter : adapters) SetDefaultAdapterConfig(adapter);
    // An adapter that cannot be read keeps its defaults: the installation writes no SPID, so a missing
    // one is no reason to keep the dialog shut.
    for (uint32_t i = 0; i < config.NumberOfControllers && i < adapters.size(); ++i)
        ReadAdapterConfig(adapters[i], i, capiIndex, withSpid);
    return true;
}

bool LoadConfiguration(WindowRef owner, const std::string& script) {
    return ReadInstalledConfiguration(script) && CheckIntegrity(owner, script) != 0;
}

ConfigPages OpenConfigPages(WindowRef owner, const std::string& script) {
    ConfigPages pages = CreateConfigPages(script);
    FillConfigPages(pages, GlobalDriverConfig(), owner);
    ShowAdapterFields(pages, GlobalAdapters(), 0);
    return pages;
}

bool SaveConfiguration(const ConfigPages& pages, bool* restartNeeded) {
    if (!pages.modified)
        return true;
    DriverConfig& config = GlobalDriverConfig();
    AdapterArray& adapters = GlobalAdapters();
    // The record is complete before the registry is touched.
    StoreConfigPages(pages, config);
    StoreAdapterFields(pages, adapters, pages.currentAdapter);
    uint32_t spidEnabled = pages.adapter.spidPresent && pages.adapter.spidEnabled ? kProtocolHasSpid : 0;

    *restartNeeded = true;  // the registry is touched from here on
    DeleteOptionalParameters();
    // The save ends at the first write that fails, reported once: the adapters' keys are only deleted
    // once the driver's own values stand, so that a failed save never leaves the adapters without keys.
    if (!WriteDriverConfig(pages.script, OurCapiIndex(), config))
        return false;
    DeleteAdapterKeys();
    for (uint32_t i = 0; i < config.NumberOfControllers && i < adapters.size(); ++i)
        if (!WriteAdapterConfig(adapters[i], i, spidEnabled))
            return false;
    // A backup of a configuration that did not reach the registry whole would let the next integrity
    // check pass over the difference, or restore values that were never in force.
    return WriteIntegrityBackup(pages.script);
}

bool ResetConfiguration(ConfigPages& pages, DriverConfig& config, AdapterArray& adapters, WindowRef frame) {
    if (!ui::AskSystemYesNo(frame, Text(kTextQuestCfgReset), false))
        return false;
    SetDefaultDriverConfig(OurCapiIndex(), pages.defaults, config);
    SetDefaultAdapterConfig(adapters[0]);
    std::string protocol;
    std::vector<ProtocolEntry> entries;
    if (ReadDefaultProtocol(pages.script, protocol) == 1 && ReadProtocolEntries(pages.script, entries))
        FindNewImagePath(entries, protocol, config.ImagePath);
    FillConfigPages(pages, config, frame);
    ShowAdapterFields(pages, adapters, 0);
    pages.visiblePage = ConfigPage::kAdapter;
    pages.modified = true;
    return true;
}

bool ConfirmCancel(const ConfigPages& pages, WindowRef frame) {
    return !pages.modified || ConfirmCloseBox(frame);
}

bool ConfirmCloseBox(WindowRef frame) {
    return ui::AskSystemYesNo(frame, Text(kTextQuestCfgAbort), false);
}
