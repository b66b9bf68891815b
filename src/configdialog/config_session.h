#pragma once

#include <string>

#include "configdialog/config_pages.h"
#include "configstore/driver_config.h"
#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// Opening, OK, Reset and Cancel of the configuration dialog. Each works on the configuration the dialog's
// run owns, and on the setup information file as it was read when the dialog opened: its maintenance
// defaults, protocols and default protocol.

// The setup information file at path, read for one opening of the configuration; while it cannot be read
// the user is asked (owner) to retry. After Ignore or Cancel the pages show no protocols, as before a
// setup information file existed.
SetupInfoFile ReadScriptForConfiguration(WindowRef owner, const std::string& path);

// Reads the installed configuration over fresh defaults: the driver's values and those of every adapter in
// use. False when it cannot be read (reported, naming the key or value).
bool ReadInstalledConfiguration(const SetupInfoFile& script, Configuration& config);

// The administrator's choice at the check against the backup.
enum class IntegrityChoice { kStop = 0, kApplyCurrent = 1, kRestoreBackup = 2 };
// Holds the configuration against its backup and, when they differ, reports every difference (run_report.h)
// and lets the administrator choose with "DLG_chkintegrity", each choice confirmed once more: go on with the
// live configuration (also when there is nothing to compare with), with the backup's values (then in
// config), or stop.
IntegrityChoice CheckIntegrity(WindowRef owner, const SetupInfoFile& script, Configuration& config);

// ReadInstalledConfiguration, then CheckIntegrity. False when the dialog must not open: the configuration
// cannot be read or the administrator stopped at the integrity check.
bool LoadConfiguration(WindowRef owner, const SetupInfoFile& script, Configuration& config);
// The pages for the configuration just loaded: created, filled, adapter 1 shown.
ConfigPages OpenConfigPages(const SetupInfoFile& script, const Configuration& config);
// The dialog's opening: the setup information file at scriptPath read once (ReadScriptForConfiguration),
// LoadConfiguration, OpenConfigPages. False when the dialog must not open.
bool OpenConfiguration(WindowRef owner, const std::string& scriptPath, Configuration& config,
                       ConfigPages& pages);

// OK. While ConfigModified is set: the pages into the configuration, then the whole of it written
// (WriteConfiguration). restartNeeded is set as soon as the registry was touched. True when the dialog may
// close; false keeps it open, with the old backup in place, so that OK can be tried again.
bool SaveConfiguration(const ConfigPages& pages, Configuration& config, bool* restartNeeded);

// Reset, after Yes to [QUEST_CFG_RESET]: the defaults with one adapter and the default protocol into the
// record and the pages, adapter page in front. Nothing is written. True when it was done.
bool ResetConfiguration(ConfigPages& pages, DriverConfig& config, AdapterArray& adapters, WindowRef frame);

// Cancel closes at once when nothing was changed, else after Yes to [QUEST_CFG_ABORT]; the close box
// always asks.
bool ConfirmCancel(const ConfigPages& pages, WindowRef frame);
bool ConfirmCloseBox(WindowRef frame);
