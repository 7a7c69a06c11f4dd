// The shown records' order: positions and slots through removals, appends and the closing of gaps.
#include "app/business/record_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace trf {
namespace {

// Through removals anywhere (first, last, in between), appends among the gaps and the closing of
// gaps, every position gives the slot a plain ordered list gives, and every slot its position;
// starting from `plain`, the shown slots of a store of `slot_count`.
void ExpectAgreementWithAPlainList(std::vector<size_t> plain, size_t slot_count) {
  RecordOrder order;
  order.Assign(plain, slot_count);
  std::mt19937 random(11);
  for (int step = 0; step < 300; ++step) {
    if (plain.empty() || random() % 3 == 0) {
      order.Append(slot_count);
      plain.push_back(slot_count++);
    } else {
      const size_t at = step % 5 == 0 ? 0 : step % 5 == 1 ? plain.size() - 1 : random() % plain.size();
      order.Remove(plain[at]);
      plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(at));
    }
    ASSERT_EQ(order.Count(), static_cast<int32_t>(plain.size())) << step;
    for (size_t slot = 0; slot < slot_count; ++slot) {
      const auto it = std::find(plain.begin(), plain.end(), slot);
      const int32_t expected = it == plain.end() ? 0 : static_cast<int32_t>(it - plain.begin()) + 1;
      ASSERT_EQ(order.PositionOf(slot), expected) << "step " << step << ", slot " << slot;
      if (expected != 0) {
        ASSERT_EQ(order.SlotAt(expected), slot) << "step " << step << ", slot " << slot;
      }
    }
  }
}

constexpr size_t kSlots = 60;

TEST(RecordOrder, AgreesWithAPlainListFromAFilteredOrder) {
  std::vector<size_t> plain;
  for (size_t slot = 0; slot < kSlots; ++slot)
    if (slot % 7 != 3) plain.push_back(slot);  // a few slots filtered out from the start
  ExpectAgreementWithAPlainList(plain, kSlots);
}

// A load without a filter shows every slot in its own order, which positions answer without their
// table until the first removal that is not the last record, or an append after a gap.
TEST(RecordOrder, AgreesWithAPlainListFromTheSlotsOwnOrder) {
  std::vector<size_t> plain(kSlots);
  for (size_t slot = 0; slot < kSlots; ++slot) plain[slot] = slot;
  ExpectAgreementWithAPlainList(plain, kSlots);
}

// Slots shown in their own order up to a point, with the later ones hidden, are hidden still.
TEST(RecordOrder, SlotsBeyondTheShownOnesAreHidden) {
  RecordOrder order;
  order.Assign({0, 1, 2}, 5);
  EXPECT_EQ(order.PositionOf(2), 3);
  EXPECT_EQ(order.PositionOf(3), 0);
  order.Remove(2);  // the last shown: the order stays the slots' own
  EXPECT_EQ(order.PositionOf(2), 0);
  order.Append(5);  // after hidden slots: the order is no longer the slots' own
  EXPECT_EQ(order.PositionOf(5), 3);
  EXPECT_EQ(order.PositionOf(2), 0);
  EXPECT_EQ(order.PositionOf(1), 2);
}

}  // namespace
}  // namespace trf
