// Gathering the month's report from the screens, and the texts its writers share.
#include "app/screens/month_report.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "app/screens/screen_host.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/service.h"

namespace trf {
namespace {

// The home, month, TRF type and status of the month record `month_id`, as stored.
void ReadMonthRecord(Database& database, const std::string& month_id, MonthReport& report) {
  auto query = database.Prepare(
      "SELECT h.H_HomeNum, h.H_HomeName, m.H_StatMonth, t.HU_Description, m.StatStatus "
      "FROM tbH_HomeMonthlyStats m JOIN tbH_Homes h ON h.H_HomesID = m.H_HomesID "
      "JOIN tbHU_TrfTypes t ON t.HU_TrfTypesCD = m.HU_TrfTypesCD WHERE m.H_HomeMonthlyStatsID = ?");
  query->Bind(1, kw::Variant::Text(month_id));
  if (!query->Step()) throw ScreenRefusal("the month record " + month_id + " is not in the database");
  report.home_number = query->Column(0).ToText();
  report.home_name = query->Column(1).ToText();
  const kw::dates::Civil month = kw::dates::CivilOf(query->Column(2).ToDouble());
  report.year = month.year;
  report.month = month.month;
  report.trf_type = query->Column(3).ToText();
  report.status = query->Column(4).ToLong();
}

// The accepted questions of the problem list. The database keeps no record of an acceptance yet:
// when it does, who accepted each question and when are read here, by the question's screen,
// record and rule, into accepted_by and accepted_at.
std::vector<AcceptedQuestion> AcceptedQuestionsOf(const std::vector<Problem>& problems) {
  std::vector<AcceptedQuestion> accepted;
  for (const Problem& problem : problems)
    if (problem.accepted) accepted.push_back({problem});
  return accepted;
}

}  // namespace

bool Passes(const std::vector<Problem>& problems) {
  return std::ranges::all_of(problems, [](const Problem& problem) { return problem.accepted; });
}

bool MonthPasses(ScreenHost& host) { return Passes(host.Problems()); }

MonthReport BuildMonthReport(ScreenHost& host, Database& database, const std::string& filed_by) {
  const std::string month_id = host.Container().CurrentH_HomeMonthlyStatsID();
  if (month_id.empty()) throw ScreenRefusal("choose a month first: the report is of the current month");
  MonthReport report;
  report.filed_by = filed_by;
  report.filed_at = kw::Service<kw::Clock>::Get().Now();
  try {
    ReadMonthRecord(database, month_id, report);
  } catch (const kw::Error&) {
    throw CurrentRefusal();
  }
  std::vector<Problem> problems = host.Problems();
  report.passes = Passes(problems);
  report.accepted = AcceptedQuestionsOf(problems);
  std::erase_if(problems, [](const Problem& problem) { return problem.accepted; });
  report.standing = std::move(problems);
  for (const ScreenPtr& screen : host.Screens()) screen->Perform([&] { screen->AddToReport(report); });
  return report;
}

std::string ReportMonthText(const MonthReport& report) {
  static const std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};
  const bool known = report.month >= 1 && report.month <= 12;
  return (known ? std::string(kMonths[static_cast<size_t>(report.month - 1)])
                : "Month " + std::to_string(report.month)) +
         " " + std::to_string(report.year);
}

std::string IsoMomentText(double serial) {
  const kw::dates::Civil day = kw::dates::CivilOf(serial);
  const int seconds = kw::dates::SecondsOfDay(serial);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", day.year, day.month, day.day, seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return text;
}

}  // namespace trf
