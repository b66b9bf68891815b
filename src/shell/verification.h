#pragma once

#include <string>
#include <vector>

#include "install/file_versions.h"
#include "shell/app_context.h"

// /v: the installation compared with what it should be, nothing changed. Every difference is a line of the
// report.

// One driver file whose installed version is not the distribution's.
struct FileVersionDifference {
    FileVersionRow distribution;
    FileVersionRow installed;
};

// The rows of the two scans of the same setup information file ("[COMPFILES]" entries marked for versions,
// in the same order) compared entry by entry; a row one scan lacks differs from nothing.
std::vector<FileVersionDifference> CompareFileVersions(const std::vector<FileVersionRow>& distribution,
                                                       const std::vector<FileVersionRow>& installed);
// "c:\...\qdss1.sys: installed v2.10 (rev.05), distribution v2.11 (rev.00) (z:\dist\driver\QDSS1.SY_)".
std::string DescribeFileVersionDifference(const FileVersionDifference& difference);

// The installed configuration against its integrity backup (a configuration that cannot be read and a
// missing or damaged backup count as differences), then the installed driver files (Windows tree, and
// installDirectory for those installed below it) against the compressed ones of the distribution in the
// setup directory. Returns the number of differences found.
size_t VerifyInstallation(const AppContext& app, const std::string& installDirectory);
