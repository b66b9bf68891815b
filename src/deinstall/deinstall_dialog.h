#pragma once

#include "deinstall/deinstallation_run.h"
#include "platform/window_ref.h"

// Runs "DLG_deinstall" modally; its Deinstall button confirms and runs the removal. Returns what became of
// it: kCancelled when the dialog was left without a run. On kCompleted the caller ends the program.
DeinstallOutcome OpenDeinstallDialog(WindowRef owner, const DeinstallInputs& inputs);
