#include "shell/startup.h"

#include "configstore/progman_group.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"
#include "shell/command_line.h"
#include "ui/message_boxes.h"
#include "ui/run_report.h"
#include "ui/script_check.h"
#include "ui/silent_mode.h"
#include "setupfiles/text_ids.h"

namespace {
const char* const kRightsProbeFile = "QZTCheck.$$$";

// The language list of the setup information file into app.Languages; tells the user when the file cannot
// be read.
void ReadLanguageList(AppContext& app) {
    SetupInfoFile script = SetupInfoFile::Read(ScriptPath(app));
    if (!script.IsRead())
        ShowError(nullptr, kScriptMissingText);
    app.Languages = script.ReadLanguageSection();
}
}  // namespace

DeploymentSwitches InitializeContext(const std::string& commandLine, AppContext& app) {
    // The program works beside its own file, wherever it was started from: a start-up script's directory,
    // or the Control Panel's, must not decide which script it installs or removes by.
    std::string callerDirectory = platform::CurrentDirectory();
    std::string program = platform::ModuleFileName();
    app.SetupDirectory = FitField(ProgramDirectory(program, callerDirectory), kTextWidth);
    app.SetupInfoFileName = "SETUP.QZT";
    app.DefaultFolderName = "Quorel2";
    app.SetupProgramName = WorkOutSetupProgramName(program, app.SetupDirectory);
    app.RunMode = kRunNormal;
    // The switches come first: the script that /f names is the one every reader uses, the language list
    // included.
    DeploymentSwitches switches = ParseCommandLine(commandLine, app);
    // The answer file and the report are the caller's: a relative name means its directory.
    switches.answerFile = AbsolutePath(callerDirectory, switches.answerFile);
    switches.reportFile = AbsolutePath(callerDirectory, switches.reportFile);
    platform::SetCurrentDirectoryPath(app.SetupDirectory);
    // A silent run shows nothing from here on, and the report takes down even the first messages. A
    // verification has nobody to answer either: it is run by the tools that detect installations.
    if (switches.silent || switches.verify)
        ui::EnterSilentMode();
    if (!switches.reportFile.empty() && !ui::OpenReport(switches.reportFile)) {
        switches.valid = false;
        switches.problem = platform::IsLinkedFile(switches.reportFile)
                               ? "/r: the report file is linked to another file (a hard link or a reparse "
                                 "point); nothing has been written through it: " +
                                     switches.reportFile
                               : "/r: the report file cannot be written: " + switches.reportFile;
    }
    ReadLanguageList(app);
    SelectLanguage(app);
    app.StartLanguageIndex = app.LanguageIndex;
    app.StartRunMode = app.RunMode;
    return switches;
}

int OperatingSystemMatches(const SetupInfoFile& script) {
    return script.ReadOsSection() == platform::RunningPlatformId() ? 1 : 0;
}

int CheckAdminRights(WindowRef owner) {
    platform::registry::Key software;
    bool keyOpened =
        platform::registry::OpenKey("SOFTWARE", true, software.Put()) == platform::registry::kSuccess;
    software.Reset();

    std::string probe = JoinPath(platform::SystemDirectory(), kRightsProbeFile);
    platform::OutputFile file(probe);
    bool fileCreated = file.IsOpen();
    file.Close();
    if (fileCreated)
        platform::DeleteFilePath(probe);

    if (keyOpened && fileCreated)
        return 1;
    ShowMessage(owner, Text(kTextErrNorights));
    return 0;
}

RunEnd RunStartupChecks(const AppContext& app, WindowRef owner) {
    SetupInfoFile script = SetupInfoFile::Read(ScriptPath(app));
    if (!OperatingSystemMatches(script)) {
        ShowError(owner, Text(kTextErrInvalidOs));
        return RunEnd::kWrongSystem;
    }
    // Whatever flow follows deletes, copies or loads by these names: a script that leads out of its place
    // is refused before any of them starts.
    if (!ScriptNamesStayInside(owner, script))
        return RunEnd::kScriptRefused;
    return CheckAdminRights(owner) ? RunEnd::kFlowEnded : RunEnd::kNoRights;
}

void RebuildGroupForChangedLanguage(const AppContext& app) {
    if (app.LanguageIndex == app.StartLanguageIndex || !app.GroupReady)
        return;
    std::string language = CurrentLanguageName(app);
    if (app.StartRunMode == kRunNormal && app.RunMode != kRunNormal)
        BuildProgmanGroup(nullptr,
                          SetupInfoFile::Read(SetupInfoPath(app.InstalledSourcePath, app.SetupInfoFileName)),
                          language, app.SetupProgramName, app.InstalledDestinationPath);
    else if (app.StartRunMode == kRunConfigure || app.StartRunMode == kRunDeinstall)
        BuildProgmanGroup(nullptr, SetupInfoFile::Read(ScriptPath(app)), language, app.SetupProgramName,
                          app.SetupDirectory);
}

int MainButtonTextId(int runMode) {
    switch (runMode) {
        case kRunNormal:
            return kTextDlgMainInstall;
        case kRunConfigure:
            return kTextDlgMainConfig;
        case kRunDeinstall:
            return kTextDlgMainDeinstall;
        default:
            return -1;
    }
}
