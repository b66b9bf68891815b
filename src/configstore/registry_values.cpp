#include "configstore/registry_values.h"

#include <algorithm>
#include <cstring>

#include "configstore/config_reports.h"

using namespace platform::registry;

namespace {
bool IsTextType(uint32_t type) {
    return type == kTypeSz || type == kTypeExpandSz || type == kTypeMultiSz;
}
}  // namespace

RegValueItem NumberItem(const std::string& name, uint32_t number) {
    return {name, kTypeDword, number, ""};
}

RegValueItem TextItem(const std::string& name, const std::string& text, uint32_t type) {
    return {name, type, 0, text};
}

bool WriteDwordValue(KeyId key, uint32_t number, const std::string& name) {
    char bytes[4];
    std::memcpy(bytes, &number, sizeof bytes);  // little-endian on every Windows target, as REG_DWORD is
    return SetValue(key, name, kTypeDword, bytes, sizeof bytes) == kSuccess;
}

bool WriteValueList(KeyId key, const std::vector<RegValueItem>& items) {
    bool allWritten = true;
    for (const RegValueItem& item : items) {
        bool written;
        if (item.type == kTypeSz || item.type == kTypeExpandSz) {
            written = SetValue(key, item.name, item.type, item.text.c_str(),
                               static_cast<uint32_t>(item.text.size() + 1)) == kSuccess;
        } else {
            char bytes[4];
            std::memcpy(bytes, &item.number, sizeof bytes);
            written = SetValue(key, item.name, item.type, bytes, sizeof bytes) == kSuccess;
        }
        allWritten = allWritten && written;
    }
    return allWritten;
}

// One query each: the type comes back with the data, and with kMoreData when the value is larger than the
// buffer, so no separate probe of the type is needed (under Windows every query is a call into the kernel,
// under Wine a round trip to its server).
bool ReadDwordValue(KeyId key, uint32_t* destination, const std::string& name, bool report) {
    char bytes[4];
    uint32_t type = 0;
    uint32_t size = sizeof bytes;
    long status = QueryValue(key, name, &type, bytes, &size);
    if ((status == kSuccess || status == kMoreData) && IsTextType(type))
        return true;
    bool read = status == kSuccess && size == sizeof bytes;
    if (read) {
        std::memcpy(destination, bytes, sizeof bytes);
    } else if (report) {
        ReportNoValueQuery(name);
    }
    return read;
}

bool ReadStringValue(KeyId key, std::string* text, const std::string& name, size_t capacity) {
    text->clear();
    std::string buffer(capacity, '\0');
    uint32_t type = 0;
    uint32_t size = static_cast<uint32_t>(capacity);
    if (QueryValue(key, name, &type, &buffer[0], &size) != kSuccess || !IsTextType(type))
        return false;
    std::string value = buffer.substr(0, std::min<size_t>(size, capacity));
    value = value.substr(0, value.find('\0'));
    if (value.size() + 1 > capacity)
        return false;
    *text = value;
    return true;
}

bool ReadRawValue(KeyId key, std::string* bytes, uint32_t* type, const std::string& name, size_t capacity) {
    bytes->clear();
    std::string buffer(capacity, '\0');
    uint32_t size = static_cast<uint32_t>(capacity);
    if (QueryValue(key, name, type, &buffer[0], &size) != kSuccess)
        return false;
    *bytes = buffer.substr(0, size);
    return true;
}
