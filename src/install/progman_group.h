#pragma once

#include <string>
#include <vector>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// The Program Manager commands that build a group: delete it, create it, show it, one AddItem per item
// (keywords resolved against the installation directory), show it again.
std::vector<std::string> ProgmanBuildCommands(const ProgmanGroup& group, const std::string& installDirectory);

// Builds the group of the current language from the setup information file in scriptDirectory.
void BuildProgmanGroup(WindowRef owner, const std::string& scriptDirectory,
                       const std::string& installDirectory);
void RemoveProgmanGroup(WindowRef owner, const std::string& scriptDirectory);
