#include <windows.h>

#include <memory>
#include <vector>

#include "platform/directory_access.h"
#include "platform/wow64_win32.h"

namespace platform {

namespace {

// Windows 2000 and later: the access list is not merged with what the parent passes on. NT 4.0 merges
// nothing in any case; its headers do not have the bit.
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclProtected = 0x1000;
constexpr BYTE kInheritedByAll = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

// A SID of a well-known account, freed on every path.
class WellKnownSid {
  public:
    explicit WellKnownSid(Trustee trustee) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        switch (trustee) {
            case Trustee::kAdministrators:
                AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                         0, 0, 0, 0, &sid_);
                break;
            case Trustee::kSystem:
                AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &sid_);
                break;
            case Trustee::kEveryone:
                AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid_);
                break;
            case Trustee::kOther:
                break;
        }
    }
    ~WellKnownSid() {
        if (sid_)
            FreeSid(sid_);
    }
    WellKnownSid(const WellKnownSid&) = delete;
    WellKnownSid& operator=(const WellKnownSid&) = delete;
    PSID Get() const { return sid_; }

  private:
    PSID sid_ = nullptr;
};

bool VolumeHasAcls(const std::string& path) {
    std::string root = VolumeRoot(path);
    if (root.empty())
        return true;
    DWORD flags = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        return true;  // unknown: the access list is set or read, and a failure tells
    return (flags & FS_PERSISTENT_ACLS) != 0;
}

Trustee TrusteeOf(PSID sid) {
    for (Trustee trustee : {Trustee::kAdministrators, Trustee::kSystem, Trustee::kEveryone}) {
        WellKnownSid known(trustee);
        if (known.Get() && EqualSid(known.Get(), sid))
            return trustee;
    }
    return Trustee::kOther;
}

}  // namespace

ProtectResult ProtectDirectory(const std::string& path) {
    if (!VolumeHasAcls(path))
        return ProtectResult::kNoAcls;
    std::vector<AccessEntry> entries = InstallationDirectoryEntries();
    std::vector<std::unique_ptr<WellKnownSid>> sids;
    DWORD size = sizeof(ACL);
    for (const AccessEntry& entry : entries) {
        sids.push_back(std::make_unique<WellKnownSid>(entry.trustee));
        if (!sids.back()->Get())
            return ProtectResult::kFailed;
        size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(sids.back()->Get());
    }
    std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    PACL acl = reinterpret_cast<PACL>(buffer.data());
    if (!InitializeAcl(acl, size, ACL_REVISION))
        return ProtectResult::kFailed;
    for (size_t i = 0; i < entries.size(); ++i) {
        // NT 4.0 has no call that adds an entry with its inheritance: the flags are set on the added entry.
        void* ace = nullptr;
        if (!AddAccessAllowedAce(acl, ACL_REVISION, entries[i].mask, sids[i]->Get()) ||
            !GetAce(acl, static_cast<DWORD>(i), &ace))
            return ProtectResult::kFailed;
        static_cast<ACE_HEADER*>(ace)->AceFlags = entries[i].inherits ? kInheritedByAll : 0;
    }
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
        return ProtectResult::kFailed;
    using SetControlFunction =
        BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL, SECURITY_DESCRIPTOR_CONTROL);
    auto setControl = SystemExport<SetControlFunction>("advapi32.dll", "SetSecurityDescriptorControl");
    if (setControl)
        setControl(&descriptor, kDaclProtected, kDaclProtected);
    return SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, &descriptor) ? ProtectResult::kProtected
                                                                                  : ProtectResult::kFailed;
}

bool ReadDirectoryAccess(const std::string& path, DirectoryAccess& access) {
    access = DirectoryAccess();
    if (!VolumeHasAcls(path)) {
        access.aclsSupported = false;
        return true;
    }
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0)
        return false;
    std::vector<DWORD> buffer((needed + sizeof(DWORD) - 1) / sizeof(DWORD));
    PSECURITY_DESCRIPTOR descriptor = buffer.data();
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor, needed, &needed) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted))
        return false;
    if (!present || !acl) {
        access.everyoneFull = true;
        return true;
    }
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(acl, i, &ace))
            return false;
        const ACE_HEADER* header = static_cast<const ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE)
            continue;  // audit and object entries grant nothing here
        // Both kinds share the layout of ACCESS_ALLOWED_ACE.
        const ACCESS_ALLOWED_ACE* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
        AccessEntry read;
        read.allows = header->AceType == ACCESS_ALLOWED_ACE_TYPE;
        read.trustee = TrusteeOf(const_cast<DWORD*>(&entry->SidStart));
        read.mask = entry->Mask;
        read.inherits = (header->AceFlags & kInheritedByAll) != 0;
        read.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
        access.entries.push_back(read);
    }
    return true;
}

}  // namespace platform
