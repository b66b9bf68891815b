#include "install/copy_file.h"

#include <functional>

#include "platform/file.h"
#include "platform/file_expansion.h"
#include "platform/file_system.h"
#include "platform/szdd_header.h"
#include "ui/linked_file.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

namespace {

bool IsFile(const platform::PathInformation& information) {
    return information.attributes != platform::kInvalidAttributes &&
           !(information.attributes & platform::kAttributeDirectory);
}

// Looks for the source, asking while it is missing. Returns kDone with what one query tells of it, or the
// answer. Nothing is opened: the expansion or copy opens it once, and one query per file is what keeps
// the run close to the time of the file work itself.
FileResult ProbeSource(WindowRef owner, const std::string& source, platform::PathInformation& found) {
    for (;;) {
        found = platform::QueryPathInformation(source);
        if (IsFile(found))
            return FileResult::kDone;
        FileResult result;
        if (!AskRetryAbout(owner, kTextErrFilenotfound, source, &result))
            return result;
    }
}

// What becomes of an existing target.
enum class TargetDecision {
    kOverwrite,
    kKeep,   // stays as it is, and the file counts as done
    kSkip,   // stays, and the run is not fully successful
    kAbort,  // the user ends the run
};

TargetDecision CheckTarget(WindowRef owner, CopyRun& run, const std::string& source,
                           const std::string& target, const platform::PathInformation& sourceFound,
                           const platform::PathInformation& targetFound) {
    if (targetFound.attributes & platform::kAttributeReadOnly) {
        // Declining to touch a write-protected file counts as done: the user chose to keep it.
        if (!ui::AskSystemYesNo(nullptr, FormatText(Text(kTextErrNowriteaccess), {target, source}), true,
                                kTextErrNowriteaccess))
            return TargetDecision::kKeep;
        platform::SetFileAttributesOf(target, targetFound.attributes & ~platform::kAttributeReadOnly);
    }
    if (run.overwriteAll || sourceFound.lastWriteTime >= targetFound.lastWriteTime)
        return TargetDecision::kOverwrite;
    switch (ui::AskYesNo(owner, true, FormatText(Text(kTextQuestOverwritenew), {target}),
                         kTextQuestOverwritenew)) {
        case ui::Answer::kYes:
            return TargetDecision::kOverwrite;
        case ui::Answer::kAll:
            run.overwriteAll = true;
            return TargetDecision::kOverwrite;
        case ui::Answer::kNo:
            return TargetDecision::kSkip;
        default:
            return TargetDecision::kAbort;
    }
}

// What kept a copy or expansion from working: the source could not be read, or the target not written.
enum class StepFailure { kNone, kSource, kTarget };

// A failed step says which side failed only for the expansion; a failed copy is told by whether the
// source can be opened at all.
StepFailure CopyFailure(const std::string& source) {
    platform::InputFile readable(source);
    return readable.IsOpen() ? StepFailure::kTarget : StepFailure::kSource;
}

// Tries the step until it works. After each failure it asks about the side that failed: a source that
// exists but cannot be read as a missing source ("[ERR_FILENOTFOUND]", naming the source), a target as
// "[ERR_CANTWRITE]". Retry tries again, Abort (or closing the question) ends the run, Ignore goes on with
// the run marked as not fully successful.
FileResult RetryWhileFailing(WindowRef owner, const std::string& source, const std::string& target,
                             const std::function<StepFailure()>& step) {
    for (StepFailure failure = step(); failure != StepFailure::kNone; failure = step()) {
        bool sourceFailed = failure == StepFailure::kSource;
        FileResult result;
        if (!AskRetryAbout(owner, sourceFailed ? kTextErrFilenotfound : kTextErrCantwrite,
                           sourceFailed ? source : target, &result))
            return result;
    }
    return FileResult::kDone;
}

FileResult CopyPlain(WindowRef owner, const std::string& source, const std::string& target) {
    if (EqualsIgnoreCase(source, target))
        return FileResult::kDone;
    return RetryWhileFailing(owner, source, target, [&] {
        // A copy over an existing file writes into it, and so into every other name it has.
        if (RefuseLinkedFile(owner, target))
            return StepFailure::kTarget;
        return platform::CopyFilePath(source, target) ? StepFailure::kNone : CopyFailure(source);
    });
}

// The expansion's own file beside the target. Its name is fixed, so that one left behind by a run that was
// ended from outside is overwritten by the next run's expansion of the same file, not left for ever.
std::string ExpansionFileFor(const std::string& target) {
    return target + ".$$$";
}

// Made anew, which takes one call and cannot write through a link; only a file left behind by an earlier
// run is looked at before it is written over.
platform::FileId OpenExpansionFile(const std::string& path) {
    platform::FileId file = platform::CreateNewFile(path);
    if (file != platform::kNoFile || RefuseLinkedFile(nullptr, path))
        return file;
    return platform::CreateFileTruncate(path);
}

// The target only ever holds what it held before or the whole expansion: the file is expanded beside it
// and then moved into its place, so that a failed expansion (a damaged source, an earlier file held by the
// running driver) or a run ended in the middle of a file never leaves a cut file in the target's place,
// where the next run would take it for a newer one. A damaged compressed source counts as a target that
// could not be written, as the expansion's failure always has. The expansion's file is gone again after
// any failure.
StepFailure ExpandIntoPlace(const std::string& source, const std::string& target) {
    platform::ExpandedSource expanded;
    switch (platform::ReadExpanded(source, &expanded)) {
        case platform::ExpansionResult::kDone:
            break;
        case platform::ExpansionResult::kSourceUnreadable:
            return StepFailure::kSource;
        case platform::ExpansionResult::kTargetUnwritable:
        case platform::ExpansionResult::kDamaged:
            return StepFailure::kTarget;
    }
    std::string beside = ExpansionFileFor(target);
    platform::OutputFile file(OpenExpansionFile(beside));
    if (!file.IsOpen())
        return StepFailure::kTarget;
    bool whole = platform::WriteExpanded(file.Id(), expanded);
    file.Close();
    if (whole && platform::ReplaceFilePath(beside, target))
        return StepFailure::kNone;
    platform::DeleteFilePath(beside);
    return StepFailure::kTarget;
}

// A driver file that was not expanded is never counted as installed: its failure is asked about like a
// failed copy, and Abort ends the run.
FileResult Expand(WindowRef owner, const std::string& source, const std::string& target) {
    return RetryWhileFailing(owner, source, target, [&] { return ExpandIntoPlace(source, target); });
}

}  // namespace

