#pragma once

#include <string>

#include "platform/window_ref.h"

// The user interaction seam. Message texts arrive ready to show. The notices get their caption and button
// texts from the caller too; the questions and the progress window, like every dialog of the program,
// take theirs from the language table when they open.
namespace ui {

// System message box with the information icon and an OK button; returns the message box's result.
int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text);
// The program's own notice dialog: 0 after OK, -1 when closed by the system menu or not shown.
int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text);
// The hourglass while a long read runs, the arrow again after it.
void ShowWaitCursor(bool wait);

// Question results.
constexpr int kAnswerYes = 1;
constexpr int kAnswerNo = 0;
constexpr int kAnswerAll = 2;
constexpr int kAnswerCancel = -1;  // also the Abort choice, and a dialog closed by its system menu
constexpr int kAnswerRetry = -2;
constexpr int kAnswerIgnore = -3;

// The program's own question dialogs, with their texts from the language table:
// "DLG_yesallno" when withAll, else "DLG_yesno" (Yes, No, All, Cancel); "DLG_abortretryignore".
int AskYesNo(WindowRef owner, bool withAll, const std::string& text);
int AskRetryIgnore(WindowRef owner, const std::string& text);
// A system message box with Yes and No, No the default button, the language's message caption;
// warning selects the warning icon, else the question icon. True on Yes.
bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning);

// The modeless progress window ("DLG_info_cancel" with a Cancel button, else "DLG_info").
WindowRef OpenInfoWindow(WindowRef owner, bool withCancel, bool askOnCancel);
void SetInfoText(WindowRef window, const std::string& text);
// Waits for at least one message, handles every queued one and returns; a progress window's timer makes
// it return at least every 100 ms while that window exists.
void PumpMessages(WindowRef window);
// Destroys a progress window that the user's Cancel has not already destroyed.
void CloseInfoWindow(WindowRef window);
// Set when the user cancelled the progress window; cleared when the next one opens.
bool CancelRequested();

// Centres the window on the screen and makes it the active one again (nothing for no window).
void CenterAndActivate(WindowRef window);

// "DLG_chkintegrity", modal: the driver's settings differ from their backup. Its texts come from the
// language table; information, the text of control 99, arrives formatted with the backup's date.
// Returns 0 (Cancel), 1 (apply the current settings), 2 (restore the backup), -1 when it cannot be shown.
int IntegrityDialog(WindowRef owner, const std::string& information);

// Brings the window to the foreground and makes it the active one (nothing for no window).
void ActivateWindow(WindowRef window);
// Keeps handling messages for the given time, so that a window stays responsive during a pause.
void PumpMessagesFor(WindowRef window, unsigned milliseconds);

}  // namespace ui
