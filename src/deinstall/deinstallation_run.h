#pragma once

#include <string>

#include "platform/window_ref.h"
#include "ui/file_step.h"

// The removal of the driver: its files, registry entries and Program Manager group, then the removal log
// and the setup files. Every deleted file and key is recorded in the removal log, so that an interrupted
// removal can run again from the same directory.

// What the removal works on.
struct DeinstallInputs {
    // The installation directory the program runs from: it holds the setup information file, the removal
    // log and the files installed below it.
    std::string setupDirectory;
    // The setup information file's name in setupDirectory.
    std::string scriptFileName;
    // The running program's file, relative to setupDirectory.
    std::string setupProgramName;
    // The language whose Program Manager group goes.
    std::string languageName;
};

enum class DeinstallOutcome {
    kCompleted,     // everything is removed and the user was told; the caller ends the program
    kNotCompleted,  // something stayed; the removal log stays for a second run unless the user deleted it
    kCancelled,     // the user did not confirm the removal; nothing was changed
};

// Deletes one installed file. A file the removal log lists (an earlier run deleted it) is deleted without
// a question when it is there again, and passed over when it is gone. A missing file the log does not list
// is asked about with [ERR_DEI_FILENOTFOUND], a file that cannot be deleted with [ERR_DEI_CANTDELETE]:
// Abort, Retry, Ignore, owned by owner. kDone when it was deleted, kSkipped when an earlier run did.
FileResult DeleteInstalledFile(WindowRef owner, const std::string& setupDirectory, const std::string& path);

// The removal itself, under a progress window without Cancel, owned by dialog, the owner of every
// question. Files of "[COMPFILES]" (every copy the installation made), "[ADDFILES]" and "[DELETEADDFILES]"
// and their directories go first; an Abort ends the run at once. Then, while any of them is there, the
// registry entries (RemoveDriverRegistry). Only when all of that succeeded do the Program Manager group, the
// removal log and the setup files go (the program, the script and the language files, which a second run
// needs as well), and "[INFO_DEI_DONE]" is shown: kCompleted. The running program, which cannot delete its
// own file, has it deleted at the next restart; programLeftForRestart (when given) then tells so, since
// the removal is only finished by that restart. Otherwise kNotCompleted.
DeinstallOutcome RunDeinstallation(WindowRef dialog, const DeinstallInputs& inputs,
                                   bool* programLeftForRestart = nullptr);

// The Deinstall button of the removal dialog: asks "[DLG_DEI_AREYOUSURE]" (kCancelled on No), runs the
// removal, and after an incomplete one deletes the removal log when the user answers Yes to
// "[ERR_DEI_NOSUCCESS]". On kCompleted the caller ends the program.
DeinstallOutcome ConfirmAndRunDeinstallation(WindowRef dialog, const DeinstallInputs& inputs,
                                             bool* programLeftForRestart = nullptr);
