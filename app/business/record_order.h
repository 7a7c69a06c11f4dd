// RecordOrder: the records a business object shows, in order, as slots of its record store; a
// position (1 to Count) gives a slot and a slot its position. Removing a record leaves a gap that
// a count tree steps over, so that a removal and the lookups after it cost the logarithm of the
// count rather than a pass over every later record; the gaps are closed once they make up half.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trf {

class RecordOrder {
 public:
  // Shows `slots` in this order, of a store of `slot_count` slots; every other slot is hidden.
  void Assign(std::vector<size_t> slots, size_t slot_count);
  // Shows the store's new last slot (`slot` == the store's slot count so far) at the end.
  void Append(size_t slot);
  // Hides a shown slot: the positions after it move up by one.
  void Remove(size_t slot);

  int32_t Count() const { return static_cast<int32_t>(order_.size() - gaps_); }
  // The slot at 1-based `position`, which must lie within 1 and Count; one array read while there
  // are no gaps.
  size_t SlotAt(int32_t position) const {
    return gaps_ == 0 ? order_[static_cast<size_t>(position - 1)] : SlotAcrossGaps(position);
  }
  // The position of `slot`; 0 when it is hidden. While the order is the slots' own (a load with no
  // filter, before any removal), with no table read.
  int32_t PositionOf(size_t slot) const {
    if (in_slot_order_ && slot < order_.size()) return static_cast<int32_t>(slot + 1);
    const int32_t index = index_by_slot_[slot];
    if (index == kHidden) return 0;
    return gaps_ == 0 ? index + 1 : ShownUpTo(static_cast<size_t>(index) + 1);
  }

 private:
  static constexpr int32_t kHidden = -1;

  size_t SlotAcrossGaps(int32_t position) const;
  // Makes `order_` the shown slots alone and forgets the count tree.
  void CloseGaps();
  // The count tree over `order_`: shown entries among the first `index` (1-based, inclusive).
  int32_t ShownUpTo(size_t index) const;
  void BuildTree();

  std::vector<size_t> order_;           // the shown slots in order, with the removed ones among them
  std::vector<int32_t> index_by_slot_;  // each slot's index in `order_`; kHidden when not shown
  std::vector<uint8_t> removed_;        // per index of `order_`: 1 for a removed slot (only with gaps)
  std::vector<int32_t> tree_;           // a Fenwick tree of shown counts over `order_` (only with gaps)
  size_t gaps_ = 0;
  bool in_slot_order_ = true;  // order_[i] == i for every i
};

}  // namespace trf
