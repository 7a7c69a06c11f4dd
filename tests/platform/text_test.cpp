// Text rules over UTF-8: characters are code points, positions 1-based, trimming spaces only.
#include "ui_shared/platform/text.h"

#include <gtest/gtest.h>

namespace kw::text {
namespace {

TEST(Text, CountsAndCutsCodePointsIllFormedOnesIncluded) {
  const std::string s = "Zoë#12";  // ë is two bytes
  EXPECT_EQ(Len(s), 6u);
  EXPECT_EQ(Left(s, 3), "Zoë");
  EXPECT_EQ(Left(s, 99), s);
  EXPECT_EQ(Mid(s, 4), "#12");
  EXPECT_EQ(Mid(s, 3, 2), "ë#");
  EXPECT_EQ(Mid(s, 7), "");
  EXPECT_EQ(Mid(s, 99), "");
  EXPECT_EQ(Right(s, 2), "12");
  EXPECT_EQ(std::tuple(InStr(s, "#"), InStr(s, "x"), InStr(s, "")), std::tuple(4u, 0u, 1u));
  // Ill-formed UTF-8 becomes one U+FFFD per maximal subpart, which the character functions count as one.
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  const std::pair<std::string, std::string> rows[] = {
      {"a\x80z", "a" + r + "z"},                                         // stray continuation byte
      {"\xC3", r},                                                       // cut short
      {"\xE2\x82z", r + "z"},                                            // cut short, one subpart
      {"\xC0\xAF", r + r},                                               // overlong
      {"\xED\xA0\x80", r + r + r},                                       // surrogate U+D800
      {"\xF4\x90\x80\x80", r + r + r + r},                               // above U+10FFFF
      {"\xF0\x9F\x98\x80\xE2\x82\xAC", "\xF0\x9F\x98\x80\xE2\x82\xAC"},  // valid stays
      {"eight ch\x80 and more", "eight ch" + r + " and more"},           // after a word of ASCII
      {"caf\xC3\xA9 au lait", "caf\xC3\xA9 au lait"},                    // valid inside a word
  };
  for (const auto& [in, valid] : rows) {
    SCOPED_TRACE(in);
    EXPECT_EQ(ValidUtf8(in), valid);
    EXPECT_EQ(IsValidUtf8(in), in == valid);
    EXPECT_EQ(Len(in), Len(valid));
    EXPECT_EQ(DecodeUtf8(in).size(), Len(in));
  }
  EXPECT_EQ(Mid(" FROM \x80x", 7), "\x80x");
  EXPECT_EQ(ValidCodePoint(0xDC00), kReplacementCharacter);
  EXPECT_EQ(ValidCodePoint(0x110000), kReplacementCharacter);
  std::string out;
  AppendUtf8(0x10FFFF, out);
  EXPECT_EQ(out, "\xF4\x8F\xBF\xBF");
}

TEST(Text, TrimsSpacesOnlyAndFoldsAsciiCase) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(LTrim("  x "), "x ");
  EXPECT_EQ(RTrim(" x  "), " x");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_TRUE(EqualsNoCase("ListItems", "LISTITEMS"));
  EXPECT_FALSE(EqualsNoCase("Key", "Keys"));
  EXPECT_EQ(Lower("AbC1"), "abc1");
  EXPECT_EQ(Upper("ab-c"), "AB-C");
}

}  // namespace
}  // namespace kw::text
