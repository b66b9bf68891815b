#pragma once

#include <windows.h>

// Centres the window on the desktop (no clamping: a window larger than the screen gets negative
// coordinates), brings it to the top, shows it and makes it active.
void CenterWindow(HWND window);
