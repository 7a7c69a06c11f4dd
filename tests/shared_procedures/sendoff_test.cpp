// Send-off validation: save, validate the current record or every record with the group, save
// again, and the pointer put back on every answer.
#include "tests/doubles/library_test.h"

#include "tests/doubles/recording_list.h"

namespace kw {
namespace {

// An empty object (or none) needs no save and no rules; a refused save ends the check before any
// rule; the pointer found on entry is put back either way.
TEST(ValidateForSendoff, EmptyObjectIsReadyAndARefusedSaveStops) {
  LibraryHarness h;
  h.screen->MousePointer(3);
  EXPECT_TRUE(h.shared->ValidateForSendoff(std::make_shared<FakeLI>(h.log), false));
  EXPECT_EQ(h.log->Entries(), (Strings{"LI.Let SuspendValidation(False)"}));
  EXPECT_TRUE(h.shared->ValidateForSendoff(nullptr, true));
  EXPECT_EQ(h.screen->MousePointer(), 3);
  h.form->panel_visible = true;
  EXPECT_FALSE(h.shared->ValidateForSendoff(OneRecord(h), true));
  EXPECT_EQ(h.log->CountOf("LI.Validate()"), 0u);
  EXPECT_EQ(h.screen->MousePointer(), 3);
}

// With the current record only, the caller's list is not used even in a non-interactive send-off;
// a ready record is saved, validated and saved again, a broken one is not saved again.
TEST(ValidateForSendoff, CurrentRecordOnlyIgnoresTheList) {
  LibraryHarness h;
  h.container->send_off_mode = true;
  auto li = OneRecord(h);
  auto list = std::make_shared<testing::RecordingList>(h.log, "ListView", Strings{"K101"});
  EXPECT_TRUE(h.shared->ValidateForSendoff(li, false, list));
  EXPECT_EQ(h.log->Joined({"LI.Save", "LI.Validate"}), "LI.Save(False); LI.Validate(); LI.Save(False)");
  li->hard_rules->rules = {std::make_shared<FakeHardRule>(0, 2, 4, "Broken")};
  h.log->Clear();
  EXPECT_FALSE(h.shared->ValidateForSendoff(li, false, list));
  EXPECT_EQ(h.log->Joined({"List", "LI.Save", "Dialog.Let Feedback"}),
            "LI.Save(False); Dialog.Let Feedback(\"Broken\")");
}

// Every record and the group with all records asked for; an error leaves the hourglass up.
TEST(ValidateForSendoff, AllRecordsAndErrorsKeepTheHourglass) {
  LibraryHarness h;
  auto li = OneRecord(h);
  li->AddRecord({Variant::Long(102)});
  EXPECT_TRUE(h.shared->ValidateForSendoff(li, true));
  EXPECT_EQ(h.log->CountOf("LI.Validate()"), 2u);
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
  li->FailOn("Validate", Error(err::kComponentBase + 5, "KW_I", "rules missing"));
  EXPECT_THAT([&] { (void)h.shared->ValidateForSendoff(li, true); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.ValidateForSendoff:60\r\n"
                                         "KW_UIShared.SharedProcedures.ValidateLI:60\r\n"
                                         "KW_UIShared.SharedProcedures.ValidateRecord:30\r\nrules missing")));
  EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass);
}

}  // namespace
}  // namespace kw
