#include "shell/verification.h"

#include <algorithm>

#include "configdialog/config_session.h"
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "shell/flow_inputs.h"
#include "ui/run_report.h"

namespace {

size_t VerifyConfiguration(const SetupInfoFile& script) {
    Configuration live;
    if (!ReadInstalledConfiguration(script, live)) {
        ui::Report("Verification: the installed configuration cannot be read");
        return 1;
    }
    BackupComparison comparison = CompareWithBackup(live, script.ReadProtocolEntries());
    if (!comparison.hasBackup) {
        ui::Report("Verification: the configuration has no integrity backup, or a damaged one");
        return 1;
    }
    for (const ConfigDifference& difference : comparison.differences)
        ui::Report("Verification: " + DescribeDifference(difference));
    return comparison.differences.size();
}

size_t VerifyFiles(const AppContext& app, const std::string& installDirectory, const SetupInfoFile& script) {
    FileVersionPlaces places = CurrentFileVersionPlaces(app);
    places.installDirectory = installDirectory;
    places.installed = false;
    std::vector<FileVersionRow> distribution;
    std::vector<FileVersionRow> installed;
    if (!ScanFileVersions(nullptr, places, script, distribution)) {
        ui::Report("Verification: the distribution's file versions cannot be read");
        return 1;
    }
    places.installed = true;
    if (!ScanFileVersions(nullptr, places, script, installed)) {
        ui::Report("Verification: the installed file versions cannot be read");
        return 1;
    }
    std::vector<FileVersionDifference> differences = CompareFileVersions(distribution, installed);
    for (const FileVersionDifference& difference : differences)
        ui::Report("Verification: " + DescribeFileVersionDifference(difference));
    return differences.size();
}

}  // namespace

std::vector<FileVersionDifference> CompareFileVersions(const std::vector<FileVersionRow>& distribution,
                                                       const std::vector<FileVersionRow>& installed) {
    std::vector<FileVersionDifference> differences;
    size_t rows = std::max(distribution.size(), installed.size());
    for (size_t i = 0; i < rows; ++i) {
        FileVersionDifference difference;
        if (i < distribution.size())
            difference.distribution = distribution[i];
        if (i < installed.size())
            difference.installed = installed[i];
        if (i >= distribution.size() || i >= installed.size() ||
            difference.distribution.versionText != difference.installed.versionText)
            differences.push_back(difference);
    }
    return differences;
}

std::string DescribeFileVersionDifference(const FileVersionDifference& difference) {
    return difference.installed.displayName + ": installed " + difference.installed.versionText +
           ", distribution " + difference.distribution.versionText + " (" +
           difference.distribution.displayName + ")";
}

size_t VerifyInstallation(const AppContext& app, const std::string& installDirectory) {
    // One read of the script for the configuration and both scans.
    SetupInfoFile script = SetupInfoFile::Read(ScriptPath(app));
    return VerifyConfiguration(script) + VerifyFiles(app, installDirectory, script);
}
