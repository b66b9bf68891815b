#include "deinstall/deinstallation_run.h"

#include <algorithm>
#include <vector>

#include "deinstall/registry_cleanup.h"
#include "configstore/capi_index.h"
#include "configstore/removal_log.h"
#include "deinstall/removal_logging.h"
#include "configstore/progman_group.h"
#include "platform/file_system.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "ui/message_boxes.h"
#include "ui/run_report.h"
#include "ui/script_check.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

namespace {

constexpr unsigned kSystemEntriesPauseMs = 50;

bool FileExists(const std::string& path) {
    uint32_t attributes = platform::FileAttributes(path);
    return attributes != platform::kInvalidAttributes && !(attributes & platform::kAttributeDirectory);
}

// One installed file: deleted and logged. False when the step has to end at once (Abort, or a log that
// cannot be written: the section stops there, and the removal is not complete).
bool RemoveFileStep(WindowRef progress, WindowRef dialog, const std::string& setupDirectory,
                    const std::string& path, StepResult& stepResult) {
    FileResult deleted = FileResult::kSkipped;
    if (!RunFileStep(
            progress, FormatText(Text(kTextInfoDeletefile), {path}),
            [&] { return deleted = DeleteInstalledFile(dialog, setupDirectory, path); }, stepResult))
        return false;
    if (deleted == FileResult::kDone && !AppendRemovalLog(setupDirectory, path)) {
        MergeStep(StepResult::kIncomplete, stepResult);
        return false;
    }
    return true;
}

// The CAPI 2.0 DLL of the Windows tree serves every maker's CAPI 2.0 driver; while another one is
// registered (the same count that keeps the "CAPI20" group), it stays. The name the script gives it, or
// empty when it must go with the rest.
std::string SharedCapiDllKept(const SetupInfoFile& script) {
    std::string name;
    if (!script.ReadCurrentCapiDll(name) || name.empty())
        return std::string();
    bool ourEntry = false;
    FindCapiIndex(&ourEntry);
    return HasOtherCapiDriver(ourEntry, UnreadableCapiTree::kHoldsAnother) ? name : std::string();
}

// Without the script nobody knows which files were installed: the removal cannot be complete.
StepResult RemoveCompFiles(WindowRef progress, WindowRef dialog, const std::string& setupDirectory,
                           const SetupInfoFile& script) {
    if (!script.IsRead()) {
        ShowError(dialog, kScriptMissingText);
        return StepResult::kIncomplete;
    }
    std::vector<CompFile> files = script.ReadCompFiles();
    std::string windows = platform::WindowsDirectory();
    std::string sharedDll = SharedCapiDllKept(script);
    StepResult result = StepResult::kDone;
    for (const CompFile& file : files) {
        // Every copy the installation made goes, in the order it made them: the Windows tree first.
        std::vector<std::string> directories;
        bool shared = !sharedDll.empty() && EqualsIgnoreCase(file.installedName, sharedDll);
        if (file.InWindowsDirectory() && shared)
            ui::Report(JoinPath(JoinPath(windows, file.windowsSubdirectory), file.installedName) +
                       ": kept, another CAPI 2.0 driver is registered and uses it");
        else if (file.InWindowsDirectory())
            directories.push_back(JoinPath(windows, file.windowsSubdirectory));
        if (file.InSetupDirectory())
            directories.push_back(JoinPath(setupDirectory, file.setupSubdirectory));
        for (const std::string& directory : directories) {
            if (!RemoveFileStep(progress, dialog, setupDirectory, JoinPath(directory, file.installedName),
                                result))
                return result;
            // Only an emptied directory goes; one that holds other files stays.
            platform::RemoveDirectoryPath(directory);
        }
    }
    return result;
}

// The language files of the setup directory: a second run after an interrupted one needs them as much as
// the program and the script, so they go last with those.
std::vector<std::string> LanguageFiles(const std::string& setupDirectory, const SetupInfoFile& script) {
    std::vector<std::string> files;
    for (const LanguageEntry& entry : script.ReadLanguageSection().entries)
        files.push_back(JoinPath(setupDirectory, entry.fileName));
    return files;
}

bool IsListed(const std::vector<std::string>& paths, const std::string& path) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& listed) { return EqualsIgnoreCase(listed, path); });
}

StepResult RemoveAddFiles(WindowRef progress, WindowRef dialog, const std::string& setupDirectory,
                          const SetupInfoFile& script, const std::vector<std::string>& keptForLast) {
    if (!script.IsRead()) {
        ShowError(dialog, kScriptMissingText);
        return StepResult::kIncomplete;
    }
    StepResult result = StepResult::kDone;
    for (const AddFile& file : script.ReadAddFiles()) {
        std::string directory = JoinPath(setupDirectory, file.destinationSubdirectory);
        std::string path = JoinPath(directory, file.fileName);
        if (IsListed(keptForLast, path))
            continue;
        if (!RemoveFileStep(progress, dialog, setupDirectory, path, result))
            return result;
        platform::RemoveDirectoryPath(directory);
    }
    return result;
}

