#pragma once

#include <cstdint>

#include "configstore/driver_config.h"

// Reads the installed configuration over the record the caller filled (with defaults), so that a field
// the registry lacks keeps the caller's value. Within a key, values are read in a fixed chain that stops
// at the first failure: a number that cannot be read is shown with [ERR_CFG_NOVALQUERY], a missing text
// ends the chain silently. A key that cannot be opened is shown with [ERR_CFG_NOKEY]; a missing
// Maintenance key only means that remote maintenance is off. True when every chain held.
bool ReadDriverConfig(const std::string& script, DriverConfig& config);
// Reads adapter index (0 to 3), its SPID only when withSpid.
bool ReadAdapterConfig(AdapterConfig& adapter, uint32_t index, bool withSpid);
