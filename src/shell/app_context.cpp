#include "shell/app_context.h"

#include <vector>

#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "ui/message_boxes.h"
#include "ui/user_interface.h"

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

int LoadCurrentLanguage(const AppContext& app) {
    ui::ShowWaitCursor(true);
    std::vector<std::string> missingKeys;
    int loaded = LoadLanguageTable(CurrentLanguageFile(app), missingKeys);
    ui::ShowWaitCursor(false);
    if (!loaded) {
        ShowError(nullptr, "Language is not supported!");
        return 0;
    }
    for (const std::string& key : missingKeys) ShowError(nullptr, "LNG Section not found: " + key);
    return 1;
}
