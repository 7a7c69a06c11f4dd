// A backup is one consistent copy, and a restore proves the copy before it replaces anything: a copy
// that lost a table, or whose triggers were dropped, altered or joined by another program's, is
// refused by name, as is one that is no TRF copy of this version; a copy of an earlier version is
// taken as that version was; and a file that is not one of ours is never overwritten.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/data/backup.h"
#include "app/data/schema_check.h"
#include "app/data/sqlite_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/terminal/temp_folder.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf {
namespace {

using kw::testing::Raised;

std::string Fee(const std::string& path) {
  SqliteDatabase database(path, Access::kReadOnly);
  auto query = database.Prepare("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4");
  return query->Step() ? query->Column(0).ToText() : "(none)";
}

class RestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenTrfDatabase(Path("trf.db"))->Exec("UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4");
    OpenTrfDatabase(Path("pristine.db"));  // a copy as a backup of another day would be: the fee as sampled
  }
  std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }
  // A copy of the pristine backup named `name`, changed by `sql` as another program would change it.
  std::string Tampered(const std::string& name, const std::string& sql) const {
    std::filesystem::copy_file(Path("pristine.db"), Path(name));
    if (!sql.empty()) SqliteDatabase(Path(name)).Exec(sql);
    return Path(name);
  }

  TempFolder folder_;
};

// Each tampered copy is refused with what is wrong with it, and the database keeps every byte.
TEST_F(RestoreTest, ACopyThatLostWhatKeepsItsRecordIsRefusedByName) {
  // What a refusal over the copy's triggers says after "The triggers of <copy>", given its count of them.
  const auto triggers = [](const std::string& count) {
    return ", which keep its change record and the lock of its filed months, are not as this version makes them: " +
           count +
           ". Changes made to it meanwhile may be missing from its record: nothing was restored. Restore "
           "another copy.";
  };
  const struct {
    const char* name;
    const char* sql;
    std::string refusal_after_path;  // the sentence after "<copy>" (or after "The triggers of <copy>")
  } rows[] = {
      {"dropped_trigger.db", "DROP TRIGGER trf_tbH_Residents_changed",
       triggers("1 missing or altered (trf_tbH_Residents_changed on tbH_Residents)")},
      {"altered_trigger.db",
       "DROP TRIGGER trf_tbH_Residents_filed_update; CREATE TRIGGER trf_tbH_Residents_filed_update BEFORE UPDATE ON "
       "tbH_Residents WHEN 0 BEGIN SELECT 1; END",
       triggers("1 missing or altered (trf_tbH_Residents_filed_update on tbH_Residents)")},
      {"foreign_trigger.db",
       "CREATE TRIGGER skip_record BEFORE INSERT ON tbS_ChangeRecord BEGIN SELECT RAISE(IGNORE); END",
       triggers("1 not made by this program (skip_record on tbS_ChangeRecord)")},
      {"lost_table.db", "DROP TABLE tbS_ChangeRecord",
       " carries the TRF's mark but lacks 1 of its tables (tbS_ChangeRecord): nothing was restored. Restore another "
       "copy."},
  };
  const std::string before = testing::FileBytes(Path("trf.db"));
  for (const auto& row : rows) {
    const std::string copy = Tampered(row.name, row.sql);
    const std::string refusal = SentenceOf(Raised([&] { RestoreTrfFile(copy, Path("trf.db")); }));
    const bool of_triggers = refusal.starts_with("The triggers of ");
    EXPECT_EQ(refusal, (of_triggers ? "The triggers of " : "") + copy + row.refusal_after_path) << row.name;
    EXPECT_EQ(testing::FileBytes(Path("trf.db")), before) << row.name << ": the database was changed";
  }
  // A file that carries the TRF's mark and nothing of the TRF.
  SqliteDatabase(Path("mark_only.db")).Exec("PRAGMA application_id = 1414678065; CREATE TABLE songs (title TEXT)");
  const std::string refusal = SentenceOf(Raised([&] { RestoreTrfFile(Path("mark_only.db"), Path("trf.db")); }));
  EXPECT_TRUE(refusal.starts_with(Path("mark_only.db") + " carries the TRF's mark but lacks ")) << refusal;
  EXPECT_TRUE(refusal.find("tbH_Homes") != std::string::npos) << refusal;
  // Copies that are no database, another program's, of a newer version, or not there at all.
  std::ofstream(Path("garbage.db")) << "not a database at all, though long enough to look like a header";
  SqliteDatabase(Path("other.db")).Exec("CREATE TABLE t (x); INSERT INTO t VALUES (1)");
  Tampered("newer.db", "UPDATE tbS_SchemaVersion SET S_Version = 99");
  for (const char* name : {"garbage.db", "other.db", "newer.db", "missing.db"}) {
    const std::string copy_refusal = SentenceOf(Raised([&] { RestoreTrfFile(Path(name), Path("trf.db")); }));
    EXPECT_TRUE(copy_refusal.starts_with(Path(name)) && copy_refusal.find("nothing") != std::string::npos)
        << copy_refusal;
  }
  EXPECT_EQ(testing::FileBytes(Path("trf.db")), before);
}

