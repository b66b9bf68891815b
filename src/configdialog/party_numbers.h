#pragma once

#include <cstddef>
#include <string>

// A party number with its subaddress. In the registry it is one value "number,subaddress"; on the
// maintenance page a calling number is one list line with a tab in place of the comma, so that the
// subaddresses stand in a column.

constexpr char kStoredPartySeparator = ',';
constexpr char kListedPartySeparator = '\t';
// The characters a number or a subaddress may have: the two and their separator fit a 40-byte field.
constexpr size_t kPartyPartLength = 19;

struct PartyNumber {
    std::string number;
    std::string subaddress;
};

// Splits at the first separator. A text without one is all subaddress.
PartyNumber SplitPartyNumber(const std::string& text, char separator);
// number, separator, subaddress.
std::string JoinPartyNumber(const PartyNumber& party, char separator);
// A registry value as a list line and back: every comma a tab, every tab a comma.
std::string PartyNumberLine(const std::string& stored);
std::string StoredPartyNumber(const std::string& line);

// Which of the calling number buttons are enabled: Add while fewer than eight numbers are listed; Edit
// while a line is selected; Remove while a line is selected and it is not the last one left.
struct NumberButtons {
    bool add = false;
    bool edit = false;
    bool remove = false;
};
NumberButtons UpdateNumberButtons(size_t lines, bool selected);
