#include "ui/interaction_backend.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/user_interface.h"

// Every notice and question goes the same way, whichever backend shows it: in a silent run the window is
// left out and the silent answer taken; the text, and the answer given, go into the report either way.
namespace ui {

// The message box's OK, which a silent run counts as given.
constexpr int kMessageBoxOk = 1;

int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text) {
    Report(text);
    return SilentMode() ? kMessageBoxOk : backend::InfoMessageBox(owner, caption, text);
}

int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text) {
    Report(text);
    return SilentMode() ? 0 : backend::NoticeDialog(owner, caption, okText, text);
}

Answer AskYesNo(WindowRef owner, bool withAll, const std::string& text, int questionId) {
    Answer answer = SilentMode() ? SilentYesNo(questionId) : backend::AskYesNo(owner, withAll, text);
    ReportAnswer(text, answer);
    return answer;
}

Answer AskRetryIgnore(WindowRef owner, const std::string& text, int questionId) {
    Answer answer = SilentMode() ? SilentRetryIgnore(questionId) : backend::AskRetryIgnore(owner, text);
    ReportAnswer(text, answer);
    return answer;
}

bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning, int questionId) {
    bool yes = SilentMode() ? SilentSystemYesNo(questionId) : backend::AskSystemYesNo(owner, text, warning);
    ReportAnswer(text, yes ? Answer::kYes : Answer::kNo);
    return yes;
}

IntegrityAnswer IntegrityDialog(WindowRef owner, const std::string& information) {
    IntegrityAnswer answer = SilentMode() ? SilentIntegrity() : backend::IntegrityDialog(owner, information);
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

}  // namespace ui
