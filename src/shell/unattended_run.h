#pragma once

#include "setupfiles/app_context.h"
#include "shell/answer_file.h"
#include "shell/command_line.h"

// The program's run without a person (/s, /a): the same start-up checks and the same installation run as
// an interactive one, answered from the answer file instead of dialogs, with nothing shown. Returns the
// exit code (exit_codes.h). Only the installation runs silently so far: a silent configuration (/c),
// removal (/d) and verification (/v) end with kExitBadCommandLine, before anything is changed.
int RunUnattended(AppContext& app, const DeploymentSwitches& switches);

// The answer file's names that must match the setup information file: its protocols and languages.
AnswerLists ListsOf(const AppContext& app);
