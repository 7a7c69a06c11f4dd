// The clock service: the current local date and time as a date serial. ManualClock lets tests
// stand at any moment.
#pragma once

#include <memory>

namespace kw {

// The clock service: tells the current local date and time as a date serial; Service<Clock> is the
// clock in force, ManualClock one that tests set.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time as a date serial (days since 30 Dec 1899, time as fraction).
  virtual double Now() const;
  // The system clock, the default of Service<Clock>.
  static std::shared_ptr<Clock> MakeDefault() { return std::make_shared<Clock>(); }
};

// A clock that answers the time it was set to.
class ManualClock : public Clock {
 public:
  // A clock standing at the date serial `now`.
  explicit ManualClock(double now) : now_(now) {}
  double Now() const override { return now_; }
  // Sets the clock to the date serial `now`.
  void SetNow(double now) { now_ = now; }
  // Moves the clock on by `seconds`.
  void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }

 private:
  double now_;
};

}  // namespace kw
