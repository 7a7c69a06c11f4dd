// Removing items: confirmation, deletion of the record, its entry and the selection that follows.
#include "tests/doubles/library_test.h"

#include "widgets/list_view.h"
#include "widgets/tree_view.h"

namespace kw {
namespace {

// Records keyed 1..`count` shown in `view` as <prefix><key>; the one at `selected` current and selected.
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

// The view and the object as one line; the current record is shown as position:key.
std::string State(widgets::EntryControl& view, FakeLI& li, bool removed) {
  std::string keys;
  for (int32_t i = 1; i <= view.Entries().Count(); ++i) keys += (i > 1 ? "," : "") + view.Entries().At(i)->Key();
  const auto& selected = view.SelectedItem();
  std::string state = std::string(removed ? "removed" : "kept") + " keys=" + keys +
                      " selected=" + (selected ? selected->Key() : "none") +
                      (selected && view.VisibleItem() == selected ? " visible" : "") +
                      " current=" + std::to_string(li.Current());
  if (li.Current() > 0) state += ":" + li.Record(li.Current())[0].ToText();
  return state + " records=" + std::to_string(li.Count()) + (view.HasFocus() ? " focus" : "");
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
  ObjectPtr Quietly() { return h.shared->RemoveItem(view, li, "", nullptr, removed, "", true); }
  std::string Now() { return State(*view, *li, removed); }

  LibraryHarness h;
  std::shared_ptr<widgets::ListView> view = std::make_shared<widgets::ListView>();
  std::shared_ptr<FakeLI> li;
  bool removed = false;
};

TEST(RemoveItem, RemovesTheMiddleEntryAndFollowsTheNewSelection) {
  Removal r(3, 2);
  const ObjectPtr result = r.h.shared->RemoveItem(r.view, r.li, "2", nullptr, r.removed);
  EXPECT_EQ(r.Now(), "removed keys=K1,K3 selected=K3 visible current=2:3 records=2 focus");
  EXPECT_EQ(result, r.view->SelectedItem());
  EXPECT_LT(r.h.log->IndexOf("LI.Delete()"), r.h.log->IndexOf("LI.Save(True)"));
  EXPECT_EQ(r.h.log->Entries().back(), "Form.ToggleReadWrite()");
}

struct QuestionRow {
  const char *name, *msg_text;
  bool disable;
  const char *answer, *shown, *state;
};

TEST(RemoveItem, AsksUnlessToldNotTo) {
  const char* const standard = "Are you sure you want to delete this entry?||0|2185";
  const char* const gone = "removed keys=K2 selected=K2 visible current=1:2 records=1 focus";
  const QuestionRow rows[] = {
      {"standard question, accepted", "", false, "0", standard, gone},
      {"custom question, accepted", "Remove this resident?", false, "0", "Remove this resident?||0|2185", gone},
      {"declined", "", false, "1", standard, "kept keys=K1,K2 selected=K1 current=1:1 records=2"},
      {"not asked", "", true, "1", "||-1|-1", gone},
  };
  for (const auto& row : rows) {
    Removal r(2, 1);
    auto& h = r.h;
    h.dialog->answers = {row.answer};
    const ObjectPtr given = r.view->SelectedItem();
    r.removed = std::string(row.state).starts_with("kept");
    const ObjectPtr result = h.shared->RemoveItem(r.view, r.li, "", given, r.removed, row.msg_text, row.disable);
    EXPECT_EQ(r.Now(), row.state) << row.name;
    EXPECT_EQ(h.log->Matching("Dialog.Show").size(), *row.shown == '|' ? 0u : 1u) << row.name;
    EXPECT_EQ(Shown(*h.dialog), row.shown) << row.name;
    EXPECT_EQ(result == given, !r.removed) << row.name;
  }
}

// A position of -3 after the deletion is written back before the next entry is selected.
TEST(RemoveItem, DropsANewRecordWithoutDeletingAndSettlesTheObjectAfterADeletion) {
  Removal r(1, 1);
  r.li->AddNew();  // key 100
  r.view->Items().Add("K100", "new")->Selected(true);
  r.h.log->Clear();
  r.Quietly();
  EXPECT_EQ(r.h.log->MatchingAny({"LI.CancelEdit", "LI.Delete"}), Strings{"LI.CancelEdit()"});
  EXPECT_EQ(r.Now(), "removed keys=K1 selected=K1 visible current=1:1 records=1 focus");

  Removal settling(2, 1, "K", true);
  settling.Quietly();
  EXPECT_EQ(settling.h.log->Joined({"LI.Let CurrentIndex", "LI.Exists"}),
            "LI.Let CurrentIndex(-3); LI.Exists(\"2\"); LI.Let CurrentIndex(\"2\")");
  EXPECT_EQ(settling.Now(), "removed keys=K2 selected=K2 visible current=1:2 records=1 focus");
}

// Entries under another prefix are looked up as if only their first character were the prefix.
TEST(RemoveItem, RemovesTreeNodesAndReselectsAssumingTheDefaultPrefix) {
  Removal r;
  auto tree = std::make_shared<widgets::TreeView>();
  auto li = Listed(r.h, *tree, 3, 3);
  r.h.shared->RemoveItem(tree, li, "", nullptr, r.removed, "", true);
  EXPECT_EQ(State(*tree, *li, r.removed), "removed keys=K1,K2 selected=K2 visible current=2:2 records=2 focus");

  Removal other(3, 1, "AB");
  other.Quietly();
  EXPECT_EQ(other.h.log->Matching("LI.Exists"), Strings{"LI.Exists(\"B2\")"});
  EXPECT_EQ(other.view->SelectedItem()->Key(), "AB2");
}

// A focus refusal fails the removal only after the record was deleted and stored and the entry removed.
TEST(RemoveItem, FocusRefusalIsAnErrorAndNothingSelectedChangesNothing) {
  Removal r(2, 1);
  r.view->RefuseFocus(true);
  EXPECT_TRUE(RaisedAt(Raised([&] { r.Quietly(); }), err::kInvalidCall, "RemoveItem", 60));
  EXPECT_EQ(r.Now(), "kept keys=K2 selected=K2 current=1:2 records=1");
  EXPECT_EQ(r.h.log->CountOf("LI.Save(True)"), 1u);

  Removal none(2, 1);
  none.view->SelectedItem()->Selected(false);
  const ObjectPtr given = none.view->Items().Item(Variant::Long(2));
  none.removed = true;
  EXPECT_EQ(none.h.shared->RemoveItem(none.view, none.li, "", given, none.removed), given);
  EXPECT_EQ(none.Now(), "removed keys=K1,K2 selected=none current=1:1 records=2");
  EXPECT_TRUE(none.h.log->Entries().empty());
}

}  // namespace
}  // namespace kw
