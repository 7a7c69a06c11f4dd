// The timer control.
#include "widgets/timer.h"

namespace kw::widgets {

void Timer::SetInterval(int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) kw::Raise(380, "", "Invalid property value");
  interval_ = milliseconds;
}

const kw::MemberTable<Timer>& Timer::Members() {
  using kw::Args;
  using kw::Variant;
  static const kw::MemberTable<Timer> table{
      {"Enabled", [](Timer& t, const Args&) { return Variant::Boolean(t.Enabled()); },
       [](Timer& t, const Variant& v, const Args&) { t.SetEnabled(v.ToBoolean()); }},
      {"Interval", [](Timer& t, const Args&) { return Variant::Long(t.Interval()); },
       [](Timer& t, const Variant& v, const Args&) { t.SetInterval(v.ToLong()); }},
  };
  return table;
}

}  // namespace kw::widgets
