#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"
#include "shell/app_context.h"

// Readers of the setup information file, one per section. Each opens the file, scans it from the top for
// its header, reads the section and closes the file: nothing is cached, so a file changed on disk is seen
// by the next call. Counts above a capacity keep the entries that fit (the surplus lines are read and
// dropped so that the layout stays in step); negative counts are taken as 0; values longer than their
// field are cut to it.

constexpr size_t kFileNameWidth = 32;
constexpr size_t kProgmanNameWidth = 64;
constexpr size_t kUserWidth = 79;
constexpr size_t kPartyNumberWidth = 40;
constexpr size_t kMaxFileEntries = 260;
constexpr size_t kMaxProgmanItems = 16;
constexpr size_t kMaxCgpn = 8;
constexpr size_t kMaxCdpn = 1;
constexpr uint32_t kNoProtocolIndex = 0x0FFFFFFF;
extern const char* const kDriversPrefix;  // "\SystemRoot\System32\drivers\"

enum MaintenanceMode {
    kMaintenanceOff = 0,
    kMaintenanceFull = 1,
    kMaintenanceDefault = 2,
    kMaintenanceDefaultInvisible = 3
};

struct MaintenanceDefaults {
    int32_t Mode = kMaintenanceOff;
    int32_t cipValue = 0;
    int32_t Controller = 0;
    std::string username;
    std::string password;
    std::vector<std::string> CDPN;  // at most kMaxCdpn
    std::vector<std::string> CGPN;  // at most kMaxCgpn
};

struct CompFile {
    std::string sourceName;
    std::string installedName;
    std::string sourceSubdirectory;
    std::string setupSubdirectory;    // below the installation directory, or "!NOSETUPDIR"
    std::string windowsSubdirectory;  // below the Windows directory, or "!NOWINSYSTEM"
    std::string versionFlag;          // "!VERSION_ON" lists the file in the versions dialog
};

struct AddFile {
    std::string sourceSubdirectory;
    std::string fileName;
    std::string destinationSubdirectory;
};

struct DeleteAddFile {
    std::string subdirectory;
    std::string fileName;
};

struct ProgmanItem {
    std::string Title;
    std::string Command;  // a program path, "!SETUPFILE" or "!SETUPFILE+CMD"
    std::string Parameters;
    std::string WorkingDirectory;
    std::string IconFile;
    int16_t IconIndex = 0;
};

struct ProgmanGroup {
    std::string name;
    std::vector<ProgmanItem> items;  // the current language's items, at most kMaxProgmanItems
};

struct ProtocolEntry {
    std::string name;
    std::string image;
    uint32_t code = 0;
};

// The path of the setup information file in a directory.
std::string SetupInfoPath(const std::string& directory);

int ReadOsSection();
int ReadMaintenanceSection(MaintenanceDefaults& record);
int ReadCurrentCapiDll(std::string& name);
uint32_t ReadScriptVersion(const std::string& directory);
int ReadDefaultProtocol(std::string& name);
int AnyProtocolNeedsSpid();
// Every protocol in file order; returns 0 when the file cannot be opened (no message).
int ReadProtocolEntries(std::vector<ProtocolEntry>& entries);
uint32_t GetProtocolIndexByImage(const std::string& imagePath);
int GetScriptNewImagePath(const std::string& name, std::string& imagePath);
uint32_t GetProtocolCode(const std::string& nameOrImagePath);

int ReadCompFiles(const std::string& directory, std::vector<CompFile>& list);
int ReadAddFiles(const std::string& directory, std::vector<AddFile>& list);
int ReadDeleteAddFiles(const std::string& directory, std::vector<DeleteAddFile>& list);
int ReadProgmanSection(const std::string& directory, ProgmanGroup& group);
int ReadLanguageSection(const std::string& directory, LanguageList& list);
