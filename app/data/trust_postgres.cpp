// The trust of a server database, generated from the table descriptions: functions that name their
// tables in the TRF's schema and run with a fixed search path (a desk's temporary tables cannot stand
// in for them), the change record written and chained by triggers the administrator owns, filings
// that only their rule changes, keys the server alone gives out, and the desks' grants and policies.
#include <initializer_list>
#include <vector>

#include "app/data/change_chain.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_dialects.h"
#include "app/data/trust_grants.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// Everything below is written for one schema: the generator's state is that schema's name.
class PostgresTrust {
 public:
  explicit PostgresTrust(std::string schema) : schema_(std::move(schema)) {}

  std::string All(std::span<const TableDescription> tables) const;
  std::string KeepTrigger(const TableDescription& table, bool record) const;

 private:
  // A table (or function) of the TRF's schema, by its full name.
  std::string In(std::string_view name) const { return schema_ + "." + kw::text::Lower(name); }
  // What every function of the schema says after its language: its search path, fixed.
  std::string Fixed() const { return FixedSearchPath(schema_); }
  // A function that runs with its owner's rights (the administrator's) and a fixed search path.
  std::string Definer() const { return DefinerOn(schema_); }

  std::string AdministratorPolicy(const std::string& table) const;
  std::string GrantedHomes() const;
  std::string PermittedMonths() const;
  std::string Functions(std::span<const TableDescription> tables) const;
  std::string KeyFunction(std::span<const TableDescription> tables) const;
  std::string ChainHead() const;
  std::string Chained(const std::string& home, const std::vector<std::string>& values) const;
  std::string MonthsOpen(const TableDescription& table, std::initializer_list<const char*> rows) const;
  std::string KeyCheck(const TableDescription& table) const;
  std::string SameHomeChecks(const TableDescription& table) const;
  std::string Record(const TableDescription& table) const;
  std::string Lock(const std::string& indent) const;
  std::string FilingRule() const;
  std::string AcceptedQuestions(std::span<const TableDescription> tables) const;
  std::string Grants(const TableDescription& table) const;
  std::string HomeData(const TableDescription& table) const;
  std::string ChangeRecord() const;
  std::string Access() const;
  std::string Heads() const;
  std::string DeskRole() const;
  std::string Temporary() const;

  std::string schema_;
};

// The columns of `table` as a list, lower case, without the key when `with_key` is false.
std::string Columns(const TableDescription& table, bool with_key) {
  std::string list;
  for (const ColumnDescription& column : table.columns) {
    if (column.key && !with_key) continue;
    list += (list.empty() ? "" : ", ") + kw::text::Lower(column.name);
  }
  return list;
}

const std::string kNow = kServerNow;
const std::string kVersion = kw::text::Lower(kVersionColumn);
// The home of a month's row, found in the month records by the join `Months` writes.
const std::string kMonthHome = "m.h_homesid";

// The administrator's policy on `table`: every row, for the role that owns the TRF's tables and its
// members, named when the policy is made. The desks' policies are the desks' own (TO trf_desk): a
// desk's query then carries no check of the administrator, whose OR kept the server from finding the
// desk's rows by an index (a policy's condition ORed with a value is read row by row).
std::string PostgresTrust::AdministratorPolicy(const std::string& table) const {
  return "DO $$ BEGIN\n  EXECUTE format($f$DROP POLICY IF EXISTS trf_administrator ON " + table +
         "; CREATE POLICY trf_administrator ON " + table +
         " TO %s USING (true) WITH CHECK (true)$f$,\n    (SELECT c.relowner::regrole FROM pg_class c WHERE c.oid = '" +
         In("tbH_Homes") + "'::regclass));\nEND $$;\n";
}

// The roles a desk's policy is for: the desks' group role and its members.
std::string ToDesks() { return std::string("TO ") + kDeskRole + " "; }

// Whether `column` holds one of `permitted` (a scalar subquery giving an array). The array is read
// once per query, and the check of a row is a comparison, not a probe of a subquery per row.
std::string AmongPermitted(std::string_view column, const std::string& permitted) {
  return std::string(column) + " = ANY (" + permitted + "::integer[])";
}

// The homes granted to the desk at work and their month records, read from the desks' grants when a
// statement is planned (see trust_grants.h).
std::string PostgresTrust::GrantedHomes() const { return GrantedHomesOf(DeskGrants(schema_)); }
std::string PostgresTrust::PermittedMonths() const { return GrantedMonthsOf(DeskGrants(schema_)); }

