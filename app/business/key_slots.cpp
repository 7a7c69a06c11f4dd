// The record keys' table: its size kept at least twice the keys held and erased.
#include "app/business/key_slots.h"

#include <algorithm>
#include <bit>

namespace trf {

void KeySlots::Reset(size_t count) {
  const size_t capacity = std::bit_ceil(std::max(kFewest, count * 2));
  entries_.assign(capacity, Entry{});
  mask_ = capacity - 1;
  held_ = 0;
  erased_ = 0;
}

void KeySlots::Insert(int64_t key, size_t slot) {
  if (IndexOf(key) != kNone) return;
  if ((held_ + erased_ + 1) * 2 > entries_.size()) {
    // Rebuilt without the erased markers, with room for the new key.
    std::vector<Entry> kept = std::move(entries_);
    Reset(held_ + 1);
    for (const Entry& entry : kept)
      if (entry.slot != kNone && entry.slot != kErased) Insert(entry.key, entry.slot);
  }
  for (size_t i = Home(key);; i = (i + 1) & mask_) {
    Entry& entry = entries_[i];
    if (entry.slot == kNone || entry.slot == kErased) {
      if (entry.slot == kErased) --erased_;
      entry = Entry{key, slot};
      ++held_;
      return;
    }
  }
}

void KeySlots::Erase(int64_t key) {
  const size_t index = IndexOf(key);
  if (index == kNone) return;
  entries_[index].slot = kErased;
  --held_;
  ++erased_;
}

}  // namespace trf
