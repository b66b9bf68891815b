#include "ui/silent_mode.h"

#include "setupfiles/text_ids.h"
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

Answer SilentYesNo(int questionId) {
    switch (questionId) {
        case kTextQuestOverwritenew:
            return g_answers.overwriteNewer ? Answer::kAll : Answer::kNo;
        case kTextQuestApplyold:
            return g_answers.keepConfiguration ? Answer::kYes : Answer::kNo;
        case kTextQuestCciApplynew:
            return Answer::kYes;  // the registry's values stay, confirmed
        case kTextQuestCciRestoreold:
            return Answer::kNo;
        case kTextErrDeiNosuccess:
            return Answer::kNo;  // the removal log stays, so that a second run can finish the removal
        default:
            return Answer::kCancel;
    }
}

Answer SilentRetryIgnore(int) {
    // Nobody can mend a missing file, a full disk or a file held open during the run: retrying would wait
    // for ever, and ignoring would count a broken installation, or a half removal, as done.
    return Answer::kCancel;
}

bool SilentSystemYesNo(int questionId) {
    return questionId == kTextErrNowriteaccess || questionId == kTextDlgDeiAreyousure;
}

IntegrityAnswer SilentIntegrity() {
    return IntegrityAnswer::kApplyCurrent;
}

}  // namespace ui
