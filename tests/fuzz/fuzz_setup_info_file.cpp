// The input is a setup information file. It is read once and every section reader runs over what was read;
// each result must stay within the capacities and field widths of the format, agree with what the file can
// hold at all, and no reader may show a message, since the file exists and opens.
#include <algorithm>
#include <cstring>

#include "fuzz_support.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"

namespace {

const size_t kPrefixLength = std::strlen("\\SystemRoot\\System32\\drivers\\");

bool Holds(const std::string& bytes, const char* header) {
    return bytes.find(header) != std::string::npos;
}

void CheckWidth(const std::string& field, size_t width, const char* what) {
    FUZZ_CHECK(field.size() <= width - 1, std::string(what) + " too long: " + fuzz::Quoted(field));
}

// What follows the drivers prefix of an image path, as the protocol lookups compare it.
std::string ImageName(const std::string& path) {
    return path.size() > kPrefixLength ? path.substr(kPrefixLength) : std::string();
}

uint32_t ExpectedIndexByImage(const std::vector<ProtocolEntry>& entries, const std::string& path) {
    for (size_t j = 0; j < entries.size(); ++j)
        if (EqualsIgnoreCase(entries[j].image, ImageName(path)))
            return static_cast<uint32_t>(j);
    return kNoProtocolIndex;
}

uint32_t ExpectedCode(const std::vector<ProtocolEntry>& entries, const std::string& nameOrPath) {
    for (const ProtocolEntry& entry : entries)
        if (EqualsIgnoreCase(entry.name, nameOrPath) || EqualsIgnoreCase(entry.image, ImageName(nameOrPath)))
            return entry.code;
    return 0;
}

void CheckScalarSections(const std::string& bytes, const SetupInfoFile& script) {
    int os = script.ReadOsSection();
    FUZZ_CHECK(os >= 0 && os <= 2, "ReadOsSection gave " + std::to_string(os));
    FUZZ_CHECK(os == 0 || Holds(bytes, "[OS]"), "an OS without its section");

    MaintenanceDefaults maintenance;
    bool found = script.ReadMaintenanceSection(maintenance);
    FUZZ_CHECK(!found || Holds(bytes, "[MAINTENANCE]"), "maintenance found without its header");
    FUZZ_CHECK(maintenance.Mode >= kMaintenanceOff && maintenance.Mode <= kMaintenanceDefaultInvisible,
               "maintenance mode " + std::to_string(maintenance.Mode));
    FUZZ_CHECK(maintenance.CDPN.size() <= kMaxCdpn, std::to_string(maintenance.CDPN.size()) + " CDPN");
    FUZZ_CHECK(maintenance.CGPN.size() <= kMaxCgpn, std::to_string(maintenance.CGPN.size()) + " CGPN");
    CheckWidth(maintenance.username, kUserWidth, "username");
    CheckWidth(maintenance.password, kUserWidth, "password");
    for (const std::string& number : maintenance.CDPN) CheckWidth(number, kPartyNumberWidth, "CDPN");
    for (const std::string& number : maintenance.CGPN) CheckWidth(number, kPartyNumberWidth, "CGPN");

    const std::string sentinel = "\x01untouched";
    std::string capiDll = sentinel;
    bool hasCapiDll = script.ReadCurrentCapiDll(capiDll);
    FUZZ_CHECK(!hasCapiDll || Holds(bytes, "[CURRENTCAPIDLL]"), "CAPI DLL without its section");
    FUZZ_CHECK(hasCapiDll || capiDll == sentinel, "CAPI DLL name changed without the section");
    if (hasCapiDll)
        CheckWidth(capiDll, kTextWidth, "CAPI DLL name");

    uint32_t version = script.ReadScriptVersion();
    FUZZ_CHECK(version == 0 || Holds(bytes, "[VERSION]"), "a version without its section");

    std::string defaultProtocol = sentinel;
    bool hasDefault = script.ReadDefaultProtocol(defaultProtocol);
    FUZZ_CHECK(!hasDefault || Holds(bytes, "[DEFPROTOCOL]"), "default protocol without its section");
    FUZZ_CHECK(hasDefault || defaultProtocol == sentinel, "default protocol changed without the section");
    if (hasDefault)
        CheckWidth(defaultProtocol, kTextWidth, "default protocol");
}

void CheckProtocols(const std::string& bytes, const SetupInfoFile& script) {
    std::vector<ProtocolEntry> entries = script.ReadProtocolEntries();
    if (!Holds(bytes, "[PROTOCOL]"))
        FUZZ_CHECK(entries.empty(), "protocols without their section");
    // Entries stop at the end of the file: each but the last takes three whole lines.
    size_t lineEnds = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
    FUZZ_CHECK(entries.size() <= lineEnds / 3 + 1,
               std::to_string(entries.size()) + " protocols from " + std::to_string(lineEnds) + " lines");
    bool anySpid = false;
    for (const ProtocolEntry& entry : entries) {
        CheckWidth(entry.name, kTextWidth, "protocol name");
        CheckWidth(entry.image, kTextWidth, "protocol image");
        anySpid = anySpid || (entry.code & 1);
    }
    FUZZ_CHECK(AnyProtocolNeedsSpid(entries) == anySpid, "AnyProtocolNeedsSpid disagrees with the entries");

    // The first and the last entry are looked up by image and by name.
    std::vector<size_t> probes;
    if (!entries.empty())
        probes.push_back(0);
    if (entries.size() > 1)
        probes.push_back(entries.size() - 1);
    for (size_t i : probes) {
        const ProtocolEntry& entry = entries[i];
        std::string path = kDriversPrefix + entry.image;
        uint32_t index = FindProtocolIndexByImage(entries, path);
        FUZZ_CHECK(index == ExpectedIndexByImage(entries, path),
                   "FindProtocolIndexByImage(" + fuzz::Quoted(path) + ") = " + std::to_string(index));
        FUZZ_CHECK(index <= i, "the image of entry " + std::to_string(i) + " was not found");

        std::string imagePath = "\x01untouched";
        FUZZ_CHECK(FindNewImagePath(entries, entry.name, imagePath),
                   "FindNewImagePath misses " + fuzz::Quoted(entry.name));
        CheckWidth(imagePath, kTextWidth, "new image path");

        uint32_t byName = FindProtocolCode(entries, entry.name);
        FUZZ_CHECK(byName == ExpectedCode(entries, entry.name),
                   "FindProtocolCode(" + fuzz::Quoted(entry.name) + ")");
        uint32_t byImage = FindProtocolCode(entries, path);
        FUZZ_CHECK(byImage == ExpectedCode(entries, path), "FindProtocolCode(" + fuzz::Quoted(path) + ")");
    }
    // A name no line can hold (a CR ends every line) is never found.
    std::string unmatched = "\r";
    std::string untouched = "\x01untouched";
    FUZZ_CHECK(!FindNewImagePath(entries, unmatched, untouched) && untouched == "\x01untouched",
               "FindNewImagePath found a name with a CR");
    FUZZ_CHECK(FindProtocolIndexByImage(entries, unmatched) == ExpectedIndexByImage(entries, unmatched),
               "GetProtocolIndexByImage of a short path");
}

void CheckFileLists(const std::string& bytes, const SetupInfoFile& script) {
    std::vector<CompFile> compFiles = script.ReadCompFiles();
    FUZZ_CHECK(compFiles.size() <= kMaxFileEntries, std::to_string(compFiles.size()) + " COMPFILES entries");
    if (!Holds(bytes, "[COMPFILES]"))
        FUZZ_CHECK(compFiles.empty(), "COMPFILES entries without the section");
    for (const CompFile& file : compFiles) {
        CheckWidth(file.sourceName, kFileNameWidth, "source name");
        CheckWidth(file.installedName, kFileNameWidth, "installed name");
        CheckWidth(file.sourceSubdirectory, kFileNameWidth, "source subdirectory");
        CheckWidth(file.setupSubdirectory, kFileNameWidth, "setup subdirectory");
        CheckWidth(file.windowsSubdirectory, kFileNameWidth, "windows subdirectory");
        CheckWidth(file.versionFlag, kFileNameWidth, "version flag");
        FUZZ_CHECK(file.InSetupDirectory() == (file.setupSubdirectory != "!NOSETUPDIR"),
                   "InSetupDirectory of " + fuzz::Quoted(file.setupSubdirectory));
        FUZZ_CHECK(file.InWindowsDirectory() == (file.windowsSubdirectory != "!NOWINSYSTEM"),
                   "InWindowsDirectory of " + fuzz::Quoted(file.windowsSubdirectory));
        FUZZ_CHECK(file.ListedInVersions() == (file.versionFlag == "!VERSION_ON"),
                   "ListedInVersions of " + fuzz::Quoted(file.versionFlag));
    }

    std::vector<AddFile> addFiles = script.ReadAddFiles();
    FUZZ_CHECK(addFiles.size() <= kMaxFileEntries, std::to_string(addFiles.size()) + " ADDFILES entries");
    if (!Holds(bytes, "[ADDFILES]"))
        FUZZ_CHECK(addFiles.empty(), "ADDFILES entries without the section");
    for (const AddFile& file : addFiles) {
        CheckWidth(file.sourceSubdirectory, kFileNameWidth, "add source subdirectory");
        CheckWidth(file.fileName, kFileNameWidth, "add file name");
        CheckWidth(file.destinationSubdirectory, kFileNameWidth, "add destination");
    }

    std::vector<DeleteAddFile> deleteFiles = script.ReadDeleteAddFiles();
    FUZZ_CHECK(deleteFiles.size() <= kMaxFileEntries, std::to_string(deleteFiles.size()) + " DELETEADDFILES");
    if (!Holds(bytes, "[DELETEADDFILES]"))
        FUZZ_CHECK(deleteFiles.empty(), "DELETEADDFILES without the section");
    for (const DeleteAddFile& file : deleteFiles) {
        CheckWidth(file.subdirectory, kFileNameWidth, "delete subdirectory");
        CheckWidth(file.fileName, kFileNameWidth, "delete file name");
    }
}

void CheckLanguagesAndGroup(const std::string& bytes, const SetupInfoFile& script) {
    LanguageList languages = script.ReadLanguageSection();
    FUZZ_CHECK(languages.entries.size() <= kMaxLanguages,
               std::to_string(languages.entries.size()) + " languages");
    if (!Holds(bytes, "[LANGUAGE]"))
        FUZZ_CHECK(languages.entries.empty(), "languages without the section");
    for (const LanguageEntry& entry : languages.entries) {
        CheckWidth(entry.displayName, kLanguageNameWidth, "language name");
        CheckWidth(entry.fileName, kTextWidth, "language file");
    }

    // The Program Manager items are read for one language; the input's size picks which one.
    std::string language;
    if (!languages.entries.empty())
        language = languages.entries[bytes.size() % languages.entries.size()].displayName;
    ProgmanGroup group = script.ReadProgmanSection(language);
    FUZZ_CHECK(group.items.size() <= kMaxProgmanItems, std::to_string(group.items.size()) + " items");
    if (languages.entries.empty() || !Holds(bytes, "[PROGMAN]"))
        FUZZ_CHECK(group.items.empty(), "items without a language or without the section");
    CheckWidth(group.name, kProgmanNameWidth, "group name");
    for (const ProgmanItem& item : group.items) {
        CheckWidth(item.Title, kProgmanNameWidth, "item title");
        CheckWidth(item.Command, kTextWidth, "item command");
        CheckWidth(item.Parameters, kProgmanNameWidth, "item parameters");
        CheckWidth(item.WorkingDirectory, kTextWidth, "item directory");
        CheckWidth(item.IconFile, kTextWidth, "item icon file");
        FUZZ_CHECK(item.Parameters.empty() || item.Command == "!SETUPFILE+CMD", "parameters without +CMD");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    const std::string bytes = fuzz::Bytes(data, size);
    const std::string directory = fuzz::ScratchDirectory();
    fuzz::WriteFile(directory + "/SETUP.QZT", bytes);

    const std::string path = SetupInfoPath(directory, "SETUP.QZT");
    const SetupInfoFile script = SetupInfoFile::Read(path);
    FUZZ_CHECK(script.IsRead(), "an existing file was not read");
    FUZZ_CHECK(script.Path() == path, "the file read names " + fuzz::Quoted(script.Path()));
    CheckScalarSections(bytes, script);
    CheckProtocols(bytes, script);
    CheckFileLists(bytes, script);
    CheckLanguagesAndGroup(bytes, script);

    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.empty(), "a reader showed " + fuzz::Quoted(shown.empty() ? "" : shown.front().text));
    return 0;
}