std::string PostgresTrust::Functions(std::span<const TableDescription> tables) const {
  const std::string filed = In("tbH_MonthFilings");
  return
      // The sentence refusing a change to month record `month_id`, while it is filed; nothing otherwise.
      // It runs with its caller's rights: a desk that calls it learns nothing of another home's months.
      "CREATE OR REPLACE FUNCTION " + In("trf_filed_refusal") +
      "(month_id integer) RETURNS text LANGUAGE plpgsql STABLE" + Fixed() +
      " AS $fn$\nBEGIN\n"
      "  RETURN (SELECT format('%s of %s was filed by %s on %s UTC: reopen it to change it.',\n"
      "                        to_char(date '1899-12-30' + floor(m.h_statmonth)::integer, 'FMMonth YYYY'),\n"
      "                        h.h_homenum, f.h_filedby, f.h_filedat)\n"
      "            FROM " +
      filed + " f\n            JOIN " + In("tbH_HomeMonthlyStats") +
      " m ON m.h_homemonthlystatsid = f.h_homemonthlystatsid\n            JOIN " + In("tbH_Homes") +
      " h ON h.h_homesid = m.h_homesid\n"
      "           WHERE f.h_homemonthlystatsid = month_id AND f.h_reopenedat IS NULL LIMIT 1);\nEND $fn$;\n"
      // Whether the login at work administers the database (inside a function running with the
      // administrator's rights, the login, not the role at work, tells who called).
      // Whether `issued` is the key the counter `counter` gave this session last: a record whose key the
      // table's own default took from the counter.
      "CREATE OR REPLACE FUNCTION " +
      In("trf_given_here") + "(counter text, issued bigint) RETURNS boolean LANGUAGE plpgsql" + Definer() +
      " AS $fn$\nBEGIN\n  RETURN issued = currval(counter::regclass);\nEXCEPTION WHEN object_not_in_prerequisite_state "
      "THEN\n  RETURN false;\nEND $fn$;\n"
      "CREATE OR REPLACE FUNCTION " +
      In("trf_administers") + "() RETURNS boolean LANGUAGE sql STABLE" + Definer() +
      " AS $fn$ SELECT pg_has_role(session_user, c.relowner, 'USAGE') FROM pg_class c WHERE c.oid = '" +
      In("tbH_Homes") + "'::regclass $fn$;\n" + ChainHead() + KeyFunction(tables) + FilingRule() +
      AcceptedQuestions(tables);
}

// The head of a home's chain, taken for this transaction: the home's head row is locked (another
// transaction of the same home waits for this one, so that each chain has one line), its digest is
// kept in the transaction's setting "trf.chain_<home>", which each entry's digest moves on, and at
// commit a deferred trigger writes the setting back into the head. A desk that sets the setting itself
// only breaks its own home's chain, visibly, under its own name.
std::string PostgresTrust::ChainHead() const {
  const std::string heads = In("tbS_ChainHeads");
  return "CREATE OR REPLACE FUNCTION " + In("trf_chain_head") + "(home integer) RETURNS text LANGUAGE plpgsql" +
         Definer() + " AS $fn$\nDECLARE\n  head text;\nBEGIN\n  INSERT INTO " + heads +
         " (s_homesid, s_digest) VALUES (home, '" + kChainGenesis +
         "') ON CONFLICT (s_homesid) DO NOTHING;\n  UPDATE " + heads +
         " SET s_digest = s_digest WHERE s_homesid = home RETURNING s_digest INTO head;\n"
         "  RETURN set_config('trf.chain_' || home, head, true);\nEND $fn$;\n"
         "CREATE OR REPLACE FUNCTION " +
         In("trf_chain_close") + "() RETURNS trigger LANGUAGE plpgsql" + Definer() +
         " AS $fn$\nDECLARE\n  head text := current_setting('trf.chain_' || NEW.s_homesid, true);\nBEGIN\n"
         "  IF coalesce(head, '') <> '' THEN\n    UPDATE " +
         heads + " SET s_digest = head WHERE s_homesid = NEW.s_homesid;\n  END IF;\n  RETURN NULL;\nEND $fn$;\n" +
         "DROP TRIGGER IF EXISTS trf_chain_close ON " + heads +
         ";\nCREATE CONSTRAINT TRIGGER trf_chain_close AFTER UPDATE ON " + heads +
         " DEFERRABLE INITIALLY DEFERRED FOR EACH ROW WHEN (NEW.s_digest IS DISTINCT FROM "
         "current_setting('trf.chain_' || NEW.s_homesid, true)) EXECUTE FUNCTION " +
         In("trf_chain_close") + "();\n";
}

