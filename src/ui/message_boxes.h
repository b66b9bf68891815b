#pragma once

#include <string>

#include "platform/window_ref.h"

// Notices that only have to be acknowledged. The caller formats the text; the caption is the language's
// message caption (empty before a language file was read).

// The system message box with the information icon; returns its result.
int ShowError(WindowRef owner, const std::string& text);
// The program's own notice dialog: 0 after OK, -1 when closed by the system menu.
int ShowMessage(WindowRef owner, const std::string& text);
