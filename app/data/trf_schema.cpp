// The TRF schema on SQLite and the opening of a TRF database: a file here, a server elsewhere.
#include "app/data/change_chain.h"
#include "app/data/class_numbers.h"
#include "app/data/connection_text.h"
#include "app/data/schema.h"
#include "app/data/schema_check.h"
#include "app/data/sqlite_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"
#include "ui_shared/contracts/sibling_codes.h"

#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "ui_shared/platform/error.h"

namespace trf {

namespace {

// Indexes of schemas made before the indexes were named after their columns; an upgrade drops them.
constexpr const char* kRetiredIndexes[] = {"ixH_HomeMonthlyStats_Home", "ixH_FamilyGroups_Home", "ixH_Residents_Month",
                                           "ixH_Residents_FamilyGroup", "ixH_MonthlyExpenses_Month"};

int64_t ApplicationId(Database& database) {
  auto query = database.Prepare("PRAGMA application_id");
  return query->Step() ? static_cast<int64_t>(query->Column(0).ToDouble()) : 0;
}

int64_t TableCount(Database& database) {
  auto query = database.Prepare("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'");
  query->Step();
  return static_cast<int64_t>(query->Column(0).ToDouble());
}

[[noreturn]] void Refuse(const std::string& sentence) { RaiseDataError(kDatabaseError, sentence); }

}  // namespace

void RefuseNewer(const std::string& location, int stored_version, std::span<const TableDescription> tables) {
  const int known = SchemaVersion(tables);
  if (stored_version <= known) return;
  Refuse(location + " holds TRF data of a newer version (schema " + std::to_string(stored_version) +
         "; this version knows up to " + std::to_string(known) +
         "). It is left untouched: open it with the newer version.");
}

namespace {

// Brings the stored tables up to the described ones (the earlier program's files included: they lack
// the row versions, the notes and the schema version).
void UpgradeTrfSchema(Database& database) {
  UpgradeSchema(database, tables::All(), Dialect::kSqlite);
  for (const char* index : kRetiredIndexes) database.Exec(std::string("DROP INDEX IF EXISTS ") + index);
}

// What the file at `path` is, and refusals for what cannot be worked on; nothing is written here.
void CheckFile(const std::string& path, Access access) {
  if (path.empty()) Refuse("No database file was named: name a file, for example trf.db.");
  if (path == ":memory:") return;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::is_directory(status)) {
    Refuse(path + " is a folder, not a database file: name a file, for example " +
           (std::filesystem::path(path) / "trf.db").string() + ".");
  }
  if (std::filesystem::exists(status)) return;
  if (access == Access::kReadOnly) {
    Refuse(path + " does not exist, and a database open read-only is never created: name one that is there.");
  }
  if (!MayWriteBeside(path)) {
    Refuse(path +
           " does not exist and cannot be created: its folder may not be written. Name a file in a folder "
           "that may be written.");
  }
}

}  // namespace

std::string LoginName() {
  const passwd* entry = getpwuid(geteuid());
  return entry && entry->pw_name ? entry->pw_name : "user " + std::to_string(geteuid());
}

Access AccessFor(const std::string& path, Access wanted) {
  if (wanted == Access::kReadOnly || path == ":memory:" || !std::filesystem::exists(path)) return wanted;
  return access(path.c_str(), W_OK) != 0 || !MayWriteBeside(path) ? Access::kReadOnly : wanted;
}

void CreateTrfSchema(Database& database) {
  CreateSchema(database, tables::All(), Dialect::kSqlite);
  InsertClassDependsOn(database);
}

