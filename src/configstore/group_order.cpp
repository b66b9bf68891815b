#include "configstore/group_order.h"

#include <algorithm>

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

// A name of the list and where it stands in the stored bytes.
struct ListedName {
    size_t offset;
    std::string name;
};

// The names as Windows reads a REG_MULTI_SZ: up to the first empty name, or to the end of the data when
// the closing empty name is missing. Whatever follows the first empty name is not part of the list, but
// it is another program's data and is never dropped.
std::vector<ListedName> ListedNames(const std::string& bytes) {
    std::vector<ListedName> names;
    size_t start = 0;
    while (start < bytes.size() && bytes[start] != '\0') {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        names.push_back({start, bytes.substr(start, end - start)});
        start = end + 1;
    }
    return names;
}

// Adds the zeros a list lacks at its end (after its last name, and the closing empty name), so that what
// is written back is a list every reader finds the end of.
void CloseList(std::string& bytes) {
    std::vector<ListedName> names = ListedNames(bytes);
    size_t listEnd = names.empty() ? 0 : names.back().offset + names.back().name.size() + 1;
    if (listEnd < bytes.size())
        return;  // the closing empty name is there
    if (listEnd > bytes.size())
        bytes += '\0';  // the last name ran to the end of the data
    bytes += '\0';
}

// Only a list of names is ours to edit: a value of another type belongs to whoever wrote it so, and
// rewriting it as a list would change what it is. It is left alone and reported.
bool ReadGroupList(KeyId key, std::string* bytes) {
    uint32_t type = 0;
    if (!ReadRawValue(key, bytes, &type, kListValue, kGroupListCapacity)) {
        ReportNoValueModify(kServiceGroupOrderKey, kListValue);
        return false;
    }
    if (type != kTypeMultiSz) {
        ui::Report("Registry: HKLM\\" + std::string(kServiceGroupOrderKey) + ": " + kListValue +
                   " has type " + std::to_string(type) + ", not a list of names: left alone");
        ReportNoValueModify(kServiceGroupOrderKey, kListValue);
        return false;
    }
    return true;
}

// A list is never written longer than the buffer it is read in: the removal at deinstallation could not
// read it whole, and "CAPI20" would stay in the list for good.
bool WriteGroupList(KeyId key, std::string bytes) {
    CloseList(bytes);
    uint32_t size = static_cast<uint32_t>(bytes.size());
    if (size <= kGroupListCapacity && SetValue(key, kListValue, kTypeMultiSz, bytes.data(), size) == kSuccess)
        return true;
    ReportNoValueModify(kServiceGroupOrderKey, kListValue);
    return false;
}

}  // namespace

std::vector<std::string> SplitGroupList(const std::string& bytes) {
    std::vector<std::string> names;
    for (const ListedName& listed : ListedNames(bytes)) names.push_back(listed.name);
    return names;
}

std::string JoinGroupList(const std::vector<std::string>& names) {
    std::string bytes;
    for (const std::string& name : names) bytes += name + '\0';
    return bytes + '\0';
}

// Both edits splice the stored bytes: only the name that goes in or out changes, every other byte of the
// value stays as it was.
bool InsertCapiGroup() {
    Key key;
    if (CreateLayoutKey(kServiceGroupOrderKey, key.Put()) != kSuccess) {
        ReportNoKey(kServiceGroupOrderKey);
        return false;
    }
    std::string bytes;
    if (!ReadGroupList(key.Get(), &bytes))
        return false;
    // The first of the two names decides: a "CAPI20" after "NDIS" does not order the driver before it.
    for (const ListedName& listed : ListedNames(bytes)) {
        if (EqualsIgnoreCase(listed.name, kCapiGroup))
            return true;
        if (EqualsIgnoreCase(listed.name, kNdisGroup)) {
            bytes.insert(listed.offset, std::string(kCapiGroup) + '\0');
            if (!WriteGroupList(key.Get(), bytes))
                return false;
            ui::Report("Registry: HKLM\\" + std::string(kServiceGroupOrderKey) + ": " + kListValue + ": " +
                       kCapiGroup + " inserted before " + listed.name);
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
    std::string bytes;
    if (!ReadGroupList(key.Get(), &bytes))
        return false;
    // The insertion can leave the group twice (one before "NDIS", one after it); every one goes, or the
    // last CAPI 2.0 driver's removal leaves a group that nothing belongs to. Erased from the back, so that
    // the offsets of the names before stay right.
    std::vector<ListedName> listed = ListedNames(bytes);
    bool removed = false;
    for (auto name = listed.rbegin(); name != listed.rend(); ++name) {
        if (EqualsIgnoreCase(name->name, kCapiGroup)) {
            bytes.erase(name->offset, name->name.size() + 1);  // its zero too, when it has one
            removed = true;
        }
    }
    return !removed || WriteGroupList(key.Get(), bytes);
}
