#include "configdialog/config_session.h"

#include <string>
#include <vector>

#include "configstore/capi_index.h"
#include "configstore/config_reader.h"
#include "configstore/config_reports.h"
#include "configstore/config_writer.h"
#include "configstore/integrity_backup.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "ui/run_report.h"
#include "ui/user_interface.h"

namespace {

uint32_t OurCapiIndex() {
    bool found = false;
    return FindCapiIndex(&found);
}

// The backup's date number as day, month and year in the information text.
std::string InformationText(uint32_t date) {
    return FormatText(Text(kTextDlgCciInfotxt), {date % 100, date % 10000 / 100, date / 10000},
                      kIntegrityMessageCapacity);
}

}  // namespace

SetupInfoFile ReadScriptForConfiguration(WindowRef owner, const std::string& path) {
    for (;;) {
        SetupInfoFile script = SetupInfoFile::Read(path);
        if (script.IsRead() ||
            ui::AskRetryIgnore(owner, FormatText(Text(kTextErrFilenotfound), {path})) != ui::Answer::kRetry)
            return script;
    }
}

bool ReadInstalledConfiguration(const SetupInfoFile& script, Configuration& config) {
    MaintenanceDefaults defaults;
    script.ReadMaintenanceSection(defaults);
    std::vector<ProtocolEntry> protocols = script.ReadProtocolEntries();
    uint32_t capiIndex = OurCapiIndex();
    SetDefaultDriverConfig(capiIndex, defaults, config.driver);
    std::string unreported;
    if (!ReadDriverConfig(protocols, capiIndex, config.driver, &unreported)) {
        // Without a word the configuration dialog would just not appear.
        if (!unreported.empty())
            ReportNoValueQuery(unreported);
        return false;
    }
    bool withSpid = (FindProtocolCode(protocols, config.driver.ImagePath) & kProtocolHasSpid) != 0;
    for (AdapterConfig& adapter : config.adapters) SetDefaultAdapterConfig(adapter);
    // An adapter that cannot be read keeps its defaults: the installation writes no SPID, so a missing
    // one is no reason to keep the dialog shut.
    for (uint32_t i = 0; i < config.driver.NumberOfControllers && i < config.adapters.size(); ++i)
        ReadAdapterConfig(config.adapters[i], i, capiIndex, withSpid);
    return true;
}

IntegrityChoice CheckIntegrity(WindowRef owner, const SetupInfoFile& script, Configuration& config) {
    BackupComparison comparison = CompareWithBackup(config, script.ReadProtocolEntries());
    if (comparison.differences.empty())
        return IntegrityChoice::kApplyCurrent;
    for (const ConfigDifference& difference : comparison.differences)
        ui::Report(DescribeDifference(difference));

    switch (ui::IntegrityDialog(owner, InformationText(comparison.date))) {
        case ui::IntegrityAnswer::kApplyCurrent:
            if (ui::AskYesNo(owner, false, Text(kTextQuestCciApplynew), kTextQuestCciApplynew) ==
                ui::Answer::kYes)
                return IntegrityChoice::kApplyCurrent;
            return IntegrityChoice::kStop;
        case ui::IntegrityAnswer::kRestoreBackup:
            if (ui::AskYesNo(owner, false, Text(kTextQuestCciRestoreold), kTextQuestCciRestoreold) !=
                ui::Answer::kYes)
                return IntegrityChoice::kStop;
            config = comparison.backup;
            return IntegrityChoice::kRestoreBackup;
        default:
            return IntegrityChoice::kStop;
    }
}

bool LoadConfiguration(WindowRef owner, const SetupInfoFile& script, Configuration& config) {
    return ReadInstalledConfiguration(script, config) &&
           CheckIntegrity(owner, script, config) != IntegrityChoice::kStop;
}

ConfigPages OpenConfigPages(const SetupInfoFile& script, const Configuration& config) {
    ConfigPages pages = CreateConfigPages(script);
    FillConfigPages(pages, config.driver);
    ShowAdapterFields(pages, config.adapters, 0);
    return pages;
}

bool OpenConfiguration(WindowRef owner, const std::string& scriptPath, Configuration& config,
                       ConfigPages& pages) {
    SetupInfoFile script = ReadScriptForConfiguration(owner, scriptPath);
    if (!LoadConfiguration(owner, script, config))
        return false;
    pages = OpenConfigPages(script, config);
    return true;
}

bool SaveConfiguration(const ConfigPages& pages, Configuration& config, bool* restartNeeded) {
    if (!pages.modified)
        return true;
    // The record is complete before the registry is touched.
    StoreConfigPages(pages, config.driver);
    StoreAdapterFields(pages, config.adapters, pages.currentAdapter);
    uint32_t spidEnabled = pages.adapter.spidPresent && pages.adapter.spidEnabled ? kProtocolHasSpid : 0;
    *restartNeeded = true;  // the registry is touched from here on
    return WriteConfiguration(config, pages.protocols, OurCapiIndex(), spidEnabled);
}

bool ResetConfiguration(ConfigPages& pages, DriverConfig& config, AdapterArray& adapters, WindowRef frame) {
    if (!ui::AskSystemYesNo(frame, Text(kTextQuestCfgReset), false))
        return false;
    SetDefaultConfiguration(OurCapiIndex(), pages.defaults, pages.protocols, pages.defaultProtocol, config,
                            adapters);
    FillConfigPages(pages, config);
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
