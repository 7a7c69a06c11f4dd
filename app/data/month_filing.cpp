// Filings of months in tbH_MonthFilings. On a server the engine stamps who, when and the digests; on a
// file this program writes them, and the file's triggers keep the filing as it was written.
#include "app/data/month_filing.h"

#include "app/data/change_chain.h"
#include "app/data/schema.h"
#include "app/data/sha256.h"
#include "app/data/stored_values.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// The head of the chain of the home of month record `month_id`, once every change so far is sealed.
std::string ChainHeadOfMonth(Database& database, int64_t month_id) {
  SealChanges(database);
  auto query = database.Prepare(
      "SELECT h.S_Digest FROM tbH_HomeMonthlyStats m JOIN tbS_ChainHeads h ON h.S_HomesID = m.H_HomesID "
      "WHERE m.H_HomeMonthlyStatsID = ?");
  query->Bind(1, BoundKey(month_id));
  return query->Step() ? query->Column(0).ToText() : kChainGenesis;
}

}  // namespace

std::optional<Filing> FilingOf(Database& database, int64_t month_id) {
  auto query = database.Prepare(
      "SELECT H_FiledBy, H_FiledAt, H_Report, H_ReportDigest, H_ChainDigest FROM tbH_MonthFilings "
      "WHERE H_HomeMonthlyStatsID = ? AND H_ReopenedAt IS NULL");
  query->Bind(1, BoundKey(month_id));
  if (!query->Step()) return std::nullopt;
  return Filing{query->Column(0).ToText(), query->Column(1).ToText(), TextOf(query->Column(2)),
                TextOf(query->Column(3)), TextOf(query->Column(4))};
}

std::vector<FilingEvent> FilingsOfMonth(Database& database, int64_t month_id) {
  auto query = database.Prepare(
      "SELECT H_FiledBy, H_FiledAt, H_ReopenedBy, H_ReopenedAt, H_ReopenReason FROM tbH_MonthFilings "
      "WHERE H_HomeMonthlyStatsID = ? ORDER BY H_FiledAt, H_MonthFilingsID");
  query->Bind(1, BoundKey(month_id));
  std::vector<FilingEvent> filings;
  while (query->Step()) {
    filings.push_back({TextOf(query->Column(0)), TextOf(query->Column(1)), TextOf(query->Column(2)),
                       TextOf(query->Column(3)), TextOf(query->Column(4))});
  }
  return filings;
}

void FileMonth(Database& database, int64_t month_id, const std::string& report) {
  if (DialectOf(database) == Dialect::kPostgres) {
    auto insert = database.Prepare("INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID, H_Report) VALUES (?, ?)");
    insert->Bind(1, BoundKey(month_id)).Bind(2, TextOrNull(report)).Step();
    return;
  }
  const std::string chain = ChainHeadOfMonth(database, month_id);
  auto insert = database.Prepare(
      "INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID, H_FiledBy, H_FiledAt, H_Report, H_ReportDigest, "
      "H_ChainDigest) VALUES (?, " +
      WhoSql(Dialect::kSqlite) + ", " + NowSql(Dialect::kSqlite) + ", ?, ?, ?)");
  insert->Bind(1, BoundKey(month_id))
      .Bind(2, TextOrNull(report))
      .Bind(3, report.empty() ? kw::Variant::Null() : kw::Variant::Text(Sha256Hex(report)))
      .Bind(4, kw::Variant::Text(chain))
      .Step();
}

void SetMonthStatus(Database& database, int64_t month_id, int32_t status) {
  auto update = database.Prepare(
      "UPDATE tbH_HomeMonthlyStats SET StatStatus = ?, RowVersion = RowVersion + 1 WHERE H_HomeMonthlyStatsID = ?");
  update->Bind(1, kw::Variant::Long(status)).Bind(2, BoundKey(month_id)).Step();
}

void ReopenMonth(Database& database, int64_t month_id, const std::string& reason) {
  if (kw::text::Trim(reason).empty()) {
    RaiseDataError(kDatabaseError, "A filed month is reopened for a reason: say why, and it is kept on record.");
  }
  // A server stamps who and when itself; a file's filing takes them from this program.
  const Dialect dialect = DialectOf(database);
  const std::string stamps = dialect == Dialect::kPostgres
                                 ? ""
                                 : "H_ReopenedBy = " + WhoSql(dialect) + ", H_ReopenedAt = " + NowSql(dialect) +
                                       ", RowVersion = RowVersion + 1, ";
  auto update = database.Prepare("UPDATE tbH_MonthFilings SET " + stamps +
                                 "H_ReopenReason = ? WHERE H_HomeMonthlyStatsID = ? AND H_ReopenedAt IS NULL");
  update->Bind(1, kw::Variant::Text(reason)).Bind(2, BoundKey(month_id)).Step();
  if (database.Changes() == 0) RaiseDataError(kDatabaseError, "This month is not filed: there is nothing to reopen.");
}

}  // namespace trf
