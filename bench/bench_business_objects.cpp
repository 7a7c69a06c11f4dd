// Business objects against their floors: loading residents against a plain sqlite3 select into a
// hash by key, the current record by key against strtoll and a hash lookup, and removing records
// one at a time (delete, save) against a vector erase and a hash erase; with the growth of the
// load from 1,000 to 10,000 to 100,000 records and of the removal from 2,000 to 4,000.
#include <sqlite3.h>

#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <vector>

#include "app/business/business_classes.h"
#include "bench/bench_database.h"
#include "bench/ratio_reporter.h"

namespace {

// The floor of a load: the same select (the row version included), each column read once, the
// rows kept in a vector and found by key through a hash.
void BM_LoadPlainSelect(benchmark::State& state) {
  sqlite3* db = static_cast<trf::SqliteDatabase&>(*bench::BenchDatabase()).Handle();
  for (auto _ : state) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT H_ResidentsID, H_HomeMonthlyStatsID, H_ResidentName, H_BirthDate, H_AdmissionDate, "
                       "H_MonthlyFee, H_FamilyGroupsID, RowVersion FROM tbH_Residents WHERE H_HomeMonthlyStatsID = ? "
                       "ORDER BY H_ResidentsID",
                       -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, state.range(0));
    std::vector<bench::PlainResident> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      bench::PlainResident& row = rows.emplace_back();
      row.id = sqlite3_column_int64(stmt, 0);
      row.month = sqlite3_column_int64(stmt, 1);
      row.name.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)),
                      static_cast<size_t>(sqlite3_column_bytes(stmt, 2)));
      row.birth = sqlite3_column_double(stmt, 3);
      row.admission = sqlite3_column_double(stmt, 4);
      row.fee = sqlite3_column_double(stmt, 5);
      if (sqlite3_column_type(stmt, 6) != SQLITE_NULL) row.family = sqlite3_column_int64(stmt, 6);
      row.version = sqlite3_column_int64(stmt, 7);
    }
    sqlite3_finalize(stmt);
    std::unordered_map<int64_t, size_t> by_key;
    by_key.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) by_key.emplace(rows[i].id, i);
    benchmark::DoNotOptimize(by_key.size());
  }
}
BENCHMARK(BM_LoadPlainSelect)->Arg(bench::kMonth30k.id)->Unit(benchmark::kMillisecond);

void BM_LoadBusinessObject(benchmark::State& state) {
  auto database = bench::BenchDatabase();
  for (auto _ : state) {
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(static_cast<int32_t>(state.range(0))));
    benchmark::DoNotOptimize(residents.Count());
  }
}
BENCHMARK(BM_LoadBusinessObject)
    ->Arg(bench::kMonth1k.id)
    ->Arg(bench::kMonth10k.id)
    ->Arg(bench::kMonth30k.id)
    ->Arg(bench::kMonth100k.id)
    ->Unit(benchmark::kMillisecond);

// Every seventh key of a month's residents, as the list binding hands them over: "17".
std::vector<kw::Variant> KeyTexts(trf::LIResidents& residents) {
  std::vector<kw::Variant> keys;
  for (int32_t position = residents.Count(); position >= 1; position -= 7) {
    keys.push_back(kw::Variant::Text(kw::StrOf(residents.FieldValueAt(kw::Variant::Long(position), 1)).substr(1)));
  }
  return keys;
}

void BM_KeyLookupHash(benchmark::State& state) {
  trf::LIResidents residents(bench::BenchDatabase());
  residents.Load(kw::Variant::Long(static_cast<int32_t>(state.range(0))));
  const std::vector<kw::Variant> keys = KeyTexts(residents);
  std::unordered_map<int64_t, int32_t> by_key;
  for (int32_t position = 1; position <= residents.Count(); ++position) {
    by_key.emplace(residents.FieldValueAt(kw::Variant::Long(position), 1).ToLong(), position);
  }
  size_t i = 0;
  int32_t current = 0;
  for (auto _ : state) {
    const std::string& text = keys[i++ % keys.size()].GetText();
    current = by_key.find(std::strtoll(text.c_str(), nullptr, 10))->second;
    benchmark::DoNotOptimize(current);
  }
}
BENCHMARK(BM_KeyLookupHash)->Arg(bench::kMonth1k.id)->Arg(bench::kMonth30k.id);

