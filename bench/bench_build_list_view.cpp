// Measures BuildListView filling a headless list view with 30,000 records of 6 columns from a
// business object reached by member name, against the floor: a direct loop that fills the same
// list view with the same texts through the widgets' typed calls. Prints the ratio of the two.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/siblings/siblings.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/platform/class_registry.h"
#include "ui_shared/platform/service.h"
#include "ui_shared/shared_procedures/shared_procedures.h"
#include "widgets/list_view.h"

namespace {

constexpr int32_t kRecords = 30000;
constexpr size_t kColumns = 6;
const std::array<const char*, kColumns> kProperties = {"Name", "Street", "City", "Phone", "Room", "Note"};

// One record of the bench's business object: its key and one text per column.
struct Record {
  int32_t id;
  std::array<std::string, kColumns> texts;
};

std::vector<Record> MakeRecords() {
  std::vector<Record> records;
  records.reserve(kRecords);
  for (int32_t i = 0; i < kRecords; ++i) {
    const std::string n = std::to_string(i);
    records.push_back({1000 + i, {"Resident " + n, n + " Main St", "Springfield", "555-" + n, "R" + n, "ok"}});
  }
  return records;
}

// A cheap business object reached by member name: `Count`, `Index` and one property per column,
// read from the current record, so that the measurement is the library's and the widgets'.
class BenchRecords : public kw::LateBound<BenchRecords> {
 public:
  explicit BenchRecords(const std::vector<Record>& records) : records_(records) {}
  std::string TypeName() const override { return "BenchRecords"; }

  static const kw::MemberTable<BenchRecords>& Members() {
    static const kw::MemberTable<BenchRecords> table{
        {"Count", kw::MemberKind::kProperty, [](BenchRecords& r, const kw::Args&) { return kw::Variant::Long(static_cast<int32_t>(r.records_.size())); },
         nullptr},
        {"Index", kw::MemberKind::kProperty, [](BenchRecords& r, const kw::Args&) { return kw::Variant::Long(r.index_); },
         [](BenchRecords& r, const kw::Variant& v, const kw::Args&) { r.index_ = v.ToLong(); }},
        {"ID", kw::MemberKind::kProperty, [](BenchRecords& r, const kw::Args&) { return kw::Variant::Long(r.Current().id); }, nullptr},
        {"Name", kw::MemberKind::kProperty, &Text<0>, nullptr},
        {"Street", kw::MemberKind::kProperty, &Text<1>, nullptr},
        {"City", kw::MemberKind::kProperty, &Text<2>, nullptr},
        {"Phone", kw::MemberKind::kProperty, &Text<3>, nullptr},
        {"Room", kw::MemberKind::kProperty, &Text<4>, nullptr},
        {"Note", kw::MemberKind::kProperty, &Text<5>, nullptr},
    };
    return table;
  }

 private:
  template <size_t column>
  static kw::Variant Text(BenchRecords& r, const kw::Args&) {
    return kw::Variant::Text(r.Current().texts[column]);
  }
  const Record& Current() const { return records_[static_cast<size_t>(index_ - 1)]; }

  const std::vector<Record>& records_;
  int32_t index_ = 1;
};

// An error log that only counts, standing in for the application's.
class CountingErrorLog : public kw::ErrorLog {
 public:
  std::string TypeName() const override { return "ErrorLog"; }
  void Add(const kw::Error&) override { ++count_; }
  int32_t Count() override { return count_; }

 private:
  int32_t count_ = 0;
};

// The library's world for the run: the application's siblings, the error log and a form.
struct World {
  World() {
    trf::RegisterApplicationClasses();
    kw::Service<kw::ClassRegistry>::Get().Register(std::string(kw::class_ids::kErrorLog),
                                                   [] { return std::make_shared<CountingErrorLog>(); });
    shared = std::make_shared<kw::SharedProcedures>();
    shared->OwnerForm(std::make_shared<kw::FormContract>());
    shared->LVColumnInfo(kProperties[0], "Column 0", 1500);
    for (size_t c = 1; c < kColumns; ++c)
      table = shared->LVColumnInfo(kProperties[c], "Column " + std::to_string(c), 1000, true);
  }
  ~World() { shared->OwnerForm(nullptr); }

  std::shared_ptr<kw::SharedProcedures> shared;
  kw::Variant table;
};

void BM_BuildListView(benchmark::State& state) {
  const std::vector<Record> records = MakeRecords();
  World world;
  auto li = std::make_shared<BenchRecords>(records);
  auto view = std::make_shared<kw::widgets::ListView>();
  for (auto _ : state) {
    benchmark::DoNotOptimize(world.shared->BuildListView(view, nullptr, 1, li, "ID", world.table));
  }
  if (view->Items().Count() != kRecords) state.SkipWithError("the list is incomplete");
}

// The floor: the same headers, items, keys, icons, sub-items and selection through typed calls.
void BM_DirectFill(benchmark::State& state) {
  const std::vector<Record> records = MakeRecords();
  auto view = std::make_shared<kw::widgets::ListView>();
  for (auto _ : state) {
    view->Items().Clear();
    view->Columns().Clear();
    for (size_t c = 0; c < kColumns; ++c) view->Columns().Add("Column " + std::to_string(c), c == 0 ? 1500 : 1000);
    for (const Record& r : records) {
      std::string key = "K";
      key += std::to_string(r.id);
      auto item = view->Items().Add(std::move(key), r.texts[0], kw::Variant::Integer(1));
      for (size_t c = 1; c < kColumns; ++c) item->SubItems().Add(r.texts[c]);
    }
    view->Items().Item(kw::Variant::Long(1))->Selected(true);
    benchmark::DoNotOptimize(view->SelectedItem());
  }
}

BENCHMARK(BM_BuildListView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectFill)->Unit(benchmark::kMillisecond);

// Keeps the processor time per iteration of every run so that the ratio can be printed at the
// end; processor time, because the machine is shared and wall time counts the waits.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.iterations > 0) seconds_[run.benchmark_name()] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
    ConsoleReporter::ReportRuns(runs);
  }
  double Seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double library = reporter.Seconds("BM_BuildListView");
  const double floor = reporter.Seconds("BM_DirectFill");
  if (library > 0 && floor > 0)
    std::printf("BuildListView / direct fill (30,000 records, 6 columns, CPU time): ratio %.2f\n", library / floor);
  benchmark::Shutdown();
  return 0;
}
