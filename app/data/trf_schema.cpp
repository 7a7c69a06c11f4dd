// The TRF schema and the opening of the database file.
#include "app/data/class_numbers.h"
#include "ui_shared/contracts/sibling_codes.h"
#include "app/data/trf_database.h"
#include "app/data/transaction.h"

namespace trf {

namespace {

// Tables are STRICT: a text can never land in a number column, whatever a caller binds.
constexpr const char* kSchema = R"sql(
CREATE TABLE tbHU_TrfTypes (
  HU_TrfTypesCD TEXT PRIMARY KEY,
  HU_TrfTypeNum INTEGER NOT NULL UNIQUE,
  HU_Description TEXT NOT NULL
) STRICT;
CREATE TABLE tbHU_TrfTypeScreens (
  HU_TrfTypeScreensID INTEGER PRIMARY KEY,
  HU_TrfTypesCD TEXT NOT NULL REFERENCES tbHU_TrfTypes(HU_TrfTypesCD),
  HU_FormKey TEXT NOT NULL,
  HU_ScreenOrder INTEGER NOT NULL
) STRICT;
CREATE TABLE tbH_Homes (
  H_HomesID INTEGER PRIMARY KEY,
  H_RegionCD TEXT,
  H_HomeNum TEXT NOT NULL,
  H_HomeName TEXT NOT NULL,
  H_Capacity INTEGER NOT NULL
) STRICT;
CREATE TABLE tbH_HomeMonthlyStats (
  H_HomeMonthlyStatsID INTEGER PRIMARY KEY,
  H_HomesID INTEGER NOT NULL REFERENCES tbH_Homes(H_HomesID),
  H_StatMonth REAL NOT NULL,
  HU_TrfTypesCD TEXT NOT NULL REFERENCES tbHU_TrfTypes(HU_TrfTypesCD),
  StatStatus INTEGER NOT NULL
) STRICT;
CREATE INDEX ixH_HomeMonthlyStats_Home ON tbH_HomeMonthlyStats(H_HomesID);
CREATE TABLE tbH_FamilyGroups (
  H_FamilyGroupsID INTEGER PRIMARY KEY,
  H_HomesID INTEGER NOT NULL REFERENCES tbH_Homes(H_HomesID),
  H_GroupName TEXT NOT NULL,
  H_MailingAddress TEXT,
  H_MMLOFee REAL,
  H_AMFee REAL
) STRICT;
CREATE INDEX ixH_FamilyGroups_Home ON tbH_FamilyGroups(H_HomesID);
CREATE TABLE tbH_Residents (
  H_ResidentsID INTEGER PRIMARY KEY,
  H_HomeMonthlyStatsID INTEGER NOT NULL REFERENCES tbH_HomeMonthlyStats(H_HomeMonthlyStatsID),
  H_ResidentName TEXT NOT NULL,
  H_BirthDate REAL,
  H_AdmissionDate REAL NOT NULL,
  H_MonthlyFee REAL,
  H_FamilyGroupsID INTEGER REFERENCES tbH_FamilyGroups(H_FamilyGroupsID)
) STRICT;
CREATE INDEX ixH_Residents_Month ON tbH_Residents(H_HomeMonthlyStatsID);
CREATE INDEX ixH_Residents_FamilyGroup ON tbH_Residents(H_FamilyGroupsID);
CREATE TABLE tbHU_ExpenseCategories (
  HU_ExpenseCategoriesID INTEGER PRIMARY KEY,
  HU_TrfTypesCD TEXT NOT NULL REFERENCES tbHU_TrfTypes(HU_TrfTypesCD),
  HU_CategoryName TEXT NOT NULL
) STRICT;
CREATE TABLE tbH_MonthlyExpenses (
  H_MonthlyExpensesID INTEGER PRIMARY KEY,
  H_HomeMonthlyStatsID INTEGER NOT NULL REFERENCES tbH_HomeMonthlyStats(H_HomeMonthlyStatsID),
  HU_ExpenseCategoriesID INTEGER REFERENCES tbHU_ExpenseCategories(HU_ExpenseCategoriesID),
  H_Amount REAL
) STRICT;
CREATE INDEX ixH_MonthlyExpenses_Month ON tbH_MonthlyExpenses(H_HomeMonthlyStatsID);
CREATE TABLE tbS_ClassDependsOn (
  S_ClassEnum INTEGER PRIMARY KEY,
  S_ClassName TEXT NOT NULL,
  S_DependsOn INTEGER NOT NULL
) STRICT;
)sql";

bool HasTrfSchema(Database& database) {
  auto query = database.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'tbS_ClassDependsOn'");
  return query->Step();
}

}  // namespace

void CreateTrfSchema(Database& database) {
  database.Exec(kSchema);
  auto parents = database.Prepare("INSERT INTO tbS_ClassDependsOn VALUES (?, ?, ?)");
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

std::shared_ptr<Database> OpenTrfDatabase(const std::string& path) {
  auto database = std::make_shared<Database>(path);
  if (path != ":memory:" && !path.empty()) database->Exec("PRAGMA journal_mode = WAL");
  if (!HasTrfSchema(*database)) {
    Transaction transaction(*database);
    CreateTrfSchema(*database);
    InsertSampleData(*database);
    transaction.Commit();
  }
  return database;
}

}  // namespace trf
