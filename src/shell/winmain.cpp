#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "platform/wow64_win32.h"
#include "shell/app_context.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"
#include "shell/exit_codes.h"
#include "shell/intro_window.h"
#include "shell/main_dialog.h"
#include "shell/single_run.h"
#include "shell/startup.h"
#include "shell/unattended_run.h"
#include "ui/message_boxes.h"
#include "ui/run_report.h"

// The C++ library's default handler for an exception that escapes names it with a demangler that is a
// twelfth of the program's size; the program catches what it throws, and an escaped exception has nothing
// more to tell than that the run ended. Defined here, the library's is not linked in.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

namespace {
// Where the system has it (XP SP1 and later), the current directory leaves the DLL search: a DLL planted
// where the program was started from must not load into an administrator's process. Looked up, as NT 4.0
// does not export it.
void RemoveCurrentDirectoryFromDllSearch() {
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
    auto setDllDirectory =
        platform::SystemExport<SetDllDirectoryFunction>("kernel32.dll", "SetDllDirectoryA");
    if (setDllDirectory)
        setDllDirectory("");
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // The manifest asks for common controls 6; Windows XP only activates them for a program that calls
    // into comctl32 itself.
    InitCommonControls();
    // A drive without a medium (an empty diskette drive in a path) fails the call instead of stopping a
    // run, silent or not, at the system's own "no disk" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    RemoveCurrentDirectoryFromDllSearch();
    // The run's context: every flow gets what it needs of it from here.
    AppContext app;
    DeploymentSwitches switches = InitializeContext(commandLine ? commandLine : "", app);
    // Asking for the switches changes nothing, so it needs neither the claim nor the rights; a silent run
    // writes them into the report.
    if (switches.help) {
        LoadCurrentLanguage(app);
        ShowError(nullptr, Text(kTextTextCommandLine));
        return kExitSuccess;
    }
    SingleRunClaim claim;
    if (!claim.Held()) {
        LoadCurrentLanguage(app);
        if (switches.silent || switches.verify) {
            ui::Report(Text(kTextErrAlreadyRunning));
            ui::Report("Exit code " + std::to_string(kExitAnotherRun));
        } else {
            ShowError(nullptr, Text(kTextErrAlreadyRunning));
        }
        return kExitAnotherRun;
    }
    if (switches.silent || switches.verify)
        return RunUnattended(app, switches);
    if (!switches.valid) {
        ShowError(nullptr, switches.problem);
        ui::Report(switches.problem);
        return kExitBadCommandLine;
    }
    // The start window loads the language while it shows, so every later text is in it.
    ShowIntroWindow(nullptr, app);
    RunSummary summary;
    summary.end = RunStartupChecks(app, nullptr);
    if (summary.end != RunEnd::kFlowEnded)
        return ExitCode(summary);
    int result = RunMainDialog(app);
    RebuildGroupForChangedLanguage(app);
    // Through the notices every other message takes, so that a report (/r) records it too.
    if (app.RestartNeeded)
        ShowError(nullptr, Text(kTextQuestRestartsystem));
    return result;
}
