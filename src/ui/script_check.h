#pragma once

#include <string>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// True when every file name of the script stays inside its place; otherwise tells the user which name
// does not, with its section and line, and returns false before the caller changes anything.
bool ScriptNamesStayInside(WindowRef owner, const SetupInfoFile& script);