// A backup taken while a desk is in the middle of a save is one consistent copy, without the save;
// a restore puts it in place under a connection open on the database.
TEST_F(RestoreTest, ABackupTakenMidSaveIsConsistentAndRestoresInPlace) {
  auto desk = OpenTrfDatabase(Path("trf.db"));
  {
    Transaction unfinished(*desk);  // a save under way while the copy is taken
    desk->Exec("UPDATE tbH_Residents SET H_MonthlyFee = 2 WHERE H_ResidentsID = 4");
    BackUpTrfFile(Path("trf.db"), Path("copy.db"));
  }
  testing::RunCommitted(*desk, "UPDATE tbH_Residents SET H_MonthlyFee = 3 WHERE H_ResidentsID = 4");
  desk.reset();
  SqliteDatabase kept(Path("trf.db"));
  RestoreTrfFile(Path("copy.db"), Path("trf.db"));
  EXPECT_EQ(testing::Scalar(kept, "SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), "1")
      << "the copy holds an unfinished save, or the restore did nothing";
}

// A copy whose change record was rewritten behind its triggers, every trigger put back as it was, is
// refused by the walk over its chains, naming the first entry that no longer fits.
TEST_F(RestoreTest, ACopyWhoseRecordWasRewrittenIsRefusedByItsChain) {
  const std::string copy = Path("rewritten.db");
  // A change of this program's, sealed onto Maple House's chain.
  testing::RunCommitted(*OpenTrfDatabase(copy), "UPDATE tbH_Residents SET H_MonthlyFee = 2401 WHERE H_ResidentsID = 4");
  {
    SqliteDatabase other(copy);
    auto kept = other.Prepare("SELECT sql FROM sqlite_master WHERE name = 'trf_changes_kept_update'");
    ASSERT_TRUE(kept->Step());
    const std::string trigger = kept->Column(0).ToText();
    kept.reset();
    other.Exec("DROP TRIGGER trf_changes_kept_update; UPDATE tbS_ChangeRecord SET S_NewValue = '2500'; " + trigger);
  }
  const std::string before = testing::FileBytes(Path("trf.db"));
  const std::string refusal = SentenceOf(Raised([&] { RestoreTrfFile(copy, Path("trf.db")); }));
  EXPECT_TRUE(refusal.starts_with(copy + " does not hold its change record as it was written: The change record of "
                                         "H-101 does not fit at change 1 "))
      << refusal;
  EXPECT_TRUE(refusal.ends_with(" Nothing was restored. Restore another copy.")) << refusal;
  EXPECT_EQ(testing::FileBytes(Path("trf.db")), before);
}

// A copy of the first version, before the change record and its triggers, is taken as it was; the
// next opening for writing brings it up to date and gives it this version's triggers.
TEST_F(RestoreTest, ACopyOfAnEarlierVersionIsTakenAsThatVersionWas) {
  {
    SqliteDatabase earlier(Tampered("first_version.db", ""));
    std::string sql = "UPDATE tbS_SchemaVersion SET S_Version = 1; DROP TABLE tbS_Writer;";
    auto triggers = earlier.Prepare("SELECT name FROM sqlite_master WHERE type = 'trigger'");
    while (triggers->Step()) sql += " DROP TRIGGER " + triggers->Column(0).ToText() + ";";
    triggers.reset();
    for (const TableDescription& table : tables::All())
      if (table.since > 1) sql += " DROP TABLE " + std::string(table.name) + ";";
    earlier.Exec(sql);
  }
  RestoreTrfFile(Path("first_version.db"), Path("trf.db"));
  EXPECT_EQ(Fee(Path("trf.db")), "2400") << "the copy was not restored";
  EXPECT_TRUE(FindTriggerGaps(*OpenTrfDatabase(Path("trf.db"))).Empty());
}

// Another program's database, or a file that is no database, is never overwritten by a restore; a
// missing file is made from the copy.
TEST_F(RestoreTest, AFileThatIsNotOursIsNeverOverwritten) {
  SqliteDatabase(Path("songs.db")).Exec("CREATE TABLE songs (title TEXT); INSERT INTO songs VALUES ('Blue')");
  std::ofstream(Path("letter.txt")) << "Dear desk, this is a letter, long enough to look like a file of some kind.";
  const struct {
    const char* name;
    const char* refusal_after_path;
  } rows[] = {
      {"songs.db",
       " is a database of another program: it is left untouched, and nothing was restored. Restore into a TRF "
       "database, or into a new file."},
      {"letter.txt",
       " is not a database file: it is left untouched, and nothing was restored. Restore into a TRF database, or "
       "into a new file."},
  };
  for (const auto& row : rows) {
    const std::string before = testing::FileBytes(Path(row.name));
    EXPECT_EQ(SentenceOf(Raised([&] { RestoreTrfFile(Path("pristine.db"), Path(row.name)); })),
              Path(row.name) + row.refusal_after_path);
    EXPECT_EQ(testing::FileBytes(Path(row.name)), before) << row.name << " was changed";
  }
  RestoreTrfFile(Path("pristine.db"), Path("new.db"));
  EXPECT_EQ(Fee(Path("new.db")), "2400");
  RestoreTrfFile(Path("pristine.db"), Path("trf.db"));
  EXPECT_EQ(Fee(Path("trf.db")), "2400") << "a sound copy was not restored over a TRF file";
}

}  // namespace
}  // namespace trf
