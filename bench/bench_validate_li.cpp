// ValidateLI over a month of residents (the checks of a record: kinds, required fields, the two
// keys that must exist, the birth date and the age it gives, the fee, the dates' years and how far
// ahead they lie, the record's dates together) against the floor: a loop running the same checks
// on the same held values; with its growth from 1,000 to 10,000 to 100,000, and the floor's own
// growth to 100,000.
#include <sqlite3.h>

#include <cmath>
#include <vector>

#include "app/business/business_classes.h"
#include "app/data/memory_policy.h"
#include "app/data/trf_tables.h"
#include "app/siblings/app_services.h"
#include "bench/bench_database.h"
#include "bench/ratio_reporter.h"
#include "ui_shared/forms/form_contract.h"
#include "ui_shared/platform/clock.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/platform/text.h"
#include "ui_shared/shared_procedures/shared_procedures.h"

namespace {

// The loaded residents of a month and the library bound to a form, as a screen has them.
struct World {
  explicit World(bench::Month month) {
    residents->Load(kw::Variant::Long(month.id));
    shared->OwnerForm(std::make_shared<kw::FormContract>());
  }
  ~World() { shared->OwnerForm(nullptr); }
  trf::AppServices services{bench::BenchDatabase()};
  std::shared_ptr<trf::LIResidents> residents = std::make_shared<trf::LIResidents>(services.database());
  std::shared_ptr<kw::SharedProcedures> shared = std::make_shared<kw::SharedProcedures>();
};

const bench::Month& MonthOf(const benchmark::State& state) {
  static const bench::Month months[] = {bench::kMonth1k, bench::kMonth10k, bench::kMonth30k, bench::kMonth100k};
  for (const bench::Month& month : months)
    if (month.id == state.range(0)) return month;
  return months[0];
}

void BM_ValidateLI(benchmark::State& state) {
  World world(MonthOf(state));
  for (auto _ : state) {
    if (!world.shared->ValidateLI(world.residents, nullptr, nullptr, true)) state.SkipWithError("a rule broke");
  }
}
BENCHMARK(BM_ValidateLI)
    ->Arg(bench::kMonth1k.id)
    ->Arg(bench::kMonth10k.id)
    ->Arg(bench::kMonth30k.id)
    ->Arg(bench::kMonth100k.id)
    ->Unit(benchmark::kMillisecond);

// The floor's checks of one held record; the keys are looked up with statements prepared once,
// as the business object does.
class HandChecks {
 public:
  explicit HandChecks(sqlite3* db) {
    sqlite3_prepare_v2(db, "SELECT 1 FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = ?", -1, &month_, nullptr);
    sqlite3_prepare_v2(db, "SELECT 1 FROM tbH_FamilyGroups WHERE H_FamilyGroupsID = ?", -1, &family_, nullptr);
  }
  ~HandChecks() {
    sqlite3_finalize(month_);
    sqlite3_finalize(family_);
  }
  HandChecks(const HandChecks&) = delete;
  HandChecks& operator=(const HandChecks&) = delete;

  // The number of checks the record fails.
  int Broken(const std::vector<kw::Variant>& v) {
    const double today = std::floor(kw::Service<kw::Clock>::Get().Now());
    int broken = !v[0].IsNumber();
    broken += v[1].IsNull() || !v[1].IsNumber() || !Exists(month_, v[1]);
    broken += v[2].IsNull() || !v[2].IsText() || kw::text::Len(v[2].GetText()) > trf::tables::kNameLength;
    if (!v[3].IsNull()) broken += !v[3].IsDate() || v[3].ToDate() > today;
    broken += v[4].IsNull() || !v[4].IsDate();
    if (!v[5].IsNull()) {
      const double fee = v[5].IsNumber() ? v[5].ToDouble() : -1;
      broken += fee < 0 || fee > 6000 || fee == 0;
    }
    if (!v[6].IsNull()) broken += !v[6].IsNumber() || !Exists(family_, v[6]);
    if (!v[3].IsNull()) {
      broken += v[4].ToDate() < v[3].ToDate() || trf::FullYears(v[3].ToDate(), v[4].ToDate()) < 18;
      broken += trf::FullYears(v[3].ToDate(), today) > 110;
    }
    // Both dates in a plausible year and not more than a month ahead.
    for (const kw::Variant* date : {&v[3], &v[4]}) {
      if (!date->IsDate()) continue;
      const int year = kw::dates::CivilOf(date->ToDate()).year;
      broken += year < 1900 || year > 2099 || date->ToDate() - today > 31;
    }
    return broken;
  }

 private:
  static bool Exists(sqlite3_stmt* check, const kw::Variant& key) {
    sqlite3_reset(check);
    sqlite3_bind_int64(check, 1, key.ToLong());
    const bool found = sqlite3_step(check) == SQLITE_ROW;
    sqlite3_reset(check);
    return found;
  }
  sqlite3_stmt* month_ = nullptr;
  sqlite3_stmt* family_ = nullptr;
};

void BM_HandChecks(benchmark::State& state) {
  World world(MonthOf(state));
  std::vector<std::vector<kw::Variant>> held;
  for (int32_t position = 1; position <= world.residents->Count(); ++position) {
    auto& values = held.emplace_back();
    for (int32_t field = 1; field <= 7; ++field)
      values.push_back(world.residents->FieldValueAt(kw::Variant::Long(position), field));
  }
  HandChecks checks(static_cast<trf::SqliteDatabase&>(*world.services.database()).Handle());
  for (auto _ : state) {
    int broken = 0;
    for (const auto& values : held) broken += checks.Broken(values);
    if (broken) state.SkipWithError("a rule broke");
  }
}
BENCHMARK(BM_HandChecks)
    ->Arg(bench::kMonth1k.id)
    ->Arg(bench::kMonth30k.id)
    ->Arg(bench::kMonth100k.id)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("validate_li_30k_vs_hand_checks", "BM_ValidateLI/1003", "BM_HandChecks/1003", 1.5);
    r.Ratio("validate_li_growth_10k_vs_1k", "BM_ValidateLI/1002", "BM_ValidateLI/1001", 1.5, 10, 1);
    r.Ratio("validate_li_growth_100k_vs_1k", "BM_ValidateLI/1004", "BM_ValidateLI/1001", 1.3, 100, 1);
    // The floor's own growth, under the same goal: how much of the path's is the machine's.
    r.Ratio("hand_checks_growth_100k_vs_1k", "BM_HandChecks/1004", "BM_HandChecks/1001", 1.3, 100, 1);
  });
}
