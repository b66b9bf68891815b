#include "configdialog/adapter_contents.h"

#include <algorithm>

#include "configdialog/value_tables.h"
#include "configstore/driver_config.h"

AdapterContents::AdapterContents(size_t adapterCount)
    : count_(static_cast<uint32_t>(std::clamp<size_t>(adapterCount, 1, kMaxAdapters))) {}

std::vector<std::string> AdapterContents::Lines() const {
    return AdapterSelector(count_).entries;
}

bool AdapterContents::CanAdd() const {
    return count_ < kMaxAdapters;
}

bool AdapterContents::CanRemove() const {
    return count_ > 1;
}

void AdapterContents::Add() {
    if (CanAdd())
        ++count_;
}

void AdapterContents::Remove() {
    if (CanRemove())
        --count_;
}
