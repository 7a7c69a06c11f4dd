// Removing items: confirmation, deletion of the current record, removal of the selected entry
// from a headless list or tree view, and the selection that follows.
#include <gtest/gtest.h>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"
#include "widgets/list_view.h"
#include "widgets/tree_view.h"

namespace kw {
namespace {

using testing::FakeLI;
using testing::LibraryHarness;

// Records keyed 1..`count`, each shown in `view` as K<key>; the record and entry at `selected`
// current and selected.
std::shared_ptr<FakeLI> Listed(LibraryHarness& h, widgets::EntryControl& view, int32_t count, int32_t selected,
                               const std::string& prefix = "K") {
  auto li = std::make_shared<FakeLI>(h.log);
  const ObjectPtr entries = view.Get(view.TypeName() == "TreeView" ? "Nodes" : "ListItems").ToObject();
  for (int32_t key = 1; key <= count; ++key) {
    li->AddRecord({Variant::Long(key)});
    entries->Call("Add", Args().Named("Key", Variant::Text(prefix + std::to_string(key))).Named("Text", Variant::Text("entry")));
  }
  li->CurrentIndex(Variant::Long(selected));
  view.Entries().At(selected)->Selected(true);
  h.log->Clear();
  return li;
}

std::vector<std::string> Keys(const widgets::EntryList& entries) {
  std::vector<std::string> keys;
  for (int32_t i = 1; i <= entries.Count(); ++i) keys.push_back(entries.At(i)->Key());
  return keys;
}

// Removing the middle entry deletes and stores its record, selects and shows the next entry and
// makes its record current; the owner form is told last.
TEST(RemoveItem, RemovesTheMiddleEntryAndFollowsTheNewSelection) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = Listed(h, *view, 3, 2);
  bool removed = false;
  const ObjectPtr result = h.shared->RemoveItem(view, li, "2", nullptr, removed);
  EXPECT_TRUE(removed);
  EXPECT_EQ(Keys(view->Entries()), (std::vector<std::string>{"K1", "K3"}));
  EXPECT_EQ(result, view->SelectedItem());
  EXPECT_EQ(view->SelectedItem()->Key(), "K3");
  EXPECT_EQ(view->VisibleItem(), view->SelectedItem());
  EXPECT_EQ(li->Current(), 2);
  EXPECT_EQ(li->Record(2)[0].ToLong(), 3);
  EXPECT_LT(h.log->IndexOf("LI.Delete()"), h.log->IndexOf("LI.Save(True)"));
  EXPECT_EQ(h.log->Entries().back(), "Form.ToggleReadWrite()");
  EXPECT_TRUE(view->HasFocus());
}

struct QuestionRow {
  const char* name;
  const char* msg_text;
  bool disable;
  const char* answer;
  bool asked;
  bool removed;
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
    LibraryHarness h;
    h.dialog->answers = {row.answer};
    auto view = std::make_shared<widgets::ListView>();
    auto li = Listed(h, *view, 2, 1);
    const ObjectPtr given = view->SelectedItem();
    bool removed = !row.removed;
    const ObjectPtr result = h.shared->RemoveItem(view, li, "", given, removed, row.msg_text, row.disable);
    EXPECT_EQ(removed, row.removed) << row.name;
    EXPECT_EQ(h.log->Matching("Dialog.Show").size(), row.asked ? 1u : 0u) << row.name;
    if (row.asked) {
      EXPECT_EQ(h.dialog->feedback, *row.msg_text ? row.msg_text : "Are you sure you want to delete this entry?")
          << row.name;
      EXPECT_EQ(h.dialog->more_feedback, "") << row.name;
      EXPECT_EQ(h.dialog->rule_type, 0) << row.name;
      EXPECT_EQ(h.dialog->rule_number, 2185) << row.name;
    }
    EXPECT_EQ(view->Items().Count(), row.removed ? 1 : 2) << row.name;
    EXPECT_EQ(li->Count(), row.removed ? 1 : 2) << row.name;
    EXPECT_EQ(result == given, !row.removed) << row.name;
  }
}

// Without a selection nothing happens and the given entry comes back.
TEST(RemoveItem, NothingSelectedChangesNothing) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = Listed(h, *view, 2, 1);
  view->SelectedItem()->Selected(false);
  const ObjectPtr given = view->Items().Item(Variant::Long(2));
  bool removed = true;
  EXPECT_EQ(h.shared->RemoveItem(view, li, "", given, removed), given);
  EXPECT_TRUE(removed);
  EXPECT_TRUE(h.log->Entries().empty());
}

