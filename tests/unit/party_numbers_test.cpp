#include <gtest/gtest.h>

#include "configdialog/party_numbers.h"

namespace {

TEST(PartyNumbers, StoredValueSplitsAtTheCommaAndJoinsBack) {
    struct Case {
        std::string stored;
        std::string number;
        std::string subaddress;
    } cases[] = {
        {"123,45", "123", "45"}, {"089123456780,", "089123456780", ""}, {",45", "", "45"}, {",", "", ""},
        {"1,2,3", "1", "2,3"},
    };
    for (const Case& c : cases) {
        PartyNumber party = SplitPartyNumber(c.stored, kStoredPartySeparator);
        EXPECT_EQ(party.number, c.number) << c.stored;
        EXPECT_EQ(party.subaddress, c.subaddress) << c.stored;
        EXPECT_EQ(JoinPartyNumber(party, kStoredPartySeparator), c.stored);
    }
}

TEST(PartyNumbers, ValueWithoutACommaIsAllSubaddress) {
    PartyNumber party = SplitPartyNumber("12345", kStoredPartySeparator);
    EXPECT_EQ(party.number, "");
    EXPECT_EQ(party.subaddress, "12345");
    EXPECT_EQ(JoinPartyNumber(party, kStoredPartySeparator), ",12345");
}

TEST(PartyNumbers, ListLinesHoldATabWhereTheValueHasItsComma) {
    EXPECT_EQ(PartyNumberLine("123,45"), "123\t45");
    EXPECT_EQ(PartyNumberLine("12345"), "12345");
    EXPECT_EQ(StoredPartyNumber("123\t45"), "123,45");
    EXPECT_EQ(StoredPartyNumber(PartyNumberLine("0897654321,12")), "0897654321,12");
    EXPECT_EQ(JoinPartyNumber({"123", "45"}, kListedPartySeparator), "123\t45");
    PartyNumber party = SplitPartyNumber("123\t45", kListedPartySeparator);
    EXPECT_EQ(party.number, "123");
    EXPECT_EQ(party.subaddress, "45");
}

TEST(PartyNumbers, NumberButtonsAllowEightNumbersAndKeepTheLastOne) {
    struct Case {
        size_t lines;
        bool selected;
        bool add, edit, remove;
    } cases[] = {
        {0, false, true, false, false},  {1, false, true, false, false}, {1, true, true, true, false},
        {2, false, true, false, false},  {2, true, true, true, true},    {7, true, true, true, true},
        {8, false, false, false, false}, {8, true, false, true, true},
    };
    for (const Case& c : cases) {
        NumberButtons buttons = UpdateNumberButtons(c.lines, c.selected);
        EXPECT_EQ(buttons.add, c.add) << c.lines << " lines, selected " << c.selected;
        EXPECT_EQ(buttons.edit, c.edit) << c.lines << " lines, selected " << c.selected;
        EXPECT_EQ(buttons.remove, c.remove) << c.lines << " lines, selected " << c.selected;
    }
}

}  // namespace
