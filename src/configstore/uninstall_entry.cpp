#include "configstore/uninstall_entry.h"

#include <vector>

#include "configstore/config_writer.h"
#include "configstore/registry_layout.h"
#include "resources/version.h"
#include "setupfiles/text_line.h"

bool WriteUninstallEntry(const UninstallEntry& entry) {
    // Quoted: Windows starts the command line as it stands, and an installation directory may hold blanks.
    std::string program = "\"" + JoinPath(entry.installDirectory, entry.programName) + "\"";
    std::vector<RegValueItem> items = {
        TextItem("DisplayName", entry.displayName),
        TextItem("DisplayVersion", std::to_string(entry.scriptVersion)),
        TextItem("Publisher", QUOREL_COMPANY_NAME),
        TextItem("InstallLocation", entry.installDirectory),
        TextItem("DisplayIcon", JoinPath(entry.installDirectory, entry.programName)),
        TextItem("UninstallString", program + " /d"),
        TextItem("QuietUninstallString", program + " /s /d"),
        TextItem("ModifyPath", program + " /c"),
        // The setup program has no repair of its own: installing again is the repair.
        NumberItem("NoRepair", 1),
    };
    return WriteLayoutKey(kUninstallKeyPath, items);
}
