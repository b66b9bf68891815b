// Configuration dialog benchmark: the dialog's opening (the installed configuration read, checked against
// its backup and put on the pages, without a window) against one full read of the setup information file by
// every section reader. Prints the medians and "config-open ratio X.X" (an opening's time over a full
// read's). It fails only when the opening fails or would ask the user, never on a time.
//
// The installed configuration is the one an installation writes for the distribution's SETUP.QZT, with its
// integrity backup, so that the check finds nothing to report. The prefix is left as a Windows NT 4 machine
// without the driver.
//
// Usage: config_open_benchmark [--runs N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"
#include "configdialog/config_session.h"
#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "machine_state.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"

namespace {

constexpr int kDefaultRuns = 5;
// Each timing repeats its work this often, so that one timing lasts well beyond the clock's resolution.
constexpr int kCallsPerTiming = 50;
constexpr uint32_t kCapiIndex = 1;

const std::string kScript = QUOREL_DIST_DIR "\\SETUP.QZT";
const std::string kLanguageFile = QUOREL_DIST_DIR "\\ENGLISH.LNG";

// What an installation writes on a machine without the driver: the defaults, the default protocol's image,
// two adapters, and the backup.
bool InstallConfiguration(const std::string& path) {
    SetupInfoFile script = SetupInfoFile::Read(path);
    Configuration installed;
    DriverConfig& config = installed.driver;
    MaintenanceDefaults maintenance;
    script.ReadMaintenanceSection(maintenance);
    SetDefaultDriverConfig(kCapiIndex, maintenance, config);
    config.NumberOfControllers = 2;
    for (AdapterConfig& adapter : installed.adapters) SetDefaultAdapterConfig(adapter);
    std::string protocol;
    std::vector<ProtocolEntry> protocols = script.ReadProtocolEntries();
    if (!script.ReadDefaultProtocol(protocol) || !FindNewImagePath(protocols, protocol, config.ImagePath)) {
        std::fprintf(stderr, "cannot find the default protocol in %s\n", path.c_str());
        return false;
    }
    // As the installation does: the script's version comes first and makes the service's keys, which the
    // configuration's write expects to find.
    WriteStoredScriptVersion(script.ReadScriptVersion());
    bool written = WriteConfiguration(installed, protocols, kCapiIndex, 0);
    if (!written)
        std::fprintf(stderr, "cannot write the installed configuration\n");
    return written;
}

// One opening as the dialog makes it: loaded, checked against the backup, the pages filled.
bool OpenOnce(const std::string& script) {
    Configuration config;
    ConfigPages pages;
    return OpenConfiguration(nullptr, script, config, pages) && !pages.adapter.protocol.entries.empty();
}

// Before the first opening: the configuration reads back whole and equals its backup, so that the
// integrity check has nothing to show.
bool MatchesBackup(const std::string& script) {
    Configuration live;
    DriverConfig backup;
    AdapterArray backupAdapters;
    if (!ReadInstalledConfiguration(SetupInfoFile::Read(script), live) ||
        !ReadIntegrityBackup(backup, backupAdapters) ||
        !ConfigMatchesBackup(live.driver, backup, live.adapters, backupAdapters, false)) {
        std::fprintf(stderr, "the installed configuration does not match its backup\n");
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = kDefaultRuns;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: config_open_benchmark [--runs N]\n");
            return 2;
        }
    }
    // The texts of any report, as the program has them when the dialog opens.
    std::vector<std::string> missingKeys;
    LoadLanguageTable(kLanguageFile, missingKeys);
    SetupInfoFile script = SetupInfoFile::Read(kScript);
    LanguageList languages = script.ReadLanguageSection();
    if (!script.IsRead() || languages.entries.empty()) {
        std::fprintf(stderr, "cannot read the languages of %s\n", kScript.c_str());
        return 1;
    }
    const std::string language = languages.entries.front().displayName;

    e2e::PrepareNt4Machine();
    bool good = InstallConfiguration(kScript) && MatchesBackup(kScript) && OpenOnce(kScript);
    std::vector<double> opening, fullRead;
    for (int run = 0; good && run < runs; ++run) {
        // Alternate which side goes first, so that neither always finds the file warmer.
        auto timeOpening = [&] {
            opening.push_back(SecondsPerCall(kCallsPerTiming, [&] { good = OpenOnce(kScript) && good; }));
        };
        auto timeFullRead = [&] {
            fullRead.push_back(SecondsPerCall(kCallsPerTiming, [&] { ReadEverything(kScript, language); }));
        };
        if (run % 2) {
            timeFullRead();
            timeOpening();
        } else {
            timeOpening();
            timeFullRead();
        }
    }
    e2e::PrepareNt4Machine();
    if (!good) {
        std::fprintf(stderr, "the configuration dialog's opening failed\n");
        return 1;
    }
    double openingMedian = Median(opening), fullReadMedian = Median(fullRead);
    std::printf("%s; medians of %d runs of %d calls\n", kScript.c_str(), runs, kCallsPerTiming);
    std::printf("configuration dialog's opening: %.3f ms\n", openingMedian * 1000);
    std::printf("full read of the script: %.3f ms\n", fullReadMedian * 1000);
    std::printf("config-open ratio %.1f\n", openingMedian / fullReadMedian);
    return 0;
}
