#include "deinstall/removal_logging.h"

#include "configstore/removal_log.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "ui/user_interface.h"

bool AppendRemovalLog(const std::string& setupDirectory, const std::string& object) {
    bool onNewLine = false;
    for (;;) {
        std::string question;
        int questionId = kTextErrCantwrite;
        switch (TryAppendRemovalLog(setupDirectory, object, onNewLine)) {
            case RemovalLogWrite::kWritten:
                return true;
            case RemovalLogWrite::kRefused:
                return false;
            case RemovalLogWrite::kNotCreated:
                questionId = kTextErrWriteprotected;
                question = FormatText(Text(questionId), {RemovalLogPath(setupDirectory).substr(0, 3)});
                break;
            case RemovalLogWrite::kNotWritten:
                // An entry taken as written would let a later removal pass over an object it never removed.
                // Part of it may stand in the log now; the next try starts on a line of its own.
                question = FormatText(Text(questionId), {RemovalLogPath(setupDirectory)});
                onNewLine = true;
                break;
        }
        if (ui::AskRetryIgnore(nullptr, question, questionId) != ui::Answer::kRetry)
            return false;
    }
}
