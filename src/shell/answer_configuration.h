#pragma once

#include <string>
#include <vector>

#include "configstore/driver_config.h"
#include "setupfiles/setup_info_file.h"
#include "shell/answer_file.h"

// The driver settings of an answer file ([Driver], [AdapterN], [Maintenance]) applied the way the
// configuration dialog's OK applies a person's choices: over the installed configuration, through the
// dialog's pages, saved with the same write order and the same integrity backup.

// The given answers into the record and the adapters; what the answer file does not give keeps its value.
// The protocol is looked up by name in entries (the "[PROTOCOL]" list). Given calling numbers replace the
// list, in the order of their keys; a called number replaces the called number.
void ApplyDriverAnswers(const AnswerFile& answers, const std::vector<ProtocolEntry>& entries,
                        DriverConfig& config, AdapterArray& adapters);

// Loads the installed configuration as the configuration dialog opens it (the integrity check included,
// answered silently in a silent run), applies the answers, fills the dialog's pages from the result and
// saves them as its OK does. restartNeeded is set once the registry was touched. False when the
// configuration could not be loaded or a write failed (each reported where it happened).
bool ApplyAnswerConfiguration(const std::string& script, const AnswerFile& answers, bool* restartNeeded);
