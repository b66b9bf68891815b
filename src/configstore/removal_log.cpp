#include "configstore/removal_log.h"

#include "platform/file.h"
#include "platform/file_system.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "setupfiles/app_context.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

namespace {

constexpr size_t kEntryWidth = 260;  // an entry with its CR LF and terminator
const char* const kHeader =
    "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";

}  // namespace

std::string RemovalLogPath() {
    return JoinPath(App().SetupDirectory, "removed.qzt");
}

int AppendRemovalLog(const std::string& object) {
    std::string path = RemovalLogPath();
    platform::OutputFile log(platform::OpenFileForWrite(path));
    if (!log.IsOpen()) {
        for (;;) {
            log.Reset(platform::CreateFileWithAttributes(path, platform::kAttributeHidden));
            if (log.IsOpen())
                break;
            std::string drive = path.substr(0, 3);
            if (ui::AskRetryIgnore(nullptr, FormatText(Text(kTextErrWriteprotected), {drive})) !=
                ui::kAnswerRetry)
                return 0;
        }
        log.Write(kHeader);
    }
    platform::SeekToEnd(log.Id());
    log.Write(FitField(object, kEntryWidth - 2) + "\r\n");
    return 1;
}

int IsInRemovalLog(const std::string& object) {
    platform::InputFile log(RemovalLogPath());
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
