// What the region's grid costs on a PostgreSQL server, timed on the wall clock: the grid of 500 homes
// by 24 months read by a reviewer (the server's grid function, row-level security, the homes, the
// cells laid out with their states) against a plain aggregate query over the same rows by the
// administrator, written by hand without any of that (the same digests hashed, the same chain
// digests looked up, the same questions counted, each row read); and the grid's time per cell at 500
// homes against 50. The benchmark starts a throwaway cluster of its own and fills it with COPY-sized
// statements: every month filed with a report of ten residents, its digest, a change record entry
// holding its chain digest, and an open question on one month in twenty.
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/business/month_report_json.h"
#include "app/business/region_grid.h"
#include "app/data/memory_policy.h"
#include "app/data/postgres_database.h"
#include "app/data/trf_database.h"
#include "app/data/trust_schema.h"
#include "bench/ratio_reporter.h"

namespace {

constexpr int kMonths = 24;
constexpr size_t kSampleHomes = 3;  // the sample's homes, beside the generated ones
constexpr const char* kReviewer = "bench_reviewer";
const trf::YearMonth kFirst{2004, 1};
const trf::YearMonth kLast{2005, 12};

// The throwaway cluster, started before the benchmarks and stopped after them.
class Cluster {
 public:
  Cluster() : folder_("/tmp/trf-pg-region-" + std::to_string(::getpid())) {
    if (std::system((std::string(PG_TEST_CLUSTER) + " start " + folder_ + " >/dev/null").c_str()) != 0) {
      throw std::runtime_error("the throwaway PostgreSQL cluster did not start");
    }
    trf::PostgresDatabase server(Uri("trf", "public"));
    server.Exec(std::string("CREATE SCHEMA homes50; CREATE SCHEMA homes500; CREATE ROLE ") + kReviewer + " LOGIN");
    server.Exec("ALTER SYSTEM SET autovacuum = off");
    server.Exec("SELECT pg_reload_conf()");
  }
  ~Cluster() { (void)std::system((std::string(PG_TEST_CLUSTER) + " stop " + folder_).c_str()); }
  std::string Uri(const std::string& role, const std::string& schema) const {
    return "postgresql:///postgres?host=" + folder_ + "&user=" + role + "&options=-csearch_path%3D" + schema;
  }

