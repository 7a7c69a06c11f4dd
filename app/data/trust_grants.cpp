// The grants tables of a server's groups of roles (see trust_grants.h).
#include "app/data/trust_grants.h"

#include "app/data/trf_tables.h"
#include "app/data/trust_dialects.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/text.h"

namespace trf {

RoleGrants DeskGrants(const std::string& schema) {
  return {schema, "tbs_deskgrants", kw::text::Lower(tables::kHomeAccess.name), "trf_regrant", kDeskRole};
}

RoleGrants ReviewGrants(const std::string& schema) {
  return {schema, "tbs_reviewgrants", kw::text::Lower(tables::kReviewAccess.name), "trf_review_regrant", kReviewerRole};
}

namespace {

// The function that reads the role's column `column` ("s_homes", "s_months") of the grants table.
std::string ReaderName(const RoleGrants& grants, std::string_view column) {
  return grants.schema + "." + grants.group + "_" + std::string(column.substr(2)) + "()";
}

// The statement that makes (or makes anew) the reader of `column`. It is declared immutable, which it
// is not, on purpose: the planner then reads the role's grants once, when it plans a statement, and
// a policy compares with a constant array (found by hash, or an index's condition) instead of
// starting a read of the grants table on every statement. A plan is made for one role only (a
// policy's plans are), and making the reader anew, as every change of a role's grants does, makes
// every session plan again (a plan depends on the functions it evaluated), so a plan never outlives
// the grants it read.
std::string ReaderSql(const RoleGrants& grants, std::string_view column) {
  return "CREATE OR REPLACE FUNCTION " + ReaderName(grants, column) + " RETURNS integer[] LANGUAGE sql IMMUTABLE" +
         FixedSearchPath(grants.schema) + " AS $r$SELECT " + std::string(column) + " FROM " + grants.schema + "." +
         grants.table + " WHERE " + std::string(kRoleAtWork) + "$r$;\n";
}

}  // namespace

std::string GrantedHomesOf(const RoleGrants& grants) { return ReaderName(grants, "s_homes"); }

std::string GrantedMonthsOf(const RoleGrants& grants) { return ReaderName(grants, "s_months"); }

// Gathering the same from the access table and the month records took two aggregates of their own on
// every statement of a desk: by callgrind on the server at 5,000 homes, a month's select cost 129,000
// instructions more for a desk than for the administrator (143,000); with the row, 49,000 more. A
// role reads its own row only.
std::string RoleGrantsSql(const RoleGrants& grants) {
  const auto in = [&](std::string_view name) { return grants.schema + "." + kw::text::Lower(name); };
  const std::string table = in(grants.table);
  const std::string access = in(grants.access);
  const std::string months = in(tables::kHomeMonths.name);
  const std::string regrant = in(grants.prefix);
  const std::string on_access = in(grants.prefix + "_access");
  const std::string on_months = in(grants.prefix + "_months");
  const std::string definer = DefinerOn(grants.schema);
  const std::string homes_reader = ReaderSql(grants, "s_homes");
  const std::string months_reader = ReaderSql(grants, "s_months");
  return "CREATE TABLE IF NOT EXISTS " + table +
         " (s_role text PRIMARY KEY, s_homes integer[] NOT NULL, s_months integer[] NOT NULL);\n"
         "ALTER TABLE " +
         table + " ENABLE ROW LEVEL SECURITY;\n" +
         Policy(table, "trf_own", "FOR SELECT USING (" + std::string(kRoleAtWork) + ")") + homes_reader +
         months_reader + "REVOKE ALL ON " + table + " FROM " + grants.group + ";\nGRANT SELECT ON " + table + " TO " +
         grants.group + ";\n" +
         // The row of role `role` made anew from the access table and the month records.
         "CREATE OR REPLACE FUNCTION " + regrant + "(role text) RETURNS void LANGUAGE plpgsql" + definer +
         " AS $fn$\nBEGIN\n  -- One change of grants at a time: two could not make the readers anew at once.\n"
         "  PERFORM pg_advisory_xact_lock(hashtext(" +
         Quoted(table) + "));\n  DELETE FROM " + table + " WHERE s_role = role;\n  INSERT INTO " + table +
         " (s_role, s_homes, s_months)\n    SELECT role, array_agg(DISTINCT a.h_homesid), coalesce((SELECT "
         "array_agg(m.h_homemonthlystatsid ORDER BY m.h_homemonthlystatsid) FROM " +
         months + " m WHERE m.h_homesid IN (SELECT h_homesid FROM " + access + " WHERE s_role = role)), '{}')\n" +
         "      FROM " + access + " a WHERE a.s_role = role HAVING COUNT(*) > 0;\n" +
         "  -- Every session's plans that read the grants are made again.\n  EXECUTE " + SqlText(homes_reader) +
         ";\n  EXECUTE " + SqlText(months_reader) + ";\nEND $fn$;\n" +
         // A permission granted, changed or revoked: the role's row anew.
         "CREATE OR REPLACE FUNCTION " + on_access + "() RETURNS trigger LANGUAGE plpgsql" + definer +
         " AS $fn$\nBEGIN\n  IF TG_OP <> 'INSERT' THEN PERFORM " + regrant + "(OLD.s_role); END IF;\n" +
         "  IF TG_OP <> 'DELETE' THEN PERFORM " + regrant + "(NEW.s_role); END IF;\n  RETURN NULL;\nEND $fn$;\n" +
         Trigger(
             access, grants.prefix,
             "AFTER INSERT OR UPDATE OR DELETE ON " + access + " FOR EACH ROW EXECUTE FUNCTION " + on_access + "()") +
         // A month record added, moved or removed: the rows of the roles of its home, in one order.
         "CREATE OR REPLACE FUNCTION " + on_months + "() RETURNS trigger LANGUAGE plpgsql" + definer +
         " AS $fn$\nDECLARE\n  role text;\n  homes integer[] := CASE TG_OP WHEN 'INSERT' THEN ARRAY[NEW.h_homesid] "
         "WHEN 'DELETE' THEN ARRAY[OLD.h_homesid] ELSE ARRAY[OLD.h_homesid, NEW.h_homesid] END;\nBEGIN\n" +
         "  FOR role IN SELECT DISTINCT s_role FROM " + access + " WHERE h_homesid = ANY (homes) ORDER BY 1 LOOP\n" +
         "    PERFORM " + regrant + "(role);\n  END LOOP;\n  RETURN NULL;\nEND $fn$;\n" +
         Trigger(months, grants.prefix,
                 "AFTER INSERT OR DELETE OR UPDATE OF h_homesid ON " + months + " FOR EACH ROW EXECUTE FUNCTION " +
                     on_months + "()") +
         "SELECT " + regrant + "(s_role) FROM (SELECT DISTINCT s_role FROM " + access + ") roles;\n" +
         "REVOKE ALL ON FUNCTION " + regrant + "(text) FROM PUBLIC;\n";
}

}  // namespace trf
