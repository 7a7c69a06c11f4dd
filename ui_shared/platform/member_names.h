// FoldedName and NameIndex: member names found without regard to case at the cost of a hash and a
// few word compares. A name is folded once (ASCII letters to lower case, eight bytes at a time) and
// hashed from its folded words; the names and values sit together in an open-addressing array over
// that hash, so that a lookup folds the name once and reads one slot as a rule.
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
  // The longest name compared word by word.
  static constexpr size_t kFoldedBytes = 32;

  FoldedName() = default;
  // Folds `name`, which must outlive the folded name.
  [[gnu::always_inline]] explicit FoldedName(std::string_view name) : name_(name) {
    const size_t size = name.size();
    const char* text = name.data();
    uint64_t hash = size;
    if (size <= 8) {
      words_[0] = ShortFolded(name);
      hash_ = ShortHash(words_[0], size);
      return;
    }
    const size_t folded = size < kFoldedBytes ? size : kFoldedBytes;
    for (size_t i = 0; i * 8 < folded; ++i) {
      words_[i] = LowerAscii(WordAt(text, i * 8, folded));
      hash = (hash ^ words_[i]) * kMix;
    }
    hash_ = Finished(hash);
  }

  // The folded word of a name of at most 8 bytes, as the constructor keeps it, for a lookup that
  // keeps a short name in registers.
  [[gnu::always_inline]] static uint64_t ShortFolded(std::string_view name) {
    return LowerAscii(ShortWord(name.data(), name.size()));
  }
  // The hash of a name of `size` (at most 8) bytes whose folded word is `word`, as Hash gives it.
  [[gnu::always_inline]] static size_t ShortHash(uint64_t word, size_t size) { return Finished((size ^ word) * kMix); }
  // True when this is a name of `size` (at most 8) bytes whose folded word is `word`.
  bool IsShort(uint64_t word, size_t size) const { return name_.size() == size && words_[0] == word; }

  // The name as given.
  std::string_view Name() const { return name_; }
  // The hash of the folded name.
  size_t Hash() const { return hash_; }
  // The same name without regard to the case of ASCII letters.
  [[gnu::always_inline]] bool Matches(const FoldedName& other) const {
    if (name_.size() != other.name_.size()) return false;
    if (name_.size() <= 8) return words_[0] == other.words_[0];  // the usual member name: one word
    if (name_.size() > kFoldedBytes) return text::EqualsNoCase(name_, other.name_);
    return ((words_[0] ^ other.words_[0]) | (words_[1] ^ other.words_[1]) | (words_[2] ^ other.words_[2]) |
            (words_[3] ^ other.words_[3])) == 0;
  }

 private:
  static constexpr uint64_t kMix = 0x9E3779B97F4A7C15ull;

  // The hash of the mixed words, its high bits folded into the low ones that pick a slot.
  static size_t Finished(uint64_t mixed) { return static_cast<size_t>(mixed ^ (mixed >> 29)); }

  // The `size` (at most 8) bytes of `text` as one word, least significant first, zero beyond; read
  // with two loads that may overlap, never past the end.
  [[gnu::always_inline]] static uint64_t ShortWord(const char* text, size_t size) {
    static_assert(std::endian::native == std::endian::little, "words are read least significant byte first");
    if (size >= 4) [[likely]] {
      uint32_t low = 0;
      uint32_t high = 0;
      std::memcpy(&low, text, 4);
      std::memcpy(&high, text + size - 4, 4);
      return low | (uint64_t{high} << (8 * (size - 4)));
    }
    if (size == 0) return 0;
    const auto byte = [text](size_t i) { return uint64_t{static_cast<unsigned char>(text[i])} << (8 * i); };
    return byte(0) | byte(size / 2) | byte(size - 1);
  }

  // The bytes `from` to `from` + 8 of `text` (of length `size`, more than 8), those beyond its end
  // as zero; read with whole-word loads (never past the end), as a byte-wise copy would cost a call.
  [[gnu::always_inline]] static uint64_t WordAt(const char* text, size_t from, size_t size) {
    uint64_t word = 0;
    if (from + 8 <= size) {
      std::memcpy(&word, text + from, 8);
    } else {
      std::memcpy(&word, text + size - 8, 8);  // the last eight bytes, overlapping the word before
      word >>= 8 * (from + 8 - size);
    }
    return word;
  }

  // Each byte 'A'..'Z' of `word` to 'a'..'z'; every other byte as it is.
  [[gnu::always_inline]] static uint64_t LowerAscii(uint64_t word) {
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
  NameIndex() : slots_(8) {}
  NameIndex(const NameIndex&) = delete;  // the folded keys look at this index's own names
  NameIndex& operator=(const NameIndex&) = delete;

  // Adds the value of `name`; a name already present keeps its first value.
  void Add(std::string_view name, Value value) {
    names_.emplace_back(name);
    const FoldedName folded(names_.back());
    if (Find(folded)) {
      names_.pop_back();
      return;
    }
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    Place({folded, std::move(value), true});
    ++count_;
  }

  // The value of the member called `name`; nullptr when there is none. A name of up to eight bytes,
  // the usual member name, is folded, hashed and compared in registers; a longer one is folded out
  // of line. Always inline, whatever else the caller's file holds: left to the compiler, whether the
  // lookup was inlined changed with unrelated code around it and cost a fifth of a lookup by name.
  [[gnu::always_inline]] const Value* FindName(std::string_view name) const {
    if (name.size() <= 8) [[likely]] {
      const uint64_t word = FoldedName::ShortFolded(name);
      const size_t hash = FoldedName::ShortHash(word, name.size());
      for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
        const Slot& slot = slots_[i];
        if (!slot.used) return nullptr;
        if (slot.key.Hash() == hash && slot.key.IsShort(word, name.size())) return &slot.value;
      }
    }
    return FindLong(name);
  }

  // The value of the folded `name`; nullptr when there is none.
  [[gnu::always_inline]] const Value* Find(const FoldedName& name) const {
    for (size_t i = name.Hash() & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (!slot.used) return nullptr;
      if (slot.key.Hash() == name.Hash() && slot.key.Matches(name)) return &slot.value;
    }
  }

 private:
  // A name and its value, kept together so that a lookup reads one place.
  struct Slot {
    FoldedName key;
    Value value{};
    bool used = false;
  };

  // FindName for a name longer than eight bytes: out of line, so that the short names' lookup needs
  // no room for a folded name.
  [[gnu::noinline]] const Value* FindLong(std::string_view name) const { return Find(FoldedName(name)); }

  void Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (Slot& slot : old)
      if (slot.used) Place(std::move(slot));
  }
  void Place(Slot slot) {
    size_t i = slot.key.Hash() & mask_;
    while (slots_[i].used) i = (i + 1) & mask_;
    slots_[i] = std::move(slot);
  }

  std::deque<std::string> names_;  // the names the folded keys look at; a deque never moves them
  std::vector<Slot> slots_;        // a power of two of them, at most half in use
  size_t mask_ = 7;                // the slots' count - 1: a probe's position is the hash's low bits
  size_t count_ = 0;
};

}  // namespace kw
