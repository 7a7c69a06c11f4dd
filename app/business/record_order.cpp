// The shown records of a business object: positions over slots, removal by a count tree.
#include "app/business/record_order.h"

#include <bit>

namespace trf {

void RecordOrder::Assign(std::vector<size_t> slots, size_t slot_count) {
  order_ = std::move(slots);
  index_by_slot_.assign(slot_count, kHidden);
  in_slot_order_ = true;
  for (size_t i = 0; i < order_.size(); ++i) {
    index_by_slot_[order_[i]] = static_cast<int32_t>(i);
    in_slot_order_ = in_slot_order_ && order_[i] == i;
  }
  removed_.clear();
  tree_.clear();
  gaps_ = 0;
}

void RecordOrder::Append(size_t slot) {
  index_by_slot_.resize(slot + 1, kHidden);
  index_by_slot_[slot] = static_cast<int32_t>(order_.size());
  in_slot_order_ = in_slot_order_ && slot == order_.size();
  order_.push_back(slot);
  if (gaps_ == 0) return;
  // The new node counts itself and the nodes its range covers below it.
  removed_.push_back(0);
  const size_t index = order_.size();
  const size_t low = index & (~index + 1);
  tree_.push_back(1 + ShownUpTo(index - 1) - ShownUpTo(index - low));
}

void RecordOrder::Remove(size_t slot) {
  const auto index = static_cast<size_t>(index_by_slot_[slot]);
  index_by_slot_[slot] = kHidden;
  if (index + 1 == order_.size() && gaps_ == 0) {
    order_.pop_back();
    return;
  }
  if (gaps_ == 0) BuildTree();
  in_slot_order_ = false;
  removed_[index] = 1;
  for (size_t node = index + 1; node <= tree_.size(); node += node & (~node + 1)) --tree_[node - 1];
  if (++gaps_ * 2 >= order_.size()) CloseGaps();
}

size_t RecordOrder::SlotAcrossGaps(int32_t position) const {
  // Descends the tree to the index whose shown count reaches `position`.
  size_t index = 0;
  int32_t left = position;
  for (size_t step = std::bit_floor(tree_.size()); step > 0; step >>= 1) {
    if (index + step <= tree_.size() && tree_[index + step - 1] < left) {
      index += step;
      left -= tree_[index - 1];
    }
  }
  return order_[index];
}

int32_t RecordOrder::ShownUpTo(size_t index) const {
  int32_t shown = 0;
  for (size_t node = index; node > 0; node -= node & (~node + 1)) shown += tree_[node - 1];
  return shown;
}

void RecordOrder::BuildTree() {
  removed_.assign(order_.size(), 0);
  tree_.assign(order_.size(), 0);
  for (size_t node = 1; node <= tree_.size(); ++node) {
    tree_[node - 1] += 1;
    const size_t parent = node + (node & (~node + 1));
    if (parent <= tree_.size()) tree_[parent - 1] += tree_[node - 1];
  }
}

void RecordOrder::CloseGaps() {
  std::vector<size_t> shown;
  shown.reserve(order_.size() - gaps_);
  for (size_t i = 0; i < order_.size(); ++i)
    if (!removed_[i]) shown.push_back(order_[i]);
  const size_t slot_count = index_by_slot_.size();
  Assign(std::move(shown), slot_count);
}

}  // namespace trf
