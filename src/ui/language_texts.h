#pragma once

#include <windows.h>

// Setters of window texts from the language table.

// The window's caption := text id.
void SetCaptionText(HWND window, int id);
// The control's text := the text whose id is the control id. A control the dialog lacks is left alone.
void SetItemText(HWND dialog, int control);
// The control's text := text id.
void SetItemTextFrom(HWND dialog, int control, int id);