// Files the driver's programs make (traces, logs): they may or may not be there, so nothing is asked.
void RemoveDeleteAddFiles(WindowRef dialog, const std::string& setupDirectory, const SetupInfoFile& script) {
    if (!script.IsRead())
        ShowError(dialog, kScriptMissingText);
    for (const DeleteAddFile& file : script.ReadDeleteAddFiles()) {
        std::string directory = JoinPath(setupDirectory, file.subdirectory);
        platform::DeleteFilePath(JoinPath(directory, file.fileName));
        platform::RemoveDirectoryPath(directory);
    }
}

// A running program cannot delete its own file; the system deletes it at the next start.
enum class ProgramRemoval { kDeleted, kLeftForRestart, kStays };
ProgramRemoval RemoveSetupProgram(const std::string& path) {
    if (platform::DeleteFilePath(path) || !FileExists(path))
        return ProgramRemoval::kDeleted;
    return platform::MarkFileForDeletionAtRestart(path) ? ProgramRemoval::kLeftForRestart
                                                        : ProgramRemoval::kStays;
}

}  // namespace

FileResult DeleteInstalledFile(WindowRef owner, const std::string& setupDirectory, const std::string& path) {
    FileResult result = FileResult::kDone;
    if (IsInRemovalLog(setupDirectory, path)) {
        // An earlier run deleted it: gone is as it should be.
        if (!FileExists(path))
            return FileResult::kSkipped;
    } else {
        while (!FileExists(path)) {
            if (!AskRetryAbout(owner, kTextErrDeiFilenotfound, path, &result))
                return result;
        }
    }
    while (!platform::DeleteFilePath(path)) {
        if (!AskRetryAbout(owner, kTextErrDeiCantdelete, path, &result))
            return result;
    }
    return FileResult::kDone;
}

DeinstallOutcome RunDeinstallation(WindowRef dialog, const DeinstallInputs& inputs,
                                   bool* programLeftForRestart) {
    const std::string& directory = inputs.setupDirectory;
    // Read once for the whole removal; the file itself goes last of all.
    const SetupInfoFile script = SetupInfoFile::Read(SetupInfoPath(directory, inputs.scriptFileName));
    // The installed script can have been changed since the installation: a name in it that leads outside
    // the installation names nothing the installation made.
    if (!ScriptNamesStayInside(dialog, script))
        return DeinstallOutcome::kNotCompleted;
    const std::vector<std::string> languageFiles = LanguageFiles(directory, script);
    // Once started, the removal runs to its end: there is no Cancel.
    WindowRef progress = ui::OpenInfoWindow(dialog, false, false);
    StepResult result = RemoveCompFiles(progress, dialog, directory, script);
    if (result != StepResult::kAborted)
        MergeStep(RemoveAddFiles(progress, dialog, directory, script, languageFiles), result);
    if (result == StepResult::kAborted) {
        ui::CloseInfoWindow(progress);
        return DeinstallOutcome::kNotCompleted;
    }
    RemoveDeleteAddFiles(dialog, directory, script);
    if (DriverRegistryPresent()) {
        ui::SetInfoText(progress, Text(kTextInfoRemovesysentries));
        ui::PumpMessages(progress);
        ui::PumpMessagesFor(progress, kSystemEntriesPauseMs);
        if (!RemoveDriverRegistry(directory))
            MergeStep(StepResult::kIncomplete, result);
    }
    ui::CloseInfoWindow(progress);
    // What is left can be removed by a second run: the group, the log and the setup files stay for it.
    if (result != StepResult::kDone)
        return DeinstallOutcome::kNotCompleted;

    RemoveProgmanGroup(dialog, script, inputs.languageName);
    platform::DeleteFilePath(RemovalLogPath(directory));
    platform::DeleteFilePath(script.Path());
    for (const std::string& file : languageFiles) platform::DeleteFilePath(file);
    std::string program = JoinPath(directory, inputs.setupProgramName);
    ProgramRemoval removal = RemoveSetupProgram(program);
    // Without the mark the program's file outlives the removal, and nothing will delete it: not done.
    if (removal == ProgramRemoval::kStays) {
        ShowError(dialog, FormatText(Text(kTextErrDeiCantdelete), {program}));
        return DeinstallOutcome::kNotCompleted;
    }
    if (programLeftForRestart)
        *programLeftForRestart = removal == ProgramRemoval::kLeftForRestart;
    ShowMessage(dialog, Text(kTextInfoDeiDone));
    return DeinstallOutcome::kCompleted;
}

DeinstallOutcome ConfirmAndRunDeinstallation(WindowRef dialog, const DeinstallInputs& inputs,
                                             bool* programLeftForRestart) {
    if (!ui::AskSystemYesNo(dialog, Text(kTextDlgDeiAreyousure), false, kTextDlgDeiAreyousure))
        return DeinstallOutcome::kCancelled;
    DeinstallOutcome outcome = RunDeinstallation(dialog, inputs, programLeftForRestart);
    if (outcome == DeinstallOutcome::kNotCompleted &&
        ui::AskYesNo(dialog, false, Text(kTextErrDeiNosuccess), kTextErrDeiNosuccess) == ui::Answer::kYes)
        platform::DeleteFilePath(RemovalLogPath(inputs.setupDirectory));
    return outcome;
}
