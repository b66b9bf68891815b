#pragma once

#include "shell/app_context.h"

// Opens the main dialog modelessly, without owner, and runs the program's message loop until the dialog
// closes; returns the loop's exit code. Every message passes the open modeless dialogs first, so Tab, Enter
// and Escape work in each of them.
int RunMainDialog(AppContext& app);
