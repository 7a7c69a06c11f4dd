// RegionClock: the moments at which a made region's homes did their work. A month's work comes in
// phases (closing the month before, starting the month, the work of the month), each a window of
// time over which the entries of every home are spread evenly, so that the change record's numbers
// and its moments rise together as they do on a server.
#pragma once

#include <cstdint>
#include <string>

namespace trf::region {

class RegionClock {
 public:
  // Seconds since 1970 (UTC) at `hour` on `day` of `month` of `year`.
  static int64_t At(int year, int month, int day, int hour = 0);

  // Starts a phase at `start` (never before the moment reached already) over `seconds`, for about
  // `entries` entries.
  void Phase(int64_t start, int64_t seconds, int64_t entries);
  // Moves on to the next entry's moment.
  void Tick();
  // The moment now as the server writes it: "2026-12-06 19:05:45".
  std::string Text() const;
  // The moment now as a date serial (days since 30 December 1899).
  double Serial() const;

 private:
  double now_ = 0;
  double step_ = 1;
};

}  // namespace trf::region
