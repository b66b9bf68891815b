#include <gtest/gtest.h>

#include <functional>

#include "config_store_fixture.h"
#include "configdialog/value_tables.h"

namespace {

using config_test::ConfigStoreFixture;

class ValueTablesTest : public ConfigStoreFixture {};

// The text of the selected entry, or "(none)".
std::string SelectedText(const ChoiceList& list) {
    if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.entries.size())
        return "(none)";
    return list.entries[list.selected];
}

TEST_F(ValueTablesTest, StoredValuesShowTheirEntryOrAnOutOfListEntryAndReadBack) {
    struct Case {
        const char* list;
        std::function<ValueTable()> table;
        uint32_t value;
        std::string shown;
        bool extraEntry;
        uint32_t readBack;
    } cases[] = {
        {"Start", StartTable, 0, "Boot", false, 0},
        {"Start", StartTable, 2, "Automatic", false, 2},
        {"Start", StartTable, 4, "Disabled", false, 4},
        {"Start", StartTable, 5, "5 (!)", true, 5},
        {"Start", StartTable, 0x10, "10 (!)", true, 0x10},
        {"Start", StartTable, 0xFFFFFFFF, "FFFFFFFF (!)", true, 0xFFFFFFFF},
        {"Test", TestTable, 1, "Adapter and S0 bus", false, 1},
        {"Test", TestTable, 2, "2 (!)", true, 2},
        {"DeliveryConf", DeliveryConfTable, 2, "Off", false, 2},
        {"DeliveryConf", DeliveryConfTable, 5, "5 (!)", true, 5},
        {"DataIoMode", DataIoModeTable, 1, "Buffered", false, 1},
        {"DataIoMode", DataIoModeTable, 7, "7 (!)", true, 7},
        {"x31Layer2", X31Layer2Table, 2, "Active", false, 2},
        {"x31Layer2", X31Layer2Table, 3, "3 (!)", true, 3},
        {"DosVector", DosVectorTable, 0, "00", false, 0},
        {"DosVector", DosVectorTable, 0xF1, "F1", false, 0xF1},
        {"DosVector", DosVectorTable, 0xFF, "FF", false, 0xFF},
        {"DosVector", DosVectorTable, 0x100, "100 (!)", true, 0x100},
        {"DosVector", DosVectorTable, 0x1FF, "1FF (!)", true, 0x1FF},
        {"Interrupt", InterruptTable, 1, "1", false, 1},
        {"Interrupt", InterruptTable, 3, "3", false, 3},
        {"Interrupt", InterruptTable, 15, "15", false, 15},
        {"cipValue", CipValueTable, 0, "0", false, 0},
        {"cipValue", CipValueTable, 31, "31", false, 31},
        {"cipValue", CipValueTable, 40, "28 (!)", true, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + std::to_string(c.value));
        ValueTable table = c.table();
        ChoiceList list = ShowValue(table, c.value);
        EXPECT_EQ(SelectedText(list), c.shown);
        std::vector<std::string> entries = table.entries;
        if (c.extraEntry)
            entries.push_back(c.shown);
        EXPECT_EQ(list.entries, entries);
        EXPECT_EQ(ChosenValue(table, list, 12345), c.readBack);
    }
}

TEST_F(ValueTablesTest, InterruptsOutsideOneToFifteenLeaveTheListWithoutSelectionAndKeepTheirValue) {
    for (uint32_t interrupt : {0u, 16u, 100u}) {
        ChoiceList list = ShowValue(InterruptTable(), interrupt);
        EXPECT_EQ(list.selected, kNoSelection) << interrupt;
        EXPECT_EQ(list.entries, InterruptTable().entries) << interrupt;
        EXPECT_EQ(ChosenValue(InterruptTable(), list, interrupt), interrupt);
    }
}

TEST_F(ValueTablesTest, ListsOfferTheirValuesInOrder) {
    EXPECT_EQ(StartTable().entries,
              (std::vector<std::string>{"Boot", "System", "Automatic", "Manual", "Disabled"}));
    EXPECT_EQ(TestTable().entries, (std::vector<std::string>{"Adapter only", "Adapter and S0 bus"}));
    EXPECT_EQ(DeliveryConfTable().entries, (std::vector<std::string>{"Automatic", "On", "Off"}));
    EXPECT_EQ(DataIoModeTable().entries, (std::vector<std::string>{"Direct", "Buffered"}));
    EXPECT_EQ(X31Layer2Table().entries, (std::vector<std::string>{"Direct", "Virtual", "Active"}));
    std::vector<std::string> interrupts = InterruptTable().entries;
    EXPECT_EQ(interrupts.front(), "1");
    EXPECT_EQ(interrupts.back(), "15");
    std::vector<std::string> vectors = DosVectorTable().entries;
    EXPECT_EQ(vectors[0x0A], "0A");
    EXPECT_EQ(vectors.back(), "FF");
    EXPECT_EQ(CipValueTable().entries.back(), "31");
}

