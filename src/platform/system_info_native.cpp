#include <algorithm>
#include <cctype>

#include "platform/native_fakes.h"
#include "platform/system_info.h"

namespace platform {

namespace {
int g_platformId = 2;

struct FakeCapiDll {
    std::string name;
    bool hasExport;
    CapiVersion version;
};
std::vector<FakeCapiDll> g_capiDlls;

// Windows finds a DLL whatever the case of its name.
bool SameDllName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

namespace fake {
void SetRunningPlatformId(int id) {
    g_platformId = id;
}
void InstallCapiDll(const std::string& name, bool hasExport, const CapiVersion& version) {
    g_capiDlls.push_back({name, hasExport, version});
}
void ResetCapiDlls() {
    g_capiDlls.clear();
}
}  // namespace fake

int RunningPlatformId() {
    return g_platformId;
}

CapiDllResult QueryCapiVersion(const std::string& dllName, CapiVersion& version) {
    version = CapiVersion();
    for (const FakeCapiDll& dll : g_capiDlls) {
        if (dllName.empty() || !SameDllName(dll.name, dllName))
            continue;
        if (!dll.hasExport)
            return CapiDllResult::kNoExport;
        version = dll.version;
        return CapiDllResult::kVersionCalled;
    }
    return CapiDllResult::kNotLoaded;
}

}  // namespace platform
