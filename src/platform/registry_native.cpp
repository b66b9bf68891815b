#include <map>
#include <memory>
#include <set>

#include "platform/native_fakes.h"
#include "platform/registry.h"

namespace platform {

namespace {
struct OpenFailure {
    long status;
    bool fullAccessOnly;
};

std::set<std::string> g_keys;
std::map<std::string, OpenFailure> g_openFailures;
std::map<registry::KeyId, std::string> g_openKeys;
registry::KeyId g_nextKey = 1;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}
}  // namespace

namespace fake {
void ResetRegistry() {
    g_keys.clear();
    g_openFailures.clear();
    g_openKeys.clear();
}
void AddRegistryKey(const std::string& path) { g_keys.insert(Lower(path)); }
void FailRegistryOpen(const std::string& path, long status, bool fullAccessOnly) {
    g_openFailures[Lower(path)] = {status, fullAccessOnly};
}
}  // namespace fake

namespace registry {

long OpenKey(const std::string& path, bool fullAccess, KeyId* key) {
    *key = kNoKey;
    auto failure = g_openFailures.find(Lower(path));
    if (failure != g_openFailures.end() && (fullAccess || !failure->second.fullAccessOnly))
        return failure->second.status;
    if (!g_keys.count(Lower(path))) return 2;  // ERROR_FILE_NOT_FOUND
    *key = g_nextKey++;
    g_openKeys[*key] = path;
    return kSuccess;
}

void CloseKey(KeyId key) { g_openKeys.erase(key); }

}  // namespace registry
}  // namespace platform
