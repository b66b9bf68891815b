#pragma once

#include <string>
#include <vector>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

enum RunModeValue { kRunNormal = 0, kRunConfigure = 1, kRunDeinstall = 2 };

// The program's context: set at start-up and owned by the program's top, which hands what a flow needs
// to it as parameters; nothing below the top reads or writes it.
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
    // Where this run installed from and to; empty until an installation started.
    std::string InstalledSourcePath;
    std::string InstalledDestinationPath;
};

// The setup information file in the setup directory.
std::string ScriptPath(const AppContext& app);
// The display name and the language file of the current language; empty when none is listed.
std::string CurrentLanguageName(const AppContext& app);
std::string CurrentLanguageFile(const AppContext& app);

// Loads the current language's file over the text table, with the hourglass while it reads, and tells the
// user about a file that cannot be opened and about every key it lacks. Returns LoadLanguageTable's result.
int LoadCurrentLanguage(const AppContext& app);
