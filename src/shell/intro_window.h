#pragma once

#include <windows.h>

#include "shell/app_context.h"

// The start window: shows the program's bitmap while the language file is loaded, and closes after
// 2500 ms or at a key press or mouse click.
void ShowIntroWindow(HWND owner, const AppContext& app);
