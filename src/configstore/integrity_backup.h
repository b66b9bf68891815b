#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "configstore/driver_config.h"

// The text backup of the configuration in the integrity key, its date, and the script version last
// installed; the check that compares the live configuration with the backup.

constexpr size_t kBackupTextCapacity = 2048;

// The stored "ScriptVersion", 0 when there is none.
uint32_t ReadStoredScriptVersion();
void WriteStoredScriptVersion(uint32_t version);

// Stores "RegistryBackup" from the configuration (protocols give its protocol's code) and "BackupDate"
// (today, yyyymmdd). A key that cannot be created or values that cannot be written are reported; false then.
bool WriteIntegrityBackup(const Configuration& config, const std::vector<ProtocolEntry>& protocols);
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
// What the configuration is held against: the backup's date and values, and where the live ones differ.
// Without a sound backup there is nothing to compare with, and no difference.
struct BackupComparison {
    bool hasBackup = false;
    uint32_t date = 0;  // yyyymmdd
    Configuration backup;
    std::vector<ConfigDifference> differences;
};
// Compares the live configuration with the backup; asks nothing, changes nothing. A missing or damaged
// backup cannot tell what changed, and restoring it would put its gaps into the configuration: it counts
// as none, and the next save writes a sound one.
BackupComparison CompareWithBackup(const Configuration& live, const std::vector<ProtocolEntry>& protocols);

// The backup text: the fields in their order, each followed by ";".
std::string BuildBackupText(const DriverConfig& config, const AdapterArray& adapters, uint32_t protocolCode);
// Parses a backup text over the record and adapters; false, with both unchanged, when it is damaged.
bool ParseBackupText(const std::string& text, DriverConfig& config, AdapterArray& adapters);
