// The soft-rule caches: their keys and values, clearing on request, and the automatic clearing
// once the last clearing lies strictly more than one day back.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"
#include "tests/doubles/shared_access.h"

namespace kw {
namespace {

using testing::LibraryHarness;
using Access = SharedProceduresTestAccess;

// Keys join the owner and the rule number without a blank; values are trimmed of spaces only.
TEST(SoftRuleCache, KeysAndValuesFollowTheCacheFormat) {
  EXPECT_EQ(Access::CacheKey("A1", 7), "A1#7");
  EXPECT_EQ(Access::CacheKey("A1", -7), "A1#-7");
  EXPECT_EQ(Access::CacheKey("LIResidents", 0), "LIResidents#0");
  EXPECT_EQ(Access::CacheValue(Variant::Text("  12 kg  ")), "12 kg");
  EXPECT_EQ(Access::CacheValue(Variant::Text("\t12 ")), "\t12");
  EXPECT_EQ(Access::CacheValue(Variant::Long(-5)), "-5");
  EXPECT_EQ(Access::CacheValue(Variant::Double(2.5)), "2.5");
  EXPECT_EQ(Access::CacheValue(Variant::Null()), "");
}

// Exactly one day after the last clearing the caches survive a check; one second later they go,
// and the next day is counted from that clearing.
TEST(SoftRuleCache, CheckClearsOnlyWhenMoreThanOneDayHasPassed) {
  LibraryHarness h;
  Access::RecordCache(*h.shared).Add("A1#7", "12");
  Access::RecordGroupCache(*h.shared).Add("Residents#9", "x");
  h.clock->AdvanceSeconds(86400);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(Access::RecordCache(*h.shared).Count(), 1);
  EXPECT_EQ(Access::RecordGroupCache(*h.shared).Count(), 1);
  h.clock->AdvanceSeconds(1);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(Access::RecordCache(*h.shared).Count(), 0);
  EXPECT_EQ(Access::RecordGroupCache(*h.shared).Count(), 0);

  Access::RecordCache(*h.shared).Add("A1#7", "12");
  h.clock->AdvanceSeconds(86400);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_TRUE(Access::RecordCache(*h.shared).Exists("A1#7"));
}

// Clearing on request empties both caches and restarts the one-day period; a clock set back only
// delays the next automatic clearing.
TEST(SoftRuleCache, ClearEmptiesBothCachesAndRestartsThePeriod) {
  LibraryHarness h;
  h.clock->AdvanceSeconds(20 * 3600);
  Access::RecordCache(*h.shared).Add("a1#7", "x");
  Access::RecordCache(*h.shared).Add("A1#7", "y");
  Access::RecordGroupCache(*h.shared).Add("Residents#9", "x");
  h.shared->ClearSoftRuleCache();
  EXPECT_EQ(Access::RecordCache(*h.shared).Count(), 0);
  EXPECT_EQ(Access::RecordGroupCache(*h.shared).Count(), 0);

  Access::RecordCache(*h.shared).Add("A1#7", "y");
  h.clock->AdvanceSeconds(10 * 3600);  // 30 hours after construction, 10 after the clearing
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(Access::RecordCache(*h.shared).Count(), 1);
  h.clock->AdvanceSeconds(-48 * 3600);
  Access::CheckSoftRuleCache(*h.shared);
  EXPECT_EQ(Access::RecordCache(*h.shared).Count(), 1);
}

}  // namespace
}  // namespace kw
