#pragma once

#include <cstdint>

#include <string>
#include <vector>

#include "configstore/driver_config.h"
#include "configstore/registry_values.h"

// Opens or creates a key of the layout and writes the list, reporting what was written; false after
// reporting the key that could not be made or changed.
bool WriteLayoutKey(const std::string& path, const std::vector<RegValueItem>& items);

// Writes the CAPI 2.0 entry n, the service key, its Parameters and, while MaintenanceMode is not 0, its
// Maintenance key; then puts "CAPI20" into the service group order and the loader into AUTOEXEC.NT.
// Deletes nothing, except an entry n this call made but could not give our manufacturer. Each failure is
// reported once and ends the write with false; what was written stays.
bool WriteDriverConfig(const std::vector<ProtocolEntry>& protocols, uint32_t capiIndex, DriverConfig config);
// Writes one adapter (index 0 to 3): its channel key below the CAPI 2.0 entry and its AdapterNN key, the
// SPID only when bit value 1 of spidEnabled is set. Without our CAPI 2.0 entry nothing is written and the
// missing entry is reported.
bool WriteAdapterConfig(AdapterConfig adapter, uint32_t index, uint32_t spidEnabled);

// The whole configuration, the one way both the installation and the configuration dialog write it: the
// optional values deleted, the driver's values written, the adapter keys deleted, every adapter in use
// written (SPIDs with spidEnabled) and, only when all of that stands, the integrity backup. It ends at the
// first write that fails, reported by its writer: the adapters' keys are only deleted once the driver's own
// values stand, so that a failed write never leaves the adapters without keys, and a backup of a
// configuration that did not reach the registry whole would let the next integrity check pass over the
// difference, or restore values that were never in force.
bool WriteConfiguration(const Configuration& config, const std::vector<ProtocolEntry>& protocols,
                        uint32_t capiIndex, uint32_t spidEnabled);
