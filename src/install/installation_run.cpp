#include "install/installation_run.h"

#include <algorithm>
#include <vector>

#include "configstore/capi_index.h"
#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/integrity_backup.h"
#include "configstore/key_deletion.h"
#include "deinstall/removal_log.h"
#include "install/copy_file.h"
#include "install/install_context.h"
#include "install/progman_group.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"
#include "shell/message_boxes.h"
#include "shell/text_format.h"

namespace {

constexpr int kTextInstallFailed = 204;
constexpr int kTextCopyFile = 302;
constexpr int kTextExpandFile = 303;
constexpr int kTextSystemEntries = 304;
constexpr int kTextOtherMaker = 305;
constexpr int kTextInstallDone = 306;
constexpr int kTextKeepOld = 402;
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
    int textId = expand ? kTextExpandFile : kTextCopyFile;
    platform::ui::SetInfoText(progress, FormatText(Text(textId), {source, target}));
    platform::ui::PumpMessages(progress);
    if (platform::ui::CancelRequested()) {
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
bool WriteNewConfiguration(uint32_t capiIndex) {
    DriverConfig& config = GlobalDriverConfig();
    AdapterArray& adapters = GlobalAdapters();
    SetDefaultDriverConfig(capiIndex, config);
    for (uint32_t i = 0; i < config.NumberOfControllers && i < adapters.size(); ++i)
        SetDefaultAdapterConfig(adapters[i]);
    std::string protocol;
    // The default protocol comes from the script beside the running program, not from the source path.
    if (ReadDefaultProtocol(protocol))
        GetScriptNewImagePath(protocol, config.ImagePath);
    DeleteOptionalParameters();
    bool complete = WriteDriverConfig(capiIndex, config);
    DeleteAdapterKeys();
    for (uint32_t i = 0; i < config.NumberOfControllers && i < adapters.size(); ++i)
        complete = WriteAdapterConfig(adapters[i], i, 0) && complete;
    return complete;
}

void RemoveRemovalLog() {
    std::string path = RemovalLogPath(App().SetupDirectory);
    platform::SetFileAttributesOf(path, platform::kAttributeNormal);
    platform::DeleteFilePath(path);
}

void EndUnsuccessful(WindowRef progress, WindowRef owner) {
    platform::ui::CloseInfoWindow(progress);
    ShowMessage(owner, Text(kTextInstallFailed));
}

}  // namespace

int CopySetupFiles(WindowRef progress, WindowRef owner, const std::string& sourcePath,
                   const std::string& destinationPath) {
    const AppContext& app = App();
    int result = 1;
    CreatePathDirectories(progress, destinationPath);
    if (!FileStep(progress, owner, JoinPath(sourcePath, app.SetupInfoFileName),
                  JoinPath(destinationPath, app.SetupInfoFileName), false, result))
        return result;
    // The setup program always comes from where it was started, whatever the source path says.
    FileStep(progress, owner, JoinPath(app.SetupDirectory, app.SetupProgramName),
             JoinPath(destinationPath, app.SetupProgramName), false, result);
    return result;
}

int CopyAddFiles(WindowRef progress, WindowRef owner, const std::string& sourcePath,
                 const std::string& destinationPath) {
    std::vector<AddFile> files;
    ReadAddFiles(sourcePath, files);
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

int ExpandCompFiles(WindowRef progress, WindowRef owner, const std::string& sourcePath,
                    const std::string& destinationPath) {
    std::vector<CompFile> files;
    ReadCompFiles(sourcePath, files);
    std::string windows = platform::WindowsDirectory();
    int result = 1;
    for (const CompFile& file : files) {
        // The compressed driver files come from where the program was started, not from the source path.
        std::string source = Join3(App().SetupDirectory, file.sourceSubdirectory, file.sourceName);
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

void RunInstallation(WindowRef installDialog, const std::string& sourcePath,
                     const std::string& destinationPath) {
    AppContext& app = App();
    InstallContext& install = Installation();
    install.SourcePath = FitField(sourcePath, kTextWidth);
    install.DestinationPath = FitField(destinationPath, kTextWidth);
    WindowRef progress = platform::ui::OpenInfoWindow(installDialog, true, true);
    platform::ui::ActivateWindow(progress);
    app.GroupReady = false;
    install.OverwriteAll = false;

    int result = CopySetupFiles(progress, installDialog, install.SourcePath, install.DestinationPath);
    if (result != kStepAbort) {
        int step = CopyAddFiles(progress, installDialog, install.SourcePath, install.DestinationPath);
        result = step == kStepAbort ? step : std::min(result, step);
    }
    if (result != kStepAbort) {
        int step = ExpandCompFiles(progress, installDialog, install.SourcePath, install.DestinationPath);
        result = step == kStepAbort ? step : std::min(result, step);
    }
    if (result != 1) {
        EndUnsuccessful(progress, installDialog);
        return;
    }
    ShowMessage(installDialog, Text(kTextInstallDone));
    WriteStoredScriptVersion(ReadScriptVersion(install.SourcePath));

    platform::ui::SetInfoText(progress, Text(kTextSystemEntries));
    platform::ui::ActivateWindow(progress);
    platform::ui::PumpMessages(progress);
    // The pause lets a last Cancel in; the window keeps answering while it lasts.
    platform::ui::PumpMessagesFor(progress, kSystemEntriesPauseMs);
    platform::ui::PumpMessages(progress);
    if (platform::ui::CancelRequested()) {
        EndUnsuccessful(progress, installDialog);
        return;
    }
    platform::ui::CloseInfoWindow(progress);
    BuildProgmanGroup(installDialog, install.SourcePath, install.DestinationPath);
    platform::ui::ActivateWindow(installDialog);
    app.GroupReady = true;
    install.OverwriteAll = false;

    bool existing = false;
    uint32_t capiIndex = FindCapiIndex(&existing);
    if (capiIndex > 1 && HasOtherCapiEntries())
        ShowMessage(installDialog, Text(kTextOtherMaker));
    app.RestartNeeded = !existing;
    // Only an explicit No discards the earlier configuration; closing the question keeps it.
    bool fresh = !existing ||
                 platform::ui::AskYesNo(installDialog, false, Text(kTextKeepOld)) == platform::ui::kAnswerNo;
    if (fresh && WriteNewConfiguration(capiIndex))
        WriteIntegrityBackup();

    RemoveRemovalLog();
    app.RunMode = kRunConfigure;
    platform::ui::SetMainDialogMode(app.MainWindow, kRunConfigure);
}
