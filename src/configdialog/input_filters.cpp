#include "configdialog/input_filters.h"

#include "configdialog/party_numbers.h"

namespace {

constexpr char kBackupFieldEnd = ';';

template <typename Accepted>
FilteredText Filter(const std::string& text, size_t caret, Accepted accepted) {
    FilteredText result;
    result.caret = caret;
    for (char c : text) {
        if (accepted(c)) {
            result.text += c;
        } else {
            result.caret = result.text.size();
            result.changed = true;
        }
    }
    if (result.caret > result.text.size())
        result.caret = result.text.size();
    return result;
}

}  // namespace

FilteredText FilterBaseAddress(const std::string& text, size_t caret) {
    return Filter(text, caret, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

FilteredText FilterSpid(const std::string& text, size_t caret) {
    return Filter(text, caret, [](char c) { return c != kBackupFieldEnd; });
}

FilteredText FilterPartyNumber(const std::string& text, size_t caret) {
    return Filter(text, caret, [](char c) {
        return c != kBackupFieldEnd && c != kStoredPartySeparator && c != kListedPartySeparator;
    });
}