// A record that was never stored is dropped with CancelEdit, not deleted.
TEST(RemoveItem, DropsANewRecordWithoutDeleting) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = Listed(h, *view, 1, 1);
  li->AddNew();  // key 100
  view->Items().Add("K100", "new")->Selected(true);
  h.log->Clear();
  bool removed = false;
  h.shared->RemoveItem(view, li, "", nullptr, removed, "", true);
  EXPECT_EQ(h.log->CountOf("LI.CancelEdit()"), 1u);
  EXPECT_EQ(h.log->CountOf("LI.Delete()"), 0u);
  EXPECT_EQ(Keys(view->Entries()), std::vector<std::string>{"K1"});
  EXPECT_EQ(li->Current(), 1);
}

// A business object that reads -3 as its position after a deletion until it is told to settle.
class SettlingLI : public FakeLI {
 public:
  using FakeLI::FakeLI;
  using FakeLI::CurrentIndex;
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

// A position of -3 after the deletion is written back before the next entry is selected.
TEST(RemoveItem, SettlesTheObjectAfterADeletion) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = std::make_shared<SettlingLI>(h.log);
  for (int32_t key = 1; key <= 2; ++key) li->AddRecord({Variant::Long(key)});
  view->Items().Add("K1", "entry")->Selected(true);
  view->Items().Add("K2", "entry");
  bool removed = false;
  h.shared->RemoveItem(view, li, "", nullptr, removed, "", true);
  const int settle = h.log->IndexOf("LI.Let CurrentIndex(-3)");
  EXPECT_GE(settle, 0);
  EXPECT_LT(settle, h.log->IndexOf("LI.Exists(\"2\")"));
  EXPECT_EQ(li->Current(), 1);
  EXPECT_EQ(li->Record(1)[0].ToLong(), 2);
}

// A tree view, recognised by its window class, loses its node through Nodes.
TEST(RemoveItem, RemovesTreeNodes) {
  LibraryHarness h;
  auto tree = std::make_shared<widgets::TreeView>();
  auto li = Listed(h, *tree, 3, 3);
  bool removed = false;
  h.shared->RemoveItem(tree, li, "", nullptr, removed, "", true);
  EXPECT_EQ(Keys(tree->Entries()), (std::vector<std::string>{"K1", "K2"}));
  EXPECT_EQ(tree->SelectedNode()->Key(), "K2");
  EXPECT_EQ(li->Current(), 2);
}

// Entries under another prefix are looked up as if their first character were the prefix.
TEST(RemoveItem, ReselectsAssumingTheDefaultPrefix) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = Listed(h, *view, 3, 1, "AB");
  bool removed = false;
  h.shared->RemoveItem(view, li, "", nullptr, removed, "", true);
  EXPECT_EQ(h.log->Matching("LI.Exists"), std::vector<std::string>{"LI.Exists(\"B2\")"});
  EXPECT_EQ(view->SelectedItem()->Key(), "AB2");
}

// A control that refuses the focus fails the removal with the trail, after the record was deleted
// and stored and the entry removed.
TEST(RemoveItem, FocusRefusalIsAnError) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = Listed(h, *view, 2, 1);
  view->RefuseFocus(true);
  bool removed = false;
  try {
    h.shared->RemoveItem(view, li, "", nullptr, removed, "", true);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kInvalidCall);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.RemoveItem:60\r\n", 0), 0u) << e.Description();
  }
  EXPECT_FALSE(removed);
  EXPECT_EQ(li->Count(), 1);
  EXPECT_EQ(h.log->CountOf("LI.Save(True)"), 1u);
}

// Removing record after record keeps the selection and the current record together; removing the
// last one calls no re-selection, gives nothing, and still reports the removal to the caller and
// the owner form.
TEST(RemoveItem, RemovesDownToTheLastRecord) {
  LibraryHarness h;
  auto view = std::make_shared<widgets::ListView>();
  auto li = Listed(h, *view, 4, 2);
  bool removed = false;
  for (int32_t left = 3; left >= 1; --left) {
    h.shared->RemoveItem(view, li, "", nullptr, removed, "", true);
    ASSERT_EQ(li->Count(), left);
    ASSERT_EQ(view->Items().Count(), left);
    EXPECT_EQ("K" + li->FieldValueAt(Variant(), 1).ToText(), view->SelectedItem()->Key()) << left;
  }
  h.log->Clear();
  removed = false;
  EXPECT_EQ(h.shared->RemoveItem(view, li, "", nullptr, removed, "", true), nullptr);
  EXPECT_TRUE(removed);
  EXPECT_EQ(li->Count(), 0);
  EXPECT_EQ(view->Items().Count(), 0);
  EXPECT_FALSE(view->SelectedItem());
  EXPECT_TRUE(h.log->Matching("LI.Exists").empty());
  EXPECT_EQ(h.log->Entries().back(), "Form.ToggleReadWrite()");
}

}  // namespace
}  // namespace kw
