#pragma once

#include <cstdint>

// The driver's entry in the CAPI 2.0 tree "SOFTWARE\CAPI20\<n>".

// What FindCapiIndex gives for a tree that is there but cannot be read through: no number is safe to write,
// as any might be another maker's entry.
constexpr uint32_t kCapiIndexUnknown = 0;

// The number n of the entry whose Manufacturer is ours (ignoring case), with found set; without one, one
// more than the highest numbered entry, where a new entry goes, with found clear. 1 when the tree is
// missing or empty; kCapiIndexUnknown when it cannot be opened, its subkeys cannot all be listed, or an entry
// that is there cannot be read (it may be ours) and none after it is ours. Only
// subkeys named by a plain decimal number from 1 count; others are passed over.
uint32_t FindCapiIndex(bool* found);
// What a "SOFTWARE\CAPI20" tree that is there but whose subkeys cannot be counted is taken for: the
// installation's notice speaks only of entries it has seen, while a removal counts such a tree as holding
// another driver, so that it never takes away what another driver needs on a guess.
enum class UnreadableCapiTree { kHoldsNoOther, kHoldsAnother };
// True when "SOFTWARE\CAPI20" holds a subkey besides our entry (ourEntryFound: ours is one of them), that
// is, another CAPI 2.0 driver is registered; a missing tree holds none. Nothing is shown.
bool HasOtherCapiDriver(bool ourEntryFound, UnreadableCapiTree unreadable);
