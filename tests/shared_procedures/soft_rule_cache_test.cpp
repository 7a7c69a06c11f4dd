// The soft-rule caches: clearing on request and once the last clearing lies more than a day back.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// Either clearing restarts the one-day period, and a clock set back only delays it.
TEST(SoftRuleCache, ClearsWhenMoreThanOneDayHasPassedSinceTheLastClearing) {
  LibraryHarness h;
  auto& records = Access::RecordCache(*h.shared);
  auto& groups = Access::RecordGroupCache(*h.shared);
  const auto checked_after = [&](double seconds) {
    h.clock->AdvanceSeconds(seconds);
    Access::CheckSoftRuleCache(*h.shared);
    return records.Count() + groups.Count();
  };
  records.Add("A1#7", "12");
  groups.Add("Residents#9", "x");
  EXPECT_EQ(checked_after(86400), 2);
  EXPECT_EQ(checked_after(1), 0);

  records.Add("A1#7", "y");
  groups.Add("Residents#9", "x");
  EXPECT_EQ(checked_after(86400), 2);
  h.shared->ClearSoftRuleCache();
  EXPECT_EQ(records.Count() + groups.Count(), 0);
  records.Add("A1#7", "y");
  EXPECT_EQ(checked_after(10 * 3600), 1);  // 34 hours after the automatic clearing, 10 after this one
  EXPECT_EQ(checked_after(-48 * 3600), 1);
}

}  // namespace
}  // namespace kw
