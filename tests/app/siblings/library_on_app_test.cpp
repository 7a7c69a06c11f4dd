// The library on the application's siblings and business objects: dialogs, group validation, batch saves.
#include "app/business/business_classes.h"
#include "app/business/record_groups.h"
#include "tests/app/app_world.h"
#include "tests/doubles/fake_business_object.h"

namespace trf::testing {
namespace {

using LibraryOnApp = ServicesTest;

// The dialog clears a pending notification on its first showing.
TEST_F(LibraryOnApp, FeedbackDialogAnswersFromQueueThenDeclinesThenAsksThePresenter) {
  FeedbackDesk& desk = world.services.desk();
  world.services.persist().notify_pending = true;
  desk.answers = {"0"};
  EXPECT_EQ(world.shared->ShowFeedbackForm("Delete?", "", kw::kRuleQuestion, 2185), 0);
  EXPECT_FALSE(world.services.persist().notify_pending);
  EXPECT_EQ(world.shared->ShowFeedbackForm("Delete?", "", kw::kRuleQuestion, 2185), 1);
  desk.presenter = [](const FeedbackShowing& showing) { return showing.rule_number == 9 ? "0" : "1"; };
  EXPECT_EQ(world.shared->ShowFeedbackForm("Sure?", "", kw::kRuleQuestion, 9), 0);
  EXPECT_EQ(world.shared->ShowFeedbackForm("Sure?", "", kw::kRuleQuestion, 10), 1);
  ASSERT_EQ(desk.shown.size(), 4u);
  EXPECT_TRUE(desk.shown[0].notify);
  EXPECT_EQ(desk.shown[2].message, "Sure?");
}

// A class without a validator is logged in the journal and passes; an accepted question is not asked again.
TEST_F(LibraryOnApp, DeactivationValidatesTheRecordGroupByName) {
  world.services.registry().Unregister("KW01.RGResidents");  // the application's own validator stands here
  world.shared->CurrentH_HomeMonthlyStatsID("17");           // the fake's class is a month class
  auto residents = std::make_shared<kw::testing::FakeLI>(world.log);
  residents->AddRecord({Long(101)});
  residents->group_dirty = true;
  EXPECT_TRUE(world.shared->OnDeactivate(residents));
  ASSERT_EQ(world.services.journal().errors.size(), 1u);
  EXPECT_EQ(world.services.journal().errors[0].Number(), kw::err::kCannotCreate);
  EXPECT_FALSE(residents->group_dirty);

  auto validator = std::make_shared<kw::testing::FakeRecordGroup>(world.log);
  auto question = std::make_shared<kw::testing::FakeSoftRule>(-1, 3, 12, true, "Only one manager?", Long(1));
  validator->soft_rules->rules = {question};
  RegisterRecordGroupValidator(world.services.registry(), "Residents", [validator] { return validator; });
  world.services.desk().answers = {"0"};
  for (int i = 0; i < 2; ++i) {
    question->broken = true;
    residents->group_dirty = true;
    EXPECT_TRUE(world.shared->OnDeactivate(residents)) << i;
  }
  EXPECT_EQ(world.log->CountOf("Group.Validate(\"17\")"), 4u);
  ASSERT_EQ(world.services.desk().shown.size(), 1u);
  EXPECT_EQ(world.services.desk().shown[0].message, "Only one manager?");
}

// What Save accepted for the batch is no unsaved edit: CancelEdit (which moving to another record runs) goes
// back to it, but a new record accepted is still new and dropped.
TEST_F(LibraryOnApp, BatchModeKeepsAcceptedChangesUntilSaveBatch) {
  LIResidents residents(database);
  residents.Load(Long(3));
  ASSERT_EQ(residents.SaveMode(), kw::kSaveModeBatch);
  const auto fee = [&] { return residents.FieldValueAt(Long(-1), LIResidents::kMonthlyFee).ToDouble(); };
  const auto add = [&](const char* name) {
    residents.AddNew();
    residents.FieldValue(LIResidents::kName, Text(name));
    residents.FieldValue(LIResidents::kAdmissionDate, Text("3/10/2004"));
    ASSERT_TRUE(residents.Save(true));
    EXPECT_TRUE(residents.IsNew());
  };
  add("Eva Lund");
  residents.CancelEdit();
  EXPECT_EQ(residents.Count(), 6);

  residents.CurrentIndex(Text("4"));
  residents.FieldValue(LIResidents::kMonthlyFee, Long(2500));
  ASSERT_TRUE(residents.Save(false));
  EXPECT_FALSE(residents.IsDirty());
  residents.CancelEdit();
  EXPECT_DOUBLE_EQ(fee(), 2500);
  residents.FieldValue(LIResidents::kMonthlyFee, Long(2600));
  residents.CancelEdit();
  EXPECT_DOUBLE_EQ(fee(), 2500);
  residents.Delete();
  EXPECT_TRUE(residents.IsDirty());
  residents.CancelEdit();
  EXPECT_DOUBLE_EQ(fee(), 2500);
  residents.CurrentIndex(Text("5"));
  residents.Delete();
  EXPECT_TRUE(residents.Save(true));
  add("Zoe Ward");
  EXPECT_EQ(residents.PendingChanges(), 3);
  EXPECT_EQ(world.Count("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), 2400);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 3"), 6);

  residents.SaveBatch();
  EXPECT_EQ(residents.PendingChanges(), 0);
  EXPECT_EQ(world.Count("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), 2500);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 3"), 6);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Zoe Ward'"), 1);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentsID = 5"), 0);
}

}  // namespace
}  // namespace trf::testing