// The digest of a new entry of home `home` (an SQL expression) over `values` (SQL expressions of
// text, "" for a null), which moves the home's chain on: the expression both gives and keeps it.
std::string PostgresTrust::Chained(const std::string& home, const std::vector<std::string>& values) const {
  const std::string setting = "'trf.chain_' || " + home;
  const std::string previous =
      "coalesce(nullif(current_setting(" + setting + ", true), ''), " + In("trf_chain_head") + "(" + home + "))";
  return "set_config(" + setting + ", encode(sha256(convert_to(" + ChainContentSql(previous, values) +
         ", 'UTF8')), 'hex'), true)";
}

// Gives the key of a new record of a table whose keys the server counts, and notes to which role,
// so that the record's trigger lets only that role write it.
std::string PostgresTrust::KeyFunction(std::span<const TableDescription> tables) const {
  std::string cases;
  for (const TableDescription& table : tables) {
    if (!table.Key().counted || table.append_only) continue;
    cases += "    WHEN " + Quoted(kw::text::Lower(table.name)) + " THEN pg_get_serial_sequence(" +
             Quoted(In(table.name)) + ", " + Quoted(kw::text::Lower(table.Key().name)) + ")\n";
  }
  return "CREATE OR REPLACE FUNCTION " + In("trf_new_key") + "(record_table text) RETURNS bigint LANGUAGE plpgsql" +
         Definer() + " AS $fn$\nDECLARE\n  counter text := CASE lower(record_table)\n" + cases +
         "  END;\n  issued bigint;\nBEGIN\n  IF counter IS NULL THEN\n    " +
         Refuse("005", "The database gives the keys of new records of the TRF's own tables only.") +
         "\n  END IF;\n  issued := nextval(counter::regclass);\n  INSERT INTO " + In("tbS_IssuedKeys") +
         " (s_issuedkey, s_role) VALUES (lower(record_table) || ':' || issued, session_user);\n"
         "  RETURN issued;\nEND $fn$;\n";
}

// The condition that the month of each of `rows` ("NEW", "OLD") is open, for a table whose rows are
// filed with their month: the change is recorded on it, so that one statement per row both records
// the change and finds the month open. Empty for the other tables.
std::string PostgresTrust::MonthsOpen(const TableDescription& table, std::initializer_list<const char*> rows) const {
  if (!table.filed_with_month) return "";
  const std::string month = kw::text::Lower(tables::kHomeMonths.Key().name);
  std::string months;
  for (const char* row : rows) months += (months.empty() ? "" : ", ") + std::string(row) + "." + month;
  return "NOT EXISTS (SELECT 1 FROM " + In(tables::kMonthFilings.name) + " WHERE " + month + " IN (" + months +
         ") AND h_reopenedat IS NULL)";
}

// Refuses a new record under a key the server did not give to this role (the administrator, who
// may write any key, moves the counter past it).
std::string PostgresTrust::KeyCheck(const TableDescription& table) const {
  if (!table.Key().counted || table.name == tables::kMonthFilings.name) return "";
  const std::string key = "NEW." + kw::text::Lower(table.Key().name);
  const std::string counter =
      "pg_get_serial_sequence(" + Quoted(In(table.name)) + ", " + Quoted(kw::text::Lower(table.Key().name)) + ")";
  return "  IF TG_OP = 'INSERT' THEN\n    DELETE FROM " + In("tbS_IssuedKeys") +
         " WHERE s_issuedkey = " + Quoted(kw::text::Lower(table.name)) + " || ':' || " + key +
         " AND s_role = session_user;\n    IF NOT FOUND AND NOT " + In("trf_given_here") + "(" + counter + ", " + key +
         ") THEN\n      IF NOT " + In("trf_administers") + "() THEN\n        " +
         Refuse("003",
                "The key of a new record is given by the database, and this one was not given to this desk. "
                "Nothing was written.") +
         "\n      END IF;\n      IF " + key + " > coalesce(pg_sequence_last_value(" + counter +
         "::regclass), 0) THEN PERFORM setval(" + counter + "::regclass, " + key +
         "); END IF;\n    END IF;\n  END IF;\n";
}

