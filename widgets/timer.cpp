// The timer control.
#include "widgets/timer.h"

namespace kw::widgets {

void Timer::SetInterval(int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) kw::Raise(380, "", "Invalid property value");
  interval_ = milliseconds;
}

const kw::MemberTable<Timer>& Timer::Members() {
  static const kw::MemberTable<Timer> table{
      kw::Property<&Timer::Enabled, &Timer::SetEnabled>("Enabled"),
      kw::Property<&Timer::Interval, &Timer::SetInterval>("Interval"),
  };
  return table;
}

}  // namespace kw::widgets
