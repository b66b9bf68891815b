#pragma once

#include <cstdint>
#include <string>

// The registry seam: keys below HKEY_LOCAL_MACHINE only, results are Win32 status codes (0 is success).
namespace platform::registry {

using KeyId = std::intptr_t;
constexpr KeyId kNoKey = 0;
constexpr long kSuccess = 0;

// Opens an existing key below HKEY_LOCAL_MACHINE; fullAccess asks for KEY_ALL_ACCESS, else KEY_READ.
long OpenKey(const std::string& path, bool fullAccess, KeyId* key);
void CloseKey(KeyId key);

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
        if (id_ != kNoKey) CloseKey(id_);
        id_ = kNoKey;
    }

private:
    KeyId id_ = kNoKey;
};

}  // namespace platform::registry
