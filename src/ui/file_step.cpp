#include "ui/file_step.h"

#include "setupfiles/language_table.h"
#include "setupfiles/text_format.h"
#include "ui/user_interface.h"

bool AskRetryAbout(WindowRef owner, int textId, const std::string& path, FileResult* result) {
    ui::Answer answer = ui::AskRetryIgnore(owner, FormatText(Text(textId), {path}), textId);
    if (answer == ui::Answer::kRetry)
        return true;
    *result = answer == ui::Answer::kIgnore ? FileResult::kIgnored : FileResult::kAborted;
    return false;
}

void MergeStep(StepResult step, StepResult& run) {
    if (step == StepResult::kAborted || (step == StepResult::kIncomplete && run == StepResult::kDone))
        run = step;
}

bool RunFileStep(WindowRef progress, const std::string& text, const std::function<FileResult()>& work,
                 StepResult& run) {
    ui::SetInfoText(progress, text);
    ui::PumpMessages(progress);
    if (ui::CancelRequested()) {
        run = StepResult::kAborted;
        return false;
    }
    switch (work()) {
        case FileResult::kAborted:
            run = StepResult::kAborted;
            return false;
        case FileResult::kIgnored:
            MergeStep(StepResult::kIncomplete, run);
            break;
        case FileResult::kDone:
        case FileResult::kSkipped:
            break;
    }
    return true;
}
