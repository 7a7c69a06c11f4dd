// The region's part of a server's trust, generated with the rest of it (trust_postgres.cpp): the
// reviewers' group role and what it reads (the homes it was granted and their stored filings, never a
// month's own rows), the states of months told through a function that tells nothing else of them,
// questions on filed months and the desks' replies, stamped by the engine with who and when and never
// changed but by a question's closing, and filings imported from homes that work on a file. Every
// function names its tables in the TRF's schema and runs with a fixed search path.
#include "app/data/change_chain.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_dialects.h"
#include "app/data/trust_grants.h"
#include "app/data/trust_schema.h"
#include "ui_shared/platform/text.h"

namespace trf {

namespace {

// A month record's month as a person reads it, "March 2004", from the month record `m`.
const std::string kMonthWords = "to_char(date '1899-12-30' + floor(m.h_statmonth)::integer, 'FMMonth YYYY')";
// Whether the text `report` (an SQL expression) hashes to `digest`.
std::string DigestHolds(const std::string& report, const std::string& digest) {
  return "encode(sha256(convert_to(" + report + ", 'UTF8')), 'hex') IS NOT DISTINCT FROM " + digest;
}

class RegionTrust {
 public:
  explicit RegionTrust(std::string schema) : schema_(std::move(schema)) {}

  std::string All() const {
    return Role() + RoleGrantsSql(ReviewGrants(schema_)) + Reading() + Grid() + Questions() + Replies() + Imports();
  }

 private:
  std::string In(std::string_view name) const { return schema_ + "." + kw::text::Lower(name); }
  // What every function of the region says after its language: its owner's rights, a fixed search path.
  std::string Definer() const { return DefinerOn(schema_); }
  // The homes the role at work reviews, and works on as a desk, each an array read once per query.
  std::string Reviewed() const { return GrantedHomesOf(ReviewGrants(schema_)); }
  std::string Worked() const { return GrantedHomesOf(DeskGrants(schema_)); }
  // Whether the login at work reviews home `home` (an SQL expression), or administers the database.
  std::string ReviewsHome(const std::string& home) const {
    return "(" + In("trf_administers") + "() OR " + home + " IN (SELECT h_homesid FROM " +
           In(tables::kReviewAccess.name) + " WHERE s_role = session_user))";
  }
  // A table's row-level security turned on, and its rights taken from everyone but its owner.
  std::string Secured(const TableDescription& table) const {
    const std::string name = In(table.name);
    return "ALTER TABLE " + name + " ENABLE ROW LEVEL SECURITY;\nREVOKE ALL ON " + name + " FROM " + kDeskRole +
           ";\nREVOKE ALL ON " + name + " FROM " + kReviewerRole + ";\n";
  }
  // The rule trigger `trigger` of `table`: a function of the administrator's run before every write.
  std::string RuleTrigger(const TableDescription& table, const std::string& trigger, const std::string& body) const {
    return "CREATE OR REPLACE FUNCTION " + In(trigger) + "() RETURNS trigger LANGUAGE plpgsql" + Definer() +
           " AS $fn$\n" + body + "$fn$;\nREVOKE ALL ON FUNCTION " + In(trigger) + "() FROM PUBLIC;\n" +
           Trigger(In(table.name), trigger,
                   "BEFORE INSERT OR UPDATE OR DELETE ON " + In(table.name) + " FOR EACH ROW EXECUTE FUNCTION " +
                       In(trigger) + "()");
  }

  std::string Role() const;
  std::string Reading() const;
  std::string Grid() const;
  std::string Questions() const;
  std::string Replies() const;
  std::string Imports() const;

