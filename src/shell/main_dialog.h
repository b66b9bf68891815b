#pragma once

#include <windows.h>

// Runs the main dialog modally, without owner; returns its result.
INT_PTR RunMainDialog();

// Sets the main dialog's texts for a run mode; with fill the language combo box is filled again.
void SetMainTexts(HWND dialog, int mode, bool fill);
