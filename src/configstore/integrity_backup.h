#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "configstore/driver_config.h"
#include "platform/window_ref.h"

// The text backup of the configuration in the integrity key, its date, and the script version last
// installed; the check that compares the live configuration with the backup.

constexpr size_t kBackupTextCapacity = 2048;

// The stored "ScriptVersion", 0 when there is none.
uint32_t ReadStoredScriptVersion();
void WriteStoredScriptVersion(uint32_t version);

// Stores "RegistryBackup" from the process-wide configuration and "BackupDate" (today, yyyymmdd). A key
// that cannot be created or values that cannot be written are reported; false then.
bool WriteIntegrityBackup(const std::string& script);
// Parses "RegistryBackup" over the record and adapters; fields the backup does not carry keep their
// contents. False, with nothing changed, when there is no backup or it is damaged (a field without its
// ";", an adapter count outside 1 to 4, a text longer than its field).
bool ReadIntegrityBackup(DriverConfig& config, AdapterArray& adapters);
// One field that differs from the backup: its value name ("Start", "Adapter02 Interrupt") and both sides.
struct ConfigDifference {
    std::string value;
    std::string live;
    std::string backup;
};
// The fields that count, in this order: ErrorControl, Start, DataIoMode, DeliveryConf, DosVector,
// Point2Point, Test, NumberOfControllers, ImagePath (ignoring case), and then, for the adapters both sides
// describe, each adapter's Channels, BaseAddress, Interrupt and, with spidFlag, SPID (ignoring case).
std::vector<ConfigDifference> BackupDifferences(const DriverConfig& live, const DriverConfig& backup,
                                                const AdapterArray& liveAdapters,
                                                const AdapterArray& backupAdapters, bool spidFlag);
// "Start: registry 3, backup 1".
std::string DescribeDifference(const ConfigDifference& difference);
// True when BackupDifferences finds none.
bool ConfigMatchesBackup(const DriverConfig& live, const DriverConfig& backup,
                         const AdapterArray& liveAdapters, const AdapterArray& backupAdapters, bool spidFlag);
// Compares the process-wide configuration with the backup and, when they differ, reports every difference
// (run_report.h) and lets the user choose with "DLG_chkintegrity": 1 go on with the live configuration
// (also when there is nothing to compare with), 2 go on with the backup's values, now in the process-wide
// record; 0 do not go on.
int CheckIntegrity(WindowRef owner, const std::string& script);

// The backup text: the fields in their order, each followed by ";".
std::string BuildBackupText(const DriverConfig& config, const AdapterArray& adapters, uint32_t protocolCode);
// Parses a backup text over the record and adapters; false, with both unchanged, when it is damaged.
bool ParseBackupText(const std::string& text, DriverConfig& config, AdapterArray& adapters);
