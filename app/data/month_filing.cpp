// Filings of months in tbH_MonthFilings.
#include "app/data/month_filing.h"

#include "app/data/schema.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/text.h"

namespace trf {

std::optional<Filing> FilingOf(Database& database, int64_t month_id) {
  auto query = database.Prepare(
      "SELECT H_FiledBy, H_FiledAt FROM tbH_MonthFilings WHERE H_HomeMonthlyStatsID = ? AND H_ReopenedAt IS NULL");
  query->Bind(1, kw::Variant::Double(static_cast<double>(month_id)));
  if (!query->Step()) return std::nullopt;
  return Filing{query->Column(0).ToText(), query->Column(1).ToText()};
}

void FileMonth(Database& database, int64_t month_id) {
  const Dialect dialect = DialectOf(database);
  auto insert =
      database.Prepare("INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID, H_FiledBy, H_FiledAt) VALUES (?, " +
                       WhoSql(dialect) + ", " + NowSql(dialect) + ")");
  insert->Bind(1, kw::Variant::Double(static_cast<double>(month_id))).Step();
}

void SetMonthStatus(Database& database, int64_t month_id, int32_t status) {
  auto update = database.Prepare(
      "UPDATE tbH_HomeMonthlyStats SET StatStatus = ?, RowVersion = RowVersion + 1 WHERE H_HomeMonthlyStatsID = ?");
  update->Bind(1, kw::Variant::Long(status)).Bind(2, kw::Variant::Double(static_cast<double>(month_id))).Step();
}

void ReopenMonth(Database& database, int64_t month_id, const std::string& reason) {
  if (kw::text::Trim(reason).empty()) {
    RaiseDataError(kDatabaseError, "A filed month is reopened for a reason: say why, and it is kept on record.");
  }
  const Dialect dialect = DialectOf(database);
  auto update = database.Prepare("UPDATE tbH_MonthFilings SET H_ReopenedBy = " + WhoSql(dialect) +
                                 ", H_ReopenedAt = " + NowSql(dialect) +
                                 ", H_ReopenReason = ?, RowVersion = RowVersion + 1 "
                                 "WHERE H_HomeMonthlyStatsID = ? AND H_ReopenedAt IS NULL");
  update->Bind(1, kw::Variant::Text(reason)).Bind(2, kw::Variant::Double(static_cast<double>(month_id))).Step();
}

}  // namespace trf
