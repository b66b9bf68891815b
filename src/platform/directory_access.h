#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Who may change a directory. The program runs as an administrator and later starts SETUP.EXE from the
// installation directory (the Configure and Remove items): whoever else can change that directory could have
// their own program or script run with an administrator's rights.
namespace platform {

// The accounts an access entry names, as far as the installation cares.
enum class Trustee { kAdministrators, kSystem, kEveryone, kOther };

// One entry of a directory's access list.
struct AccessEntry {
    bool allows = true;  // an allowing entry; false for a denying one
    Trustee trustee = Trustee::kOther;
    uint32_t mask = 0;         // the access rights, as Win32 spells them
    bool inherits = false;     // passed on to the files and subdirectories made in the directory
    bool inheritOnly = false;  // only passed on, not in force on the directory itself
};

struct DirectoryAccess {
    bool aclsSupported = true;  // false on a volume without access lists (FAT): anybody may change anything
    bool everyoneFull = false;  // no access list at all (a NULL DACL): everybody has every right
    std::vector<AccessEntry> entries;
};

constexpr uint32_t kFileAllAccess = 0x001F01FF;
constexpr uint32_t kFileReadAndExecute = 0x001200A9;  // FILE_GENERIC_READ | FILE_GENERIC_EXECUTE

// What a directory the installation makes gets: Administrators and SYSTEM change it, everybody else reads and
// runs what it holds, all passed on to what is made in it.
std::vector<AccessEntry> InstallationDirectoryEntries();

// Whether anybody but Administrators and SYSTEM may add, delete, rename or re-permit what the directory
// holds.
bool OthersCanChange(const DirectoryAccess& access);

enum class ProtectResult { kProtected, kNoAcls, kFailed };
// Gives the directory InstallationDirectoryEntries as its whole access list, inherited from nowhere.
ProtectResult ProtectDirectory(const std::string& path);
// False when the directory's access list cannot be read.
bool ReadDirectoryAccess(const std::string& path, DirectoryAccess& access);

// The root a path lies on, for asking its volume: "C:\" or "\\server\share\"; empty for a relative path.
std::string VolumeRoot(const std::string& path);

}  // namespace platform
