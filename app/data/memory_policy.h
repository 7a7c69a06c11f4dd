// How the programs keep the memory they free: a month's records are loaded, dropped and loaded
// again as a person moves between months, homes and screens, and memory given back to the system
// comes back as fresh pages that the system must clear first, on this kind of machine a third of a
// load's time and the whole of its growth with the month's size.
#pragma once

#include <cstddef>

namespace trf {

// The freed memory a program keeps for its next allocations before it gives any back: enough for
// the largest month we measure (100,000 residents) loaded twice.
inline constexpr size_t kKeptFreeMemory = size_t{256} << 20;

// Keeps up to kKeptFreeMemory of freed memory in the process, and serves allocations up to the
// allocator's largest heap block from the heap instead of mappings of their own, so that a reload
// reuses what the last load freed. Called once at a program's start, before it allocates much;
// false when the allocator refused (the program then runs as before, only slower to reload).
bool KeepFreedMemoryForReloads();

}  // namespace trf
