// The change record, the filed-month lock and (on a server) the keeping apart of homes, generated
// for each engine from the table descriptions.
#include "app/data/trust_schema.h"

#include <initializer_list>

#include "app/data/trf_tables.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

const std::string kChangeColumns =
    "S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_HomeMonthlyStatsID, S_Field, S_OldValue, S_NewValue";

// A name of this program's own (a table, a column) as an SQL literal; never a value of a person's.
std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The column that ties a table's rows to their home or their month.
std::string_view LinkColumn(const TableDescription& table) {
  return table.home_data == HomeData::kByMonth ? tables::kHomeMonths.Key().name : tables::kHomes.Key().name;
}

// --- PostgreSQL -----------------------------------------------------------------------------------

// Whether the role at work administers the database: it is (a member of) the owner of its tables.
// The table is named once, when the policy is made, and kept by its number from then on.
const std::string kAdministrator =
    "(SELECT pg_has_role(current_user, c.relowner, 'USAGE') FROM pg_class c WHERE c.oid = 'tbh_homes'::regclass)";

// Whether `column` holds one of `permitted` (a scalar subquery giving an array). The array is read
// once per query, and the check of a row is a comparison, not a probe of a subquery per row; where
// the query also looks for one value of the column, the server joins both in its index search.
std::string AmongPermitted(std::string_view column, const std::string& permitted) {
  return std::string(column) + " = ANY (" + permitted + "::integer[])";
}
// The homes the role at work was granted.
const std::string kGrantedHomes = "(SELECT array_agg(H_HomesID) FROM tbS_HomeAccess WHERE S_Role = current_user)";
// The month records the role at work sees: the months' own policy decides which.
const std::string kVisibleMonths = "(SELECT array_agg(" + std::string(tables::kHomeMonths.Key().name) + ") FROM " +
                                   std::string(tables::kHomeMonths.name) + ")";

// The home and the month record of the row `row` ("NEW" or "OLD") of `table`, as the change record
// keeps them: one of them, the other NULL.
std::string Links(const TableDescription& table, const std::string& row) {
  const std::string link = row + "." + std::string(LinkColumn(table));
  return table.home_data == HomeData::kByMonth ? "NULL, " + link : link + ", NULL";
}

// The functions every table's trigger calls before a row is written.
std::string PostgresFunctions() {
  return R"sql(
-- The sentence refusing a change to month record `month_id`, while it is filed; nothing otherwise.
CREATE OR REPLACE FUNCTION trf_filed_refusal(month_id integer) RETURNS text LANGUAGE plpgsql STABLE AS $fn$
BEGIN
  PERFORM 1 FROM tbh_monthfilings WHERE h_homemonthlystatsid = month_id AND h_reopenedat IS NULL;
  IF NOT FOUND THEN RETURN NULL; END IF;
  RETURN (SELECT format('%s of %s was filed by %s on %s UTC: reopen it to change it.',
                        to_char(date '1899-12-30' + floor(m.h_statmonth)::integer, 'FMMonth YYYY'), h.h_homenum,
                        f.h_filedby, f.h_filedat)
            FROM tbh_monthfilings f
            JOIN tbh_homemonthlystats m ON m.h_homemonthlystatsid = f.h_homemonthlystatsid
            JOIN tbh_homes h ON h.h_homesid = m.h_homesid
           WHERE f.h_homemonthlystatsid = month_id AND f.h_reopenedat IS NULL
           LIMIT 1);
END $fn$;
)sql";
}

// The statements of a trigger function that refuse a change to a filed month, each line after `indent`.
std::string PostgresLock(const std::string& indent) {
  return indent + "IF TG_OP <> 'DELETE' THEN refusal := trf_filed_refusal(NEW.h_homemonthlystatsid); END IF;\n" +
         indent +
         "IF refusal IS NULL AND TG_OP <> 'INSERT' THEN refusal := trf_filed_refusal(OLD.h_homemonthlystatsid); END "
         "IF;\n" +
         indent + "IF refusal IS NOT NULL THEN\n" + indent + "  RAISE EXCEPTION USING ERRCODE = '" +
         std::string(kFiledMonthState) + "', MESSAGE = refusal;\n" + indent + "END IF;\n";
}

