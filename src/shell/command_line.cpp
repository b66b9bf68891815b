#include "shell/command_line.h"

#include "setupfiles/text_line.h"
#include "setupfiles/app_context.h"

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

}  // namespace

void ParseCommandLine(const std::string& commandLine) {
    AppContext& app = App();
    std::string line = commandLine.substr(0, kCommandLineLength);
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
        i = letter;
        if (option == 'f') {
            i = letter + 1;
            app.SetupInfoFileName = FitField(TakeValue(line, i), kTextWidth);
        } else if (option == 'l') {
            i = letter + 1;
            app.RequestedLanguage = FitField(TakeValue(line, i), kRequestedLanguageWidth);
        } else if (option == 'c') {
            app.RunMode = kRunConfigure;
        } else if (option == 'd') {
            app.RunMode = kRunDeinstall;
        }
    }
}

void SelectLanguage() {
    AppContext& app = App();
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

std::string WorkOutSetupProgramName(const std::string& programPath, const std::string& currentDirectory) {
    std::string directory = currentDirectory + "\\";
    CollapseBackslashes(directory);
    return programPath.size() > directory.size() ? programPath.substr(directory.size()) : std::string();
}
