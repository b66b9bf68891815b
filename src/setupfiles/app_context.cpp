#include "setupfiles/app_context.h"

#include "setupfiles/text_line.h"

AppContext& App() {
    static AppContext context;
    return context;
}

std::string ScriptPath(const AppContext& app) {
    return SetupInfoPath(app.SetupDirectory, app.SetupInfoFileName);
}

namespace {
const LanguageEntry* CurrentLanguage(const AppContext& app) {
    if (app.LanguageIndex < 0 || static_cast<size_t>(app.LanguageIndex) >= app.Languages.entries.size())
        return nullptr;
    return &app.Languages.entries[static_cast<size_t>(app.LanguageIndex)];
}
}  // namespace

std::string CurrentLanguageName(const AppContext& app) {
    const LanguageEntry* entry = CurrentLanguage(app);
    return entry ? entry->displayName : std::string();
}

std::string CurrentLanguageFile(const AppContext& app) {
    const LanguageEntry* entry = CurrentLanguage(app);
    return entry ? JoinPath(app.SetupDirectory, entry->fileName) : std::string();
}
