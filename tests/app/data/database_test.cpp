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

// A sentence put in place of an error's own keeps its number, its source, its trail and the engine's words.
TEST(DatabaseErrors, RaiseInsteadChangesTheSentenceAlone) {
  const struct {
    const char* name;
    const char* description;
    const char* worded;
  } rows[] = {
      {"trail and engine words",
       "LIResidents.Load:10\r\nPostgreSQL said (step): canceling statement due to lock timeout\r\nAnother desk holds "
       "records.",
       "LIResidents.Load:10\r\nPostgreSQL said (step): canceling statement due to lock timeout\r\nNothing could be "
       "read."},
      {"a sentence alone", "Another desk holds records.", "Nothing could be read."},
  };
  for (const auto& row : rows) {
    const kw::Error worded = kw::testing::Raised(
        [&] { RaiseInstead(kw::Error(kHeldByAnotherDeskError, "KW_DB", row.description), "Nothing could be read."); });
    EXPECT_EQ(kw::testing::Described(worded), std::string("3905 KW_DB: ") + row.worded) << row.name;
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
