#pragma once

#include <string>

// "removed.qzt" in the start directory: every file and registry key a removal has already deleted, so that
// an interrupted removal can run again without asking about what is gone.

std::string RemovalLogPath();
// Appends one object; creates the hidden log with its header first when there is none. Returns 0 when the
// log cannot be created and the user gives up.
int AppendRemovalLog(const std::string& object);
// 1 when a line of the log (header lines included) equals the object, case ignored.
int IsInRemovalLog(const std::string& object);
