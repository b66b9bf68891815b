#include "shell/command_line.h"

#include "setupfiles/text_line.h"
#include "shell/app_context.h"

namespace {

constexpr size_t kCommandLineLength = 127;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The characters from start up to the next blank or the end; start moves past them.
std::string TakeValue(const std::string& line, size_t& start) {
    size_t end = start;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    std::string value = line.substr(start, end - start);
    start = end;
    return value;
}

// A value of the deployment switches: up to the next blank, or between quotes. start moves past it.
void TakeDeploymentValue(const std::string& line, size_t& start, char option, std::string& value,
                         DeploymentSwitches& switches) {
    std::string name = std::string("/") + option;
    if (start < line.size() && line[start] == '"') {
        size_t close = line.find('"', start + 1);
        if (close == std::string::npos) {
            switches.valid = false;
            switches.problem = name + ": the quote is not closed";
            start = line.size();
            return;
        }
        value = line.substr(start + 1, close - start - 1);
        start = close + 1;
    } else {
        value = TakeValue(line, start);
    }
    if (value.empty()) {
        switches.valid = false;
        switches.problem = name + ": no file named";
    } else if (value.size() >= kDeploymentValueWidth) {
        switches.valid = false;
        switches.problem = name + ": the file name is longer than " +
                           std::to_string(kDeploymentValueWidth - 1) + " characters";
    }
}

}  // namespace

DeploymentSwitches ParseCommandLine(const std::string& commandLine, AppContext& app) {
    DeploymentSwitches switches;
    // The switches of every run keep their 127 characters; a letter beyond them is not seen.
    std::string firstPart = commandLine.substr(0, kCommandLineLength);
    const std::string& line = commandLine;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '/' && line[i] != '-') {
            ++i;
            continue;
        }
        size_t letter = i + 1;
        char option = letter < line.size() ? line[letter] : '\0';
        if (option >= 'A' && option <= 'Z')
            option = static_cast<char>(option - 'A' + 'a');
        bool early = letter < firstPart.size();
        i = letter;
        if (option == 'f' && early) {
            i = letter + 1;
            app.SetupInfoFileName = FitField(TakeValue(firstPart, i), kTextWidth);
            TakeValue(line, i);  // what lies beyond the 127 characters is no switch either
        } else if (option == 'l' && early) {
            i = letter + 1;
            app.RequestedLanguage = FitField(TakeValue(firstPart, i), kRequestedLanguageWidth);
            TakeValue(line, i);
        } else if (option == 'c' && early) {
            app.RunMode = kRunConfigure;
        } else if (option == 'd' && early) {
            app.RunMode = kRunDeinstall;
        } else if (option == 's') {
            switches.silent = true;
        } else if (option == 'v') {
            switches.verify = true;
        } else if (option == '?' || option == 'h') {
            switches.help = true;
        } else if (option == 'a') {
            i = letter + 1;
            TakeDeploymentValue(line, i, option, switches.answerFile, switches);
            switches.silent = true;
        } else if (option == 'r') {
            i = letter + 1;
            TakeDeploymentValue(line, i, option, switches.reportFile, switches);
        }
    }
    return switches;
}

void SelectLanguage(AppContext& app) {
    app.LanguageIndex = 0;
    if (app.RequestedLanguage.empty())
        return;
    for (size_t i = 0; i < app.Languages.entries.size(); ++i) {
        if (EqualsIgnoreCase(app.Languages.entries[i].displayName, app.RequestedLanguage)) {
            app.LanguageIndex = static_cast<int>(i);
            return;
        }
    }
}

std::string ProgramDirectory(const std::string& programPath, const std::string& fallback) {
    size_t slash = programPath.find_last_of('\\');
    if (slash == std::string::npos)
        return fallback;
    std::string directory = programPath.substr(0, slash);
    // A drive's root keeps its backslash: "C:" alone is the drive's current directory.
    if (directory.size() == 2 && directory[1] == ':')
        directory += '\\';
    return directory;
}

std::string AbsolutePath(const std::string& base, const std::string& path) {
    if (path.empty() || (path.size() >= 2 && path[1] == ':') || path.compare(0, 2, "\\\\") == 0)
        return path;
    // "\x" is the root of the base's drive.
    if (path[0] == '\\')
        return base.size() >= 2 && base[1] == ':' ? base.substr(0, 2) + path : path;
    std::string joined = base + "\\" + path;
    CollapseBackslashes(joined);
    return joined;
}

std::string WorkOutSetupProgramName(const std::string& programPath, const std::string& currentDirectory) {
    std::string directory = currentDirectory + "\\";
    CollapseBackslashes(directory);
    return programPath.size() > directory.size() ? programPath.substr(directory.size()) : std::string();
}
