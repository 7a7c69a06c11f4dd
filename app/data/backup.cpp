// Online backup and checked restore of TRF files on SQLite's backup API.
#include "app/data/backup.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

#include "app/data/connection_text.h"
#include "app/data/record_chain_check.h"
#include "app/data/schema.h"
#include "app/data/schema_check.h"
#include "app/data/sqlite_database.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"

namespace trf {

namespace {

[[noreturn]] void Refuse(const std::string& sentence, const std::string& engine_words = "") {
  RaiseDataError(kDatabaseError, sentence, engine_words);
}

// Copies the whole of `from` into `to` in one step: one consistent snapshot of `from`.
void Copy(SqliteDatabase& from, SqliteDatabase& to, const std::string& failure) {
  sqlite3_backup* backup = sqlite3_backup_init(to.Handle(), "main", from.Handle(), "main");
  if (!backup) Refuse(failure, std::string("SQLite said (backup): ") + sqlite3_errmsg(to.Handle()));
  const int stepped = sqlite3_backup_step(backup, -1);
  const int finished = sqlite3_backup_finish(backup);
  if (stepped != SQLITE_DONE || finished != SQLITE_OK)
    Refuse(failure,
           std::string("SQLite said (backup): ") + sqlite3_errstr(stepped != SQLITE_DONE ? stepped : finished));
}

int64_t Number(SqliteDatabase& database, const std::string& pragma) {
  auto query = database.Prepare(pragma);
  return query->Step() ? static_cast<int64_t>(query->Column(0).ToDouble()) : 0;
}

// Refuses `copy` unless it is a sound TRF database of a version this program knows, with every table
// of its version, every trigger (of this program's version) as this program makes it, and its change
// record's chains whole.
void CheckCopy(SqliteDatabase& copy, const std::string& path) {
  bool sound = false;
  try {
    auto integrity = copy.Prepare("PRAGMA integrity_check");
    sound = integrity->Step() && integrity->Column(0).ToText() == "ok";
  } catch (const kw::Error& error) {
    Refuse(path + " cannot be read as a database: nothing was restored. Restore another copy.", error.Description());
  }
  if (!sound) Refuse(path + " is damaged (its integrity check failed): nothing was restored. Restore another copy.");
  if (Number(copy, "PRAGMA application_id") != kTrfApplicationId) {
    Refuse(path +
           " is not a TRF database: nothing was restored. Restore a copy of a TRF database, made by its backup.");
  }
  // Copies of ours made before the schema version was recorded have the first version's tables.
  const int version = std::max(StoredSchemaVersion(copy, Dialect::kSqlite), 1);
  if (version > SchemaVersion(tables::All())) {
    Refuse(path + " was made by a newer version of the TRF (schema " + std::to_string(version) +
           "): nothing was restored. Restore it with the newer version.");
  }
  const std::vector<std::string> missing = MissingTables(copy, version);
  if (!missing.empty()) {
    Refuse(path + " carries the TRF's mark but lacks " + std::to_string(missing.size()) + " of its tables (" +
           Listed(missing) + "): nothing was restored. Restore another copy.");
  }
  // A copy of an earlier version gets this version's triggers when it is first opened for writing.
  if (version == SchemaVersion(tables::All())) {
    if (const TriggerGaps gaps = FindTriggerGaps(copy); !gaps.Empty()) {
      Refuse("The triggers of " + path +
             ", which keep its change record and the lock of its filed months, are not as this version makes them: " +
             gaps.Described() +
             ". Changes made to it meanwhile may be missing from its record: nothing was restored. Restore another "
             "copy.");
    }
  }
  CheckChangeRecordChains(copy, path);
}

// Refuses, leaving it untouched, a file at `path` that is neither a TRF database nor empty: another
// program's database, or no database at all. A missing or empty file may be restored into.
void CheckDestination(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) || std::filesystem::file_size(path, error) == 0) return;
  SqliteDatabase existing(path, Access::kReadOnly);
  bool ours = false;
  try {
    // A file of the earlier program carries no mark, but the TRF's tables.
    ours = Number(existing, "PRAGMA application_id") == kTrfApplicationId ||
           HasStoredTable(existing, Dialect::kSqlite, tables::kClassDependsOn.name);
  } catch (const kw::Error& unreadable) {
    Refuse(path +
               " is not a database file: it is left untouched, and nothing was restored. Restore into a TRF "
               "database, or into a new file.",
           unreadable.Description());
  }
  if (!ours) {
    Refuse(path +
           " is a database of another program: it is left untouched, and nothing was restored. Restore into "
           "a TRF database, or into a new file.");
  }
}

}  // namespace

void BackUpTrfFile(const std::string& database, const std::string& copy) {
  if (IsServerLocation(database)) {
    Refuse("A server database is backed up with the server's tools (pg_dump): the README says how.");
  }
  if (!std::filesystem::exists(database)) Refuse(database + " does not exist: there is nothing to back up.");
  SqliteDatabase from(database, Access::kReadOnly);
  if (Number(from, "PRAGMA application_id") != kTrfApplicationId) {
    Refuse(database + " is not a TRF database: nothing was backed up.");
  }
  const std::string failure = "The copy " + copy + " could not be written: make room or name another file.";
  std::error_code ignored;
  std::filesystem::remove(copy, ignored);
  try {
    SqliteDatabase to(copy);
    Copy(from, to, failure);
  } catch (...) {
    std::filesystem::remove(copy, ignored);
    throw;
  }
}

void RestoreTrfFile(const std::string& copy, const std::string& database) {
  if (IsServerLocation(database)) {
    Refuse("A server database is restored with the server's tools (pg_restore): the README says how.");
  }
  if (!std::filesystem::exists(copy)) Refuse(copy + " does not exist: there is nothing to restore.");
  SqliteDatabase from(copy, Access::kReadOnly);
  CheckCopy(from, copy);
  CheckDestination(database);
  SqliteDatabase to(database, Access::kReadWrite, kDefaultBusyTimeoutMs);
  // The copy replaces the file in one transaction of the destination: a failure leaves it as it was.
  Copy(from, to, "The database " + database + " could not be replaced: it is left as it was.");
}

}  // namespace trf
