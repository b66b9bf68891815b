#pragma once

#include <string>

// The configuration store's error reports: a language text filled with its arguments, shown with
// ShowMessage without an owner window.

// [ERR_CFG_NOKEY]: a key cannot be opened or created.
void ReportNoKey(const std::string& keyPath);
// [ERR_CFG_NOKEYMODIFY]: the values of a key cannot be written.
void ReportNoKeyModify(const std::string& keyPath);
// [ERR_CFG_NOVALMODIFY]: a value that an edit needs cannot be read or written back.
void ReportNoValueModify(const std::string& keyPath, const std::string& valueName);
// [ERR_CFG_NOVALQUERY]: a number value cannot be read.
void ReportNoValueQuery(const std::string& valueName);
// [ERR_CFG_NOAUTOEXEC]: AUTOEXEC.NT (or its temporary copy) cannot be opened or written.
void ReportNoAutoexec(const std::string& filePath);
// [ERR_CANTWRITE]: a file that could be opened cannot be written.
void ReportNotWritten(const std::string& filePath);
