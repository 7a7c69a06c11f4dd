// KeySlots: the slot of each held record by its key, for the lookups by key that the list binding
// makes once per row. Open addressing over a power-of-two table at most half full: a lookup costs
// a few shifts and mostly a single probe, with no division and no node to follow. Keys handed out
// one after another land side by side, so that lookups in key order read memory in order too. An
// erased key leaves a marker that searches pass over, so that erasing costs one probe however long
// the run of neighbouring keys; the markers go when the table is next rebuilt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trf {

class KeySlots {
 public:
  // What Find answers for a key that is not held.
  static constexpr size_t kNone = SIZE_MAX;

  // Forgets every key and makes room for `count` of them without growing.
  void Reset(size_t count);
  // Holds `key` at `slot`; a key held already keeps its slot.
  void Insert(int64_t key, size_t slot);
  // Forgets `key`; nothing happens when it is not held.
  void Erase(int64_t key);

  // The slot held for `key`; kNone when the key is not held.
  size_t Find(int64_t key) const {
    const size_t index = IndexOf(key);
    return index == kNone ? kNone : entries_[index].slot;
  }
  size_t Size() const { return held_; }

 private:
  struct Entry {
    int64_t key = 0;
    size_t slot = kNone;  // kNone: a free entry; kErased: a key erased here
  };
  static constexpr size_t kErased = SIZE_MAX - 1;

  // Where the search for `key` starts: its low bits, with the high ones folded in so that keys
  // far apart that share their low bits do not all start at the same entry.
  size_t Home(int64_t key) const {
    auto folded = static_cast<uint64_t>(key);
    folded ^= folded >> 32;
    folded ^= folded >> 16;
    return static_cast<size_t>(folded) & mask_;
  }
  // The index of `key`'s entry; kNone when it is not held.
  size_t IndexOf(int64_t key) const {
    for (size_t i = Home(key);; i = (i + 1) & mask_) {
      if (entries_[i].slot == kNone) return kNone;
      if (entries_[i].key == key && entries_[i].slot != kErased) return i;
    }
  }

  // The fewest entries the table has: never none, so that a search needs no check for an empty one.
  static constexpr size_t kFewest = 8;

  std::vector<Entry> entries_ = std::vector<Entry>(kFewest);
  size_t mask_ = kFewest - 1;
  size_t held_ = 0;
  size_t erased_ = 0;  // entries marked kErased
};

}  // namespace trf
