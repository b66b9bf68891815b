#pragma once

#include <string>
#include <vector>

#include "platform/file.h"

constexpr int kTextSlots = 700;
constexpr int kLanguageKeyCount = 141;

struct LanguageKey {
    const char* key;  // brackets included, case as written in the file
    int textId;
};

// The keys in the order the language file must hold them.
extern const LanguageKey kLanguageKeys[kLanguageKeyCount];

// Keys added after the first language files shipped. They follow the keys above in any order; a file
// without one is no error and gets the built-in English text, so that language files made for earlier
// versions of the program still serve.
constexpr int kAddedLanguageKeyCount = 6;
// An added key's text may be longer than the first keys' line: the switches of /? take several lines.
constexpr size_t kAddedTextWidth = 1024;
struct AddedLanguageKey {
    const char* key;
    int textId;
    const char* english;
};
extern const AddedLanguageKey kAddedLanguageKeys[kAddedLanguageKeyCount];

// The text of a TextId; empty for ids outside the table or never loaded.
const std::string& Text(int textId);
// Empties every slot (start of a fresh run; used by tests).
void ClearLanguageTable();

// Loads a language file over the table. Returns 1 when the file could be opened, with the keys that were
// not found in missingKeys (their slots keep their texts); 0 when not, and the table keeps its texts.
int LoadLanguageTable(const std::string& languageFile, std::vector<std::string>& missingKeys);
// Reads on from the file's position until a line equals key, then takes the next line into the slot.
// False when the key is not found; the slot keeps its text.
bool FindLanguageKey(platform::InputFile& file, const char* key, int textId);
