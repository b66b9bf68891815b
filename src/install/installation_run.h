#pragma once

#include <string>

#include "platform/window_ref.h"

// What the installation needs of the program that starts it.
struct InstallationSetup {
    std::string setupDirectory;  // where the program was started: the setup program, the compressed files
    std::string scriptFileName;  // the setup information file's name
    std::string programName;     // the setup program's file name relative to setupDirectory
    std::string languageName;    // the current language, for the Program Manager group
};

// What became of a run, for the dialogs that started it.
struct InstallationOutcome {
    bool started = false;    // the run began: the files and the group of an earlier state may be gone
    bool completed = false;  // every file in place and the configuration written as its backup says
    bool configurationWritten = false;  // a new configuration was written: the configuration dialog opens
    bool groupReady = false;     // the Program Manager group stands and may be rebuilt in another language
    bool restartNeeded = false;  // new driver images or a new configuration take effect at the next start
    bool wrongProcessor =
        false;  // the driver is for another processor than the running Windows: nothing done
    // Where the run installed from and to, once it started.
    std::string sourcePath;
    std::string destinationPath;
};

// Installs the driver from sourcePath (setup information file, "[ADDFILES]") and the setup directory (setup
// program, "[COMPFILES]") into destinationPath and the Windows tree, builds the Program Manager group and
// writes a fresh, backed-up configuration unless the administrator keeps an earlier one. The install dialog
// owns every question; it closes when this returns.
InstallationOutcome RunInstallation(WindowRef installDialog, const InstallationSetup& setup,
                                    const std::string& sourcePath, const std::string& destinationPath);
