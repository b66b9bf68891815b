#pragma once

#include <string>

// Sets SetupInfoFileName, RunMode and RequestedLanguage from the switches /f, /c, /d, /l (also with '-',
// in either case). The command line is taken as at most 127 characters.
void ParseCommandLine(const std::string& commandLine);

// LanguageIndex := the first listed language whose name equals RequestedLanguage (case ignored), else 0.
void SelectLanguage();

// The program's file name relative to the start directory: the full path less as many leading
// characters as the start directory with a trailing backslash has.
std::string WorkOutSetupProgramName(const std::string& programPath, const std::string& currentDirectory);
