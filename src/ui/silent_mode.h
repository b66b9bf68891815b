#pragma once

#include <string>

#include "ui/user_interface.h"

// A silent run shows no window: the user-interaction seam answers each question as the administrator
// decided beforehand and reports what it would have shown (interaction.cpp asks here first).
namespace ui {

// What the administrator decided for the questions that have a choice.
struct SilentAnswers {
    bool overwriteNewer = false;    // a target newer than its source: overwrite (all) or keep (never)
    bool keepConfiguration = true;  // an earlier configuration of the driver: keep it or renew it
};

// From now on no window is shown; the answers are the defaults until SetSilentAnswers.
void EnterSilentMode();
void LeaveSilentMode();
bool SilentMode();
void SetSilentAnswers(const SilentAnswers& answers);

// The silent answers. A missing source or a failed write ends the run
// (Abort); a newer target follows overwriteNewer; a read-only target is overwritten; an earlier
// configuration follows keepConfiguration; differences from the integrity backup keep the registry's
// values. A removal is confirmed; a file it cannot delete or cannot find ends it, and after a removal that
// did not complete the removal log is kept for a second run. A question not named here ends the run as
// well: nobody decided it.
Answer SilentYesNo(int questionId);
Answer SilentRetryIgnore(int questionId);
bool SilentSystemYesNo(int questionId);
IntegrityAnswer SilentIntegrity();

}  // namespace ui
