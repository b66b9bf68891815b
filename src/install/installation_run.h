#pragma once

#include <string>

#include "platform/window_ref.h"

// Installs the driver from sourcePath (setup information file, "[ADDFILES]") and the start directory (setup
// program, "[COMPFILES]") into destinationPath and the Windows tree, builds the Program Manager group and
// writes a fresh, backed-up configuration unless the administrator keeps an earlier one. The install dialog
// owns every question; it closes when this returns.
void RunInstallation(WindowRef installDialog, const std::string& sourcePath,
                     const std::string& destinationPath);

// The three copy steps: 1 every file done, 0 at least one file ignored, -1 abort or cancel.
int CopySetupFiles(WindowRef progress, WindowRef owner, const std::string& sourcePath,
                   const std::string& destinationPath);
int CopyAddFiles(WindowRef progress, WindowRef owner, const std::string& sourcePath,
                 const std::string& destinationPath);
int ExpandCompFiles(WindowRef progress, WindowRef owner, const std::string& sourcePath,
                    const std::string& destinationPath);
