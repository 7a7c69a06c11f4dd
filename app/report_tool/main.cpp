// trf-report: the month's report from the command line, for scripts and schedulers, without a
// display: the same report as the desktop files, as PDF, JSON or CSV, and an exit status that says
// whether the month passed.
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/business/month_service.h"
#include "app/data/connection_text.h"
#include "app/report/report_csv.h"
#include "app/report/report_json.h"
#include "app/report/report_session.h"
#include "app/report_pdf/report_pdf.h"
#include "app/report_tool/report_options.h"
#include "app/siblings/program.h"

namespace {

// What the report says in a line or two: whether the month passes, and what stands in the way.
void Summarise(const trf::MonthReport& report) {
  std::cout << report.home_name << " (" << report.home_number << "), " << trf::ReportMonthText(report) << ": ";
  if (report.filing) {
    std::cout << "filed by " << report.filing->filed_by << " on " << trf::StampText(report.filing->filed_at)
              << "; the report is the one filed\n";
  } else {
    std::cout << (report.passes ? "passes, not filed yet; the report is a draft"
                                : "does not pass yet; the report is a draft")
              << "\n";
  }
  for (const trf::Problem& problem : report.standing)
    std::cout << "  " << problem.screen << ", " << problem.record << (problem.field.empty() ? "" : ", ")
              << problem.field << ": " << (problem.hard ? "error " : "question ") << problem.rule << " "
              << problem.message << "\n";
}

// --verify: the live data held against the chosen month's filing, field by field.
int Verify(trf::ReportSession& session) {
  trf::ScreenHost& host = session.Host();
  const int64_t month = std::stoll(host.Container().CurrentH_HomeMonthlyStatsID());
  const std::vector<std::string> differences = host.Months().DifferencesFromFiling(month, host);
  for (const std::string& difference : differences) std::cout << difference << "\n";
  std::cout << trf::DifferencesSummary(differences) << "\n";
  return differences.empty() ? 0 : 1;
}

int Run(const trf::ReportOptions& options, char* program) {
  const std::string db = *options.app.Database();
  if (!trf::IsServerLocation(db) && !std::filesystem::is_regular_file(db)) {
    std::cerr << "trf-report: there is no database file " << db << "\n";
    return 2;
  }
  // Qt draws the PDF; nothing else needs it.
  std::optional<QGuiApplication> gui;
  int gui_argc = 1;
  if (options.pdf) {
    trf::HeadlessGuiPlatform();
    gui.emplace(gui_argc, &program);
  }
  trf::ReportSession session(db, trf::Access::kReadOnly);
  for (const std::string& notice : session.Services().notices()) std::cerr << "trf-report: note: " << notice << "\n";
  session.Choose(*options.home, options.year, options.month_number);
  if (options.verify) return Verify(session);
  const trf::MonthReport report = session.Report(trf::LoginName());
  if (options.pdf) trf::WriteMonthReportPdf(report, *options.pdf);
  if (options.json) trf::WriteMonthReportJson(report, *options.json);
  if (options.csv) trf::WriteMonthReportCsv(report, *options.csv);
  Summarise(report);
  return report.filed || report.passes ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  trf::ReportOptions options;
  std::string usage;
  if (const auto problem = trf::ParseReportOptions({argv + 1, argv + argc}, std::getenv("TRF_DB"), options, usage)) {
    std::cerr << "trf-report: " << *problem << "\n" << usage;
    return 2;
  }
  if (options.app.help) {
    std::cout << usage;
    return 0;
  }
  if (options.app.version) {
    std::cout << trf::VersionLine("trf-report");
    return 0;
  }
  return trf::RunProgram("trf-report", 2, [&] { return Run(options, argv[0]); });
}
