#include "platform/directory_access.h"

namespace platform {

namespace {

// The rights that let somebody put a file of theirs in the directory or take one away: adding files or
// subdirectories, deleting or renaming, and changing the access list or the owner (which gives every other).
constexpr uint32_t kFileAddFile = 0x0002;
constexpr uint32_t kFileAddSubdirectory = 0x0004;
constexpr uint32_t kFileDeleteChild = 0x0040;
constexpr uint32_t kDelete = 0x00010000;
constexpr uint32_t kWriteDac = 0x00040000;
constexpr uint32_t kWriteOwner = 0x00080000;
constexpr uint32_t kGenericAll = 0x10000000;
constexpr uint32_t kGenericWrite = 0x40000000;
constexpr uint32_t kChangingRights = kFileAddFile | kFileAddSubdirectory | kFileDeleteChild | kDelete |
                                     kWriteDac | kWriteOwner | kGenericAll | kGenericWrite;

}  // namespace

std::vector<AccessEntry> InstallationDirectoryEntries() {
    return {
        {true, Trustee::kAdministrators, kFileAllAccess, true, false},
        {true, Trustee::kSystem, kFileAllAccess, true, false},
        {true, Trustee::kEveryone, kFileReadAndExecute, true, false},
    };
}

bool OthersCanChange(const DirectoryAccess& access) {
    if (!access.aclsSupported || access.everyoneFull)
        return true;
    // Denying entries are not weighed against allowing ones: a directory that needs them to be safe is
    // reported, which is the cautious side.
    for (const AccessEntry& entry : access.entries) {
        bool trusted = entry.trustee == Trustee::kAdministrators || entry.trustee == Trustee::kSystem;
        if (entry.allows && !entry.inheritOnly && !trusted && (entry.mask & kChangingRights))
            return true;
    }
    return false;
}

std::string VolumeRoot(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\')
        return path.substr(0, 3);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        size_t server = path.find('\\', 2);
        if (server == std::string::npos)
            return "";
        size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return "";
}

}  // namespace platform
