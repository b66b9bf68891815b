#pragma once

#include <string>
#include <vector>

#include "platform/window_ref.h"

// Capacities of the fixed-width fields of the setup files and records, in bytes including the
// terminating zero: a value holds at most width - 1 characters.
constexpr size_t kTextWidth = 260;
constexpr size_t kLanguageNameWidth = 64;
constexpr size_t kRequestedLanguageWidth = 16;
constexpr size_t kMaxLanguages = 16;

struct LanguageEntry {
    std::string displayName;  // shown in the main dialog's combo box
    std::string fileName;     // relative to SetupDirectory
};

struct LanguageList {
    std::vector<LanguageEntry> entries;  // at most kMaxLanguages
};

enum RunModeValue { kRunNormal = 0, kRunConfigure = 1, kRunDeinstall = 2 };

// The process-wide context: set at start-up, read by every flow.
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
