#pragma once

#include <string>

#include "shell/app_context.h"

// The switches for unattended runs. Their values may be longer than the 127 characters the other switches
// are read from, and may be quoted ("/a"C:\My Files\answers.ini"") to hold blanks.
struct DeploymentSwitches {
    bool silent = false;     // /s, and implied by /a: no window at all
    std::string answerFile;  // /a
    std::string reportFile;  // /r
    bool verify = false;     // /v
    bool help = false;       // /? or /h: the switches are shown, nothing else is done
    // False when a value of these switches cannot be taken (missing, unclosed quote, longer than a path);
    // problem then says which, for the report.
    bool valid = true;
    std::string problem;
};

// The longest value of /a and /r: a Windows path.
constexpr size_t kDeploymentValueWidth = 260;

// Sets SetupInfoFileName, RunMode and RequestedLanguage from the switches /f, /c, /d, /l (also with '-',
// in either case), which are read from the first 127 characters only, and returns the switches /s, /a, /r,
// /v, /? (/h), read from the whole line. The value of /a and /r is skipped whole, so that a '/' or '-' inside
// it never counts as a switch. Other letters are ignored.
DeploymentSwitches ParseCommandLine(const std::string& commandLine, AppContext& app);

// LanguageIndex := the first listed language whose name equals RequestedLanguage (case ignored), else 0.
void SelectLanguage(AppContext& app);

// The program's file name relative to the start directory: the full path less as many leading
// characters as the start directory with a trailing backslash has.
std::string WorkOutSetupProgramName(const std::string& programPath, const std::string& currentDirectory);
// The directory the program's file lies in ("C:\" for a drive's root), or fallback for a name without one.
std::string ProgramDirectory(const std::string& programPath, const std::string& fallback);
// A path as the caller meant it from its directory base: a full path (drive or network) as it stands, a
// path from the root onto the base's drive, anything else below base.
std::string AbsolutePath(const std::string& base, const std::string& path);