// Refuses a month's row that chooses a record of another home (a resident's family group): the
// server's reference check alone would take any home's, and say which keys exist.
std::string PostgresTrust::SameHomeChecks(const TableDescription& table) const {
  if (table.home_data != HomeData::kByMonth) return "";
  const std::string month = kw::text::Lower(tables::kHomeMonths.Key().name);
  // The check of one column that chooses a record of `target`, a table of the home's own records.
  const auto check = [&](const ColumnDescription& column, const TableDescription& target) {
    const std::string value = "NEW." + kw::text::Lower(column.name);
    return "  IF TG_OP <> 'DELETE' AND " + value + " IS NOT NULL AND (TG_OP = 'INSERT' OR " + value +
           " IS DISTINCT FROM OLD." + kw::text::Lower(column.name) + " OR NEW." + month + " IS DISTINCT FROM OLD." +
           month + ") THEN\n    IF NOT EXISTS (SELECT 1 FROM " + In(target.name) + " g JOIN " +
           In(tables::kHomeMonths.name) + " m ON m.h_homesid = g.h_homesid WHERE g." +
           kw::text::Lower(target.Key().name) + " = " + value + " AND m." + month + " = NEW." + month +
           ") THEN\n      " +
           Refuse("004", "The " + kw::text::Lower(column.caption) + " chosen is not one of this home's own " +
                             std::string(target.plural) + ": choose one of them. Nothing was written.") +
           "\n    END IF;\n  END IF;\n";
  };
  std::string checks;
  for (const ColumnDescription& column : table.columns) {
    if (column.kind != ColumnKind::kLookup || column.name == LinkColumn(table)) continue;
    const TableDescription* target = FindTable(tables::AllOnServer(), column.lookup.table);
    if (target && target->home_data == HomeData::kByHome) checks += check(column, *target);
  }
  return checks;
}

// The statements of a trigger function that refuse a change to a filed month, each line after `indent`.
std::string PostgresTrust::Lock(const std::string& indent) const {
  const std::string refusal = In("trf_filed_refusal");
  return indent + "IF TG_OP <> 'DELETE' THEN refusal := " + refusal + "(NEW.h_homemonthlystatsid); END IF;\n" + indent +
         "IF refusal IS NULL AND TG_OP <> 'INSERT' THEN refusal := " + refusal +
         "(OLD.h_homemonthlystatsid); END IF;\n" + indent + "IF refusal IS NOT NULL THEN\n" + indent +
         "  RAISE EXCEPTION USING ERRCODE = '" + kTrfRefusalClass + "001', MESSAGE = refusal;\n" + indent + "END IF;\n";
}

// `condition` as the WHERE clause (or its continuation with `joint`) of a statement; nothing when empty.
std::string Where(const std::string& condition, const char* joint = "WHERE") {
  return condition.empty() ? "" : "\n     " + std::string(joint) + " " + condition;
}

