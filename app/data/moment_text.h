// How the TRF writes a month and a moment for a person, the same at the terminal, in the desktop, in
// the reports, in a record's history and in the check of the change record: "March 2004", and
// "March 31, 2004, 10:00 UTC" for a moment the database stamped (UTC) or "March 31, 2004, 10:00" for
// one of this machine's clock. A record's own dates keep the form they are typed in (3/5/2004).
#pragma once

#include <string>

namespace trf {

// A month as a person reads it: "March 2004"; a month outside 1 to 12 as "Month 13 2004".
std::string MonthYearText(int year, int month);
// The month of a date serial: "March 2004".
std::string MonthOfSerialText(double serial);
// A UTC stamp of the database ("2004-03-31 10:00:00") as a person reads it: "March 31, 2004, 10:00
// UTC"; a text of another shape as it is.
std::string StampText(const std::string& utc);
// A moment of this machine's clock (a date serial) as a person reads it: "March 31, 2004, 10:00".
std::string MomentText(double serial);

}  // namespace trf
