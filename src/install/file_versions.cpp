#include "install/file_versions.h"

#include "platform/file.h"
#include "platform/file_expansion.h"
#include "platform/file_system.h"
#include "ui/message_boxes.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

namespace {

const char* const kTemporaryDirectoryName = "VERTMP.$$$";

constexpr unsigned char kVersionMarker[] = {0xE8, 0x52, 0xA7, 0x04, 0x61, 0x78, 0xCA, 0x12};
constexpr size_t kMarkerLength = sizeof kVersionMarker;
constexpr int kSkippedRecordBytes = 4;  // between the marker and the numbers

// After a mismatch the search starts again at that byte alone, never at an earlier one. That finds every
// marker only because its first byte occurs nowhere else in it: a partial match then holds no start of
// another.
constexpr bool FirstMarkerByteIsUnique() {
    for (size_t i = 1; i < kMarkerLength; ++i)
        if (kVersionMarker[i] == kVersionMarker[0])
            return false;
    return true;
}
static_assert(FirstMarkerByteIsUnique(), "the marker search cannot restart after a partial match");

bool ReadLittleEndian16(platform::InputFile& file, uint16_t& value) {
    unsigned char low, high;
    if (!file.ReadByte(&low) || !file.ReadByte(&high))
        return false;
    value = static_cast<uint16_t>(low | high << 8);
    return true;
}

bool FindVersionRecord(platform::InputFile& file, FileVersion& version) {
    size_t matched = 0;
    unsigned char byte;
    while (matched < kMarkerLength) {
        if (!file.ReadByte(&byte))
            return false;
        if (byte != kVersionMarker[matched])
            matched = 0;
        if (byte == kVersionMarker[matched])
            ++matched;
    }
    for (int i = 0; i < kSkippedRecordBytes; ++i) file.SkipByte();
    return ReadLittleEndian16(file, version.major) && ReadLittleEndian16(file, version.minor) &&
           ReadLittleEndian16(file, version.revision);
}

// The progress window of one scan, closed on every path.
class ScanProgress {
  public:
    explicit ScanProgress(WindowRef owner) : window_(ui::OpenInfoWindow(owner, true, false)) {}
    ~ScanProgress() { ui::CloseInfoWindow(window_); }
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    // Names the file read next and gives a Cancel press its chance; false once the user cancelled.
    bool Announce(const std::string& displayName) {
        ui::SetInfoText(window_, FormatText(Text(kTextInfoScanversion), {displayName}));
        ui::PumpMessages(window_);
        return !ui::CancelRequested();
    }

