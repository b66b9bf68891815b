#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/directory_access.h"
#include "platform/system_info.h"
#include "platform/wow64.h"

// Controls of the native backends, for the unit tests: the state a test sets up and what the core showed.
namespace platform::fake {

// Windows path mapping: '\' becomes '/'.
std::string HostPath(const std::string& windowsPath);

// Operations of the files seam, for failure injection.
enum class FileOperation {
    kCopyOnto,  // CopyFilePath with this path as its target: breaks off after cutting an existing target to
                // nothing, as a copy that fails on the way
    kWrite,     // WriteFileBytes on a file opened for writing from this path: writes half the bytes and fails
    kDelete,    // DeleteFilePath of this path
    kOpenForRead,      // OpenFileForRead of this path, as for a file that another program holds locked
    kReplaceOnto,      // ReplaceFilePath with this path as its target: fails with both files as they were
    kMarkForDeletion,  // MarkFileForDeletionAtRestart of this path, as without the rights to ask for it
    kLaterRead,        // ReadFileBytes on a file opened for reading from this path, after its first read:
                       // fails, as a disk that fails in the middle of a file
};
// Makes the operation on the path fail the given number of times, or every time until ResetFiles (0).
void FailFileOperation(const std::string& path, FileOperation operation, int times = 0);
// Forgets the injected failures and the files marked for deletion.
void ResetFiles();
// How often OpenFileForRead was asked for the path since ResetFiles, whether it opened or not.
size_t OpensForRead(const std::string& path);
// What the program last made its current directory (the native backend changes nothing).
const std::string& CurrentDirectorySet();
// The paths given to MarkFileForDeletionAtRestart, in order.
const std::vector<std::string>& FilesMarkedForDeletionAtRestart();

// Counting mode of both seams: every registry and file operation that can fail gets the next number from 1
// (closing a handle and asking for a fixed directory cannot fail and are not numbered; an LZ open or create
// is numbered by the file it opens). CountOperations starts the numbering afresh; with failAt > 0 the
// operation of that number fails once, as the operation fails on Windows: a registry call with access denied,
// a write after half its bytes, a copy after cutting its target to nothing, a read as at the end of the file,
// anything else with its failure value.
struct OperationCount {
    int registry = 0;
    int files = 0;
    int Total() const { return registry + files; }
};
void CountOperations(int failAt = 0);
OperationCount CountedOperations();
// The operation that was made to fail and its key or path; empty while none was.
const std::string& FailedOperation();

void SetSystemDirectory(const std::string& path);
void SetWindowsDirectory(const std::string& path);
void SetModuleFileName(const std::string& path);
void SetRunningPlatformId(int id);
// The kind of Windows the program runs on; 32-bit Windows until a test sets another.
void SetRunningSystem(const SystemKind& kind);

// The CAPI 2.0 DLLs that load, found by name whatever its case; none until a test installs one.
void InstallCapiDll(const std::string& name, bool hasExport, const CapiVersion& version);
void ResetCapiDlls();
// Another program holds the file open without sharing, as Windows holds a loaded driver's image: it
// cannot be opened, written, replaced or deleted until ReleaseHeldFiles.
void HoldFileOpen(const std::string& path);
void ReleaseHeldFiles();

// Access lists of directories. A directory no test set has the one NT 4.0 gives below a drive's root
// (Everyone, Full Control).
void SetDirectoryAccess(const std::string& path, const DirectoryAccess& access);
// Every volume has no access lists (FAT) from now on, until ResetDirectoryAccess.
void SetVolumeWithoutAcls(bool withoutAcls);
// Whether ProtectDirectory gave the directory its access list.
bool DirectoryProtected(const std::string& path);
void ResetDirectoryAccess();

// In-memory registry below HKEY_LOCAL_MACHINE. Paths compare without regard to case, as in Windows.
// Empties the registry, forgets the injected failures and the open handles.
void ResetRegistry();
// Forgets the injected failures only: the keys stay, as a second run finds them.
void ClearRegistryFailures();
// Creates the key and its missing parents.
void AddRegistryKey(const std::string& path);
// Makes every open of this key (full access only when fullAccessOnly) fail with the status.
void FailRegistryOpen(const std::string& path, long status, bool fullAccessOnly);

// The operations of the registry seam, for failure injection.
enum class RegistryOperation {
    kCreateKey,     // CreateKey of this path, whether it exists or not
    kOpenRead,      // OpenKey of this path for reading
    kOpenFull,      // OpenKey of this path for full access
    kSetValue,      // on a handle of this key
    kQueryValue,    // on a handle of this key
    kDeleteValue,   // on a handle of this key
    kCountSubKeys,  // on a handle of this key
    kEnumSubKeys,   // on a handle of this key
    kDeleteKey,     // DeleteKey of this path
};
// Makes the operation on the key fail with the status, until ResetRegistry. For the value operations a
// non-empty valueName limits the failure to that value.
void FailRegistryOperation(const std::string& path, RegistryOperation operation, long status,
                           const std::string& valueName = "");

struct RegistryValue {
    std::string name;
    uint32_t type;
    std::string data;  // the stored bytes, terminating zeros included
    bool operator==(const RegistryValue& other) const {
        return name == other.name && type == other.type && data == other.data;
    }
};
// Creates the key when missing and sets the value.
void SetRegistryValue(const std::string& path, const std::string& name, uint32_t type,
                      const std::string& data);
bool RegistryKeyExists(const std::string& path);
// The key's values in the order they were first created; empty for a missing key.
std::vector<RegistryValue> RegistryValues(const std::string& path);
// The class the key was created with.
std::string RegistryKeyClass(const std::string& path);
// The names of the direct subkeys, as they were created.
std::vector<std::string> RegistrySubKeys(const std::string& path);
// Handles opened and not yet closed.
size_t OpenRegistryKeys();

// The date GetLocalTime reports.
void SetLocalDate(uint32_t year, uint32_t month, uint32_t day);

// The Program Manager commands sent, in order.
std::vector<std::string>& DdeCommands();
// The Program Manager refuses every command from now on (they are still recorded), until ResetDde.
void RefuseDdeCommands();
// Makes the DDE client registration fail with the error code (0: succeed).
void FailDdeStart(unsigned error);
int DdePauses();
void ResetDde();

}  // namespace platform::fake
