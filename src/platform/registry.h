#pragma once

#include <cstdint>
#include <string>

// The registry seam: keys below HKEY_LOCAL_MACHINE only, one function per Win32 call, results are Win32
// status codes (0 is success). Paths are relative to HKEY_LOCAL_MACHINE ("SOFTWARE\CAPI20\1").
namespace platform::registry {

using KeyId = std::intptr_t;
constexpr KeyId kNoKey = 0;

// Win32 status codes the callers look at.
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND: no such key or value
constexpr long kAccessDenied = 5;   // ERROR_ACCESS_DENIED; also a key with subkeys given to DeleteKey
constexpr long kMoreData = 234;     // ERROR_MORE_DATA: the value does not fit the buffer
constexpr long kNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS: EnumSubKey past the last subkey
constexpr long kKeyDeleted = 1018;  // ERROR_KEY_DELETED: the key behind an open handle was deleted

// Value types.
constexpr uint32_t kTypeSz = 1;
constexpr uint32_t kTypeExpandSz = 2;
constexpr uint32_t kTypeBinary = 3;
constexpr uint32_t kTypeDword = 4;
constexpr uint32_t kTypeMultiSz = 7;

// RegCreateKeyExA with KEY_ALL_ACCESS: opens the key, or creates it and its missing parents. Only a key
// this call creates gets keyClass; existing keys keep theirs. *key is kNoKey after a failure.
long CreateKey(const std::string& path, const std::string& keyClass, KeyId* key);
// RegOpenKeyExA of an existing key; fullAccess asks for KEY_ALL_ACCESS, else KEY_READ.
long OpenKey(const std::string& path, bool fullAccess, KeyId* key);
// RegCloseKey.
void CloseKey(KeyId key);

// RegSetValueExA: creates or replaces the value with size bytes of data.
long SetValue(KeyId key, const std::string& name, uint32_t type, const char* data, uint32_t size);
// RegQueryValueExA. With data nullptr it yields the type and the stored size. With a buffer, *size is
// its capacity on entry and the stored size on return; kMoreData when the value does not fit.
long QueryValue(KeyId key, const std::string& name, uint32_t* type, char* data, uint32_t* size);
// RegDeleteValueA.
long DeleteValue(KeyId key, const std::string& name);

// RegQueryInfoKeyA: the number of direct subkeys.
long CountSubKeys(KeyId key, uint32_t* count);
// RegEnumKeyExA: the name of direct subkey number index; kNoMoreItems past the last one.
long EnumSubKey(KeyId key, uint32_t index, std::string* name);
// RegDeleteKeyA: deletes a key that has no subkeys.
long DeleteKey(const std::string& path);

// Owns an open key, closed on every path.
class Key {
  public:
    Key() = default;
    ~Key() { Reset(); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    KeyId Get() const { return id_; }
    KeyId* Put() {
        Reset();
        return &id_;
    }
    void Reset() {
        if (id_ != kNoKey)
            CloseKey(id_);
        id_ = kNoKey;
    }

  private:
    KeyId id_ = kNoKey;
};

}  // namespace platform::registry
