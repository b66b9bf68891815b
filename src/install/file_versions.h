#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// The versions of the driver files: each "[COMPFILES]" entry marked "!VERSION_ON", read from the version
// record embedded in the file. Before an installation the compressed sources are expanded one at a time
// into a temporary directory; afterwards the installed files are read where they lie.

struct FileVersion {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t revision = 0;
};

// The numbers of the first version record in the file. False when the file cannot be opened, holds no
// marker, or ends within the record.
bool ReadFileVersion(const std::string& path, FileVersion& version);

// "v%x.%x (rev.%02x)": major 2, minor 0x10, revision 5 give "v2.10 (rev.05)".
std::string FileVersionText(const FileVersion& version);

// One line of the versions list.
struct FileVersionRow {
    std::string displayName;  // the file's path as the list shows it
    std::string versionText;  // FileVersionText, or "[TEXT_UNKNOWNVERSION]" when the file has no record
};

// The list box line: the display name, a TAB, the version text.
std::string FileVersionLine(const FileVersionRow& row);

// Where the scan reads the setup information file and the driver files.
struct FileVersionPlaces {
    std::string script;            // the setup information file
    std::string setupDirectory;    // the compressed sources
    std::string installDirectory;  // below it lie the installation subdirectories
    std::string windowsDirectory;  // below it lie the Windows subdirectories and the temporary directory
    bool installed = false;        // read the installed files instead of expanding the sources
};

// Lists the versions with a progress window (Cancel without a question) owned by owner, one progress text
// and one chance to cancel per file. Returns 1 with rows in "[COMPFILES]" order; 0 with no rows when the
// user cancelled or the setup information file cannot be read. The progress window is closed and the
// temporary directory and its copies are removed on every path.
int ScanFileVersions(WindowRef owner, const FileVersionPlaces& places, std::vector<FileVersionRow>& rows);
// The same by a setup information file already read (places.script is not read again).
int ScanFileVersions(WindowRef owner, const FileVersionPlaces& places, const SetupInfoFile& script,
                     std::vector<FileVersionRow>& rows);
