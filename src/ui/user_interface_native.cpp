#include <deque>

#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/ui_fakes.h"
#include "ui/user_interface.h"

// The scripted stand-in for the user: answers come from a queue, everything shown is recorded.
namespace ui {

namespace {
std::vector<fake::Shown> g_shown;
std::deque<int> g_answers;
int g_cancelAtPump = 0;
int g_pumps = 0;
bool g_cancelRequested = false;
int g_nextWindow = 1;

int NextAnswer(const std::string& kind, const std::string& text) {
    g_shown.push_back({kind, "", text, ""});
    if (g_answers.empty())
        return kAnswerCancel;
    int answer = g_answers.front();
    g_answers.pop_front();
    return answer;
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
void QueueAnswers(const std::vector<int>& answers) {
    g_answers.insert(g_answers.end(), answers.begin(), answers.end());
}
size_t PendingAnswers() {
    return g_answers.size();
}
void CancelAtPump(int pump) {
    g_cancelAtPump = pump;
}
}  // namespace fake

int InfoMessageBox(WindowRef, const std::string& caption, const std::string& text) {
    if (SilentMode()) {
        SilentNotice(text);
        return 1;  // IDOK
    }
    Report(text);
    g_shown.push_back({"InfoMessageBox", caption, text, ""});
    return 1;  // IDOK
}

int NoticeDialog(WindowRef, const std::string& caption, const std::string& okText, const std::string& text) {
    if (SilentMode()) {
        SilentNotice(text);
        return 0;
    }
    Report(text);
    g_shown.push_back({"NoticeDialog", caption, text, okText});
    return 0;
}

void ShowWaitCursor(bool) {}

int AskYesNo(WindowRef, bool withAll, const std::string& text, int questionId) {
    if (SilentMode())
        return SilentYesNo(text, questionId);
    int answer = NextAnswer(withAll ? "AskYesAllNo" : "AskYesNo", text);
    ReportAnswer(QuestionKind::kYesNo, text, answer);
    return answer;
}

int AskRetryIgnore(WindowRef, const std::string& text, int questionId) {
    if (SilentMode())
        return SilentRetryIgnore(text, questionId);
    int answer = NextAnswer("AskRetryIgnore", text);
    ReportAnswer(QuestionKind::kRetryIgnore, text, answer);
    return answer;
}

bool AskSystemYesNo(WindowRef, const std::string& text, bool, int questionId) {
    if (SilentMode())
        return SilentSystemYesNo(text, questionId);
    bool yes = NextAnswer("AskSystemYesNo", text) == 1;
    ReportAnswer(QuestionKind::kSystemYesNo, text, yes ? 1 : 0);
    return yes;
}

WindowRef OpenInfoWindow(WindowRef, bool, bool) {
    g_cancelRequested = false;
    if (SilentMode())
        return nullptr;
    g_shown.push_back({"OpenInfoWindow", "", "", ""});
    return reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(g_nextWindow++));
}

void SetInfoText(WindowRef, const std::string& text) {
    Report(text);
    if (SilentMode())
        return;
    g_shown.push_back({"InfoText", "", text, ""});
}

// A silent run has no window to cancel; the user stand-in's Cancel is for the windows it would show.
void PumpMessages(WindowRef) {
    if (SilentMode())
        return;
    ++g_pumps;
    if (g_pumps == g_cancelAtPump)
        g_cancelRequested = true;
}

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

// A pause counts as one more chance for the user's Cancel.
void PumpMessagesFor(WindowRef window, unsigned) {
    PumpMessages(window);
}

int IntegrityDialog(WindowRef, const std::string& information) {
    if (SilentMode())
        return SilentIntegrity(information);
    int answer = NextAnswer("IntegrityDialog", information);
    ReportAnswer(QuestionKind::kIntegrity, information, answer);
    return answer;
}

}  // namespace ui
