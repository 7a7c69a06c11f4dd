// Lookup-table entries and the parent id of new records: data records are completed from a
// lookup table, each new one tied to the current home or month as its class requires.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// A business object whose records carry `values` at position 3 (property 2).
std::shared_ptr<FakeLI> WithValues(LibraryHarness& h, int16_t class_enum, std::vector<Variant> values) {
  auto li = std::make_shared<FakeLI>(h.log, class_enum);
  int32_t key = 1;
  for (auto& v : values) li->AddRecord({Variant::Long(key++), Variant::Text("old parent"), std::move(v)});
  return li;
}

std::vector<Variant> Texts(std::initializer_list<const char*> texts) {
  std::vector<Variant> out;
  for (const char* t : texts) out.push_back(Variant::Text(t));
  return out;
}

// A new record gets its parent id, then the lookup value, and is stored at once; without
// auto-fill it keeps the parent id AddNew gave it. Counts beyond 16 bits raise 6 with the trail,
// before anything is added.
TEST(CheckTableEntries, FillsParentAndValueThenSavesOrOverflowsFirst) {
  LibraryHarness h;
  h.container->home_id = "H42";
  h.container->class_parents["3"] = 4;
  auto data = WithValues(h, 3, Texts({"A"}));
  h.log->Clear();
  h.shared->CheckTableEntries(WithValues(h, 7, Texts({"A", "B"})), 2, data, 2, icDependsOnMonth, 5);
  EXPECT_EQ(h.log->Joined({"LI.AddNew", "LI.FieldValue(", "LI.Save"}),
            "LI.AddNew(); LI.FieldValue(2, \"H42\"); LI.FieldValue(3, \"B\"); LI.Save(True)");
  EXPECT_EQ(data->Record(2)[1].ToText(), "H42");
  EXPECT_FALSE(data->IsDirty(Variant::Long(2)));

  LibraryHarness bare;
  bare.container->class_parents["3"] = 4;
  auto unfilled = WithValues(bare, 3, {});
  bare.shared->CheckTableEntries(WithValues(bare, 7, Texts({"A"})), 2, unfilled, 2, icDependsOnHome, 0, false);
  EXPECT_TRUE(unfilled->Record(1)[1].IsEmpty());
  EXPECT_TRUE(bare.log->Matching("Container.ClassDependsOn").empty());
  auto lookup = WithValues(bare, 7, std::vector<Variant>(32768, Variant::Text("A")));
  auto empty = WithValues(bare, 3, {});
  EXPECT_TRUE(RaisedAt(Raised([&] { bare.shared->CheckTableEntries(lookup, 2, empty, 2, icDependsOnHome, 0); }),
                       err::kOverflow, "CheckTableEntries", 10));
  EXPECT_EQ(empty->Count(), 0);
}

struct ParentRow {
  const char* name;
  int32_t kind;
  const char* parent_after;
};

// Kind 4 writes the current home id, kind 5 the current month's TRF record id, anything else
// leaves the record alone; the class number is asked as plain decimal text.
TEST(SetHomesOrHomeMontlyStatsID, WritesTheParentTheClassDependsOn) {
  const ParentRow rows[] = {
      {"home", 4, "H42"}, {"month", 5, "M7"}, {"neither", 0, "old parent"}, {"other", 6, "old parent"}};
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->home_id = "H42";
    h.container->month_id = "M7";
    h.container->class_parents["-3"] = row.kind;
    auto li = WithValues(h, -3, Texts({"A"}));
    h.shared->SetHomesOrHomeMontlyStatsID(li);
    EXPECT_EQ(li->Record(1)[1].ToText(), row.parent_after) << row.name;
    EXPECT_EQ(h.log->Matching("Container.ClassDependsOn"), Strings{"Container.ClassDependsOn(\"-3\")"}) << row.name;
  }
}

}  // namespace
}  // namespace kw
