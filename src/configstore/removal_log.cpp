#include "configstore/removal_log.h"

#include "platform/file.h"
#include "platform/file_system.h"
#include "ui/linked_file.h"
#include "setupfiles/text_line.h"

namespace {

constexpr size_t kEntryWidth = 260;  // an entry with its CR LF and terminator
const char* const kHeader =
    "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";

}  // namespace

std::string RemovalLogPath(const std::string& setupDirectory) {
    return JoinPath(setupDirectory, "removed.qzt");
}

RemovalLogWrite TryAppendRemovalLog(const std::string& setupDirectory, const std::string& object,
                                    bool onNewLine) {
    std::string path = RemovalLogPath(setupDirectory);
    std::string entry = (onNewLine ? "\r\n" : "") + FitField(object, kEntryWidth - 2) + "\r\n";
    if (RefuseLinkedFile(nullptr, path))
        return RemovalLogWrite::kRefused;
    platform::OutputFile log(platform::OpenFileForWrite(path));
    if (log.IsOpen())
        return platform::SeekToEnd(log.Id()) && log.Write(entry) ? RemovalLogWrite::kWritten
                                                                 : RemovalLogWrite::kNotWritten;
    log.Reset(platform::CreateFileWithAttributes(path, platform::kAttributeHidden));
    if (!log.IsOpen())
        return RemovalLogWrite::kNotCreated;
    return log.Write(kHeader) && log.Write(entry) ? RemovalLogWrite::kWritten : RemovalLogWrite::kNotWritten;
}

bool IsInRemovalLog(const std::string& setupDirectory, const std::string& object) {
    platform::InputFile log(RemovalLogPath(setupDirectory));
    if (!log.IsOpen())
        return false;
    // An overlong name was logged cut to the entry width; look it up the same way, or it is never found.
    std::string logged = FitField(object, kEntryWidth - 2);
    std::string line;
    bool more = true;
    while (more) {
        more = ReadTextLine(log, line, kEntryWidth);
        if ((more || !line.empty()) && (EqualsIgnoreCase(line, object) || EqualsIgnoreCase(line, logged)))
            return true;
    }
    return false;
}
