// Item selection: what a click on a list entry does to the record being left, the entries'
// selection and keys, and the business object's current record.
#include <gtest/gtest.h>

#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/harness.h"

namespace kw {
namespace {

using testing::FakeHardRule;
using testing::FakeLI;
using testing::LibraryHarness;

// A list entry that logs what the library does to it: "Entry <key>.<member>(<value>)".
class RecordingEntry : public Object {
 public:
  RecordingEntry(std::shared_ptr<testing::CallLog> log, std::string key) : log_(std::move(log)), key_(std::move(key)) {}
  std::string TypeName() const override { return "ListItem"; }
  Variant Get(std::string_view member, const Args& args = {}) override {
    if (member == "Key") return Variant::Text(key_);
    return Object::Get(member, args);
  }
  void Let(std::string_view member, const Variant& value, const Args& args = {}) override {
    if (member != "Selected" && member != "Key") return Object::Let(member, value, args);
    log_->Record("Entry " + key_ + ".Let " + std::string(member) + "(" + testing::Show(value) + ")");
    if (member == "Key") key_ = value.GetText();
  }
  Variant Call(std::string_view member, const Args& args = {}) override {
    if (member != "EnsureVisible") return Object::Call(member, args);
    log_->Record("Entry " + key_ + ".EnsureVisible()");
    return Variant::Boolean(true);
  }

