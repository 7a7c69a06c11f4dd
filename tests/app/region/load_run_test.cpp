// The load driver: its latencies' ranks, and desks at work at once on a made region of the test
// server, every save accounted for.
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/load/load_run.h"
#include "app/region/region_maker.h"
#include "tests/app/test_database.h"

namespace trf::load {
namespace {

// The nearest rank: the value below which the share lies, never past either end.
TEST(LoadPercentile, IsTheNearestRankOfTheSortedTimes) {
  const std::vector<double> times = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(Percentile(times, 0.50), 5);
  EXPECT_EQ(Percentile(times, 0.95), 10);
  EXPECT_EQ(Percentile(times, 0.10), 1);
  EXPECT_EQ(Percentile(times, 0), 1);
  EXPECT_EQ(Percentile({7}, 0.95), 7);
  EXPECT_EQ(Percentile({}, 0.5), 0);
}

// Three desks of three homes save at once for a second: every save is stored and on record, none
// deadlocks or waits too long; a fourth desk, whose home the region lacks, is a failure in words.
TEST(LoadRun, DesksAtOnceLoseNothingAndAFailingDeskIsCounted) {
  ASSERT_FALSE(testing::TestServer().empty()) << "this test runs on the test server that `ctest -L postgresql` starts";
  const std::string location = testing::TestDatabaseLocation("");
  const std::string prefix = "lr" + std::to_string(::getpid());
  region::MakeRegion(location, {.homes = 3, .months = 2, .desk_prefix = prefix});

  const LoadResult result =
      RunLoad({.admin_uri = location, .desks_uri = location, .desks = 4, .seconds = 1, .desk_prefix = prefix});
  EXPECT_GT(result.saves, 3);
  EXPECT_EQ(result.lost_updates, 0);
  EXPECT_EQ(result.unrecorded_saves, 0);
  EXPECT_EQ(result.deadlocks + result.server_deadlocks + result.lock_timeouts + result.refused_as_changed, 0);
  EXPECT_EQ(result.other_failures, 1);
  EXPECT_NE(result.first_failure.find("does not let role " + prefix + "_h00004 connect"), std::string::npos)
      << result.first_failure;
  EXPECT_GT(result.p95_ms, 0);
  EXPECT_LE(result.p50_ms, result.p95_ms);
}

}  // namespace
}  // namespace trf::load
