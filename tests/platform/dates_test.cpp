// Date serials and their text forms, and lenient recognition of date texts.
#include "ui_shared/platform/dates.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/doubles/scoped_env.h"

namespace kw::dates {
namespace {

// Serials count days from 30 Dec 1899; negative serials keep the time as the absolute fraction.
TEST(Dates, SerialsRoundTripThroughTheCalendar) {
  EXPECT_EQ(Serial(1899, 12, 30), 0.0);
  EXPECT_EQ(Serial(1900, 1, 1), 2.0);
  EXPECT_EQ(Serial(2004, 3, 5), 38051.0);
  const Civil c = CivilOf(38051.75);
  EXPECT_EQ(c.year, 2004);
  EXPECT_EQ(c.month, 3);
  EXPECT_EQ(c.day, 5);
  EXPECT_EQ(SecondsOfDay(38051.75), 18 * 3600);
  const Civil before = CivilOf(-1.25);
  EXPECT_EQ(before.day, 29);
  EXPECT_EQ(SecondsOfDay(-1.25), 6 * 3600);
  EXPECT_EQ(Serial(1899, 12, 29, 6, 0, 0), -1.25);
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
}

struct RecognizeRow {
  const char* text;
  int year, month, day;  // year 0: rejected
};

// The recognised forms and the rejected ones.
TEST(Dates, RecognizesTheRuntimesLenientForms) {
  const RecognizeRow rows[] = {
      {"3/5/2004", 2004, 3, 5},      {"2004-03-05", 2004, 3, 5},  {"2004/3/5", 2004, 3, 5},
      {"March 5, 2004", 2004, 3, 5}, {"Mar 5 2004", 2004, 3, 5},  {"5 Mar 2004", 2004, 3, 5},
      {"Dec 30, 1991", 1991, 12, 30}, {"12/30/91", 1991, 12, 30}, {"13/5/2004", 2004, 5, 13},
      {"1/2/29", 2029, 1, 2},        {"1/2/30", 1930, 1, 2},      {" 3/5/2004 ", 2004, 3, 5},
      {"04.28.2014", 0, 0, 0},       {"13/32/2014", 0, 0, 0},     {"31/02/2004", 0, 0, 0},
      {"2004-02-30", 0, 0, 0},       {"Friday, March 5, 2004", 0, 0, 0}, {"not a date", 0, 0, 0},
      {"", 0, 0, 0},                 {"3/5", 0, 0, 0},
      {"1/1/00", 2000, 1, 1},        {"1/1/99", 1999, 1, 1},      {"mAY 31 2004", 2004, 5, 31},
      {"12/31/9999", 9999, 12, 31},  {"2/29/2005", 0, 0, 0},
      {"0/5/2004", 0, 0, 0},         {"Fri 3/5/2004", 0, 0, 0},   {"99999999999999999999/1/1", 0, 0, 0},
      {"1/1/10000", 0, 0, 0},        {"Smarch 5 2004", 0, 0, 0},  {"3/5/2004 10:60", 0, 0, 0},
      {"3/5/2004 13:00 PM", 0, 0, 0}, {"123:30", 0, 0, 0},
  };
  for (const auto& row : rows) {
    const auto d = Recognize(row.text);
    if (row.year == 0) {
      EXPECT_FALSE(d) << row.text;
      continue;
    }
    ASSERT_TRUE(d) << row.text;
    EXPECT_EQ(*d, Serial(row.year, row.month, row.day)) << row.text;
  }
}

// A time may follow the date; a time alone lands on day 0.
TEST(Dates, RecognizesTimes) {
  EXPECT_EQ(Recognize("10:30 PM"), (22 * 3600 + 30 * 60) / 86400.0);
  EXPECT_EQ(Recognize("3/5/2004 12:00 AM"), Serial(2004, 3, 5));
  EXPECT_EQ(Recognize("3/5/2004 6:00:30"), Serial(2004, 3, 5, 6, 0, 30));
  EXPECT_FALSE(Recognize("25:00"));
  EXPECT_FALSE(Recognize("3/5/2004 10:30 XM"));
}

// The runtime's text leaves out midnight, and the date on day 0.
TEST(Dates, TextFormsOfDates) {
  EXPECT_EQ(ToText(Serial(2004, 3, 5)), "3/5/2004");
  EXPECT_EQ(ToText(Serial(2004, 12, 25, 0, 0, 1)), "12/25/2004 12:00:01 AM");
  EXPECT_EQ(ToText(0.25), "6:00:00 AM");
  EXPECT_EQ(ToText(0), "12:00:00 AM");
  EXPECT_EQ(ToText(Serial(1899, 12, 31)), "12/31/1899");
  EXPECT_EQ(FormatMmmDdYyyy(Serial(2004, 3, 5), EnglishMonthAbbreviations()), "Mar 05, 2004");
}

// "mmm dd, yyyy" pads the day to two digits and takes the month name from the table given.
TEST(DatesFormat, MmmDdYyyy) {
  EXPECT_EQ(FormatMmmDdYyyy(Serial(1899, 12, 30), EnglishMonthAbbreviations()), "Dec 30, 1899");
  std::array<std::string, 12> dutch = {"jan", "feb", "mrt", "apr", "mei", "jun",
                                       "jul", "aug", "sep", "okt", "nov", "dec"};
  EXPECT_EQ(FormatMmmDdYyyy(Serial(2004, 5, 1), dutch), "mei 01, 2004");
}

// The C locale and a locale that cannot be loaded both give the English abbreviations.
TEST(DatesFormat, UserMonthAbbreviationsFallBackToEnglish) {
  {
    const testing::ScopedEnv lc("LC_ALL", "C");
    EXPECT_EQ(UserMonthAbbreviations(), EnglishMonthAbbreviations());
  }
  const testing::ScopedEnv lc("LC_ALL", "xx_NOWHERE.UTF-8");
  EXPECT_EQ(UserMonthAbbreviations(), EnglishMonthAbbreviations());
}

}  // namespace
}  // namespace kw::dates
