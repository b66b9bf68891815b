#include <windows.h>

#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/main_dialog.h"
#include "shell/startup.h"

namespace {
constexpr int kTextRestart = 410;
constexpr int kTextMessageCaption = 112;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    InitializeContext(commandLine ? commandLine : "");
    INT_PTR result = RunMainDialog();
    RebuildGroupForChangedLanguage();
    if (App().RestartNeeded)
        MessageBoxA(nullptr, Text(kTextRestart).c_str(), Text(kTextMessageCaption).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    return static_cast<int>(result);
}
