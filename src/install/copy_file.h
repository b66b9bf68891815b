#pragma once

#include <string>

#include "platform/window_ref.h"
#include "ui/file_step.h"

// What a run of file steps remembers from one file to the next: the All answer to the overwrite question.
struct CopyRun {
    bool overwriteAll = false;
};

// Copies (expand false) or LZ-expands (expand true) one file after checking that the source exists, that
// the target may be written and that it is not newer than the source, asking the user where needed. A
// failed copy or expansion is asked about with Abort (kAborted), Retry and Ignore (kIgnored); a failed
// expansion leaves an earlier target as it was.
FileResult CopyOrExpandFile(WindowRef owner, CopyRun& run, const std::string& source,
                            const std::string& target, bool expand);

// Makes sure the directory and every directory above it exist; tells the progress window when it has to
// create them.
void CreatePathDirectories(WindowRef progressWindow, const std::string& directory);
