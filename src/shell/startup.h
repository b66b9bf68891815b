#pragma once

#include <string>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"
#include "shell/app_context.h"
#include "shell/command_line.h"
#include "shell/exit_codes.h"

// Start-up steps 1 to 8 of the run, before the main dialog opens: the start directory, the program's own
// name, the switches, the language list of the setup information file they name, and the language chosen.
// Returns the switches of an unattended run.
DeploymentSwitches InitializeContext(const std::string& commandLine, AppContext& app);

// 1 when the platform that "[OS]" of the script names is the running one.
int OperatingSystemMatches(const SetupInfoFile& script);

// 1 when the user may change the system (full access to HKLM\SOFTWARE and a file can be created in the
// system directory), else 0 after telling the user. Never leaves the probe file behind.
int CheckAdminRights(WindowRef owner);

// The checks before the main dialog: the operating system, then the rights. kFlowEnded when they pass,
// else where the run ends, after telling the user why the program cannot go on.
RunEnd RunStartupChecks(const AppContext& app, WindowRef owner);

// Exit work: a language chosen during the run rebuilds the Program Manager group in it, from where it was
// installed in this run (the context's InstalledSourcePath and InstalledDestinationPath), or from the
// installed directory the program was started in.
void RebuildGroupForChangedLanguage(const AppContext& app);

// The TextId that the main dialog's action button shows in a run mode, or -1 for no change.
int MainButtonTextId(int runMode);