 private:
  std::string folder_;
};

std::optional<Cluster> cluster;

// The report every generated month files, with its home's number and its month put in by the server.
std::string ReportTemplate() {
  trf::MonthReport report;
  report.home_number = "@HOME@";
  report.home_name = "Home @HOME@";
  report.year = 2004;
  report.month = 1;
  report.trf_type = "Standard monthly report";
  report.status = trf::kMonthClosed;
  report.passes = report.filed = true;
  trf::ReportTable residents{"residents",
                             "Residents",
                             {{"H_ResidentName", "Resident name", trf::ColumnKind::kText},
                              {"H_BirthDate", "Birth date", trf::ColumnKind::kDate},
                              {"H_MonthlyFee", "Monthly fee", trf::ColumnKind::kMoney}},
                             {}};
  for (int i = 0; i < 10; ++i) {
    residents.rows.push_back({std::to_string(i + 1),
                              {{"Resident " + std::to_string(i), kw::Variant::Text("Resident " + std::to_string(i))},
                               {"4/2/1931", kw::Variant::Date(11415 + i)},
                               {"2,400.00", kw::Variant::Double(2400 + i)}}});
  }
  report.tables.push_back(std::move(residents));
  std::string json = trf::MonthReportJson(report);
  json.replace(json.find("\"2004-01\""), 9, "\"@MONTH@\"");
  std::string quoted;  // as an SQL literal
  for (const char c : json) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return "'" + quoted + "'";
}

// The TRF in `schema` with `homes` homes, each with 24 filed months, and the reviewer granted all.
std::shared_ptr<trf::Database> Region(const std::string& schema, int homes) {
  auto db = trf::OpenTrfDatabase(cluster->Uri("trf", schema), trf::Access::kReadWrite, trf::kDefaultBusyTimeoutMs,
                                 trf::Seed::kSample);
  const std::string h = std::to_string(homes);
  const std::string months = std::to_string(kMonths);
  // The rows are the engine's as the desks' filings would leave them; its rules stand aside meanwhile.
  db->Exec(
      "BEGIN; SET LOCAL session_replication_role = replica;"
      "INSERT INTO tbH_Homes (H_HomesID, H_RegionCD, H_HomeNum, H_HomeName, H_Capacity) SELECT 100 + i, 'R' || "
      "(i % 10), 'B-' || lpad(i::text, 4, '0'), 'Home ' || i, 20 FROM generate_series(1, " +
      h +
      ") i;"
      "INSERT INTO tbH_HomeMonthlyStats (H_HomeMonthlyStatsID, H_HomesID, H_StatMonth, HU_TrfTypesCD, StatStatus) "
      "SELECT 1000 + i * 100 + m, 100 + i, ((date '2004-01-01' + make_interval(months => m))::date - date "
      "'1899-12-30'),"
      " 'STD', 2 FROM generate_series(1, " +
      h + ") i, generate_series(0, " + months +
      " - 1) m;"
      "CREATE TEMPORARY TABLE made AS SELECT m.H_HomeMonthlyStatsID AS id, m.H_HomesID AS home, replace(replace(" +
      ReportTemplate() +
      ", '@HOME@', h.H_HomeNum), '@MONTH@', to_char(date '1899-12-30' + m.H_StatMonth::integer, 'YYYY-MM')) "
      "AS report, encode(sha256(convert_to(m.H_HomeMonthlyStatsID::text, 'UTF8')), 'hex') AS chain FROM "
      "tbH_HomeMonthlyStats m JOIN tbH_Homes h ON h.H_HomesID = m.H_HomesID WHERE h.H_HomesID >= 100;"
      "INSERT INTO tbS_ChangeRecord (S_Who, S_When, S_Table, S_RecordKey, S_HomesID, S_HomeMonthlyStatsID, "
      "S_Field, S_NewValue, S_Digest) SELECT 'desk', '2004-01-31 10:00:00', 'tbH_HomeMonthlyStats', id::text, "
      "home, id, 'statstatus', '2', chain FROM made;"
      "INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID, H_FiledBy, H_FiledAt, H_Report, H_ReportDigest, "
      "H_ChainDigest) SELECT id, 'desk', '2004-01-31 10:00:00', report, encode(sha256(convert_to(report, "
      "'UTF8')), 'hex'), chain FROM made;"
      "INSERT INTO tbR_Questions (H_HomeMonthlyStatsID, H_HomesID, H_StatMonth, H_MonthFilingsID, R_Text, "
      "R_AskedBy, R_AskedAt) SELECT f.H_HomeMonthlyStatsID, m.H_HomesID, m.H_StatMonth, f.H_MonthFilingsID, "
      "'Is this right?', 'reviewer', '2004-02-01 10:00:00' FROM tbH_MonthFilings f JOIN tbH_HomeMonthlyStats m "
      "ON m.H_HomeMonthlyStatsID = f.H_HomeMonthlyStatsID WHERE f.H_MonthFilingsID % 20 = 0;"
      "DROP TABLE made; COMMIT;"
      // The reviewer's grants go in as the administrator grants them, so that the access table's
      // triggers gather the homes and months the reviewer's policies read.
      "INSERT INTO tbS_ReviewAccess (S_Role, H_HomesID) SELECT '" +
      std::string(kReviewer) + "', H_HomesID FROM tbH_Homes; GRANT " + trf::kReviewerRole + " TO " + kReviewer +
      "; ANALYZE");
  return db;
}

std::shared_ptr<trf::Database> Reviewer(const std::string& schema, int homes) {
  Region(schema, homes);
  return trf::OpenTrfDatabase(cluster->Uri(kReviewer, schema));
}

std::shared_ptr<trf::Database> Reviewer50() {
  static auto database = Reviewer("homes50", 50);
  return database;
}
std::shared_ptr<trf::Database> Reviewer500() {
  static auto database = Reviewer("homes500", 500);
  return database;
}
std::shared_ptr<trf::Database> Administrator500() {
  static auto database = [] {
    Reviewer500();
    auto administrator = trf::OpenTrfDatabase(cluster->Uri("trf", "homes500"));
    administrator->Exec("SET jit = off");  // as the grid runs: the floor's plan is not compiled either
    return administrator;
  }();
  return database;
}

void Grid(benchmark::State& state, const std::shared_ptr<trf::Database>& database, size_t homes) {
  for (auto _ : state) {
    const trf::RegionGrid grid = trf::ReadRegionGrid(*database, trf::GridRange{"", kFirst, kLast});
    if (grid.homes.size() != homes + kSampleHomes || grid.months.size() != kMonths) {
      state.SkipWithError(("the grid has " + std::to_string(grid.homes.size()) + " homes by " +
                           std::to_string(grid.months.size()) + " months")
                              .c_str());
    }
  }
}
void BM_Grid500(benchmark::State& state) { Grid(state, Reviewer500(), 500); }
void BM_Grid50(benchmark::State& state) { Grid(state, Reviewer50(), 50); }

// The floor: the same rows and checks by the administrator in one hand-written query, each row read.
void BM_PlainAggregate500(benchmark::State& state) {
  const auto database = Administrator500();
  auto query = database->Prepare(
      "SELECT m.H_HomesID, m.H_StatMonth, m.StatStatus, count(f.H_MonthFilingsID), max(f.H_FiledBy), "
      "max(f.H_FiledAt), bool_and(encode(sha256(convert_to(f.H_Report, 'UTF8')), 'hex') = f.H_ReportDigest), "
      "bool_and(c.S_Digest IS NOT NULL), (SELECT count(*) FROM tbR_Questions q WHERE q.H_HomeMonthlyStatsID = "
      "m.H_HomeMonthlyStatsID AND q.R_ClosedAt IS NULL) FROM tbH_HomeMonthlyStats m LEFT JOIN tbH_MonthFilings f ON "
      "f.H_HomeMonthlyStatsID = m.H_HomeMonthlyStatsID AND f.H_ReopenedAt IS NULL LEFT JOIN tbS_ChangeRecord c ON "
      "c.S_HomesID = m.H_HomesID AND c.S_Digest = f.H_ChainDigest WHERE m.H_StatMonth BETWEEN ? AND ? GROUP BY "
      "m.H_HomeMonthlyStatsID");
  for (auto _ : state) {
    query->Reset();
    query->Bind(1, kw::Variant::Double(kFirst.Serial())).Bind(2, kw::Variant::Double(kLast.Next().Serial()));
    size_t rows = 0;
    double sum = 0;
    while (query->Step()) {
      ++rows;
      for (int column = 0; column < 9; ++column) sum += query->Column(column).IsNull() ? 0 : 1;
    }
    benchmark::DoNotOptimize(sum);
    if (rows < 500L * kMonths) state.SkipWithError("the aggregate missed rows");
  }
}
BENCHMARK(BM_Grid500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainAggregate500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid50)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  cluster.emplace();
  const int status = bench::RunWithRatios(
      argc, argv,
      [](bench::RatioReporter& r) {
        r.Ratio("review_grid_500_homes_vs_plain_aggregate", "BM_Grid500/real_time", "BM_PlainAggregate500/real_time",
                1.5);
        // Time per cell: 500 homes by 24 months against 50 by 24 (the sample's three homes beside each).
        r.Ratio("review_grid_growth_500_vs_50_homes", "BM_Grid500/real_time", "BM_Grid50/real_time", 1.3,
                503.0 * kMonths, 53.0 * kMonths);
      },
      true);
  cluster.reset();
  return status;
}
