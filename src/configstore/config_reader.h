#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "configstore/driver_config.h"

// Reads the installed configuration over the record the caller filled (with defaults), so that a field
// the registry lacks keeps the caller's value. Within a key, values are read in a fixed chain that stops
// at the first failure: a number that cannot be read is shown with [ERR_CFG_NOVALQUERY], a missing text
// ends the chain silently. A key that cannot be opened is shown with [ERR_CFG_NOKEY]; a missing
// Maintenance key only means that remote maintenance is off. True when every chain held. When the read
// failed without a message (a text value missing, of another type or longer than its field), unreported
// receives that value's name, so that a caller that must not go on can say why; it is left alone otherwise.
// capiIndex is the number of our CAPI 2.0 entry (FindCapiIndex): a reader finds it once, since each search
// goes over every entry of the tree. protocols are the setup information file's, for the protocol's code.
bool ReadDriverConfig(const std::vector<ProtocolEntry>& protocols, uint32_t capiIndex, DriverConfig& config,
                      std::string* unreported = nullptr);
// Reads adapter index (0 to 3), its SPID only when withSpid; its channels from our CAPI 2.0 entry capiIndex.
bool ReadAdapterConfig(AdapterConfig& adapter, uint32_t index, uint32_t capiIndex, bool withSpid);
