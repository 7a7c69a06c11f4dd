// The region grid's words: a home month's state from what the server answers, and months as yyyy-mm.
#include "app/business/region_grid.h"

#include <gtest/gtest.h>

namespace trf::testing {
namespace {

// Each way a home month can stand, and the word the grid shows for it.
TEST(RegionGridTest, TheStateOfAHomeMonthInWords) {
  struct Row {
    const char* what;
    int32_t status;
    int filings;
    bool in_force;
    int open_questions;
    const char* state;
  };
  const Row rows[] = {
      {"no month record", 0, 0, false, 0, "not started"},
      {"started", 1, 0, false, 0, "active"},
      {"closed before filings were kept", 2, 0, false, 0, "closed"},
      {"filed once", 2, 1, true, 0, "filed"},
      {"reopened", 1, 1, false, 0, "reopened"},
      {"reopened with a question open", 1, 1, false, 2, "reopened"},
      {"filed a second time", 2, 2, true, 0, "filed again"},
      {"filed with a question open", 2, 1, true, 1, "questioned"},
      {"filed again with a question open", 2, 3, true, 1, "questioned"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(MonthStateText(StateOf(row.status, row.filings, row.in_force, row.open_questions)), row.state)
        << row.what;
}

// A month is read as yyyy-mm and nothing else, and written back the same.
TEST(RegionGridTest, MonthsAreReadAndWrittenAsYearDashMonth) {
  ASSERT_TRUE(ReadYearMonth("2004-03").has_value());
  EXPECT_EQ(ReadYearMonth("2004-03")->Text(), "2004-03");
  EXPECT_EQ((YearMonth{2004, 12}.Next()), (YearMonth{2005, 1}));
  EXPECT_EQ(YearMonthOf(YearMonth{2004, 3}.Serial() + 20), (YearMonth{2004, 3}));
  for (const char* wrong : {"2004-3", "2004-13", "2004-00", "04-03", "2004/03", "2004-03-01", ""})
    EXPECT_FALSE(ReadYearMonth(wrong).has_value()) << wrong;
}

}  // namespace
}  // namespace trf::testing
