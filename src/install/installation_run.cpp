#include "install/installation_run.h"

#include <algorithm>
#include <vector>

#include "configstore/capi_index.h"
#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "configstore/key_deletion.h"
#include "configstore/removal_log.h"
#include "configstore/uninstall_entry.h"
#include "install/copy_file.h"
#include "install/driver_processor.h"
#include "install/install_context.h"
#include "install/installation_directory.h"
#include "install/progman_group.h"
#include "platform/file_system.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "ui/message_boxes.h"
#include "ui/script_check.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

namespace {

constexpr int kStepAbort = -1;
constexpr unsigned kSystemEntriesPauseMs = 1000;

std::string Join3(const std::string& a, const std::string& b, const std::string& c) {
    std::string path = a + "\\" + b + "\\" + c;
    CollapseBackslashes(path);
    return path;
}

// One file of a copy step: show what happens, give Cancel its chance, then copy or expand. Returns false
// when the step has to end at once; an ignored file only clears stepResult.
bool FileStep(WindowRef progress, WindowRef owner, const std::string& source, const std::string& target,
              bool expand, int& stepResult) {
    int textId = expand ? kTextInfoExpandfile : kTextInfoCopyfile;
    ui::SetInfoText(progress, FormatText(Text(textId), {source, target}));
    ui::PumpMessages(progress);
    if (ui::CancelRequested()) {
        stepResult = kStepAbort;
        return false;
    }
    int result = CopyOrExpandFile(owner, source, target, expand);
    if (result == kFileAbort) {
        stepResult = kStepAbort;
        return false;
    }
    if (result == kFileIgnored)
        stepResult = 0;
    return true;
}

// A fresh configuration for our entry; false when a registry write failed.
bool WriteNewConfiguration(WindowRef owner, const std::string& script, uint32_t capiIndex) {
    DriverConfig& config = GlobalDriverConfig();
    AdapterArray& adapters = GlobalAdapters();
    MaintenanceDefaults maintenance;
    ReadMaintenanceSection(script, maintenance);
    SetDefaultDriverConfig(capiIndex, maintenance, config);
    for (uint32_t i = 0; i < config.NumberOfControllers && i < adapters.size(); ++i)
        SetDefaultAdapterConfig(adapters[i]);
    std::string protocol;
    std::vector<ProtocolEntry> protocols;
    int found = ReadDefaultProtocol(script, protocol);
    if (found == kScriptMissing)
        ShowMessage(owner, std::string(kScriptMissingText) + " at " + script);
    if (found == 1) {
        if (ReadProtocolEntries(script, protocols))
            FindNewImagePath(protocols, protocol, config.ImagePath);
        else
            ShowMessage(owner, "Can't find SETUPINFOFILE\n[GetScriptNewImagePath]");
    }
    DeleteOptionalParameters();
    bool complete = WriteDriverConfig(script, capiIndex, config);
    DeleteAdapterKeys();
    for (uint32_t i = 0; i < config.NumberOfControllers && i < adapters.size(); ++i)
        complete = WriteAdapterConfig(adapters[i], i, 0) && complete;
    return complete;
}

void RemoveRemovalLog(const std::string& setupDirectory) {
    std::string path = RemovalLogPath(setupDirectory);
    platform::SetFileAttributesOf(path, platform::kAttributeNormal);
    platform::DeleteFilePath(path);
}

UninstallEntry UninstallEntryFor(const std::string& script, const InstallationSetup& setup,
                                 const std::string& destinationPath) {
    ProgmanGroup group;
    ReadProgmanSection(script, setup.languageName, group);
    return {group.name, ReadScriptVersion(script), destinationPath, setup.programName};
}

void EndUnsuccessful(WindowRef progress, WindowRef owner) {
    ui::CloseInfoWindow(progress);
    ShowMessage(owner, Text(kTextErrInsNosuccess));
}

}  // namespace

int CopySetupFiles(WindowRef progress, WindowRef owner, const InstallationSetup& setup,
                   const std::string& sourcePath, const std::string& destinationPath) {
    int result = 1;
    CreateInstallationDirectory(progress, destinationPath);
    if (!FileStep(progress, owner, JoinPath(sourcePath, setup.scriptFileName),
                  JoinPath(destinationPath, setup.scriptFileName), false, result))
        return result;
    // The setup program always comes from where it was started, whatever the source path says.
    FileStep(progress, owner, JoinPath(setup.setupDirectory, setup.programName),
             JoinPath(destinationPath, setup.programName), false, result);
    return result;
}

int CopyAddFiles(WindowRef progress, WindowRef owner, const InstallationSetup& setup,
                 const std::string& sourcePath, const std::string& destinationPath) {
    std::vector<AddFile> files;
    if (ReadAddFiles(SetupInfoPath(sourcePath, setup.scriptFileName), files) == kScriptMissing)
        ShowError(owner, kScriptMissingText);
    int result = 1;
    for (const AddFile& file : files) {
        std::string directory = JoinPath(destinationPath, file.destinationSubdirectory);
        CreatePathDirectories(progress, directory);
        if (!FileStep(progress, owner, Join3(sourcePath, file.sourceSubdirectory, file.fileName),
                      JoinPath(directory, file.fileName), false, result))
            break;
    }
    return result;
}

