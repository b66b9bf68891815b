#pragma once

#include <functional>
#include <string>
#include <vector>

#include "setupfiles/setup_info_file.h"

// Shared by the benchmarks: the full read of a setup information file that the reader and the
// configuration dialog benchmarks measure against, and the timing helpers.

// What every section reader gives back.
struct FullRead {
    int os = 0;
    MaintenanceDefaults maintenance;
    std::string capiDll, defaultProtocol;
    uint32_t version = 0;
    std::vector<ProtocolEntry> protocols;
    std::vector<CompFile> compFiles;
    std::vector<AddFile> addFiles;
    std::vector<DeleteAddFile> deleteAddFiles;
    ProgmanGroup group;
    LanguageList languages;
};

// The file read once and every section reader over it, as the program's start, installation and removal
// call them; the Program Manager group is that of language.
FullRead ReadEverything(const std::string& script, const std::string& language);

double Median(std::vector<double> values);

// The wall-clock seconds one call of work takes, averaged over calls.
double SecondsPerCall(int calls, const std::function<void()>& work);
