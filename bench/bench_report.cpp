// The month's report of a month with 10,000 residents against one with 1,000, per resident: the
// report gathered from the screens (the problem list's pass over every record, the tables, the
// notes) and written as JSON and CSV; and, where Qt is built, written as a PDF too. A report that
// costs more per resident as the month grows shows as a ratio above 1.
#include <memory>
#include <string>

#include "app/data/memory_policy.h"
#include "app/report/report_csv.h"
#include "app/report/report_json.h"
#include "app/report/report_session.h"
#include "bench/bench_database.h"
#include "bench/ratio_reporter.h"

#ifdef TRF_BENCH_PDF
#include <QGuiApplication>

#include "app/report_pdf/report_pdf.h"
#endif

namespace {

// The application on the benchmarks' database with one of its months current, as a person leaves
// it after choosing the home and the month.
struct World {
  explicit World(bench::Month month) {
    trf::ScreenContainer& container = *session.Services().container();
    container.CurrentH_HomesID("1");
    container.CurrentHomeNum("H-101");
    container.CurrentH_HomeMonthlyStatsID(std::to_string(month.id));
    container.CurrentHU_TrfTypesCD("STD");
    container.CurrentStatStatus(0);
  }
  trf::ReportSession session{bench::BenchDatabase()};
};

bench::Month MonthOf(const benchmark::State& state) {
  return state.range(0) == bench::kMonth10k.id ? bench::kMonth10k : bench::kMonth1k;
}

void BM_Report(benchmark::State& state) {
  World world(MonthOf(state));
  for (auto _ : state) {
    const trf::MonthReport report = world.session.Report("bench");
    size_t bytes = trf::MonthReportJson(report).size();
    for (const trf::ReportTable& table : report.tables) bytes += trf::TableCsv(table).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_Report)->Arg(bench::kMonth1k.id)->Arg(bench::kMonth10k.id)->Unit(benchmark::kMillisecond);

#ifdef TRF_BENCH_PDF
void BM_ReportPdf(benchmark::State& state) {
  World world(MonthOf(state));
  const trf::MonthReport report = world.session.Report("bench");
  for (auto _ : state) trf::WriteMonthReportPdf(report, "/dev/null");
}
BENCHMARK(BM_ReportPdf)->Arg(bench::kMonth1k.id)->Arg(bench::kMonth10k.id)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
#ifdef TRF_BENCH_PDF
  trf::HeadlessGuiPlatform();
  int gui_argc = 1;
  QGuiApplication gui(gui_argc, argv);
#endif
  const std::string r1k = "/" + std::to_string(bench::kMonth1k.id);
  const std::string r10k = "/" + std::to_string(bench::kMonth10k.id);
  return bench::RunWithRatios(argc, argv, [&](bench::RatioReporter& r) {
    r.Ratio("report_growth_10k_vs_1k", "BM_Report" + r10k, "BM_Report" + r1k, 1.3, 10, 1);
#ifdef TRF_BENCH_PDF
    r.Ratio("report_pdf_growth_10k_vs_1k", "BM_ReportPdf" + r10k, "BM_ReportPdf" + r1k, 1.3, 10, 1);
#endif
  });
}
