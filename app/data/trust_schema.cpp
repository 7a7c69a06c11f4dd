// The trust of a TRF database on either engine, and what both engines' statements share.
#include "app/data/trust_schema.h"

#include "app/data/sha256.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_dialects.h"

namespace trf {

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string SqlText(std::string_view sentence) {
  std::string literal = "'";
  for (const char c : sentence) literal += c == '\'' ? std::string("''") : std::string(1, c);
  return literal + "'";
}

std::string Trigger(const std::string& table, const std::string& trigger, const std::string& rule) {
  return "DROP TRIGGER IF EXISTS " + trigger + " ON " + table + ";\nCREATE TRIGGER " + trigger + " " + rule + ";\n";
}

std::string Policy(const std::string& table, const std::string& policy, const std::string& rule) {
  return "DROP POLICY IF EXISTS " + policy + " ON " + table + ";\nCREATE POLICY " + policy + " ON " + table + " " +
         rule + ";\n";
}

std::string Refuse(const std::string& state, std::string_view sentence) {
  return "RAISE EXCEPTION USING ERRCODE = '" + std::string(kTrfRefusalClass) + state +
         "', MESSAGE = " + SqlText(sentence) + ";";
}

std::string_view LinkColumn(const TableDescription& table) {
  return table.home_data == HomeData::kByMonth ? tables::kHomeMonths.Key().name : tables::kHomes.Key().name;
}

std::string AcceptedQuestionsIndex(const std::string& table) {
  // Month first (a month's questions, and a home's own with the month nothing); the index of an
  // earlier version, home first, goes.
  const std::string schema = table.substr(0, table.rfind('.') + 1);  // an index is in its table's schema
  return "DROP INDEX IF EXISTS " + schema + "ixS_ChangeRecord_Accepted;\nCREATE INDEX IF NOT EXISTS " +
         kAcceptedQuestionsIndex + " ON " + table +
         " (S_HomeMonthlyStatsID, S_HomesID) WHERE S_RuleNumber IS NOT NULL;\n";
}

std::string KeepTriggerSql(const TableDescription& table, bool record, const std::string& schema) {
  return PostgresKeepTriggerSql(table, record, schema);
}

std::string WhoSql(Dialect dialect) {
  if (dialect == Dialect::kPostgres) return "session_user";
  return "COALESCE((SELECT S_Who FROM " + std::string(kWriterTable) + "), 'another program')";
}

std::string NowSql(Dialect dialect) {
  if (dialect == Dialect::kPostgres) return "to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS')";
  return "strftime('%Y-%m-%d %H:%M:%S', 'now')";
}

std::string TrustSql(std::span<const TableDescription> tables, Dialect dialect, const std::string& schema) {
  return dialect == Dialect::kPostgres ? PostgresTrustSql(tables, schema) : SqliteTrustSql(tables);
}

std::string CurrentSchemaName(Database& database) {
  auto query = database.Prepare("SELECT quote_ident(current_schema())");
  query->Step();
  return query->Column(0).ToText();
}

namespace {

// The schema the trust's statements name: the connection's current one on a server, none in a file.
std::string TrustSchema(Database& database, Dialect dialect) {
  return dialect == Dialect::kPostgres ? CurrentSchemaName(database) : "";
}

}  // namespace

void ApplyTrust(Database& database, std::span<const TableDescription> tables, Dialect dialect) {
  const std::string schema = TrustSchema(database, dialect);
  const std::string sql = TrustSql(tables, dialect, schema);
  const std::string view = (schema.empty() ? "" : schema + ".") + kTrustView;
  // Every role reads the mark, as every opening compares it; only the owner makes it.
  database.Exec(sql + "DROP VIEW IF EXISTS " + view + ";\nCREATE VIEW " + view + " AS SELECT " +
                Quoted(Sha256Hex(sql)) + " AS S_Digest;\n" +
                (schema.empty() ? "" : "GRANT SELECT ON " + view + " TO PUBLIC;\n"));
}

std::string TrustDigest(Database& database, std::span<const TableDescription> tables, Dialect dialect) {
  return Sha256Hex(TrustSql(tables, dialect, TrustSchema(database, dialect)));
}

}  // namespace trf
