// The one refusal path: a step the stored data refuses is a sentence, its trail goes to the error
// journal, and the screen can still be used, left and undone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/business/rule_numbers.h"
#include "tests/app/app_world.h"

namespace trf::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Another desk closed March after this one read it: Close TRF here is refused, and the desk is not trapped.
TEST(RefusalPathTest, StaleMonthStatusIsRefusedInWordsAndTheSetupScreenStaysUsable) {
  AppWorld world;
  world.UseMapleHouseMarch();
  ASSERT_TRUE(world.host.Go("setup"));
  world.Screen("setup").SelectRow(3);
  world.services.database()->Exec(
      "UPDATE tbH_HomeMonthlyStats SET StatStatus = 2, RowVersion = RowVersion + 1 WHERE H_HomeMonthlyStatsID = 3");

  const ScreenRefusal refused = RefusalOf([&] { world.host.Click("CloseTrf"); });
  EXPECT_EQ(refused.Number(), rule_numbers::kRecordChanged);
  EXPECT_THAT(refused.what(), HasSubstr("Month record 3 was changed or removed in the database"));
  EXPECT_THAT(refused.what(), Not(HasSubstr("KW_")));
  EXPECT_THAT(world.services.journal().errors.back().Description(), HasSubstr("KW_UIShared.SharedProcedures.OnSave:"));

  EXPECT_TRUE(world.host.Go("residents"));
  ASSERT_TRUE(world.host.Go("setup"));
  world.host.Perform([](ScreenForm& setup) { setup.UndoEdits(); });
  ScreenView view;
  world.host.Describe(view);
  EXPECT_EQ(view.list->rows.at(2).at(2), "closed") << "the status column in words";
  EXPECT_EQ(view.context.month_status, 2);
}

}  // namespace
}  // namespace trf::testing