int ExpandCompFiles(WindowRef progress, WindowRef owner, const InstallationSetup& setup,
                    const std::string& sourcePath, const std::string& destinationPath) {
    std::vector<CompFile> files;
    if (ReadCompFiles(SetupInfoPath(sourcePath, setup.scriptFileName), files) == kScriptMissing)
        ShowError(owner, kScriptMissingText);
    std::string windows = platform::WindowsDirectory();
    int result = 1;
    for (const CompFile& file : files) {
        // The compressed driver files come from where the program was started, not from the source path.
        std::string source = Join3(setup.setupDirectory, file.sourceSubdirectory, file.sourceName);
        if (file.windowsSubdirectory != "!NOWINSYSTEM") {
            std::string directory = JoinPath(windows, file.windowsSubdirectory);
            CreatePathDirectories(progress, directory);
            if (!FileStep(progress, owner, source, JoinPath(directory, file.installedName), true, result))
                break;
        }
        if (file.setupSubdirectory != "!NOSETUPDIR") {
            std::string directory = JoinPath(destinationPath, file.setupSubdirectory);
            CreatePathDirectories(progress, directory);
            if (!FileStep(progress, owner, source, JoinPath(directory, file.installedName), true, result))
                break;
        }
    }
    return result;
}

InstallationOutcome RunInstallation(WindowRef installDialog, const InstallationSetup& setup,
                                    const std::string& sourcePath, const std::string& destinationPath) {
    InstallationOutcome outcome;
    // The source path may hold another script than the one checked at the start.
    if (!ScriptNamesStayInside(installDialog, SetupInfoPath(sourcePath, setup.scriptFileName)))
        return outcome;
    if (!DriverImageFitsRunningWindows(installDialog, setup)) {
        outcome.wrongProcessor = true;
        return outcome;
    }
    outcome.started = true;
    InstallContext& install = Installation();
    install.SourcePath = FitField(sourcePath, kTextWidth);
    install.DestinationPath = FitField(destinationPath, kTextWidth);
    WindowRef progress = ui::OpenInfoWindow(installDialog, true, true);
    ui::ActivateWindow(progress);
    install.OverwriteAll = false;

    int result = CopySetupFiles(progress, installDialog, setup, install.SourcePath, install.DestinationPath);
    if (result != kStepAbort) {
        int step = CopyAddFiles(progress, installDialog, setup, install.SourcePath, install.DestinationPath);
        result = step == kStepAbort ? step : std::min(result, step);
    }
    if (result != kStepAbort) {
        int step =
            ExpandCompFiles(progress, installDialog, setup, install.SourcePath, install.DestinationPath);
        result = step == kStepAbort ? step : std::min(result, step);
    }
    if (result != 1) {
        EndUnsuccessful(progress, installDialog);
        return outcome;
    }
    ShowMessage(installDialog, Text(kTextInfoInsDone));

    ui::SetInfoText(progress, Text(kTextInfoSetupsysentries));
    ui::ActivateWindow(progress);
    ui::PumpMessages(progress);
    // The pause lets a last Cancel in; the window keeps answering while it lasts.
    ui::PumpMessagesFor(progress, kSystemEntriesPauseMs);
    ui::PumpMessages(progress);
    if (ui::CancelRequested()) {
        EndUnsuccessful(progress, installDialog);
        return outcome;
    }
    // Past the last point where the run can still end, so that a cancelled run leaves the registry as it
    // found it. The first write below the service key; it also makes Parameters, which the removal of the
    // optional values expects.
    std::string script = SetupInfoPath(install.SourcePath, setup.scriptFileName);
    WriteStoredScriptVersion(ReadScriptVersion(script));
    ui::CloseInfoWindow(progress);
    BuildProgmanGroup(installDialog, script, setup.languageName, setup.programName, install.DestinationPath);
    ui::ActivateWindow(installDialog);
    outcome.groupReady = true;
    install.OverwriteAll = false;

    bool existing = false;
    uint32_t capiIndex = FindCapiIndex(&existing);
    // Counted beside our entry, not in place of it: a first installation next to another maker's driver
    // is told too.
    if (HasOtherCapiDriver(existing, UnreadableCapiTree::kHoldsNoOther))
        ShowMessage(installDialog, Text(kTextInfoOthermanu));
    // Only an explicit No discards the earlier configuration; closing the question keeps it.
    bool fresh = !existing || ui::AskYesNo(installDialog, false, Text(kTextQuestApplyold),
                                           kTextQuestApplyold) == ui::kAnswerNo;
    // The default configuration comes from the script beside the running program, not from the source path.
    std::string ownScript = SetupInfoPath(setup.setupDirectory, setup.scriptFileName);
    // An installation whose configuration is not in the registry as its backup says has not succeeded,
    // whatever files it copied: the files stay, and the run ends as not completed.
    if (fresh &&
        !(WriteNewConfiguration(installDialog, ownScript, capiIndex) && WriteIntegrityBackup(ownScript))) {
        ShowMessage(installDialog, Text(kTextErrInsNosuccess));
        return outcome;
    }
    outcome.configurationWritten = fresh;
    // New driver images only load after a restart, whether the configuration is new or kept.
    outcome.restartNeeded = true;

    // A removal log left by an interrupted removal belongs to the installation it was removing; trusted by a
    // later removal of this one, it would name files and keys that are no longer its own.
    RemoveRemovalLog(setup.setupDirectory);
    RemoveRemovalLog(install.DestinationPath);
    // Last, so that Add/Remove Programs lists only an installation that is whole.
    if (!WriteUninstallEntry(UninstallEntryFor(script, setup, install.DestinationPath))) {
        ShowMessage(installDialog, Text(kTextErrInsNosuccess));
        return outcome;
    }
    outcome.completed = true;
    return outcome;
}
