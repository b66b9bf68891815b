#include "install/installation_run.h"

#include <vector>

#include "configstore/capi_index.h"
#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "configstore/removal_log.h"
#include "configstore/uninstall_entry.h"
#include "install/copy_file.h"
#include "install/driver_processor.h"
#include "install/installation_directory.h"
#include "configstore/progman_group.h"
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

constexpr unsigned kSystemEntriesPauseMs = 1000;

// One installation's file work: where it copies from and to, the script it copies by (read once), and
// what the steps remember from file to file.
struct FileWork {
    WindowRef progress;
    WindowRef owner;
    const InstallationSetup& setup;
    const SetupInfoFile& script;
    std::string sourcePath;
    std::string destinationPath;
    CopyRun copies;
    StepResult result = StepResult::kDone;
};

std::string Join3(const std::string& a, const std::string& b, const std::string& c) {
    std::string path = a + "\\" + b + "\\" + c;
    CollapseBackslashes(path);
    return path;
}

// One file of a copy step. False when the run has to end at once.
bool FileStep(FileWork& work, const std::string& source, const std::string& target, bool expand) {
    int textId = expand ? kTextInfoExpandfile : kTextInfoCopyfile;
    return RunFileStep(
        work.progress, FormatText(Text(textId), {source, target}),
        [&] { return CopyOrExpandFile(work.owner, work.copies, source, target, expand); }, work.result);
}

bool CopySetupFiles(FileWork& work) {
    CreateInstallationDirectory(work.progress, work.destinationPath);
    if (!FileStep(work, JoinPath(work.sourcePath, work.setup.scriptFileName),
                  JoinPath(work.destinationPath, work.setup.scriptFileName), false))
        return false;
    // The setup program always comes from where it was started, whatever the source path says.
    return FileStep(work, JoinPath(work.setup.setupDirectory, work.setup.programName),
                    JoinPath(work.destinationPath, work.setup.programName), false);
}

bool CopyAddFiles(FileWork& work) {
    if (!work.script.IsRead())
        ShowError(work.owner, kScriptMissingText);
    for (const AddFile& file : work.script.ReadAddFiles()) {
        std::string directory = JoinPath(work.destinationPath, file.destinationSubdirectory);
        CreatePathDirectories(work.progress, directory);
        if (!FileStep(work, Join3(work.sourcePath, file.sourceSubdirectory, file.fileName),
                      JoinPath(directory, file.fileName), false))
            return false;
    }
    return true;
}

bool ExpandCompFiles(FileWork& work) {
    std::string windows = platform::WindowsDirectory();
    for (const CompFile& file : work.script.ReadCompFiles()) {
        // The compressed driver files come from where the program was started, not from the source path.
        std::string source = Join3(work.setup.setupDirectory, file.sourceSubdirectory, file.sourceName);
        if (file.InWindowsDirectory()) {
            std::string directory = JoinPath(windows, file.windowsSubdirectory);
            CreatePathDirectories(work.progress, directory);
            if (!FileStep(work, source, JoinPath(directory, file.installedName), true))
                return false;
        }
        if (file.InSetupDirectory()) {
            std::string directory = JoinPath(work.destinationPath, file.setupSubdirectory);
            CreatePathDirectories(work.progress, directory);
            if (!FileStep(work, source, JoinPath(directory, file.installedName), true))
                return false;
        }
    }
    return true;
}

// A fresh configuration for our entry, from the script beside the running program; false when a registry
// write failed.
bool WriteNewConfiguration(const SetupInfoFile& script, uint32_t capiIndex) {
    Configuration config;
    MaintenanceDefaults maintenance;
    script.ReadMaintenanceSection(maintenance);
    std::vector<ProtocolEntry> protocols = script.ReadProtocolEntries();
    std::string protocol;
    script.ReadDefaultProtocol(protocol);
    SetDefaultConfiguration(capiIndex, maintenance, protocols, protocol, config.driver, config.adapters);
    return WriteConfiguration(config, protocols, capiIndex, 0);
}

void RemoveRemovalLog(const std::string& setupDirectory) {
    std::string path = RemovalLogPath(setupDirectory);
    platform::SetFileAttributesOf(path, platform::kAttributeNormal);
    platform::DeleteFilePath(path);
}

