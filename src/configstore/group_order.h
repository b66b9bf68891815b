#pragma once

#include <string>
#include <vector>

// The load order group "CAPI20" in the service group order, the REG_MULTI_SZ value "List" of
// "SYSTEM\CurrentControlSet\Control\ServiceGroupOrder".

constexpr size_t kGroupListCapacity = 16384;

// Both edits change only the bytes of the name they put in or take out; a list whose data ends without
// its closing zeros gets them added.
// Inserts "CAPI20" before "NDIS" unless "CAPI20" comes first; a list with neither stays as it is. A list
// that cannot be read whole (also one of more than kGroupListCapacity bytes: cut short, it would lose the
// other drivers' load order), or that cannot be written back within kGroupListCapacity bytes, is left as
// it is and shown with [ERR_CFG_NOVALMODIFY]; the result is false.
bool InsertCapiGroup();
// Removes every "CAPI20" from the list; a list without one stays as it is. A list that cannot be read
// whole or written back is left as it is and shown with [ERR_CFG_NOVALMODIFY]; the result is false.
bool RemoveCapiGroup();

// The names of a REG_MULTI_SZ list up to its first empty name, the list's end as Windows reads it (or up to
// the end of the data).
std::vector<std::string> SplitGroupList(const std::string& bytes);
// Each name with its zero, then the closing empty name.
std::string JoinGroupList(const std::vector<std::string>& names);
