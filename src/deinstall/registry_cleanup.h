#pragma once

#include <string>

// Taking the driver's registry entries out again at removal: its keys, the AUTOEXEC.NT block and the
// "CAPI20" service group. Every deleted key is recorded in the removal log of setupDirectory.

// Deletes a key below HKEY_LOCAL_MACHINE that has no subkeys. A key the removal log lists goes without a
// message, and one of those that is gone already counts as deleted: an earlier run removed it. Any other
// key that cannot be opened is shown with [ERR_DEI_KEYNOTFOUND], one that cannot be deleted with
// [ERR_DEI_NOREMOVEKEY]. Returns 0 when the key is deleted, else the system's error code.
long DeleteLoggedKey(const std::string& setupDirectory, const std::string& keyPath);

// True while our entry below "SOFTWARE\CAPI20", the driver's service key or its Add/Remove Programs entry
// is there.
bool DriverRegistryPresent();

// Removes the AUTOEXEC.NT block, the "CAPI20" group when no other CAPI 2.0 driver is registered, and the
// driver's keys from the leaves up, in a fixed order, since a key with subkeys cannot be deleted. Runs
// again after an interrupted removal: without our CAPI 2.0 entry (an earlier run deleted it) the service
// keys that are left still go. True when everything is done; false at the first failure, which is shown,
// and the keys after it stay. Of the configuration only the adapter count is read: a value that cannot be
// read is named and keeps no key from going.
bool RemoveDriverRegistry(const std::string& setupDirectory);