UninstallEntry UninstallEntryFor(const SetupInfoFile& script, const InstallationSetup& setup,
                                 const std::string& destinationPath) {
    return {script.ReadProgmanSection(setup.languageName).name, script.ReadScriptVersion(), destinationPath,
            setup.programName};
}

void EndUnsuccessful(WindowRef progress, WindowRef owner) {
    ui::CloseInfoWindow(progress);
    ShowMessage(owner, Text(kTextErrInsNosuccess));
}

}  // namespace

InstallationOutcome RunInstallation(WindowRef installDialog, const InstallationSetup& setup,
                                    const std::string& sourcePath, const std::string& destinationPath) {
    InstallationOutcome outcome;
    // Each script read once for the whole run: the source path's, by which the files are copied and the
    // group is built, and the one beside the running program, which gives the driver and its defaults.
    // Usually both are the same file, read then once.
    SetupInfoFile script = SetupInfoFile::Read(SetupInfoPath(sourcePath, setup.scriptFileName));
    std::string ownPath = SetupInfoPath(setup.setupDirectory, setup.scriptFileName);
    SetupInfoFile ownScript =
        EqualsIgnoreCase(ownPath, script.Path()) ? script : SetupInfoFile::Read(ownPath);
    // The source path may hold another script than the one checked at the start.
    if (!ScriptNamesStayInside(installDialog, script))
        return outcome;
    if (!DriverImageFitsRunningWindows(installDialog, setup, ownScript)) {
        outcome.wrongProcessor = true;
        return outcome;
    }
    outcome.started = true;
    outcome.sourcePath = FitField(sourcePath, kTextWidth);
    outcome.destinationPath = FitField(destinationPath, kTextWidth);
    WindowRef progress = ui::OpenInfoWindow(installDialog, true, true);
    ui::ActivateWindow(progress);

    FileWork work{progress, installDialog, setup, script, outcome.sourcePath, outcome.destinationPath, {}};
    if (CopySetupFiles(work) && CopyAddFiles(work))
        ExpandCompFiles(work);
    if (work.result != StepResult::kDone) {
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
    WriteStoredScriptVersion(script.ReadScriptVersion());
    ui::CloseInfoWindow(progress);
    BuildProgmanGroup(installDialog, script, setup.languageName, setup.programName, outcome.destinationPath);
    // The Program Manager pushed its group window to the front; the install dialog comes back.
    ui::CenterAndActivate(installDialog);
    outcome.groupReady = true;

    bool existing = false;
    uint32_t capiIndex = FindCapiIndex(&existing);
    // Counted beside our entry, not in place of it: a first installation next to another maker's driver
    // is told too.
    if (HasOtherCapiDriver(existing, UnreadableCapiTree::kHoldsNoOther))
        ShowMessage(installDialog, Text(kTextInfoOthermanu));
    // Only an explicit No discards the earlier configuration; closing the question keeps it.
    bool fresh = !existing || ui::AskYesNo(installDialog, false, Text(kTextQuestApplyold),
                                           kTextQuestApplyold) == ui::Answer::kNo;
    if (fresh && !ownScript.IsRead())
        ShowMessage(installDialog, std::string(kScriptMissingText) + " at " + ownScript.Path());
    // An installation whose configuration is not in the registry as its backup says has not succeeded,
    // whatever files it copied: the files stay, and the run ends as not completed.
    if (fresh && !WriteNewConfiguration(ownScript, capiIndex)) {
        ShowMessage(installDialog, Text(kTextErrInsNosuccess));
        return outcome;
    }
    outcome.configurationWritten = fresh;
    // New driver images only load after a restart, whether the configuration is new or kept.
    outcome.restartNeeded = true;

    // A removal log left by an interrupted removal belongs to the installation it was removing; trusted by a
    // later removal of this one, it would name files and keys that are no longer its own.
    RemoveRemovalLog(setup.setupDirectory);
    RemoveRemovalLog(outcome.destinationPath);
    // Last, so that Add/Remove Programs lists only an installation that is whole.
    if (!WriteUninstallEntry(UninstallEntryFor(script, setup, outcome.destinationPath))) {
        ShowMessage(installDialog, Text(kTextErrInsNosuccess));
        return outcome;
    }
    outcome.completed = true;
    return outcome;
}