FileResult CopyOrExpandFile(WindowRef owner, CopyRun& run, const std::string& source,
                            const std::string& target, bool expand) {
    platform::PathInformation sourceFound;
    FileResult found = ProbeSource(owner, source, sourceFound);
    if (found != FileResult::kDone)
        return found;
    platform::PathInformation targetFound = platform::QueryPathInformation(target);
    if (IsFile(targetFound)) {
        switch (CheckTarget(owner, run, source, target, sourceFound, targetFound)) {
            case TargetDecision::kOverwrite:
                break;
            case TargetDecision::kKeep:
                return FileResult::kDone;
            case TargetDecision::kSkip:
                return FileResult::kSkipped;
            case TargetDecision::kAbort:
                return FileResult::kAborted;
        }
    }
    return expand ? Expand(owner, source, target) : CopyPlain(owner, source, target);
}

void CreatePathDirectories(WindowRef progressWindow, const std::string& directory) {
    if (platform::IsDirectory(directory))
        return;
    ui::SetInfoText(progressWindow, FormatText(Text(kTextInfoCreatepath), {directory}));
    for (size_t i = 0; i + 1 < directory.size(); ++i)
        if (directory[i + 1] == '\\' && directory[i] != ':')
            platform::CreateDirectoryPath(directory.substr(0, i + 1));
    platform::CreateDirectoryPath(directory);
}
