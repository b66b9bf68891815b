#include "shell/exit_codes.h"

int ExitCode(const RunSummary& summary) {
    switch (summary.end) {
        case RunEnd::kBadCommandLine:
            return kExitBadCommandLine;
        case RunEnd::kWrongSystem:
            return kExitWrongSystem;
        case RunEnd::kNoRights:
            return kExitNoRights;
        case RunEnd::kScriptRefused:
            return kExitFailed;
        case RunEnd::kVerified:
            return summary.differences ? kExitDifferences : kExitNoDifference;
        case RunEnd::kFlowEnded:
            break;
    }
    if (summary.completed)
        return summary.restartNeeded ? kExitRestartRequired : kExitSuccess;
    return summary.cancelled ? kExitCancelled : kExitFailed;
}
