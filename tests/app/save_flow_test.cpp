// Leaving a form in the reference application: the real container, the queued feedback dialog,
// the application's error log and its record-group registration.
#include <gtest/gtest.h>

#include "app/business/record_groups.h"
#include "tests/app/app_world.h"
#include "tests/doubles/fake_business_object.h"
#include "tests/doubles/fake_record_group.h"

namespace trf {
namespace {

using kw::Variant;
using kw::testing::FakeSoftRule;

// Leaving the form validates the record group: a class without a registered validator is logged
// in the application's error log and passes; a registered one is created by name and its
// question, once accepted, is not asked again for the same value.
TEST(SaveFlow, DeactivationValidatesTheRecordGroupByName) {
  testing::AppWorld world;
  world.registry->Unregister("KW01.RGResidents");  // the application's own validator stands here
  world.shared->CurrentH_HomesID("17");
  auto residents = std::make_shared<kw::testing::FakeLI>(world.log);
  residents->AddRecord({Variant::Long(101)});
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
