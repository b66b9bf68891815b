#include "configstore/registry_layout.h"

#include "setupfiles/text_line.h"

using namespace platform::registry;

std::string CapiEntryPath(uint32_t capiIndex) {
    return std::string(kCapiTreePath) + "\\" + std::to_string(capiIndex);
}

std::string ChannelKeyPath(uint32_t capiIndex, uint32_t adapterNumber) {
    return CapiEntryPath(capiIndex) + "\\" + std::to_string(adapterNumber);
}

std::string AdapterKeyPath(uint32_t adapterNumber) {
    std::string number = std::to_string(adapterNumber);
    if (number.size() < 2)
        number.insert(0, "0");
    return kAdapterKeyPrefix + number;
}

long CreateLayoutKey(const std::string& path, KeyId* key) {
    const std::string service = kServiceKeyPath;
    if (EqualsIgnoreCase(path, service))
        return CreateKey(path, kServiceKeyClass, key);
    if (path.size() > service.size() && path[service.size()] == '\\' &&
        EqualsIgnoreCase(path.substr(0, service.size()), service)) {
        Key serviceKey;
        if (long status = CreateKey(service, kServiceKeyClass, serviceKey.Put())) {
            *key = kNoKey;
            return status;
        }
    }
    return CreateKey(path, "", key);
}
