#pragma once

#include <cstdint>
#include <string>

// The installation's entry among the programs Windows lists (Add/Remove Programs), which software
// distribution systems also read to find an installation: its name, version and maker, where it lies, and
// the installed setup program's command lines to remove it (with and without windows) and to change it.

struct UninstallEntry {
    std::string displayName;       // the Program Manager group's title
    uint32_t scriptVersion = 0;    // "[VERSION]" of the setup information file
    std::string installDirectory;  // where SETUP.EXE was installed
    std::string programName;       // the setup program's file name there
};

// Writes the entry; false, after reporting the key, when a value could not be written.
bool WriteUninstallEntry(const UninstallEntry& entry);