// The condition that the month of each of `rows` ("NEW", "OLD") is open, for a table whose rows are
// filed with their month: the change is recorded on it, so that one statement per row both records
// the change and finds the month open. Empty for the other tables.
std::string MonthsOpen(const TableDescription& table, std::initializer_list<const char*> rows) {
  if (!table.filed_with_month) return "";
  const std::string month(tables::kHomeMonths.Key().name);
  std::string months;
  for (const char* row : rows) months += (months.empty() ? "" : ", ") + std::string(row) + "." + month;
  return "NOT EXISTS (SELECT 1 FROM " + std::string(tables::kMonthFilings.name) + " WHERE " + month + " IN (" + months +
         ") AND H_ReopenedAt IS NULL)";
}

// `condition` as the WHERE clause (or its continuation with `joint`) of a statement; nothing when empty.
std::string Where(const std::string& condition, const char* joint = "WHERE") {
  return condition.empty() ? "" : "\n     " + std::string(joint) + " " + condition;
}

// The statements of `table`'s trigger function that record a change: the whole row (as JSON) of an
// insert or a delete, and one row per changed field of an update. Written out column by column from
// the description, so that the server runs plain statements rather than taking each row apart. For a
// table filed with its month a change is recorded only while its month is open; when nothing was
// recorded the lock looks why, and refuses a filed month in words.
std::string PostgresRecord(const TableDescription& table) {
  const std::string insert = "INSERT INTO " + std::string(tables::kChangeRecord.name) + " (" + kChangeColumns + ")";
  const auto change = [&](const std::string& row) {
    return WhoSql(Dialect::kPostgres) + ", " + NowSql(Dialect::kPostgres) + ", " + Quoted(table.name) + ", " + row +
           "." + std::string(table.Key().name) + "::text, " + Links(table, row);
  };
  std::string fields;
  for (const ColumnDescription& column : table.columns) {
    const std::string c(column.name);
    fields += fields.empty() ? "" : ",\n               ";
    fields += "(";
    fields += Quoted(kw::text::Lower(column.name));
    fields += ", OLD." + c;
    fields += "::text, NEW." + c;
    fields += "::text)";
  }
  std::string sql = "  IF TG_OP = 'INSERT' THEN\n    " + insert + "\n    SELECT " + change("NEW") +
                    ", NULL, NULL, row_to_json(NEW)::text" + Where(MonthsOpen(table, {"NEW"})) +
                    ";\n  ELSIF TG_OP = 'DELETE' THEN\n    " + insert + "\n    SELECT " + change("OLD") +
                    ", NULL, row_to_json(OLD)::text, NULL" + Where(MonthsOpen(table, {"OLD", "NEW"})) +
                    ";\n  ELSE\n    " + insert + "\n    SELECT " + change("NEW") +
                    ", v.f, v.o, v.n\n      FROM (VALUES " + fields +
                    ") AS v (f, o, n)\n     WHERE v.o IS DISTINCT FROM v.n" +
                    Where(MonthsOpen(table, {"OLD", "NEW"}), "AND") + ";\n  END IF;\n";
  if (table.filed_with_month) sql += "  IF NOT FOUND THEN\n" + PostgresLock("    ") + "  END IF;\n";
  return sql;
}

// The group role of the desks, made once per server, and its use of the schema.
std::string PostgresDeskRole() {
  const std::string role = kDeskRole;
  // Roles are the server's, not the database's: another database's first opening may make it at once.
  return "DO $$ BEGIN\n"
         "  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '" +
         role + "') THEN\n    BEGIN CREATE ROLE " + role +
         " NOLOGIN; EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END;\n  END IF;\n"
         "  EXECUTE format('GRANT USAGE ON SCHEMA %I TO " +
         role +
         "', current_schema());\n"
         "  EXECUTE format('GRANT USAGE ON ALL SEQUENCES IN SCHEMA %I TO " +
         role + "', current_schema());\nEND $$;\n";
}

