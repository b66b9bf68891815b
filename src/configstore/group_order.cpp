#include "configstore/group_order.h"

#include "configstore/config_reports.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_values.h"
#include "platform/registry.h"
#include "setupfiles/text_line.h"
#include "ui/run_report.h"

using namespace platform::registry;

namespace {

const char* const kCapiGroup = "CAPI20";
const char* const kNdisGroup = "NDIS";
const char* const kListValue = "List";

bool ReadGroupList(KeyId key, std::vector<std::string>* names) {
    std::string bytes;
    if (!ReadRawValue(key, &bytes, kListValue, kGroupListCapacity)) {
        ReportNoValueModify(kServiceGroupOrderKey, kListValue);
        return false;
    }
    *names = SplitGroupList(bytes);
    return true;
}

// A list is never written longer than the buffer it is read in: the removal at deinstallation could not
// read it whole, and "CAPI20" would stay in the list for good.
bool WriteGroupList(KeyId key, const std::vector<std::string>& names) {
    std::string bytes = JoinGroupList(names);
    uint32_t size = static_cast<uint32_t>(bytes.size());
    if (size <= kGroupListCapacity && SetValue(key, kListValue, kTypeMultiSz, bytes.data(), size) == kSuccess)
        return true;
    ReportNoValueModify(kServiceGroupOrderKey, kListValue);
    return false;
}

}  // namespace

std::vector<std::string> SplitGroupList(const std::string& bytes) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        if (end == start)
            break;  // the closing empty name
        names.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string JoinGroupList(const std::vector<std::string>& names) {
    std::string bytes;
    for (const std::string& name : names) bytes += name + '\0';
    return bytes + '\0';
}

bool InsertCapiGroup() {
    Key key;
    if (CreateKey(kServiceGroupOrderKey, "", key.Put()) != kSuccess) {
        ReportNoKey(kServiceGroupOrderKey);
        return false;
    }
    std::vector<std::string> names;
    if (!ReadGroupList(key.Get(), &names))
        return false;
    // The first of the two names decides: a "CAPI20" after "NDIS" does not order the driver before it.
    for (size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoreCase(names[i], kCapiGroup))
            return true;
        if (EqualsIgnoreCase(names[i], kNdisGroup)) {
            names.insert(names.begin() + static_cast<std::ptrdiff_t>(i), kCapiGroup);
            if (!WriteGroupList(key.Get(), names))
                return false;
            ui::Report("Registry: HKLM\\" + std::string(kServiceGroupOrderKey) + ": " + kListValue + ": " +
                       kCapiGroup + " inserted before " + names[i + 1]);
            return true;
        }
    }
    return true;
}

bool RemoveCapiGroup() {
    Key key;
    if (OpenKey(kServiceGroupOrderKey, true, key.Put()) != kSuccess) {
        ReportNoKey(kServiceGroupOrderKey);
        return false;
    }
    std::vector<std::string> names;
    if (!ReadGroupList(key.Get(), &names))
        return false;
    for (size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoreCase(names[i], kCapiGroup)) {
            names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
            return WriteGroupList(key.Get(), names);
        }
    }
    return true;
}
