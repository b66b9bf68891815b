#pragma once

#include <string>

#include "platform/window_ref.h"

// The user interaction seam. Message texts arrive ready to show. The notices and questions are one portable
// front (interaction.cpp) over the windows of each backend (interaction_backend.h): in a silent run
// (silent_mode.h) nothing is shown, questions get the silent answers, and texts go to the report
// (run_report.h) in place of windows; with a report open every text shown and every answer given is
// reported as well. Both are decided there once, for both backends. The notices get their
// caption and button texts from the caller too; the questions and the progress window, like every dialog of
// the program, take theirs from the language table when they open.
namespace ui {

// System message box with the information icon and an OK button; returns the message box's result.
int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text);
// The program's own notice dialog: 0 after OK, -1 when closed by the system menu or not shown.
int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text);
// The hourglass while a long read runs, the arrow again after it.
void ShowWaitCursor(bool wait);

// What a question was answered. Abort, and a question closed by its system menu or that could not be shown,
// are kCancel.
enum class Answer { kYes, kNo, kAll, kCancel, kRetry, kIgnore };

// A question names itself by the TextId of its text, so that a silent run can answer it (silent_mode.h);
// a question without a name gets the answer that ends the run there.
constexpr int kUnnamedQuestion = -1;

// The program's own question dialogs, with their texts from the language table:
// "DLG_yesallno" when withAll, else "DLG_yesno" (Yes, No, All, Cancel); "DLG_abortretryignore".
Answer AskYesNo(WindowRef owner, bool withAll, const std::string& text, int questionId = kUnnamedQuestion);
Answer AskRetryIgnore(WindowRef owner, const std::string& text, int questionId = kUnnamedQuestion);
// A system message box with Yes and No, No the default button, the language's message caption;
// warning selects the warning icon, else the question icon. True on Yes.
bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning,
                    int questionId = kUnnamedQuestion);

// The modeless progress window ("DLG_info_cancel" with a Cancel button, else "DLG_info").
WindowRef OpenInfoWindow(WindowRef owner, bool withCancel, bool askOnCancel);
// A text set less than kProgressTextStandMs after the one shown before waits, and the pump shows it when
// that time is up; a notice, a question or a pause shows it first (progress_pacing.h).
void SetInfoText(WindowRef window, const std::string& text);
// Handles every queued message and returns; it never waits for one.
void PumpMessages(WindowRef window);
// Destroys a progress window that the user's Cancel has not already destroyed.
void CloseInfoWindow(WindowRef window);
// Set when the user cancelled the progress window; cleared when the next one opens.
bool CancelRequested();

// Centres the window on the screen and makes it the active one again (nothing for no window).
void CenterAndActivate(WindowRef window);

// "DLG_chkintegrity", modal: the driver's settings differ from their backup. Its texts come from the
// language table; information, the text of control 99, arrives formatted with the backup's date. Cancel
// also when it is closed or cannot be shown.
enum class IntegrityAnswer { kCancel, kApplyCurrent, kRestoreBackup };
IntegrityAnswer IntegrityDialog(WindowRef owner, const std::string& information);

// Brings the window to the foreground and makes it the active one (nothing for no window).
void ActivateWindow(WindowRef window);
// Keeps handling messages for the given time, so that a window stays responsive during a pause.
void PumpMessagesFor(WindowRef window, unsigned milliseconds);

}  // namespace ui
