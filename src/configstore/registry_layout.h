#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"

// Where the driver's configuration lives, all below HKEY_LOCAL_MACHINE.

constexpr char kCapiTreePath[] = "SOFTWARE\\CAPI20";
constexpr char kServiceKeyPath[] = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
constexpr char kServiceKeyClass[] = "CAPI20";
constexpr char kParametersKeyPath[] = "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters";
constexpr char kMaintenanceKeyPath[] = "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\Maintenance";
constexpr char kAdapterKeyPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\Adapter";
constexpr char kIntegrityCheckKey[] =
    "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\QZTQuorelSetupIntegrityCheck";
// Where Add/Remove Programs and software inventories find the installation.
constexpr char kUninstallKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorel";
constexpr char kServiceGroupOrderKey[] = "SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder";

// "SOFTWARE\CAPI20\<n>": the driver's CAPI 2.0 entry.
std::string CapiEntryPath(uint32_t capiIndex);
// "SOFTWARE\CAPI20\<n>\<c>": an adapter's channel key, c = adapter number 1 to 4.
std::string ChannelKeyPath(uint32_t capiIndex, uint32_t adapterNumber);
// "...\Parameters\Adapter01" to "Adapter04".
std::string AdapterKeyPath(uint32_t adapterNumber);

// Opens or creates a key of the layout for full access. The service key gets its class "CAPI20" also when
// a key below it is the one asked for: Windows keeps the class of a key that exists, so whichever write
// first makes the service key decides its class for good.
long CreateLayoutKey(const std::string& path, platform::registry::KeyId* key);
