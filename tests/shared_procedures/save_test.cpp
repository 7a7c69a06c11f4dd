// Saving and leaving a form: the panel refusal and its two messages, the save with the record
// error display on refusal, the batch write with its filter lifted, and the deactivation steps.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// An open panel refuses the save with the named or generic message, even without an object.
TEST(OnSave, OpenPanelRefusesWithItsMessage) {
  const struct {
    const char *panel, *message;
    int32_t number;
  } rows[] = {
      {"Find", "Unable to save while Find dialog box is visible. Please close dialog and try again.", 2181},
      {"", "Unable to save while a dialog box on the screen is visible. Please close dialog and try again.", 2182},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.form->panel_visible = true;
    h.form->panel_name = row.panel;
    EXPECT_FALSE(h.shared->OnSave(nullptr));
    EXPECT_EQ(Shown(*h.dialog), std::string(row.message) + "||2|" + std::to_string(row.number));
  }
}

// What a save calls on the form and the object, for no object, empty and filled objects, with and
// without the batch write and the control validation.
TEST(OnSave, CallsFollowTheObjectAndItsSaveMode) {
  const struct {
    const char* name;
    int32_t records, save_mode;
    bool skip_controls;
    const char* expected;
  } rows[] = {
      {"no object", -1, 0, false, "Form.PanelVisible(\"\")"},
      {"empty, batch", 0, 4, false, "Form.PanelVisible(\"\"); LI.Get SaveMode(); LI.Get Filter(); LI.SaveBatch()"},
      {"empty, no batch", 0, 0, false, "Form.PanelVisible(\"\"); LI.Get SaveMode()"},
      {"saved", 1, 0, false, "Form.PanelVisible(\"\"); Form.ValidateMyControls(); LI.Save(False); LI.Get SaveMode()"},
      {"controls skipped", 1, 0, true, "Form.PanelVisible(\"\"); LI.Save(False); LI.Get SaveMode()"},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    auto li = row.records < 0 ? nullptr : std::make_shared<FakeLI>(h.log);
    if (row.records > 0) li->AddRecord({Variant::Long(101)});
    if (li) li->save_mode = row.save_mode;
    EXPECT_TRUE(h.shared->OnSave(li, row.skip_controls)) << row.name;
    EXPECT_EQ(h.log->Joined(), row.expected) << row.name;
  }
}

// A refused record goes to the error display: accepted, it is stored with a forced save and the
// batch write follows; declined, the save is refused and nothing is written.
TEST(OnSave, RefusedRecordIsShownThenForcedOrAbandoned) {
  for (const bool accept : {true, false}) {
    LibraryHarness h;
    auto li = Numbered(h, 2, 2);
    li->save_mode = 4;
    li->save_answers = {false};
    li->soft_rules->rules = {std::make_shared<testing::FakeSoftRule>(2, 1, 7, true, "Sure?", Variant::Text("x"))};
    h.dialog->answers = {accept ? "0" : "1"};
    EXPECT_EQ(h.shared->OnSave(li), accept);
    EXPECT_EQ(h.dialog->feedback, "Sure?");
    EXPECT_EQ(h.log->Joined({"LI.Save(True)", "LI.SaveBatch()"}), accept ? "LI.Save(True); LI.SaveBatch()" : "");
  }
}

// The filter is lifted to 0 around SaveBatch and put back, then the position restored; a failing
// SaveBatch leaves the filter at 0; a position beyond 16 bits overflows before the filter moves.
TEST(OnSave, BatchWriteLiftsTheFilterAndRestoresThePosition) {
  LibraryHarness h;
  auto li = Numbered(h, 2, 2);
  li->save_mode = 4;
  li->filter = Variant::Text("Name='x'");
  EXPECT_TRUE(h.shared->OnSave(li, true));
  EXPECT_THAT(h.log->Joined(), EndsWith("LI.Get SaveMode(); LI.Get Filter(); LI.Get CurrentIndex(); LI.Let Filter(0); "
                                        "LI.SaveBatch(); LI.Let Filter(\"Name='x'\"); LI.Let CurrentIndex(2)"));

  li->FailOn("SaveBatch", Error(err::kComponentBase + 2, "KW_I", "disk full"));
  EXPECT_THAT([&] { (void)h.shared->OnSave(li, true); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.OnSave:100\r\ndisk full")));
  EXPECT_TRUE(VariantEquals(li->filter, Variant::Long(0)));

  auto far = std::make_shared<FakeLI>(h.log);
  far->reported_position = 40000;
  far->save_mode = 4;
  far->filter = Variant::Text("x");
  h.log->Clear();
  EXPECT_THROW((void)h.shared->OnSave(far, true), Error);
  EXPECT_EQ(h.log->MatchingAny({"LI.Let Filter", "LI.SaveBatch()"}), Strings{});
}

// Leaving validates the record group except in a non-interactive send-off, then asks the form.
TEST(OnDeactivate, RecordGroupIsSkippedOnlyInANonInteractiveSendOff) {
  const struct {
    const char* name;
    bool send_off, interactive, group_validated;
  } rows[] = {
      {"ordinary", false, false, true},
      {"interactive send-off", true, true, true},
      {"non-interactive send-off", true, false, false},
  };
  for (const auto& row : rows) {
    LibraryHarness h;
    h.container->send_off_mode = row.send_off;
    h.container->send_off_interactive = row.interactive;
    auto li = Numbered(h, 2, 2);
    li->group_dirty = true;
    EXPECT_TRUE(h.shared->OnDeactivate(li)) << row.name;
    EXPECT_EQ(h.log->CountOf("LI.Let GroupDirty(False)"), row.group_validated ? 1u : 0u) << row.name;
    EXPECT_EQ(h.log->Entries().back(), "Form.DeactivateLocal()") << row.name;
  }
}

}  // namespace
}  // namespace kw
