// The input is the integrity backup text. A damaged text must change nothing; a sound one must fill only
// the fields the backup carries, within their widths, and build back into a text that parses to the same
// record and fits the stored value's capacity. The same bytes stored as the registry value must read as
// the text up to its first zero, never cut.
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "configstore/registry_layout.h"
#include "fuzz_support.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "platform/registry.h"

namespace {

// A record whose every field has a value a parse would not produce by chance.
DriverConfig MarkedConfig() {
    DriverConfig config;
    config.DisplayName = "marked display";
    config.ErrorControl = 101;
    config.Group = "marked";
    config.ImagePath = "\\marked\\image.sys";
    config.Start = 102;
    config.Type = 103;
    config.DataIoMode = 104;
    config.DeliveryConf = 105;
    config.DeviceName = "MARKED";
    config.DosVector = 106;
    config.Point2Point = 107;
    config.Test = 108;
    config.x31Layer2 = 109;
    config.Manufacturer = "marked maker";
    config.NumberOfControllers = 3;
    config.MaintenanceMode = 110;
    config.cipValue = 111;
    config.Controller = 112;
    config.username = "marked user";
    config.password = "marked password";
    config.CDPNCount = 1;
    config.CDPN[0] = "111";
    config.CGPNCount = 2;
    for (size_t i = 0; i < kMaxCgpn; ++i) config.CGPN[i] = "cgpn" + std::to_string(i);
    return config;
}

AdapterArray MarkedAdapters() {
    AdapterArray adapters;
    for (size_t i = 0; i < kMaxAdapters; ++i)
        adapters[i] = {200 + static_cast<uint32_t>(i), 0x300 + static_cast<uint32_t>(i),
                       5 + static_cast<uint32_t>(i), "marked" + std::to_string(i)};
    return adapters;
}

bool SameAdapter(const AdapterConfig& a, const AdapterConfig& b) {
    return a.Channels == b.Channels && a.BaseAddress == b.BaseAddress && a.Interrupt == b.Interrupt &&
           a.SPID == b.SPID;
}

// The fields a backup never carries.
bool SameUncarried(const DriverConfig& a, const DriverConfig& b) {
    return a.MaintenanceMode == b.MaintenanceMode && a.cipValue == b.cipValue &&
           a.Controller == b.Controller && a.username == b.username && a.password == b.password &&
           a.CDPNCount == b.CDPNCount && a.CDPN == b.CDPN && a.CGPNCount == b.CGPNCount && a.CGPN == b.CGPN;
}

// The fields every backup carries.
bool SameCarried(const DriverConfig& a, const DriverConfig& b) {
    return a.DisplayName == b.DisplayName && a.ErrorControl == b.ErrorControl && a.Group == b.Group &&
           a.ImagePath == b.ImagePath && a.Start == b.Start && a.Type == b.Type &&
           a.DataIoMode == b.DataIoMode && a.DeliveryConf == b.DeliveryConf && a.DeviceName == b.DeviceName &&
           a.DosVector == b.DosVector && a.Point2Point == b.Point2Point && a.Test == b.Test &&
           a.Manufacturer == b.Manufacturer && a.NumberOfControllers == b.NumberOfControllers;
}

bool SameConfig(const DriverConfig& a, const DriverConfig& b) {
    return SameCarried(a, b) && SameUncarried(a, b) && a.x31Layer2 == b.x31Layer2;
}

bool SameAdapters(const AdapterArray& a, const AdapterArray& b) {
    for (size_t i = 0; i < kMaxAdapters; ++i)
        if (!SameAdapter(a[i], b[i]))
            return false;
    return true;
}

void CheckWidth(const std::string& field, size_t width, const char* what) {
    FUZZ_CHECK(field.size() <= width - 1, std::string(what) + " too long: " + fuzz::Quoted(field));
}

// Builds the parsed record back with each protocol kind and parses that again.
void CheckRoundTrip(const DriverConfig& parsed, const AdapterArray& adapters) {
    for (uint32_t code = 0; code < 4; ++code) {
        bool x31 = (code & kProtocolHasX31Layer2) != 0;
        bool spid = (code & kProtocolHasSpid) != 0;
        std::string rebuilt = BuildBackupText(parsed, adapters, code);
        FUZZ_CHECK(rebuilt.size() + 1 <= kBackupTextCapacity,
                   "a parsed record builds a backup of " + std::to_string(rebuilt.size()) + " bytes");
        DriverConfig again = MarkedConfig();
        AdapterArray againAdapters = MarkedAdapters();
        FUZZ_CHECK(ParseBackupText(rebuilt, again, againAdapters),
                   "the rebuilt backup does not parse: " + fuzz::Quoted(rebuilt));
        FUZZ_CHECK(SameCarried(again, parsed),
                   "the rebuilt backup parses to other fields: " + fuzz::Quoted(rebuilt));
        FUZZ_CHECK(!x31 || again.x31Layer2 == parsed.x31Layer2, "x31Layer2 lost in the round trip");
        for (size_t i = 0; i < parsed.NumberOfControllers; ++i) {
            const AdapterConfig& a = againAdapters[i];
            const AdapterConfig& b = adapters[i];
            FUZZ_CHECK(a.Channels == b.Channels && a.BaseAddress == b.BaseAddress &&
                           a.Interrupt == b.Interrupt && (!spid || a.SPID == b.SPID),
                       "adapter " + std::to_string(i) + " lost in the round trip");
        }
    }
}

// The stored value reads as its text up to the first zero, and only when it fits whole.
void CheckStoredValue(const std::string& bytes, bool parses) {
    using platform::registry::kTypeBinary;
    using platform::registry::kTypeSz;
    std::string text = bytes.substr(0, bytes.find('\0'));
    bool readable = bytes.size() <= kBackupTextCapacity && text.size() + 1 <= kBackupTextCapacity;
    bool textParses = parses;
    if (text.size() != bytes.size()) {
        DriverConfig config = MarkedConfig();
        AdapterArray adapters = MarkedAdapters();
        textParses = ParseBackupText(text, config, adapters);
    }
    for (uint32_t type : {kTypeSz, kTypeBinary}) {
        platform::fake::ResetRegistry();
        platform::fake::SetRegistryValue(kIntegrityCheckKey, "RegistryBackup", type, bytes);
        DriverConfig config = MarkedConfig();
        AdapterArray adapters = MarkedAdapters();
        bool read = ReadIntegrityBackup(config, adapters);
        bool expected = type == kTypeSz && readable && textParses;
        FUZZ_CHECK(read == expected, std::string("ReadIntegrityBackup gave ") + (read ? "true" : "false") +
                                         " for type " + std::to_string(type) + ", " +
                                         std::to_string(bytes.size()) + " bytes");
        if (!read)
            FUZZ_CHECK(SameConfig(config, MarkedConfig()) && SameAdapters(adapters, MarkedAdapters()),
                       "a failed read changed the record");
        FUZZ_CHECK(platform::fake::OpenRegistryKeys() == 0, "a registry key was left open");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    const std::string text = fuzz::Bytes(data, size);
    const DriverConfig marked = MarkedConfig();
    const AdapterArray markedAdapters = MarkedAdapters();

    DriverConfig config = marked;
    AdapterArray adapters = markedAdapters;
    bool parsed = ParseBackupText(text, config, adapters);
    if (!parsed) {
        FUZZ_CHECK(SameConfig(config, marked) && SameAdapters(adapters, markedAdapters),
                   "a damaged backup changed the record");
    } else {
        FUZZ_CHECK(config.NumberOfControllers >= 1 && config.NumberOfControllers <= kMaxAdapters,
                   std::to_string(config.NumberOfControllers) + " controllers");
        CheckWidth(config.DisplayName, kDisplayNameWidth, "DisplayName");
        CheckWidth(config.Group, kGroupWidth, "Group");
        CheckWidth(config.ImagePath, kImagePathWidth, "ImagePath");
        CheckWidth(config.DeviceName, kDeviceNameWidth, "DeviceName");
        CheckWidth(config.Manufacturer, kManufacturerWidth, "Manufacturer");
        FUZZ_CHECK(SameUncarried(config, marked), "the backup changed fields it does not carry");
        for (size_t i = 0; i < kMaxAdapters; ++i) {
            CheckWidth(adapters[i].SPID, kSpidWidth, "SPID");
            if (i >= config.NumberOfControllers)
                FUZZ_CHECK(SameAdapter(adapters[i], markedAdapters[i]), "an unused adapter changed");
        }
        CheckRoundTrip(config, adapters);
    }
    CheckStoredValue(text, parsed);

    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.empty(), "the backup showed " + fuzz::Quoted(shown.empty() ? "" : shown.front().text));
    return 0;
}
