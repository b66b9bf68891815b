#include <windows.h>

#include "platform/file_system.h"
#include "platform/system_info.h"

namespace platform {

namespace {

// CAPI 2.0 declares the export with the Windows calling convention and four DWORD out-values.
using CapiGetVersion = DWORD(WINAPI*)(DWORD*, DWORD*, DWORD*, DWORD*);

// A loaded DLL, released on every path.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const std::string& name) : module_(LoadLibraryA(name.c_str())) {}
    ~LoadedLibrary() {
        if (module_)
            FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    HMODULE Get() const { return module_; }

  private:
    HMODULE module_;
};

}  // namespace

int RunningPlatformId() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (!GetVersionExA(&info))
        return -1;
    return static_cast<int>(info.dwPlatformId);
}

CapiDllResult QueryCapiVersion(const std::string& dllName, CapiVersion& version) {
    version = CapiVersion();
    // A missing "[CURRENTCAPIDLL]" leaves the name empty; that names no DLL and is not handed to the loader.
    if (dllName.empty())
        return CapiDllResult::kNotLoaded;
    // By its full path in the system directory: a bare name is looked for in the program's directory
    // first, where anybody who can write there would have a DLL of theirs run in an administrator's run.
    LoadedLibrary library(SystemDirectory() + "\\" + dllName);
    if (!library.Get())
        return CapiDllResult::kNotLoaded;
    auto getVersion = reinterpret_cast<CapiGetVersion>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "CAPI_GET_VERSION")));
    if (!getVersion)
        return CapiDllResult::kNoExport;
    DWORD values[4] = {};
    getVersion(&values[0], &values[1], &values[2], &values[3]);
    version.capiMajor = values[0];
    version.capiMinor = values[1];
    version.manufacturerMajor = values[2];
    version.manufacturerMinor = values[3];
    return CapiDllResult::kVersionCalled;
}

}  // namespace platform
