#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The setup information file, read whole once for each thing the administrator asks for (an installation, the
// configuration dialog, a removal), so that a file changed on disk is seen by the next one and never halfway
// through. Reading is the one thing that fails; the section readers then only look at the text held. Each
// scans it from the top for its header. Counts above a capacity keep the entries that fit (the surplus lines
// are read and dropped so that the layout stays in step); negative counts are taken as 0; values longer than
// their field are cut to it.

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

    // Where the entry's file goes: its markers are read here and nowhere else.
    bool InSetupDirectory() const;
    bool InWindowsDirectory() const;
    bool ListedInVersions() const;
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

extern const char* const kScriptMissingText;  // "Can't find SETUPINFOFILE!"

// The path of the setup information file fileName in a directory.
std::string SetupInfoPath(const std::string& directory, const std::string& fileName);

// Lookups in the protocol list.
bool AnyProtocolNeedsSpid(const std::vector<ProtocolEntry>& entries);
uint32_t FindProtocolIndexByImage(const std::vector<ProtocolEntry>& entries, const std::string& imagePath);
// The image path below the drivers directory of the protocol called name; false when there is none.
bool FindNewImagePath(const std::vector<ProtocolEntry>& entries, const std::string& name,
                      std::string& imagePath);
// The code of the protocol with this name or image (the file part of an image path); 0 for none.
uint32_t FindProtocolCode(const std::vector<ProtocolEntry>& entries, const std::string& nameOrImagePath);

class SetupInfoFile {
  public:
    // A file that was never read: every section is missing.
    SetupInfoFile() = default;
    // The whole file; IsRead() tells whether it could be opened and read to its end.
    static SetupInfoFile Read(const std::string& path);
    bool IsRead() const { return read_; }
    const std::string& Path() const { return path_; }

    // The platform id "[OS]" names (2 Windows NT, 1 Windows 95, 0 anything else or no section).
    int ReadOsSection() const;
    // True when a "[MAINTENANCE]" section was read into the record.
    bool ReadMaintenanceSection(MaintenanceDefaults& record) const;
    // The readers that take file names leave out an entry with a name outside its place and, given outside,
    // record the first such name there.
    // True with the plain name of the CAPI 2.0 DLL.
    bool ReadCurrentCapiDll(std::string& name, NameOutside* outside = nullptr) const;
    uint32_t ReadScriptVersion() const;
    // True with the name, false without a "[DEFPROTOCOL]" section.
    bool ReadDefaultProtocol(std::string& name) const;
    // Every protocol in file order.
    std::vector<ProtocolEntry> ReadProtocolEntries(NameOutside* outside = nullptr) const;
    std::vector<CompFile> ReadCompFiles(NameOutside* outside = nullptr) const;
    std::vector<AddFile> ReadAddFiles(NameOutside* outside = nullptr) const;
    std::vector<DeleteAddFile> ReadDeleteAddFiles(NameOutside* outside = nullptr) const;
    // The group name and the items listed for the language of that display name.
    ProgmanGroup ReadProgmanSection(const std::string& language) const;
    LanguageList ReadLanguageSection(NameOutside* outside = nullptr) const;
    // True with the first name of the script that leads outside its place.
    bool FindNameOutside(NameOutside& outside) const;

  private:
    std::string path_;
    std::string text_;
    bool read_ = false;
};
