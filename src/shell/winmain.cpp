#include <windows.h>
#include <commctrl.h>

#include "install/install_context.h"
#include "setupfiles/app_context.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"
#include "shell/exit_codes.h"
#include "shell/intro_window.h"
#include "shell/main_dialog.h"
#include "shell/startup.h"
#include "shell/unattended_run.h"
#include "ui/message_boxes.h"
#include "ui/run_report.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // The manifest asks for common controls 6; Windows XP only activates them for a program that calls
    // into comctl32 itself.
    InitCommonControls();
    DeploymentSwitches switches = InitializeContext(commandLine ? commandLine : "");
    if (switches.silent || switches.verify)
        return RunUnattended(App(), switches);
    if (!switches.valid) {
        ShowError(nullptr, switches.problem);
        ui::Report(switches.problem);
        return kExitBadCommandLine;
    }
    // The start window loads the language while it shows, so every later text is in it.
    ShowIntroWindow(nullptr);
    RunSummary summary;
    summary.end = RunStartupChecks(App(), nullptr);
    if (summary.end != RunEnd::kFlowEnded)
        return ExitCode(summary);
    int result = RunMainDialog();
    RebuildGroupForChangedLanguage(App(), Installation().SourcePath, Installation().DestinationPath);
    if (App().RestartNeeded)
        MessageBoxA(nullptr, Text(kTextQuestRestartsystem).c_str(), Text(kTextMsgCaption).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    return result;
}
