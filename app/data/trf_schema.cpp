// The TRF schema on SQLite and the opening of a TRF database: a file here, a server elsewhere.
#include "app/data/class_numbers.h"
#include "app/data/sqlite_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "ui_shared/contracts/sibling_codes.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "ui_shared/platform/error.h"

namespace trf {

namespace {

// Tables are STRICT: a text can never land in a number column, whatever a caller binds. Every
// table carries the version of each row, raised by every write, so that no save overwrites a change
// it did not read.
constexpr const char* kSchema = R"sql(
CREATE TABLE tbHU_TrfTypes (
  HU_TrfTypesCD TEXT PRIMARY KEY,
  HU_TrfTypeNum INTEGER NOT NULL UNIQUE,
  HU_Description TEXT NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE TABLE tbHU_TrfTypeScreens (
  HU_TrfTypeScreensID INTEGER PRIMARY KEY,
  HU_TrfTypesCD TEXT NOT NULL REFERENCES tbHU_TrfTypes(HU_TrfTypesCD),
  HU_FormKey TEXT NOT NULL,
  HU_ScreenOrder INTEGER NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE TABLE tbH_Homes (
  H_HomesID INTEGER PRIMARY KEY,
  H_RegionCD TEXT,
  H_HomeNum TEXT NOT NULL,
  H_HomeName TEXT NOT NULL,
  H_Capacity INTEGER NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE TABLE tbH_HomeMonthlyStats (
  H_HomeMonthlyStatsID INTEGER PRIMARY KEY,
  H_HomesID INTEGER NOT NULL REFERENCES tbH_Homes(H_HomesID),
  H_StatMonth REAL NOT NULL,
  HU_TrfTypesCD TEXT NOT NULL REFERENCES tbHU_TrfTypes(HU_TrfTypesCD),
  StatStatus INTEGER NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE INDEX ixH_HomeMonthlyStats_Home ON tbH_HomeMonthlyStats(H_HomesID);
CREATE TABLE tbH_FamilyGroups (
  H_FamilyGroupsID INTEGER PRIMARY KEY,
  H_HomesID INTEGER NOT NULL REFERENCES tbH_Homes(H_HomesID),
  H_GroupName TEXT NOT NULL,
  H_MailingAddress TEXT,
  H_MMLOFee REAL,
  H_AMFee REAL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE INDEX ixH_FamilyGroups_Home ON tbH_FamilyGroups(H_HomesID);
CREATE TABLE tbH_Residents (
  H_ResidentsID INTEGER PRIMARY KEY,
  H_HomeMonthlyStatsID INTEGER NOT NULL REFERENCES tbH_HomeMonthlyStats(H_HomeMonthlyStatsID),
  H_ResidentName TEXT NOT NULL,
  H_BirthDate REAL,
  H_AdmissionDate REAL NOT NULL,
  H_MonthlyFee REAL,
  H_FamilyGroupsID INTEGER REFERENCES tbH_FamilyGroups(H_FamilyGroupsID),
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE INDEX ixH_Residents_Month ON tbH_Residents(H_HomeMonthlyStatsID);
CREATE INDEX ixH_Residents_FamilyGroup ON tbH_Residents(H_FamilyGroupsID);
CREATE TABLE tbHU_ExpenseCategories (
  HU_ExpenseCategoriesID INTEGER PRIMARY KEY,
  HU_TrfTypesCD TEXT NOT NULL REFERENCES tbHU_TrfTypes(HU_TrfTypesCD),
  HU_CategoryName TEXT NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE TABLE tbH_MonthlyExpenses (
  H_MonthlyExpensesID INTEGER PRIMARY KEY,
  H_HomeMonthlyStatsID INTEGER NOT NULL REFERENCES tbH_HomeMonthlyStats(H_HomeMonthlyStatsID),
  HU_ExpenseCategoriesID INTEGER REFERENCES tbHU_ExpenseCategories(HU_ExpenseCategoriesID),
  H_Amount REAL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE INDEX ixH_MonthlyExpenses_Month ON tbH_MonthlyExpenses(H_HomeMonthlyStatsID);
CREATE TABLE tbH_MonthlyNotes (
  H_HomeMonthlyStatsID INTEGER PRIMARY KEY REFERENCES tbH_HomeMonthlyStats(H_HomeMonthlyStatsID),
  H_NotesRTF TEXT NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
CREATE TABLE tbS_ClassDependsOn (
  S_ClassEnum INTEGER PRIMARY KEY,
  S_ClassName TEXT NOT NULL,
  S_DependsOn INTEGER NOT NULL,
  RowVersion INTEGER NOT NULL DEFAULT 1
) STRICT;
)sql";

// The tables of the schema, in the order they were created.
constexpr const char* kTables[] = {
    "tbHU_TrfTypes", "tbHU_TrfTypeScreens",    "tbH_Homes",           "tbH_HomeMonthlyStats", "tbH_FamilyGroups",
    "tbH_Residents", "tbHU_ExpenseCategories", "tbH_MonthlyExpenses", "tbH_MonthlyNotes",     "tbS_ClassDependsOn"};

// The notes table of databases made before it was part of the schema.
constexpr const char* kNotesTableBefore = R"sql(
CREATE TABLE IF NOT EXISTS tbH_MonthlyNotes (
  H_HomeMonthlyStatsID INTEGER PRIMARY KEY REFERENCES tbH_HomeMonthlyStats(H_HomeMonthlyStatsID),
  H_NotesRTF TEXT NOT NULL
) STRICT;
)sql";

bool HasTable(Database& database, const std::string& table) {
  auto query = database.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
  query->Bind(1, kw::Variant::Text(table));
  return query->Step();
}

bool HasColumn(Database& database, const std::string& table, const std::string& column) {
  auto query = database.Prepare("SELECT 1 FROM pragma_table_info(?) WHERE name = ?");
  query->Bind(1, kw::Variant::Text(table)).Bind(2, kw::Variant::Text(column));
  return query->Step();
}

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

// Refuses with `sentence` in place of the one `error` ends with, keeping the engine's words before it.
[[noreturn]] void RefuseInstead(const kw::Error& error, const std::string& sentence) {
  const std::string& description = error.Description();
  const size_t line_break = description.rfind("\r\n");
  RaiseDataError(kDatabaseError, sentence, line_break == std::string::npos ? "" : description.substr(0, line_break));
}

// Brings a database of the earlier program up to date: the notes table and a version on every row.
void AddVersions(Database& database) {
  database.Exec(kNotesTableBefore);
  for (const char* table : kTables) {
    if (!HasColumn(database, table, kVersionColumn)) {
      database.Exec(std::string("ALTER TABLE ") + table + " ADD COLUMN " + kVersionColumn +
                    " INTEGER NOT NULL DEFAULT 1");
    }
  }
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

Access AccessFor(const std::string& path, Access wanted) {
  if (wanted == Access::kReadOnly || path == ":memory:" || !std::filesystem::exists(path)) return wanted;
  return access(path.c_str(), W_OK) != 0 || !MayWriteBeside(path) ? Access::kReadOnly : wanted;
}

void CreateTrfSchema(Database& database) {
  database.Exec(kSchema);
  InsertClassDependsOn(database);
}

void InsertClassDependsOn(Database& database) {
  auto parents = database.Prepare("INSERT INTO tbS_ClassDependsOn VALUES (?, ?, ?, 1)");
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
  if (IsServerUri(path)) return OpenServerTrfDatabase(path, wanted, seed);
  const Access mode = AccessFor(path, wanted);
  CheckFile(path, mode);
  auto database = std::make_shared<SqliteDatabase>(path, mode, busy_timeout_ms);
  int64_t tables = 0;
  try {
    tables = TableCount(*database);
  } catch (const kw::Error& error) {
    if (sqlite3_errcode(database->Handle()) == SQLITE_NOTADB) {
      RefuseInstead(error, path + " is not a database file; it is left untouched. Name another file.");
    }
    RefuseInstead(error, path + " cannot be read. " + SentenceOf(error));
  }
  const bool ours = ApplicationId(*database) == kTrfApplicationId;
  const bool earlier_trf = !ours && tables > 0 && HasTable(*database, "tbS_ClassDependsOn");
  if (!ours && tables > 0 && !earlier_trf) {
    Refuse(path + " is a database of another program; it is left untouched. Name another file.");
  }
  if (mode == Access::kReadOnly) {
    if (tables == 0) Refuse(path + " holds no TRF data yet: it is created the first time it is opened for writing.");
    if (!ours) {
      Refuse(path +
             " was made by an earlier version: it is brought up to date the first time it is opened for "
             "writing.");
    }
    return database;
  }
  if (path != ":memory:") {
    // Every commit reaches the disk before it is reported: a power loss after "record saved" keeps it.
    database->Exec("PRAGMA journal_mode = WAL");
    database->Exec("PRAGMA synchronous = FULL");
  }
  if (!ours) {
    Transaction transaction(*database);
    if (earlier_trf) {
      AddVersions(*database);
    } else {
      CreateTrfSchema(*database);
      if (seed == Seed::kSample) InsertSampleData(*database);
    }
    database->Exec("PRAGMA application_id = " + std::to_string(kTrfApplicationId));
    transaction.Commit();
  }
  return database;
}

}  // namespace trf
