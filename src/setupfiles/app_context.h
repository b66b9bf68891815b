#pragma once

#include <string>
#include <vector>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

enum RunModeValue { kRunNormal = 0, kRunConfigure = 1, kRunDeinstall = 2 };

// The process-wide context: set at start-up. The program's top and the dialogs read it and hand what a
// flow needs to it as parameters.
struct AppContext {
    std::string SetupDirectory;
    std::string SetupInfoFileName = "SETUP.QZT";
    std::string SetupProgramName = "SETUP.EXE";
    std::string DefaultFolderName = "Quorel2";
    int RunMode = kRunNormal;
    int StartRunMode = kRunNormal;
    std::string RequestedLanguage;
    LanguageList Languages;
    int LanguageIndex = 0;
    int StartLanguageIndex = 0;
    WindowRef MainWindow = nullptr;
    bool GroupReady = true;
    bool RestartNeeded = false;
};

AppContext& App();

// The setup information file in the setup directory.
std::string ScriptPath(const AppContext& app);
// The display name and the language file of the current language; empty when none is listed.
std::string CurrentLanguageName(const AppContext& app);
std::string CurrentLanguageFile(const AppContext& app);
