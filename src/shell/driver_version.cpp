#include "shell/driver_version.h"

#include <cstdint>

#include "platform/system_info.h"
#include "platform/wow64.h"
#include "setupfiles/contained_name.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"
#include "setupfiles/text_format.h"

namespace {

constexpr uint32_t kLow16Bits = 0xFFFF;
constexpr unsigned kHundredsFrom = 100;  // a minor from here on splits in hundreds, below it in tens

}  // namespace

std::string DriverVersionText(const std::string& capiDllName) {
    // The DLL is the system's: a name with a path of its own would load whatever that path holds.
    if (!capiDllName.empty() && !IsPlainName(capiDllName))
        return Text(kTextTextNocapiinstalled);
    platform::CapiVersion version;
    platform::CapiDllResult result = platform::QueryCapiVersion(capiDllName, version);
    // A 32-bit program cannot load the 64-bit DLL of a 64-bit Windows; only a 32-bit one beside it answers.
    // Without one the driver may still run, and the line says why it cannot tell.
    if (result == platform::CapiDllResult::kNotLoaded && !capiDllName.empty() &&
        platform::RunningSystem().wow64)
        return Text(kTextTextCapiUnreadableWow64);
    if (result != platform::CapiDllResult::kVersionCalled)
        return Text(kTextTextNocapiinstalled);
    unsigned major = version.manufacturerMajor & kLow16Bits;
    unsigned minor = version.manufacturerMinor & kLow16Bits;
    if (major == 0 && minor == 0)
        return Text(kTextTextNocapiinstalled);
    unsigned divisor = minor < kHundredsFrom ? 10 : 100;
    return "v" + DecimalText(major) + "." + DecimalText(minor / divisor) + " (rev." +
           DecimalText(minor % divisor, 2) + ")";
}
