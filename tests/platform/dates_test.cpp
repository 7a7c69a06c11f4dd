// Lenient date recognition, the "mmm dd, yyyy" form and the user's month abbreviations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "ui_shared/platform/dates.h"

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
