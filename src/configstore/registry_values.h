#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

// Reading and writing single values of an open key.

// One value of a list written in one go. Texts of any length are written whole.
struct RegValueItem {
    std::string name;
    uint32_t type;     // platform::registry::kTypeSz, kTypeExpandSz or kTypeDword
    uint32_t number;   // for every type other than a text
    std::string text;  // for kTypeSz and kTypeExpandSz
};

RegValueItem NumberItem(const std::string& name, uint32_t number);
RegValueItem TextItem(const std::string& name, const std::string& text,
                      uint32_t type = platform::registry::kTypeSz);

// One REG_DWORD.
bool WriteDwordValue(platform::registry::KeyId key, uint32_t number, const std::string& name);
// Writes every item in order, a text with its terminating zero, anything else as 4 bytes. A failing item
// does not stop the list; true only when every item was written.
bool WriteValueList(platform::registry::KeyId key, const std::vector<RegValueItem>& items);

// Reads a number. A value stored as a text (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) counts as read and leaves
// the destination unchanged. A missing value, or one that is not 4 bytes, is a failure, shown with
// [ERR_CFG_NOVALQUERY] when report is set; the destination then keeps its content.
bool ReadDwordValue(platform::registry::KeyId key, uint32_t* destination, const std::string& name,
                    bool report);
// Reads a text of at most capacity - 1 characters, never showing a message. The text is empty after a
// failure: a missing value, a value of a non-text type, or one longer than the field (never cut to fit,
// so that a later write cannot shorten it).
bool ReadStringValue(platform::registry::KeyId key, std::string* text, const std::string& name,
                     size_t capacity);
// Reads a value's bytes as stored (a REG_MULTI_SZ list with its zeros) and its type; a value of more than
// capacity bytes is a failure, never a cut list.
bool ReadRawValue(platform::registry::KeyId key, std::string* bytes, uint32_t* type, const std::string& name,
                  size_t capacity);
