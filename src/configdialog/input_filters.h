#pragma once

#include <cstddef>
#include <string>

// Characters that a field of the configuration pages never accepts are removed as they are typed: the
// dialog passes the field's new text and caret and puts back what comes out when it changed.

// The base-address field takes four hexadecimal digits, the SPID field what the record holds.
constexpr size_t kBaseAddressDigits = 4;

struct FilteredText {
    std::string text;
    size_t caret = 0;
    bool changed = false;  // characters were removed: the field must be given the text and caret
};

// Base address (hexadecimal): only 0-9, a-f and A-F stay. The caret goes where the last removed character
// stood, so typing "2G0" leaves "20" with the caret after the 2.
FilteredText FilterBaseAddress(const std::string& text, size_t caret);
// SPID: a ";" would end the field early in the integrity backup text and shift every field after it.
FilteredText FilterSpid(const std::string& text, size_t caret);
// Party number or subaddress: none of the separators of their stored forms. A comma (the registry value's)
// or a tab (the list line's) would move the split between number and subaddress on reading back; ";" is
// kept out as from every configuration text, since it ends a field of the backup text.
FilteredText FilterPartyNumber(const std::string& text, size_t caret);
