#pragma once

#include <string>

#include "platform/window_ref.h"

// The installation directory holds SETUP.EXE, which the Configure and Remove items start with an
// administrator's rights: only administrators may change it. Each directory of the path that the
// installation makes gets an access list of Administrators and SYSTEM (full) and everybody else (read and
// run), which what is later made in it inherits. An existing directory keeps its access list, as the
// administrator chose it; when others can change it, the report says so.
void CreateInstallationDirectory(WindowRef progressWindow, const std::string& directory);
