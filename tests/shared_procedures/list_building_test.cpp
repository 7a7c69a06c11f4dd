// List view construction: the column table, filling a headless list view from a business object
// by member name, and turning list keys back into record keys.
#include <gtest/gtest.h>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"
#include "widgets/image_list.h"
#include "widgets/list_view.h"

namespace kw {
namespace {

using testing::FakeLI;
using testing::LibraryHarness;
using widgets::ListView;

// A business object of residents: key at position 1, name at 3 and age at 4.
std::shared_ptr<FakeLI> Residents(LibraryHarness& h, std::vector<std::vector<Variant>> rows) {
  auto li = std::make_shared<FakeLI>(h.log);
  li->NameProperty("ID", 1);
  li->NameProperty("Name", 3);
  li->NameProperty("Age", 4);
  for (auto& row : rows) li->AddRecord(std::move(row));
  return li;
}

std::shared_ptr<FakeLI> ThreeResidents(LibraryHarness& h) {
  return Residents(h, {{Variant::Long(17), Variant(), Variant::Text("Ann"), Variant::Integer(81)},
                       {Variant::Long(4), Variant(), Variant::Text("Bob"), Variant::Integer(77)},
                       {Variant::Long(9), Variant(), Variant::Text("Cy"), Variant::Integer(90)}});
}

// The usual three-column table: name, age, and a position column.
Variant ThreeColumns(SharedProcedures& shared) {
  shared.LVColumnInfo("Name", "Resident", 2000);
  shared.LVColumnInfo("Age", "Age", 600, true);
  return shared.LVColumnInfo("", "Row", 500, true, "Row ");
}

std::vector<std::string> ItemTexts(ListView& view) {
  std::vector<std::string> texts;
  for (int32_t i = 1; i <= view.Items().Count(); ++i) {
    const auto item = view.Items().Item(Variant::Long(i));
    std::string line = item->Key() + ":" + item->Text();
    for (int32_t s = 1; s <= item->SubItems().Count(); ++s) line += "|" + item->SubItems().Item(s)->Text();
    texts.push_back(line);
  }
  return texts;
}

Error ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e;
  }
  return Error(0, "", "no error");
}

// One reset call and two appending calls give three columns with their four fields each.
TEST(LVColumnInfo, BuildsTheTableColumnByColumn) {
  LibraryHarness h;
  const Variant first = h.shared->LVColumnInfo("Name", "Resident", 2000);
  const Variant table = ThreeColumns(*h.shared);
  const VArray& columns = *table.GetArray();
  EXPECT_EQ(columns.DimensionBounds(1).upper, 2);
  EXPECT_EQ(columns.DimensionBounds(2).upper, 3);
  EXPECT_EQ(columns.At({0, 0}).GetText(), "Name");
  EXPECT_EQ(columns.At({1, 1}).GetText(), "Age");
  EXPECT_EQ(columns.At({1, 2}).Type(), VarType::Integer);
  EXPECT_EQ(columns.At({1, 2}).ToLong(), 600);
  EXPECT_EQ(columns.At({2, 3}).GetText(), "Row ");
  EXPECT_EQ(columns.At({0, 3}).GetText(), "");
  // What an earlier call returned stays as it was.
  EXPECT_EQ(first.GetArray()->DimensionBounds(1).upper, 0);
  // A reset call starts over.
  EXPECT_EQ(h.shared->LVColumnInfo("Age", "Age", 1).GetArray()->DimensionBounds(1).upper, 0);
}

// Appending before any table fails with 9 and leaves two empty columns, which the next
// appending call builds on and the next reset call discards.
TEST(LVColumnInfo, AppendingBeforeAnyTableFailsWithSubscriptOutOfRange) {
  LibraryHarness h;
  const Error e = ErrorOf([&] { h.shared->LVColumnInfo("Name", "Resident", 2000, true); });
  EXPECT_EQ(e.Number(), err::kSubscript);
  EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.LVColumnInfo:50\r\n", 0), 0u) << e.Description();

  const Variant grown = h.shared->LVColumnInfo("Age", "Age", 600, true);
  EXPECT_EQ(grown.GetArray()->DimensionBounds(1).upper, 2);
  EXPECT_TRUE(grown.GetArray()->At({1, 0}).IsEmpty());
  EXPECT_EQ(grown.GetArray()->At({2, 0}).GetText(), "Age");
  EXPECT_EQ(h.shared->LVColumnInfo("Name", "Resident", 2000).GetArray()->DimensionBounds(1).upper, 0);
}

