// Removing items: confirmation, deletion of the current record, removal of the selected entry
// from a headless list or tree view, and the selection that follows.
#include "tests/doubles/library_test.h"

#include "widgets/list_view.h"
#include "widgets/tree_view.h"

namespace kw {
namespace {

// Records keyed 1..`count`, each shown in `view` as <prefix><key>; the record and entry at
// `selected` current and selected.
std::shared_ptr<FakeLI> Listed(LibraryHarness& h, widgets::EntryControl& view, int32_t count, int32_t selected,
                               const std::string& prefix = "K", std::shared_ptr<FakeLI> li = nullptr) {
  if (!li) li = std::make_shared<FakeLI>(h.log);
  const ObjectPtr entries = view.Get(view.TypeName() == "TreeView" ? "Nodes" : "ListItems").ToObject();
  for (int32_t key = 1; key <= count; ++key) {
    li->AddRecord({Variant::Long(key)});
    entries->Call(
        "Add", Args().Named("Key", Variant::Text(prefix + std::to_string(key))).Named("Text", Variant::Text("entry")));
  }
  li->CurrentIndex(Variant::Long(selected));
  view.Entries().At(selected)->Selected(true);
  h.log->Clear();
  return li;
}

Strings KeysOf(const widgets::EntryList& entries) {
  Strings keys;
  for (int32_t i = 1; i <= entries.Count(); ++i) keys.push_back(entries.At(i)->Key());
  return keys;
}

// A business object that reads -3 as its position after a deletion until it is told to settle.
class SettlingLI : public FakeLI {
 public:
  using FakeLI::CurrentIndex;
  using FakeLI::FakeLI;
  void Delete() override {
    FakeLI::Delete();
    unsettled_ = true;
  }
  Variant CurrentIndex() override {
    if (!unsettled_) return FakeLI::CurrentIndex();
    Hit("Get CurrentIndex");
    return Variant::Long(-3);
  }
  void CurrentIndex(const Variant& index) override {
    FakeLI::CurrentIndex(index);
    unsettled_ = false;
  }

 private:
  bool unsettled_ = false;
};

// A list view over records keyed 1..`count` with the one at `selected` current and selected.
struct Removal {
  explicit Removal(int32_t count = 3, int32_t selected = 1, const std::string& prefix = "K", bool settling = false)
      : li(Listed(h, *view, count, selected, prefix, settling ? std::make_shared<SettlingLI>(h.log) : nullptr)) {}
  // Removes the selected entry without asking.
  ObjectPtr Quietly() { return h.shared->RemoveItem(view, li, "", nullptr, removed, "", true); }