// The statements of `table`'s trigger function that record a change and chain it: the whole row (as
// JSON) of an insert or a delete, and one row per changed field of an update. Written out column by
// column from the description, so that the server runs plain statements rather than taking each row
// apart. For a table filed with its month a change is recorded only while its month is open; when
// nothing was recorded the lock looks why, and refuses a filed month in words.
std::string PostgresTrust::Record(const TableDescription& table) const {
  const bool by_month = table.home_data == HomeData::kByMonth;
  const std::string month_key = kw::text::Lower(tables::kHomeMonths.Key().name);
  const std::string key = kw::text::Lower(table.Key().name);
  const std::string insert = "INSERT INTO " + In(tables::kChangeRecord.name) + " (" +
                             "s_who, s_when, s_table, s_recordkey, s_homesid, s_homemonthlystatsid, s_field, "
                             "s_oldvalue, s_newvalue, s_digest)";
  // The home and the month of `row`, and the join that finds a month's home.
  const auto home = [&](const std::string& row) {
    return by_month ? kMonthHome : row + "." + kw::text::Lower(tables::kHomes.Key().name);
  };
  const auto month = [&](const std::string& row) { return by_month ? row + "." + month_key + "::text" : ""; };
  const auto months = [&](const std::string& row) {
    return by_month ? "m." + month_key + " = " + row + "." + month_key : "";
  };
  const std::string join = by_month ? " " + In(tables::kHomeMonths.name) + " m" : "";
  // One entry: its values, then its digest on the home's chain.
  const auto entry = [&](const std::string& row, const std::string& field, const std::string& old_value,
                         const std::string& new_value) {
    const std::string values = "who, moment, " + Quoted(table.name) + ", " + row + "." + key + "::text, " + home(row) +
                               ", " + (by_month ? row + "." + month_key : "NULL") + ", " +
                               (field.empty() ? "NULL" : field) + ", " + (old_value.empty() ? "NULL" : old_value) +
                               ", " + (new_value.empty() ? "NULL" : new_value);
    return values + ",\n           " +
           Chained(home(row), {"who", "moment", Quoted(table.name), row + "." + key + "::text", home(row) + "::text",
                               month(row), field, old_value, new_value, "", ""});
  };
  const auto and_all = [](const std::string& a, const std::string& b) {
    return a.empty() ? b : b.empty() ? a : a + " AND " + b;
  };
  // A column's name with its old and new value, a row of the VALUES an update's entries come from.
  const auto field_values = [&](const ColumnDescription& column) {
    const std::string c = kw::text::Lower(column.name);
    return "(" + Quoted(c) + ", OLD." + c + "::text, NEW." + c + "::text)";
  };
  std::string fields;
  for (const ColumnDescription& column : table.columns) {
    fields += fields.empty() ? "" : ",\n               ";
    fields += field_values(column);
  }
  std::string sql =
      "  IF TG_OP = 'INSERT' THEN\n    body := row_to_json(NEW)::text;\n    " + insert + "\n    SELECT " +
      entry("NEW", "", "", "body") + (join.empty() ? "" : "\n      FROM" + join) +
      Where(and_all(months("NEW"), MonthsOpen(table, {"NEW"}))) +
      ";\n  ELSIF TG_OP = 'DELETE' THEN\n    body := row_to_json(OLD)::text;\n    " + insert + "\n    SELECT " +
      entry("OLD", "", "body", "") + (join.empty() ? "" : "\n      FROM" + join) +
      Where(and_all(months("OLD"), MonthsOpen(table, {"OLD", "NEW"}))) + ";\n  ELSE\n    " + insert + "\n    SELECT " +
      entry("NEW", "v.f", "v.o", "v.n") + "\n      FROM (VALUES " + fields + ") AS v (f, o, n)" +
      (join.empty() ? "" : "," + join) +
      Where(and_all(and_all("v.o IS DISTINCT FROM v.n", months("NEW")), MonthsOpen(table, {"OLD", "NEW"}))) +
      ";\n  END IF;\n";
  if (table.filed_with_month) sql += "  IF NOT FOUND THEN\n" + Lock("    ") + "  END IF;\n";
  return sql;
}

// A filing is made only by its rule: the engine writes who and when (the role at work, the server's
// time), the report's digest and the home's chain digest at filing; it is never removed, and nothing
// of it changes but its reopening, once, with a reason, which the engine stamps alike.
std::string PostgresTrust::FilingRule() const {
  const std::string filings = In(tables::kMonthFilings.name);
  std::string kept, kept_old;
  for (const ColumnDescription& column : tables::kMonthFilings.columns) {
    const std::string c = kw::text::Lower(column.name);
    if (c.starts_with("h_reopen")) continue;
    kept += (kept.empty() ? "NEW." : ", NEW.") + c;
    kept_old += (kept_old.empty() ? "OLD." : ", OLD.") + c;
  }
  return "CREATE OR REPLACE FUNCTION " + In("trf_filing_rule") + "() RETURNS trigger LANGUAGE plpgsql" + Definer() +
         " AS $fn$\nDECLARE\n  home integer;\nBEGIN\n  IF TG_OP = 'DELETE' THEN\n    " +
         Refuse("002",
                "A filing stays on record and cannot be removed: to change the month, reopen it with a reason.") +
         "\n  END IF;\n  IF TG_OP = 'INSERT' THEN\n    IF EXISTS (SELECT 1 FROM " + filings +
         " WHERE h_homemonthlystatsid = NEW.h_homemonthlystatsid AND h_reopenedat IS NULL) THEN\n      " +
         Refuse("002", "This month is filed already: reopen it, with a reason, before it is filed again.") +
         "\n    END IF;\n    NEW.h_filedby := session_user;\n    NEW.h_filedat := " + kNow +
         ";\n    NEW.h_reopenedby := NULL;\n    NEW.h_reopenedat := NULL;\n    NEW.h_reopenreason := NULL;\n"
         "    NEW.h_reportdigest := CASE WHEN NEW.h_report IS NULL THEN NULL "
         "ELSE encode(sha256(convert_to(NEW.h_report, 'UTF8')), 'hex') END;\n"
         "    SELECT h_homesid INTO home FROM " +
         In(tables::kHomeMonths.name) +
         " WHERE h_homemonthlystatsid = NEW.h_homemonthlystatsid;\n    IF home IS NOT NULL THEN\n"
         "      NEW.h_chaindigest := coalesce(nullif(current_setting('trf.chain_' || home, true), ''), " +
         In("trf_chain_head") +
         "(home));\n    END IF;\n    RETURN NEW;\n  END IF;\n  IF OLD.h_reopenedat IS NOT NULL THEN\n    " +
         Refuse("002", "This filing was reopened already, and stays on record as it is.") + "\n  END IF;\n  IF (" +
         kept + ") IS DISTINCT FROM (" + kept_old + ") THEN\n    " +
         Refuse("002", "A filing stays as it was filed: only its reopening, with a reason, is added to it.") +
         "\n  END IF;\n  IF coalesce(btrim(NEW.h_reopenreason), '') = '' THEN\n    " +
         Refuse("002", "A filed month is reopened for a reason: say why, and it is kept on record.") +
         "\n  END IF;\n  NEW.h_reopenedby := session_user;\n  NEW.h_reopenedat := " + kNow + ";\n  NEW." + kVersion +
         " := OLD." + kVersion + " + 1;\n  RETURN NEW;\nEND $fn$;\n" +
         Trigger(filings, "trf_filing",
                 "BEFORE INSERT OR UPDATE OR DELETE ON " + filings + " FOR EACH ROW EXECUTE FUNCTION " +
                     In("trf_filing_rule") + "()") +
         "CREATE UNIQUE INDEX IF NOT EXISTS uxH_MonthFilings_Open ON " + filings +
         " (h_homemonthlystatsid) WHERE h_reopenedat IS NULL;\n";
}

