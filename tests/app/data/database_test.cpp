// The sentence an error of the data layer carries, apart from the engine's words for the error journal.
#include <gtest/gtest.h>

#include "app/data/sqlite_database.h"
#include "tests/doubles/raised.h"

namespace trf {
namespace {

// An error of the data layer raised two places down its trail, as the business objects pass it on.
kw::Error Passed(int32_t number, const std::string& sentence, const std::string& engine_words) {
  return kw::testing::Raised([&] {
    kw::Guarded("LIResidents", "SaveBatch", [&](kw::Line& line) {
      line = 30;
      kw::Guarded("Store", "Write", [&](kw::Line& inner) {
        inner = 10;
        RaiseDataError(number, sentence, engine_words);
      });
    });
  });
}

// The sentence is the one the error was raised with, trimmed, whatever trail and engine words it
// carries, a line break of its own kept; an error without one falls back on its number's description.
TEST(DatabaseErrors, SentenceOfIsTheRaisedSentenceOrTheNumbersDescription) {
  const struct {
    const char* name;
    int32_t number;
    const char* sentence_raised;
    const char* engine_words;
    const char* sentence_read;
  } rows[] = {
      {"one line", kDatabaseError, "The database is full.", "", "The database is full."},
      {"engine words beside it", kDatabaseError, "  The file could not be written. ",
       "SQLite said (step): disk I/O error", "The file could not be written."},
      {"two lines", kDatabaseError, "The file could not be written.\nNothing was saved.", "",
       "The file could not be written.\nNothing was saved."},
      {"nothing at all", kw::err::kTypeMismatch, "", "", "Type mismatch"},
  };
  for (const auto& row : rows) {
    const kw::Error error = Passed(row.number, row.sentence_raised, row.engine_words);
    EXPECT_EQ(SentenceOf(error), row.sentence_read) << row.name;
    EXPECT_EQ(error.Said(), row.engine_words) << row.name;
  }
}

// A sentence put in place of an error's own keeps its number, its source, its trail and the engine's words.
TEST(DatabaseErrors, RaiseInsteadChangesTheSentenceAlone) {
  const kw::Error held = Passed(kHeldByAnotherDeskError, "Another desk holds records.",
                                "PostgreSQL said (step): canceling statement due to lock timeout");
  const kw::Error worded = kw::testing::Raised([&] { RaiseInstead(held, "Nothing could be read."); });
  EXPECT_EQ(kw::testing::Described(worded),
            "3905 KW_DB: LIResidents.SaveBatch:30\r\nStore.Write:10\r\nNothing could be read.");
  EXPECT_EQ(worded.Said(), held.Said());
  EXPECT_EQ(worded.Sentence(), "Nothing could be read.");
}

// SQLite's own words travel beside the sentence, out of the description a person reads.
TEST(DatabaseErrors, EngineWordsTravelBesideTheSentence) {
  SqliteDatabase database(":memory:");
  database.Exec("CREATE TABLE homes (number TEXT UNIQUE); INSERT INTO homes VALUES ('H-101')");

  const kw::Error refused = kw::testing::Raised([&] { database.Exec("INSERT INTO homes VALUES ('H-101')"); });
  EXPECT_EQ(refused.Description(), "The change breaks a rule of the stored data. Nothing was written.");
  EXPECT_EQ(refused.Said(), "SQLite said (exec): UNIQUE constraint failed: homes.number");
}

}  // namespace
}  // namespace trf
