// The trust of a TRF file, generated from the table descriptions: triggers that record every change of
// a home's data (sealed onto the home's chain when this program commits, see change_chain.h), lock a
// filed month, keep filings as they were filed, and keep the change record as it was written.
#include "app/data/change_chain.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_dialects.h"
#include "app/data/trust_schema.h"

namespace trf {

namespace {

const std::string kChangeColumns =
    "S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_HomeMonthlyStatsID, S_Field, S_OldValue, S_NewValue";

std::string SqliteTrigger(const std::string& trigger, const std::string& rule, const std::string& body) {
  return "DROP TRIGGER IF EXISTS " + trigger + ";\nCREATE TRIGGER " + trigger + " " + rule + " BEGIN\n" + body +
         "END;\n";
}

// A statement of a trigger body that refuses the change with `sentence` when `condition` holds.
std::string RefuseWhen(const std::string& condition, std::string_view sentence) {
  return "  SELECT RAISE(ABORT, " + SqlText(std::string(kRefusalMark) + std::string(sentence)) + ") WHERE " +
         condition + ";\n";
}

// The home and the month record of the row `row` ("NEW" or "OLD") of `table`, as the change record
// keeps them: a month's row names its month and that month's home; any other row its home alone.
std::string Links(const TableDescription& table, const std::string& row) {
  const std::string link = row + "." + std::string(LinkColumn(table));
  if (table.home_data != HomeData::kByMonth) return link + ", NULL";
  return "(SELECT H_HomesID FROM " + std::string(tables::kHomeMonths.name) + " WHERE " +
         std::string(tables::kHomeMonths.Key().name) + " = " + link + "), " + link;
}

// One row of the change record as the values of a SELECT, for `row` of `table`.
std::string SqliteChange(const TableDescription& table, const std::string& row, const std::string& field,
                         const std::string& old_value, const std::string& new_value) {
  return WhoSql(Dialect::kSqlite) + ", " + NowSql(Dialect::kSqlite) + ", " + Quoted(table.name) + ", " + row + "." +
         std::string(table.Key().name) + ", " + Links(table, row) + ", " + field + ", " + old_value + ", " + new_value;
}

// The whole row `row` ("NEW" or "OLD") of `table` on SQLite as JSON text: an object of its
// described columns. (A server writes its own row as JSON, every column by the server's name.)
std::string SqliteWholeRow(const TableDescription& table, const std::string& row) {
  std::string object;
  for (const ColumnDescription& column : table.columns) {
    object += object.empty() ? "json_object(" : ", ";
    object += Quoted(column.name) + ", " + row + "." + std::string(column.name);
  }
  return object + ")";
}

// A stored value as the change record keeps it: a real number without a trailing ".0", as a server
// writes it; anything else as it is.
std::string SqliteValue(const std::string& value) {
  return "CASE WHEN typeof(" + value + ") = 'real' THEN printf('%.15g', " + value + ") ELSE " + value + " END";
}

std::string SqliteChangeTriggers(const TableDescription& table) {
  const std::string name(table.name);
  const std::string insert = "  INSERT INTO " + std::string(tables::kChangeRecord.name) + " (" + kChangeColumns + ") ";
  std::string sql = SqliteTrigger(
      "trf_" + name + "_added", "AFTER INSERT ON " + name,
      insert + "SELECT " + SqliteChange(table, "NEW", "NULL", "NULL", SqliteWholeRow(table, "NEW")) + ";\n");
  sql += SqliteTrigger(
      "trf_" + name + "_removed", "AFTER DELETE ON " + name,
      insert + "SELECT " + SqliteChange(table, "OLD", "NULL", SqliteWholeRow(table, "OLD"), "NULL") + ";\n");
  std::string changed;
  for (const ColumnDescription& column : table.columns) {
    const std::string c(column.name);
    changed += insert;
    changed += "SELECT ";
    changed += SqliteChange(table, "NEW", Quoted(c), SqliteValue("OLD." + c), SqliteValue("NEW." + c));
    changed += " WHERE OLD." + c;
    changed += " IS NOT NEW." + c;
    changed += ";\n";
  }
  return sql + SqliteTrigger("trf_" + name + "_changed", "AFTER UPDATE ON " + name, changed);
}

std::string SqliteLockTriggers(const TableDescription& table) {
  const std::string name(table.name);
  const std::string month(tables::kHomeMonths.Key().name);
  const auto filed = [&](const std::string& row) {
    return "EXISTS (SELECT 1 FROM " + std::string(tables::kMonthFilings.name) + " WHERE " + month + " = " + row + "." +
           month + " AND H_ReopenedAt IS NULL)";
  };
  const std::string refuse =
      RefuseWhen("1", "This month was filed, and stays as it was filed: reopen it, with a reason, to change it.");
  return SqliteTrigger("trf_" + name + "_filed_insert", "BEFORE INSERT ON " + name + " WHEN " + filed("NEW"), refuse) +
         SqliteTrigger("trf_" + name + "_filed_update",
                       "BEFORE UPDATE ON " + name + " WHEN " + filed("OLD") + " OR " + filed("NEW"), refuse) +
         SqliteTrigger("trf_" + name + "_filed_delete", "BEFORE DELETE ON " + name + " WHEN " + filed("OLD"), refuse);
}

// The change record is only ever added to; this program seals an entry once (its digest, and the home
// of an entry written before entries named it), which changes nothing else of it.
std::string SqliteChangeRecordKept() {
  const std::string name(tables::kChangeRecord.name);
  std::string unchanged;
  for (const ColumnDescription& column : tables::kChangeRecord.columns) {
    const std::string c(column.name);
    if (c == tables::column::kChainDigest || c == "S_HomesID") continue;
    unchanged += " AND NEW." + c + " IS OLD." + c;
  }
  const std::string sealing =
      "OLD.S_Digest IS NULL AND NEW.S_Digest IS NOT NULL AND (OLD.S_HomesID IS NULL OR "
      "NEW.S_HomesID IS OLD.S_HomesID)" +
      unchanged;
  const std::string kept = "The change record is kept as it was written: nothing in it can be changed or removed.";
  return SqliteTrigger("trf_changes_kept_update", "BEFORE UPDATE ON " + name + " WHEN NOT (" + sealing + ")",
                       RefuseWhen("1", kept)) +
         SqliteTrigger("trf_changes_kept_delete", "BEFORE DELETE ON " + name, RefuseWhen("1", kept)) +
         "CREATE INDEX IF NOT EXISTS ixS_ChangeRecord_Unsealed ON " + name + " (S_ChangeID) WHERE S_Digest IS NULL;\n" +
         AcceptedQuestionsIndex(name);
}

// A filing stays on record as it was filed: never removed, one in force per month, and changed only
// by its reopening, once, with a reason.
std::string SqliteFilingRule() {
  const std::string name(tables::kMonthFilings.name);
  std::string unchanged;
  for (const ColumnDescription& column : tables::kMonthFilings.columns) {
    const std::string c(column.name);
    if (c.starts_with("H_Reopen")) continue;
    unchanged += " AND NEW." + c + " IS OLD." + c;
  }
  return SqliteTrigger("trf_filing_removed", "BEFORE DELETE ON " + name,
                       RefuseWhen("1",
                                  "A filing stays on record and cannot be removed: to change the month, reopen "
                                  "it with a reason.")) +
         SqliteTrigger(
             "trf_filing_added", "BEFORE INSERT ON " + name,
             RefuseWhen("EXISTS (SELECT 1 FROM " + name +
                            " WHERE H_HomeMonthlyStatsID = NEW.H_HomeMonthlyStatsID AND H_ReopenedAt IS NULL)",
                        "This month is filed already: reopen it, with a reason, before it is filed again.")) +
         SqliteTrigger(
             "trf_filing_changed", "BEFORE UPDATE ON " + name,
             RefuseWhen("OLD.H_ReopenedAt IS NOT NULL",
                        "This filing was reopened already, and stays on record as it is.") +
                 RefuseWhen(
                     "NOT (1" + unchanged + " AND NEW.H_ReopenedAt IS NOT NULL AND NEW.H_ReopenedBy IS NOT NULL)",
                     "A filing stays as it was filed: only its reopening, with a reason, is added to it.") +
                 RefuseWhen("trim(coalesce(NEW.H_ReopenReason, '')) = ''",
                            "A filed month is reopened for a reason: say why, and it is kept on record.")) +
         "CREATE UNIQUE INDEX IF NOT EXISTS uxH_MonthFilings_Open ON " + name +
         " (H_HomeMonthlyStatsID) WHERE H_ReopenedAt IS NULL;\n";
}

}  // namespace

std::string SqliteTrustSql(std::span<const TableDescription> tables) {
  const std::string writer = kWriterTable;
  std::string sql = "CREATE TABLE IF NOT EXISTS " + writer + " (S_Who TEXT);\nINSERT INTO " + writer +
                    " SELECT NULL WHERE NOT EXISTS (SELECT 1 FROM " + writer + ");\n";
  for (const TableDescription& table : tables) {
    if (table.home_data != HomeData::kNone) sql += SqliteChangeTriggers(table);
    if (table.filed_with_month) sql += SqliteLockTriggers(table);
  }
  return sql + SqliteChangeRecordKept() + SqliteFilingRule();
}

}  // namespace trf
