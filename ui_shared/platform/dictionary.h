// Dictionary: a text-keyed dictionary with exact (case-sensitive) keys, as the soft-rule caches
// use it: Exists, Item, Add (457 for a key already present), Remove (5 for a missing key),
// RemoveAll, Count.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace kw {

// A text-keyed dictionary with exact, case-sensitive keys, as the soft-rule caches use it: Exists,
// Item, Add (457 for a key already present), Remove (5 for a missing key), RemoveAll, Count.
class Dictionary {
 public:
  // True when `key` is present.
  bool Exists(const std::string& key) const { return items_.contains(key); }
  // The value under `key`; "" when absent.
  std::string Item(const std::string& key) const;
  // Adds `value` under `key`; 457 when the key is present already.
  void Add(const std::string& key, const std::string& value);
  // Removes `key`; 5 when it is not present.
  void Remove(const std::string& key);
  // Removes every key with its item.
  void RemoveAll() { items_.clear(); }
  // The number of entries.
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }

 private:
  std::unordered_map<std::string, std::string> items_;
};

}  // namespace kw
