// Whether a desk's month feels its region, timed on the wall clock (the server does most of the
// work): the month's load (its residents, as the Residents screen loads them), a save of one
// resident with its change record, and the history of a field, each as the desk of one home of a
// region of 500 homes against the same desk's same work in a region of 50 homes; and the month's
// load against a plain indexed select of the same rows, by hand and without policies, and against the
// administrator's same load, whom no policy filters (what the policies cost of it). Every home of
// a made region works the same in both sizes (its draws are its own), so only the region differs.
//
// The regions are made with make-region's code on a throwaway cluster of the benchmark's own. With
// TRF_REGION_SERVER (a server's URI, as its superuser) the regions are databases region_50 and
// region_<N> there, made when missing, N from TRF_REGION_HOMES: how the capacity page measures 5,000.
#include <sched.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/business/business_classes.h"
#include "app/data/change_record.h"
#include "app/data/memory_policy.h"
#include "app/data/postgres_database.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/region/region_maker.h"
#include "app/region/region_uri.h"
#include "bench/bench_cluster.h"
#include "bench/plain_select.h"
#include "bench/ratio_reporter.h"

namespace {

constexpr int kSmallRegion = 50;

// The first column of the first row `sql` answers on `database`.
kw::Variant Scalar(trf::Database& database, const std::string& sql) {
  auto query = database.Prepare(sql);
  return query->Step() ? query->Column(0) : kw::Variant::Null();
}

// Work of a few hundredths of a millisecond is a round trip between this process and a server
// process, and on a machine of two virtual cores its time turns on whether the two wake on one core
// or on two: left to the scheduler, a region's history took 0.02 ms in one run and 0.08 in the next,
// the other region the other way round. The benchmark and each server process it talks to run on
// the first core, path and floor alike. A process the benchmark may not move stays where it is.
void OnFirstCore(pid_t pid) {
  cpu_set_t first;
  CPU_ZERO(&first);
  CPU_SET(0, &first);
  (void)sched_setaffinity(pid, sizeof first, &first);
}

// One region, and the desk at work in it.
struct Region {
  int homes = 0;
  std::string uri;  // the administrator's
  std::shared_ptr<trf::Database> desk;
  std::shared_ptr<trf::Database> admin;  // the administrator's, through the same data layer
  kw::Variant month;                     // the desk's active month
  kw::Variant history;                   // the key of the resident whose history is read: one of the last filed month's
  std::unique_ptr<trf::LIResidents> saving;
  std::vector<int32_t> saved;  // the positions of the residents the saves correct, one after the other
  PGconn* plain = nullptr;     // the administrator's, whom no policy filters
  std::unique_ptr<bench::PlainMonthSelect> select;
  int64_t saves = 0;
};

// Database region_<homes> on the server of `server`, made when it holds no region yet.
std::string MadeRegion(const std::string& server, int homes) {
  const std::string name = "region_" + std::to_string(homes);
  trf::PostgresDatabase postgres(server);
  if (Scalar(postgres, "SELECT COUNT(*) FROM pg_database WHERE datname = '" + name + "'").ToLong() == 0) {
    postgres.Exec("CREATE DATABASE " + name);
  }
  std::string uri = trf::region::WithDatabase(server, name);
  trf::PostgresDatabase region(uri);
  // A region measured before holds old versions of the rows its saves changed: gone, as the server's
  // own cleaning would have them.
  if (Scalar(region, "SELECT to_regclass('tbh_homes') IS NOT NULL").ToBoolean()) {
    region.Exec("VACUUM tbH_Residents, tbS_ChangeRecord, tbS_ChainHeads");
  }
  const bool made = Scalar(region, "SELECT to_regclass('tbh_homes') IS NOT NULL").ToBoolean() &&
                    Scalar(region, "SELECT COUNT(*) FROM tbH_Homes").ToLong() > 0;
  if (!made) {
    const auto started = std::chrono::steady_clock::now();
    const trf::region::RegionCounts counts = trf::region::MakeRegion(uri, {.homes = homes});
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
    std::cout << "made " << name << ": " << counts.homes << " homes, " << counts.months << " months, "
              << counts.residents << " residents' rows, " << counts.changes << " changes, in " << spent.count() << " s"
              << std::endl;
  }
  return uri;
}

// The home whose desk works in both regions: the first of the small region's with the median beds.
int64_t ChosenHome(const std::string& small_uri) {
  trf::PostgresDatabase region(small_uri);
  return static_cast<int64_t>(Scalar(region, "SELECT H_HomesID FROM tbH_Homes ORDER BY abs(H_Capacity - " +
                                                 std::to_string(static_cast<int>(trf::region::spread::kMedianBeds)) +
                                                 "), H_HomesID LIMIT 1")
                                  .ToDouble());
}

Region DeskAt(int homes, const std::string& uri, int64_t home) {
  Region region;
  region.homes = homes;
  region.uri = uri;
  trf::PostgresDatabase admin(uri);
  const std::string id = std::to_string(home);
  region.month = Scalar(
      admin, "SELECT H_HomeMonthlyStatsID FROM tbH_HomeMonthlyStats WHERE H_HomesID = " + id + " AND StatStatus = 1");
  const std::string role = trf::region::RegionHomes::DeskRole({}, home);
  region.desk = trf::OpenTrfDatabase(trf::region::WithRole(uri, role));
  region.admin = trf::OpenTrfDatabase(uri);
  region.saving = std::make_unique<trf::LIResidents>(region.desk);
  region.saving->Load(region.month);
  // The saves correct the residents whose fee no question asks about, each in turn.
  for (int32_t position = 1; position <= region.saving->Count(); ++position) {
    if (region.saving->FieldValueAt(kw::Variant::Long(position), trf::LIResidents::kMonthlyFee).ToDouble() <= 5000) {
      region.saved.push_back(position);
    }
  }
  // The history is of a resident of the month filed last, which no save changes any more.
  region.history = Scalar(admin,
                          "SELECT MIN(H_ResidentsID) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = "
                          "(SELECT H_HomeMonthlyStatsID FROM tbH_HomeMonthlyStats WHERE H_HomesID = " +
                              id + " AND StatStatus = 2 ORDER BY H_StatMonth DESC LIMIT 1)");
  region.plain = PQconnectdb(uri.c_str());
  region.select = std::make_unique<bench::PlainMonthSelect>(region.plain);
  for (trf::Database* connection : {region.desk.get(), region.admin.get()}) {
    OnFirstCore(static_cast<pid_t>(Scalar(*connection, "SELECT pg_backend_pid()").ToLong()));
  }
  OnFirstCore(PQbackendPID(region.plain));
  return region;
}

std::optional<bench::BenchCluster> cluster;
std::vector<std::unique_ptr<Region>> regions;

// The month's load as the Residents screen loads it: its residents, and the questions a person
// accepted about them (a second statement).
void MonthLoadBy(benchmark::State& state, Region& region, const std::shared_ptr<trf::Database>& database) {
  const auto expected = static_cast<int32_t>(region.select->Run(region.month.ToLong()).residents.size());
  for (auto _ : state) {
    trf::LIResidents residents(database);
    residents.Load(region.month);
    if (residents.Count() != expected || expected == 0) state.SkipWithError("the load missed residents");
  }
}

void MonthLoad(benchmark::State& state, Region& region) { MonthLoadBy(state, region, region.desk); }
void MonthLoadAsAdministrator(benchmark::State& state, Region& region) { MonthLoadBy(state, region, region.admin); }

void PlainSelect(benchmark::State& state, Region& region) {
  for (auto _ : state) {
    if (region.select->Run(region.month.ToLong()).residents.empty()) {
      state.SkipWithError("the select found no residents");
    }
  }
}

// A correction of a resident's fee, saved as the Residents screen saves: its rules run, the batch
// goes in one transaction, and the server writes and chains its change record. The residents are
// corrected in turn, as a desk goes down its month.
void Save(benchmark::State& state, Region& region) {
  trf::LIResidents& residents = *region.saving;
  if (region.saved.empty()) state.SkipWithError("no resident to correct");
  for (auto _ : state) {
    const auto turn = static_cast<size_t>(region.saves++);
    residents.CurrentIndex(kw::Variant::Long(region.saved[turn % region.saved.size()]));
    residents.FieldValue(trf::LIResidents::kMonthlyFee,
                         kw::Variant::Double(2000 + static_cast<double>(turn / region.saved.size() % 2) * 5));
    if (!residents.Save(false)) state.SkipWithError("the save was refused by a rule");
    residents.SaveBatch();
  }
}

void History(benchmark::State& state, Region& region) {
  const std::string fee = trf::tables::column::kMonthlyFee;
  for (auto _ : state) {
    const std::vector<trf::Change> changes = trf::ChangesOf(*region.desk, trf::tables::kResidents.name, region.history);
    size_t shown = 0;
    for (const trf::Change& change : changes) shown += change.field.empty() || change.field == "h_monthlyfee";
    if (shown == 0) state.SkipWithError("the history is empty");
  }
}

void Register(const std::string& name, void (*run)(benchmark::State&, Region&), Region& region) {
  benchmark::RegisterBenchmark((name + "/" + std::to_string(region.homes)).c_str(),
                               [run, &region](benchmark::State& state) { run(state, region); })
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  OnFirstCore(0);
  const char* given_server = std::getenv("TRF_REGION_SERVER");
  const char* given_homes = std::getenv("TRF_REGION_HOMES");
  const int large = given_homes ? std::atoi(given_homes) : 500;
  if (!given_server) cluster.emplace("region");
  const std::string server = given_server ? given_server : cluster->Uri();
  {
    // The server's own cleaning would land on whichever repetition it overlaps.
    trf::PostgresDatabase postgres(server);
    postgres.Exec("ALTER SYSTEM SET autovacuum = off");
    postgres.Exec("SELECT pg_reload_conf()");
  }
  const std::string small_uri = MadeRegion(server, kSmallRegion);
  const std::string large_uri = MadeRegion(server, large);
  const int64_t home = ChosenHome(small_uri);
  regions.push_back(std::make_unique<Region>(DeskAt(kSmallRegion, small_uri, home)));
  regions.push_back(std::make_unique<Region>(DeskAt(large, large_uri, home)));
  for (auto& region : regions) {
    Register("BM_RegionMonthLoad", MonthLoad, *region);
    Register("BM_RegionHistory", History, *region);
    Register("BM_RegionSave", Save, *region);
  }
  Register("BM_RegionPlainSelect", PlainSelect, *regions.back());
  Register("BM_RegionMonthLoadAsAdministrator", MonthLoadAsAdministrator, *regions.back());
  // Operations of a fraction of a millisecond on a server that shares the machine: more and longer
  // repetitions than the other benchmarks take (flags given on the command line still win).
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=15";
  std::string min_time = "--benchmark_min_time=0.1";
  args.insert(args.begin() + 1, {repetitions.data(), min_time.data()});
  const std::string n = std::to_string(large);
  const auto of = [](const std::string& name, int homes) { return name + "/" + std::to_string(homes) + "/real_time"; };
  const int status =
      bench::RunWithRatios(static_cast<int>(args.size()), args.data(),
                           [&](bench::RatioReporter& r) {
                             r.Ratio("region_month_load_" + n + "_vs_50_homes", of("BM_RegionMonthLoad", large),
                                     of("BM_RegionMonthLoad", kSmallRegion), 1.2);
                             r.Ratio("region_save_" + n + "_vs_50_homes", of("BM_RegionSave", large),
                                     of("BM_RegionSave", kSmallRegion), 1.2);
                             r.Ratio("region_history_" + n + "_vs_50_homes", of("BM_RegionHistory", large),
                                     of("BM_RegionHistory", kSmallRegion), 1.2);
                             r.Ratio("region_month_load_vs_plain_select", of("BM_RegionMonthLoad", large),
                                     of("BM_RegionPlainSelect", large), 1.3);
                             r.Ratio("region_month_load_desk_vs_administrator", of("BM_RegionMonthLoad", large),
                                     of("BM_RegionMonthLoadAsAdministrator", large), 1.3);
                           },
                           true,
                           // Saves leave the server writing for a while after them, and old versions of the rows they
                           // change: the reads run on their own, first.
                           {"BM_RegionMonthLoad|BM_RegionPlainSelect|BM_RegionHistory", "BM_RegionSave"});
  for (auto& region : regions) {
    region->select.reset();
    PQfinish(region->plain);
  }
  regions.clear();
  cluster.reset();
  return status;
}
