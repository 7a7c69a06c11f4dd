// Item selection: what a click on a list entry does to the record left, the entries and the position.
#include "tests/doubles/library_test.h"

#include "tests/doubles/recording_list.h"

namespace kw {
namespace {

// Residents keyed 17, 4 and 9, record 1 current (dirty on request), and the entry selected before.
struct Click {
  explicit Click(bool dirty = true, const std::string& previous_key = "K17") {
    for (int32_t key : {17, 4, 9}) li->AddRecord({Variant::Long(key), Variant(), Variant::Text("name")});
    if (dirty) li->FieldValue(3, Variant::Text("changed"));
    if (!previous_key.empty()) previous = Entry(previous_key);
    h.log->Clear();
  }
  ObjectPtr Entry(const std::string& key) { return std::make_shared<testing::RecordingListEntry>(*list, key); }
  // The library's own calls to entries, without the fake's reads of rules and keys.
  Strings EntryCalls() const { return h.log->Matching("List "); }

  LibraryHarness h;
  std::shared_ptr<FakeLI> li = std::make_shared<FakeLI>(h.log);
  std::shared_ptr<testing::RecordingList> list = std::make_shared<testing::RecordingList>(h.log, "ListView", Strings{});
  ObjectPtr previous;
  bool changed = false;
};

// Null flags count as false; only the validation path unselects the clicked entry when it refuses.
TEST(ItemClick, SavesDiscardsMovesOrPutsTheSelectionBackAsTheFlagsAndTheRecordSay) {
  const Variant yes = Variant::Boolean(true), no = Variant::Boolean(false), one = Variant::Integer(1);
  struct Row {
    const char* name;
    bool send_off;          // a non-interactive send-off runs
    bool deleted;           // the record being left was deleted
    Variant save_previous;  // blnSavePrevious
    Variant change_index;   // blnChangeLIIndex
    const char* kept;       // what happened to the record being left: stored or discarded
    int32_t current_after;  // the business object's current position afterwards
  };
  const Row rows[] = {
      {"plain", false, false, yes, one, "LI.Save(False)", 2},
      {"non-interactive send-off", true, false, yes, one, "", 2},
      {"deleted", false, true, yes, one, "LI.CancelEdit()", 2},
      {"not saving the previous", false, false, no, one, "LI.CancelEdit()", 2},
      {"index kept", false, false, yes, Variant::Integer(0), "LI.Save(False)", 1},
      {"deleted, index kept", false, true, yes, Variant::Integer(0), "", 1},
      {"null flags", false, false, Variant::Null(), Variant::Null(), "", 1},
  };
  for (const auto& [name, send_off, deleted, save_previous, change_index, kept, current_after] : rows) {
    Click c;
    c.h.container->send_off_mode = send_off;
    const ObjectPtr clicked = c.Entry("K4");
    EXPECT_EQ(c.h.shared->ItemClick(clicked, c.previous, c.li, c.changed, "", deleted, save_previous, change_index),
              clicked)
        << name;
    EXPECT_TRUE(c.changed) << name;
    EXPECT_EQ(c.h.log->Joined({"LI.Save", "LI.CancelEdit"}), kept) << name;
    EXPECT_EQ(c.li->Current(), current_after) << name;
    EXPECT_EQ(c.EntryCalls(), (Strings{"List K4.Let Selected(True)", "List K4.EnsureVisible()"})) << name;
  }
  const std::pair<int32_t, Strings> refusals[] = {
      {4, {"List K4.Let Selected(False)", "List K17.Let Selected(True)"}},  // batch object, validation refuses
      {0, {"List K17.Let Selected(True)"}},                                 // other object, OnSave refuses
  };
  for (const auto& [save_mode, entry_calls] : refusals) {
    Click c;
    c.li->save_mode = save_mode;
    c.li->save_answers = {false};
    c.li->hard_rules->rules.push_back(std::make_shared<FakeHardRule>(2, 2, 31, "Name missing"));
    EXPECT_EQ(c.h.shared->ItemClick(c.Entry("K4"), c.previous, c.li, c.changed), c.previous) << save_mode;
    EXPECT_FALSE(c.changed) << save_mode;
    EXPECT_EQ(c.li->Current(), 1) << save_mode;
    EXPECT_EQ(c.h.log->MatchingAny({"LI.CancelEdit()", "LI.Save(True)"}), Strings{}) << save_mode;
    EXPECT_EQ(c.EntryCalls(), entry_calls) << save_mode;
  }
  Click c;
  c.li->save_mode = 4;
  c.h.shared->ItemClick(c.Entry("K4"), c.previous, c.li, c.changed);
  EXPECT_EQ(c.h.log->Joined({"Form.ValidateMyControls", "LI.Validate", "LI.Save"}),
            "Form.ValidateMyControls(); Form.ValidateMyControls(); LI.Validate(); LI.Save(True)");
}

// The "NEW" entry left behind is renamed even when its record is not saved.
TEST(ItemClick, RenamesTheNewEntryItLeavesAndNeedsANumberAfterACustomPrefix) {
  Click c(false, "NEW");
  c.li->AddNew();  // key 100, current, not stored
  c.h.log->Clear();
  c.h.shared->ItemClick(c.Entry("AB4"), c.previous, c.li, c.changed, "AB", false, Variant::Boolean(false));
  EXPECT_EQ(c.EntryCalls().front(), "List NEW.Let Key(\"AB100\")");
  EXPECT_EQ(GetMember(c.previous, "Key").ToText(), "AB100");

  Click x(false, "ABx1");
  EXPECT_TRUE(RaisedAt(Raised([&] { x.h.shared->ItemClick(x.Entry("ABxy"), x.previous, x.li, x.changed, "AB"); }),
                       err::kTypeMismatch, "ItemClick", 62));
  EXPECT_FALSE(x.changed);
}

}  // namespace
}  // namespace kw
