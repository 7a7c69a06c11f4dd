// Date serials and their text forms, and lenient recognition of date texts.
#include "ui_shared/platform/dates.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

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

}  // namespace
}  // namespace kw::dates

namespace kw {
namespace {

struct AcceptRow {
  const char* text;
  int year, month, day;
};

// Every form the runtime recognised reads as the right calendar date.
TEST(DatesRecognize, AcceptsTheRuntimesForms) {
  const AcceptRow rows[] = {
      {"3/5/2004", 2004, 3, 5},      {"2004-03-05", 2004, 3, 5},    {"2004/3/5", 2004, 3, 5},
      {"March 5, 2004", 2004, 3, 5}, {"Mar 5 2004", 2004, 3, 5},    {"5 Mar 2004", 2004, 3, 5},
      {"Dec 30, 1991", 1991, 12, 30}, {"12/30/91", 1991, 12, 30},   {"13/5/2004", 2004, 5, 13},
      {"1/1/00", 2000, 1, 1},        {"1/1/29", 2029, 1, 1},        {"1/1/30", 1930, 1, 1},
      {"1/1/99", 1999, 1, 1},        {"  2/29/2004  ", 2004, 2, 29}, {"mAY 31 2004", 2004, 5, 31},
      {"12/31/9999", 9999, 12, 31},  {"3/5/2004 10:30 PM", 2004, 3, 5},
  };
  for (const auto& row : rows) {
    const std::optional<double> serial = dates::Recognize(row.text);
    ASSERT_TRUE(serial.has_value()) << row.text;
    const dates::Civil c = dates::CivilOf(*serial);
    EXPECT_EQ(c.year, row.year) << row.text;
    EXPECT_EQ(c.month, row.month) << row.text;
    EXPECT_EQ(c.day, row.day) << row.text;
  }
}

// Texts the runtime refused, impossible dates and oversized numbers are no dates.
TEST(DatesRecognize, RejectsWhatIsNoDate) {
  const char* rows[] = {"04.28.2014", "13/32/2014", "31/02/2004",  "2004-02-30",  "Friday, March 5, 2004",
                        "Fri 3/5/2004", "not a date", "",           "   ",         "3/5",
                        "2/29/2005",  "0/5/2004",   "99999999999999999999/1/1", "3/5/2004 25:00",
                        "3/5/2004 10:60", "3/5/2004 13:00 PM", "3/5/2004 10:30 XM", "123:30", "Smarch 5 2004",
                        "1/1/10000"};
  for (const char* text : rows) EXPECT_FALSE(dates::Recognize(text).has_value()) << text;
}

// A text with only a time is that time on day 0; a time after a date adds to the day.
TEST(DatesRecognize, TimesAreTheFractionOfTheDay) {
  EXPECT_DOUBLE_EQ(*dates::Recognize("10:30 PM"), 22.5 / 24.0);
  EXPECT_DOUBLE_EQ(*dates::Recognize("12:00 AM"), 0.0);
  EXPECT_DOUBLE_EQ(*dates::Recognize("3/5/2004 6:00:00"), 38051.25);
}

// "mmm dd, yyyy" pads the day to two digits and takes the month name from the table given.
TEST(DatesFormat, MmmDdYyyy) {
  EXPECT_EQ(dates::FormatMmmDdYyyy(dates::Serial(2004, 3, 5), dates::EnglishMonthAbbreviations()), "Mar 05, 2004");
  EXPECT_EQ(dates::FormatMmmDdYyyy(dates::Serial(1899, 12, 30), dates::EnglishMonthAbbreviations()), "Dec 30, 1899");
  std::array<std::string, 12> dutch = {"jan", "feb", "mrt", "apr", "mei", "jun",
                                       "jul", "aug", "sep", "okt", "nov", "dec"};
  EXPECT_EQ(dates::FormatMmmDdYyyy(dates::Serial(2004, 5, 1), dutch), "mei 01, 2004");
}

// The C locale and a locale that cannot be loaded both give the English abbreviations.
TEST(DatesFormat, UserMonthAbbreviationsFallBackToEnglish) {
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved ? saved : "";
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(dates::UserMonthAbbreviations(), dates::EnglishMonthAbbreviations());
  setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
  EXPECT_EQ(dates::UserMonthAbbreviations(), dates::EnglishMonthAbbreviations());
  if (saved) {
    setenv("LC_ALL", previous.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
}

}  // namespace
}  // namespace kw
