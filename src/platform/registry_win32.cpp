#include <windows.h>

#include "platform/registry.h"

namespace platform::registry {

long OpenKey(const std::string& path, bool fullAccess, KeyId* key) {
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, fullAccess ? KEY_ALL_ACCESS : KEY_READ, &opened);
    *key = status == ERROR_SUCCESS ? reinterpret_cast<KeyId>(opened) : kNoKey;
    return status;
}

void CloseKey(KeyId key) { RegCloseKey(reinterpret_cast<HKEY>(key)); }

}  // namespace platform::registry
