#pragma once

#include <functional>
#include <string>

#include "platform/window_ref.h"

// One file of a run's step under its progress window, the same for the installation's copies and the
// removal's deletions.

// How the work on one file ended.
enum class FileResult {
    kDone,
    kSkipped,  // nothing done, and nothing missing: a newer target kept, a file an earlier run deleted
    kAborted,  // the user ends the whole run
    kIgnored,  // the user goes on past a failure; the run is not complete
};

// How a run of files stands.
enum class StepResult {
    kDone,        // every file as it should be
    kIncomplete,  // a failure was ignored for at least one file; the run goes on
    kAborted,     // the user ended the run
};

// Folds a step's result into the run's: an abort wins, otherwise the worse of the two.
void MergeStep(StepResult step, StepResult& run);

// Asks Abort / Retry / Ignore about the file with the text of textId, which names it: true on Retry, else
// the file's result in *result (kIgnored, or kAborted for Abort and a closed question).
bool AskRetryAbout(WindowRef owner, int textId, const std::string& path, FileResult* result);

// Shows text in the progress window and gives the window its turn (a Cancel there ends the run), then does
// the work and folds its result into run. False when the run ends here.
bool RunFileStep(WindowRef progress, const std::string& text, const std::function<FileResult()>& work,
                 StepResult& run);
