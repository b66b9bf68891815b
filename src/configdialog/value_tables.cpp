#include "configdialog/value_tables.h"

#include "configstore/driver_config.h"
#include "setupfiles/text_ids.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_line.h"

namespace {

ValueTable NamedTable(std::initializer_list<int> textIds, size_t width) {
    ValueTable table;
    for (int id : textIds) table.entries.push_back(FitField(Text(id), width));
    return table;
}

bool Offers(const ValueTable& table, uint32_t value) {
    return value >= table.firstValue && value - table.firstValue < table.entries.size();
}

}  // namespace

std::string OutOfListEntry(uint32_t value) {
    return HexText(value) + " (!)";
}

ChoiceList ShowValue(const ValueTable& table, uint32_t value) {
    ChoiceList list;
    list.entries = table.entries;
    if (Offers(table, value)) {
        list.selected = static_cast<int>(value - table.firstValue);
    } else if (table.withOutOfListEntry) {
        list.entries.push_back(OutOfListEntry(value));
        list.selected = static_cast<int>(table.entries.size());
    }
    return list;
}

uint32_t ChosenValue(const ValueTable& table, const ChoiceList& list, uint32_t unchanged) {
    if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.entries.size())
        return unchanged;
    size_t position = static_cast<size_t>(list.selected);
    if (position < table.entries.size())
        return table.firstValue + static_cast<uint32_t>(position);
    return ParseHex(list.entries[position]);
}

ValueTable StartTable() {
    return NamedTable({kTextTypeStartBoot, kTextTypeStartSystem, kTextTypeStartAuto, kTextTypeStartDemand,
                       kTextTypeStartDisabled},
                      kShortEntryWidth);
}

ValueTable TestTable() {
    return NamedTable({kTextTypeTestAdapter, kTextTypeTestAdapterS0}, kShortEntryWidth);
}

ValueTable DeliveryConfTable() {
    return NamedTable({kTextTypeDlcAuto, kTextTypeDlcOn, kTextTypeDlcOff}, kShortEntryWidth);
}

ValueTable DataIoModeTable() {
    return NamedTable({kTextTypeDataioDirect, kTextTypeDataioBuffered}, kLongEntryWidth);
}

ValueTable X31Layer2Table() {
    return NamedTable({kTextTypeLayerDirect, kTextTypeLayerVirtual, kTextTypeLayerActive}, kLongEntryWidth);
}

ValueTable DosVectorTable() {
    ValueTable table;
    table.firstValue = kDosVectorRange.first;
    for (uint32_t vector = kDosVectorRange.first; vector <= kDosVectorRange.last; ++vector)
        table.entries.push_back(HexText(vector, 2));
    return table;
}

ValueTable InterruptTable() {
    ValueTable table;
    table.firstValue = kInterruptRange.first;
    table.withOutOfListEntry = false;
    for (uint32_t line = kInterruptRange.first; line <= kInterruptRange.last; ++line)
        table.entries.push_back(std::to_string(line));
    return table;
}

ValueTable CipValueTable() {
    ValueTable table;
    table.firstValue = kCipValueRange.first;
    for (uint32_t cip = kCipValueRange.first; cip <= kCipValueRange.last; ++cip)
        table.entries.push_back(std::to_string(cip));
    return table;
}

std::string AdapterEntry(uint32_t number) {
    return FitField(Text(kTextTextAdapter) + " " + std::to_string(number), kShortEntryWidth);
}

ChoiceList AdapterSelector(uint32_t count) {
    ChoiceList list;
    for (uint32_t number = 1; number <= count; ++number) list.entries.push_back(AdapterEntry(number));
    list.selected = 0;
    return list;
}

ChoiceList MaintenanceAdapterChoices(uint32_t adapterCount, uint32_t controller) {
    ChoiceList list = AdapterSelector(adapterCount);
    if (adapterCount <= 1)
        return list;
    list.entries.insert(list.entries.begin(), Text(kTextTextAdapterAll));
    list.selected = controller <= adapterCount ? static_cast<int>(controller) : kNoSelection;
    return list;
}

uint32_t ChosenMaintenanceAdapter(const ChoiceList& list, uint32_t unchanged) {
    if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.entries.size())
        return unchanged;
    if (list.entries.size() == 1)
        return 1;
    return static_cast<uint32_t>(list.selected);
}

std::string MaintenanceAdapterDisplay(uint32_t adapterCount, uint32_t defaultsAdapter) {
    if (defaultsAdapter > adapterCount)
        return Text(kTextTextAdapterAll);
    if (adapterCount == 1)
        return AdapterEntry(1);
    if (defaultsAdapter == 0)
        return Text(kTextTextAdapterAll);
    return AdapterEntry(defaultsAdapter);
}
