#include "install/installation_directory.h"

#include <vector>

#include "install/copy_file.h"
#include "platform/directory_access.h"
#include "platform/file_system.h"
#include "ui/run_report.h"

namespace {

// The directories of the path that do not exist yet, outermost first; the same levels that
// CreatePathDirectories makes.
std::vector<std::string> MissingLevels(const std::string& directory) {
    std::vector<std::string> missing;
    for (size_t i = 0; i + 1 < directory.size(); ++i) {
        if (directory[i + 1] == '\\' && directory[i] != ':' &&
            !platform::IsDirectory(directory.substr(0, i + 1)))
            missing.push_back(directory.substr(0, i + 1));
    }
    if (!platform::IsDirectory(directory))
        missing.push_back(directory);
    return missing;
}

void ProtectMadeDirectory(const std::string& directory) {
    switch (platform::ProtectDirectory(directory)) {
        case platform::ProtectResult::kProtected:
            ui::Report(directory +
                       ": made; Administrators and SYSTEM may change it, everybody else read and run");
            break;
        case platform::ProtectResult::kNoAcls:
            ui::Report(directory + ": made on a volume without access lists (FAT); anybody may change it");
            break;
        case platform::ProtectResult::kFailed:
            ui::Report(directory +
                       ": made, but its access list could not be set; it keeps the inherited one");
            break;
    }
}

}  // namespace

void CreateInstallationDirectory(WindowRef progressWindow, const std::string& directory) {
    std::vector<std::string> missing = MissingLevels(directory);
    CreatePathDirectories(progressWindow, directory);
    for (const std::string& level : missing)
        if (platform::IsDirectory(level))
            ProtectMadeDirectory(level);
    if (!missing.empty() || !platform::IsDirectory(directory))
        return;
    platform::DirectoryAccess access;
    if (!platform::ReadDirectoryAccess(directory, access))
        ui::Report(directory + ": its access list cannot be read; used as chosen");
    else if (platform::OthersCanChange(access))
        ui::Report(directory +
                   ": others than the administrators can change this directory, and so the programs "
                   "started from it with an administrator's rights; used as chosen");
}
