// Send-off validation: save, validate the current or every record, save again, restore the pointer.
#include "tests/doubles/library_test.h"

#include "tests/doubles/recording_list.h"

namespace kw {
namespace {

// With the current record only, the caller's list is not used even in a non-interactive send-off.
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

// An error leaves the hourglass up; every answer puts back the pointer found on entry.
TEST(ValidateForSendoff, AllRecordsEmptyObjectsAndRefusedSaves) {
  LibraryHarness g;
  auto all = OneRecord(g);
  all->AddRecord({Variant::Long(102)});
  EXPECT_TRUE(g.shared->ValidateForSendoff(all, true));
  EXPECT_EQ(g.log->CountOf("LI.Validate()"), 2u);
  EXPECT_EQ(g.screen->MousePointer(), kPointerDefault);
  all->FailOn("Validate", Error(err::kComponentBase + 5, "KW_I", "rules missing"));
  EXPECT_THAT([&] { (void)g.shared->ValidateForSendoff(all, true); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.ValidateForSendoff:60\r\n"
                                         "KW_UIShared.SharedProcedures.ValidateLI:60\r\n"
                                         "KW_UIShared.SharedProcedures.ValidateRecord:30\r\nrules missing")));
  EXPECT_EQ(g.screen->MousePointer(), kPointerHourglass);
  g.screen->MousePointer(3);
  g.log->Clear();
  EXPECT_TRUE(g.shared->ValidateForSendoff(std::make_shared<FakeLI>(g.log), false));
  EXPECT_EQ(g.log->Entries(), (Strings{"LI.Let SuspendValidation(False)"}));
  EXPECT_TRUE(g.shared->ValidateForSendoff(nullptr, true));
  EXPECT_EQ(g.screen->MousePointer(), 3);
  g.form->panel_visible = true;
  EXPECT_FALSE(g.shared->ValidateForSendoff(OneRecord(g), true));
  EXPECT_EQ(g.log->CountOf("LI.Validate()"), 0u);
  EXPECT_EQ(g.screen->MousePointer(), 3);
}

}  // namespace
}  // namespace kw
