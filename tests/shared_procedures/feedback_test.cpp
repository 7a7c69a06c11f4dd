// The feedback dialog: how it is filled, shown and read, and the pointer around it.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// A second showing reuses the dialog without Setting; the pending notification is sent only once.
TEST(ShowFeedbackForm, FillsShowsAndReadsTheDialogErrorsLeaveThroughTheTrail) {
  LibraryHarness h;
  h.screen->MousePointer(kPointerHourglass);
  h.container->main_window = std::make_shared<Picture>(1, 1);
  h.persist->notify_pending = true;
  h.shared->HelpContextID(77);
  h.log->Clear();
  h.dialog->answers = {"0"};
  EXPECT_EQ(h.shared->ShowFeedbackForm("Age is unusual", "Check the birth date", kRuleQuestion, 42), 0);
  EXPECT_EQ(
      h.log->Joined(),
      "Container.Get FeedbackSetting(); Dialog.Let Setting(\"setting\"); Dialog.Let Feedback(\"Age is unusual\"); "
      "Dialog.Let MoreFeedback(\"Check the birth date\"); Dialog.Let RuleType(0); Form.Get Title(); "
      "Dialog.Let Caption(\"Test Form\"); Form.Get Icon(); Dialog.Set Icon(Picture); Dialog.Let RuleNumber(42); "
      "Dialog.Let HelpContextID(77); Dialog.Let Notify(True); Persist.Get NotifyPending(); "
      "Persist.Let NotifyPending(False); Dialog.Prepare(); Container.Get MainWindow(); Dialog.Show(1, Picture); "
      "Dialog.Finish(); Dialog.Cleanup(); Dialog.Get Result()");
  EXPECT_FALSE(h.persist->notify_pending);
  EXPECT_EQ(h.dialog->pointer_during_show, kPointerDefault);
  EXPECT_EQ(h.screen->MousePointer(), kPointerHourglass);
  h.log->Clear();
  (void)h.shared->ShowFeedbackForm("second", "", kRuleNotice);
  EXPECT_EQ(h.dialogs_created, 1);
  EXPECT_EQ(h.log->Joined({"Dialog.Let Setting", "Persist."}), "Persist.Get NotifyPending()");
  EXPECT_EQ(h.dialog->rule_number, 0);

  for (const auto& [answer, number] : kLenientNumbers) {
    h.dialog->answers = {answer};
    EXPECT_EQ(h.shared->ShowFeedbackForm("m", "", kRuleQuestion, 1), number) << answer;
  }
  h.screen->MousePointer(kPointerHourglass);
  h.dialog->answers = {"3000000000"};
  EXPECT_THAT([&] { (void)h.shared->ShowFeedbackForm("m", "", kRuleQuestion, 1); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.ShowFeedbackForm:170\r\nOverflow")));
  EXPECT_EQ(h.screen->MousePointer(), kPointerDefault);
  h.dialog->FailOn("Show", Error(err::kComponentBase + 3, "ZB_MsgBox", "no display"));
  EXPECT_EQ(Described(Raised([&] { (void)h.shared->ShowFeedbackForm("m", "", kRuleHard, 1); })),
            std::to_string(err::kComponentBase + 3) +
                " ZB_MsgBox: KW_UIShared.SharedProcedures.ShowFeedbackForm:140\r\nno display");
}

}  // namespace
}  // namespace kw
