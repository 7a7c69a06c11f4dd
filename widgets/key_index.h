// KeyIndex: the entries of one list or tree control by key, an open-addressing table that keeps
// each key's hash beside its entry, so that an insert or a lookup touches one array and reads an
// entry's key only when the hashes agree. Emptying it keeps its room for the entries that follow.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kw::widgets {

class KeyedEntry;

// The entries of one list or tree control by key, in an open-addressing table that keeps each
// key's hash beside its entry. It holds pointers: an entry stays in the index only while it is
// listed, under the key it had when it was added.
class KeyIndex {
 public:
  // The entry holding `key`; nullptr when none.
  KeyedEntry* Find(std::string_view key) const;
  // Adds `entry` under its key; false, adding nothing, when another entry holds that key.
  bool Insert(KeyedEntry& entry);
  // Removes the entry held under `key`, if any.
  void Erase(std::string_view key);
  // Forgets every entry and keeps the room, for a control that is filled again.
  void Clear();

 private:
  // One place of the table: the key's hash and its entry (nullptr: free).
  struct Slot {
    size_t hash = 0;
    KeyedEntry* entry = nullptr;
  };
  // The place holding `key` (with hash `hash`), or the free place that ends its probe.
  size_t Probe(std::string_view key, size_t hash) const;
  void Grow();

  std::vector<Slot> slots_;  // a power of two in size, at most three quarters used
  size_t size_ = 0;
};

}  // namespace kw::widgets
