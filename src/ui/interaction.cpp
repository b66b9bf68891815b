#include "ui/interaction_backend.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/user_interface.h"

// Every notice and question goes the same way, whichever backend shows it: in a silent run the window is
// left out and the silent answer taken; the text, and the answer given, go into the report either way.
namespace ui {

// The message box's OK, which a silent run counts as given.
constexpr int kMessageBoxOk = 1;

namespace {
// A notice or question may be about the file whose progress text still waits to be shown: the window
// behind it names that file first. A pause shows it too, for the whole pause.
bool Shows() {
    if (SilentMode())
        return false;
    backend::ShowWaitingInfoText();
    return true;
}
}  // namespace

int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text) {
    Report(text);
    return Shows() ? backend::InfoMessageBox(owner, caption, text) : kMessageBoxOk;
}

int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text) {
    Report(text);
    return Shows() ? backend::NoticeDialog(owner, caption, okText, text) : 0;
}

Answer AskYesNo(WindowRef owner, bool withAll, const std::string& text, int questionId) {
    Answer answer = Shows() ? backend::AskYesNo(owner, withAll, text) : SilentYesNo(questionId);
    ReportAnswer(text, answer);
    return answer;
}

Answer AskRetryIgnore(WindowRef owner, const std::string& text, int questionId) {
    Answer answer = Shows() ? backend::AskRetryIgnore(owner, text) : SilentRetryIgnore(questionId);
    ReportAnswer(text, answer);
    return answer;
}

bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning, int questionId) {
    bool yes = Shows() ? backend::AskSystemYesNo(owner, text, warning) : SilentSystemYesNo(questionId);
    ReportAnswer(text, yes ? Answer::kYes : Answer::kNo);
    return yes;
}

IntegrityAnswer IntegrityDialog(WindowRef owner, const std::string& information) {
    IntegrityAnswer answer = Shows() ? backend::IntegrityDialog(owner, information) : SilentIntegrity();
    ReportAnswer(information, answer);
    return answer;
}

// A silent run has no progress window: no Cancel can come, and none of an earlier window counts.
WindowRef OpenInfoWindow(WindowRef owner, bool withCancel, bool askOnCancel) {
    if (!SilentMode())
        return backend::OpenInfoWindow(owner, withCancel, askOnCancel);
    backend::ForgetInfoWindow();
    return nullptr;
}

void SetInfoText(WindowRef window, const std::string& text) {
    Report(text);
    if (!SilentMode())
        backend::SetInfoText(window, text);
}

// Nor has it a window whose messages could wake the wait.
void PumpMessages(WindowRef window) {
    if (!SilentMode())
        backend::PumpMessages(window);
}

// The pause is for a person's last Cancel; a silent run has neither.
void PumpMessagesFor(WindowRef window, unsigned milliseconds) {
    if (Shows())
        backend::PumpMessagesFor(window, milliseconds);
}

}  // namespace ui
