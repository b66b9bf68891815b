#pragma once

#include "shell/app_context.h"
#include "shell/answer_file.h"
#include "shell/command_line.h"

// The program's run without a person (/s, /a, /v): the same start-up checks and the same flows as an
// interactive one, answered from the answer file instead of dialogs, with nothing shown. Without /c or /d
// it installs, and then applies the answer file's driver settings as the configuration dialog's OK would;
// /c applies them to the installed configuration, /d removes the installation the program was started
// from, /v compares the installation with its integrity backup and the distribution's file versions and
// changes nothing. Returns the exit code (exit_codes.h).
int RunUnattended(AppContext& app, const DeploymentSwitches& switches);

// The answer file's names that must match the setup information file: its protocols and languages.
AnswerLists ListsOf(const AppContext& app);
