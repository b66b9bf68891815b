#include <windows.h>

#include <vector>

#include "platform/registry.h"
#include "platform/win32_handles.h"
#include "platform/wow64.h"
#include "platform/wow64_win32.h"

namespace platform::registry {

namespace {
HKEY AsHandle(KeyId key) {
    return reinterpret_cast<HKEY>(key);
}
// The driver's keys belong to the native system: under WOW64 every key is reached in the 64-bit view.
REGSAM InView(REGSAM access) {
    return access | RegistryViewFlags(RunningSystem());
}
}  // namespace

long CreateKey(const std::string& path, const std::string& keyClass, KeyId* key) {
    // RegCreateKeyExA takes the class as a writable string.
    std::vector<char> classBuffer(keyClass.begin(), keyClass.end());
    classBuffer.push_back('\0');
    RegistryKey created;
    DWORD disposition = 0;
    LONG status =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, classBuffer.data(), REG_OPTION_NON_VOLATILE,
                        InView(KEY_ALL_ACCESS), nullptr, created.Put(), &disposition);
    *key = status == ERROR_SUCCESS ? reinterpret_cast<KeyId>(created.Release()) : kNoKey;
    return status;
}

long OpenKey(const std::string& path, bool fullAccess, KeyId* key) {
    RegistryKey opened;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0,
                                InView(fullAccess ? KEY_ALL_ACCESS : KEY_READ), opened.Put());
    *key = status == ERROR_SUCCESS ? reinterpret_cast<KeyId>(opened.Release()) : kNoKey;
    return status;
}

void CloseKey(KeyId key) {
    RegCloseKey(AsHandle(key));
}

long SetValue(KeyId key, const std::string& name, uint32_t type, const char* data, uint32_t size) {
    return RegSetValueExA(AsHandle(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data), size);
}

long QueryValue(KeyId key, const std::string& name, uint32_t* type, char* data, uint32_t* size) {
    DWORD storedType = 0;
    DWORD storedSize = *size;
    LONG status = RegQueryValueExA(AsHandle(key), name.c_str(), nullptr, &storedType,
                                   reinterpret_cast<BYTE*>(data), &storedSize);
    *type = storedType;
    *size = storedSize;
    return status;
}

long DeleteValue(KeyId key, const std::string& name) {
    return RegDeleteValueA(AsHandle(key), name.c_str());
}

long CountSubKeys(KeyId key, uint32_t* count) {
    DWORD subKeys = 0;
    LONG status = RegQueryInfoKeyA(AsHandle(key), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr);
    *count = status == ERROR_SUCCESS ? subKeys : 0;
    return status;
}

long EnumSubKey(KeyId key, uint32_t index, std::string* name) {
    char buffer[256];  // a key name holds at most 255 characters
    DWORD length = sizeof buffer;
    LONG status = RegEnumKeyExA(AsHandle(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    *name = status == ERROR_SUCCESS ? std::string(buffer, length) : std::string();
    return status;
}

long DeleteKey(const std::string& path) {
    return DeleteRegistryKey(HKEY_LOCAL_MACHINE, path.c_str());
}

}  // namespace platform::registry
