#pragma once

#include <string>
#include <variant>
#include <vector>

#include "ui/user_interface.h"

// Controls of the scripted stand-in for the user, for the unit tests: the answers a test queues and what
// the core showed.
namespace ui::fake {

// What the user was shown, in order.
struct Shown {
    // "InfoMessageBox", "NoticeDialog", "AskYesNo", "AskYesAllNo", "AskRetryIgnore", "AskSystemYesNo",
    // "InfoText" (a progress text), "OpenInfoWindow", "CloseInfoWindow", "IntegrityDialog",
    // "AnswerOfAnotherType" (a mistake of the test's queue)
    std::string kind;
    std::string caption;
    std::string text;
    std::string okText;
};
std::vector<Shown>& ShownMessages();
// Also clears the queued answers and the cancel script.
void ResetUserInterface();
// An answer for one question: an Answer for the questions (for AskSystemYesNo kYes is Yes, any other No),
// an IntegrityAnswer for the integrity dialog.
using QueuedAnswer = std::variant<Answer, IntegrityAnswer>;
// Answers for the next questions, in order. A question without a queued answer is recorded and answered
// Cancel (No for AskSystemYesNo); one whose queued answer is of another type is recorded as
// "AnswerOfAnotherType" as well.
void QueueAnswers(const std::vector<QueuedAnswer>& answers);
size_t PendingAnswers();
// The user presses Cancel (and confirms it) during the given PumpMessages call, counted from 1.
void CancelAtPump(int pump);

}  // namespace ui::fake
