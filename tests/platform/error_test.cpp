// The error convention: each member an error passes adds "Class.Member:line" + CR LF before its description.
#include "ui_shared/platform/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "tests/doubles/raised.h"

namespace kw {
namespace {

constexpr std::string_view kClass = "KW_UIShared.SharedProcedures";

int Inner(int divisor) {
  return Guarded(kClass, "Inner", [&](Line& line) {
    line = 10;
    if (divisor == 0) Raise(err::kDivisionByZero);
    line = 20;
    return 10 / divisor;
  });
}

int Outer(int divisor) {
  return Guarded(kClass, "Get Outer", [&](Line& line) {
    line = 10;
    int a = 1;
    line = 30;
    return a + Inner(divisor);
  });
}

TEST(ErrorTrail, NestedMembersPrefixTheirLocationsKeepingNumberAndSource) {
  EXPECT_EQ(Outer(5), 3);
  EXPECT_EQ(testing::Described(testing::Raised([] { (void)Outer(0); })),
            std::to_string(err::kDivisionByZero) +
                " KW_UIShared: KW_UIShared.SharedProcedures.Get Outer:30\r\n"
                "KW_UIShared.SharedProcedures.Inner:10\r\nDivision by zero");
  EXPECT_EQ(testing::Described(testing::Raised([] {
              Guarded(kClass, "OnSave", [&](Line& line) {
                line = 40;
                Raise(-2147221503, "KW_I.LIResidents", "Record locked");
              });
            })),
            "-2147221503 KW_I.LIResidents: KW_UIShared.SharedProcedures.OnSave:40\r\nRecord locked");
  // Standard exceptions turn into the matching runtime errors before the prefix is added.
  const std::pair<std::function<void()>, int32_t> rows[] = {
      {[] { throw std::bad_alloc(); }, err::kOutOfMemory},
      {[] { throw std::out_of_range("index"); }, err::kSubscript},
      {[] { throw std::overflow_error("big"); }, err::kOverflow},
      {[] { throw std::runtime_error("odd"); }, err::kInvalidCall},
      {[] { throw 42; }, err::kInvalidCall}};
  for (const auto& row : rows)
    EXPECT_TRUE(testing::RaisedAt(testing::Raised([&] {
                                    Guarded(kClass, "ShellEx", [&](Line& line) {
                                      line = 50;
                                      row.first();
                                    });
                                  }),
                                  row.second, "ShellEx", 50));
  EXPECT_EQ(StandardDescription(err::kNoSuchMember), "Object doesn't support this property or method");
  EXPECT_EQ(StandardDescription(err::kSubscript), "Subscript out of range");
  EXPECT_EQ(StandardDescription(123456), "");
}

// The report a program prints names the number, the source (or the program when there is none) and
// the sentence, then the members the error rose through, the innermost first.
TEST(ErrorReport, SaysTheSentenceThenTheTrailInnermostFirst) {
  EXPECT_EQ(ErrorReport(testing::Raised([] { (void)Outer(0); })),
            "error 11 from KW_UIShared: Division by zero\n"
            "  in KW_UIShared.SharedProcedures.Inner:10\n"
            "  in KW_UIShared.SharedProcedures.Get Outer:30\n");
  EXPECT_EQ(ErrorReport(Error(9, "", "Subscript out of range")), "error 9 from the program: Subscript out of range\n");
}

// What the component below said travels beside the sentence through the trail: the report says it
// on a line of its own, and a sentence of two lines stays whole rather than being read as a trail.
TEST(ErrorReport, SaysWhatWasSaidBesideTheSentence) {
  const Error error = testing::Raised([] {
    Guarded(kClass, "OnSave", [](Line& line) {
      line = 100;
      throw Error(err::kComponentBase + 20, "KW_DB", "The disk is full.\r\nNothing was saved.",
                  "SQLite said (step): database or disk is full");
    });
  });
  EXPECT_EQ(error.Sentence(), "The disk is full.\r\nNothing was saved.");
  EXPECT_EQ(ErrorReport(error),
            "error -2147221484 from KW_DB: The disk is full.\r\nNothing was saved.\n"
            "  said: SQLite said (step): database or disk is full\n"
            "  in KW_UIShared.SharedProcedures.OnSave:100\n");
}

}  // namespace
}  // namespace kw
