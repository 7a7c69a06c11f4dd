// Record-group validation: the validator, the group key, its rules, the cache and GroupDirty.
#include "tests/doubles/library_test.h"

namespace kw {
namespace {

// A group-dirty "LIResidents" object of class 3 with its validator registered as "KW01.RGResidents".
struct GroupWorld {
  GroupWorld() {
    li->group_dirty = true;
    h.registry->Register("KW01.RGResidents", [this] { return ++validators_created, validator; });
    h.container->home_id = "H1";
    h.container->month_id = "M1";
  }
  void AddSoftRule(int32_t number, bool question, const char* value) {
    validator->soft_rules->rules.push_back(std::make_shared<FakeSoftRule>(
        -1, 2, number, question, "Group " + std::to_string(number), Variant::Text(value)));
  }
  LibraryHarness h;
  std::shared_ptr<FakeLI> li = std::make_shared<FakeLI>(h.log);
  std::shared_ptr<FakeRecordGroup> validator = std::make_shared<FakeRecordGroup>(h.log);
  int validators_created = 0;
};

TEST(ValidateRecordGroup, OnlyChangedGroupsOrSendOffRunsCreateTheValidator) {
  GroupWorld w;
  w.li->group_dirty = false;
  EXPECT_TRUE(w.h.shared->ValidateRecordGroup(w.li));
  EXPECT_EQ(w.validators_created + w.h.error_logs_created, 0);
  w.h.container->send_off_mode = true;
  EXPECT_TRUE(w.h.shared->ValidateRecordGroup(w.li));
  EXPECT_EQ(w.validators_created, 1);
  EXPECT_FALSE(w.h.shared->ValidateRecordGroup(nullptr));
}

// Home-month classes (answer 5) are validated with the month id, others with the home id.
TEST(ValidateRecordGroup, GroupKeyFollowsTheClassParent) {
  GroupWorld w;
  w.h.log->Clear();
  EXPECT_TRUE(w.h.shared->ValidateRecordGroup(w.li));
  EXPECT_EQ(w.h.log->Joined({"Group.", "Container.ClassDependsOn"}),
            "Group.Let SendOffValidation(False); Container.ClassDependsOn(\"3\"); Group.Validate(\"H1\"); "
            "Group.Let SendOffValidation(False); Group.Get IsValid(); Group.Get IsValid()");

  w.h.container->class_parents["3"] = 5;
  w.h.container->send_off_mode = true;
  w.h.log->Clear();
  EXPECT_TRUE(w.h.shared->ValidateRecordGroup(w.li));
  EXPECT_THAT(w.h.log->Joined({"Group."}), StartsWith("Group.Let SendOffValidation(True); Group.Validate(\"M1\"); "
                                                      "Group.Let SendOffValidation(False); Group.Get IsValid()"));
}

// Group rules belong to no field, so nothing is focused.
TEST(ValidateRecordGroup, HardRulesAreShownWhateverDisableMessageSaysErrorsLeaveThroughTheTrail) {
  GroupWorld w;
  w.validator->hard_rules->rules = {std::make_shared<FakeHardRule>(-1, 3, 3001, "Too many rooms"),
                                    std::make_shared<FakeHardRule>(-1, 3, 3002, "No manager")};
  EXPECT_FALSE(w.h.shared->ValidateRecordGroup(w.li, true));
  EXPECT_EQ(w.h.log->Joined({"Dialog.Let Feedback", "Dialog.Let RuleType", "Form.SetFocusTo"}),
            "Dialog.Let Feedback(\"Too many rooms\"); Dialog.Let RuleType(1); Dialog.Let Feedback(\"No manager\"); "
            "Dialog.Let RuleType(1)");
  EXPECT_TRUE(w.li->group_dirty);
  w.validator->FailOn("Validate", Error(err::kComponentBase + 1, "KW01", "no database"));
  EXPECT_THAT([&] { (void)w.h.shared->ValidateRecordGroup(w.li); },
              ThrowsMessage<Error>(StrEq("KW_UIShared.SharedProcedures.ValidateRecordGroup:70\r\nno database")));
}

// The group is validated again before GroupDirty is cleared; a disabled rule is not asked.
TEST(ValidateRecordGroup, AcceptedQuestionsAreCachedPerClass) {
  GroupWorld w;
  w.AddSoftRule(12, true, "3 ");
  w.AddSoftRule(13, true, "4");
  w.validator->soft_rules->rules.back()->enabled = false;
  w.h.dialog->answers = {"0"};
  EXPECT_TRUE(w.h.shared->ValidateRecordGroup(w.li));
  EXPECT_EQ(Access::RecordGroupCache(*w.h.shared).Item("LIResidents#12"), "3");
  EXPECT_EQ(w.h.log->Joined({"Group.Validate", "LI.Let GroupDirty"}),
            "Group.Validate(\"H1\"); Group.Validate(\"H1\"); LI.Let GroupDirty(False)");
  EXPECT_EQ(w.h.log->Joined({"Dialog.Let Feedback"}), "Dialog.Let Feedback(\"Group 12\")");
}

// A question raised by the second run and declined keeps the group dirty.
TEST(ValidateRecordGroup, NoticeThenQuestionRaisedByTheNewRun) {
  GroupWorld w;
  w.AddSoftRule(20, false, "a");
  int runs = 0;
  w.validator->on_validate = [&](FakeRecordGroup&) {
    if (++runs == 2) w.AddSoftRule(21, true, "b");
  };
  w.h.dialog->answers = {"0", "1"};
  EXPECT_FALSE(w.h.shared->ValidateRecordGroup(w.li, false));
  EXPECT_EQ(Access::RecordGroupCache(*w.h.shared).Item("LIResidents#20"), "a");
  EXPECT_FALSE(Access::RecordGroupCache(*w.h.shared).Exists("LIResidents#21"));
  EXPECT_EQ(w.h.dialog->rule_type, kRuleQuestion);
  EXPECT_TRUE(runs == 2 && w.li->group_dirty);
}

}  // namespace
}  // namespace kw
