// RunLoad: D desks of D homes of a made region at work at once on its server, each on a thread and
// a connection of its own, for a stated time; then what they did, checked against what the server
// holds: saves per second, latencies, and every save accounted for (its value stored, its entry on
// record), with the deadlocks and lock timeouts the desks met.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trf::load {

struct LoadPlan {
  std::string admin_uri;  // the region's database as its administrator, for the checks
  std::string desks_uri;  // where the desks connect (as their roles): the server, or a pooler before it
  int desks = 1;
  double seconds = 30;
  std::string desk_prefix = "desk";  // as the region was made (RegionShape::desk_prefix)
};

struct LoadResult {
  int desks = 0;
  double seconds = 0;
  int64_t saves = 0;
  double saves_per_second = 0;
  double p50_ms = 0, p95_ms = 0, max_ms = 0;
  // Acknowledged saves whose value the server does not hold, or whose change-record entry it lacks.
  int64_t lost_updates = 0;
  int64_t unrecorded_saves = 0;
  int64_t deadlocks = 0;         // as the desks met them
  int64_t server_deadlocks = 0;  // as the server counted them in the region's database meanwhile
  int64_t lock_timeouts = 0;
  int64_t refused_as_changed = 0;
  int64_t other_failures = 0;
  std::string first_failure;
};

// The value below which `share` (0 to 1) of `sorted` lies (the nearest rank); 0 for none.
double Percentile(const std::vector<double>& sorted, double share);

// Runs `plan`; raises a sentence when the checks cannot be made. A desk that cannot connect or load
// its month counts as a failure with its sentence, and does no work.
LoadResult RunLoad(const LoadPlan& plan);

// The result in one line: "desks 10: 4321 saves in 30 s, 144 saves/s, p50 12.3 ms, ...".
std::string Summary(const LoadResult& result);

}  // namespace trf::load
