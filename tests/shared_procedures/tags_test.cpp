// Control tags: building them from class and field numbers and reading the numbers back.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

TEST(Tags, ReadersSplitAtTheFirstHashAndReadLeniently) {
  LibraryHarness h;
  std::vector<std::tuple<std::string, int16_t, int16_t>> rows = {{" 3# 17", 3, 17}, {"25", 0, 25}, {"", 0, 0},
                                                                 {"1#2#3", 1, 2},   {"7#", 7, 0},  {"#9", 0, 9}};
  for (const auto& [text, number] : kLenientNumbers)
    rows.emplace_back(std::string(text) + "#" + text, static_cast<int16_t>(number), static_cast<int16_t>(number));
  for (const auto& [tag, klass, field] : rows) {
    EXPECT_EQ(h.shared->GetClassFromTag(tag), klass) << tag;
    EXPECT_EQ(h.shared->GetFieldEnumFromTag(tag), field) << tag;
  }
  EXPECT_THAT([&] { (void)h.shared->GetClassFromTag("40000#1"); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.GetClassFromTag:20\r\nOverflow")));
  EXPECT_THAT([&] { (void)h.shared->GetFieldEnumFromTag("1#-40000"); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.GetFieldEnumFromTag:20\r\nOverflow")));
}

}  // namespace
}  // namespace kw