  private:
    WindowRef window_;
};

// The directory the sources are expanded into, removed again on every path. One left over from an
// interrupted scan is used as it is.
class TemporaryDirectory {
  public:
    explicit TemporaryDirectory(const std::string& path) : path_(path) {
        platform::CreateDirectoryPath(path_);
    }
    ~TemporaryDirectory() { platform::RemoveDirectoryPath(path_); }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// One expanded source, deleted on every path, whether or not it could be made or read.
class TemporaryCopy {
  public:
    explicit TemporaryCopy(const std::string& path) : path_(path) {}
    ~TemporaryCopy() { platform::DeleteFilePath(path_); }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// The last part of an installed file name: the temporary copy must land inside the temporary directory,
// whatever the setup information file says. Empty when nothing usable is left.
std::string TemporaryCopyName(const std::string& installedName) {
    size_t separator = installedName.find_last_of("\\/:");
    std::string name = separator == std::string::npos ? installedName : installedName.substr(separator + 1);
    return name == "." || name == ".." ? std::string() : name;
}

// LZ expansion without questions. The target is made only once the source has been read.
bool ExpandQuietly(const std::string& source, const std::string& target) {
    return platform::ExpandFile(source, target) == platform::ExpansionResult::kDone;
}

// The version of a compressed source, read from its expansion under the installed name. A failed expansion
// has no version: what lies under that name then is a partial file or a stale one.
bool ExpandedFileVersion(const std::string& source, const std::string& temporaryDirectory,
                         const std::string& installedName, FileVersion& version) {
    std::string name = TemporaryCopyName(installedName);
    if (name.empty())
        return false;
    TemporaryCopy copy(JoinPath(temporaryDirectory, name));
    return ExpandQuietly(source, copy.Path()) && ReadFileVersion(copy.Path(), version);
}

std::string VersionTextOf(bool found, const FileVersion& version) {
    return found ? FileVersionText(version) : Text(kTextTextUnknownversion);
}

bool ScanSources(ScanProgress& progress, const FileVersionPlaces& places, const std::vector<CompFile>& files,
                 std::vector<FileVersionRow>& rows) {
    TemporaryDirectory temporary(JoinPath(places.windowsDirectory, kTemporaryDirectoryName));
    for (const CompFile& file : files) {
        if (!file.ListedInVersions())
            continue;
        std::string directory = JoinPath(places.setupDirectory, file.sourceSubdirectory);
        // The line names the compressed source; its expansion bears the installed name.
        std::string displayName = JoinPath(platform::DisplayDirectory(directory), file.sourceName);
        if (!progress.Announce(displayName))
            return false;
        FileVersion version;
        bool found = ExpandedFileVersion(JoinPath(directory, file.sourceName), temporary.Path(),
                                         file.installedName, version);
        rows.push_back({displayName, VersionTextOf(found, version)});
    }
    return true;
}

// Where an installed file lies: the Windows tree when the entry has a Windows subdirectory, else below the
// installation directory. Empty when the entry names neither, so that it was installed nowhere.
std::string InstalledDirectory(const FileVersionPlaces& places, const CompFile& file) {
    if (file.InWindowsDirectory())
        return JoinPath(places.windowsDirectory, file.windowsSubdirectory);
    if (file.InSetupDirectory())
        return JoinPath(places.installDirectory, file.setupSubdirectory);
    return std::string();
}

bool ScanInstalled(ScanProgress& progress, const FileVersionPlaces& places,
                   const std::vector<CompFile>& files, std::vector<FileVersionRow>& rows) {
    for (const CompFile& file : files) {
        if (!file.ListedInVersions())
            continue;
        std::string directory = InstalledDirectory(places, file);
        std::string displayName = directory.empty()
                                      ? file.installedName
                                      : JoinPath(platform::DisplayDirectory(directory), file.installedName);
        if (!progress.Announce(displayName))
            return false;
        FileVersion version;
        bool found = !directory.empty() && ReadFileVersion(JoinPath(directory, file.installedName), version);
        rows.push_back({displayName, VersionTextOf(found, version)});
    }
    return true;
}

}  // namespace

bool ReadFileVersion(const std::string& path, FileVersion& version) {
    platform::InputFile file(path);
    return file.IsOpen() && FindVersionRecord(file, version);
}

std::string FileVersionText(const FileVersion& version) {
    return "v" + HexText(version.major, 1, false) + "." + HexText(version.minor, 1, false) + " (rev." +
           HexText(version.revision, 2, false) + ")";
}

std::string FileVersionLine(const FileVersionRow& row) {
    return row.displayName + '\t' + row.versionText;
}

int ScanFileVersions(WindowRef owner, const FileVersionPlaces& places, std::vector<FileVersionRow>& rows) {
    return ScanFileVersions(owner, places, SetupInfoFile::Read(places.script), rows);
}

int ScanFileVersions(WindowRef owner, const FileVersionPlaces& places, const SetupInfoFile& script,
                     std::vector<FileVersionRow>& rows) {
    rows.clear();
    ScanProgress progress(owner);
    if (!script.IsRead()) {
        ShowError(owner, kScriptMissingText);
        return 0;
    }
    std::vector<CompFile> files = script.ReadCompFiles();
    std::vector<FileVersionRow> scanned;
    bool complete = places.installed ? ScanInstalled(progress, places, files, scanned)
                                     : ScanSources(progress, places, files, scanned);
    if (!complete)
        return 0;
    rows.swap(scanned);
    return 1;
}
