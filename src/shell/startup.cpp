#include "shell/startup.h"

#include "install/install_context.h"
#include "install/progman_group.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"
#include "shell/command_line.h"
#include "shell/message_boxes.h"

namespace {
constexpr int kTextNoRights = 201;
const char* const kRightsProbeFile = "QZTCheck.$$$";
}  // namespace

void InitializeContext(const std::string& commandLine) {
    AppContext& app = App();
    app.SetupDirectory = FitField(platform::CurrentDirectory(), kTextWidth);
    app.SetupInfoFileName = "SETUP.QZT";
    app.DefaultFolderName = "Quorel2";
    app.SetupProgramName = WorkOutSetupProgramName(platform::ModuleFileName(), app.SetupDirectory);
    app.RunMode = kRunNormal;
    // The switches are read after the language list, so "[LANGUAGE]" always comes from SETUP.QZT.
    ReadLanguageSection(app.SetupDirectory, app.Languages);
    ParseCommandLine(commandLine);
    SelectLanguage();
    app.StartLanguageIndex = app.LanguageIndex;
    app.StartRunMode = app.RunMode;
}

int OperatingSystemMatches() {
    return ReadOsSection() == platform::RunningPlatformId() ? 1 : 0;
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
    ShowMessage(owner, Text(kTextNoRights));
    return 0;
}

void RebuildGroupForChangedLanguage() {
    const AppContext& app = App();
    if (app.LanguageIndex == app.StartLanguageIndex || !app.GroupReady)
        return;
    if (app.StartRunMode == kRunNormal && app.RunMode != kRunNormal)
        BuildProgmanGroup(nullptr, Installation().SourcePath, Installation().DestinationPath);
    else if (app.StartRunMode == kRunConfigure || app.StartRunMode == kRunDeinstall)
        BuildProgmanGroup(nullptr, app.SetupDirectory, app.SetupDirectory);
}

int MainButtonTextId(int runMode) {
    switch (runMode) {
        case kRunNormal:
            return 9;
        case kRunConfigure:
            return 10;
        case kRunDeinstall:
            return 11;
        default:
            return -1;
    }
}
