#include <gtest/gtest.h>

#include <functional>

#include "configdialog/input_filters.h"

namespace {

struct Case {
    std::string typed;
    size_t caret;
    std::string text;
    size_t filteredCaret;
};

void Check(const char* field, std::function<FilteredText(const std::string&, size_t)> filter,
           const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(field) + " \"" + c.typed + "\" caret " + std::to_string(c.caret));
        FilteredText result = filter(c.typed, c.caret);
        EXPECT_EQ(result.text, c.text);
        EXPECT_EQ(result.caret, c.filteredCaret);
        EXPECT_EQ(result.changed, c.text != c.typed);
    }
}

TEST(InputFilters, BaseAddressKeepsHexDigitsAndPutsTheCaretWhereTheLastInvalidCharacterWas) {
    Check("base address", FilterBaseAddress,
          {
              {"2G0", 3, "20", 1},
              {"2G", 2, "2", 1},
              {"260", 3, "260", 3},
              {"aBcF", 2, "aBcF", 2},
              {"", 0, "", 0},
              {"x", 1, "", 0},
              {"0x3E", 4, "03E", 1},
              {"G12", 1, "12", 0},
              {"1 2;3", 5, "123", 2},
              {"3-", 2, "3", 1},
          });
}

TEST(InputFilters, SpidNeverHoldsTheBackupsFieldEnd) {
    Check("SPID", FilterSpid,
          {
              {"0123456789", 10, "0123456789", 10},
              {"01;23", 3, "0123", 2},
              {";", 1, "", 0},
              {"a,b\tc", 5, "a,b\tc", 5},
          });
}

TEST(InputFilters, PartyNumbersNeverHoldTheirOwnSeparatorsOrTheBackupsFieldEnd) {
    Check("party number", FilterPartyNumber,
          {
              {"089123456780", 12, "089123456780", 12},
              {"089,12", 4, "08912", 3},
              {"12\t34", 3, "1234", 2},
              {"12;", 3, "12", 2},
              {"+49 (89) 123-4", 14, "+49 (89) 123-4", 14},
          });
}

}  // namespace
