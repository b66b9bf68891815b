#pragma once

#include <string>

#include "platform/window_ref.h"

// Results of a file step.
constexpr int kFileDone = 1;
constexpr int kFileSkipped = 0;   // not done, the run goes on but is not fully successful
constexpr int kFileAbort = -1;    // the user ends the whole run
constexpr int kFileIgnored = -3;  // the user goes on past a failure

// Copies (expand false) or LZ-expands (expand true) one file after checking that the source exists, that
// the target may be written and that it is not newer than the source, asking the user where needed. A
// failed copy or expansion is asked about with Abort (kFileAbort), Retry and Ignore (kFileIgnored); a failed
// expansion leaves an earlier target as it was.
int CopyOrExpandFile(WindowRef owner, const std::string& source, const std::string& target, bool expand);

// Makes sure the directory and every directory above it exist; tells the progress window when it has to
// create them.
void CreatePathDirectories(WindowRef progressWindow, const std::string& directory);
