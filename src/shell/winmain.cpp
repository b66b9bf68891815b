#include <windows.h>

#include "install/install_context.h"
#include "setupfiles/app_context.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"
#include "shell/intro_window.h"
#include "shell/main_dialog.h"
#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    InitializeContext(commandLine ? commandLine : "");
    // The start window loads the language while it shows, so every later text is in it.
    ShowIntroWindow(nullptr);
    if (!RunStartupChecks(App(), nullptr))
        return 0;
    int result = RunMainDialog();
    RebuildGroupForChangedLanguage(App(), Installation().SourcePath, Installation().DestinationPath);
    if (App().RestartNeeded)
        MessageBoxA(nullptr, Text(kTextQuestRestartsystem).c_str(), Text(kTextMsgCaption).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    return result;
}
