#include <gtest/gtest.h>

#include "platform/wow64.h"

// How the program reaches the native system on every Windows it runs on: NT 4.0 and Windows 2000 (no
// IsWow64Process), 32-bit XP and later (IsWow64Process says no), a 32-bit program on 64-bit Windows (WOW64),
// and the 64-bit test build.
namespace {

using platform::ClassifySystem;
using platform::SystemKind;

struct System {
    const char* what;
    SystemKind kind;
    bool windows64;
    bool wow64;
    uint32_t registryFlags;
};

const System kSystems[] = {
    {"NT 4.0, no IsWow64Process", ClassifySystem(false, false, false), false, false, 0},
    {"NT 4.0, a stand-in that answers yes is not asked", ClassifySystem(false, false, true), false, false, 0},
    {"32-bit XP", ClassifySystem(false, true, false), false, false, 0},
    {"32-bit program on 64-bit Windows", ClassifySystem(false, true, true), true, true, 0x0100},
    {"64-bit program", ClassifySystem(true, true, false), true, false, 0},
};

TEST(Wow64RulesTest, SystemKindAndRegistryViewOnEachWindows) {
    for (const System& system : kSystems) {
        EXPECT_EQ(system.kind.windows64, system.windows64) << system.what;
        EXPECT_EQ(system.kind.wow64, system.wow64) << system.what;
        EXPECT_EQ(platform::RegistryViewFlags(system.kind), system.registryFlags) << system.what;
    }
}

TEST(Wow64RulesTest, OnlyPathsInTheSystemDirectoryReachPastTheRedirectionAndOnlyUnderWow64) {
    const std::string system = "C:\\WINDOWS\\system32";
    struct Case {
        std::string path;
        bool native;
    } cases[] = {
        {"C:\\WINDOWS\\system32\\drivers\\kxbus.sys", true},
        {"C:\\WINDOWS\\system32\\CAPI2032.DLL", true},
        {"c:\\windows\\SYSTEM32\\AutoExec.NT", true},
        {"C:\\WINDOWS\\system32", true},
        {"C:\\WINDOWS\\system32\\", true},
        {"C:\\WINDOWS\\system32x\\file", false},
        {"C:\\WINDOWS\\SysWOW64\\CAPI2032.DLL", false},
        {"C:\\WINDOWS\\system\\file", false},
        {"C:\\Quorel2\\SETUP.EXE", false},
        {"C:\\WINDOWS", false},
        {"", false},
    };
    for (const System& on : kSystems) {
        for (const Case& c : cases) {
            EXPECT_EQ(platform::NeedsNativeFileView(on.kind, c.path, system), on.wow64 && c.native)
                << on.what << ": " << c.path;
        }
    }
    SystemKind wow64 = ClassifySystem(false, true, true);
    EXPECT_TRUE(platform::NeedsNativeFileView(wow64, "C:\\WINNT\\system32\\x", "C:\\WINNT\\system32\\"));
    EXPECT_FALSE(platform::NeedsNativeFileView(wow64, "C:\\WINNT\\system32\\x", ""));
}

}  // namespace
