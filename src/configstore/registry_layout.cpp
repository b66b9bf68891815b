#include "configstore/registry_layout.h"

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
