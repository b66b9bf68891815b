#include <map>
#include <set>

#include "platform/directory_access.h"
#include "platform/native_fakes.h"

namespace platform {

namespace {

struct FakeVolume {
    std::map<std::string, DirectoryAccess> directories;  // by upper-case path
    std::set<std::string> protectedDirectories;
    bool aclsSupported = true;
};

FakeVolume& Volume() {
    static FakeVolume volume;
    return volume;
}

std::string Key(const std::string& path) {
    std::string key = path;
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

}  // namespace

ProtectResult ProtectDirectory(const std::string& path) {
    if (!Volume().aclsSupported)
        return ProtectResult::kNoAcls;
    DirectoryAccess access;
    access.entries = InstallationDirectoryEntries();
    Volume().directories[Key(path)] = access;
    Volume().protectedDirectories.insert(Key(path));
    return ProtectResult::kProtected;
}

bool ReadDirectoryAccess(const std::string& path, DirectoryAccess& access) {
    auto found = Volume().directories.find(Key(path));
    if (found == Volume().directories.end()) {
        // What NT 4.0 gives a directory below a drive's root: Everyone, Full Control.
        access = DirectoryAccess();
        access.aclsSupported = Volume().aclsSupported;
        access.entries = {{true, Trustee::kEveryone, kFileAllAccess, true, false}};
        return true;
    }
    access = found->second;
    return true;
}

namespace fake {

void SetDirectoryAccess(const std::string& path, const DirectoryAccess& access) {
    Volume().directories[Key(path)] = access;
}

void SetVolumeWithoutAcls(bool withoutAcls) {
    Volume().aclsSupported = !withoutAcls;
}

bool DirectoryProtected(const std::string& path) {
    return Volume().protectedDirectories.count(Key(path)) != 0;
}

void ResetDirectoryAccess() {
    Volume() = FakeVolume();
}

}  // namespace fake

}  // namespace platform
