// The business objects on a PostgreSQL server against libpq by hand, timed on the wall clock since
// the server does part of the work: loading 30,000 residents against a raw select of the same rows
// into a hash by key, and a batch save of 10,000 new residents against one COPY in a transaction.
// The benchmark starts a throwaway cluster of its own and stops it at the end.
#include <libpq-fe.h>

#include <optional>
#include <string>
#include <vector>

#include "app/business/business_classes.h"
#include "app/data/memory_policy.h"
#include "app/data/postgres_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "bench/bench_cluster.h"
#include "bench/bench_database.h"
#include "bench/plain_select.h"
#include "bench/ratio_reporter.h"

namespace {

constexpr int32_t kLoadMonth = 1003;
constexpr int kLoadResidents = 30000;
constexpr int32_t kBatchMonth = 1005;
constexpr int kBatchResidents = 10000;

std::optional<bench::BenchCluster> cluster;

// The server database: the sample data and a month of 30,000 residents, and an empty month for batches.
std::shared_ptr<trf::Database> ServerDatabase() {
  static std::shared_ptr<trf::Database> database = [] {
    auto db =
        trf::OpenTrfDatabase(cluster->Uri(), trf::Access::kReadWrite, trf::kDefaultBusyTimeoutMs, trf::Seed::kSample);
    trf::Transaction transaction(*db);
    db->Exec("INSERT INTO tbH_HomeMonthlyStats VALUES (" + std::to_string(kLoadMonth) + ", 1, 38139, 'STD', 0), (" +
             std::to_string(kBatchMonth) + ", 1, 38139, 'STD', 0)");
    db->Exec(
        "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
        "H_MonthlyFee, H_FamilyGroupsID) SELECT " +
        std::to_string(kLoadMonth) +
        ", 'Resident ' || i, 11000 + i % 9000, 36000 + i % 2000, 1500 + i % 3000 + 0.25 * (i % 4), "
        "CASE WHEN i % 3 = 0 THEN 1 + i % 3 END FROM generate_series(1, " +
        std::to_string(kLoadResidents) + ") AS i");
    transaction.Commit();
    db->Exec("ANALYZE");
    return db;
  }();
  return database;
}

PGconn* Raw() { return static_cast<trf::PostgresDatabase&>(*ServerDatabase()).Handle(); }

// The floor of a load: the same selects through libpq by hand (bench::PlainMonthSelect).
void BM_ServerLoadRawSelect(benchmark::State& state) {
  const bench::PlainMonthSelect select(Raw());
  for (auto _ : state) benchmark::DoNotOptimize(select.Run(kLoadMonth).by_key.size());
}
BENCHMARK(BM_ServerLoadRawSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ServerLoadBusinessObject(benchmark::State& state) {
  auto database = ServerDatabase();
  for (auto _ : state) {
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(kLoadMonth));
    benchmark::DoNotOptimize(residents.Count());
  }
}
BENCHMARK(BM_ServerLoadBusinessObject)->Unit(benchmark::kMillisecond)->UseRealTime();

// Empties the batch month, outside the timing.
void EmptyBatchMonth(benchmark::State& state) {
  state.PauseTiming();
  ServerDatabase()->Exec("DELETE FROM tbH_Residents WHERE H_HomeMonthlyStatsID = " + std::to_string(kBatchMonth));
}

// The floor of a batch save: the same 10,000 rows in one COPY inside a transaction.
void BM_ServerBatchCopy(benchmark::State& state) {
  PGconn* conn = Raw();
  for (auto _ : state) {
    EmptyBatchMonth(state);
    std::string rows;
    for (int i = 0; i < kBatchResidents; ++i) {
      rows += std::to_string(kBatchMonth) + "\tBatch resident " + std::to_string(i) + "\t38047\t" +
              std::to_string(2000 + i % 100) + "\n";
    }
    state.ResumeTiming();
    PQclear(PQexec(conn, "BEGIN"));
    PQclear(PQexec(
        conn, "COPY tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate, H_MonthlyFee) FROM STDIN"));
    PQputCopyData(conn, rows.data(), static_cast<int>(rows.size()));
    PQputCopyEnd(conn, nullptr);
    PQclear(PQgetResult(conn));
    PQclear(PQexec(conn, "COMMIT"));
  }
}
BENCHMARK(BM_ServerBatchCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// A batch of 10,000 new residents made outside the timing, then saved in one transaction.
void BM_ServerBatchSave(benchmark::State& state) {
  auto database = ServerDatabase();
  for (auto _ : state) {
    EmptyBatchMonth(state);
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(kBatchMonth));
    for (int i = 0; i < kBatchResidents; ++i) {
      residents.AddNew();
      residents.FieldValue(trf::LIResidents::kName, kw::Variant::Text("Batch resident " + std::to_string(i)));
      residents.FieldValue(trf::LIResidents::kAdmissionDate, kw::Variant::Text("3/1/2004"));
      residents.FieldValue(trf::LIResidents::kMonthlyFee, kw::Variant::Long(2000 + i % 100));
    }
    state.ResumeTiming();
    residents.SaveBatch();
  }
}
BENCHMARK(BM_ServerBatchSave)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  cluster.emplace("bench");
  const int status = bench::RunWithRatios(
      argc, argv,
      [](bench::RatioReporter& r) {
        r.Ratio("pg_load_30k_vs_libpq_select", "BM_ServerLoadBusinessObject/real_time",
                "BM_ServerLoadRawSelect/real_time", 1.2);
        r.Ratio("pg_batch_save_10k_vs_copy", "BM_ServerBatchSave/real_time", "BM_ServerBatchCopy/real_time", 2);
      },
      true,
      // A batch leaves the server writing it out for a while after: the loads run on their own.
      {"BM_ServerLoad", "BM_ServerBatch"});
  cluster.reset();
  return status;
}
