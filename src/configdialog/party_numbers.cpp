#include "configdialog/party_numbers.h"

#include <algorithm>

#include "setupfiles/setup_info_file.h"

PartyNumber SplitPartyNumber(const std::string& text, char separator) {
    size_t split = text.find(separator);
    if (split == std::string::npos)
        return {"", text};
    return {text.substr(0, split), text.substr(split + 1)};
}

std::string JoinPartyNumber(const PartyNumber& party, char separator) {
    return party.number + separator + party.subaddress;
}

std::string PartyNumberLine(const std::string& stored) {
    std::string line = stored;
    std::replace(line.begin(), line.end(), kStoredPartySeparator, kListedPartySeparator);
    return line;
}

std::string StoredPartyNumber(const std::string& line) {
    std::string stored = line;
    std::replace(stored.begin(), stored.end(), kListedPartySeparator, kStoredPartySeparator);
    return stored;
}

NumberButtons UpdateNumberButtons(size_t lines, bool selected) {
    NumberButtons buttons;
    buttons.add = lines < kMaxCgpn;
    buttons.edit = selected;
    buttons.remove = selected && lines > 1;
    return buttons;
}
