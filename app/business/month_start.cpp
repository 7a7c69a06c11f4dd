// Starting a month: its status and its expense lines in one transaction.
#include "app/business/month_start.h"

#include <vector>

#include "app/business/month_report.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"

namespace trf {

namespace {

namespace column = tables::column;

// The categories of the month's TRF type that the month has no line for, in their order.
std::vector<kw::Variant> MissingCategories(Database& database, int64_t month) {
  const std::string category = column::kExpenseCategoriesID;
  const std::string month_key = column::kHomeMonthlyStatsID;
  auto query =
      database.Prepare("SELECT c." + category + " FROM " + std::string(tables::kExpenseCategories.name) + " c JOIN " +
                       std::string(tables::kHomeMonths.name) + " m ON m." + column::kTrfTypesCD + " = c." +
                       column::kTrfTypesCD + " WHERE m." + month_key + " = ? AND NOT EXISTS (SELECT 1 FROM " +
                       std::string(tables::kMonthlyExpenses.name) + " e WHERE e." + month_key + " = m." + month_key +
                       " AND e." + category + " = c." + category + ") ORDER BY c." + category);
  query->Bind(1, BoundKey(month));
  std::vector<kw::Variant> missing;
  while (query->Step()) missing.push_back(query->Column(0));
  return missing;
}

// Adds to month record `month` an empty expense line for each category of its TRF type it has none
// for; the caller holds the transaction.
void AddMissingExpenseLines(Database& database, int64_t month) {
  const std::vector<kw::Variant> missing = MissingCategories(database, month);
  if (missing.empty()) return;
  const TableDescription& lines = tables::kMonthlyExpenses;
  const std::string key_column(lines.Key().name);
  auto next_key = database.Prepare(database.NextKeySql(std::string(lines.name), key_column));
  auto insert =
      database.Prepare("INSERT INTO " + std::string(lines.name) + " (" + key_column + ", " +
                       column::kHomeMonthlyStatsID + ", " + column::kExpenseCategoriesID + ") VALUES (?, ?, ?)");
  for (const kw::Variant& category : missing) {
    next_key->Reset();
    next_key->Step();
    const kw::Variant key = next_key->Column(0);
    next_key->Reset();
    insert->Reset();
    insert->Bind(1, key).Bind(2, BoundKey(month)).Bind(3, category).Step();
  }
}

}  // namespace

void StartMonth(Database& database, int64_t month) {
  Transaction transaction(database);
  auto start = database.Prepare("UPDATE " + std::string(tables::kHomeMonths.name) + " SET " + column::kStatStatus +
                                " = ?, " + kVersionColumn + " = " + kVersionColumn + " + 1 WHERE " +
                                column::kHomeMonthlyStatsID + " = ? AND " + column::kStatStatus + " = ?");
  start->Bind(1, kw::Variant::Long(kMonthActive)).Bind(2, BoundKey(month)).Bind(3, kw::Variant::Long(kMonthNotStarted));
  start->Step();
  if (database.Changes() == 0) {
    RaiseDataError(kDatabaseError,
                   "This month's TRF is not waiting to be started (another desk may have started it): read the "
                   "months afresh. Nothing was changed.");
  }
  start.reset();
  AddMissingExpenseLines(database, month);
  transaction.Commit();
}

}  // namespace trf
