// Saving and leaving a form: the panel refusal, the record error display, the batch write.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

TEST(OnSave, OpenPanelRefusesWithItsMessage) {
  const std::tuple<const char*, const char*, int32_t> rows[] = {
      {"Find", "Unable to save while Find dialog box is visible. Please close dialog and try again.", 2181},
      {"", "Unable to save while a dialog box on the screen is visible. Please close dialog and try again.", 2182},
  };
  for (const auto& [panel, message, number] : rows) {
    LibraryHarness h;
    h.form->panel_visible = true;
    h.form->panel_name = panel;
    EXPECT_FALSE(h.shared->OnSave(nullptr));
    EXPECT_EQ(Shown(*h.dialog), std::string(message) + "||2|" + std::to_string(number));
  }
}

TEST(OnSave, CallsFollowTheObjectAndItsSaveMode) {
  const std::tuple<const char*, int32_t, int32_t, bool, const char*> rows[] = {
      {"no object", -1, 0, false, "Form.PanelVisible(\"\")"},
      {"empty, batch", 0, 4, false, "Form.PanelVisible(\"\"); LI.Get SaveMode(); LI.Get Filter(); LI.SaveBatch()"},
      {"empty, no batch", 0, 0, false, "Form.PanelVisible(\"\"); LI.Get SaveMode()"},
      {"saved", 1, 0, false, "Form.PanelVisible(\"\"); Form.ValidateMyControls(); LI.Save(False); LI.Get SaveMode()"},
      {"controls skipped", 1, 0, true, "Form.PanelVisible(\"\"); LI.Save(False); LI.Get SaveMode()"},
  };
  for (const auto& [name, records, save_mode, skip_controls, expected] : rows) {
    LibraryHarness h;
    auto li = records < 0 ? nullptr : std::make_shared<FakeLI>(h.log);
    if (records > 0) li->AddRecord({Variant::Long(101)});
    if (li) li->save_mode = save_mode;
    EXPECT_TRUE(h.shared->OnSave(li, skip_controls)) << name;
    EXPECT_EQ(h.log->Joined(), expected) << name;
  }
}

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

// A failing SaveBatch leaves the filter at 0; a position beyond 16 bits overflows before it moves.
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

TEST(OnDeactivate, RecordGroupIsSkippedOnlyInANonInteractiveSendOff) {
  const std::tuple<const char*, bool, bool, bool> rows[] = {
      {"ordinary", false, false, true},
      {"interactive send-off", true, true, true},
      {"non-interactive send-off", true, false, false},
  };
  for (const auto& [name, send_off, interactive, group_validated] : rows) {
    LibraryHarness h;
    h.container->send_off_mode = send_off;
    h.container->send_off_interactive = interactive;
    auto li = Numbered(h, 2, 2);
    li->group_dirty = true;
    EXPECT_TRUE(h.shared->OnDeactivate(li)) << name;
    EXPECT_EQ(h.log->CountOf("LI.Let GroupDirty(False)"), group_validated ? 1u : 0u) << name;
    EXPECT_EQ(h.log->Entries().back(), "Form.DeactivateLocal()") << name;
  }
}

}  // namespace
}  // namespace kw
