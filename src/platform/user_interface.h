#pragma once

#include <string>

#include "platform/window_ref.h"

// The user interaction seam. Every text arrives ready to show: the portable core picks captions and
// button texts from the language table, so a backend needs no access to it.
namespace platform::ui {

// System message box with the information icon and an OK button; returns the message box's result.
int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text);
// The program's own notice dialog: 0 after OK, -1 when closed by the system menu or not shown.
int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText, const std::string& text);
// The hourglass while a long read runs, the arrow again after it.
void ShowWaitCursor(bool wait);

}  // namespace platform::ui
