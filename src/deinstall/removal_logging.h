#pragma once

#include <string>

// Logs an object the removal has deleted (removal_log.h), asking while it cannot: a log that cannot be
// created with [ERR_WRITEPROTECTED], an entry that cannot be written with [ERR_CANTWRITE] (Abort, Retry,
// Ignore). True when the entry was written, false when the user gives up or the log is refused.
bool AppendRemovalLog(const std::string& setupDirectory, const std::string& object);
