// Date serials and their text forms, and lenient recognition of date texts.
#include "ui_shared/platform/dates.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/doubles/scoped_env.h"

namespace kw::dates {
namespace {

// Negative serials keep the time of day as the absolute value of their fraction.
TEST(Dates, SerialsRoundTripThroughTheCalendarAndText) {
  EXPECT_EQ(Serial(1899, 12, 30), 0.0);
  EXPECT_EQ(Serial(1900, 1, 1), 2.0);
  EXPECT_EQ(Serial(2004, 3, 5), 38051.0);
  const Civil c = CivilOf(38051.75);
  EXPECT_EQ(std::tuple(c.year, c.month, c.day, SecondsOfDay(38051.75)), std::tuple(2004, 3, 5, 18 * 3600));
  EXPECT_EQ(std::pair(CivilOf(-1.25).day, SecondsOfDay(-1.25)), std::pair(29, 6 * 3600));
  EXPECT_EQ(Serial(1899, 12, 29, 6, 0, 0), -1.25);
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  // The runtime's text leaves out midnight, and the date on day 0.
  EXPECT_EQ(ToText(Serial(2004, 3, 5)), "3/5/2004");
  EXPECT_EQ(ToText(Serial(2004, 12, 25, 0, 0, 1)), "12/25/2004 12:00:01 AM");
  EXPECT_EQ(ToText(0.25), "6:00:00 AM");
  EXPECT_EQ(ToText(0), "12:00:00 AM");
  EXPECT_EQ(ToText(Serial(1899, 12, 31)), "12/31/1899");
  // Rounding to whole seconds carries into the date.
  EXPECT_EQ(ToText(Serial(2004, 3, 5) + 86399.6 / 86400.0), "3/6/2004");
  EXPECT_EQ(ToText(86399.6 / 86400.0), "12/31/1899");
  EXPECT_EQ(ToText(kMaxSerial), "12/31/9999 11:59:59 PM");
  EXPECT_EQ(ToText(kMinSerial), "1/1/0100 11:59:59 PM");
  EXPECT_EQ(FormatMmmDdYyyy(Serial(2004, 3, 5), EnglishMonthAbbreviations()), "Mar 05, 2004");
  EXPECT_EQ(FormatMmmDdYyyy(Serial(1899, 12, 30), EnglishMonthAbbreviations()), "Dec 30, 1899");
  std::array<std::string, 12> dutch = {"jan", "feb", "mrt", "apr", "mei", "jun",
                                       "jul", "aug", "sep", "okt", "nov", "dec"};
  EXPECT_EQ(FormatMmmDdYyyy(Serial(2004, 5, 1), dutch), "mei 01, 2004");
  for (const char* locale : {"C", "xx_NOWHERE.UTF-8"}) {
    const testing::ScopedEnv lc("LC_ALL", locale);
    EXPECT_EQ(UserMonthAbbreviations(), EnglishMonthAbbreviations()) << locale;
  }
}

TEST(Dates, RecognizesTheRuntimesLenientForms) {
  for (const char* text : {"3/5/2004", "2004-03-05", "2004/3/5", "March 5, 2004", "Mar 5 2004", "5 Mar 2004",
                           " 3/5/2004 ", "3/5/2004 12:00 AM"})
    EXPECT_EQ(Recognize(text), Serial(2004, 3, 5)) << text;
  const std::pair<const char*, double> rows[] = {{"Dec 30, 1991", Serial(1991, 12, 30)},
                                                 {"12/30/91", Serial(1991, 12, 30)},
                                                 {"13/5/2004", Serial(2004, 5, 13)},
                                                 {"13/12/2004", Serial(2004, 12, 13)},
                                                 {"1/2/29", Serial(2029, 1, 2)},
                                                 {"1/2/30", Serial(1930, 1, 2)},
                                                 {"1/1/00", Serial(2000, 1, 1)},
                                                 {"1/1/99", Serial(1999, 1, 1)},
                                                 {"mAY 31 2004", Serial(2004, 5, 31)},
                                                 {"12/31/9999", Serial(9999, 12, 31)},
                                                 {"10:30 PM", (22 * 3600 + 30 * 60) / 86400.0},
                                                 {"3/5/2004 6:00:30", Serial(2004, 3, 5, 6, 0, 30)}};
  for (const auto& [text, serial] : rows) EXPECT_EQ(Recognize(text), serial) << text;
  for (const char* text :
       {"04.28.2014", "13/32/2014", "31/02/2004", "2004-02-30", "Friday, March 5, 2004", "not a date", "", "3/5",
        "2/29/2005", "0/5/2004", "Fri 3/5/2004", "99999999999999999999/1/1", "1/1/10000", "Smarch 5 2004",
        "3/5/2004 10:60", "3/5/2004 13:00 PM", "123:30", "25:00", "3/5/2004 10:30 XM"})
    EXPECT_FALSE(Recognize(text)) << text;
}

}  // namespace
}  // namespace kw::dates
