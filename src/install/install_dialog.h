#pragma once

#include <string>

#include "platform/window_ref.h"

// The default installation directory: the Windows drive root followed by the default folder name.
std::string DefaultDestinationPath();

// Runs the install dialog modally; Install starts the installation run inside it.
void OpenInstallDialog(WindowRef owner, const std::string& setupDirectory);