// What the desks may do with `table`: work on a home's data, add to the change record, read the rest.
std::string PostgresGrants(const TableDescription& table) {
  const std::string name(table.name);
  std::string privileges = "SELECT";
  if (table.home_data != HomeData::kNone) privileges = "SELECT, INSERT, UPDATE, DELETE";
  if (table.name == tables::kChangeRecord.name) privileges = "SELECT, INSERT";
  return "REVOKE ALL ON " + name + " FROM " + kDeskRole + ";\nGRANT " + privileges + " ON " + name + " TO " +
         kDeskRole + ";\n";
}

// A policy made anew: `rule` is what follows the table's name in CREATE POLICY.
std::string Policy(const std::string& table, const std::string& policy, const std::string& rule) {
  return "DROP POLICY IF EXISTS " + policy + " ON " + table + ";\nCREATE POLICY " + policy + " ON " + table + " " +
         rule + ";\n";
}

// A trigger made anew: `rule` is what follows its name in CREATE TRIGGER.
std::string Trigger(const std::string& table, const std::string& trigger, const std::string& rule) {
  return "DROP TRIGGER IF EXISTS " + trigger + " ON " + table + ";\nCREATE TRIGGER " + trigger + " " + rule + ";\n";
}

// Row-level security, forced on the owner too, and the trigger of a table that holds a home's data.
std::string PostgresHomeData(const TableDescription& table) {
  const std::string name(table.name);
  // A month's rows go with their month: the months' own policy decides which months the role sees.
  const std::string permitted =
      AmongPermitted(LinkColumn(table), table.home_data == HomeData::kByMonth ? kVisibleMonths : kGrantedHomes);
  const std::string condition = "(" + kAdministrator + " OR " + permitted + ")";
  std::string sql = "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\nALTER TABLE " + name +
                    " FORCE ROW LEVEL SECURITY;\n" +
                    Policy(name, "trf_homes_apart", "USING " + condition + " WITH CHECK " + condition);
  sql += KeepTriggerSql(table, true);
  return sql;
}

// The change record: each role reads the changes of its homes and adds changes in its own name only.
std::string PostgresChangeRecord() {
  const std::string name(tables::kChangeRecord.name);
  return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\nALTER TABLE " + name + " FORCE ROW LEVEL SECURITY;\n" +
         Policy(name, "trf_read",
                "FOR SELECT USING (" + kAdministrator + " OR " + AmongPermitted("S_HomesID", kGrantedHomes) + " OR " +
                    AmongPermitted("S_HomeMonthlyStatsID", kVisibleMonths) + ")") +
         Policy(name, "trf_add", "FOR INSERT WITH CHECK (S_Who = current_user)");
}

// The access table: a desk sees its own permissions only; the administrator, its owner, all of them.
std::string PostgresAccess() {
  const std::string name(tables::kHomeAccess.name);
  return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\n" +
         Policy(name, "trf_own", "FOR SELECT USING (S_Role = current_user)");
}

std::string PostgresTrust(std::span<const TableDescription> tables) {
  std::string sql = PostgresDeskRole() + PostgresFunctions();
  sql += "GRANT SELECT ON tbS_SchemaVersion TO " + std::string(kDeskRole) + ";\n";
  for (const TableDescription& table : tables) {
    sql += PostgresGrants(table);
    if (table.home_data != HomeData::kNone) sql += PostgresHomeData(table);
    if (table.name == tables::kChangeRecord.name) sql += PostgresChangeRecord();
    if (table.name == tables::kHomeAccess.name) sql += PostgresAccess();
  }
  return sql;
}

