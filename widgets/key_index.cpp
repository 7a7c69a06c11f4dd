// The key index of list and tree controls: linear probing, deletion by shifting back.
#include "widgets/key_index.h"

#include <algorithm>
#include <functional>

#include "widgets/keyed_entries.h"

namespace kw::widgets {

namespace {
// The room a table starts with when its first key is added.
constexpr size_t kFirstCapacity = 16;
}  // namespace

size_t KeyIndex::Probe(std::string_view key, size_t hash) const {
  const size_t mask = slots_.size() - 1;
  size_t place = hash & mask;
  while (slots_[place].entry && (slots_[place].hash != hash || slots_[place].entry->Key() != key))
    place = (place + 1) & mask;
  return place;
}

KeyedEntry* KeyIndex::Find(std::string_view key) const {
  if (size_ == 0) return nullptr;
  return slots_[Probe(key, std::hash<std::string_view>{}(key))].entry;
}

bool KeyIndex::Insert(KeyedEntry& entry) {
  if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
  const std::string_view key = entry.Key();
  const size_t hash = std::hash<std::string_view>{}(key);
  Slot& slot = slots_[Probe(key, hash)];
  if (slot.entry) return false;
  slot = {hash, &entry};
  ++size_;
  return true;
}

void KeyIndex::Erase(std::string_view key) {
  if (size_ == 0) return;
  const size_t mask = slots_.size() - 1;
  size_t hole = Probe(key, std::hash<std::string_view>{}(key));
  if (!slots_[hole].entry) return;
  // Shift back each following entry of the run that the hole now separates from its home place.
  for (size_t next = (hole + 1) & mask; slots_[next].entry; next = (next + 1) & mask) {
    const size_t home = slots_[next].hash & mask;
    const bool reachable_past_hole = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
    if (reachable_past_hole) continue;
    slots_[hole] = slots_[next];
    hole = next;
  }
  slots_[hole] = Slot{};
  --size_;
}

void KeyIndex::Clear() {
  std::fill(slots_.begin(), slots_.end(), Slot{});
  size_ = 0;
}

void KeyIndex::Grow() {
  std::vector<Slot> old(std::max(kFirstCapacity, slots_.size() * 2));
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.entry) continue;
    size_t place = slot.hash & mask;
    while (slots_[place].entry) place = (place + 1) & mask;
    slots_[place] = slot;
  }
}

}  // namespace kw::widgets
