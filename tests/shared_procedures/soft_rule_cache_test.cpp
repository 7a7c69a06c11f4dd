// The soft-rule caches: their keys and values, clearing on request, and the automatic clearing
// once the last clearing lies strictly more than one day back.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// Exactly one day after the last clearing the caches survive a check; one second later both go.
// Either clearing restarts the one-day period, and a clock set back only delays it.
TEST(SoftRuleCache, ClearsWhenMoreThanOneDayHasPassedSinceTheLastClearing) {
  LibraryHarness h;
  auto& records = Access::RecordCache(*h.shared);
  auto& groups = Access::RecordGroupCache(*h.shared);
  records.Add("A1#7", "12");
  groups.Add("Residents#9", "x");
  h.clock->AdvanceSeconds(86400);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(records.Count() + groups.Count(), 2);
  h.clock->AdvanceSeconds(1);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(records.Count() + groups.Count(), 0);

  records.Add("A1#7", "y");
  groups.Add("Residents#9", "x");
  h.clock->AdvanceSeconds(86400);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(records.Count() + groups.Count(), 2);
  h.shared->ClearSoftRuleCache();
  EXPECT_EQ(records.Count() + groups.Count(), 0);
  records.Add("A1#7", "y");
  h.clock->AdvanceSeconds(10 * 3600);  // 34 hours after the automatic clearing, 10 after this one
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(records.Count(), 1);
  h.clock->AdvanceSeconds(-48 * 3600);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(records.Count(), 1);
}

}  // namespace
}  // namespace kw
