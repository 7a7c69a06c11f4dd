// The load driver's desks: each connects to a region's server as its own desk's role, loads its
// home's active month and saves corrections of its residents' fees one after the other, as the
// Residents screen saves them (rules, one batch, the change record written by the server), timing
// each save and sorting out what refused one. Each desk works on a home of its own.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trf::load {

// What one desk did.
struct DeskOutcome {
  std::vector<double> latencies_ms;  // of each save the server acknowledged
  int64_t deadlocks = 0;
  int64_t lock_timeouts = 0;
  int64_t refused_as_changed = 0;  // refused because another desk changed the record since it was read
  int64_t other_failures = 0;
  std::string first_failure;  // the sentence of the first other failure
  // The fee each resident (by key) has after the desk's last acknowledged save of it, and how many
  // acknowledged saves changed it.
  std::map<int64_t, double> saved_fees;
  std::map<int64_t, int64_t> saves_of;
};

// One desk of the driver: connected and its month loaded when made, then at work until a moment.
class Desk {
 public:
  // Connects to `uri` (as the desk's role) and loads the desk's month; raises when it cannot.
  explicit Desk(const std::string& uri);
  ~Desk();
  Desk(const Desk&) = delete;
  Desk& operator=(const Desk&) = delete;

  // Saves one correction after another until `until`.
  void Work(std::chrono::steady_clock::time_point until);
  const DeskOutcome& Outcome() const { return outcome_; }

 private:
  struct State;
  std::unique_ptr<State> state_;
  DeskOutcome outcome_;
};

}  // namespace trf::load
