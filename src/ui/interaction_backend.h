#pragma once

#include <string>

#include "platform/window_ref.h"
#include "ui/user_interface.h"

// The windows behind the notices and questions of user_interface.h: Win32 dialogs in the program, the
// scripted stand-in in the native tests. They only show and return; whether a window is shown at all and
// what goes into the report is decided once, in front of them (interaction.cpp).
namespace ui::backend {

int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text);
int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text);
Answer AskYesNo(WindowRef owner, bool withAll, const std::string& text);
Answer AskRetryIgnore(WindowRef owner, const std::string& text);
bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning);
IntegrityAnswer IntegrityDialog(WindowRef owner, const std::string& information);

WindowRef OpenInfoWindow(WindowRef owner, bool withCancel, bool askOnCancel);
// No progress window in this run's part: an earlier window's Cancel no longer counts.
void ForgetInfoWindow();
// A text may wait to be shown (progress_pacing.h); the pump shows it when its time has come.
void SetInfoText(WindowRef window, const std::string& text);
// Shows the text that waits, whatever the time: the run is about to show something else or to pause.
void ShowWaitingInfoText();
void PumpMessages(WindowRef window);
void PumpMessagesFor(WindowRef window, unsigned milliseconds);

}  // namespace ui::backend