 private:
  std::shared_ptr<testing::CallLog> log_;
  std::string key_;
};

// Residents keyed 17, 4 and 9; record 1 current.
std::shared_ptr<FakeLI> Residents(LibraryHarness& h) {
  auto li = std::make_shared<FakeLI>(h.log);
  for (int32_t key : {17, 4, 9}) li->AddRecord({Variant::Long(key), Variant(), Variant::Text("name")});
  return li;
}

// Makes the current record dirty and forgets the calls that did it.
void Dirty(LibraryHarness& h, FakeLI& li) {
  li.FieldValue(3, Variant::Text("changed"));
  h.log->Clear();
}

ObjectPtr Entry(LibraryHarness& h, const std::string& key) { return std::make_shared<RecordingEntry>(h.log, key); }

// The library's own calls, without the fake's reads of rules and keys.
std::vector<std::string> EntryCalls(LibraryHarness& h) { return h.log->Matching("Entry "); }

// On the first click the clicked entry becomes the previous one; the dirty record is saved
// through OnSave, the clicked record made current, the entry selected and shown.
TEST(ItemClick, FirstClickSecuresTheRecordAndSelects) {
  LibraryHarness h;
  auto li = Residents(h);
  Dirty(h, *li);
  const ObjectPtr clicked = Entry(h, "K4");
  ObjectPtr previous;
  bool changed = false;
  EXPECT_EQ(h.shared->ItemClick(clicked, previous, li, changed), clicked);
  EXPECT_EQ(previous, clicked);
  EXPECT_TRUE(changed);
  EXPECT_EQ(li->Current(), 2);
  EXPECT_GE(h.log->IndexOf("LI.Save(False)"), 0);
  EXPECT_LT(h.log->IndexOf("LI.Save(False)"), h.log->IndexOf("LI.Exists(\"4\")"));
  EXPECT_EQ(EntryCalls(h), (std::vector<std::string>{"Entry K4.Let Selected(True)", "Entry K4.EnsureVisible()"}));
}

// Clicking the entry already selected changes nothing and leaves bChanged alone.
TEST(ItemClick, SameKeyReturnsThePreviousEntryAtOnce) {
  LibraryHarness h;
  auto li = Residents(h);
  Dirty(h, *li);
  ObjectPtr previous = Entry(h, "K17");
  bool changed = false;
  EXPECT_EQ(h.shared->ItemClick(Entry(h, "K17"), previous, li, changed), previous);
  EXPECT_FALSE(changed);
  EXPECT_TRUE(h.log->Entries().empty()) << ::testing::PrintToString(h.log->Entries());
}

struct FlagRow {
  const char* name;
  bool send_off;  // a non-interactive send-off runs
  bool deleted;
  bool save_previous;
  bool change_index;
  bool saved;      // the record being left was stored
  bool cancelled;  // its changes were discarded
  int32_t current_after;
};

// Which of save, discard and move happen under the send-off state and the three flags.
TEST(ItemClick, SavesDiscardsAndMovesAsTheFlagsSay) {
  const FlagRow rows[] = {
      {"plain", false, false, true, true, true, false, 2},
      {"non-interactive send-off", true, false, true, true, false, false, 2},
      {"deleted", false, true, true, true, false, true, 2},
      {"not saving the previous", false, false, false, true, false, true, 2},
      {"index kept", false, false, true, false, true, false, 1},
      {"deleted, index kept", false, true, true, false, false, false, 1},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->send_off_mode = row.send_off;
    auto li = Residents(h);
    Dirty(h, *li);
    ObjectPtr previous = Entry(h, "K17");
    const ObjectPtr clicked = Entry(h, "K4");
    bool changed = false;
    const ObjectPtr result = h.shared->ItemClick(clicked, previous, li, changed, "", row.deleted,
                                                 Variant::Boolean(row.save_previous), Variant::Integer(row.change_index));
    EXPECT_EQ(result, clicked) << row.name;
    EXPECT_TRUE(changed) << row.name;
    EXPECT_EQ(h.log->CountOf("LI.Save(False)") + h.log->CountOf("LI.Save(True)") > 0, row.saved) << row.name;
    EXPECT_EQ(h.log->CountOf("LI.CancelEdit()"), row.cancelled ? 1u : 0u) << row.name;
    EXPECT_EQ(li->Current(), row.current_after) << row.name;
    EXPECT_EQ(EntryCalls(h), (std::vector<std::string>{"Entry K4.Let Selected(True)", "Entry K4.EnsureVisible()"}))
        << row.name;
  }
}

// A null flag counts as false.
TEST(ItemClick, NullFlagsCountAsFalse) {
  LibraryHarness h;
  auto li = Residents(h);
  Dirty(h, *li);
  ObjectPtr previous = Entry(h, "K17");
  bool changed = false;
  h.shared->ItemClick(Entry(h, "K4"), previous, li, changed, "", false, Variant::Null(), Variant::Null());
  EXPECT_EQ(h.log->CountOf("LI.Save(False)"), 0u);
  EXPECT_EQ(li->Current(), 1);
}

struct RefusalRow {
  const char* name;
  int32_t save_mode;
  std::vector<std::string> entry_calls;
};

// A record that validation or saving refuses keeps the selection on the previous entry (only
// the validation path unselects the clicked one) and the current record where it was.
TEST(ItemClick, RefusedRecordPutsTheSelectionBack) {
  const RefusalRow rows[] = {
      {"batch object, validation refuses", 4, {"Entry K4.Let Selected(False)", "Entry K17.Let Selected(True)"}},
      {"other object, OnSave refuses", 0, {"Entry K17.Let Selected(True)"}},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    auto li = Residents(h);
    li->save_mode = row.save_mode;
    li->save_answers = {false};
    li->hard_rules->rules.push_back(std::make_shared<FakeHardRule>(2, 2, 31, "Name missing"));
    Dirty(h, *li);
    ObjectPtr previous = Entry(h, "K17");
    bool changed = false;
    EXPECT_EQ(h.shared->ItemClick(Entry(h, "K4"), previous, li, changed), previous) << row.name;
    EXPECT_FALSE(changed) << row.name;
    EXPECT_EQ(li->Current(), 1) << row.name;
    EXPECT_EQ(h.log->CountOf("LI.CancelEdit()"), 0u) << row.name;
    EXPECT_EQ(h.log->CountOf("LI.Save(True)"), 0u) << row.name;
    EXPECT_EQ(EntryCalls(h), row.entry_calls) << row.name;
  }
}

// A batch object whose record passes validation is stored with a forced Save, after the form's
// controls were validated.
TEST(ItemClick, BatchObjectIsValidatedThenForcedToSave) {
  LibraryHarness h;
  auto li = Residents(h);
  li->save_mode = 4;
  Dirty(h, *li);
  ObjectPtr previous = Entry(h, "K17");
  bool changed = false;
  h.shared->ItemClick(Entry(h, "K4"), previous, li, changed);
  const int controls = h.log->IndexOf("Form.ValidateMyControls()");
  EXPECT_GE(controls, 0);
  EXPECT_LT(controls, h.log->IndexOf("LI.Validate()"));
  EXPECT_LT(h.log->IndexOf("LI.Validate()"), h.log->IndexOf("LI.Save(True)"));
  EXPECT_EQ(h.log->CountOf("LI.Save(False)"), 0u);
}

// A "NEW" entry left behind takes the prefix and the key of the record being left, even when
// that record is not saved.
TEST(ItemClick, RenamesTheNewEntryItLeaves) {
  LibraryHarness h;
  auto li = Residents(h);
  li->AddNew();  // key 100, current, not stored
  h.log->Clear();
  ObjectPtr previous = Entry(h, "NEW");
  bool changed = false;
  h.shared->ItemClick(Entry(h, "AB4"), previous, li, changed, "AB", false, Variant::Boolean(false));
  EXPECT_EQ(EntryCalls(h).front(), "Entry NEW.Let Key(\"AB100\")");
  EXPECT_EQ(GetMember(previous, "Key").ToText(), "AB100");
}

struct KeyRow {
  const char* name;
  const char* prefix;
  const char* clicked_key;
  const char* looked_up;
  int32_t current_after;
};

// The record key is what follows the prefix: read as a number under a custom prefix, taken as it
// is under the default one; a key the object lacks leaves the current record in place.
TEST(ItemClick, LooksUpTheRecordKeyAfterThePrefix) {
  const KeyRow rows[] = {
      {"default prefix", "", "K9", "\"9\"", 3},
      {"custom prefix", "AB", "AB9", "\" 9\"", 3},
      {"custom prefix, padded number", "AB", "AB 09", "\" 9\"", 3},
      {"unknown key", "", "K55", "\"55\"", 1},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    auto li = Residents(h);
    ObjectPtr previous = Entry(h, "K17");
    bool changed = false;
    const ObjectPtr clicked = Entry(h, row.clicked_key);
    EXPECT_EQ(h.shared->ItemClick(clicked, previous, li, changed, row.prefix), clicked) << row.name;
    EXPECT_TRUE(changed) << row.name;
    EXPECT_EQ(h.log->Matching("LI.Exists"), std::vector<std::string>{"LI.Exists(" + std::string(row.looked_up) + ")"})
        << row.name;
    EXPECT_EQ(li->Current(), row.current_after) << row.name;
  }
}

// A key remainder that is no number under a custom prefix raises 13 with the trail.
TEST(ItemClick, NonNumericKeyUnderACustomPrefixIsATypeMismatch) {
  LibraryHarness h;
  auto li = Residents(h);
  ObjectPtr previous = Entry(h, "ABx1");
  bool changed = false;
  try {
    h.shared->ItemClick(Entry(h, "ABxy"), previous, li, changed, "AB");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kTypeMismatch);
    EXPECT_EQ(e.Description().rfind("KW_UIShared.SharedProcedures.ItemClick:62\r\n", 0), 0u) << e.Description();
  }
  EXPECT_FALSE(changed);
}

// With neither entry there is nothing to do.
TEST(ItemClick, NothingClickedGivesNothing) {
  LibraryHarness h;
  auto li = Residents(h);
  ObjectPtr previous;
  bool changed = false;
  EXPECT_EQ(h.shared->ItemClick(nullptr, previous, li, changed), nullptr);
  EXPECT_FALSE(changed);
  EXPECT_TRUE(h.log->Entries().empty());
}

}  // namespace
}  // namespace kw
