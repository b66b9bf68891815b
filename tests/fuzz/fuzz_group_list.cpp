// The input's first byte picks the value's type and whether the list is padded to the read capacity; the
// rest is the "List" value of the service group order. Splitting and joining must round-trip; inserting
// "CAPI20" must splice its name in before a first "NDIS" and change no other byte (only the zeros a list
// lacks at its end are added); removing it afterwards must take out every listed "CAPI20" and change no
// other byte; a list too long to read whole must be left alone and reported.
#include <algorithm>

#include "configstore/group_order.h"
#include "configstore/registry_layout.h"
#include "fuzz_support.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "platform/registry.h"

namespace {

using platform::registry::kTypeBinary;
using platform::registry::kTypeMultiSz;
using platform::registry::kTypeSz;

const uint32_t kTypes[] = {kTypeMultiSz, kTypeSz, kTypeBinary, kTypeMultiSz};

// The model of REG_MULTI_SZ: names, each ended by a zero, and an empty name that closes the list; a last
// name that the data cuts off before its zero still counts.
std::vector<std::string> ModelNames(const std::string& bytes) {
    std::vector<std::string> names;
    std::string name;
    for (char c : bytes) {
        if (c != '\0') {
            name.push_back(c);
        } else if (name.empty()) {
            return names;  // the closing empty name; anything after it is not part of the list
        } else {
            names.push_back(name);
            name.clear();
        }
    }
    if (!name.empty())
        names.push_back(name);
    return names;
}

// The bytes of a well-formed list of the names.
std::string ModelBytes(const std::vector<std::string>& names) {
    std::string bytes;
    for (const std::string& name : names) {
        bytes.append(name);
        bytes.push_back('\0');
    }
    bytes.push_back('\0');
    return bytes;
}

// Group names compare without regard to the case of ASCII letters.
bool SameGroup(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The rest of the input grown by one filler name to a length around the read capacity.
std::string PadToCapacity(const std::string& body, uint8_t selector) {
    size_t target = kGroupListCapacity - 4 + (selector >> 3 & 7);
    if (body.size() + 3 > target)
        return body;
    return body + std::string(target - body.size() - 2, 'P') + std::string(2, '\0');
}

std::vector<std::string> Value() {
    for (const auto& value : platform::fake::RegistryValues(kServiceGroupOrderKey))
        if (value.name == "List")
            return {value.data, std::to_string(value.type)};
    return {};
}

std::string Names(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += fuzz::Quoted(name) + " ";
    return text.substr(0, 400);
}

// The offset in the stored bytes where the name of the given index begins.
size_t NameOffset(const std::vector<std::string>& names, size_t index) {
    size_t offset = 0;
    for (size_t i = 0; i < index; ++i) offset += names[i].size() + 1;
    return offset;
}

// The bytes with the zeros the list lacks at its end: after a last name that runs to the end of the data,
// and the closing empty name.
std::string Closed(const std::string& bytes) {
    std::vector<std::string> names = ModelNames(bytes);
    size_t listEnd = NameOffset(names, names.size());
    if (listEnd < bytes.size())
        return bytes;
    return bytes + std::string(listEnd - bytes.size() + 1, '\0');
}

// The bytes after the insertion, or empty when "CAPI20" comes before any "NDIS" or neither is listed.
std::string ExpectedInsertion(const std::string& bytes) {
    std::vector<std::string> names = ModelNames(bytes);
    for (size_t i = 0; i < names.size(); ++i) {
        if (SameGroup(names[i], "CAPI20"))
            return std::string();
        if (SameGroup(names[i], "NDIS"))
            return Closed(bytes).insert(NameOffset(names, i), std::string("CAPI20", 7));
    }
    return std::string();
}

// The bytes after the removal of every listed "CAPI20", or empty when none is listed.
std::string ExpectedRemoval(const std::string& bytes) {
    std::vector<std::string> names = ModelNames(bytes);
    std::string closed = Closed(bytes);
    bool found = false;
    for (size_t i = names.size(); i-- > 0;) {
        if (SameGroup(names[i], "CAPI20")) {
            closed.erase(NameOffset(names, i), 7);
            found = true;
        }
    }
    return found ? closed : std::string();
}

void CheckSplitJoin(const std::string& bytes) {
    const std::vector<std::string> names = ModelNames(bytes);
    FUZZ_CHECK(SplitGroupList(bytes) == names,
               "split gave other names than the format holds: " + Names(names));
    FUZZ_CHECK(JoinGroupList(names) == ModelBytes(names),
               "joined bytes are not the format's: " + Names(names));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    fuzz::ResetState();
    const uint8_t selector = data[0];
    const uint32_t type = kTypes[selector & 3];
    std::string bytes = fuzz::Bytes(data + 1, size - 1);
    if (selector & 4)
        bytes = PadToCapacity(bytes, selector);

    CheckSplitJoin(bytes);

    platform::fake::SetRegistryValue(kServiceGroupOrderKey, "List", type, bytes);
    auto& shown = ui::fake::ShownMessages();

    const std::string inserted = ExpectedInsertion(bytes);
    const bool insertion = !inserted.empty();
    // The list must be readable whole, and an insertion must not make it longer than can be read again.
    // A value of another type is not a list of names: it is left alone and reported.
    const bool fits =
        type == kTypeMultiSz && bytes.size() <= kGroupListCapacity && inserted.size() <= kGroupListCapacity;
    FUZZ_CHECK(InsertCapiGroup() == fits, "InsertCapiGroup on " + std::to_string(bytes.size()) + " bytes");
    std::vector<std::string> value = Value();
    FUZZ_CHECK(value.size() == 2, "the List value is gone");
    if (fits && insertion) {
        FUZZ_CHECK(value[0] == inserted && value[1] == std::to_string(kTypeMultiSz),
                   "inserted list is " + Names(ModelNames(value[0])));
    } else {
        FUZZ_CHECK(value[0] == bytes && value[1] == std::to_string(type),
                   "a list without an insertion changed");
    }
    FUZZ_CHECK(shown.size() == (fits ? 0u : 1u),
               std::to_string(shown.size()) + " messages after the insertion");
    shown.clear();
    // The removal at deinstallation reads the list with the same capacity: what the insertion wrote must
    // still be readable whole, or "CAPI20" could never be taken out again.
    FUZZ_CHECK(value[0].size() <= kGroupListCapacity || !fits,
               "InsertCapiGroup turned a list of " + std::to_string(bytes.size()) + " bytes into one of " +
                   std::to_string(value[0].size()) + ", more than the " + std::to_string(kGroupListCapacity) +
                   " bytes RemoveCapiGroup can read");

    const std::string beforeRemoval = value[0];
    const bool removable = type == kTypeMultiSz && beforeRemoval.size() <= kGroupListCapacity;
    const std::string removed = ExpectedRemoval(beforeRemoval);
    const bool removal = !removed.empty();
    FUZZ_CHECK(RemoveCapiGroup() == removable,
               "RemoveCapiGroup on " + std::to_string(beforeRemoval.size()) + " bytes");
    value = Value();
    FUZZ_CHECK(value.size() == 2, "the List value is gone after the removal");
    if (removable && removal)
        FUZZ_CHECK(value[0] == removed, "list after the removal is " + Names(ModelNames(value[0])));
    else
        FUZZ_CHECK(value[0] == beforeRemoval, "a list without CAPI20 changed");
    if (fits && insertion) {
        std::string withoutAny = ExpectedRemoval(bytes);
        FUZZ_CHECK(value[0] == (withoutAny.empty() ? Closed(bytes) : withoutAny),
                   "insert then remove did not give back the original bytes less every CAPI20");
    }
    FUZZ_CHECK(shown.size() == (removable ? 0u : 1u),
               std::to_string(shown.size()) + " messages after the removal");
    FUZZ_CHECK(platform::fake::OpenRegistryKeys() == 0, "a registry key was left open");
    shown.clear();
    return 0;
}
