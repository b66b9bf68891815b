#pragma once

#include <string>
#include <vector>

#include "configstore/registry_values.h"

// Registry changes as lines of the run's report (ui/run_report.h). Keys are named from HKEY_LOCAL_MACHINE.
// Secrets never reach the report: the maintenance password and the backup text that holds it are named
// without their content.

// One line per value: "Registry: HKLM\<path>: <name> = <value>".
void ReportValuesWritten(const std::string& path, const std::vector<RegValueItem>& items);
// "Registry: HKLM\<path> deleted", and "Registry: HKLM\<path>: <name> deleted".
void ReportKeyDeleted(const std::string& path);
void ReportValueDeleted(const std::string& path, const std::string& name);
// The text of a value as the report shows it.
std::string ReportedValue(const RegValueItem& item);
