// Date serials, calendar conversion, the runtime's date text and lenient date recognition.
#include "ui_shared/platform/dates.h"

#include <langinfo.h>
#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale is POSIX's, which <clocale> need not declare
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui_shared/platform/error.h"
#include "ui_shared/platform/text.h"

namespace kw::dates {
namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long DaysFromCivil(long y, long m, long d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Civil CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long y = yoe + era * 400;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const long d = doy - (153 * mp + 2) / 5 + 1;
  const long m = mp + (mp < 10 ? 3 : -9);
  return Civil{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const long kEpochOffset = DaysFromCivil(1899, 12, 30);

// A serial as a linear day count and whole seconds since that day's midnight.
struct DayAndTime {
  long day = 0;
  int seconds = 0;
};

// Splits a serial in the date range (6 outside it), rounding the time to whole seconds; a time that
// rounds up to midnight carries into the next day.
DayAndTime SplitSerial(double serial) {
  const double day = std::trunc(CheckedSerial(serial));
  DayAndTime out{static_cast<long>(day), static_cast<int>(std::lround(std::fabs(serial - day) * 86400.0))};
  if (out.seconds == 86400) {
    out.seconds = 0;
    ++out.day;
  }
  return out;
}

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return days[month - 1];
}

const std::array<std::string, 12>& EnglishMonthNames() {
  static const std::array<std::string, 12> names = {"january",   "february", "march",    "april",
                                                    "may",       "june",     "july",     "august",
                                                    "september", "october",  "november", "december"};
  return names;
}

// Month number of a full or three-letter English name, 0 when none.
int MonthOfName(const std::string& word) {
  const std::string w = text::Lower(word);
  const auto& names = EnglishMonthNames();
  for (int i = 0; i < 12; ++i) {
    if (w == names[static_cast<size_t>(i)] || (w.size() == 3 && names[static_cast<size_t>(i)].compare(0, 3, w) == 0))
      return i + 1;
  }
  return 0;
}

struct Token {
  bool number = false;
  std::string text;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Reads 1 or 2 digits at `i` of `s`; nullopt when there are none or more than 2.
std::optional<int> ReadTwoDigits(const std::string& s, size_t& i) {
  const size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (i == start || i - start > 2) return std::nullopt;
  return std::atoi(s.substr(start, i - start).c_str());
}

// Splits a trailing time "h:mm[:ss] [AM|PM]" off `s`; the seconds since midnight (0 when there is
// no time), nullopt when it is malformed.
std::optional<int> SplitTime(std::string& s) {
  const size_t colon = s.find(':');
  if (colon == std::string::npos) return 0;
  size_t start = colon;
  while (start > 0 && IsDigit(s[start - 1])) --start;
  const std::string tail = s.substr(start);
  s = text::RTrim(s.substr(0, start));
  size_t i = 0;
  const std::optional<int> hour = ReadTwoDigits(tail, i);
  if (!hour || i >= tail.size() || tail[i] != ':') return std::nullopt;
  const std::optional<int> minute = ReadTwoDigits(tail, ++i);
  if (!minute) return std::nullopt;
  std::optional<int> second = 0;
  if (i < tail.size() && tail[i] == ':') {
    second = ReadTwoDigits(tail, ++i);
    if (!second) return std::nullopt;
  }
  int h = *hour;
  const std::string ampm = text::Upper(text::Trim(tail.substr(i)));
  if (!ampm.empty()) {
    if ((ampm != "AM" && ampm != "PM") || h < 1 || h > 12) return std::nullopt;
    if (ampm == "AM" && h == 12) h = 0;
    if (ampm == "PM" && h != 12) h += 12;
  }
  if (h > 23 || *minute > 59 || *second > 59) return std::nullopt;
  return h * 3600 + *minute * 60 + *second;
}

int ExpandYear(const std::string& digits) {
  const int y = std::atoi(digits.c_str());
  if (digits.size() <= 2) return y < 30 ? 2000 + y : 1900 + y;
  return y;
}

std::optional<Civil> RecognizeDatePart(const std::string& s) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (IsDigit(c)) {
      size_t j = i;
      while (j < s.size() && IsDigit(s[j])) ++j;
      tokens.push_back({true, s.substr(i, j - i)});
      i = j;
    } else if (IsLetter(c)) {
      size_t j = i;
      while (j < s.size() && IsLetter(s[j])) ++j;
      tokens.push_back({false, s.substr(i, j - i)});
      i = j;
    } else if (c == '/' || c == '-' || c == ',' || c == ' ') {
      ++i;
    } else {
      return std::nullopt;
    }
  }
  if (tokens.size() != 3) return std::nullopt;
  for (const Token& t : tokens)
    if (t.number && t.text.size() > 4) return std::nullopt;
  int year = 0, month = 0, day = 0;
  int words = 0;
  for (const Token& t : tokens) words += t.number ? 0 : 1;
  if (words == 1) {
    std::vector<std::string> numbers;
    for (const Token& t : tokens) {
      if (t.number) {
        numbers.push_back(t.text);
      } else {
        month = MonthOfName(t.text);
        if (month == 0) return std::nullopt;
      }
    }
    // "5 Mar 2004" or "Mar 5 2004" / "March 5, 2004": the year is the last number.
    day = std::atoi(numbers[0].c_str());
    year = ExpandYear(numbers[1]);
    if (numbers[0].size() > 2) return std::nullopt;
  } else if (words == 0) {
    const std::string& a = tokens[0].text;
    const std::string& b = tokens[1].text;
    const std::string& c = tokens[2].text;
    if (a.size() == 4) {
      year = std::atoi(a.c_str());
      month = std::atoi(b.c_str());
      day = std::atoi(c.c_str());
    } else {
      month = std::atoi(a.c_str());
      day = std::atoi(b.c_str());
      year = ExpandYear(c);
      if (month > 12 && day <= 12) std::swap(month, day);
    }
  } else {
    return std::nullopt;
  }
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return Civil{year, month, day};
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

double Serial(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

double Serial(int year, int month, int day, int hour, int minute, int second) {
  const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
  const double days = Serial(year, month, day);
  return days < 0 ? days - fraction : days + fraction;
}

double CheckedSerial(double serial) {
  if (!(serial >= kMinSerial && serial <= kMaxSerial)) Raise(err::kOverflow);
  return serial;
}

Civil CivilOf(double serial) { return CivilFromDays(SplitSerial(serial).day + kEpochOffset); }

int SecondsOfDay(double serial) { return SplitSerial(serial).seconds; }

std::string ToText(double serial) {
  const DayAndTime split = SplitSerial(serial);
  const Civil c = CivilFromDays(split.day + kEpochOffset);
  const int secs = split.seconds;
  const bool day_zero = split.day == 0;
  char buf[64];
  std::string out;
  if (!day_zero) {
    std::snprintf(buf, sizeof buf, "%d/%d/%04d", c.month, c.day, c.year);
    out = buf;
  }
  if (secs != 0 || day_zero) {
    const int h = secs / 3600, m = secs / 60 % 60, s = secs % 60;
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, m, s, h < 12 ? "AM" : "PM");
    if (!out.empty()) out += ' ';
    out += buf;
  }
  return out;
}

std::optional<double> Recognize(std::string_view input) {
  std::string s = text::Trim(input);
  if (s.empty()) return std::nullopt;
  const bool has_time = s.find(':') != std::string::npos;
  const std::optional<int> seconds = SplitTime(s);
  if (!seconds) return std::nullopt;
  double fraction = *seconds / 86400.0;
  if (s.empty()) return has_time ? std::optional<double>(fraction) : std::nullopt;
  const std::optional<Civil> civil = RecognizeDatePart(s);
  if (!civil) return std::nullopt;
  const double days = Serial(civil->year, civil->month, civil->day);
  return days < 0 ? days - fraction : days + fraction;
}

const std::array<std::string, 12>& EnglishMonthAbbreviations() {
  static const std::array<std::string, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return months;
}

std::array<std::string, 12> UserMonthAbbreviations() {
  const locale_t user = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
  if (user == static_cast<locale_t>(nullptr)) return EnglishMonthAbbreviations();
  std::array<std::string, 12> months;
  for (size_t i = 0; i < months.size(); ++i) {
    const char* name = ::nl_langinfo_l(static_cast<nl_item>(ABMON_1 + static_cast<int>(i)), user);
    if (name == nullptr || *name == '\0') {
      ::freelocale(user);
      return EnglishMonthAbbreviations();
    }
    months[i] = name;
  }
  ::freelocale(user);
  return months;
}

std::string FormatMmmDdYyyy(double serial, const std::array<std::string, 12>& months) {
  const Civil c = CivilOf(serial);
  char buf[32];
  std::snprintf(buf, sizeof buf, " %02d, %04d", c.day, c.year);
  return months[static_cast<size_t>(c.month - 1)] + buf;
}

}  // namespace kw::dates
