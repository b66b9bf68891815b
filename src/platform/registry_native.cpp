#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/native_fakes.h"
#include "platform/operation_faults_native.h"
#include "platform/registry.h"

// The in-memory registry of the native tests. It behaves like the Win32 registry where the configuration
// store depends on it: names compare without regard to case, creating a key creates its parents, a key
// with subkeys cannot be deleted, a read-only handle cannot write, a value that does not fit the buffer
// gives kMoreData, and a handle whose key was deleted gives kKeyDeleted. Any operation on any key can be
// made to fail.
namespace platform {

namespace {
constexpr long kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

struct KeyData {
    std::string path;  // as created
    std::string keyClass;
    std::vector<fake::RegistryValue> values;  // in the order they were created
};

struct Handle {
    std::string lowerPath;
    bool fullAccess;
};

struct Failure {
    fake::RegistryOperation operation;
    std::string lowerPath;
    std::string lowerValueName;  // empty: every value
    long status;
};

std::map<std::string, KeyData> g_keys;  // by lower-case path
std::vector<Failure> g_failures;
std::map<registry::KeyId, Handle> g_handles;
registry::KeyId g_nextKey = 1;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

const char* OperationName(fake::RegistryOperation operation) {
    switch (operation) {
        case fake::RegistryOperation::kCreateKey:
            return "CreateKey";
        case fake::RegistryOperation::kOpenRead:
            return "OpenKey(read)";
        case fake::RegistryOperation::kOpenFull:
            return "OpenKey(full)";
        case fake::RegistryOperation::kSetValue:
            return "SetValue";
        case fake::RegistryOperation::kQueryValue:
            return "QueryValue";
        case fake::RegistryOperation::kDeleteValue:
            return "DeleteValue";
        case fake::RegistryOperation::kCountSubKeys:
            return "CountSubKeys";
        case fake::RegistryOperation::kEnumSubKeys:
            return "EnumSubKey";
        case fake::RegistryOperation::kDeleteKey:
            return "DeleteKey";
    }
    return "?";
}

// Every registry operation passes here once, so this is also where the counting mode numbers them.
long InjectedFailure(fake::RegistryOperation operation, const std::string& lowerPath,
                     const std::string& valueName = "") {
    std::string subject = valueName.empty() ? lowerPath : lowerPath + " " + valueName;
    if (faults::CountOperation(faults::Seam::kRegistry, OperationName(operation), subject))
        return registry::kAccessDenied;
    for (const Failure& failure : g_failures) {
        if (failure.operation == operation && failure.lowerPath == lowerPath &&
            (failure.lowerValueName.empty() || failure.lowerValueName == Lower(valueName)))
            return failure.status;
    }
    return registry::kSuccess;
}

// Creates the key and every missing parent; only a key created here as the last component gets keyClass.
void CreateWithParents(const std::string& path, const std::string& keyClass) {
    size_t end = 0;
    while (end != std::string::npos) {
        end = path.find('\\', end + 1);
        std::string prefix = path.substr(0, end);
        if (g_keys.count(Lower(prefix)))
            continue;
        g_keys[Lower(prefix)] = {prefix, end == std::string::npos ? keyClass : std::string(), {}};
    }
}

bool IsDirectChild(const std::string& lowerChild, const std::string& lowerParent) {
    if (lowerChild.size() <= lowerParent.size() + 1)
        return false;
    if (lowerChild.compare(0, lowerParent.size(), lowerParent) != 0 || lowerChild[lowerParent.size()] != '\\')
        return false;
    return lowerChild.find('\\', lowerParent.size() + 1) == std::string::npos;
}

std::vector<std::string> DirectChildren(const std::string& lowerParent) {
    std::vector<std::string> children;  // g_keys is ordered, so these come sorted as RegEnumKeyExA gives them
    for (const auto& entry : g_keys) {
        if (IsDirectChild(entry.first, lowerParent))
            children.push_back(entry.second.path.substr(lowerParent.size() + 1));
    }
    return children;
}

// The key behind an open handle, after the injected failure of the operation.
long Resolve(registry::KeyId key, fake::RegistryOperation operation, const std::string& valueName,
             KeyData** data, bool* fullAccess) {
    auto handle = g_handles.find(key);
    if (handle == g_handles.end())
        return kInvalidHandle;
    if (long status = InjectedFailure(operation, handle->second.lowerPath, valueName))
        return status;
    auto found = g_keys.find(handle->second.lowerPath);
    if (found == g_keys.end())
        return registry::kKeyDeleted;
    *data = &found->second;
    *fullAccess = handle->second.fullAccess;
    return registry::kSuccess;
}

std::vector<fake::RegistryValue>::iterator FindValue(KeyData& data, const std::string& name) {
    return std::find_if(data.values.begin(), data.values.end(),
                        [&](const fake::RegistryValue& value) { return Lower(value.name) == Lower(name); });
}

registry::KeyId NewHandle(const std::string& lowerPath, bool fullAccess) {
    registry::KeyId key = g_nextKey++;
    g_handles[key] = {lowerPath, fullAccess};
    return key;
}
}  // namespace

namespace fake {
void ResetRegistry() {
    g_keys.clear();
    g_failures.clear();
    g_handles.clear();
}

void ClearRegistryFailures() {
    g_failures.clear();
}

void AddRegistryKey(const std::string& path) {
    CreateWithParents(path, "");
}

void FailRegistryOpen(const std::string& path, long status, bool fullAccessOnly) {
    FailRegistryOperation(path, RegistryOperation::kOpenFull, status);
    if (!fullAccessOnly)
        FailRegistryOperation(path, RegistryOperation::kOpenRead, status);
}

void FailRegistryOperation(const std::string& path, RegistryOperation operation, long status,
                           const std::string& valueName) {
    g_failures.push_back({operation, Lower(path), Lower(valueName), status});
}

void SetRegistryValue(const std::string& path, const std::string& name, uint32_t type,
                      const std::string& data) {
    CreateWithParents(path, "");
    KeyData& key = g_keys[Lower(path)];
    auto value = FindValue(key, name);
    if (value == key.values.end()) {
        key.values.push_back({name, type, data});
    } else {
        value->type = type;
        value->data = data;
    }
}

bool RegistryKeyExists(const std::string& path) {
    return g_keys.count(Lower(path)) != 0;
}

std::vector<RegistryValue> RegistryValues(const std::string& path) {
    auto found = g_keys.find(Lower(path));
    return found == g_keys.end() ? std::vector<RegistryValue>() : found->second.values;
}

std::string RegistryKeyClass(const std::string& path) {
    auto found = g_keys.find(Lower(path));
    return found == g_keys.end() ? std::string() : found->second.keyClass;
}

std::vector<std::string> RegistrySubKeys(const std::string& path) {
    return DirectChildren(Lower(path));
}

size_t OpenRegistryKeys() {
    return g_handles.size();
}
}  // namespace fake

namespace registry {

long CreateKey(const std::string& path, const std::string& keyClass, KeyId* key) {
    *key = kNoKey;
    if (path.empty())
        return kAccessDenied;
    if (long status = InjectedFailure(fake::RegistryOperation::kCreateKey, Lower(path)))
        return status;
    CreateWithParents(path, keyClass);
    *key = NewHandle(Lower(path), true);
    return kSuccess;
}

long OpenKey(const std::string& path, bool fullAccess, KeyId* key) {
    *key = kNoKey;
    auto operation = fullAccess ? fake::RegistryOperation::kOpenFull : fake::RegistryOperation::kOpenRead;
    if (long status = InjectedFailure(operation, Lower(path)))
        return status;
    if (!g_keys.count(Lower(path)))
        return kFileNotFound;
    *key = NewHandle(Lower(path), fullAccess);
    return kSuccess;
}

void CloseKey(KeyId key) {
    g_handles.erase(key);
}

long SetValue(KeyId key, const std::string& name, uint32_t type, const char* data, uint32_t size) {
    KeyData* keyData = nullptr;
    bool fullAccess = false;
    if (long status = Resolve(key, fake::RegistryOperation::kSetValue, name, &keyData, &fullAccess))
        return status;
    if (!fullAccess)
        return kAccessDenied;
    fake::SetRegistryValue(keyData->path, name, type, std::string(data, size));
    return kSuccess;
}

long QueryValue(KeyId key, const std::string& name, uint32_t* type, char* data, uint32_t* size) {
    KeyData* keyData = nullptr;
    bool fullAccess = false;
    if (long status = Resolve(key, fake::RegistryOperation::kQueryValue, name, &keyData, &fullAccess))
        return status;
    auto value = FindValue(*keyData, name);
    if (value == keyData->values.end())
        return kFileNotFound;
    *type = value->type;
    uint32_t capacity = *size;
    *size = static_cast<uint32_t>(value->data.size());
    if (data == nullptr)
        return kSuccess;
    if (value->data.size() > capacity)
        return kMoreData;
    std::memcpy(data, value->data.data(), value->data.size());
    return kSuccess;
}

long DeleteValue(KeyId key, const std::string& name) {
    KeyData* keyData = nullptr;
    bool fullAccess = false;
    if (long status = Resolve(key, fake::RegistryOperation::kDeleteValue, name, &keyData, &fullAccess))
        return status;
    if (!fullAccess)
        return kAccessDenied;
    auto value = FindValue(*keyData, name);
    if (value == keyData->values.end())
        return kFileNotFound;
    keyData->values.erase(value);
    return kSuccess;
}

long CountSubKeys(KeyId key, uint32_t* count) {
    *count = 0;
    KeyData* keyData = nullptr;
    bool fullAccess = false;
    if (long status = Resolve(key, fake::RegistryOperation::kCountSubKeys, "", &keyData, &fullAccess))
        return status;
    *count = static_cast<uint32_t>(DirectChildren(Lower(keyData->path)).size());
    return kSuccess;
}

long EnumSubKey(KeyId key, uint32_t index, std::string* name) {
    name->clear();
    KeyData* keyData = nullptr;
    bool fullAccess = false;
    if (long status = Resolve(key, fake::RegistryOperation::kEnumSubKeys, "", &keyData, &fullAccess))
        return status;
    std::vector<std::string> children = DirectChildren(Lower(keyData->path));
    if (index >= children.size())
        return kNoMoreItems;
    *name = children[index];
    return kSuccess;
}

long DeleteKey(const std::string& path) {
    if (long status = InjectedFailure(fake::RegistryOperation::kDeleteKey, Lower(path)))
        return status;
    if (!g_keys.count(Lower(path)))
        return kFileNotFound;
    if (!DirectChildren(Lower(path)).empty())
        return kAccessDenied;
    g_keys.erase(Lower(path));
    return kSuccess;
}

}  // namespace registry
}  // namespace platform