void InsertClassDependsOn(Database& database) {
  auto parents =
      database.Prepare("INSERT INTO tbS_ClassDependsOn (S_ClassEnum, S_ClassName, S_DependsOn) VALUES (?, ?, ?)");
  const struct {
    int16_t number;
    const char* name;
    int32_t depends_on;
  } rows[] = {
      {classes::kHomes, "LIHomes", kw::kParentNone},
      {classes::kHomeMonths, "LIHomeMonths", kw::kParentIsHome},
      {classes::kResidents, "LIResidents", kw::kParentIsMonthRecord},
      {classes::kFamilyGroups, "LIFamilyGroups", kw::kParentIsHome},
      {classes::kExpenseCategories, "LIExpenseCategories", kw::kParentNone},
      {classes::kMonthlyExpenses, "LIMonthlyExpenses", kw::kParentIsMonthRecord},
  };
  for (const auto& row : rows) {
    parents->Reset();
    parents->Bind(1, kw::Variant::Long(row.number)).Bind(2, kw::Variant::Text(row.name));
    parents->Bind(3, kw::Variant::Long(row.depends_on)).Step();
  }
}

std::shared_ptr<Database> OpenTrfDatabase(const std::string& path, Access wanted, int busy_timeout_ms, Seed seed) {
  if (IsServerLocation(path)) return OpenServerTrfDatabase(path, wanted, seed, busy_timeout_ms);
  const Access mode = AccessFor(path, wanted);
  CheckFile(path, mode);
  auto database = std::make_shared<SqliteDatabase>(path, mode, busy_timeout_ms);
  int64_t tables = 0;
  try {
    tables = TableCount(*database);
  } catch (const kw::Error& error) {
    if (sqlite3_errcode(database->Handle()) == SQLITE_NOTADB) {
      RaiseInstead(error, path + " is not a database file; it is left untouched. Name another file.");
    }
    RaiseInstead(error, path + " cannot be read. " + SentenceOf(error));
  }
  const bool ours = ApplicationId(*database) == kTrfApplicationId;
  const bool earlier_trf =
      !ours && tables > 0 && HasStoredTable(*database, Dialect::kSqlite, tables::kClassDependsOn.name);
  if (!ours && tables > 0 && !earlier_trf) {
    Refuse(path + " is a database of another program; it is left untouched. Name another file.");
  }
  // Files of ours made before the schema version was recorded have the first version's tables.
  const int stored = ours ? std::max(StoredSchemaVersion(*database, Dialect::kSqlite), 1) : 0;
  RefuseNewer(path, stored, trf::tables::All());
  const bool current = ours && stored == SchemaVersion(tables::All());
  if (mode == Access::kReadOnly) {
    if (tables == 0) Refuse(path + " holds no TRF data yet: it is created the first time it is opened for writing.");
    if (!current) {
      Refuse(path +
             " was made by an earlier version: it is brought up to date the first time it is opened for "
             "writing.");
    }
    if (const TriggerGaps gaps = FindTriggerGaps(*database); !gaps.Empty()) database->Notice(NotPutBackNotice(gaps));
    return database;
  }
  if (path != ":memory:") {
    // Every commit reaches the disk before it is reported: a power loss after "record saved" keeps it.
    database->Exec("PRAGMA journal_mode = WAL");
    database->Exec("PRAGMA synchronous = FULL");
  }
  if (!current) {
    Transaction transaction(*database);
    if (tables > 0) {
      UpgradeTrfSchema(*database);
    } else {
      CreateTrfSchema(*database);
      if (seed == Seed::kSample) InsertSampleData(*database);
    }
    // The sample data is the start of the record: changes are recorded from here on.
    ApplyTrust(*database, tables::All(), Dialect::kSqlite);
    database->Exec("PRAGMA application_id = " + std::to_string(kTrfApplicationId));
    // Changes recorded before entries were chained go on their homes' chains now.
    SealChanges(*database);
    transaction.Commit();
  } else if (const TriggerGaps gaps = FindTriggerGaps(*database); !gaps.Empty()) {
    Transaction transaction(*database);
    PutBackTriggers(*database, gaps);
    transaction.Commit();
    database->Notice(PutBackNotice(gaps));
  } else if (!TrustIsCurrent(*database)) {
    Transaction transaction(*database);
    ApplyTrust(*database, tables::All(), Dialect::kSqlite);
    transaction.Commit();
  }
  database->NameWriter(kWriterTable, LoginName());
  database->BeforeCommit(SealChanges);
  return database;
}

}  // namespace trf
