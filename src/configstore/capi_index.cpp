#include "configstore/capi_index.h"

#include <algorithm>
#include <string>
#include <vector>

#include "configstore/config_reports.h"
#include "configstore/driver_config.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_values.h"
#include "setupfiles/text_line.h"

using namespace platform::registry;

namespace {
constexpr size_t kManufacturerReadWidth = 260;
constexpr uint32_t kHighestEntryNumber = 0xFFFFFFFE;  // so that one more still fits

// The number a subkey name stands for, or 0 when it is not a plain decimal number from 1 (no sign, no
// leading zero), the only names the entries are created with.
uint32_t EntryNumber(const std::string& name) {
    if (name.empty() || name.size() > 10 || name[0] == '0')
        return 0;
    uint64_t number = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return number <= kHighestEntryNumber ? static_cast<uint32_t>(number) : 0;
}

// The numbered subkeys of the open tree, ascending; false when the listing broke off before its end.
// Probing the numbers one by one against the subkey count, as if every subkey were numbered, would never
// end over names that are not numbers or keys that cannot be opened; the names themselves bound the search.
bool EntryNumbers(KeyId tree, std::vector<uint32_t>* numbers) {
    std::string name;
    long status = kSuccess;
    for (uint32_t index = 0; (status = EnumSubKey(tree, index, &name)) == kSuccess; ++index) {
        if (uint32_t number = EntryNumber(name))
            numbers->push_back(number);
    }
    std::sort(numbers->begin(), numbers->end());
    return status == kNoMoreItems;
}

enum class Entry { kOurs, kOther, kCannotTell };

// A key or value that is missing belongs to no one; one that exists and cannot be read may be ours, and
// taking the next number then would give the driver a second entry beside its own.
Entry JudgeEntry(uint32_t number) {
    Key entry;
    long status = OpenKey(CapiEntryPath(number), false, entry.Put());
    if (status != kSuccess)
        return status == kFileNotFound ? Entry::kOther : Entry::kCannotTell;
    uint32_t type = 0;
    uint32_t size = 0;
    status = QueryValue(entry.Get(), "Manufacturer", &type, nullptr, &size);  // is it there, and readable
    if (status != kSuccess)
        return status == kFileNotFound ? Entry::kOther : Entry::kCannotTell;
    // Ours is a short text: a value of another type or length is another maker's.
    if (type != kTypeSz || size > kManufacturerReadWidth)
        return Entry::kOther;
    std::string manufacturer;
    if (!ReadStringValue(entry.Get(), &manufacturer, "Manufacturer", kManufacturerReadWidth))
        return Entry::kCannotTell;
    return EqualsIgnoreCase(manufacturer, kOurManufacturer) ? Entry::kOurs : Entry::kOther;
}
}  // namespace

uint32_t FindCapiIndex(bool* found) {
    *found = false;
    Key tree;
    long status = OpenKey(kCapiTreePath, false, tree.Put());
    if (status == kFileNotFound)
        return 1;
    // Taking 1 or the number after a partial listing would write over another maker's entry.
    std::vector<uint32_t> numbers;
    if (status != kSuccess || !EntryNumbers(tree.Get(), &numbers))
        return kCapiIndexUnknown;
    tree.Reset();
    // Every entry takes its number: the next free one lies above every entry. One that cannot be read
    // leaves the number unknown, unless a later one is ours.
    uint32_t next = 1;
    bool cannotTell = false;
    for (uint32_t number : numbers) {
        Entry entry = JudgeEntry(number);
        if (entry == Entry::kOurs) {
            *found = true;
            return number;
        }
        cannotTell = cannotTell || entry == Entry::kCannotTell;
        next = number + 1;
    }
    return cannotTell ? kCapiIndexUnknown : next;
}

bool HasOtherCapiDriver(bool ourEntryFound, UnreadableCapiTree unreadable) {
    Key tree;
    long status = OpenKey(kCapiTreePath, false, tree.Put());
    if (status == kFileNotFound)
        return false;
    uint32_t count = 0;
    if (status != kSuccess || CountSubKeys(tree.Get(), &count) != kSuccess)
        return unreadable == UnreadableCapiTree::kHoldsAnother;
    return count > (ourEntryFound ? 1u : 0u);
}
