// Control tags: building them from class and field numbers and reading the numbers back.
#include <gtest/gtest.h>

#include "tests/doubles/harness.h"

namespace kw {
namespace {

using testing::LibraryHarness;

// Tags carry a blank before non-negative numbers and a "-" before negative ones.
TEST(Tags, CreateTagRendersBothNumbersWithTheirSignSpace) {
  LibraryHarness h;
  EXPECT_EQ(h.shared->CreateTag(3, 17), " 3# 17");
  EXPECT_EQ(h.shared->CreateTag(0, 0), " 0# 0");
  EXPECT_EQ(h.shared->CreateTag(-2, 5), "-2# 5");
  EXPECT_EQ(h.shared->CreateTag(-4, -1), "-4#-1");
  EXPECT_EQ(h.shared->CreateTag(-32768, 32767), "-32768# 32767");
}

struct TagRow {
  const char* name;
  const char* tag;
  int16_t klass;
  int16_t field;
};

// The readers split at the first "#" and read each side leniently, halves to even.
TEST(Tags, ReadersSplitAtTheFirstHashAndReadLeniently) {
  LibraryHarness h;
  const TagRow rows[] = {
      {"built tag", " 3# 17", 3, 17},     {"negative", "-4#-1", -4, -1},     {"no hash", "25", 0, 25},
      {"empty", "", 0, 0},                {"only the first hash", "1#2#3", 1, 2}, {"nothing after", "7#", 7, 0},
      {"nothing before", "#9", 0, 9},     {"fractions", "2.5#3.5", 2, 4},    {"no blanks", "12#4", 12, 4},
      {"letters after digits", "5x#6y", 5, 6},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(h.shared->GetClassFromTag(row.tag), row.klass) << row.name;
    EXPECT_EQ(h.shared->GetFieldEnumFromTag(row.tag), row.field) << row.name;
  }
}

// A number beyond 16 bits overflows, and the error names the member that failed.
TEST(Tags, OutOfRangeNumbersOverflowWithTheMembersLocation) {
  LibraryHarness h;
  try {
    (void)h.shared->GetClassFromTag("40000#1");
    FAIL() << "no overflow";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
    EXPECT_EQ(e.Description(), "KW_UIShared.SharedProcedures.GetClassFromTag:20\r\nOverflow");
    EXPECT_EQ(e.Source(), "KW_UIShared");
  }
  try {
    (void)h.shared->GetFieldEnumFromTag("1#-40000");
    FAIL() << "no overflow";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

}  // namespace
}  // namespace kw
