// Timer: a control without a window, a value or a help context: it only has `Enabled` and
// `Interval` (milliseconds). Forms hold timers among their controls.
#pragma once

#include <cstdint>
#include <string>

#include "ui_shared/platform/object.h"

namespace kw::widgets {

// A timer control; it has neither a default value nor `HelpContextID`.
class Timer : public kw::LateBound<Timer> {
 public:
  std::string TypeName() const override { return "Timer"; }
  // The members reached by name: Enabled and Interval.
  static const kw::MemberTable<Timer>& Members();

  // True while the timer runs.
  bool Enabled() const { return enabled_; }
  // Starts or stops the timer.
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // The time between two ticks, in milliseconds.
  int32_t Interval() const { return interval_; }
  // 380 (invalid property value) outside 0 to 65535.
  void SetInterval(int32_t milliseconds);

 private:
  bool enabled_ = true;
  int32_t interval_ = 0;
};

}  // namespace kw::widgets
