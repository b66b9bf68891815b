#pragma once

#include <string>

// "removed.qzt" in the installation directory the removal runs from: every file and registry key a removal
// has already deleted, so that an interrupted removal can run again without asking about what is gone.

std::string RemovalLogPath(const std::string& setupDirectory);
// Appends one object; creates the hidden log with its header first when there is none. A log that cannot
// be created is asked about with [ERR_WRITEPROTECTED], an entry that cannot be written with
// [ERR_CANTWRITE] (Abort, Retry, Ignore). Returns 1 when the entry was written, 0 when the user gives up.
int AppendRemovalLog(const std::string& setupDirectory, const std::string& object);
// 1 when a line of the log (header lines included) equals the object, case ignored.
int IsInRemovalLog(const std::string& setupDirectory, const std::string& object);
