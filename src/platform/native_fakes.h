#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/system_info.h"

// Controls of the native backends, for the unit tests: the state a test sets up and what the core showed.
namespace platform::fake {

// Windows path mapping: '\' becomes '/'.
std::string HostPath(const std::string& windowsPath);

void SetSystemDirectory(const std::string& path);
void SetWindowsDirectory(const std::string& path);
void SetModuleFileName(const std::string& path);
void SetRunningPlatformId(int id);

// Makes every opening of the path for reading fail, as for a file that another program holds locked,
// until ResetFileFailures. The path is compared as given, after the '\' mapping.
void FailOpenForRead(const std::string& path);
void ResetFileFailures();

// The CAPI 2.0 DLLs that load, found by name whatever its case; none until a test installs one.
void InstallCapiDll(const std::string& name, bool hasExport, const CapiVersion& version);
void ResetCapiDlls();

// In-memory registry below HKEY_LOCAL_MACHINE. Paths compare without regard to case, as in Windows.
// Empties the registry, forgets the injected failures and the open handles.
void ResetRegistry();
// Creates the key and its missing parents.
void AddRegistryKey(const std::string& path);
// Makes every open of this key (full access only when fullAccessOnly) fail with the status.
void FailRegistryOpen(const std::string& path, long status, bool fullAccessOnly);

// The operations of the registry seam, for failure injection.
enum class RegistryOperation {
    kCreateKey,     // CreateKey of this path, whether it exists or not
    kOpenRead,      // OpenKey of this path for reading
    kOpenFull,      // OpenKey of this path for full access
    kSetValue,      // on a handle of this key
    kQueryValue,    // on a handle of this key
    kDeleteValue,   // on a handle of this key
    kCountSubKeys,  // on a handle of this key
    kEnumSubKeys,   // on a handle of this key
    kDeleteKey,     // DeleteKey of this path
};
// Makes the operation on the key fail with the status, until ResetRegistry. For the value operations a
// non-empty valueName limits the failure to that value.
void FailRegistryOperation(const std::string& path, RegistryOperation operation, long status,
                           const std::string& valueName = "");

struct RegistryValue {
    std::string name;
    uint32_t type;
    std::string data;  // the stored bytes, terminating zeros included
    bool operator==(const RegistryValue& other) const {
        return name == other.name && type == other.type && data == other.data;
    }
};
// Creates the key when missing and sets the value.
void SetRegistryValue(const std::string& path, const std::string& name, uint32_t type,
                      const std::string& data);
bool RegistryKeyExists(const std::string& path);
// The key's values in the order they were first created; empty for a missing key.
std::vector<RegistryValue> RegistryValues(const std::string& path);
// The class the key was created with.
std::string RegistryKeyClass(const std::string& path);
// The names of the direct subkeys, as they were created.
std::vector<std::string> RegistrySubKeys(const std::string& path);
// Handles opened and not yet closed.
size_t OpenRegistryKeys();

// The date GetLocalTime reports.
void SetLocalDate(uint32_t year, uint32_t month, uint32_t day);

// The Program Manager commands sent, in order.
std::vector<std::string>& DdeCommands();
// Makes the DDE client registration fail with the error code (0: succeed).
void FailDdeStart(unsigned error);
int DdePauses();
void ResetDde();

}  // namespace platform::fake
