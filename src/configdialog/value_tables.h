#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The lists of the configuration pages map list positions to configuration values by fixed tables. A
// stored value that a list does not offer is shown in one extra entry, "%X (!)", and read back from it,
// so that an unchanged save writes it again.

constexpr int kNoSelection = -1;

// A list as a page shows it: the entries in their order and the selected position.
struct ChoiceList {
    std::vector<std::string> entries;
    int selected = kNoSelection;
};

// Entry i stands for the value firstValue + i. With an out-of-list entry, a value the entries do not
// offer is shown in one extra entry after them; without one it leaves the list without selection.
struct ValueTable {
    std::vector<std::string> entries;
    uint32_t firstValue = 0;
    bool withOutOfListEntry = true;
};

// Widths of the entry texts, terminator included.
constexpr size_t kShortEntryWidth = 32;  // start types, test modes, delivery confirmation, adapter entries
constexpr size_t kLongEntryWidth = 128;  // data I/O modes and layer-2 modes

// "%X (!)": the value in upper-case hexadecimal without leading zeros, a blank and "(!)".
std::string OutOfListEntry(uint32_t value);
// The table's entries with the value's entry selected, or the out-of-list entry appended and selected.
// The entry is chosen by its position, so entries whose texts are equal or begin alike (or are empty in a
// language file) never select another value.
ChoiceList ShowValue(const ValueTable& table, uint32_t value);
// The value the selection stands for; the out-of-list entry gives its text read as hexadecimal up to the
// first other character. unchanged when nothing is selected.
uint32_t ChosenValue(const ValueTable& table, const ChoiceList& list, uint32_t unchanged);

ValueTable StartTable();         // Start: boot, system, automatic, manual, disabled
ValueTable TestTable();          // Test: adapter, adapter and S0 bus
ValueTable DeliveryConfTable();  // DeliveryConf: automatic, on, off
ValueTable DataIoModeTable();    // DataIoMode: direct, buffered
ValueTable X31Layer2Table();     // x31Layer2: direct, virtual, active
ValueTable DosVectorTable();     // DosVector: "00" to "FF"
ValueTable InterruptTable();     // Interrupt: "1" to "15", no out-of-list entry
ValueTable CipValueTable();      // cipValue: "0" to "31"

// "%s %d" of the [TEXT_ADAPTER] text and the adapter number, cut to its width.
std::string AdapterEntry(uint32_t number);
// The adapter selector of the adapter page: one entry per adapter in use, the first one selected.
ChoiceList AdapterSelector(uint32_t count);

// The maintenance adapter list (mode Full): [TEXT_ADAPTER_ALL] first when more than one adapter is in
// use, so that the position is the Controller value (0 all, k adapter k); a single adapter's entry stands
// for adapter 1 and is always selected. A Controller without an entry leaves the list without selection.
ChoiceList MaintenanceAdapterChoices(uint32_t adapterCount, uint32_t controller);
// The Controller value of the selection; unchanged when nothing is selected.
uint32_t ChosenMaintenanceAdapter(const ChoiceList& list, uint32_t unchanged);
// What the display-only maintenance page (mode Default) shows for the "[MAINTENANCE]" adapter number.
std::string MaintenanceAdapterDisplay(uint32_t adapterCount, uint32_t defaultsAdapter);
