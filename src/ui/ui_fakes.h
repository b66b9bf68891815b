#pragma once

#include <string>
#include <vector>

// Controls of the scripted stand-in for the user, for the unit tests: the answers a test queues and what
// the core showed.
namespace ui::fake {

// What the user was shown, in order.
struct Shown {
    // "InfoMessageBox", "NoticeDialog", "AskYesNo", "AskYesAllNo", "AskRetryIgnore", "AskSystemYesNo",
    // "InfoText" (a progress text), "OpenInfoWindow", "CloseInfoWindow", "IntegrityDialog"
    std::string kind;
    std::string caption;
    std::string text;
    std::string okText;
};
std::vector<Shown>& ShownMessages();
// Also clears the queued answers and the cancel script.
void ResetUserInterface();
// Answers for the next questions, in order (kAnswerYes ... kAnswerIgnore; for AskSystemYesNo 1 is Yes).
// A question without a queued answer is recorded and answered kAnswerCancel (No for AskSystemYesNo).
void QueueAnswers(const std::vector<int>& answers);
size_t PendingAnswers();
// The user presses Cancel (and confirms it) during the given PumpMessages call, counted from 1.
void CancelAtPump(int pump);

}  // namespace ui::fake
