// The clock service: the current local date and time as a date serial. ManualClock lets tests
// stand at any moment.
#pragma once

#include <memory>

namespace kw {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time as a date serial (days since 30 Dec 1899, time as fraction).
  virtual double Now() const;
  static std::shared_ptr<Clock> MakeDefault() { return std::make_shared<Clock>(); }
};

// A clock that answers the time it was set to.
class ManualClock : public Clock {
 public:
  explicit ManualClock(double now) : now_(now) {}
  double Now() const override { return now_; }
  void SetNow(double now) { now_ = now; }
  void AdvanceSeconds(double seconds) { now_ += seconds / 86400.0; }

 private:
  double now_;
};

}  // namespace kw
