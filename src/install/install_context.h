#pragma once

#include <string>

// State of the installation that outlives a single dialog or call.
struct InstallContext {
    std::string SourcePath;       // where the setup information file and "[ADDFILES]" come from
    std::string DestinationPath;  // the installation directory
    // The remembered All answer to the overwrite question; cleared by the installation run.
    bool OverwriteAll = false;
};

InstallContext& Installation();
