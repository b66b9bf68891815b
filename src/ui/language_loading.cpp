#include "ui/language_loading.h"

#include <vector>

#include "setupfiles/language_table.h"
#include "ui/message_boxes.h"
#include "ui/user_interface.h"

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

int ReadLanguageList(AppContext& app) {
    if (ReadLanguageSection(ScriptPath(app), app.Languages) == kScriptMissing) {
        ShowError(nullptr, kScriptMissingText);
        return 0;
    }
    return 1;
}
