#pragma once

#include <cstdint>
#include <string>

// System information seam.
namespace platform {

// The running system's platform id as GetVersionExA reports it: 0 Win32s, 1 Windows 95, 2 Windows NT.
int RunningPlatformId();

// The four values of CAPI_GET_VERSION, in its parameter order.
struct CapiVersion {
    uint32_t capiMajor = 0;
    uint32_t capiMinor = 0;
    uint32_t manufacturerMajor = 0;
    uint32_t manufacturerMinor = 0;
};

enum class CapiDllResult {
    kNotLoaded,      // no such DLL, or it cannot be loaded (an empty name is never tried)
    kNoExport,       // it loads but has no "CAPI_GET_VERSION"
    kVersionCalled,  // the export was called once; its own result is not looked at
};

// Loads the CAPI 2.0 DLL of that plain name from the system directory, calls its CAPI_GET_VERSION with the
// four values preset to 0 and releases the DLL again. The values stay 0 unless the export was called.
CapiDllResult QueryCapiVersion(const std::string& dllName, CapiVersion& version);

}  // namespace platform
