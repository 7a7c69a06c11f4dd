// KeepFreedMemoryForReloads: the allocator's trim and mapping thresholds, set once.
#include "app/data/memory_policy.h"

#include <malloc.h>

namespace trf {

namespace {

// The largest request the allocator will serve from its heap rather than a mapping of its own
// (half its largest heap on a 64-bit system); a record block, a month's record table and a
// report's pages all stay below it.
constexpr int kLargestHeapRequest = 32 << 20;

}  // namespace

bool KeepFreedMemoryForReloads() {
  const bool trim = mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptFreeMemory)) == 1;
  const bool map = mallopt(M_MMAP_THRESHOLD, kLargestHeapRequest) == 1;
  return trim && map;
}

}  // namespace trf