  std::string schema_;
};

// The reviewers' group role, made once per server, and its use of the schema.
std::string RegionTrust::Role() const {
  const std::string role = kReviewerRole;
  return "DO $$ BEGIN\n  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '" + role +
         "') THEN\n    BEGIN CREATE ROLE " + role +
         " NOLOGIN; EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END;\n  END IF;\nEND $$;\n"
         "GRANT USAGE ON SCHEMA " +
         schema_ + " TO " + role + ";\nGRANT SELECT ON " + In("tbS_SchemaVersion") + " TO " + role + ";\n";
}

// What a reviewer reads: its own permissions, the homes it reviews, and their stored filings, by the
// reviewers' grants (trust_grants.h). The desks' policies are the desks' own, so a reviewer finds no
// row of the permissions and month records it may select from; a month's own rows (residents,
// expenses, notes, family groups, the change record) it may not read at all.
std::string RegionTrust::Reading() const {
  const std::string access = In(tables::kReviewAccess.name);
  const std::string to = std::string(" TO ") + kReviewerRole + ";\n";
  return Secured(tables::kReviewAccess) +
         Policy(access, "trf_own", "FOR SELECT USING (" + std::string(kRoleAtWork) + ")") + "GRANT SELECT ON " +
         access + to + "GRANT SELECT ON " + In(tables::kHomeAccess.name) + to + "GRANT SELECT ON " +
         In(tables::kHomeMonths.name) + to + "GRANT SELECT ON " + In(tables::kHomes.name) + to +
         Policy(In(tables::kHomes.name), "trf_reviewed",
                std::string("FOR SELECT TO ") + kReviewerRole + " USING (h_homesid = ANY (" + Reviewed() +
                    "::integer[]))") +
         "GRANT SELECT ON " + In(tables::kMonthFilings.name) + to +
         Policy(In(tables::kMonthFilings.name), "trf_reviewed",
                std::string("FOR SELECT TO ") + kReviewerRole + " USING (h_homemonthlystatsid = ANY (" +
                    GrantedMonthsOf(ReviewGrants(schema_)) + "::integer[]))");
}

// The region's grid in one query: each month record of the homes the login reviews (or works on as a
// desk, or all of them for the administrator) in a range of months, with its status, how often it was
// filed, the filing in force (who, when, whether its report still hashes to its digest and whether the
// home's change record still holds the digest it recorded), and its open questions; then the filings
// imported from files, a row per home and month. Nothing of a month's own rows. The planner's guess
// of the joined common tables' rows runs hundreds of times too high, which at 500 homes put the query
// past the server's threshold for compiling it: the compilation took 45 of its 130 ms, every time.
// The grid's work is reading rows, not evaluating expressions, so it runs uncompiled. Its parts are
// joined, not matched with IN: the planner guessed 200 rows of each IN and looked the filings up one
// by one through their indexes, which cost 11 us a cell at 500 homes against 7 at 50; joined, the
// filings are read once and the time per cell no longer grows with the region.
std::string RegionTrust::Grid() const {
  const std::string range =
      "(first_month IS NULL OR @.h_statmonth >= first_month) AND (last_month IS NULL OR @.h_statmonth <= last_month)";
  const auto ranged = [&](const std::string& alias) {
    std::string text = range;
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@')) text.replace(at, 1, alias);
    return text;
  };
  const std::string function = In("trf_region_grid");
  return "DROP FUNCTION IF EXISTS " + function + "(double precision, double precision);\n" + "CREATE FUNCTION " +
         function +
         "(first_month double precision, last_month double precision) RETURNS TABLE (home integer, month double "
         "precision, month_id integer, status integer, filings integer, filed_by text, filed_at text, digest_holds "
         "boolean, chain_holds boolean, open_questions integer, imported boolean) LANGUAGE sql STABLE SET jit = off" +
         Definer() + " AS $fn$\nWITH homes_seen AS (\n  SELECT h_homesid FROM " + In(tables::kHomes.name) + " WHERE " +
         In("trf_administers") + "()\n  UNION SELECT h_homesid FROM " + In(tables::kReviewAccess.name) +
         " WHERE s_role = session_user\n  UNION SELECT h_homesid FROM " + In(tables::kHomeAccess.name) +
         " WHERE s_role = session_user),\nmonths AS (\n  SELECT m.h_homemonthlystatsid, m.h_homesid, m.h_statmonth, "
         "m.statstatus FROM " +
         In(tables::kHomeMonths.name) + " m\n   WHERE m.h_homesid IN (SELECT h_homesid FROM homes_seen) AND " +
         ranged("m") +
         "),\nfiled AS (\n  SELECT f.h_homemonthlystatsid, count(*)::integer AS filings,\n"
         "         max(f.h_monthfilingsid) FILTER (WHERE f.h_reopenedat IS NULL) AS in_force\n"
         "    FROM months m JOIN " +
         In(tables::kMonthFilings.name) +
         " f ON f.h_homemonthlystatsid = m.h_homemonthlystatsid\n"
         "   GROUP BY f.h_homemonthlystatsid),\nin_force AS (\n"
         "  SELECT f.h_homemonthlystatsid, f.h_filedby, f.h_filedat, f.h_chaindigest,\n         f.h_report IS NULL "
         "OR " +
         DigestHolds("f.h_report", "f.h_reportdigest") + " AS digest_holds\n    FROM filed fd JOIN " +
         In(tables::kMonthFilings.name) +
         " f ON f.h_monthfilingsid = fd.in_force),\nheld AS (\n"
         "  SELECT DISTINCT c.s_homesid, c.s_digest FROM in_force i JOIN " +
         In(tables::kChangeRecord.name) +
         " c ON c.s_digest = i.h_chaindigest),\nasked AS (\n"
         "  SELECT q.h_homemonthlystatsid, count(*)::integer AS open FROM months m JOIN " +
         In(tables::kRegionQuestions.name) +
         " q\n    ON q.h_homemonthlystatsid = m.h_homemonthlystatsid WHERE q.r_closedat IS NULL\n"
         "   GROUP BY q.h_homemonthlystatsid),\nimported AS (\n"
         "  SELECT DISTINCT ON (i.h_homesid, i.h_statmonth) i.h_homesid, i.h_statmonth, i.h_filedby, i.h_filedat,\n"
         "         " +
         DigestHolds("i.h_report", "i.h_reportdigest") +
         " AS digest_holds,\n         count(*) OVER (PARTITION BY i.h_homesid, i.h_statmonth)::integer AS filings\n"
         "    FROM " +
         In(tables::kImportedFilings.name) + " i WHERE i.h_homesid IN (SELECT h_homesid FROM homes_seen) AND " +
         ranged("i") +
         "\n   ORDER BY i.h_homesid, i.h_statmonth, i.h_filedat DESC, i.r_importedfilingsid DESC)\n"
         "SELECT m.h_homesid, m.h_statmonth, m.h_homemonthlystatsid, m.statstatus, coalesce(fd.filings, 0), "
         "c.h_filedby,\n       c.h_filedat, c.digest_holds, CASE WHEN c.h_homemonthlystatsid IS NULL THEN NULL ELSE "
         "c.h_chaindigest IS NULL\n       OR c.h_chaindigest = '" +
         kChainGenesis +
         "' OR hd.s_digest IS NOT NULL END, coalesce(q.open, 0), false\n  FROM months m\n"
         "  LEFT JOIN filed fd ON fd.h_homemonthlystatsid = m.h_homemonthlystatsid\n"
         "  LEFT JOIN in_force c ON c.h_homemonthlystatsid = m.h_homemonthlystatsid\n"
         "  LEFT JOIN held hd ON hd.s_homesid = m.h_homesid AND hd.s_digest = c.h_chaindigest\n"
         "  LEFT JOIN asked q ON q.h_homemonthlystatsid = m.h_homemonthlystatsid\n"
         // An imported month is closed (status 2): it was filed on its home's own file.
         "UNION ALL\nSELECT i.h_homesid, i.h_statmonth, NULL, 2, i.filings, i.h_filedby, i.h_filedat, i.digest_holds, "
         "NULL, 0, true FROM imported i\n$fn$;\n"
         "REVOKE ALL ON FUNCTION " +
         function + "(double precision, double precision) FROM PUBLIC;\nGRANT EXECUTE ON FUNCTION " + function +
         "(double precision, double precision) TO " + kReviewerRole + ", " + kDeskRole + ";\n";
}

// Questions: a reviewer asks about a filed month of a home it reviews and closes the question once,
// with words; the engine stamps the home, the filing asked about, who and when; the desks of the home
// read them; nothing else changes a question, and none is removed.
std::string RegionTrust::Questions() const {
  const std::string name = In(tables::kRegionQuestions.name);
  const std::string reviewer = kReviewerRole;
  std::string kept, kept_old;
  for (const ColumnDescription& column : tables::kRegionQuestions.columns) {
    const std::string c = kw::text::Lower(column.name);
    if (c.starts_with("r_close")) continue;
    kept += (kept.empty() ? "NEW." : ", NEW.") + c;
    kept_old += (kept_old.empty() ? "OLD." : ", OLD.") + c;
  }
  const std::string body =
      "DECLARE\n  home integer;\n  stat_month double precision;\n  filing integer;\n  month_words text;\nBEGIN\n  IF "
      "TG_OP = 'DELETE' THEN\n    " +
      Refuse("010", "A question stays on record and cannot be removed: close it, saying why.") +
      "\n  END IF;\n  IF TG_OP = 'UPDATE' THEN\n    IF OLD.r_closedat IS NOT NULL THEN\n      " +
      Refuse("010", "This question was closed already, and stays on record as it is.") + "\n    END IF;\n    IF (" +
      kept + ") IS DISTINCT FROM (" + kept_old + ") THEN\n      " +
      Refuse("010", "A question stays as it was asked: only its closing, with a few words, is added to it.") +
      "\n    END IF;\n    IF coalesce(btrim(NEW.r_closetext), '') = '' THEN\n      " +
      Refuse("010", "A question is closed with a few words: say why, and they are kept on record.") +
      "\n    END IF;\n    NEW.r_closedby := session_user;\n    NEW.r_closedat := " + std::string(kServerNow) +
      ";\n    RETURN NEW;\n  END IF;\n  SELECT m.h_homesid, m.h_statmonth, " + kMonthWords +
      " INTO home, stat_month, month_words FROM " + In(tables::kHomeMonths.name) +
      " m WHERE m.h_homemonthlystatsid = NEW.h_homemonthlystatsid;\n  IF home IS NULL OR NOT " + ReviewsHome("home") +
      " THEN\n    " +
      Refuse("010", "A question is asked about a month of a home this reviewer reviews: there is no such month here.") +
      "\n  END IF;\n  SELECT h_monthfilingsid INTO filing FROM " + In(tables::kMonthFilings.name) +
      " WHERE h_homemonthlystatsid = NEW.h_homemonthlystatsid AND h_reopenedat IS NULL;\n  IF filing IS NULL THEN\n"
      "    RAISE EXCEPTION USING ERRCODE = 'TF010', MESSAGE = format('%s is not filed: a question is asked about a "
      "filed month, as it was filed.', month_words);\n  END IF;\n  IF coalesce(btrim(NEW.r_text), '') = '' THEN\n    " +
      Refuse("010", "A question says what it asks: this one is blank.") +
      "\n  END IF;\n  NEW.h_homesid := home;\n  NEW.h_statmonth := stat_month;\n  NEW.h_monthfilingsid := filing;\n  "
      "NEW.r_askedby := session_user;\n"
      "  NEW.r_askedat := " +
      std::string(kServerNow) +
      ";\n  NEW.r_closedby := NULL;\n  NEW.r_closedat := NULL;\n  NEW.r_closetext := NULL;\n  RETURN NEW;\nEND\n";
  return Secured(tables::kRegionQuestions) + RuleTrigger(tables::kRegionQuestions, "trf_question_rule", body) +
         Policy(name, "trf_reviewer_reads",
                "FOR SELECT TO " + reviewer + " USING (h_homesid = ANY (" + Reviewed() + "::integer[]))") +
         Policy(name, "trf_desk_reads",
                std::string("FOR SELECT TO ") + kDeskRole + " USING (h_homesid = ANY (" + Worked() + "::integer[]))") +
         Policy(name, "trf_reviewer_asks",
                "FOR INSERT TO " + reviewer + " WITH CHECK (h_homesid = ANY (" + Reviewed() + "::integer[]))") +
         Policy(name, "trf_reviewer_closes",
                "FOR UPDATE TO " + reviewer + " USING (h_homesid = ANY (" + Reviewed() + "::integer[]))") +
         "GRANT SELECT, INSERT (h_homemonthlystatsid, r_table, r_recordkey, r_record, r_field, r_text), UPDATE "
         "(r_closetext) ON " +
         name + " TO " + reviewer + ";\nGRANT SELECT ON " + name + " TO " + kDeskRole + ";\n";
}

// Replies: a desk answers a question on a month of its home in words, while the question is open; the
// engine stamps the home, who and when; none is changed or removed.
std::string RegionTrust::Replies() const {
  const std::string name = In(tables::kQuestionReplies.name);
  const std::string body =
      "DECLARE\n  home integer;\n  closed text;\nBEGIN\n  IF TG_OP <> 'INSERT' THEN\n    " +
      Refuse("011", "A reply stays on record as it was given: it is neither changed nor removed.") +
      "\n  END IF;\n  SELECT h_homesid, r_closedat INTO home, closed FROM " + In(tables::kRegionQuestions.name) +
      " WHERE r_questionsid = NEW.r_questionsid;\n  IF home IS NULL OR NOT (" + In("trf_administers") +
      "() OR home IN (SELECT h_homesid FROM " + In(tables::kHomeAccess.name) +
      " WHERE s_role = session_user)) THEN\n    RAISE EXCEPTION USING ERRCODE = 'TF011', MESSAGE = format('There is "
      "no question %s on the months of this desk''s homes.', NEW.r_questionsid);\n  END IF;\n"
      "  IF closed IS NOT NULL THEN\n    RAISE EXCEPTION USING ERRCODE = 'TF011', MESSAGE = format('Question %s was "
      "closed on %s UTC: it takes no more replies.', NEW.r_questionsid, closed);\n  END IF;\n"
      "  IF coalesce(btrim(NEW.r_text), '') = '' THEN\n    " +
      Refuse("011", "A reply says something: this one is blank.") +
      "\n  END IF;\n  NEW.h_homesid := home;\n  NEW.r_repliedby := session_user;\n  NEW.r_repliedat := " +
      std::string(kServerNow) + ";\n  RETURN NEW;\nEND\n";
  return Secured(tables::kQuestionReplies) + RuleTrigger(tables::kQuestionReplies, "trf_reply_rule", body) +
         Policy(name, "trf_desk_reads",
                std::string("FOR SELECT TO ") + kDeskRole + " USING (h_homesid = ANY (" + Worked() + "::integer[]))") +
         Policy(name, "trf_reviewer_reads",
                std::string("FOR SELECT TO ") + kReviewerRole + " USING (h_homesid = ANY (" + Reviewed() +
                    "::integer[]))") +
         Policy(name, "trf_desk_replies",
                std::string("FOR INSERT TO ") + kDeskRole + " WITH CHECK (h_homesid = ANY (" + Worked() +
                    "::integer[]))") +
         "GRANT SELECT, INSERT (r_questionsid, r_text) ON " + name + " TO " + kDeskRole + ";\nGRANT SELECT ON " + name +
         " TO " + kReviewerRole + ";\n";
}

// Imported filings: a reviewer adds the filed month a home on a file sent, of a home it reviews; the
// engine checks the report against its digest once more and stamps who imported it and when; an
// import is neither changed nor removed, and the same filing is not imported twice.
std::string RegionTrust::Imports() const {
  const std::string name = In(tables::kImportedFilings.name);
  const std::string body =
      "BEGIN\n  IF TG_OP <> 'INSERT' THEN\n    " +
      Refuse("012", "An imported filing stays on record as it was filed: it is neither changed nor removed.") +
      "\n  END IF;\n  IF NOT " + ReviewsHome("NEW.h_homesid") + " THEN\n    " +
      Refuse("012", "A filing is imported for a home this reviewer reviews: this reviewer does not review that home.") +
      "\n  END IF;\n  IF NOT (" + DigestHolds("NEW.h_report", "NEW.h_reportdigest") + ") THEN\n    " +
      Refuse("012", "The report does not match its digest: it was changed after it was filed, and is not imported.") +
      "\n  END IF;\n  IF EXISTS (SELECT 1 FROM " + name +
      " WHERE h_homesid = NEW.h_homesid AND h_statmonth = NEW.h_statmonth AND h_reportdigest = NEW.h_reportdigest) "
      "THEN\n    " +
      Refuse("012", "This filing was imported already: it is on the region's grid.") +
      "\n  END IF;\n  NEW.r_importedby := session_user;\n  NEW.r_importedat := " + std::string(kServerNow) +
      ";\n  RETURN NEW;\nEND\n";
  return Secured(tables::kImportedFilings) + RuleTrigger(tables::kImportedFilings, "trf_import_rule", body) +
         Policy(name, "trf_reviewer_reads",
                std::string("FOR SELECT TO ") + kReviewerRole + " USING (h_homesid = ANY (" + Reviewed() +
                    "::integer[]))") +
         Policy(name, "trf_reviewer_imports",
                std::string("FOR INSERT TO ") + kReviewerRole + " WITH CHECK (h_homesid = ANY (" + Reviewed() +
                    "::integer[]))") +
         "GRANT SELECT, INSERT (h_homesid, h_statmonth, h_report, h_reportdigest, h_chaindigest, h_filedby, "
         "h_filedat) ON " +
         name + " TO " + kReviewerRole + ";\n";
}

}  // namespace

std::string PostgresRegionTrustSql(const std::string& schema) { return RegionTrust(schema).All(); }

}  // namespace trf
