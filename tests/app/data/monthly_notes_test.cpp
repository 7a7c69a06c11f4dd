// The notes of a home month in the database: stored, replaced and read back per month record.
#include "app/data/monthly_notes.h"

#include <gtest/gtest.h>

#include "app/data/trf_database.h"
#include "tests/app/test_database.h"
#include "ui_shared/platform/error.h"

namespace trf {
namespace {

// A month without notes reads empty; stored notes come back for their own month only, and a
// second store replaces the first.
TEST(MonthlyNotes, StoredPerMonthAndReplaced) {
  auto database = OpenTrfDatabase(testing::TestDatabaseLocation(":memory:"));
  MonthlyNotes notes(database);
  EXPECT_EQ(notes.Load("3"), "");
  notes.Store("3", "{\\rtf1 first}");
  notes.Store("4", "{\\rtf1 other}");
  notes.Store("3", "{\\rtf1 second}");
  EXPECT_EQ(notes.Load("3"), "{\\rtf1 second}");
  EXPECT_EQ(notes.Load("4"), "{\\rtf1 other}");
  MonthlyNotes reopened(database);  // the table already exists: opening again keeps the notes
  EXPECT_EQ(reopened.Load("3"), "{\\rtf1 second}");
}

// Notes for a month record that does not exist or an id that is no number are refused.
TEST(MonthlyNotes, UnknownOrMalformedMonthRefused) {
  auto database = OpenTrfDatabase(testing::TestDatabaseLocation(":memory:"));
  MonthlyNotes notes(database);
  EXPECT_THROW(notes.Store("99", "{\\rtf1 x}"), kw::Error);
  EXPECT_THROW(notes.Load("abc"), kw::Error);
}

}  // namespace
}  // namespace trf
