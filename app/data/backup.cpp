// Online backup and checked restore of TRF files on SQLite's backup API.
#include "app/data/backup.h"

#include <sqlite3.h>

#include <filesystem>

#include "app/data/schema.h"
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

// Refuses `copy` unless it is a sound TRF database of a version this program knows.
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
  const int version = StoredSchemaVersion(copy, Dialect::kSqlite);
  if (version > SchemaVersion(tables::All())) {
    Refuse(path + " was made by a newer version of the TRF (schema " + std::to_string(version) +
           "): nothing was restored. Restore it with the newer version.");
  }
}

}  // namespace

void BackUpTrfFile(const std::string& database, const std::string& copy) {
  if (IsServerUri(database)) {
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
  if (IsServerUri(database)) {
    Refuse("A server database is restored with the server's tools (pg_restore): the README says how.");
  }
  if (!std::filesystem::exists(copy)) Refuse(copy + " does not exist: there is nothing to restore.");
  SqliteDatabase from(copy, Access::kReadOnly);
  CheckCopy(from, copy);
  SqliteDatabase to(database, Access::kReadWrite, kDefaultBusyTimeoutMs);
  // The copy replaces the file in one transaction of the destination: a failure leaves it as it was.
  Copy(from, to, "The database " + database + " could not be replaced: it is left as it was.");
}

}  // namespace trf
