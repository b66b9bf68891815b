#include "configstore/removal_log.h"

#include "platform/file.h"
#include "platform/file_system.h"
#include "ui/linked_file.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

namespace {

constexpr size_t kEntryWidth = 260;  // an entry with its CR LF and terminator
const char* const kHeader =
    "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";

// Creates the hidden log, asking while it cannot be made. False when the user gives up.
bool CreateLog(const std::string& path, platform::OutputFile& log) {
    for (;;) {
        log.Reset(platform::CreateFileWithAttributes(path, platform::kAttributeHidden));
        if (log.IsOpen())
            return true;
        std::string drive = path.substr(0, 3);
        if (ui::AskRetryIgnore(nullptr, FormatText(Text(kTextErrWriteprotected), {drive}),
                               kTextErrWriteprotected) != ui::Answer::kRetry)
            return false;
    }
}

}  // namespace

std::string RemovalLogPath(const std::string& setupDirectory) {
    return JoinPath(setupDirectory, "removed.qzt");
}

int AppendRemovalLog(const std::string& setupDirectory, const std::string& object) {
    std::string path = RemovalLogPath(setupDirectory);
    std::string entry = FitField(object, kEntryWidth - 2) + "\r\n";
    for (;;) {
        if (RefuseLinkedFile(nullptr, path))
            return 0;
        platform::OutputFile log(platform::OpenFileForWrite(path));
        bool written;
        if (log.IsOpen()) {
            written = platform::SeekToEnd(log.Id()) && log.Write(entry);
        } else {
            if (!CreateLog(path, log))
                return 0;
            written = log.Write(kHeader) && log.Write(entry);
        }
        if (written)
            return 1;
        // An entry taken as written would let a later removal pass over an object it never removed.
        log.Close();
        if (ui::AskRetryIgnore(nullptr, FormatText(Text(kTextErrCantwrite), {path}), kTextErrCantwrite) !=
            ui::Answer::kRetry)
            return 0;
        // Part of the entry may stand in the log now; the next try starts on a line of its own.
        entry = "\r\n" + FitField(object, kEntryWidth - 2) + "\r\n";
    }
}

int IsInRemovalLog(const std::string& setupDirectory, const std::string& object) {
    platform::InputFile log(RemovalLogPath(setupDirectory));
    if (!log.IsOpen())
        return 0;
    // An overlong name was logged cut to the entry width; look it up the same way, or it is never found.
    std::string logged = FitField(object, kEntryWidth - 2);
    std::string line;
    bool more = true;
    while (more) {
        more = ReadTextLine(log, line, kEntryWidth);
        if ((more || !line.empty()) && (EqualsIgnoreCase(line, object) || EqualsIgnoreCase(line, logged)))
            return 1;
    }
    return 0;
}
