// The shown records' order: positions and slots through removals, appends and the closing of gaps.
#include "app/business/record_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace trf {
namespace {

// Through removals anywhere (first, last, in between), appends among the gaps and the closing of
// gaps, every position gives the slot a plain ordered list gives, and every slot its position.
TEST(RecordOrder, AgreesWithAPlainListThroughRemovalsAndAppends) {
  constexpr size_t kSlots = 60;
  std::vector<size_t> plain;
  for (size_t slot = 0; slot < kSlots; ++slot)
    if (slot % 7 != 3) plain.push_back(slot);  // a few slots filtered out from the start
  RecordOrder order;
  order.Assign(plain, kSlots);
  size_t slot_count = kSlots;
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

}  // namespace
}  // namespace trf
