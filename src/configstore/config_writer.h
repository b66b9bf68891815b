#pragma once

#include <cstdint>

#include "configstore/driver_config.h"

// Writes the CAPI 2.0 entry n, the service key, its Parameters and, while MaintenanceMode is not 0, its
// Maintenance key; then puts "CAPI20" into the service group order and the loader into AUTOEXEC.NT.
// Deletes nothing. Each failure is reported once and ends the write with false; what was written stays.
bool WriteDriverConfig(const std::string& script, uint32_t capiIndex, DriverConfig config);
// Writes one adapter (index 0 to 3): its channel key below the CAPI 2.0 entry and its AdapterNN key, the
// SPID only when bit value 1 of spidEnabled is set.
bool WriteAdapterConfig(AdapterConfig adapter, uint32_t index, uint32_t spidEnabled);
