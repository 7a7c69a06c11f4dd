// Business objects against the floor: loading 30,000 residents against a plain sqlite3 select of
// the same rows, and moving the current record by key against a hash lookup, at 1,000 and 30,000
// records. Prints the ratios measured in the same run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/business/business_classes.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"

namespace {

constexpr int kLargeMonth = 1001;
constexpr int kSmallMonth = 1002;

// A sample database with 30,000 residents in one month and 1,000 in another.
std::shared_ptr<trf::Database> BenchDatabase() {
  static std::shared_ptr<trf::Database> database = [] {
    auto db = trf::OpenTrfDatabase(":memory:");
    trf::Transaction transaction(*db);
    db->Exec("INSERT INTO tbH_HomeMonthlyStats VALUES (1001, 1, 38139, 'STD', 0), (1002, 2, 38139, 'STD', 0)");
    auto insert = db->Prepare(
        "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
        "H_MonthlyFee, H_FamilyGroupsID) VALUES (?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < 31000; ++i) {
      insert->Reset();
      insert->Bind(1, kw::Variant::Long(i < 30000 ? kLargeMonth : kSmallMonth));
      insert->Bind(2, kw::Variant::Text("Resident number " + std::to_string(i)));
      insert->Bind(3, kw::Variant::Double(11000 + i % 9000)).Bind(4, kw::Variant::Double(36000 + i % 2000));
      insert->Bind(5, kw::Variant::Double(1500 + i % 3000));
      insert->Bind(6, i % 3 ? kw::Variant::Null() : kw::Variant::Long(1 + i % 4));
      insert->Step();
    }
    transaction.Commit();
    return db;
  }();
  return database;
}

// The rows as a hand-written reader keeps them.
struct PlainResident {
  int64_t id = 0, month = 0;
  std::string name;
  double birth = 0, admission = 0, fee = 0;
  std::optional<int64_t> family;
};

void BM_LoadPlainSelect(benchmark::State& state) {
  sqlite3* db = BenchDatabase()->Handle();
  for (auto _ : state) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT H_ResidentsID, H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
                       "H_MonthlyFee, H_FamilyGroupsID FROM tbH_Residents WHERE H_HomeMonthlyStatsID = ? "
                       "ORDER BY H_ResidentsID",
                       -1, &stmt, nullptr);
    sqlite3_bind_int(stmt, 1, kLargeMonth);
    std::vector<PlainResident> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      PlainResident& row = rows.emplace_back();
      row.id = sqlite3_column_int64(stmt, 0);
      row.month = sqlite3_column_int64(stmt, 1);
      row.name.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)),
                      static_cast<size_t>(sqlite3_column_bytes(stmt, 2)));
      row.birth = sqlite3_column_double(stmt, 3);
      row.admission = sqlite3_column_double(stmt, 4);
      row.fee = sqlite3_column_double(stmt, 5);
      if (sqlite3_column_type(stmt, 6) != SQLITE_NULL) row.family = sqlite3_column_int64(stmt, 6);
    }
    sqlite3_finalize(stmt);
    std::unordered_map<int64_t, size_t> by_key;
    by_key.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) by_key.emplace(rows[i].id, i);
    benchmark::DoNotOptimize(by_key.size());
  }
}
BENCHMARK(BM_LoadPlainSelect)->Unit(benchmark::kMillisecond);

void BM_LoadBusinessObject(benchmark::State& state) {
  auto database = BenchDatabase();
  for (auto _ : state) {
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(kLargeMonth));
    benchmark::DoNotOptimize(residents.Count());
  }
}
BENCHMARK(BM_LoadBusinessObject)->Unit(benchmark::kMillisecond);

// The keys of a month's residents as the list binding hands them over: " 17".
std::vector<kw::Variant> KeyTexts(trf::LIResidents& residents) {
  std::vector<kw::Variant> keys;
  for (int32_t position = residents.Count(); position >= 1; position -= 7) {
    keys.push_back(kw::Variant::Text(kw::StrOf(residents.FieldValueAt(kw::Variant::Long(position), 1))));
  }
  return keys;
}

void BM_KeyLookupHash(benchmark::State& state) {
  trf::LIResidents residents(BenchDatabase());
  residents.Load(kw::Variant::Long(static_cast<int32_t>(state.range(0))));
  const std::vector<kw::Variant> keys = KeyTexts(residents);
  std::unordered_map<int64_t, size_t> by_key;
  for (int32_t position = 1; position <= residents.Count(); ++position) {
    by_key.emplace(residents.FieldValueAt(kw::Variant::Long(position), 1).ToLong(), position);
  }
  size_t i = 0;
  for (auto _ : state) {
    const std::string& text = keys[i++ % keys.size()].GetText();
    const auto it = by_key.find(std::strtoll(text.c_str(), nullptr, 10));
    benchmark::DoNotOptimize(it->second);
  }
}
BENCHMARK(BM_KeyLookupHash)->Arg(kSmallMonth)->Arg(kLargeMonth);

void BM_KeyLookupBusinessObject(benchmark::State& state) {
  trf::LIResidents residents(BenchDatabase());
  residents.Load(kw::Variant::Long(static_cast<int32_t>(state.range(0))));
  const std::vector<kw::Variant> keys = KeyTexts(residents);
  size_t i = 0;
  for (auto _ : state) {
    residents.CurrentIndex(keys[i++ % keys.size()]);
    benchmark::DoNotOptimize(residents.CurrentIndex());
  }
}
BENCHMARK(BM_KeyLookupBusinessObject)->Arg(kSmallMonth)->Arg(kLargeMonth);

// Keeps the CPU time per iteration of every run, to print the ratios at the end (CPU time: the
// machine is shared, and wall time mostly measures the neighbours).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

void PrintRatio(const RatioReporter& reporter, const char* what, const std::string& ours, const std::string& floor) {
  const auto a = reporter.times.find(ours);
  const auto b = reporter.times.find(floor);
  if (a == reporter.times.end() || b == reporter.times.end()) return;
  std::printf("%-44s %6.2f  (%s / %s)\n", what, a->second / b->second, ours.c_str(), floor.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nRatios against the floor (1.00 = as fast as the hand-written equivalent):\n");
  PrintRatio(reporter, "load 30,000 residents", "BM_LoadBusinessObject", "BM_LoadPlainSelect");
  PrintRatio(reporter, "current record by key, 1,000 records", "BM_KeyLookupBusinessObject/1002",
             "BM_KeyLookupHash/1002");
  PrintRatio(reporter, "current record by key, 30,000 records", "BM_KeyLookupBusinessObject/1001",
             "BM_KeyLookupHash/1001");
  PrintRatio(reporter, "key lookup growth, 30,000 vs 1,000 records", "BM_KeyLookupBusinessObject/1001",
             "BM_KeyLookupBusinessObject/1002");
  benchmark::Shutdown();
  return 0;
}
