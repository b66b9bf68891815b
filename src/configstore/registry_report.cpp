#include "configstore/registry_report.h"

#include "setupfiles/text_line.h"
#include "ui/run_report.h"

namespace {

const char* const kHiddenValues[] = {"password", "RegistryBackup"};

std::string KeyName(const std::string& path) {
    return "Registry: HKLM\\" + path;
}

}  // namespace

std::string ReportedValue(const RegValueItem& item) {
    for (const char* hidden : kHiddenValues)
        if (EqualsIgnoreCase(item.name, hidden))
            return "(not shown)";
    if (item.type == platform::registry::kTypeSz || item.type == platform::registry::kTypeExpandSz)
        return "\"" + item.text + "\"";
    return std::to_string(item.number);
}

void ReportValuesWritten(const std::string& path, const std::vector<RegValueItem>& items) {
    if (!ui::ReportOpen())
        return;
    for (const RegValueItem& item : items)
        ui::Report(KeyName(path) + ": " + item.name + " = " + ReportedValue(item));
}

void ReportKeyDeleted(const std::string& path) {
    ui::Report(KeyName(path) + " deleted");
}

void ReportValueDeleted(const std::string& path, const std::string& name) {
    ui::Report(KeyName(path) + ": " + name + " deleted");
}
