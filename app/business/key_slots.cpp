// The record keys' table: its size kept at least twice the keys held, erasing without markers.
#include "app/business/key_slots.h"

#include <algorithm>
#include <bit>

namespace trf {

void KeySlots::Reset(size_t count) {
  const size_t capacity = std::bit_ceil(std::max<size_t>(8, count * 2));
  entries_.assign(capacity, Entry{});
  mask_ = capacity - 1;
  held_ = 0;
}

void KeySlots::Insert(int64_t key, size_t slot) {
  if ((held_ + 1) * 2 > entries_.size()) {
    std::vector<Entry> held = std::move(entries_);
    Reset(held_ + 1);
    for (const Entry& entry : held)
      if (entry.slot != kNone) Insert(entry.key, entry.slot);
  }
  for (size_t i = Home(key);; i = (i + 1) & mask_) {
    Entry& entry = entries_[i];
    if (entry.slot == kNone) {
      entry = Entry{key, slot};
      ++held_;
      return;
    }
    if (entry.key == key) return;
  }
}

void KeySlots::Erase(int64_t key) {
  size_t gap = IndexOf(key);
  if (gap == kNone) return;
  // The entries after the gap, up to the next free one, move back into it when the gap lies
  // between their home and where they stand, so that every search still reaches them.
  for (size_t i = (gap + 1) & mask_; entries_[i].slot != kNone; i = (i + 1) & mask_) {
    if (((i - Home(entries_[i].key)) & mask_) >= ((i - gap) & mask_)) {
      entries_[gap] = entries_[i];
      gap = i;
    }
  }
  entries_[gap] = Entry{};
  --held_;
}

}  // namespace trf
