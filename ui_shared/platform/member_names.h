// FoldedName and NameIndex: member names found without regard to case at the cost of a hash and a
// few word compares. A name is folded once (ASCII letters to lower case, eight bytes at a time) and
// hashed from its folded words; a class's members sit in an open-addressing array over that hash,
// so that a lookup that passes through a class and its bases folds the name only once.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "ui_shared/platform/text.h"

namespace kw {

// A member name, folded to lower case for comparing. Names up to `kFoldedBytes` long are compared
// word by word; longer ones character by character.
class FoldedName {
 public:
  static constexpr size_t kFoldedBytes = 32;

  explicit FoldedName(std::string_view name) : name_(name) {
    const size_t folded = name.size() < kFoldedBytes ? name.size() : kFoldedBytes;
    uint64_t hash = name.size();
    for (size_t i = 0; i * 8 < folded; ++i) {
      words_[i] = LowerAscii(WordAt(name.data(), i * 8, folded));
      hash = (hash ^ words_[i]) * 0x9E3779B97F4A7C15ull;
    }
    hash_ = static_cast<size_t>(hash ^ (hash >> 29));
  }

  std::string_view Name() const { return name_; }
  size_t Hash() const { return hash_; }
  // The same name without regard to the case of ASCII letters.
  bool Matches(const FoldedName& other) const {
    if (name_.size() != other.name_.size()) return false;
    if (name_.size() > kFoldedBytes) return text::EqualsNoCase(name_, other.name_);
    return ((words_[0] ^ other.words_[0]) | (words_[1] ^ other.words_[1]) | (words_[2] ^ other.words_[2]) |
            (words_[3] ^ other.words_[3])) == 0;
  }

 private:
  // The bytes `from` to `from` + 8 of `text` (of length `size`), those beyond its end as zero;
  // read with whole-word loads (never past the end), as a byte-wise copy would cost a call.
  static uint64_t WordAt(const char* text, size_t from, size_t size) {
    static_assert(std::endian::native == std::endian::little, "words are read least significant byte first");
    uint64_t word = 0;
    if (from + 8 <= size) {
      std::memcpy(&word, text + from, 8);
    } else if (size >= 8) {
      std::memcpy(&word, text + size - 8, 8);  // the last eight bytes, overlapping the word before
      word >>= 8 * (from + 8 - size);
    } else {
      for (size_t i = size; i-- > from;) word = (word << 8) | static_cast<unsigned char>(text[i]);
    }
    return word;
  }

  // Each byte 'A'..'Z' of `word` to 'a'..'z'; every other byte as it is.
  static uint64_t LowerAscii(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    const uint64_t low7 = word & ~kHigh;
    const uint64_t at_least_a = low7 + kOnes * (0x80 - 'A');
    const uint64_t beyond_z = low7 + kOnes * (0x7F - 'Z');
    const uint64_t upper = at_least_a & ~beyond_z & ~word & kHigh;
    return word | (upper >> 2);
  }

  std::string_view name_;
  uint64_t words_[kFoldedBytes / 8] = {};
  size_t hash_ = 0;
};

// Values by member name, found without regard to case; the first value given for a name stays.
template <class Value>
class NameIndex {
 public:
  NameIndex() = default;
  NameIndex(const NameIndex&) = delete;  // the folded keys look at this index's own names
  NameIndex& operator=(const NameIndex&) = delete;

  void Add(std::string_view name, Value value) {
    names_.emplace_back(name);
    FoldedName folded(names_.back());
    if (Find(folded)) {
      names_.pop_back();
      return;
    }
    values_.push_back(std::move(value));
    keys_.push_back(folded);
    if (keys_.size() * 2 > slots_.size()) Rehash(slots_.empty() ? 8 : slots_.size() * 2);
    Place(keys_.size() - 1);
  }

  // The value of `name`; nullptr when there is none.
  const Value* Find(const FoldedName& name) const {
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t i = name.Hash() & mask;; i = (i + 1) & mask) {
      const uint32_t slot = slots_[i];
      if (slot == kFree) return nullptr;
      if (keys_[slot].Hash() == name.Hash() && keys_[slot].Matches(name)) return &values_[slot];
    }
  }

 private:
  static constexpr uint32_t kFree = UINT32_MAX;

  void Rehash(size_t size) {
    slots_.assign(size, kFree);
    for (size_t k = 0; k + 1 < keys_.size(); ++k) Place(k);
  }
  void Place(size_t key) {
    const size_t mask = slots_.size() - 1;
    size_t i = keys_[key].Hash() & mask;
    while (slots_[i] != kFree) i = (i + 1) & mask;
    slots_[i] = static_cast<uint32_t>(key);
  }

  std::deque<std::string> names_;  // the names the folded keys look at; a deque never moves them
  std::vector<FoldedName> keys_;
  std::vector<Value> values_;
  std::vector<uint32_t> slots_;  // a power of two of them, at most half in use
};

}  // namespace kw
