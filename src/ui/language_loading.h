#pragma once

#include <string>

#include "setupfiles/app_context.h"

// Loads the current language's file over the text table, with the hourglass while it reads, and tells the
// user about a file that cannot be opened and about every key it lacks. Returns LoadLanguageTable's result.
int LoadCurrentLanguage(const AppContext& app);

// Reads the language list of the setup information file into app.Languages; tells the user when the file
// cannot be opened. Returns 1, or 0 without a file.
int ReadLanguageList(AppContext& app);
