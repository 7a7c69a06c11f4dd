// Business objects against their floors: loading residents against a plain sqlite3 select into a
// hash by key, the current record by key against from_chars and a hash lookup, and removing records
// one at a time (delete, save) against the same records in fixed slots with an order vector, the
// positions it renumbers and a hash by key; with the growth of the load from 1,000 to 10,000 to
// 100,000 records (and of the plain select's, the machine's share of it) and of the removal over
// months of 2,000, 4,000 and 8,000 records.
#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <vector>

#include "app/business/business_classes.h"
#include "app/data/memory_policy.h"
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
BENCHMARK(BM_LoadPlainSelect)
    ->Arg(bench::kMonth1k.id)
    ->Arg(bench::kMonth30k.id)
    ->Arg(bench::kMonth100k.id)
    ->Unit(benchmark::kMillisecond);

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
    int64_t key = 0;
    std::from_chars(text.data(), text.data() + text.size(), key);
    current = by_key.find(key)->second;
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

// The months removal is measured on, by their size; half of each is removed.
const bench::Month& RemovalMonth(int64_t residents) {
  static const bench::Month months[] = {bench::kMonth2k, bench::kMonth4k, bench::kMonth8k};
  return *std::find_if(std::begin(months), std::end(months),
                       [&](const bench::Month& m) { return m.residents == residents; });
}

// Removes the first half of a month's residents one at a time: the first record is made current,
// deleted and saved (the batch remembers its key).
void BM_RemoveOneByOne(benchmark::State& state) {
  auto database = bench::BenchDatabase();
  const bench::Month& month = RemovalMonth(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    trf::LIResidents residents(database);
    residents.Load(kw::Variant::Long(month.id));
    state.ResumeTiming();
    for (int32_t i = 0; i < month.residents / 2; ++i) {
      residents.CurrentIndex(kw::Variant::Long(1));
      residents.Delete();
      residents.Save(false);
    }
    benchmark::DoNotOptimize(residents.Count());
  }
}
BENCHMARK(BM_RemoveOneByOne)
    ->Arg(bench::kMonth2k.residents)
    ->Arg(bench::kMonth4k.residents)
    ->Arg(bench::kMonth8k.residents)
    ->Unit(benchmark::kMillisecond);

// The floor of removal: the same records kept as the business object keeps them, in fixed slots,
// with the order of the slots, each slot's position and a hash from key to slot. Removing the
// first record empties its slot, takes it out of the hash and the order, and renumbers the
// positions after it; half of the month, one at a time.
void BM_RemoveFromSlots(benchmark::State& state) {
  const bench::Month& month = RemovalMonth(state.range(0));
  trf::LIResidents residents(bench::BenchDatabase());
  residents.Load(kw::Variant::Long(month.id));
  std::vector<std::vector<kw::Variant>> loaded;
  for (int32_t position = 1; position <= residents.Count(); ++position) {
    auto& values = loaded.emplace_back();
    for (int32_t field = 1; field <= 7; ++field)
      values.push_back(residents.FieldValueAt(kw::Variant::Long(position), field));
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::vector<kw::Variant>> slots = loaded;
    std::vector<size_t> order(slots.size());
    std::vector<int32_t> positions(slots.size());
    std::unordered_map<int64_t, size_t> by_key;
    for (size_t slot = 0; slot < slots.size(); ++slot) {
      order[slot] = slot;
      positions[slot] = static_cast<int32_t>(slot + 1);
      by_key.emplace(static_cast<int64_t>(slots[slot][0].ToDouble()), slot);
    }
    state.ResumeTiming();
    for (int32_t i = 0; i < month.residents / 2; ++i) {
      const size_t slot = order.front();
      by_key.erase(static_cast<int64_t>(slots[slot][0].ToDouble()));
      slots[slot] = {};
      positions[slot] = 0;
      order.erase(order.begin());
      for (size_t later = 0; later < order.size(); ++later) positions[order[later]] = static_cast<int32_t>(later + 1);
    }
    benchmark::DoNotOptimize(order.size());
  }
}
BENCHMARK(BM_RemoveFromSlots)->Arg(bench::kMonth8k.residents)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("load_30k_vs_plain_select", "BM_LoadBusinessObject/1003", "BM_LoadPlainSelect/1003", 1.2);
    r.Ratio("load_growth_10k_vs_1k", "BM_LoadBusinessObject/1002", "BM_LoadBusinessObject/1001", 1.5, 10, 1);
    r.Ratio("load_growth_100k_vs_1k", "BM_LoadBusinessObject/1004", "BM_LoadBusinessObject/1001", 1.3, 100, 1);
    // The floor's own growth, under the same goal: how much of the path's is the machine's.
    r.Ratio("plain_select_growth_100k_vs_1k", "BM_LoadPlainSelect/1004", "BM_LoadPlainSelect/1001", 1.3, 100, 1);
    r.Ratio("load_100k_vs_plain_select", "BM_LoadBusinessObject/1004", "BM_LoadPlainSelect/1004", 1.2);
    r.Ratio("key_lookup_1k_vs_hash", "BM_KeyLookupBusinessObject/1001", "BM_KeyLookupHash/1001", 1.2);
    r.Ratio("key_lookup_30k_vs_hash", "BM_KeyLookupBusinessObject/1003", "BM_KeyLookupHash/1003", 1.2);
    r.Ratio("remove_8k_vs_slots", "BM_RemoveOneByOne/8000", "BM_RemoveFromSlots/8000", 1);
    r.Ratio("remove_growth_4k_vs_2k", "BM_RemoveOneByOne/4000", "BM_RemoveOneByOne/2000", 1.3, 2, 1);
    r.Ratio("remove_growth_8k_vs_2k", "BM_RemoveOneByOne/8000", "BM_RemoveOneByOne/2000", 1.3, 4, 1);
  });
}
