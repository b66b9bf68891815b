#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

// Readers of the setup information file, one per section, each given the file's path. Each opens the file,
// scans it from the top for its header, reads the section and closes the file: nothing is cached, so a file
// changed on disk is seen by the next call. Counts above a capacity keep the entries that fit (the surplus
// lines are read and dropped so that the layout stays in step); negative counts are taken as 0; values longer
// than their field are cut to it.

// Capacities of the fixed-width fields of the setup files and records, in bytes including the
// terminating zero: a value holds at most width - 1 characters.
constexpr size_t kTextWidth = 260;
constexpr size_t kLanguageNameWidth = 64;
constexpr size_t kRequestedLanguageWidth = 16;
constexpr size_t kMaxLanguages = 16;
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

struct LanguageEntry {
    std::string displayName;  // shown in the main dialog's combo box
    std::string fileName;     // relative to the setup directory
};

struct LanguageList {
    std::vector<LanguageEntry> entries;  // at most kMaxLanguages
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

// The bit of a protocol's code that gives each adapter an SPID.
constexpr uint32_t kProtocolTakesSpid = 1;

struct ProtocolEntry {
    std::string name;
    std::string image;
    uint32_t code = 0;
};

// The first name in the script that leads out of the directory it is relative to (see contained_name.h),
// with the section header and the line of the file it stands on (from 1).
struct NameOutside {
    std::string section;
    int line = 0;
    std::string name;
};

// What a reader returns when the setup information file cannot be opened; the caller tells the user.
constexpr int kScriptMissing = -1;
extern const char* const kScriptMissingText;  // "Can't find SETUPINFOFILE!"

// The path of the setup information file fileName in a directory.
std::string SetupInfoPath(const std::string& directory, const std::string& fileName);

// The platform id "[OS]" names (2 Windows NT, 1 Windows 95, 0 anything else or no file).
int ReadOsSection(const std::string& script);
// 1 when a "[MAINTENANCE]" section was read, 0 when there is none or no file.
int ReadMaintenanceSection(const std::string& script, MaintenanceDefaults& record);
// The readers that take file names leave out an entry with a name outside its place and, given outside,
// record the first such name there.
// 1 with the plain name of the CAPI 2.0 DLL, else 0.
int ReadCurrentCapiDll(const std::string& script, std::string& name, NameOutside* outside = nullptr);
uint32_t ReadScriptVersion(const std::string& script);
// 1 with the name, 0 without a "[DEFPROTOCOL]" section, kScriptMissing.
int ReadDefaultProtocol(const std::string& script, std::string& name);
// Every protocol in file order; 1, or 0 when the file cannot be opened.
int ReadProtocolEntries(const std::string& script, std::vector<ProtocolEntry>& entries,
                        NameOutside* outside = nullptr);

// Lookups in the protocol list.
bool AnyProtocolNeedsSpid(const std::vector<ProtocolEntry>& entries);
uint32_t FindProtocolIndexByImage(const std::vector<ProtocolEntry>& entries, const std::string& imagePath);
// The image path below the drivers directory of the protocol called name; false when there is none.
bool FindNewImagePath(const std::vector<ProtocolEntry>& entries, const std::string& name,
                      std::string& imagePath);
// The code of the protocol with this name or image (the file part of an image path); 0 for none.
uint32_t FindProtocolCode(const std::vector<ProtocolEntry>& entries, const std::string& nameOrImagePath);

// The list readers return 1, or kScriptMissing.
int ReadCompFiles(const std::string& script, std::vector<CompFile>& list, NameOutside* outside = nullptr);
int ReadAddFiles(const std::string& script, std::vector<AddFile>& list, NameOutside* outside = nullptr);
int ReadDeleteAddFiles(const std::string& script, std::vector<DeleteAddFile>& list,
                       NameOutside* outside = nullptr);
// The group name and the items listed for the language of that display name.
int ReadProgmanSection(const std::string& script, const std::string& language, ProgmanGroup& group);
int ReadLanguageSection(const std::string& script, LanguageList& list, NameOutside* outside = nullptr);

// 1 with the first name of the script that leads outside its place, 0 when there is none (or no script).
int FindNameOutside(const std::string& script, NameOutside& outside);
