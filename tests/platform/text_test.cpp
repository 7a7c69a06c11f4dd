// Text rules over UTF-8: characters are code points, positions 1-based, trimming spaces only.
#include "ui_shared/platform/text.h"

#include <gtest/gtest.h>

namespace kw::text {
namespace {

// Lengths and cuts count characters, never cutting one in half.
TEST(Text, CountsAndCutsCodePoints) {
  const std::string s = "Zoë#12";  // ë is two bytes
  EXPECT_EQ(Len(s), 6u);
  EXPECT_EQ(Left(s, 3), "Zoë");
  EXPECT_EQ(Left(s, 99), s);
  EXPECT_EQ(Mid(s, 4), "#12");
  EXPECT_EQ(Mid(s, 3, 2), "ë#");
  EXPECT_EQ(Mid(s, 7), "");
  EXPECT_EQ(Mid(s, 99), "");
  EXPECT_EQ(Right(s, 2), "12");
  EXPECT_EQ(InStr(s, "#"), 4u);
  EXPECT_EQ(InStr(s, "x"), 0u);
  EXPECT_EQ(InStr(s, ""), 1u);
}

// Trim removes U+0020 only; tabs, CR and LF stay.
TEST(Text, TrimsSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(LTrim("  x "), "x ");
  EXPECT_EQ(RTrim(" x  "), " x");
  EXPECT_EQ(Trim("    "), "");
}

TEST(Text, CaseFoldingIsAsciiOnly) {
  EXPECT_TRUE(EqualsNoCase("ListItems", "LISTITEMS"));
  EXPECT_FALSE(EqualsNoCase("Key", "Keys"));
  EXPECT_EQ(Lower("AbC1"), "abc1");
  EXPECT_EQ(Upper("ab-c"), "AB-C");
}

}  // namespace
}  // namespace kw::text
