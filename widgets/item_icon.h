// ItemIcon: a list item's icon as its image list knows it (an index, most often, or a key), kept
// in one word instead of a variant's 40 bytes, since every item of a list holds one. An index is
// held in the word itself; a key or any other value is held whole on the heap, so that it is read
// back exactly as it was given.
#pragma once

#include <cstdint>
#include <utility>

#include "ui_shared/platform/variant.h"

namespace kw::widgets {

// A list item's icon in one word: an index held in the word itself, a key or any other value held
// whole on the heap, so that it reads back exactly as given.
class ItemIcon {
 public:
  // No icon (Empty).
  ItemIcon() = default;
  // Holds `icon`, of whatever kind it is.
  explicit ItemIcon(const Variant& icon);
  ~ItemIcon();
  ItemIcon(const ItemIcon&) = delete;
  ItemIcon& operator=(const ItemIcon&) = delete;
  // Takes the icon of `other`, which is left Empty.
  ItemIcon(ItemIcon&& other) noexcept : word_(std::exchange(other.word_, 0)) {}
  // Lets go of this icon and takes the icon of `other`, which is left Empty.
  ItemIcon& operator=(ItemIcon&& other) noexcept;

  // The icon as it was given.
  Variant Value() const;

 private:
  // The low two bits of the word say what it holds: 0 a pointer to a variant on the heap (the
  // word 0 is Empty), kInteger an Integer and kLong a Long, their value in the upper 32 bits.
  static constexpr uint64_t kInteger = 1, kLong = 2, kTagBits = 3;
  static constexpr int kValueShift = 32;

  // The word for a whole number tagged `tag`.
  static uint64_t Tagged(int32_t number, uint64_t tag);
  // The variant on the heap; nullptr when the word holds no pointer.
  Variant* Held() const;

  uint64_t word_ = 0;
};

}  // namespace kw::widgets
