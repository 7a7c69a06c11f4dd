// Adding items: a new record after the current one was secured, and its entry in a list or tree view.
#include "tests/doubles/library_test.h"

#include "widgets/image_list.h"
#include "widgets/list_view.h"
#include "widgets/tree_view.h"

namespace kw {
namespace {

// Residents keyed 1 and 2 of class 3 (AddNew gives the next one key 12), and a list view.
struct Adding {
  Adding() {
    li->AddRecord({Variant::Long(1), Variant::Text("H1")});
    li->AddRecord({Variant::Long(2), Variant::Text("H1")});
    li->next_key = 12;
  }
  ObjectPtr Add(const ObjectPtr& control, const std::string& prefix = "", const std::string& text = "",
                const ObjectPtr& images = nullptr, int16_t icon = 0, const ObjectPtr& current = nullptr,
                bool fill_parent = true) {
    return h.shared->AddItem(control, images, icon, li, current, prefix, text, false, not_added, fill_parent);
  }
  LibraryHarness h;
  std::shared_ptr<FakeLI> li = std::make_shared<FakeLI>(h.log);
  std::shared_ptr<widgets::ListView> view = std::make_shared<widgets::ListView>();
  bool not_added = false;
};

// blnNotAdded keeps its value on success; a clean current record is neither validated nor saved.
TEST(AddItem, AddsASelectedListItemKeyedWithThePrefixAndFillsTheParentIdUnlessToldNotTo) {
  for (const std::string prefix : {"", "AB"}) {
    Adding a;
    a.not_added = true;
    a.h.container->home_id = "H9";
    a.h.container->class_parents["3"] = 4;
    const bool fill = prefix.empty();
    const ObjectPtr entry = a.Add(a.view, prefix, "New resident", nullptr, 0, nullptr, fill);
    ASSERT_TRUE(entry) << prefix;
    EXPECT_EQ(GetMember(entry, "Key").ToText(), (prefix.empty() ? "K" : prefix) + "12");
    EXPECT_EQ(GetMember(entry, "Text").ToText(), "New resident");
    EXPECT_EQ(a.view->SelectedItem(), entry);
    EXPECT_TRUE(a.view->HasFocus());
    EXPECT_TRUE(a.not_added);
    EXPECT_EQ(a.li->Count(), 3);
    EXPECT_EQ(a.h.log->Entries().back(), "Form.ToggleReadWrite()");
    EXPECT_EQ(a.h.log->MatchingAny({"LI.Save", "Form.ValidateMyControls()"}), Strings{});
    EXPECT_EQ(testing::Show(a.li->Record(3)[1]), fill ? "\"H9\"" : "Empty") << fill;
  }
}

// The icon index is passed, even when 0, only with an image list.
TEST(AddItem, AddsTreeNodesAndPassesTheIconOnlyWithAnImageList) {
  Adding a;
  auto tree = std::make_shared<widgets::TreeView>();
  auto images = std::make_shared<widgets::ImageList>();
  const ObjectPtr node = a.Add(tree, "", "", nullptr, 3);
  EXPECT_EQ(TypeNameOf(node), "Node");
  EXPECT_EQ(tree->TreeNodes().Item(Variant::Text("K12")), node);
  EXPECT_TRUE(tree->TreeNodes().Item(Variant::Text("K12"))->Image().IsEmpty());
  EXPECT_EQ(tree->SelectedItem(), node);
  a.Add(tree, "", "", images, 4);
  EXPECT_EQ(tree->TreeNodes().Item(Variant::Text("K13"))->Image().ToLong(), 4);
  a.Add(a.view, "", "a", images, 0);
  a.Add(a.view, "", "b", nullptr, 5);
  EXPECT_EQ(a.view->Items().Item(Variant::Text("K14"))->SmallIcon().Type(), VarType::Integer);
  EXPECT_EQ(a.view->Items().Item(Variant::Text("K14"))->SmallIcon().ToLong(), 0);
  EXPECT_TRUE(a.view->Items().Item(Variant::Text("K15"))->SmallIcon().IsEmpty());
}

// Save mode 4 refuses through validation, 0 through the save: either stops the addition.
TEST(AddItem, SecuresADirtyCurrentRecordFirst) {
  Adding saved;
  saved.li->FieldValue(3, Variant::Text("changed"));
  saved.Add(saved.view);
  EXPECT_LT(saved.h.log->IndexOf("LI.Save(False)"), saved.h.log->IndexOf("LI.AddNew()"));
  for (const int32_t save_mode : {4, 0}) {
    Adding a;
    a.li->save_mode = save_mode;
    a.li->save_answers = {false};
    a.li->hard_rules->rules.push_back(std::make_shared<FakeHardRule>(2, 2, 31, "Name missing"));
    a.li->FieldValue(3, Variant::Text("changed"));
    const ObjectPtr current = a.view->Items().Add("K1", "Ann");
    EXPECT_EQ(a.Add(a.view, "", "", nullptr, 0, current), current) << save_mode;
    EXPECT_TRUE(a.not_added) << save_mode;
    EXPECT_EQ(a.li->Count(), 2) << save_mode;
    EXPECT_EQ(a.view->Items().Count(), 1) << save_mode;
    EXPECT_EQ(a.h.log->CountOf("LI.AddNew()"), 0u) << save_mode;
  }
}

// A key the control already holds is refused only after its record was appended.
TEST(AddItem, FocusRefusalsAndOtherControlsDoNotStopItDuplicateKeysDo) {
  Adding a;
  a.view->RefuseFocus(true);
  EXPECT_TRUE(a.Add(a.view));
  EXPECT_EQ(a.Add(std::make_shared<widgets::ImageList>()), nullptr);
  EXPECT_EQ(a.li->Count(), 4);
  EXPECT_FALSE(a.not_added);
  EXPECT_EQ(a.h.log->CountOf("Form.ToggleReadWrite()"), 2u);
  a.view->Items().Add("K14", "already there");
  EXPECT_TRUE(RaisedAt(Raised([&] { a.Add(a.view); }), err::kKeyNotUnique, "AddItem", 50));
  EXPECT_EQ(a.li->Count(), 5);
  EXPECT_FALSE(a.not_added);
}

}  // namespace
}  // namespace kw
