#include <deque>

#include "ui/interaction_backend.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/ui_fakes.h"
#include "ui/user_interface.h"

// The scripted stand-in for the user: answers come from a queue, everything shown is recorded.
namespace ui {

namespace {
std::vector<fake::Shown> g_shown;
std::deque<fake::QueuedAnswer> g_answers;
int g_cancelAtPump = 0;
int g_pumps = 0;
bool g_cancelRequested = false;
int g_nextWindow = 1;

// The next queued answer of the question's type; an unanswered question gets the one that ends the run
// there. An answer of another type is a mistake of the test's script: it is recorded, so that the test sees
// it, and taken as that ending answer.
template <typename T>
T NextAnswer(const std::string& kind, const std::string& text, T unanswered) {
    g_shown.push_back({kind, "", text, ""});
    if (g_answers.empty())
        return unanswered;
    fake::QueuedAnswer queued = g_answers.front();
    g_answers.pop_front();
    if (const T* answer = std::get_if<T>(&queued))
        return *answer;
    g_shown.push_back({"AnswerOfAnotherType", "", text, ""});
    return unanswered;
}
}  // namespace

namespace fake {
std::vector<Shown>& ShownMessages() {
    return g_shown;
}
void ResetUserInterface() {
    g_shown.clear();
    g_answers.clear();
    g_cancelAtPump = 0;
    g_pumps = 0;
    g_cancelRequested = false;
    LeaveSilentMode();
    CloseReport();
}
void QueueAnswers(const std::vector<QueuedAnswer>& answers) {
    g_answers.insert(g_answers.end(), answers.begin(), answers.end());
}
size_t PendingAnswers() {
    return g_answers.size();
}
void CancelAtPump(int pump) {
    g_cancelAtPump = pump;
}
}  // namespace fake

namespace backend {

int InfoMessageBox(WindowRef, const std::string& caption, const std::string& text) {
    g_shown.push_back({"InfoMessageBox", caption, text, ""});
    return 1;  // IDOK
}

int NoticeDialog(WindowRef, const std::string& caption, const std::string& okText, const std::string& text) {
    g_shown.push_back({"NoticeDialog", caption, text, okText});
    return 0;
}

Answer AskYesNo(WindowRef, bool withAll, const std::string& text) {
    return NextAnswer(withAll ? "AskYesAllNo" : "AskYesNo", text, Answer::kCancel);
}

Answer AskRetryIgnore(WindowRef, const std::string& text) {
    return NextAnswer("AskRetryIgnore", text, Answer::kCancel);
}

bool AskSystemYesNo(WindowRef, const std::string& text, bool) {
    return NextAnswer("AskSystemYesNo", text, Answer::kNo) == Answer::kYes;
}

IntegrityAnswer IntegrityDialog(WindowRef, const std::string& information) {
    return NextAnswer("IntegrityDialog", information, IntegrityAnswer::kCancel);
}

WindowRef OpenInfoWindow(WindowRef, bool, bool) {
    g_cancelRequested = false;
    g_shown.push_back({"OpenInfoWindow", "", "", ""});
    return reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(g_nextWindow++));
}

void ForgetInfoWindow() {
    g_cancelRequested = false;
}

void SetInfoText(WindowRef, const std::string& text) {
    g_shown.push_back({"InfoText", "", text, ""});
}

// Every text is recorded as it is set: none waits.
void ShowWaitingInfoText() {}

// The user stand-in's Cancel is for the windows it is shown.
void PumpMessages(WindowRef) {
    ++g_pumps;
    if (g_pumps == g_cancelAtPump)
        g_cancelRequested = true;
}

// A pause counts as one more chance for the user's Cancel.
void PumpMessagesFor(WindowRef window, unsigned) {
    PumpMessages(window);
}

}  // namespace backend

void ShowWaitCursor(bool) {}

void CloseInfoWindow(WindowRef window) {
    if (!window)
        return;
    g_shown.push_back({"CloseInfoWindow", "", "", ""});
}

bool CancelRequested() {
    return g_cancelRequested;
}

void CenterAndActivate(WindowRef) {}

void ActivateWindow(WindowRef) {}

}  // namespace ui
