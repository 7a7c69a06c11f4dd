// The error convention: each member a error passes through adds "Class.Member:line" + CR LF in
// front of the description, keeping number and source; foreign exceptions become runtime errors.
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

// Two nested members give a trail, innermost location last, with the runtime's description; a
// sibling's own source and number pass through unchanged, foreign exceptions as runtime errors.
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
  // Standard exceptions turn into the matching runtime errors before the prefix is added; standard
  // numbers have the runtime's descriptions, and component numbers stay signed.
  struct Row {
    std::function<void()> raise;
    int32_t number;
  };
  const Row rows[] = {
      {[] { throw std::bad_alloc(); }, err::kOutOfMemory},
      {[] { throw std::out_of_range("index"); }, err::kSubscript},
      {[] { throw std::overflow_error("big"); }, err::kOverflow},
      {[] { throw std::runtime_error("odd"); }, err::kInvalidCall},
      {[] { throw 42; }, err::kInvalidCall},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(testing::RaisedAt(testing::Raised([&] {
                                    Guarded(kClass, "ShellEx", [&](Line& line) {
                                      line = 50;
                                      row.raise();
                                    });
                                  }),
                                  row.number, "ShellEx", 50));
  }
  EXPECT_EQ(err::kComponentBase + 1, -2147221503);
  EXPECT_EQ(StandardDescription(err::kNoSuchMember), "Object doesn't support this property or method");
  EXPECT_EQ(StandardDescription(err::kSubscript), "Subscript out of range");
  EXPECT_EQ(StandardDescription(123456), "");
}

}  // namespace
}  // namespace kw
