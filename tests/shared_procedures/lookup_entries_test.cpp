// Lookup-table entries and the parent id of new records, tied to the home or month by their class.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// Records carrying `values` at position 3 (property 2).
std::shared_ptr<FakeLI> WithValues(LibraryHarness& h, int16_t class_enum, std::vector<Variant> values) {
  auto li = std::make_shared<FakeLI>(h.log, class_enum);
  int32_t key = 1;
  for (auto& v : values) li->AddRecord({Variant::Long(key++), Variant::Text("old parent"), std::move(v)});
  return li;
}

// Without auto-fill a new record keeps the parent id AddNew gave it; overflow comes before any addition.
TEST(CheckTableEntries, FillsParentAndValueThenSavesOrOverflowsFirst) {
  LibraryHarness h;
  const Variant a = Variant::Text("A");
  h.container->home_id = "H42";
  h.container->class_parents["3"] = 4;
  auto data = WithValues(h, 3, {a});
  h.log->Clear();
  h.shared->CheckTableEntries(WithValues(h, 7, {a, Variant::Text("B")}), 2, data, 2, icDependsOnMonth, 5);
  EXPECT_EQ(h.log->Joined({"LI.AddNew", "LI.FieldValue(", "LI.Save"}),
            "LI.AddNew(); LI.FieldValue(2, \"H42\"); LI.FieldValue(3, \"B\"); LI.Save(True)");
  EXPECT_EQ(data->Record(2)[1].ToText(), "H42");
  EXPECT_FALSE(data->IsDirty(Variant::Long(2)));

  LibraryHarness bare;
  bare.container->class_parents["3"] = 4;
  auto unfilled = WithValues(bare, 3, {});
  bare.shared->CheckTableEntries(WithValues(bare, 7, {a}), 2, unfilled, 2, icDependsOnHome, 0, false);
  EXPECT_TRUE(unfilled->Record(1)[1].IsEmpty());
  EXPECT_TRUE(bare.log->Matching("Container.ClassDependsOn").empty());
  auto lookup = WithValues(bare, 7, std::vector<Variant>(32768, a));
  auto empty = WithValues(bare, 3, {});
  EXPECT_TRUE(RaisedAt(Raised([&] { bare.shared->CheckTableEntries(lookup, 2, empty, 2, icDependsOnHome, 0); }),
                       err::kOverflow, "CheckTableEntries", 10));
  EXPECT_EQ(empty->Count(), 0);
}

TEST(SetHomesOrHomeMontlyStatsID, WritesTheParentTheClassDependsOn) {
  const std::tuple<const char*, int32_t, const char*> rows[] = {
      {"home", 4, "H42"}, {"month", 5, "M7"}, {"neither", 0, "old parent"}, {"other", 6, "old parent"}};
  for (const auto& [name, kind, parent_after] : rows) {
    LibraryHarness h;
    h.container->home_id = "H42";
    h.container->month_id = "M7";
    h.container->class_parents["-3"] = kind;
    auto li = WithValues(h, -3, {Variant::Text("A")});
    h.shared->SetHomesOrHomeMontlyStatsID(li);
    EXPECT_EQ(li->Record(1)[1].ToText(), parent_after) << name;
    EXPECT_EQ(h.log->Matching("Container.ClassDependsOn"), Strings{"Container.ClassDependsOn(\"-3\")"}) << name;
  }
}

}  // namespace
}  // namespace kw
