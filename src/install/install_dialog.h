#pragma once

#include <string>

#include "install/installation_run.h"
#include "platform/window_ref.h"

// The default installation directory: the Windows drive root followed by the default folder name.
std::string DefaultDestinationPath(const std::string& folderName);

// Runs the install dialog modally; Install starts the installation run inside it. Returns what became of
// the run (nothing completed when the dialog was left without one).
InstallationOutcome OpenInstallDialog(WindowRef owner, const InstallationSetup& setup,
                                      const std::string& defaultFolder);
