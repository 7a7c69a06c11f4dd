// Saving a record in the reference application: the real container, the queued feedback dialog,
// the application's error log and record-group registration, and a small residents object whose
// rules run on every save.
#include <gtest/gtest.h>

#include "app/record_groups.h"
#include "tests/app/app_world.h"
#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/fake_record_group.h"

namespace trf {
namespace {

using kw::Variant;
using kw::testing::FakeHardRule;
using kw::testing::FakeLI;
using kw::testing::FakeSoftRule;

// Field number and position of the age of a resident.
constexpr int32_t kAgeField = 3;
constexpr int32_t kAgePosition = kAgeField + 1;

// Residents whose age must not be negative (hard rule 1001) and is questioned above 100 (soft
// rule 7). Save(false) runs the rules and refuses a record that breaks one; a question settled for
// an age stays settled while the age stays the same, as long as this object lives.
class ResidentsLI : public FakeLI {
 public:
  explicit ResidentsLI(std::shared_ptr<kw::testing::CallLog> log) : FakeLI(std::move(log)) {
    AddRecord({Variant::Long(101), Variant::Long(17), Variant::Text("Ada"), Variant::Long(90)});
    question_->broken = false;
    soft_rules->rules = {question_};
    on_validate = [this](FakeLI&) { RunRules(); };
  }
  bool Save(bool force) override {
    if (!force) {
      RunRules();
      if (!IsValid()) return false;
    }
    return FakeLI::Save(true);
  }
  void Age(int32_t age) { FieldValue(kAgePosition, Variant::Long(age)); }

 private:
  void RunRules() {
    const Variant age = FieldValueAt(Variant::Long(-1), kAgePosition);
    hard_rules->rules.clear();
    if (age.ToLong() < 0)
      hard_rules->rules = {std::make_shared<FakeHardRule>(kAgeField, 1, 1001, "Age cannot be negative")};
    if (age.ToLong() <= 100) {
      question_->broken = false;
    } else if (!kw::VariantEquals(question_->value, age)) {
      question_->value = age;
      question_->broken = true;
    }
  }
  std::shared_ptr<FakeSoftRule> question_ =
      std::make_shared<FakeSoftRule>(kAgeField, 1, 7, true, "Is the resident really over 100?", Variant());
};

// A save breaking a hard rule is refused with the rule shown and its field focused; the question
// of an age over 100 declined refuses the save, accepted stores it; the same age on a fresh object
// is settled silently from the cache.
TEST(SaveFlow, HardRuleThenQuestionDeclinedAcceptedAndCached) {
  testing::AppWorld world;
  auto residents = std::make_shared<ResidentsLI>(world.log);

  residents->Age(-1);
  EXPECT_FALSE(world.shared->OnSave(residents));
  ASSERT_EQ(world.desk->shown.size(), 1u);
  EXPECT_EQ(world.desk->shown[0].message, "Age cannot be negative");
  EXPECT_EQ(world.desk->shown[0].rule_type, kw::kRuleHard);
  EXPECT_EQ(world.log->CountOf("Form.SetFocusTo(\" 3# 3\")"), 1u);

  residents->Age(105);
  world.desk->answers = {"1"};
  EXPECT_FALSE(world.shared->OnSave(residents));
  EXPECT_TRUE(residents->IsDirty());
  world.desk->answers = {"0"};
  EXPECT_TRUE(world.shared->OnSave(residents));
  EXPECT_FALSE(residents->IsDirty());
  ASSERT_EQ(world.desk->shown.size(), 3u);
  EXPECT_EQ(world.desk->shown[1].message, "Is the resident really over 100?");
  EXPECT_EQ(world.desk->shown[2].rule_number, 7);
  EXPECT_EQ(world.desk->shown[2].rule_type, kw::kRuleQuestion);

  auto reloaded = std::make_shared<ResidentsLI>(world.log);
  reloaded->Age(105);
  EXPECT_TRUE(world.shared->OnSave(reloaded));
  EXPECT_EQ(world.desk->shown.size(), 3u);
  EXPECT_FALSE(reloaded->IsDirty());

  reloaded->Age(106);
  world.desk->answers = {"1"};
  EXPECT_FALSE(world.shared->OnSave(reloaded));
  EXPECT_EQ(world.desk->shown.size(), 4u);
}

// Leaving the form validates the record group: a class without a registered validator is logged
// in the application's error log and passes; a registered one is created by name and its
// question, once accepted, is not asked again for the same value.
TEST(SaveFlow, DeactivationValidatesTheRecordGroupByName) {
  testing::AppWorld world;
  world.registry->Unregister("KW01.RGResidents");  // the application's own validator stands here
  world.shared->CurrentH_HomesID("17");
  auto residents = std::make_shared<ResidentsLI>(world.log);
  residents->group_dirty = true;
  EXPECT_TRUE(world.shared->OnDeactivate(residents));
  ASSERT_EQ(world.journal->errors.size(), 1u);
  EXPECT_EQ(world.journal->errors[0].Number(), kw::err::kCannotCreate);
  EXPECT_FALSE(residents->group_dirty);

  auto validator = std::make_shared<kw::testing::FakeRecordGroup>(world.log);
  auto question = std::make_shared<FakeSoftRule>(-1, 3, 12, true, "Only one manager?", Variant::Long(1));
  validator->soft_rules->rules = {question};
  RegisterRecordGroupValidator("Residents", [validator] { return validator; });
  world.desk->answers = {"0"};
  for (int i = 0; i < 2; ++i) {
    question->broken = true;
    residents->group_dirty = true;
    EXPECT_TRUE(world.shared->OnDeactivate(residents)) << i;
  }
  EXPECT_EQ(world.log->CountOf("Group.Validate(\"17\")"), 4u);
  ASSERT_EQ(world.desk->shown.size(), 1u);
  EXPECT_EQ(world.desk->shown[0].message, "Only one manager?");
}

}  // namespace
}  // namespace trf
