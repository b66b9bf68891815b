#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "setupfiles/setup_info_file.h"

// The driver's configuration as the program holds it: one DriverConfig and four AdapterConfigs, each
// field named after the registry value that persists it. Text fields hold at most width - 1 characters.

constexpr size_t kMaxAdapters = 4;
constexpr size_t kDisplayNameWidth = 64;
constexpr size_t kGroupWidth = 16;
constexpr size_t kImagePathWidth = 260;
constexpr size_t kDeviceNameWidth = 16;
constexpr size_t kManufacturerWidth = 32;
constexpr size_t kSpidWidth = 16;
// username and password: kUserWidth; party numbers: kPartyNumberWidth (setup_info_file.h).

// Bits of a protocol's code (GetProtocolCode).
constexpr uint32_t kProtocolHasSpid = 1;
constexpr uint32_t kProtocolHasX31Layer2 = 2;

// The values the configuration pages offer and the answer file takes for the numbered fields.
struct FieldRange {
    uint32_t first;
    uint32_t last;
};
constexpr FieldRange kInterruptRange = {1, 15};
constexpr FieldRange kCipValueRange = {0, 31};
constexpr FieldRange kDosVectorRange = {0, 0xFF};

// Controller value that switches remote maintenance off.
constexpr uint32_t kMaintenanceControllerOff = 0xFFFF;

extern const char* const kOurManufacturer;  // "QZT Velmonic GmbH"

struct DriverConfig {
    std::string DisplayName;
    uint32_t ErrorControl = 0;
    std::string Group;
    std::string ImagePath;
    uint32_t Start = 0;
    uint32_t Type = 0;
    uint32_t DataIoMode = 0;
    uint32_t DeliveryConf = 0;
    std::string DeviceName;
    uint32_t DosVector = 0;
    uint32_t Point2Point = 0;
    uint32_t Test = 0;
    uint32_t x31Layer2 = 0;
    std::string Manufacturer;
    uint32_t NumberOfControllers = 0;  // 1 to kMaxAdapters once set
    // Not a registry value: 0 means there is no Maintenance key, anything else that it exists.
    uint32_t MaintenanceMode = 0;
    uint32_t cipValue = 0;
    uint32_t Controller = 0;
    std::string username;
    std::string password;
    uint32_t CDPNCount = 0;  // at most kMaxCdpn
    std::array<std::string, kMaxCdpn> CDPN;
    uint32_t CGPNCount = 0;  // at most kMaxCgpn
    std::array<std::string, kMaxCgpn> CGPN;
};

struct AdapterConfig {
    uint32_t Channels = 0;
    uint32_t BaseAddress = 0;
    uint32_t Interrupt = 0;
    std::string SPID;
};

using AdapterArray = std::array<AdapterConfig, kMaxAdapters>;

// A run's configuration: the driver's values and its adapters' (adapter number = index + 1). The run that
// reads, changes or writes it owns it; nothing below holds one of its own.
struct Configuration {
    DriverConfig driver;
    AdapterArray adapters;
};

// Every field to its default, DeviceName "CAPI20" + capiIndex, then the maintenance defaults of the setup
// information file. The adapters are not touched.
void SetDefaultDriverConfig(uint32_t capiIndex, const MaintenanceDefaults& maintenance, DriverConfig& config);
void SetDefaultAdapterConfig(AdapterConfig& adapter);
// What a fresh installation writes and Reset shows: the driver's defaults, the defaults of the adapters it
// counts (the later ones are not touched), and the driver image of the default protocol when one is named
// (defaultProtocol not empty).
void SetDefaultConfiguration(uint32_t capiIndex, const MaintenanceDefaults& maintenance,
                             const std::vector<ProtocolEntry>& protocols, const std::string& defaultProtocol,
                             DriverConfig& driver, AdapterArray& adapters);
// Copies the "[MAINTENANCE]" defaults (ReadMaintenanceSection) into the record unless they say off.
void ApplyMaintenanceDefaults(const MaintenanceDefaults& defaults, DriverConfig& config);
