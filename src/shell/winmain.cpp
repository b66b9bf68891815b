#include <windows.h>

#include "install/install_context.h"
#include "install/progman_group.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/main_dialog.h"
#include "shell/startup.h"

namespace {
constexpr int kTextRestart = 410;
constexpr int kTextMessageCaption = 112;
// The group carries the language of its item titles: a language chosen during the run rebuilds it, from
// where it was installed in this run, or from the installed directory the program was started in.
void RebuildGroupForChangedLanguage() {
    const AppContext& app = App();
    if (app.LanguageIndex == app.StartLanguageIndex || !app.GroupReady) return;
    if (app.StartRunMode == kRunNormal && app.RunMode != kRunNormal)
        BuildProgmanGroup(nullptr, Installation().SourcePath, Installation().DestinationPath);
    else if (app.StartRunMode == kRunConfigure || app.StartRunMode == kRunDeinstall)
        BuildProgmanGroup(nullptr, app.SetupDirectory, app.SetupDirectory);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    InitializeContext(commandLine ? commandLine : "");
    INT_PTR result = RunMainDialog();
    RebuildGroupForChangedLanguage();
    if (App().RestartNeeded)
        MessageBoxA(nullptr, Text(kTextRestart).c_str(), Text(kTextMessageCaption).c_str(), MB_OK | MB_ICONINFORMATION);
    return static_cast<int>(result);
}