// --- SQLite ---------------------------------------------------------------------------------------

std::string SqliteTrigger(const std::string& trigger, const std::string& rule, const std::string& body) {
  return "DROP TRIGGER IF EXISTS " + trigger + ";\nCREATE TRIGGER " + trigger + " " + rule + " BEGIN\n" + body +
         "END;\n";
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
  const std::string refuse = "  SELECT RAISE(ABORT, '" + std::string(kRefusalMark) +
                             "This month was filed, and stays as it was filed: reopen it in TRF Setup to change "
                             "it.');\n";
  return SqliteTrigger("trf_" + name + "_filed_insert", "BEFORE INSERT ON " + name + " WHEN " + filed("NEW"), refuse) +
         SqliteTrigger("trf_" + name + "_filed_update",
                       "BEFORE UPDATE ON " + name + " WHEN " + filed("OLD") + " OR " + filed("NEW"), refuse) +
         SqliteTrigger("trf_" + name + "_filed_delete", "BEFORE DELETE ON " + name + " WHEN " + filed("OLD"), refuse);
}

// The change record is only ever added to.
std::string SqliteChangeRecordKept() {
  const std::string name(tables::kChangeRecord.name);
  const std::string refuse = "  SELECT RAISE(ABORT, '" + std::string(kRefusalMark) +
                             "The change record is kept as it was written: nothing in it can be changed or "
                             "removed.');\n";
  return SqliteTrigger("trf_changes_kept_update", "BEFORE UPDATE ON " + name, refuse) +
         SqliteTrigger("trf_changes_kept_delete", "BEFORE DELETE ON " + name, refuse);
}

std::string SqliteTrust(std::span<const TableDescription> tables) {
  const std::string writer = kWriterTable;
  std::string sql = "CREATE TABLE IF NOT EXISTS " + writer + " (S_Who TEXT);\nINSERT INTO " + writer +
                    " SELECT NULL WHERE NOT EXISTS (SELECT 1 FROM " + writer + ");\n";
  for (const TableDescription& table : tables) {
    if (table.home_data != HomeData::kNone) sql += SqliteChangeTriggers(table);
    if (table.filed_with_month) sql += SqliteLockTriggers(table);
  }
  return sql + SqliteChangeRecordKept();
}

}  // namespace

std::string KeepTriggerSql(const TableDescription& table, bool record) {
  const std::string name(table.name);
  const std::string function = "trf_keep_" + kw::text::Lower(table.name);
  const std::string lock = table.filed_with_month ? PostgresLock("  ") : "";
  const std::string body = record ? PostgresRecord(table) : lock;
  return "CREATE OR REPLACE FUNCTION " + function + "() RETURNS trigger LANGUAGE plpgsql AS $fn$\nDECLARE\n" +
         "  refusal text;\nBEGIN\n" + body +
         "  IF TG_OP = 'DELETE' THEN RETURN OLD; END IF;\n  RETURN NEW;\nEND $fn$;\n" +
         Trigger(name, "trf_keep",
                 "BEFORE INSERT OR UPDATE OR DELETE ON " + name + " FOR EACH ROW EXECUTE FUNCTION " + function + "()");
}

std::string WhoSql(Dialect dialect) {
  if (dialect == Dialect::kPostgres) return "current_user";
  return "COALESCE((SELECT S_Who FROM " + std::string(kWriterTable) + "), 'another program')";
}

std::string NowSql(Dialect dialect) {
  if (dialect == Dialect::kPostgres) return "to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS')";
  return "strftime('%Y-%m-%d %H:%M:%S', 'now')";
}

std::string TrustSql(std::span<const TableDescription> tables, Dialect dialect) {
  return dialect == Dialect::kPostgres ? PostgresTrust(tables) : SqliteTrust(tables);
}

void ApplyTrust(Database& database, std::span<const TableDescription> tables, Dialect dialect) {
  database.Exec(TrustSql(tables, dialect));
}

}  // namespace trf