void BM_KeyLookupBusinessObject(benchmark::State& state) {
  trf::LIResidents residents(bench::BenchDatabase());
  residents.Load(kw::Variant::Long(static_cast<int32_t>(state.range(0))));
  const std::vector<kw::Variant> keys = KeyTexts(residents);
  size_t i = 0;
  for (auto _ : state) {
    residents.CurrentIndex(keys[i++ % keys.size()]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyLookupBusinessObject)->Arg(bench::kMonth1k.id)->Arg(bench::kMonth30k.id);

// Removes the first `count` residents of the 10,000-resident month one at a time: the first
// record is made current, deleted and saved (the batch remembers its key).
void BM_RemoveOneByOne(benchmark::State& state) {
  auto database = bench::BenchDatabase();
  const auto count = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(bench::kMonth10k.id));
    state.ResumeTiming();
    for (int32_t i = 0; i < count; ++i) {
      residents.CurrentIndex(kw::Variant::Long(1));
      residents.Delete();
      residents.Save(false);
    }
    benchmark::DoNotOptimize(residents.Count());
  }
}
BENCHMARK(BM_RemoveOneByOne)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

// The floor of removal: the same rows in a vector with a hash by key; the first row is erased
// from both, `count` times.
void BM_RemoveVectorErase(benchmark::State& state) {
  const auto count = static_cast<size_t>(state.range(0));
  trf::LIResidents residents(bench::BenchDatabase());
  residents.Load(kw::Variant::Long(bench::kMonth10k.id));
  std::vector<std::vector<kw::Variant>> loaded;
  for (int32_t position = 1; position <= residents.Count(); ++position) {
    auto& values = loaded.emplace_back();
    for (int32_t field = 1; field <= 7; ++field)
      values.push_back(residents.FieldValueAt(kw::Variant::Long(position), field));
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::vector<kw::Variant>> rows = loaded;
    std::unordered_map<int64_t, size_t> by_key;
    for (size_t i = 0; i < rows.size(); ++i) by_key.emplace(rows[i][0].ToLong(), i);
    state.ResumeTiming();
    for (size_t i = 0; i < count; ++i) {
      by_key.erase(rows.front()[0].ToLong());
      rows.erase(rows.begin());
    }
    benchmark::DoNotOptimize(rows.size());
  }
}
BENCHMARK(BM_RemoveVectorErase)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("load_30k_vs_plain_select", "BM_LoadBusinessObject/1003", "BM_LoadPlainSelect/1003", 1.3);
    r.Ratio("load_growth_10k_vs_1k", "BM_LoadBusinessObject/1002", "BM_LoadBusinessObject/1001", 1.5, 10, 1);
    r.Ratio("load_growth_100k_vs_1k", "BM_LoadBusinessObject/1004", "BM_LoadBusinessObject/1001", 1.5, 100, 1);
    r.Ratio("key_lookup_1k_vs_hash", "BM_KeyLookupBusinessObject/1001", "BM_KeyLookupHash/1001", 1.2);
    r.Ratio("key_lookup_30k_vs_hash", "BM_KeyLookupBusinessObject/1003", "BM_KeyLookupHash/1003", 1.2);
    r.Ratio("remove_4k_vs_vector_erase", "BM_RemoveOneByOne/4000", "BM_RemoveVectorErase/4000", 1);
    r.Ratio("remove_growth_4k_vs_2k", "BM_RemoveOneByOne/4000", "BM_RemoveOneByOne/2000", 1.3, 2, 1);
  });
}
