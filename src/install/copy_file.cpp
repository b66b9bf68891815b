#include "install/copy_file.h"

#include "install/install_context.h"
#include "platform/file_system.h"
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

// Looks for the source, asking while it is missing. Returns kFileDone with what one query tells of it, or
// the answer. Nothing is opened: the expansion or copy opens it once, and one query per file is what keeps
// the run close to the time of the file work itself.
int ProbeSource(WindowRef owner, const std::string& source, platform::PathInformation& found) {
    for (;;) {
        found = platform::QueryPathInformation(source);
        if (IsFile(found))
            return kFileDone;
        int answer = ui::AskRetryIgnore(owner, FormatText(Text(kTextErrFilenotfound), {source}));
        if (answer == ui::kAnswerIgnore)
            return kFileIgnored;
        if (answer != ui::kAnswerRetry)
            return kFileAbort;
    }
}

// The existing target stays as it is, and the call counts as done.
constexpr int kKeepTarget = 100;

// Whether the existing target may be overwritten: kFileDone to go on, kKeepTarget, or the result to return.
int CheckTarget(WindowRef owner, const std::string& source, const std::string& target,
                const platform::PathInformation& sourceFound, const platform::PathInformation& targetFound) {
    if (targetFound.attributes & platform::kAttributeReadOnly) {
        // Declining to touch a write-protected file counts as done: the user chose to keep it.
        if (!ui::AskSystemYesNo(nullptr, FormatText(Text(kTextErrNowriteaccess), {target, source}), true))
            return kKeepTarget;
        platform::SetFileAttributesOf(target, targetFound.attributes & ~platform::kAttributeReadOnly);
    }
    if (Installation().OverwriteAll || sourceFound.lastWriteTime >= targetFound.lastWriteTime)
        return kFileDone;
    switch (ui::AskYesNo(owner, true, FormatText(Text(kTextQuestOverwritenew), {target}))) {
        case ui::kAnswerYes:
            return kFileDone;
        case ui::kAnswerAll:
            Installation().OverwriteAll = true;
            return kFileDone;
        case ui::kAnswerNo:
            return kFileSkipped;
        default:
            return kFileAbort;
    }
}

int CopyPlain(WindowRef owner, const std::string& source, const std::string& target) {
    if (EqualsIgnoreCase(source, target))
        return kFileDone;
    while (!platform::CopyFilePath(source, target)) {
        int answer = ui::AskRetryIgnore(owner, FormatText(Text(kTextErrCantwrite), {target}));
        if (answer == ui::kAnswerIgnore)
            return kFileIgnored;
        if (answer != ui::kAnswerRetry)
            return kFileAbort;
    }
    return kFileDone;
}

// A target that cannot be made skips the file without ending the run. A failed expansion is asked about
// like a target that cannot be made, so that a broken driver file is never counted as installed.
int Expand(const std::string& source, const std::string& target) {
    for (;;) {
        platform::LzId from = platform::LzOpenSource(source);
        platform::LzId to = platform::LzCreateTarget(target);
        long written = -1;
        if (from != platform::kNoLz && to != platform::kNoLz)
            written = platform::LzCopyFile(from, to);
        if (from != platform::kNoLz)
            platform::LzCloseFile(from);
        if (to != platform::kNoLz)
            platform::LzCloseFile(to);
        if (written >= 0)
            return kFileDone;
        if (ui::AskRetryIgnore(nullptr, FormatText(Text(kTextErrCantwrite), {target})) != ui::kAnswerRetry)
            return kFileSkipped;
    }
}

}  // namespace

int CopyOrExpandFile(WindowRef owner, const std::string& source, const std::string& target, bool expand) {
    platform::PathInformation sourceFound;
    int result = ProbeSource(owner, source, sourceFound);
    if (result != kFileDone)
        return result;
    platform::PathInformation targetFound = platform::QueryPathInformation(target);
    if (IsFile(targetFound)) {
        result = CheckTarget(owner, source, target, sourceFound, targetFound);
        if (result == kKeepTarget)
            return kFileDone;
        if (result != kFileDone)
            return result;
    }
    return expand ? Expand(source, target) : CopyPlain(owner, source, target);
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
