// The month as one service: choosing, status, filing and reopening, the report, and the filing
// held against the live data.
#include "app/business/month_service.h"

#include <cstdio>
#include <map>

#include "app/business/json_value.h"
#include "app/business/month_report_json.h"
#include "app/business/month_start.h"
#include "app/data/schema.h"
#include "app/data/stored_values.h"
#include "app/data/transaction.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/service.h"

namespace trf {

namespace {

[[noreturn]] void Refuse(const std::string& sentence) { RaiseDataError(kDatabaseError, sentence); }

MonthChoice MonthOfRow(const Statement& query) {
  MonthChoice choice;
  choice.key = KeyOf(query.Column(0));
  choice.home = KeyOf(query.Column(1));
  choice.date = query.Column(2).ToDouble();
  const kw::dates::Civil civil = kw::dates::CivilOf(choice.date);
  choice.year = civil.year;
  choice.month = civil.month;
  choice.status = query.Column(3).ToLong();
  choice.trf_type = query.Column(4).ToText();
  return choice;
}

const char* const kMonthColumns = "H_HomeMonthlyStatsID, H_HomesID, H_StatMonth, StatStatus, HU_TrfTypesCD";

// The texts of a paragraph's runs, as one plain text.
std::string PlainText(const ReportParagraph& paragraph) {
  std::string text;
  for (const ReportRun& run : paragraph.runs) text += run.text;
  return text;
}

// A record of a table as a sentence names it: its first cell and its key.
std::string RecordName(const ReportTable& table, const ReportRow& row) {
  const std::string name = row.cells.empty() ? std::string() : row.cells.front().text;
  return table.title + ", " + (name.empty() ? "record " + row.key : name + " (record " + row.key + ")");
}

// What a shown value reads as in a sentence: the text, or "nothing".
std::string Shown(const std::string& text) { return text.empty() ? "nothing" : text; }

void TableDifferences(const ReportTable& filed, const ReportTable& live, std::vector<std::string>& out) {
  std::map<std::string, const ReportRow*> now;
  for (const ReportRow& row : live.rows) now[row.key] = &row;
  for (const ReportRow& row : filed.rows) {
    const auto found = now.find(row.key);
    if (found == now.end()) {
      out.push_back(RecordName(filed, row) + ": filed, and no longer there.");
      continue;
    }
    for (size_t i = 0; i < row.cells.size() && i < found->second->cells.size() && i < filed.columns.size(); ++i) {
      const std::string& was = row.cells[i].text;
      const std::string& is = found->second->cells[i].text;
      if (was != is) {
        out.push_back(RecordName(filed, row) + ", " + filed.columns[i].caption + ": filed " + Shown(was) + ", now " +
                      Shown(is) + ".");
      }
    }
    now.erase(found);
  }
  for (const ReportRow& row : live.rows)
    if (now.contains(row.key)) out.push_back(RecordName(live, row) + ": added since the filing.");
}

}  // namespace

MonthService::MonthService(std::shared_ptr<Database> database) : database_(std::move(database)) {}

std::vector<HomeChoice> MonthService::Homes() const {
  auto query = database_->Prepare("SELECT H_HomesID, H_HomeNum, H_HomeName FROM tbH_Homes ORDER BY H_HomeNum");
  std::vector<HomeChoice> homes;
  while (query->Step())
    homes.push_back({KeyOf(query->Column(0)), query->Column(1).ToText(), query->Column(2).ToText()});
  return homes;
}

std::vector<MonthChoice> MonthService::MonthsOf(int64_t home) const {
  auto query = database_->Prepare(std::string("SELECT ") + kMonthColumns +
                                  " FROM tbH_HomeMonthlyStats WHERE H_HomesID = ? ORDER BY H_StatMonth");
  query->Bind(1, BoundKey(home));
  std::vector<MonthChoice> months;
  while (query->Step()) months.push_back(MonthOfRow(*query));
  return months;
}

HomeChoice MonthService::HomeNumbered(const std::string& number) const {
  std::string known;
  for (const HomeChoice& home : Homes()) {
    if (home.number == number) return home;
    known += (known.empty() ? "" : ", ") + home.number;
  }
  Refuse("There is no home numbered " + number + (known.empty() ? "." : "; the homes are " + known + "."));
}

MonthChoice MonthService::MonthOf(const HomeChoice& home, int year, int month) const {
  std::string known;
  for (const MonthChoice& choice : MonthsOf(home.key)) {
    if (choice.year == year && choice.month == month) return choice;
    known += (known.empty() ? "" : ", ") + MonthYearText(choice.year, choice.month);
  }
  Refuse("Home " + home.number + " has no month " + MonthYearText(year, month) +
         (known.empty() ? "." : "; its months are " + known + "."));
}

MonthStanding MonthService::Standing(int64_t month) const {
  MonthStanding standing;
  auto query = database_->Prepare(std::string("SELECT ") + kMonthColumns +
                                  " FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = ?");
  query->Bind(1, BoundKey(month));
  if (!query->Step()) Refuse("The month record " + std::to_string(month) + " is not in the database.");
  standing.month = MonthOfRow(*query);
  query.reset();
  standing.filing = FilingOf(*database_, month);
  auto reopened = database_->Prepare(
      "SELECT H_ReopenedBy, H_ReopenedAt, H_ReopenReason FROM tbH_MonthFilings WHERE H_HomeMonthlyStatsID = ? AND "
      "H_ReopenedAt IS NOT NULL ORDER BY H_ReopenedAt DESC");
  reopened->Bind(1, BoundKey(month));
  if (reopened->Step()) {
    standing.reopened_by = reopened->Column(0).ToText();
    standing.reopened_at = reopened->Column(1).ToText();
    standing.reopen_reason = reopened->Column(2).IsNull() ? "" : reopened->Column(2).ToText();
  }
  return standing;
}

std::string MonthService::StatusText(const MonthStanding& standing) {
  if (standing.filing) {
    return "filed by " + standing.filing->filed_by + " on " + StampText(standing.filing->filed_at);
  }
  if (!standing.reopened_by.empty() && standing.month.status == kMonthActive) {
    return "reopened by " + standing.reopened_by + " on " + StampText(standing.reopened_at) + ": " +
           standing.reopen_reason;
  }
  return MonthStatusText(standing.month.status);
}

MonthReport MonthService::LiveReport(int64_t month, MonthSheets& sheets, const std::string& made_by) const {
  MonthReport report;
  report.made_by = made_by;
  report.made_at = kw::Service<kw::Clock>::Get().Now();
  auto query = database_->Prepare(
      "SELECT h.H_HomeNum, h.H_HomeName, m.H_StatMonth, t.HU_Description, m.StatStatus "
      "FROM tbH_HomeMonthlyStats m JOIN tbH_Homes h ON h.H_HomesID = m.H_HomesID "
      "JOIN tbHU_TrfTypes t ON t.HU_TrfTypesCD = m.HU_TrfTypesCD WHERE m.H_HomeMonthlyStatsID = ?");
  query->Bind(1, BoundKey(month));
  if (!query->Step()) Refuse("The month record " + std::to_string(month) + " is not in the database.");
  report.home_number = query->Column(0).ToText();
  report.home_name = query->Column(1).ToText();
  const kw::dates::Civil civil = kw::dates::CivilOf(query->Column(2).ToDouble());
  report.year = civil.year;
  report.month = civil.month;
  report.trf_type = query->Column(3).ToText();
  report.status = query->Column(4).ToLong();
  query.reset();
  std::vector<Problem> problems = sheets.Problems();
  // The region's questions are the region's, not the month's: they are no part of its report.
  std::erase_if(problems, [](const Problem& problem) { return problem.region_question != 0; });
  report.passes = Passes(problems);
  for (const Problem& problem : problems)
    if (problem.accepted) report.accepted.push_back({problem, problem.accepted_by, problem.accepted_at});
  std::erase_if(problems, [](const Problem& problem) { return problem.accepted; });
  report.standing = std::move(problems);
  sheets.AddToReport(report);
  return report;
}

std::optional<MonthReport> MonthService::FiledReport(int64_t month) const {
  const std::optional<Filing> filing = FilingOf(*database_, month);
  if (!filing || filing->report.empty()) return std::nullopt;
  MonthReport report;
  try {
    report = MonthReportFromJson(filing->report);
  } catch (const JsonError& error) {
    Refuse("The report stored with the filing cannot be read: " + error.sentence);
  }
  report.filed = true;
  report.filing = FilingFacts{filing->filed_by, filing->filed_at, filing->report_digest, filing->chain_digest};
  return report;
}

MonthReport MonthService::Report(int64_t month, MonthSheets& sheets, const std::string& made_by) const {
  if (std::optional<MonthReport> filed = FiledReport(month)) return std::move(*filed);
  return LiveReport(month, sheets, made_by);
}

void MonthService::Start(int64_t month) { StartMonth(*database_, month); }

void MonthService::File(int64_t month, MonthSheets& sheets, const std::string& made_by) {
  if (FilingOf(*database_, month))
    Refuse("This month is filed already: reopen it, with a reason, before it is filed again.");
  MonthReport report = LiveReport(month, sheets, made_by);
  if (!report.passes) {
    Refuse("The month does not pass its checks (" + std::to_string(report.standing.size()) +
           (report.standing.size() == 1 ? " problem stands" : " problems stand") + " in the way): it is not filed.");
  }
  report.status = kMonthClosed;
  report.filed = true;
  Transaction transaction(*database_);
  SetMonthStatus(*database_, month, kMonthClosed);  // before the filing: from the filing on, the month is locked
  FileMonth(*database_, month, MonthReportJson(report));
  transaction.Commit();
}

void MonthService::Reopen(int64_t month, const std::string& reason) {
  Transaction transaction(*database_);
  ReopenMonth(*database_, month, reason);  // first: the month is open to change from here on
  SetMonthStatus(*database_, month, kMonthActive);
  transaction.Commit();
}

std::vector<std::string> MonthService::DifferencesFromFiling(int64_t month, MonthSheets& sheets) const {
  const std::optional<MonthReport> filed = FiledReport(month);
  if (!filed) Refuse("This month is not filed with its report, so there is nothing to hold the live data against.");
  return ReportDifferences(*filed, LiveReport(month, sheets, filed->made_by));
}

std::vector<RegionQuestion> MonthService::Questions(int64_t month) const {
  if (DialectOf(*database_) != Dialect::kPostgres) return {};
  return ReadQuestions(*database_, month, true);
}

void MonthService::Reply(int64_t number, const std::string& text) {
  if (DialectOf(*database_) != Dialect::kPostgres) Refuse("Questions of the region reach desks on a server only.");
  ReplyToQuestion(*database_, number, text);
}

std::string DifferencesSummary(const std::vector<std::string>& differences) {
  if (differences.empty()) return "The live data match the filing.";
  return std::to_string(differences.size()) + (differences.size() == 1 ? " field differs" : " fields differ") +
         " from the filing.";
}

std::vector<std::string> ReportDifferences(const MonthReport& filed, const MonthReport& live) {
  std::vector<std::string> out;
  if (filed.home_name != live.home_name)
    out.push_back("Home name: filed " + filed.home_name + ", now " + live.home_name + ".");
  if (filed.trf_type != live.trf_type)
    out.push_back("TRF type: filed " + filed.trf_type + ", now " + live.trf_type + ".");
  for (const ReportTable& table : filed.tables) {
    const ReportTable* now = nullptr;
    for (const ReportTable& candidate : live.tables)
      if (candidate.name == table.name) now = &candidate;
    if (now) TableDifferences(table, *now, out);
  }
  std::string filed_notes, live_notes;
  for (const ReportParagraph& paragraph : filed.notes) filed_notes += PlainText(paragraph) + "\n";
  for (const ReportParagraph& paragraph : live.notes) live_notes += PlainText(paragraph) + "\n";
  if (filed_notes != live_notes) out.emplace_back("Notes: the text differs from the filed notes.");
  return out;
}

}  // namespace trf
