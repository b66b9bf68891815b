#include <deque>

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
    g_shown.push_back({"InfoMessageBox", caption, text, ""});
    return 1;  // IDOK
}

int NoticeDialog(WindowRef, const std::string& caption, const std::string& okText, const std::string& text) {
    g_shown.push_back({"NoticeDialog", caption, text, okText});
    return 0;
}

void ShowWaitCursor(bool) {}

int AskYesNo(WindowRef, bool withAll, const std::string& text) {
    return NextAnswer(withAll ? "AskYesAllNo" : "AskYesNo", text);
}

int AskRetryIgnore(WindowRef, const std::string& text) {
    return NextAnswer("AskRetryIgnore", text);
}

bool AskSystemYesNo(WindowRef, const std::string& text, bool) {
    return NextAnswer("AskSystemYesNo", text) == 1;
}

WindowRef OpenInfoWindow(WindowRef, bool, bool) {
    g_cancelRequested = false;
    g_shown.push_back({"OpenInfoWindow", "", "", ""});
    return reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(g_nextWindow++));
}

void SetInfoText(WindowRef, const std::string& text) {
    g_shown.push_back({"InfoText", "", text, ""});
}

void PumpMessages(WindowRef) {
    ++g_pumps;
    if (g_pumps == g_cancelAtPump)
        g_cancelRequested = true;
}

void CloseInfoWindow(WindowRef) {
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
    return NextAnswer("IntegrityDialog", information);
}

}  // namespace ui
