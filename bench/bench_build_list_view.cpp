// BuildListView filling a headless list view with records of 6 columns from a business object
// reached by member name, against the floor: a direct loop that fills the same list view with the
// same texts through the widgets' typed calls; with its growth from 1,000 to 10,000 to 100,000
// records, and the memory the filled list view holds per record.
#include <malloc.h>

#include <array>
#include <string>
#include <vector>

#include "app/data/memory_policy.h"
#include "app/siblings/app_services.h"
#include "bench/ratio_reporter.h"
#include "ui_shared/contracts/class_ids.h"
#include "ui_shared/contracts/data.h"
#include "ui_shared/forms/form_contract.h"
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

// Texts of realistic length: names and streets partly longer than a small-string buffer.
std::vector<Record> MakeRecords(int32_t count) {
  std::vector<Record> records;
  records.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    records.push_back({1000 + i,
                       {i % 2 ? "Resident " + n : "Resident number " + n + " of the home",
                        n + (i % 3 ? " Main St" : " Main Street, Apartment 5"), "Springfield", "555-" + n, "R" + n,
                        i % 4 ? "ok" : "Prefers the window seat at lunch"}});
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
        {"Count", kw::MemberKind::kProperty,
         [](BenchRecords& r, const kw::Args&) { return kw::Variant::Long(static_cast<int32_t>(r.records_.size())); },
         nullptr},
        {"Index", kw::MemberKind::kProperty,
         [](BenchRecords& r, const kw::Args&) { return kw::Variant::Long(r.index_); },
         [](BenchRecords& r, const kw::Variant& v, const kw::Args&) { r.index_ = v.ToLong(); }},
        {"ID", kw::MemberKind::kProperty,
         [](BenchRecords& r, const kw::Args&) { return kw::Variant::Long(r.Current().id); }, nullptr},
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

// An error log that only counts, standing in for the application's journal.
class CountingErrorLog : public kw::ErrorLog {
 public:
  std::string TypeName() const override { return "ErrorLog"; }
  void Add(const kw::Error&) override { ++count_; }
  int32_t Count() override { return count_; }

 private:
  int32_t count_ = 0;
};

// The library's world for the run: the application's wiring, the error log and a form with its
// column table.
struct World {
  World() {
    services.registry().Register(std::string(kw::class_ids::kErrorLog),
                                 [] { return std::make_shared<CountingErrorLog>(); });
    shared->OwnerForm(std::make_shared<kw::FormContract>());
    shared->LVColumnInfo(kProperties[0], "Column 0", 1500);
    for (size_t c = 1; c < kColumns; ++c)
      table = shared->LVColumnInfo(kProperties[c], "Column " + std::to_string(c), 1000, true);
  }
  ~World() { shared->OwnerForm(nullptr); }

  kw::ObjectPtr Build(const kw::ObjectPtr& view, const kw::ObjectPtr& records) {
    return shared->BuildListView(view, nullptr, 1, records, "ID", table);
  }

  trf::AppServices services{":memory:"};
  std::shared_ptr<kw::SharedProcedures> shared = std::make_shared<kw::SharedProcedures>();
  kw::Variant table;
};

void BM_BuildListView(benchmark::State& state) {
  const std::vector<Record> records = MakeRecords(static_cast<int32_t>(state.range(0)));
  World world;
  auto li = std::make_shared<BenchRecords>(records);
  auto view = std::make_shared<kw::widgets::ListView>();
  for (auto _ : state) benchmark::DoNotOptimize(world.Build(view, li));
  if (view->Items().Count() != state.range(0)) state.SkipWithError("the list is incomplete");
}
BENCHMARK(BM_BuildListView)->Arg(1000)->Arg(10000)->Arg(kRecords)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor: the same headers, items, keys, icons, sub-items and selection through typed calls.
void BM_DirectFill(benchmark::State& state) {
  const std::vector<Record> records = MakeRecords(kRecords);
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
BENCHMARK(BM_DirectFill)->Unit(benchmark::kMillisecond);

// The bytes the allocator holds for the program: small blocks in its heap and large ones mapped
// on their own (a list view's arrays of items and keys are such), so that every allocation counts.
size_t BytesHeld() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// The bytes a list view filled with 30,000 records holds per record, measured `samples` times.
std::vector<double> BytesPerRecord(int samples) {
  const std::vector<Record> records = MakeRecords(kRecords);
  World world;
  auto li = std::make_shared<BenchRecords>(records);
  std::vector<double> bytes;
  for (int i = 0; i < samples; ++i) {
    auto view = std::make_shared<kw::widgets::ListView>();
    const size_t before = BytesHeld();
    world.Build(view, li);
    bytes.push_back((static_cast<double>(BytesHeld()) - static_cast<double>(before)) / kRecords);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  trf::KeepFreedMemoryForReloads();  // as the programs run
  return bench::RunWithRatios(argc, argv, [](bench::RatioReporter& r) {
    r.Ratio("build_list_view_30k_vs_direct_fill", "BM_BuildListView/30000", "BM_DirectFill", 2);
    r.Ratio("build_list_view_growth_10k_vs_1k", "BM_BuildListView/10000", "BM_BuildListView/1000", 1.5, 10, 1);
    r.Ratio("build_list_view_growth_100k_vs_1k", "BM_BuildListView/100000", "BM_BuildListView/1000", 1.3, 100, 1);
    r.Value("list_view_bytes_per_record", BytesPerRecord(5), 300);
  });
}
