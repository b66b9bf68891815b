#include "ui/file_step.h"

#include "ui/user_interface.h"

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
