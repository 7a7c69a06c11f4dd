// List view construction: the column table, the items read by member name, and keys back to records.
#include "tests/doubles/library_test.h"

#include "widgets/image_list.h"
#include "widgets/list_view.h"

namespace kw {
namespace {

using widgets::ListView;
using Records = std::vector<std::vector<Variant>>;

// Residents with key at position 1, name at 3 and age at 4; by default three keyed 17, 4 and 9.
std::shared_ptr<FakeLI> Residents(LibraryHarness& h,
                                  Records rows = {
                                      {Variant::Long(17), Variant(), Variant::Text("Ann"), Variant::Integer(81)},
                                      {Variant::Long(4), Variant(), Variant::Text("Bob"), Variant::Integer(77)},
                                      {Variant::Long(9), Variant(), Variant::Text("Cy"), Variant::Integer(90)}}) {
  auto li = std::make_shared<FakeLI>(h.log);
  li->NameProperty("ID", 1);
  li->NameProperty("Name", 3);
  li->NameProperty("Age", 4);
  for (auto& row : rows) li->AddRecord(std::move(row));
  return li;
}

Variant ThreeColumns(SharedProcedures& shared) {
  shared.LVColumnInfo("Name", "Resident", 2000);
  shared.LVColumnInfo("Age", "Age", 600, true);
  return shared.LVColumnInfo("", "Row", 500, true, "Row ");
}

// Each item as "key:text|sub-item|sub-item".
Strings ItemTexts(ListView& view) {
  Strings texts;
  for (int32_t i = 1; i <= view.Items().Count(); ++i) {
    const auto item = view.Items().Item(Variant::Long(i));
    std::string line = item->Key() + ":" + item->Text();
    for (int32_t s = 1; s <= item->SubItems().Count(); ++s) line += "|" + item->SubItems().Item(s)->Text();
    texts.push_back(line);
  }
  return texts;
}

// The failed append still leaves two empty columns, which the next appending call builds on.
TEST(LVColumnInfo, AppendingBeforeAnyTableFailsWithSubscriptOutOfRange) {
  LibraryHarness h;
  EXPECT_TRUE(RaisedAt(Raised([&] { h.shared->LVColumnInfo("Name", "Resident", 2000, true); }), err::kSubscript,
                       "LVColumnInfo", 50));
  const Variant grown = h.shared->LVColumnInfo("Age", "Age", 600, true);
  EXPECT_EQ(grown.GetArray()->DimensionBounds(1).upper, 2);
  EXPECT_TRUE(grown.GetArray()->At({1, 0}).IsEmpty());
  EXPECT_EQ(grown.GetArray()->At({2, 0}).GetText(), "Age");
  EXPECT_EQ(h.shared->LVColumnInfo("Name", "Resident", 2000).GetArray()->DimensionBounds(1).upper, 0);
}

TEST(BuildListView, FillsHeadersItemsAndSubItems) {
  LibraryHarness h;
  auto li = Residents(h);
  auto view = std::make_shared<ListView>();
  view->Items().Add("old", "stale");
  view->Columns().Add("stale");
  const ObjectPtr first = h.shared->BuildListView(view, nullptr, 0, li, "ID", ThreeColumns(*h.shared));
  ASSERT_EQ(view->Columns().Count(), 3);
  EXPECT_EQ(view->Columns().Item(Variant::Long(1))->Text(), "Resident");
  EXPECT_EQ(view->Columns().Item(Variant::Long(2))->Width(), 600);
  EXPECT_EQ(view->Columns().Item(Variant::Long(3))->Text(), "Row");
  EXPECT_EQ(ItemTexts(*view), (Strings{"K17:Ann|81|Row 1", "K4:Bob|77|Row 2", "K9:Cy|90|Row 3"}));
  EXPECT_TRUE(first == view->Items().Item(Variant::Long(1)) && first == view->SelectedItem());
  EXPECT_EQ(li->Current(), 1);
  // The header loop ends on the error it traps.
  EXPECT_EQ(h.log->Joined({"ErrorLog.Add", "Form.ToggleReadWrite"}), "ErrorLog.Add(9); Form.ToggleReadWrite()");
  EXPECT_EQ(h.log->Matching("LI.Let Index").back(), "LI.Let Index(1)");
}

// An empty object still tells the owner form.
TEST(BuildListView, PrefixesIconsNullKeysAndEmptyObjects) {
  LibraryHarness h;
  auto view = std::make_shared<ListView>();
  h.shared->LVColumnInfo("Name", "Entry", 900, false, "Entry ");
  h.shared->BuildListView(view, nullptr, 0, Residents(h), "ID", h.shared->LVColumnInfo("Name", "Resident", 2000, true));
  EXPECT_EQ(ItemTexts(*view), (Strings{"K17:Entry 1|Ann", "K4:Entry 2|Bob", "K9:Entry 3|Cy"}));

  const ObjectPtr only =
      h.shared->BuildListView(view, nullptr, 0, Residents(h, {{Variant::Null(), Variant(), Variant::Text("Ann")}}),
                              "ID", h.shared->LVColumnInfo("Name", "Resident", 2000));
  EXPECT_EQ(ItemTexts(*view), Strings{"K:Ann"});
  EXPECT_TRUE(only && only == view->SelectedItem());

  h.log->Clear();
  EXPECT_EQ(h.shared->BuildListView(view, nullptr, 0, Residents(h, {}), "ID", ThreeColumns(*h.shared)), nullptr);
  EXPECT_EQ(std::pair(view->Columns().Count(), view->Items().Count()), std::pair(3, 0));
  EXPECT_EQ(h.log->CountOf("Form.ToggleReadWrite()"), 1u);

  // Icon index 0 adds no icon even with an image list; without one the list keeps the image list it had.
  auto images = std::make_shared<widgets::ImageList>();
  const Variant table = h.shared->LVColumnInfo("Name", "Resident", 2000);
  h.shared->BuildListView(view, images, 0, Residents(h), "ID", table);
  EXPECT_TRUE(view->Items().Item(Variant::Long(1))->SmallIcon().IsEmpty());
  h.shared->BuildListView(view, nullptr, 5, Residents(h), "ID", table);
  EXPECT_EQ(view->SmallIcons(), images);
  EXPECT_EQ(view->Items().Item(Variant::Long(3))->SmallIcon().ToLong(), 5);
}

// A column table that is no array fails at the first record, not before.
TEST(BuildListView, FailuresKeepTheItemsAlreadyAddedAnUnusableTableFailsAtTheFirstRecord) {
  const std::vector<Variant> ann1 = {Variant::Long(1), Variant(), Variant::Text("Ann")};
  const std::vector<Variant> ann2 = {Variant::Long(2), Variant(), Variant::Text("Ann")};
  const std::tuple<const char*, const char*, Records, int32_t, int32_t, int32_t> rows[] = {
      {"null shown value", "Name", {ann1, {Variant::Long(2), Variant(), Variant::Null()}}, err::kInvalidNull, 62, 1},
      {"duplicate key", "Name", {ann1, ann2, ann1}, err::kKeyNotUnique, 64, 2},
      {"unknown property", "Nickname", {ann1}, err::kNoSuchMember, 62, 0},
  };
  for (const auto& [name, shown_property, records, number, line, items_left] : rows) {
    LibraryHarness h;
    auto li = Residents(h, records);
    auto view = std::make_shared<ListView>();
    const Variant table = h.shared->LVColumnInfo(shown_property, "Resident", 2000);
    EXPECT_TRUE(RaisedAt(Raised([&] { h.shared->BuildListView(view, nullptr, 0, li, "ID", table); }), number,
                         "BuildListView", line))
        << name;
    EXPECT_EQ(view->Items().Count(), items_left) << name;
  }
  LibraryHarness h;
  auto view = std::make_shared<ListView>();
  EXPECT_EQ(h.shared->BuildListView(view, nullptr, 0, Residents(h, {}), "ID", Variant::Text("x")), nullptr);
  EXPECT_TRUE(RaisedAt(Raised([&] { h.shared->BuildListView(view, nullptr, 0, Residents(h), "ID", Variant()); }),
                       err::kTypeMismatch, "BuildListView", 62));
  EXPECT_EQ(view->Columns().Count(), 0);
}

TEST(GetLIKeyFromLVKey, DropsTheFirstCharacter) {
  LibraryHarness h;
  const std::pair<const char*, const char*> rows[] = {
      {"K17", "17"}, {"K", ""}, {"", ""}, {"AB17", "B17"}, {"Ärger", "rger"}};
  for (const auto& [key, expected] : rows) EXPECT_EQ(h.shared->GetLIKeyFromLVKey(key), expected) << key;
}

}  // namespace
}  // namespace kw
