#pragma once

#include <cstdint>

// Clearing what a new configuration may no longer hold, before it is written. Missing values and keys
// are no error.

// Deletes "x31Layer2" from Parameters and the whole Maintenance key. Only a Parameters key that cannot be
// opened is reported, naming the service key.
void DeleteOptionalParameters();
// Deletes the channel keys "SOFTWARE\CAPI20\<n>\1" to "\4" and the keys Adapter01 to Adapter04, all
// eight whatever the number of adapters in use.
void DeleteAdapterKeys();
// The same for a writer that has just written our entry under this number, and so knows it.
void DeleteAdapterKeysBelow(uint32_t capiIndex);