  LibraryHarness h;
  std::shared_ptr<widgets::ListView> view = std::make_shared<widgets::ListView>();
  std::shared_ptr<FakeLI> li;
  bool removed = false;
};

// Removing the middle entry deletes and stores its record, selects and shows the next entry and
// makes its record current; the owner form is told last.
TEST(RemoveItem, RemovesTheMiddleEntryAndFollowsTheNewSelection) {
  Removal r(3, 2);
  const ObjectPtr result = r.h.shared->RemoveItem(r.view, r.li, "2", nullptr, r.removed);
  EXPECT_TRUE(r.removed);
  EXPECT_EQ(KeysOf(r.view->Entries()), (Strings{"K1", "K3"}));
  EXPECT_EQ(result, r.view->SelectedItem());
  EXPECT_EQ(r.view->SelectedItem()->Key(), "K3");
  EXPECT_EQ(r.view->VisibleItem(), r.view->SelectedItem());
  EXPECT_EQ(r.li->Current(), 2);
  EXPECT_EQ(r.li->Record(2)[0].ToLong(), 3);
  EXPECT_LT(r.h.log->IndexOf("LI.Delete()"), r.h.log->IndexOf("LI.Save(True)"));
  EXPECT_EQ(r.h.log->Entries().back(), "Form.ToggleReadWrite()");
  EXPECT_TRUE(r.view->HasFocus());
}

struct QuestionRow {
  const char *name, *msg_text;
  bool disable;
  const char* answer;
  bool asked, removed;
};

// The question (standard or custom text, rule 2185, no detail) is asked unless disabled; an
// answer other than 0 leaves everything as it was.
TEST(RemoveItem, AsksUnlessToldNotTo) {
  const QuestionRow rows[] = {
      {"standard question, accepted", "", false, "0", true, true},
      {"custom question, accepted", "Remove this resident?", false, "0", true, true},
      {"declined", "", false, "1", true, false},
      {"not asked", "", true, "1", false, true},
  };
  for (const auto& row : rows) {
    Removal r(2, 1);
    auto& h = r.h;
    h.dialog->answers = {row.answer};
    const ObjectPtr given = r.view->SelectedItem();
    r.removed = !row.removed;
    const ObjectPtr result = h.shared->RemoveItem(r.view, r.li, "", given, r.removed, row.msg_text, row.disable);
    EXPECT_EQ(r.removed, row.removed) << row.name;
    EXPECT_EQ(h.log->Matching("Dialog.Show").size(), row.asked ? 1u : 0u) << row.name;
    const std::string question = *row.msg_text ? row.msg_text : "Are you sure you want to delete this entry?";
    const std::string shown = h.dialog->feedback + "|" + h.dialog->more_feedback + "|" +
                              std::to_string(h.dialog->rule_type) + "|" + std::to_string(h.dialog->rule_number);
    EXPECT_EQ(shown, row.asked ? question + "||0|2185" : "||-1|-1") << row.name;
    EXPECT_EQ(r.view->Items().Count(), row.removed ? 1 : 2) << row.name;
    EXPECT_EQ(r.li->Count(), row.removed ? 1 : 2) << row.name;
    EXPECT_EQ(result == given, !row.removed) << row.name;
  }
}

// Without a selection nothing happens and the given entry comes back.
TEST(RemoveItem, NothingSelectedChangesNothing) {
  Removal r(2, 1);
  r.view->SelectedItem()->Selected(false);
  const ObjectPtr given = r.view->Items().Item(Variant::Long(2));
  r.removed = true;
  EXPECT_EQ(r.h.shared->RemoveItem(r.view, r.li, "", given, r.removed), given);
  EXPECT_TRUE(r.removed);
  EXPECT_TRUE(r.h.log->Entries().empty());
}

// A record that was never stored is dropped with CancelEdit, not deleted.
TEST(RemoveItem, DropsANewRecordWithoutDeleting) {
  Removal r(1, 1);
  r.li->AddNew();  // key 100
  r.view->Items().Add("K100", "new")->Selected(true);
  r.h.log->Clear();
  r.Quietly();
  EXPECT_EQ(r.h.log->CountOf("LI.CancelEdit()"), 1u);
  EXPECT_EQ(r.h.log->CountOf("LI.Delete()"), 0u);
  EXPECT_EQ(KeysOf(r.view->Entries()), Strings{"K1"});
  EXPECT_EQ(r.li->Current(), 1);
}

// A position of -3 after the deletion is written back before the next entry is selected.
TEST(RemoveItem, SettlesTheObjectAfterADeletion) {
  Removal r(2, 1, "K", true);
  r.Quietly();
  const int settle = r.h.log->IndexOf("LI.Let CurrentIndex(-3)");
  EXPECT_GE(settle, 0);
  EXPECT_LT(settle, r.h.log->IndexOf("LI.Exists(\"2\")"));
  EXPECT_EQ(r.li->Current(), 1);
  EXPECT_EQ(r.li->Record(1)[0].ToLong(), 2);
}

// A tree view, recognised by its window class, loses its node through Nodes; entries under
// another prefix are looked up as if their first character were the prefix.
TEST(RemoveItem, RemovesTreeNodesAndReselectsAssumingTheDefaultPrefix) {
  Removal r;
  auto tree = std::make_shared<widgets::TreeView>();
  auto li = Listed(r.h, *tree, 3, 3);
  r.h.shared->RemoveItem(tree, li, "", nullptr, r.removed, "", true);
  EXPECT_EQ(KeysOf(tree->Entries()), (Strings{"K1", "K2"}));
  EXPECT_EQ(tree->SelectedNode()->Key(), "K2");
  EXPECT_EQ(li->Current(), 2);

  Removal other(3, 1, "AB");
  other.Quietly();
  EXPECT_EQ(other.h.log->Matching("LI.Exists"), Strings{"LI.Exists(\"B2\")"});
  EXPECT_EQ(other.view->SelectedItem()->Key(), "AB2");
}

// A control that refuses the focus fails the removal with the trail, after the record was deleted
// and stored and the entry removed.
TEST(RemoveItem, FocusRefusalIsAnError) {
  Removal r(2, 1);
  r.view->RefuseFocus(true);
  EXPECT_TRUE(RaisedAt(Raised([&] { r.Quietly(); }), err::kInvalidCall, "RemoveItem", 60));
  EXPECT_FALSE(r.removed);
  EXPECT_EQ(r.li->Count(), 1);
  EXPECT_EQ(r.h.log->CountOf("LI.Save(True)"), 1u);
}

// Removal after removal keeps selection and current record together; the last one re-selects
// nothing, gives nothing, and still reports the removal to the caller and the owner form.
TEST(RemoveItem, RemovesDownToTheLastRecord) {
  Removal r(4, 2);
  for (int32_t left = 3; left >= 1; --left) {
    r.Quietly();
    ASSERT_EQ(r.li->Count(), left);
    ASSERT_EQ(r.view->Items().Count(), left);
    EXPECT_EQ("K" + r.li->FieldValueAt(Variant(), 1).ToText(), r.view->SelectedItem()->Key()) << left;
  }
  r.h.log->Clear();
  r.removed = false;
  EXPECT_EQ(r.Quietly(), nullptr);
  EXPECT_TRUE(r.removed);
  EXPECT_EQ(r.li->Count(), 0);
  EXPECT_EQ(r.view->Items().Count(), 0);
  EXPECT_FALSE(r.view->SelectedItem());
  EXPECT_TRUE(r.h.log->Matching("LI.Exists").empty());
  EXPECT_EQ(r.h.log->Entries().back(), "Form.ToggleReadWrite()");
}

}  // namespace
}  // namespace kw
