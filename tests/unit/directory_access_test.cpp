#include <gtest/gtest.h>

#include "platform/directory_access.h"

namespace {

using platform::AccessEntry;
using platform::DirectoryAccess;
using platform::Trustee;

constexpr uint32_t kAddFile = 0x0002, kDeleteChild = 0x0040, kWriteDac = 0x00040000, kGenericAll = 0x10000000;

TEST(DirectoryAccessTest, OnlyAdministratorsAndSystemMayChangeAnInstallationDirectory) {
    struct Case {
        const char* what;
        std::vector<AccessEntry> entries;
        bool othersCanChange;
    } cases[] = {
        {"the installation's own list", platform::InstallationDirectoryEntries(), false},
        {"NT 4.0's default below a root",
         {{true, Trustee::kEveryone, platform::kFileAllAccess, true, false}},
         true},
        {"users may add files", {{true, Trustee::kOther, kAddFile, false, false}}, true},
        {"users may delete what it holds", {{true, Trustee::kOther, kDeleteChild, false, false}}, true},
        {"users may change the list", {{true, Trustee::kOther, kWriteDac, false, false}}, true},
        {"generic all", {{true, Trustee::kOther, kGenericAll, false, false}}, true},
        {"read and run only", {{true, Trustee::kOther, platform::kFileReadAndExecute, true, false}}, false},
        {"passed on only (CREATOR OWNER)",
         {{true, Trustee::kOther, platform::kFileAllAccess, true, true}},
         false},
        {"a denying entry grants nothing",
         {{false, Trustee::kEveryone, platform::kFileAllAccess, true, false}},
         false},
        {"administrators and system",
         {{true, Trustee::kAdministrators, platform::kFileAllAccess, true, false},
          {true, Trustee::kSystem, platform::kFileAllAccess, true, false}},
         false},
    };
    for (const Case& c : cases) {
        DirectoryAccess access;
        access.entries = c.entries;
        EXPECT_EQ(platform::OthersCanChange(access), c.othersCanChange) << c.what;
    }
    DirectoryAccess fat;
    fat.aclsSupported = false;
    EXPECT_TRUE(platform::OthersCanChange(fat));
    DirectoryAccess nullDacl;
    nullDacl.everyoneFull = true;
    EXPECT_TRUE(platform::OthersCanChange(nullDacl));
}

TEST(DirectoryAccessTest, VolumeRootOfDrivesAndShares) {
    struct Case {
        const char* path;
        const char* root;
    } cases[] = {
        {"C:\\Quorel2", "C:\\"},
        {"d:\\a\\b", "d:\\"},
        {"\\\\server\\share\\Quorel2", "\\\\server\\share\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},
        {"\\\\server", ""},
        {"Quorel2", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::VolumeRoot(c.path), c.root) << c.path;
}

}  // namespace