// What a desk adds to the change record itself: a question a person accepted, about a record of a
// home the desk may see. The engine finds the record's home and month, stamps who and when, and
// chains the entry; anything else is refused.
std::string PostgresTrust::AcceptedQuestions(std::span<const TableDescription> tables) const {
  const std::string month_key = kw::text::Lower(tables::kHomeMonths.Key().name);
  // How the home (and month) of a record of `table` is found.
  const auto finding = [&](const TableDescription& table) {
    const std::string key = "r." + kw::text::Lower(table.Key().name) + " = NEW.s_recordkey::integer";
    const std::string found = table.home_data == HomeData::kByMonth
                                  ? "SELECT m.h_homesid, r." + month_key + " INTO home, month FROM " + In(table.name) +
                                        " r JOIN " + In(tables::kHomeMonths.name) + " m ON m." + month_key + " = r." +
                                        month_key + " WHERE " + key
                                  : "SELECT r.h_homesid INTO home FROM " + In(table.name) + " r WHERE " + key;
    return "    WHEN " + Quoted(table.name) + " THEN\n      " + found + ";\n";
  };
  std::string cases;
  for (const TableDescription& table : tables) {
    if (table.home_data != HomeData::kNone) cases += finding(table);
  }
  const std::string record = In(tables::kChangeRecord.name);
  return "CREATE OR REPLACE FUNCTION " + In("trf_accepted") + "() RETURNS trigger LANGUAGE plpgsql" + Definer() +
         " AS $fn$\nDECLARE\n  home integer;\n  month integer;\nBEGIN\n"
         "  IF NEW.s_rulenumber IS NULL OR NEW.s_message IS NULL OR NEW.s_field IS NULL THEN\n    " +
         Refuse("006",
                "The change record is written by the database itself: a desk adds to it only the questions a person "
                "accepted.") +
         "\n  END IF;\n  IF NEW.s_recordkey ~ '^[0-9]{1,9}$' THEN\n    CASE NEW.s_table\n" + cases +
         "    ELSE NULL;\n    END CASE;\n  END IF;\n  IF home IS NULL OR NOT (" + In("trf_administers") +
         "() OR home IN (SELECT h_homesid FROM " + In(tables::kHomeAccess.name) +
         " WHERE s_role = session_user)) THEN\n    " +
         Refuse("006", "A question is accepted for a record this desk may see: there is no such record here.") +
         "\n  END IF;\n  NEW.s_who := session_user;\n  NEW.s_when := " + kNow +
         ";\n  NEW.s_homesid := home;\n  NEW.s_homemonthlystatsid := month;\n  NEW.s_oldvalue := NULL;\n"
         "  NEW.s_digest := " +
         Chained("home", {"NEW.s_who", "NEW.s_when", "NEW.s_table", "NEW.s_recordkey", "home::text", "month::text",
                          "NEW.s_field", "", "NEW.s_newvalue", "NEW.s_rulenumber::text", "NEW.s_message"}) +
         ";\n  RETURN NEW;\nEND $fn$;\n" +
         Trigger(record, "trf_accepted",
                 "BEFORE INSERT ON " + record + " FOR EACH ROW WHEN (NEW.s_digest IS NULL) EXECUTE FUNCTION " +
                     In("trf_accepted") + "()");
}

