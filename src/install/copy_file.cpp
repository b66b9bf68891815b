#include "install/copy_file.h"

#include <algorithm>
#include <functional>
#include <iterator>

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
        int answer =
            ui::AskRetryIgnore(owner, FormatText(Text(kTextErrFilenotfound), {source}), kTextErrFilenotfound);
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
        if (!ui::AskSystemYesNo(nullptr, FormatText(Text(kTextErrNowriteaccess), {target, source}), true,
                                kTextErrNowriteaccess))
            return kKeepTarget;
        platform::SetFileAttributesOf(target, targetFound.attributes & ~platform::kAttributeReadOnly);
    }
    if (Installation().OverwriteAll || sourceFound.lastWriteTime >= targetFound.lastWriteTime)
        return kFileDone;
    switch (ui::AskYesNo(owner, true, FormatText(Text(kTextQuestOverwritenew), {target}),
                         kTextQuestOverwritenew)) {
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

// Tries the step until it works, asking "[ERR_CANTWRITE]" after each failure: Retry tries again, Abort
// (or closing the question) ends the run, Ignore goes on with the run marked as not fully successful.
int RetryWhileFailing(WindowRef owner, const std::string& target, const std::function<bool()>& step) {
    while (!step()) {
        int answer =
            ui::AskRetryIgnore(owner, FormatText(Text(kTextErrCantwrite), {target}), kTextErrCantwrite);
        if (answer == ui::kAnswerIgnore)
            return kFileIgnored;
        if (answer != ui::kAnswerRetry)
            return kFileAbort;
    }
    return kFileDone;
}

int CopyPlain(WindowRef owner, const std::string& source, const std::string& target) {
    if (EqualsIgnoreCase(source, target))
        return kFileDone;
    return RetryWhileFailing(owner, target, [&] { return platform::CopyFilePath(source, target); });
}

// The first bytes of a file in the Windows file compression format; bytes 10 to 13 hold the length of the
// expanded file, least significant byte first.
constexpr unsigned char kSzddSignature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr size_t kSzddHeaderLength = 14;
constexpr size_t kSzddLengthOffset = 10;

// Whether the expansion gave the whole file. LZ32 expands a compressed file that was cut short (a broken
// download) into a short one without an error; its header still tells the full length.
bool ExpandedWhole(const std::string& source, long written) {
    if (written < 0)
        return false;
    platform::InputFile file(source);
    if (!file.IsOpen())
        return false;
    unsigned char header[kSzddHeaderLength];
    for (unsigned char& byte : header)
        if (!file.ReadByte(&byte))
            return true;  // too short for a header: copied unchanged, as LZ32 does
    if (!std::equal(std::begin(kSzddSignature), std::end(kSzddSignature), header))
        return true;  // not compressed: copied unchanged
    uint32_t length = 0;
    for (size_t i = 4; i-- > 0;) length = length << 8 | header[kSzddLengthOffset + i];
    return static_cast<uint64_t>(written) == length;
}

// The directory part of a path, for a file that has to lie beside another.
std::string DirectoryOf(const std::string& path) {
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

// Expands beside the target and only then puts the result in its place, so that an expansion that fails
// (a damaged source, a target held by the running driver) never leaves a cut file where the earlier one
// was. False when any part failed; the temporary file is gone again either way.
bool ExpandIntoPlace(const std::string& source, const std::string& target) {
    std::string temporary = platform::CreateTemporaryFile(DirectoryOf(target));
    if (temporary.empty())
        return false;
    long written = -1;
    {
        platform::LzFile from(platform::LzOpenSource(source));
        platform::LzFile to(platform::LzCreateTarget(temporary));
        if (from.IsOpen() && to.IsOpen())
            written = platform::LzCopyFile(from.Id(), to.Id());
    }  // both closed before the result is checked and moved
    if (ExpandedWhole(source, written) && platform::ReplaceFilePath(temporary, target))
        return true;
    platform::DeleteFilePath(temporary);
    return false;
}

// A driver file that was not expanded is never counted as installed: its failure is asked about like a
// failed copy, and Abort ends the run.
int Expand(WindowRef owner, const std::string& source, const std::string& target) {
    return RetryWhileFailing(owner, target, [&] { return ExpandIntoPlace(source, target); });
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
