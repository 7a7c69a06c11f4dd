// Activation of a form in the reference application: the real container, persist object and the
// queued feedback dialog.
#include <gtest/gtest.h>

#include "tests/app/app_world.h"

namespace trf {
namespace {

// A month-dependent form is sent to Our Home while no home is selected, then to TRF setup while the
// month is inactive, through the dialog with the form's caption; once the month is active it is
// shown with its title and icon.
TEST(ActivationFlow, MissingHomeThenInactiveMonthThenSuccess) {
  testing::AppWorld world;
  world.form->title = "Residents";
  kw::ActiveParams params;
  EXPECT_FALSE(world.shared->OnActivate(params, kw::icDependsOnMonth));
  EXPECT_EQ(params.GotoFormKey, "KW_UI01____FRM_H_OurHome");
  world.shared->CurrentH_HomesID("17");
  world.shared->CurrentH_HomeMonthlyStatsID("204");
  world.shared->CurrentStatStatus(2);
  params = {};
  EXPECT_FALSE(world.shared->OnActivate(params, kw::icDependsOnMonth));
  EXPECT_EQ(params.GotoFormKey, "KW_UI01____FRM_H_TRFSetup");
  world.shared->CurrentStatStatus(1);
  params = {};
  EXPECT_TRUE(world.shared->OnActivate(params, kw::icDependsOnMonth));
  EXPECT_EQ(world.container->FormTitle(), "Residents");
  EXPECT_EQ(world.container->FormIcon(), world.form->icon);
  ASSERT_EQ(world.desk->shown.size(), 2u);
  EXPECT_EQ(world.desk->shown[0].rule_number, 2183);
  EXPECT_EQ(world.desk->shown[1].rule_number, 2184);
  EXPECT_EQ(world.desk->shown[1].caption, "Residents");
}

// The dialog clears a pending notification on its first showing, answers from the queue, declines
// when unscripted, and lets a presenter answer instead.
TEST(ActivationFlow, QueuedDialogAnswersFromQueueThenDeclinesThenAsksThePresenter) {
  testing::AppWorld world;
  world.persist->notify_pending = true;
  world.desk->answers = {"0"};
  EXPECT_EQ(world.shared->ShowFeedbackForm("Delete?", "", kw::kRuleQuestion, 2185), 0);
  EXPECT_FALSE(world.persist->notify_pending);
  EXPECT_EQ(world.shared->ShowFeedbackForm("Delete?", "", kw::kRuleQuestion, 2185), 1);
  world.desk->presenter = [](const FeedbackShowing& showing) { return showing.rule_number == 9 ? "0" : "1"; };
  EXPECT_EQ(world.shared->ShowFeedbackForm("Sure?", "", kw::kRuleQuestion, 9), 0);
  EXPECT_EQ(world.shared->ShowFeedbackForm("Sure?", "", kw::kRuleQuestion, 10), 1);
  ASSERT_EQ(world.desk->shown.size(), 4u);
  EXPECT_TRUE(world.desk->shown[0].notify);
  EXPECT_EQ(world.desk->shown[2].message, "Sure?");
}

}  // namespace
}  // namespace trf
