#pragma once

#include <string>

#include "ui/user_interface.h"

// The report of a run (/r): one line per step, file, question and answer, notice and registry change, each
// with the local time in front. Every line is appended to the file and the file closed again at once, so
// that whatever happens to the run, what it did so far is on the disk.
namespace ui {

// Reports go to the file from now on; it is created when missing, else appended to. False when it cannot
// be written, and then nothing is reported.
bool OpenReport(const std::string& path);
// Stops reporting.
void CloseReport();
bool ReportOpen();
// One line: "YYYY-MM-DD hh:mm:ss text", a line break inside the text becoming a blank. Nothing happens
// without an open report.
void Report(const std::string& text);

// The line of a question and the answer it got, the answer named by its button's language text.
void ReportAnswer(const std::string& question, Answer answer);
void ReportAnswer(const std::string& question, IntegrityAnswer answer);

}  // namespace ui
