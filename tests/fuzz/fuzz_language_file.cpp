// The input is the current language's file. Loading it must fill no slot beyond a text's width, touch no
// slot that no key names, and report missing keys as the reader works: it never rewinds, so once a key
// is missing every key after it is missing too.
#include <set>

#include "fuzz_support.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"

namespace {

const std::string kMissingPrefix = "LNG Section not found: ";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    const std::string bytes = fuzz::Bytes(data, size);
    fuzz::WriteFile(fuzz::ScratchDirectory() + "/FUZZ.LNG", bytes);
    fuzz::App().Languages.entries = {{"Fuzz", "FUZZ.LNG"}};
    fuzz::App().LanguageIndex = 0;

    FUZZ_CHECK(LoadCurrentLanguage(fuzz::App()) == 1, "an existing language file was not loaded");

    std::set<int> keyIds;
    for (const LanguageKey& key : kLanguageKeys) keyIds.insert(key.textId);
    // An added key's slot always holds a text: the file's, or the built-in English one; it may be wider.
    std::set<int> addedIds;
    for (const AddedLanguageKey& key : kAddedLanguageKeys) addedIds.insert(key.textId);
    keyIds.insert(addedIds.begin(), addedIds.end());
    for (int id = -3; id < kTextSlots + 3; ++id) {
        const std::string& text = Text(id);
        size_t width = addedIds.count(id) ? kAddedTextWidth : kTextWidth;
        FUZZ_CHECK(text.size() <= width - 1,
                   "Text(" + std::to_string(id) + ") holds " + std::to_string(text.size()) + " characters");
        FUZZ_CHECK(text.empty() || keyIds.count(id), "Text(" + std::to_string(id) + ") filled without a key");
    }

    // The missing keys are reported in key order and form the tail of the key list.
    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.size() <= static_cast<size_t>(kLanguageKeyCount),
               std::to_string(shown.size()) + " messages");
    size_t firstMissing = kLanguageKeyCount - shown.size();
    for (size_t i = 0; i < shown.size(); ++i) {
        const char* key = kLanguageKeys[firstMissing + i].key;
        FUZZ_CHECK(
            shown[i].kind == "InfoMessageBox" && shown[i].text == kMissingPrefix + key,
            "message " + std::to_string(i) + " is " + fuzz::Quoted(shown[i].text) + ", expected key " + key);
    }
    // A missing key leaves its slot empty, unless a key found earlier shares the slot.
    std::set<int> foundIds;
    for (size_t i = 0; i < firstMissing; ++i) foundIds.insert(kLanguageKeys[i].textId);
    for (size_t i = firstMissing; i < static_cast<size_t>(kLanguageKeyCount); ++i) {
        int id = kLanguageKeys[i].textId;
        FUZZ_CHECK(foundIds.count(id) || Text(id).empty(),
                   std::string("missing key ") + kLanguageKeys[i].key + " has a text");
    }
    // Only a CR ends a line, and a key counts only on a line of its own.
    if (bytes.find('\r') == std::string::npos)
        FUZZ_CHECK(shown.size() == static_cast<size_t>(kLanguageKeyCount),
                   "a key found without any line end");
    return 0;
}
