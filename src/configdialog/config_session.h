#pragma once

#include <string>

#include "configdialog/config_pages.h"
#include "configstore/driver_config.h"
#include "platform/window_ref.h"

// Opening, OK, Reset and Cancel of the configuration dialog. Opening and OK work on the process-wide
// configuration record, which the integrity check restores into and the integrity backup is built from.

// script is the setup information file: its maintenance defaults, protocols and default protocol.

// Reads the installed configuration over fresh defaults into the process-wide record: the driver's values
// and those of every adapter in use. False when it cannot be read (reported, naming the key or value).
bool ReadInstalledConfiguration(const std::string& script);
// ReadInstalledConfiguration, then the check against its backup. False when the dialog must not open: the
// configuration cannot be read or the administrator stopped at the integrity check.
bool LoadConfiguration(WindowRef owner, const std::string& script);
// The pages for the configuration just loaded: created, filled, adapter 1 shown.
ConfigPages OpenConfigPages(WindowRef owner, const std::string& script);

// OK. While ConfigModified is set: the pages into the record, then the optional values deleted, the driver
// configuration written, the adapter keys deleted, every adapter in use written and, only when all of that
// was written, the integrity backup. Each failing write has been reported by its writer. restartNeeded is
// set as soon as the registry was touched. True when the dialog may close; false keeps it open, with the
// old backup in place, so that OK can be tried again.
bool SaveConfiguration(const ConfigPages& pages, bool* restartNeeded);

// Reset, after Yes to [QUEST_CFG_RESET]: the defaults with one adapter and the default protocol into the
// record and the pages, adapter page in front. Nothing is written. True when it was done.
bool ResetConfiguration(ConfigPages& pages, DriverConfig& config, AdapterArray& adapters, WindowRef frame);

// Cancel closes at once when nothing was changed, else after Yes to [QUEST_CFG_ABORT]; the close box
// always asks.
bool ConfirmCancel(const ConfigPages& pages, WindowRef frame);
bool ConfirmCloseBox(WindowRef frame);