// What the desks may do with `table`: work on a home's data (the key of a new record given by the
// server), file and reopen months, add accepted questions to the change record, read the rest.
std::string PostgresTrust::Grants(const TableDescription& table) const {
  const std::string name = In(table.name);
  const std::string to = std::string(" ON ") + name + " TO " + kDeskRole + ";\n";
  std::string sql = "REVOKE ALL ON " + name + " FROM " + kDeskRole + ";\n";
  if (table.name == tables::kIssuedKeys.name) return sql;
  sql += "GRANT SELECT" + to;
  if (table.name == tables::kMonthFilings.name) {
    return sql + "GRANT INSERT (h_homemonthlystatsid, h_report), UPDATE (h_reopenreason)" + to;
  }
  if (table.name == tables::kChangeRecord.name) {
    return sql + "GRANT INSERT (s_table, s_recordkey, s_field, s_newvalue, s_rulenumber, s_message)" + to;
  }
  if (table.home_data == HomeData::kNone) return sql;
  return sql + "GRANT INSERT (" + Columns(table, true) + ", " + kVersion + "), UPDATE (" + Columns(table, false) +
         ", " + kVersion + "), DELETE" + to;
}

// Row-level security, forced on the owner too, and the triggers of a table that holds a home's data.
std::string PostgresTrust::HomeData(const TableDescription& table) const {
  const std::string name = In(table.name);
  // A month's rows go with their month: the months the role may see (PermittedMonths).
  const std::string permitted =
      AmongPermitted(LinkColumn(table), table.home_data == HomeData::kByMonth ? PermittedMonths() : GrantedHomes());
  return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\nALTER TABLE " + name + " FORCE ROW LEVEL SECURITY;\n" +
         Policy(name, "trf_homes_apart", ToDesks() + "USING (" + permitted + ") WITH CHECK (" + permitted + ")") +
         AdministratorPolicy(name) + KeepTrigger(table, true);
}

// The change record: each role reads the changes of its homes, and adds accepted questions only.
// Every entry names its home (the engine's triggers write it, older entries took their month's when
// they were chained), so the home alone decides; a change stays with the home it was made in.
std::string PostgresTrust::ChangeRecord() const {
  const std::string name = In(tables::kChangeRecord.name);
  const std::string granted = GrantedHomes();
  return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\nALTER TABLE " + name + " FORCE ROW LEVEL SECURITY;\n" +
         Policy(name, "trf_read", "FOR SELECT " + ToDesks() + "USING (" + AmongPermitted("s_homesid", granted) + ")") +
         Policy(name, "trf_add",
                "FOR INSERT " + ToDesks() + "WITH CHECK (s_rulenumber IS NOT NULL AND s_who = current_user AND " +
                    AmongPermitted("s_homesid", granted) + ")") +
         AdministratorPolicy(name) + AcceptedQuestionsIndex(name);
}

// The access table: a desk sees its own permissions only; the administrator, its owner, all of them.
std::string PostgresTrust::Access() const {
  const std::string name = In(tables::kHomeAccess.name);
  return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\n" +
         Policy(name, "trf_own", "FOR SELECT USING (" + std::string(kRoleAtWork) + ")");
}

// The chains' heads: a desk reads those of its homes, to check its chains; only the engine writes them.
std::string PostgresTrust::Heads() const {
  const std::string name = In(tables::kChainHeads.name);
  return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\n" +
         Policy(name, "trf_read",
                "FOR SELECT " + ToDesks() + "USING (" + AmongPermitted("s_homesid", GrantedHomes()) + ")") +
         AdministratorPolicy(name);
}

// The group role of the desks, made once per server, and its use of the schema. No desk counts keys
// itself: the server gives them (trf_new_key).
std::string PostgresTrust::DeskRole() const {
  const std::string role = kDeskRole;
  // Roles are the server's, not the database's: another database's first opening may make it at once.
  return "DO $$ BEGIN\n  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '" + role +
         "') THEN\n    BEGIN CREATE ROLE " + role +
         " NOLOGIN; EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END;\n  END IF;\nEND $$;\n"
         "GRANT USAGE ON SCHEMA " +
         schema_ + " TO " + role + ";\nREVOKE ALL ON ALL SEQUENCES IN SCHEMA " + schema_ + " FROM " + role + ";\n";
}

