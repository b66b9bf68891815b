#pragma once

#include <cstdint>
#include <string>

// A 32-bit program on 64-bit Windows runs under WOW64 and is redirected: its system directory leads to
// SysWOW64 and HKLM\SOFTWARE to Wow6432Node. A driver's images and keys belong to the native system, so
// the program reaches past the redirection where it writes them, with what that Windows offers; older
// systems know neither the functions nor the access flag.
namespace platform {

struct SystemKind {
    bool windows64 = false;  // the running Windows is a 64-bit one
    bool wow64 = false;      // and this program a 32-bit one on it, redirected
};

// The kind of system from what the program finds at run time: whether it is itself a 64-bit program,
// whether kernel32 exports IsWow64Process (NT 4.0 and Windows 2000 do not: there is no 64-bit Windows
// of theirs) and what that answered.
SystemKind ClassifySystem(bool program64Bit, bool hasIsWow64Process, bool isWow64Process);

// KEY_WOW64_64KEY: the registry's 64-bit view.
constexpr uint32_t kKeyWow64View64 = 0x0100;
// What a registry call adds to its access mask: the 64-bit view under WOW64, else nothing, because
// Windows 2000 refuses an access mask with a bit it does not know.
uint32_t RegistryViewFlags(const SystemKind& kind);

// Whether a file call on the path must run with the file system redirection turned off: under WOW64,
// for the system directory and everything below it (drivers\ included).
bool NeedsNativeFileView(const SystemKind& kind, const std::string& path, const std::string& systemDirectory);

// The running system, found once.
const SystemKind& RunningSystem();

}  // namespace platform
