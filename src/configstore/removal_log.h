#pragma once

#include <string>

// "removed.qzt" in the installation directory the removal runs from: every file and registry key a removal
// has already deleted, so that an interrupted removal can run again without asking about what is gone.

std::string RemovalLogPath(const std::string& setupDirectory);

// What became of one attempt to log an object.
enum class RemovalLogWrite {
    kWritten,
    kNotCreated,  // there was no log, and none could be made
    kNotWritten,  // the entry could not be written whole
    kRefused,     // the log is linked to another file (told to the user); nothing was written
};
// Appends one object, in one attempt, and asks nothing: creates the hidden log with its header first when
// there is none. onNewLine starts the entry on a line of its own, after an attempt that may have left part
// of one.
RemovalLogWrite TryAppendRemovalLog(const std::string& setupDirectory, const std::string& object,
                                    bool onNewLine);
// True when a line of the log (header lines included) equals the object, case ignored.
bool IsInRemovalLog(const std::string& setupDirectory, const std::string& object);
