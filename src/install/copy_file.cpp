#include "install/copy_file.h"

#include "install/install_context.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "shell/text_format.h"

namespace {

constexpr int kTextNoWriteAccess = 203;
constexpr int kTextFileNotFound = 205;
constexpr int kTextCantWrite = 206;
constexpr int kTextCreatePath = 301;
constexpr int kTextOverwriteNewer = 401;

// Opens the source, asking while it is missing. Returns kFileDone with the probe open, or the answer.
int ProbeSource(WindowRef owner, const std::string& source, platform::InputFile& probe) {
    for (;;) {
        probe.Open(source);
        if (probe.IsOpen())
            return kFileDone;
        int answer = platform::ui::AskRetryIgnore(owner, FormatText(Text(kTextFileNotFound), {source}));
        if (answer == platform::ui::kAnswerIgnore)
            return kFileIgnored;
        if (answer != platform::ui::kAnswerRetry)
            return kFileAbort;
    }
}

// The existing target stays as it is, and the call counts as done.
constexpr int kKeepTarget = 100;

// Whether the existing target may be overwritten: kFileDone to go on, kKeepTarget, or the result to return.
int CheckTarget(WindowRef owner, const std::string& source, const std::string& target,
                platform::InputFile& sourceProbe, platform::InputFile& targetProbe) {
    uint32_t attributes = platform::FileAttributes(target);
    if (attributes != platform::kInvalidAttributes && (attributes & platform::kAttributeReadOnly)) {
        // Declining to touch a write-protected file counts as done: the user chose to keep it.
        if (!platform::ui::AskSystemYesNo(nullptr, FormatText(Text(kTextNoWriteAccess), {target, source}),
                                          true))
            return kKeepTarget;
        platform::SetFileAttributesOf(target, attributes & ~platform::kAttributeReadOnly);
    }
    if (Installation().OverwriteAll)
        return kFileDone;
    uint64_t sourceTime = 0, targetTime = 0;
    if (!platform::LastWriteTime(sourceProbe.Id(), &sourceTime) ||
        !platform::LastWriteTime(targetProbe.Id(), &targetTime) || sourceTime >= targetTime)
        return kFileDone;
    switch (platform::ui::AskYesNo(owner, true, FormatText(Text(kTextOverwriteNewer), {target}))) {
        case platform::ui::kAnswerYes:
            return kFileDone;
        case platform::ui::kAnswerAll:
            Installation().OverwriteAll = true;
            return kFileDone;
        case platform::ui::kAnswerNo:
            return kFileSkipped;
        default:
            return kFileAbort;
    }
}

int CopyPlain(WindowRef owner, const std::string& source, const std::string& target) {
    if (EqualsIgnoreCase(source, target))
        return kFileDone;
    while (!platform::CopyFilePath(source, target)) {
        int answer = platform::ui::AskRetryIgnore(owner, FormatText(Text(kTextCantWrite), {target}));
        if (answer == platform::ui::kAnswerIgnore)
            return kFileIgnored;
        if (answer != platform::ui::kAnswerRetry)
            return kFileAbort;
    }
    return kFileDone;
}

// A target that cannot be made skips the file without ending the run. A failed expansion is asked about
// like a target that cannot be made, so that a broken driver file is never counted as installed.
int Expand(const std::string& source, const std::string& target) {
    for (;;) {
        long written = -1;
        {
            platform::LzFile from(platform::LzOpenSource(source));
            platform::LzFile to(platform::LzCreateTarget(target));
            if (from.IsOpen() && to.IsOpen())
                written = platform::LzCopyFile(from.Get(), to.Get());
        }  // both are closed before the question, so that a retry can open the target again
        if (written >= 0)
            return kFileDone;
        if (platform::ui::AskRetryIgnore(nullptr, FormatText(Text(kTextCantWrite), {target})) !=
            platform::ui::kAnswerRetry)
            return kFileSkipped;
    }
}

}  // namespace

int CopyOrExpandFile(WindowRef owner, const std::string& source, const std::string& target, bool expand) {
    {
        platform::InputFile sourceProbe;
        int result = ProbeSource(owner, source, sourceProbe);
        if (result != kFileDone)
            return result;
        platform::InputFile targetProbe(target);
        if (targetProbe.IsOpen()) {
            result = CheckTarget(owner, source, target, sourceProbe, targetProbe);
            if (result == kKeepTarget)
                return kFileDone;
            if (result != kFileDone)
                return result;
        }
    }  // both probes are closed before anything is written
    return expand ? Expand(source, target) : CopyPlain(owner, source, target);
}

void CreatePathDirectories(WindowRef progressWindow, const std::string& directory) {
    if (platform::IsDirectory(directory))
        return;
    platform::ui::SetInfoText(progressWindow, FormatText(Text(kTextCreatePath), {directory}));
    for (size_t i = 0; i + 1 < directory.size(); ++i)
        if (directory[i + 1] == '\\' && directory[i] != ':')
            platform::CreateDirectoryPath(directory.substr(0, i + 1));
    platform::CreateDirectoryPath(directory);
}
