#include "ui/silent_mode.h"

#include "setupfiles/text_ids.h"
#include "ui/run_report.h"
#include "ui/user_interface.h"

namespace ui {

namespace {
bool g_silent = false;
SilentAnswers g_answers;
}  // namespace

void EnterSilentMode() {
    g_silent = true;
    g_answers = SilentAnswers();
}

void LeaveSilentMode() {
    g_silent = false;
}

bool SilentMode() {
    return g_silent;
}

void SetSilentAnswers(const SilentAnswers& answers) {
    g_answers = answers;
}

int SilentYesNo(const std::string& text, int questionId) {
    int answer = kAnswerCancel;
    switch (questionId) {
        case kTextQuestOverwritenew:
            answer = g_answers.overwriteNewer ? kAnswerAll : kAnswerNo;
            break;
        case kTextQuestApplyold:
            answer = g_answers.keepConfiguration ? kAnswerYes : kAnswerNo;
            break;
        case kTextQuestCciApplynew:
            answer = kAnswerYes;  // the registry's values stay, confirmed
            break;
        case kTextQuestCciRestoreold:
            answer = kAnswerNo;
            break;
        case kTextErrDeiNosuccess:
            answer = kAnswerNo;  // the removal log stays, so that a second run can finish the removal
            break;
        default:
            break;
    }
    ReportAnswer(QuestionKind::kYesNo, text, answer);
    return answer;
}

int SilentRetryIgnore(const std::string& text, int) {
    // Nobody can mend a missing file, a full disk or a file held open during the run: retrying would wait
    // for ever, and ignoring would count a broken installation, or a half removal, as done.
    ReportAnswer(QuestionKind::kRetryIgnore, text, kAnswerCancel);
    return kAnswerCancel;
}

bool SilentSystemYesNo(const std::string& text, int questionId) {
    bool yes = questionId == kTextErrNowriteaccess || questionId == kTextDlgDeiAreyousure;
    ReportAnswer(QuestionKind::kSystemYesNo, text, yes ? 1 : 0);
    return yes;
}

int SilentIntegrity(const std::string& information) {
    ReportAnswer(QuestionKind::kIntegrity, information, kIntegrityApplyCurrent);
    return kIntegrityApplyCurrent;
}

void SilentNotice(const std::string& text) {
    Report(text);
}

}  // namespace ui
