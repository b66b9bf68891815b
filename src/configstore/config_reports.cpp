#include "configstore/config_reports.h"

#include "setupfiles/language_table.h"
#include "ui/message_boxes.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"

void ReportNoKey(const std::string& keyPath) {
    ShowMessage(nullptr, FormatText(Text(kTextErrCfgNokey), {keyPath}));
}

void ReportNoKeyModify(const std::string& keyPath) {
    ShowMessage(nullptr, FormatText(Text(kTextErrCfgNokeymodify), {keyPath}));
}

void ReportNoValueModify(const std::string& keyPath, const std::string& valueName) {
    ShowMessage(nullptr, FormatText(Text(kTextErrCfgNovalmodify), {keyPath, valueName}));
}

void ReportNoValueQuery(const std::string& valueName) {
    ShowMessage(nullptr, FormatText(Text(kTextErrCfgNovalquery), {valueName}));
}

void ReportNoAutoexec(const std::string& filePath) {
    ShowMessage(nullptr, FormatText(Text(kTextErrCfgNoautoexec), {filePath}));
}
