// Date serial numbers as the runtime keeps them: whole days since 30 December 1899 midnight with
// the time of day as the fraction; conversion to and from calendar dates, the runtime's text form,
// and lenient recognition of date texts (US English).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kw::dates {

// A calendar date.
struct Civil {
  int year = 1899;  // 100 to 9999
  int month = 12;   // 1 to 12
  int day = 30;     // 1 to 31
};

// The serial of a calendar date (midnight). Months and days must be valid.
double Serial(int year, int month, int day);
// The serial of a calendar date and time of day.
double Serial(int year, int month, int day, int hour, int minute, int second);
// The extreme serials a date can hold: the last second of 1 January 100 (a negative serial's time
// counts away from zero) and the last second of 31 December 9999.
inline constexpr double kMinSerial = -(657434.0 + 86399.0 / 86400.0);
// The last second of 31 December 9999, the latest a date can hold.
inline constexpr double kMaxSerial = 2958465.0 + 86399.0 / 86400.0;
// `serial` itself when it lies in the range a date can hold; otherwise (NaN too) raises 6.
double CheckedSerial(double serial);
// The calendar date of a serial, the time rounded to whole seconds first (so 23:59:59.6 is the
// next day); for negative serials the integer part gives the day. 6 outside the date range.
Civil CivilOf(double serial);
// Seconds since midnight of the serial's time of day (the absolute fraction), rounded to whole
// seconds; a time that rounds to midnight counts on the next day, as CivilOf does.
int SecondsOfDay(double serial);
// True when the day exists in the month of the year (leap years included).
bool IsValidDate(int year, int month, int day);

// The runtime's text of a date: "M/d/yyyy h:mm:ss AM/PM", the time left out at midnight and the
// date left out for day 0. 6 outside the date range.
std::string ToText(double serial);

// Recognises a date text leniently: "3/5/2004", "2004-03-05", "2004/3/5", "March 5, 2004",
// "Mar 5 2004", "5 Mar 2004", "12/30/91", "13/5/2004" (day and month swapped when the first cannot
// be a month), optionally followed by a time such as "10:30 PM"; a time alone is on day 0.
// Two-digit years 00-29 are 20xx and 30-99 19xx. nullopt for anything else.
std::optional<double> Recognize(std::string_view input);

// English month abbreviations, the fallback when the locale names none.
const std::array<std::string, 12>& EnglishMonthAbbreviations();

// The month abbreviations of the user's time locale (LC_ALL, LC_TIME or LANG); English when the
// locale cannot be loaded or names none.
std::array<std::string, 12> UserMonthAbbreviations();

// "mmm dd, yyyy" with the given month abbreviations: "Mar 05, 2004".
std::string FormatMmmDdYyyy(double serial, const std::array<std::string, 12>& months);

}  // namespace kw::dates
