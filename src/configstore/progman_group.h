#pragma once

#include <string>
#include <vector>

#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// The Program Manager commands that build a group: delete it, create it, show it, one AddItem per item
// (keywords resolved against the installation directory), show it again.
// programName is the setup program's file name, for the items that start it.
std::vector<std::string> ProgmanBuildCommands(const ProgmanGroup& group, const std::string& programName,
                                              const std::string& installDirectory);

// Builds the group of a language from the setup information file script.
void BuildProgmanGroup(WindowRef owner, const SetupInfoFile& script, const std::string& language,
                       const std::string& programName, const std::string& installDirectory);
void RemoveProgmanGroup(WindowRef owner, const SetupInfoFile& script, const std::string& language);
