// What trust costs on a PostgreSQL server, timed on the wall clock: a batch save of 10,000 new
// residents with the change record written by the triggers against the same save without them, and
// loading 30,000 residents as a desk under row-level security against the same load by the
// administrator, whom no policy filters. The benchmark starts a throwaway cluster of its own.
#include <optional>
#include <string>

#include "app/business/business_classes.h"
#include "app/data/home_access.h"
#include "app/data/memory_policy.h"
#include "app/data/postgres_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/data/trust_schema.h"
#include "bench/bench_cluster.h"
#include "bench/ratio_reporter.h"

namespace {

constexpr int32_t kLoadMonth = 1003;
constexpr int kLoadResidents = 30000;
constexpr int32_t kBatchMonth = 1005;
constexpr int kBatchResidents = 10000;
constexpr const char* kDesk = "bench_desk";

std::optional<bench::BenchCluster> cluster;

// The database as `role` sees it in `schema`.
std::string Uri(const std::string& role, const std::string& schema) {
  return cluster->Uri("postgres", role) + "&options=-csearch_path%3D" + schema;
}

// The schema of the TRF without the change record, the desk's role, and the server's own cleaning off:
// it would land on whichever repetition it overlaps, so each batch cleans up after itself and has its
// pages written out, outside the timing.
void PrepareCluster() {
  trf::PostgresDatabase server(Uri("trf", "public"));
  server.Exec(std::string("CREATE SCHEMA plain; CREATE ROLE ") + kDesk + " LOGIN");
  server.Exec("ALTER SYSTEM SET autovacuum = off");
  server.Exec("SELECT pg_reload_conf()");
}

// The sample data, a month of 30,000 residents and an empty month for batches, in `schema`.
std::shared_ptr<trf::Database> Prepared(const std::string& schema) {
  auto db =
      trf::OpenTrfDatabase(Uri("trf", schema), trf::Access::kReadWrite, trf::kDefaultBusyTimeoutMs, trf::Seed::kSample);
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
}

// The TRF with everything in force; the desk may work on H-101.
std::shared_ptr<trf::Database> Trusted() {
  static std::shared_ptr<trf::Database> database = [] {
    auto db = Prepared("public");
    trf::GrantHome(*db, kDesk, "H-101");
    return db;
  }();
  return database;
}

// The same TRF without the change record: its triggers still lock filed months, and record nothing.
std::shared_ptr<trf::Database> Unrecorded() {
  static std::shared_ptr<trf::Database> database = [] {
    auto db = Prepared("plain");
    for (const trf::TableDescription& table : trf::tables::All())
      if (table.home_data != trf::HomeData::kNone)
        db->Exec(trf::KeepTriggerSql(table, false, trf::CurrentSchemaName(*db)));
    return db;
  }();
  return database;
}

std::shared_ptr<trf::Database> Desk() {
  static std::shared_ptr<trf::Database> database = [] {
    Trusted();
    return trf::OpenTrfDatabase(Uri(kDesk, "public"));
  }();
  return database;
}

void Load(benchmark::State& state, const std::shared_ptr<trf::Database>& database) {
  for (auto _ : state) {
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(kLoadMonth));
    if (residents.Count() != kLoadResidents) state.SkipWithError("the load missed residents");
  }
}
void BM_LoadUnderRowSecurity(benchmark::State& state) { Load(state, Desk()); }
void BM_LoadWithoutRowSecurity(benchmark::State& state) { Load(state, Trusted()); }
BENCHMARK(BM_LoadUnderRowSecurity)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadWithoutRowSecurity)->Unit(benchmark::kMillisecond)->UseRealTime();

// A batch of 10,000 new residents made outside the timing, then saved in one transaction.
void BatchSave(benchmark::State& state, const std::shared_ptr<trf::Database>& database) {
  for (auto _ : state) {
    state.PauseTiming();
    database->Exec("DELETE FROM tbH_Residents WHERE H_HomeMonthlyStatsID = " + std::to_string(kBatchMonth));
    database->Exec("VACUUM tbH_Residents, tbS_ChangeRecord");
    database->Exec("CHECKPOINT");
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
void BM_BatchSaveWithChangeRecord(benchmark::State& state) { BatchSave(state, Trusted()); }
void BM_BatchSaveWithoutChangeRecord(benchmark::State& state) { BatchSave(state, Unrecorded()); }
BENCHMARK(BM_BatchSaveWithChangeRecord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BatchSaveWithoutChangeRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  cluster.emplace("trust");
  PrepareCluster();
  const int status = bench::RunWithRatios(
      argc, argv,
      [](bench::RatioReporter& r) {
        r.Ratio("pg_batch_save_10k_change_record_vs_none", "BM_BatchSaveWithChangeRecord/real_time",
                "BM_BatchSaveWithoutChangeRecord/real_time", 1.5);
        r.Ratio("pg_load_30k_row_security_vs_none", "BM_LoadUnderRowSecurity/real_time",
                "BM_LoadWithoutRowSecurity/real_time", 1.2);
      },
      true, {"BM_BatchSave", "BM_Load"});
  cluster.reset();
  return status;
}
