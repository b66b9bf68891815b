#pragma once

#include <string>

#include "platform/file.h"
#include "platform/window_ref.h"

constexpr int kTextSlots = 700;
constexpr int kLanguageKeyCount = 141;

struct LanguageKey {
    const char* key;  // brackets included, case as written in the file
    int textId;
};

// The keys in the order the language file must hold them.
extern const LanguageKey kLanguageKeys[kLanguageKeyCount];

// The text of a TextId; empty for ids outside the table or never loaded.
const std::string& Text(int textId);
// Empties every slot (start of a fresh run; used by tests).
void ClearLanguageTable();

// Loads the current language's file over the table. Returns 1 when the file could be opened, whatever keys
// were missing; 0 when not, and the table keeps its texts.
int LoadLanguageTable();
// Reads on from the file's position until a line equals key, then takes the next line into the slot.
// A key that is not found is reported and leaves the slot as it was.
void FindLanguageKey(platform::InputFile& file, const char* key, int textId);
