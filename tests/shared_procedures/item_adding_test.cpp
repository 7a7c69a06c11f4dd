// Adding items: a new record appended after the current one was secured, and its entry in a
// headless list or tree view, keyed, selected and focused.
#include <gtest/gtest.h>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"
#include "widgets/image_list.h"
#include "widgets/list_view.h"
#include "widgets/tree_view.h"

namespace kw {
namespace {

using testing::FakeHardRule;
using testing::FakeLI;
using testing::LibraryHarness;

// Residents keyed 1 and 2 of class 3; AddNew gives the next one key 12.
std::shared_ptr<FakeLI> Residents(LibraryHarness& h) {
  auto li = std::make_shared<FakeLI>(h.log);
  li->AddRecord({Variant::Long(1), Variant::Text("H1")});
  li->AddRecord({Variant::Long(2), Variant::Text("H1")});
  li->next_key = 12;
  return li;
}

// A new record keyed 12 gives a selected, focused list item keyed with the prefix; the owner form
// is told at the end, and blnNotAdded keeps what the caller put in it.
TEST(AddItem, AddsASelectedListItemKeyedWithThePrefix) {
  for (const std::string prefix : {"", "AB"}) {
    LibraryHarness h;
    auto li = Residents(h);
    auto view = std::make_shared<widgets::ListView>();
    bool not_added = true;
    const ObjectPtr entry = h.shared->AddItem(view, nullptr, 0, li, nullptr, prefix, "New resident", false, not_added);
    const std::string key = (prefix.empty() ? "K" : prefix) + "12";
    ASSERT_TRUE(entry) << prefix;
    EXPECT_EQ(GetMember(entry, "Key").ToText(), key);
    EXPECT_EQ(GetMember(entry, "Text").ToText(), "New resident");
    EXPECT_EQ(view->SelectedItem(), entry);
    EXPECT_TRUE(view->HasFocus());
    EXPECT_TRUE(not_added);
    EXPECT_EQ(li->Count(), 3);
    EXPECT_EQ(h.log->Entries().back(), "Form.ToggleReadWrite()");
  }
}

// A tree view receives a top-level node keyed like a list item.
TEST(AddItem, AddsATopLevelNodeToATreeView) {
  LibraryHarness h;
  auto li = Residents(h);
  auto tree = std::make_shared<widgets::TreeView>();
  bool not_added = false;
  const ObjectPtr node = h.shared->AddItem(tree, nullptr, 3, li, nullptr, "", "", false, not_added);
  EXPECT_EQ(TypeNameOf(node), "Node");
  EXPECT_EQ(tree->TreeNodes().Item(Variant::Text("K12")), node);
  EXPECT_TRUE(tree->TreeNodes().Item(Variant::Text("K12"))->Image().IsEmpty());
  EXPECT_EQ(tree->SelectedItem(), node);
  EXPECT_EQ(GetMember(node, "Text").ToText(), "");
}

// With an image list the index is passed even when 0; without one it never is.
TEST(AddItem, PassesTheIconOnlyWithAnImageList) {
  LibraryHarness h;
  auto li = Residents(h);
  auto view = std::make_shared<widgets::ListView>();
  auto tree = std::make_shared<widgets::TreeView>();
  auto images = std::make_shared<widgets::ImageList>();
  bool not_added = false;
  h.shared->AddItem(view, images, 0, li, nullptr, "", "a", false, not_added);
  h.shared->AddItem(view, nullptr, 5, li, nullptr, "", "b", false, not_added);
  h.shared->AddItem(tree, images, 4, li, nullptr, "", "c", false, not_added);
  EXPECT_EQ(view->Items().Item(Variant::Text("K12"))->SmallIcon().Type(), VarType::Integer);
  EXPECT_EQ(view->Items().Item(Variant::Text("K12"))->SmallIcon().ToLong(), 0);
  EXPECT_TRUE(view->Items().Item(Variant::Text("K13"))->SmallIcon().IsEmpty());
  EXPECT_EQ(tree->TreeNodes().Item(Variant::Text("K14"))->Image().ToLong(), 4);
}

// The parent id is filled from the current home unless told not to.
TEST(AddItem, FillsTheParentIdUnlessToldNotTo) {
  for (const bool fill : {true, false}) {
    LibraryHarness h;
    h.container->home_id = "H9";
    h.container->class_parents["3"] = 4;
    auto li = Residents(h);
    auto view = std::make_shared<widgets::ListView>();
    bool not_added = false;
    h.shared->AddItem(view, nullptr, 0, li, nullptr, "", "", false, not_added, fill);
    EXPECT_EQ(testing::Show(li->Record(3)[1]), fill ? "\"H9\"" : "Empty") << fill;
  }
}

// A dirty current record is saved first; a clean one is neither validated nor saved.
TEST(AddItem, SecuresOnlyADirtyCurrentRecord) {
  LibraryHarness h;
  auto li = Residents(h);
  auto view = std::make_shared<widgets::ListView>();
  bool not_added = false;
  h.shared->AddItem(view, nullptr, 0, li, nullptr, "", "", false, not_added);
  EXPECT_EQ(h.log->Matching("LI.Save").size(), 0u);
  EXPECT_EQ(h.log->CountOf("Form.ValidateMyControls()"), 0u);

  li->FieldValue(3, Variant::Text("changed"));
  h.log->Clear();
  h.shared->AddItem(view, nullptr, 0, li, nullptr, "", "", false, not_added);
  EXPECT_LT(h.log->IndexOf("LI.Save(False)"), h.log->IndexOf("LI.AddNew()"));
  EXPECT_EQ(view->Items().Count(), 2);
}

// A dirty record that validation or saving refuses stops the addition: nothing appended, no
// entry, blnNotAdded set and the current entry returned.
TEST(AddItem, RefusedCurrentRecordAddsNothing) {
  for (const int32_t save_mode : {4, 0}) {
    LibraryHarness h;
    auto li = Residents(h);
    li->save_mode = save_mode;
    li->save_answers = {false};
    li->hard_rules->rules.push_back(std::make_shared<FakeHardRule>(2, 2, 31, "Name missing"));
    li->FieldValue(3, Variant::Text("changed"));
    auto view = std::make_shared<widgets::ListView>();
    const ObjectPtr current = view->Items().Add("K1", "Ann");
    bool not_added = false;
    EXPECT_EQ(h.shared->AddItem(view, nullptr, 0, li, current, "", "", false, not_added), current) << save_mode;
    EXPECT_TRUE(not_added) << save_mode;
    EXPECT_EQ(li->Count(), 2) << save_mode;
    EXPECT_EQ(view->Items().Count(), 1) << save_mode;
    EXPECT_EQ(h.log->CountOf("LI.AddNew()"), 0u) << save_mode;
  }
}

// A control that refuses the focus does not stop the addition.
TEST(AddItem, IgnoresAFocusRefusal) {
  LibraryHarness h;
  auto li = Residents(h);
  auto view = std::make_shared<widgets::ListView>();
  view->RefuseFocus(true);
  bool not_added = false;
  EXPECT_TRUE(h.shared->AddItem(view, nullptr, 0, li, nullptr, "", "", false, not_added));
  EXPECT_EQ(h.log->CountOf("Form.ToggleReadWrite()"), 1u);
}

// A control of another kind still gets its record appended but no entry, and the result is nothing.
TEST(AddItem, OtherControlsGetNoEntry) {
  LibraryHarness h;
  auto li = Residents(h);
  bool not_added = false;
  EXPECT_EQ(h.shared->AddItem(std::make_shared<widgets::ImageList>(), nullptr, 0, li, nullptr, "", "", false, not_added),
            nullptr);
  EXPECT_EQ(li->Count(), 3);
  EXPECT_FALSE(not_added);
  EXPECT_EQ(h.log->CountOf("Form.ToggleReadWrite()"), 1u);
}

// A key the control already holds is refused after the record was appended, with the trail.
TEST(AddItem, DuplicateKeyIsRefusedWithTheTrail) {
  LibraryHarness h;
  auto li = Residents(h);
  auto view = std::make_shared<widgets::ListView>();
  view->Items().Add("K12", "already there");
  bool not_added = false;
  try {
    h.shared->AddItem(view, nullptr, 0, li, nullptr, "", "", false, not_added);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kKeyNotUnique);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.AddItem:50\r\n", 0), 0u) << e.Description();
  }
  EXPECT_EQ(li->Count(), 3);
  EXPECT_FALSE(not_added);
}

}  // namespace
}  // namespace kw
