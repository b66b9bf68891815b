#include "configstore/config_reports.h"

#include "setupfiles/language_table.h"
#include "shell/message_boxes.h"
#include "shell/text_format.h"

namespace {
constexpr int kTextNoKey = 213;
constexpr int kTextNoKeyModify = 214;
constexpr int kTextNoValueQuery = 215;
constexpr int kTextNoValueModify = 216;
constexpr int kTextNoAutoexec = 212;
constexpr int kTextCantWrite = 206;
}  // namespace

void ReportNoKey(const std::string& keyPath) {
    ShowMessage(nullptr, FormatText(Text(kTextNoKey), {keyPath}));
}

void ReportNoKeyModify(const std::string& keyPath) {
    ShowMessage(nullptr, FormatText(Text(kTextNoKeyModify), {keyPath}));
}

void ReportNoValueModify(const std::string& keyPath, const std::string& valueName) {
    ShowMessage(nullptr, FormatText(Text(kTextNoValueModify), {keyPath, valueName}));
}

void ReportNoValueQuery(const std::string& valueName) {
    ShowMessage(nullptr, FormatText(Text(kTextNoValueQuery), {valueName}));
}

void ReportNoAutoexec(const std::string& filePath) {
    ShowMessage(nullptr, FormatText(Text(kTextNoAutoexec), {filePath}));
}

void ReportNotWritten(const std::string& filePath) {
    ShowMessage(nullptr, FormatText(Text(kTextCantWrite), {filePath}));
}