// No desk needs a temporary table of its own: taking the right away leaves no name a desk could put
// in front of the TRF's own. Only the database's owner may take it; an administrator who is not keeps
// the fixed search paths, which already keep the TRF's functions on its own tables.
std::string PostgresTrust::Temporary() const {
  // The right is taken only where it is still given: the database's rights are one row, which two
  // first openings of two schemas at once would otherwise both rewrite.
  const std::string given =
      "EXISTS (SELECT 1 FROM pg_database d, aclexplode(coalesce(d.datacl, acldefault('d', d.datdba))) a "
      "WHERE d.datname = current_database() AND a.privilege_type = 'TEMPORARY' AND a.grantee = ";
  const std::string desks = std::string(kDeskRole);
  return "DO $$ BEGIN\n  IF " + given + "0) THEN\n" +
         "    EXECUTE format('REVOKE TEMPORARY ON DATABASE %I FROM PUBLIC', current_database());\n  END IF;\n" +
         "  IF " + given + "(SELECT oid FROM pg_roles WHERE rolname = '" + desks + "')) THEN\n" +
         "    EXECUTE format('REVOKE TEMPORARY ON DATABASE %I FROM " + desks + "', current_database());\n" +
         "  END IF;\nEXCEPTION WHEN insufficient_privilege THEN NULL;\nEND $$;\n";
}

std::string PostgresTrust::All(std::span<const TableDescription> tables) const {
  std::string sql = DeskRole() + Temporary() + Functions(tables) + RoleGrantsSql(DeskGrants(schema_));
  sql += "GRANT SELECT ON " + In("tbS_SchemaVersion") + " TO " + kDeskRole + ";\n";
  for (const TableDescription& table : tables) {
    if (table.region) continue;
    sql += Grants(table);
    if (table.home_data != HomeData::kNone) sql += HomeData(table);
    if (table.name == tables::kChangeRecord.name) sql += ChangeRecord();
    if (table.name == tables::kHomeAccess.name) sql += Access();
    if (table.name == tables::kChainHeads.name) sql += Heads();
  }
  // Only the desks call a function of the TRF's themselves, and only the one that gives keys.
  for (const char* function : {"trf_filed_refusal(integer)", "trf_administers()", "trf_given_here(text, bigint)",
                               "trf_chain_head(integer)", "trf_new_key(text)"}) {
    sql += "REVOKE ALL ON FUNCTION " + In(function) + " FROM PUBLIC;\n";
  }
  return sql + "GRANT EXECUTE ON FUNCTION " + In("trf_new_key(text)") + " TO " + kDeskRole + ";\n" +
         PostgresRegionTrustSql(schema_);
}

std::string PostgresTrust::KeepTrigger(const TableDescription& table, bool record) const {
  const std::string function = In("trf_keep_" + kw::text::Lower(table.name));
  const std::string lock = table.filed_with_month ? Lock("  ") : "";
  // The month's lock speaks first: a row moved into a filed month is refused as that, whatever else it breaks.
  const std::string body = KeyCheck(table) + (record ? Record(table) : lock) + SameHomeChecks(table);
  // Each of its statements finds a row or two through an index (a key given, a month's filing, a
  // chain's head). A session plans them once, often while the tables they read are still empty (a
  // new database, a new server), where reading a whole table looks cheapest; with that plan kept,
  // every new record read every key given since, and 10,000 new residents took 8 s to save, not 0.36.
  return "CREATE OR REPLACE FUNCTION " + function + "() RETURNS trigger LANGUAGE plpgsql SET enable_seqscan = off" +
         Definer() + " AS $fn$\nDECLARE\n  refusal text;\n  who text := session_user;\n  moment text := " + kNow +
         ";\n  body text;\nBEGIN\n" + body +
         "  IF TG_OP = 'DELETE' THEN RETURN OLD; END IF;\n  RETURN NEW;\nEND $fn$;\n" + "REVOKE ALL ON FUNCTION " +
         function + "() FROM PUBLIC;\n" +
         Trigger(In(table.name), "trf_keep",
                 "BEFORE INSERT OR UPDATE OR DELETE ON " + In(table.name) + " FOR EACH ROW EXECUTE FUNCTION " +
                     function + "()");
}

}  // namespace

std::string PostgresTrustSql(std::span<const TableDescription> tables, const std::string& schema) {
  return PostgresTrust(schema).All(tables);
}

std::string PostgresKeepTriggerSql(const TableDescription& table, bool record, const std::string& schema) {
  return PostgresTrust(schema).KeepTrigger(table, record);
}

}  // namespace trf
