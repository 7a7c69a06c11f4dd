// The runtime's number rules: lenient and strict reading, rounding with range checks, rendering.
#include "ui_shared/platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "tests/doubles/raised.h"
#include "ui_shared/platform/error.h"

namespace kw {
namespace {

TEST(LenientReader, ReadsTheLeadingNumberOfEachTextAndStrictlyTheWholeText) {
  const std::tuple<const char*, const char*, double> rows[] = {{"trailing letters", "12abc", 12},
                                                               {"blanks between digits", " 1 2 3", 123},
                                                               {"fraction", "2.5", 2.5},
                                                               {"comma stops", "2,5", 2},
                                                               {"bare sign", "-", 0},
                                                               {"empty", "", 0},
                                                               {"blank after sign", "- 5", -5},
                                                               {"second point stops", "1.2.3", 1.2},
                                                               {"exponent", "1e3x", 1000},
                                                               {"D exponent", "1D2", 100},
                                                               {"carriage return stops", "1\r2", 1},
                                                               {"tab and line feed", "\t4\n2", 42},
                                                               {"hex prefix is no number", "&H10", 0},
                                                               {"percent stops", "50.5%", 50.5},
                                                               {"leading point", ".5", 0.5},
                                                               {"plus sign", "+7", 7},
                                                               {"tag class part", " 3#", 3},
                                                               {"exponent mark without digits", "12e", 12},
                                                               {"exponent sign without digits", "1.5E+", 1.5},
                                                               {"D exponent sign without digits", "3d-", 3},
                                                               {"negative exponent", "25E-1", 2.5},
                                                               {"letters only", "abc", 0}};
  for (const auto& [name, text, expected] : rows) EXPECT_DOUBLE_EQ(ReadLeadingNumber(text), expected) << name;
  // A number too large for a double overflows rather than reading as infinity.
  EXPECT_EQ(testing::RaisedNumber([] { (void)ReadLeadingNumber("1e999"); }), err::kOverflow);
  for (const auto& [text, value] : {std::pair(" 12 ", 12.0), std::pair("-3.5", -3.5), std::pair("1E3", 1000.0)})
    EXPECT_EQ(ParseWholeNumber(text), value) << text;
  for (const char* text : {"12abc", "", "   ", "1 2", "\t12", "12e", "1.5E+", "3d-"})
    EXPECT_FALSE(ParseWholeNumber(text)) << text;
}

TEST(Rounding, HalvesToEvenThenRange) {
  const std::pair<double, int32_t> rows[] = {{2.5, 2}, {3.5, 4},           {-2.5, -2},      {0.5, 0},
                                             {1.5, 2}, {-32768.5, -32768}, {32767.4, 32767}};
  for (const auto& [value, expected] : rows) EXPECT_EQ(ToInt16(value), expected) << value;
  for (double value : {32767.5, -32769.0, std::nan(""), double(INFINITY)})
    EXPECT_EQ(testing::RaisedNumber([&] { (void)ToInt16(value); }), err::kOverflow) << value;
  EXPECT_EQ(ToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(ToInt32(-2147483648.5), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(testing::RaisedNumber([] { (void)ToInt32(2147483647.5); }), err::kOverflow);
  EXPECT_EQ(ToUInt8(255.4), 255);
  for (double bad : {-0.6, 255.5}) EXPECT_EQ(testing::RaisedNumber([&] { (void)ToUInt8(bad); }), err::kOverflow) << bad;
  EXPECT_EQ(LeadingInt16("2.5#3.5"), 2);
  EXPECT_EQ(LeadingInt16("3.5"), 4);
  EXPECT_EQ(testing::RaisedNumber([] { (void)LeadingInt16("40000#1"); }), err::kOverflow);
  EXPECT_EQ(testing::RaisedNumber([] { (void)LeadingInt32("99999999999"); }), err::kOverflow);
}

// Doubles print with at most 15 significant digits, in exponent form where the runtime uses it.
TEST(Formatting, DoublesAndSinglesAsTheRuntimeWritesThem) {
  const std::pair<double, const char*> rows[] = {{1e15, "1E+15"},       {123456789012345.0, "123456789012345"},
                                                 {0.0001, "0.0001"},    {0.00001, "0.00001"},
                                                 {1e-16, "1E-16"},      {1.0 / 12.0, "8.33333333333333E-02"},
                                                 {0.1 + 0.2, "0.3"},    {-0.0, "0"},
                                                 {2.5, "2.5"},          {-1234.5, "-1234.5"},
                                                 {100, "100"},          {1e-15, "0.000000000000001"},
                                                 {1.5e300, "1.5E+300"}, {-2.5e-20, "-2.5E-20"}};
  for (const auto& [value, expected] : rows) EXPECT_EQ(FormatDouble(value), expected) << expected;
  for (const auto& [value, expected] : {std::pair(0.1f, "0.1"), std::pair(1.0f / 3.0f, "0.3333333"),
                                        std::pair(1e7f, "1E+07"), std::pair(1234567.0f, "1234567")})
    EXPECT_EQ(FormatSingle(value), expected) << expected;
}

}  // namespace
}  // namespace kw
