// The sentence an error of the data layer ends with, apart from the words for the error journal.
#include <gtest/gtest.h>

#include "app/data/sqlite_database.h"
#include "tests/doubles/raised.h"

namespace trf {
namespace {

// The sentence is the last line, trimmed; an error without one falls back on its number's description.
TEST(DatabaseErrors, SentenceOfIsTheLastLineOrTheNumbersDescription) {
  const struct {
    const char* name;
    int32_t number;
    const char* description;
    const char* sentence;
  } rows[] = {
      {"one line", kDatabaseError, "The database is full.", "The database is full."},
      {"trail and engine words", kDatabaseError,
       "LIResidents.SaveBatch:30\r\nSQLite said (step): disk I/O error\r\n"
       "  The file could not be written. ",
       "The file could not be written."},
      {"a trail only", kw::err::kTypeMismatch, "LIResidents.Load:10\r\n", "Type mismatch"},
      {"nothing at all", kDatabaseError, "", "The operation could not be completed."},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(SentenceOf(kw::Error(row.number, "KW_DB", row.description)), row.sentence) << row.name;
  }
}

// SQLite's own words stay in the description, on the line before the sentence.
TEST(DatabaseErrors, EngineWordsStandBeforeTheSentence) {
  SqliteDatabase database(":memory:");
  database.Exec("CREATE TABLE homes (number TEXT UNIQUE); INSERT INTO homes VALUES ('H-101')");

  const kw::Error refused = kw::testing::Raised([&] { database.Exec("INSERT INTO homes VALUES ('H-101')"); });
  EXPECT_EQ(refused.Description(),
            "SQLite said (exec): UNIQUE constraint failed: homes.number\r\n"
            "The change breaks a rule of the stored data. Nothing was written.");
}

}  // namespace
}  // namespace trf