TEST_F(ValueTablesTest, SelectionComesFromTheChosenEntryWhenUserPicksAnother) {
    ChoiceList list = ShowValue(StartTable(), 0x10);
    list.selected = 3;
    EXPECT_EQ(ChosenValue(StartTable(), list, 0x10), 3u);
    list.selected = kNoSelection;
    EXPECT_EQ(ChosenValue(StartTable(), list, 0x10), 0x10u);
}

TEST_F(ValueTablesTest, EntriesThatReadAlikeStillSelectTheValuesPosition) {
    // A language file may give two choices the same text, one that begins like another, or none at all.
    LoadLanguage({{"[TYPE_START_BOOT]", "Start"},
                  {"[TYPE_START_SYSTEM]", "Start"},
                  {"[TYPE_START_AUTO]", "Start"},
                  {"[TYPE_START_DEMAND]", "Start later"},
                  {"[TYPE_DLC_AUTO]", ""},
                  {"[TYPE_DLC_ON]", ""},
                  {"[TYPE_DLC_OFF]", ""}});
    for (uint32_t start = 0; start < 5; ++start) {
        ChoiceList list = ShowValue(StartTable(), start);
        EXPECT_EQ(list.selected, static_cast<int>(start));
        EXPECT_EQ(ChosenValue(StartTable(), list, 99), start);
    }
    ChoiceList delivery = ShowValue(DeliveryConfTable(), 2);
    EXPECT_EQ(delivery.selected, 2);
    EXPECT_EQ(ChosenValue(DeliveryConfTable(), delivery, 99), 2u);
}

TEST_F(ValueTablesTest, EntryTextsAreCutToTheirWidths) {
    LoadLanguage({{"[TYPE_START_BOOT]", std::string(40, 's')},
                  {"[TYPE_DATAIO_DIRECT]", std::string(200, 'd')},
                  {"[TEXT_ADAPTER]", std::string(40, 'a')}});
    EXPECT_EQ(StartTable().entries[0], std::string(31, 's'));
    EXPECT_EQ(DataIoModeTable().entries[0], std::string(127, 'd'));
    EXPECT_EQ(AdapterEntry(2), std::string(31, 'a'));
}

TEST_F(ValueTablesTest, AdapterSelectorHasOneEntryPerAdapterWithTheFirstSelected) {
    ChoiceList selector = AdapterSelector(3);
    EXPECT_EQ(selector.entries, (std::vector<std::string>{"Adapter 1", "Adapter 2", "Adapter 3"}));
    EXPECT_EQ(selector.selected, 0);
}

TEST_F(ValueTablesTest, MaintenanceAdapterListStandsForTheControllerValue) {
    struct Case {
        uint32_t adapters;
        uint32_t controller;
        std::string shown;
        uint32_t readBack;
    } cases[] = {
        {1, 1, "Adapter 1", 1},        {1, 0, "Adapter 1", 1},  // a single adapter is always the one
        {1, 3, "Adapter 1", 1},        {3, 0, "All adapters", 0}, {3, 2, "Adapter 2", 2},
        {3, 3, "Adapter 3", 3},        {3, 4, "(none)", 4},  // no entry: nothing selected, the value is kept
        {2, 0xFFFF, "(none)", 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.adapters) + " adapters, Controller " + std::to_string(c.controller));
        ChoiceList list = MaintenanceAdapterChoices(c.adapters, c.controller);
        EXPECT_EQ(SelectedText(list), c.shown);
        EXPECT_EQ(ChosenMaintenanceAdapter(list, c.controller), c.readBack);
    }
    EXPECT_EQ(MaintenanceAdapterChoices(3, 0).entries,
              (std::vector<std::string>{"All adapters", "Adapter 1", "Adapter 2", "Adapter 3"}));
    EXPECT_EQ(MaintenanceAdapterChoices(1, 0).entries, (std::vector<std::string>{"Adapter 1"}));
}

TEST_F(ValueTablesTest, DisplayOnlyMaintenanceAdapterFollowsTheSectionsAdapterNumber) {
    struct Case {
        uint32_t adapters;
        uint32_t defaultsAdapter;
        std::string shown;
    } cases[] = {
        {1, 0, "Adapter 1"},    {1, 1, "Adapter 1"}, {1, 2, "All adapters"},
        {3, 0, "All adapters"}, {3, 2, "Adapter 2"}, {3, 4, "All adapters"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaintenanceAdapterDisplay(c.adapters, c.defaultsAdapter), c.shown)
            << c.adapters << " adapters, section adapter " << c.defaultsAdapter;
}

}  // namespace
