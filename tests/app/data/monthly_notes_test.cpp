// The notes of a home month in the database: stored, replaced and read back per month record.
#include "app/data/monthly_notes.h"

#include <gtest/gtest.h>

#include "app/data/trf_database.h"
#include "tests/app/test_database.h"
#include "ui_shared/platform/error.h"

namespace trf {
namespace {

// A store over a version that is no longer the stored one (someone stored since) is refused and writes nothing.
TEST(MonthlyNotes, StoredPerMonthOverTheVersionReadForKnownMonthsOnly) {
  auto database = OpenTrfDatabase(testing::TestDatabaseLocation(":memory:"));
  MonthlyNotes notes(database);
  EXPECT_EQ(notes.Read("3").version, 0);
  EXPECT_EQ(notes.Load("3"), "");
  EXPECT_TRUE(notes.Store("3", "{\\rtf1 first}", 0));
  EXPECT_TRUE(notes.Store("4", "{\\rtf1 other}", 0));
  EXPECT_FALSE(notes.Store("3", "{\\rtf1 also first}", 0));
  EXPECT_TRUE(notes.Store("3", "{\\rtf1 second}", 1));
  EXPECT_FALSE(notes.Store("3", "{\\rtf1 stale}", 1));
  EXPECT_EQ(notes.Read("3").version, 2);
  EXPECT_EQ(notes.Load("4"), "{\\rtf1 other}");
  MonthlyNotes reopened(database);  // the table already exists: opening again keeps the notes
  EXPECT_EQ(reopened.Load("3"), "{\\rtf1 second}");
  EXPECT_THROW((void)notes.Store("99", "{\\rtf1 x}", 0), kw::Error);
  EXPECT_THROW(notes.Load("abc"), kw::Error);
}

}  // namespace
}  // namespace trf