// Three columns give three headers, an item per record keyed by the record key, two sub-items
// per item (properties or the position prefix), the first item selected and record 1 current.
TEST(BuildListView, FillsHeadersItemsAndSubItems) {
  LibraryHarness h;
  auto li = ThreeResidents(h);
  auto view = std::make_shared<ListView>();
  view->Items().Add("old", "stale");
  view->Columns().Add("stale");
  const ObjectPtr first = h.shared->BuildListView(view, nullptr, 0, li, "ID", ThreeColumns(*h.shared));

  ASSERT_EQ(view->Columns().Count(), 3);
  EXPECT_EQ(view->Columns().Item(Variant::Long(1))->Text(), "Resident");
  EXPECT_EQ(view->Columns().Item(Variant::Long(2))->Width(), 600);
  EXPECT_EQ(view->Columns().Item(Variant::Long(3))->Text(), "Row");
  EXPECT_EQ(ItemTexts(*view), (std::vector<std::string>{"K17:Ann|81|Row 1", "K4:Bob|77|Row 2", "K9:Cy|90|Row 3"}));
  EXPECT_EQ(first, view->Items().Item(Variant::Long(1)));
  EXPECT_EQ(view->SelectedItem(), first);
  EXPECT_EQ(li->Current(), 1);
  // The header loop ended on its one trapped error; the owner form was told to refresh its state.
  EXPECT_EQ(h.log->Matching("ErrorLog.Add"), std::vector<std::string>{"ErrorLog.Add(9)"});
  EXPECT_EQ(h.log->CountOf("Form.ToggleReadWrite()"), 1u);
  EXPECT_EQ(h.log->Matching("LI.Let Index").back(), "LI.Let Index(1)");
}

// An item-text prefix in the first column numbers the items by position whatever the records hold.
TEST(BuildListView, NumbersItemsByPositionUnderAnItemTextPrefix) {
  LibraryHarness h;
  auto li = ThreeResidents(h);
  auto view = std::make_shared<ListView>();
  h.shared->LVColumnInfo("Name", "Entry", 900, false, "Entry ");
  const Variant table = h.shared->LVColumnInfo("Name", "Resident", 2000, true);
  h.shared->BuildListView(view, nullptr, 0, li, "ID", table);
  EXPECT_EQ(ItemTexts(*view), (std::vector<std::string>{"K17:Entry 1|Ann", "K4:Entry 2|Bob", "K9:Entry 3|Cy"}));
}

// Icon index 0 adds no icon even with an image list; a nonzero index is passed even without one,
// and the list keeps the image list it had.
TEST(BuildListView, PassesTheIconIndexOnlyWhenNonzero) {
  LibraryHarness h;
  auto li = ThreeResidents(h);
  auto view = std::make_shared<ListView>();
  auto images = std::make_shared<widgets::ImageList>();
  const Variant table = h.shared->LVColumnInfo("Name", "Resident", 2000);

  h.shared->BuildListView(view, images, 0, li, "ID", table);
  EXPECT_EQ(view->SmallIcons(), images);
  EXPECT_TRUE(view->Items().Item(Variant::Long(1))->SmallIcon().IsEmpty());

  h.shared->BuildListView(view, nullptr, 5, li, "ID", table);
  EXPECT_EQ(view->SmallIcons(), images);
  EXPECT_EQ(view->Items().Item(Variant::Long(3))->SmallIcon().ToLong(), 5);
}

// An object without records leaves the headers, no items, the result nothing, and still calls
// the owner form.
TEST(BuildListView, EmptyObjectGivesHeadersAndNothing) {
  LibraryHarness h;
  auto li = Residents(h, {});
  auto view = std::make_shared<ListView>();
  view->Items().Add("old", "stale");
  EXPECT_EQ(h.shared->BuildListView(view, nullptr, 0, li, "ID", ThreeColumns(*h.shared)), nullptr);
  EXPECT_EQ(view->Columns().Count(), 3);
  EXPECT_EQ(view->Items().Count(), 0);
  EXPECT_EQ(h.log->CountOf("Form.ToggleReadWrite()"), 1u);
}

