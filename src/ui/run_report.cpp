#include "ui/run_report.h"

#include "platform/clock.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"
#include "ui/user_interface.h"
#include "setupfiles/text_format.h"

namespace ui {

namespace {

std::string g_reportPath;

// Appends the bytes to the report file, opened for this one line.
bool Append(const std::string& path, const std::string& bytes) {
    // Written by the administrator's run at a place the caller named: through a link, a line would land
    // in whatever file the link leads to.
    if (platform::IsLinkedFile(path))
        return false;
    platform::OutputFile file(platform::OpenFileForWrite(path));
    if (!file.IsOpen())
        file.Reset(platform::CreateFileTruncate(path));
    if (!file.IsOpen() || !platform::SeekToEnd(file.Id()))
        return false;
    return file.Write(bytes);
}

std::string TimeStamp() {
    platform::LocalTime now = platform::LocalNow();
    return DecimalText(now.date.year % 10000u, 4) + "-" + DecimalText(now.date.month % 100u, 2) + "-" +
           DecimalText(now.date.day % 100u, 2) + " " + DecimalText(now.hour % 100u, 2) + ":" +
           DecimalText(now.minute % 100u, 2) + ":" + DecimalText(now.second % 100u, 2);
}

// The button a person would have pressed for the answer, in the current language.
std::string AnswerName(Answer answer) {
    switch (answer) {
        case Answer::kYes:
            return Text(kTextDlgYnoYes);
        case Answer::kNo:
            return Text(kTextDlgYnoNo);
        case Answer::kAll:
            return Text(kTextDlgYnoAll);
        case Answer::kRetry:
            return Text(kTextDlgAriRetry);
        case Answer::kIgnore:
            return Text(kTextDlgAriIgnore);
        case Answer::kCancel:
            break;
    }
    return Text(kTextButtonCancel);
}

std::string AnswerName(IntegrityAnswer answer) {
    switch (answer) {
        case IntegrityAnswer::kApplyCurrent:
            return Text(kTextDlgCciApply);
        case IntegrityAnswer::kRestoreBackup:
            return Text(kTextDlgCciRestore);
        case IntegrityAnswer::kCancel:
            break;
    }
    return Text(kTextButtonCancel);
}
}  // namespace

bool OpenReport(const std::string& path) {
    g_reportPath.clear();
    if (!Append(path, ""))
        return false;
    g_reportPath = path;
    return true;
}

void CloseReport() {
    g_reportPath.clear();
}

bool ReportOpen() {
    return !g_reportPath.empty();
}

void Report(const std::string& text) {
    if (g_reportPath.empty())
        return;
    std::string line = TimeStamp() + " " + text;
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    Append(g_reportPath, line + "\r\n");
}

void ReportAnswer(const std::string& question, Answer answer) {
    Report(question + " -> " + AnswerName(answer));
}

void ReportAnswer(const std::string& question, IntegrityAnswer answer) {
    Report(question + " -> " + AnswerName(answer));
}

}  // namespace ui