// A null key gives the bare prefix as key.
TEST(BuildListView, NullKeyGivesTheBarePrefix) {
  LibraryHarness h;
  auto li = Residents(h, {{Variant::Null(), Variant(), Variant::Text("Ann")}});
  auto view = std::make_shared<ListView>();
  h.shared->BuildListView(view, nullptr, 0, li, "ID", h.shared->LVColumnInfo("Name", "Resident", 2000));
  EXPECT_EQ(ItemTexts(*view), std::vector<std::string>{"K:Ann"});
}

struct BadBuildRow {
  const char* name;
  std::vector<std::vector<Variant>> records;
  const char* shown_property;
  int32_t number;
  const char* trail;
  size_t items_left;
};

// A null shown value, a duplicate key or an unknown property fails with the trail and leaves the
// items added before it.
TEST(BuildListView, FailuresKeepTheItemsAlreadyAdded) {
  const BadBuildRow rows[] = {
      {"null shown value",
       {{Variant::Long(1), Variant(), Variant::Text("Ann")}, {Variant::Long(2), Variant(), Variant::Null()}},
       "Name", err::kInvalidNull, "KW_UIShared.SharedProcedures.BuildListView:62\r\n", 1},
      {"duplicate key",
       {{Variant::Long(1), Variant(), Variant::Text("Ann")},
        {Variant::Long(2), Variant(), Variant::Text("Bob")},
        {Variant::Long(1), Variant(), Variant::Text("Cy")}},
       "Name", err::kKeyNotUnique, "KW_UIShared.SharedProcedures.BuildListView:64\r\n", 2},
      {"unknown property", {{Variant::Long(1), Variant(), Variant::Text("Ann")}}, "Nickname", err::kNoSuchMember,
       "KW_UIShared.SharedProcedures.BuildListView:62\r\n", 0},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    auto li = Residents(h, row.records);
    auto view = std::make_shared<ListView>();
    const Variant table = h.shared->LVColumnInfo(row.shown_property, "Resident", 2000);
    const Error e = ErrorOf([&] { h.shared->BuildListView(view, nullptr, 0, li, "ID", table); });
    EXPECT_EQ(e.Number(), row.number) << row.name;
    EXPECT_EQ(e.Description().rfind(row.trail, 0), 0u) << row.name << ": " << e.Description();
    EXPECT_EQ(static_cast<size_t>(view->Items().Count()), row.items_left) << row.name;
  }
}

// A column table that is no array adds no header and fails at the first record, not before.
TEST(BuildListView, UnusableTableFailsAtTheFirstRecord) {
  LibraryHarness h;
  auto view = std::make_shared<ListView>();
  EXPECT_EQ(h.shared->BuildListView(view, nullptr, 0, Residents(h, {}), "ID", Variant::Text("x")), nullptr);
  const Error e = ErrorOf([&] { h.shared->BuildListView(view, nullptr, 0, ThreeResidents(h), "ID", Variant()); });
  EXPECT_EQ(e.Number(), err::kTypeMismatch);
  EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.BuildListView:62\r\n", 0), 0u);
  EXPECT_EQ(view->Columns().Count(), 0);
}

// The record key is everything after the first character, whatever that character is.
TEST(GetLIKeyFromLVKey, DropsTheFirstCharacter) {
  LibraryHarness h;
  EXPECT_EQ(h.shared->GetLIKeyFromLVKey("K17"), "17");
  EXPECT_EQ(h.shared->GetLIKeyFromLVKey("K"), "");
  EXPECT_EQ(h.shared->GetLIKeyFromLVKey(""), "");
  EXPECT_EQ(h.shared->GetLIKeyFromLVKey("AB17"), "B17");
  EXPECT_EQ(h.shared->GetLIKeyFromLVKey("Ärger"), "rger");
}

}  // namespace
}  // namespace kw
