// Record-group validators created by name over the sample data.
#include "tests/app/app_world.h"

namespace trf::testing {
namespace {

using RecordGroupTest = ServicesTest;

// Family groups that never had a resident are a notice, which a send-off run disables (the group stays valid).
TEST_F(RecordGroupTest, ResidentsAndFamilyGroupsGroupsCheckTheirRules) {
  const std::pair<const char*, const char*> rows[] = {
      {"5", "hard 3501 f-1 l2: Cedar Lodge lists 5 residents in February 2004 but has room for 4."},
      {"3",
       "soft 3502 f-1 l2 question broken on =19450: The residents' fees total 19,450.00 in March 2004 against 7,250.00 "
       "the month before. Is that right?"},
      {"2", ""},
      {"42", "hard 3503 f-1 l2: Month record 42 does not exist."},
      {"", "hard 3500 f-1 l2: No home or month is selected: \"\" is no record key."},
  };
  for (const auto& [month, rules] : rows) {
    auto validator = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGResidents");
    validator->SendOffValidation(false);
    const bool valid = std::string(rules).empty();
    EXPECT_EQ(validator->Validate(month).ToBoolean(), valid) << month;
    EXPECT_EQ(validator->IsValid(), valid) << month;
    EXPECT_EQ(RulesText(*validator->HardRules(), *validator->SoftRules()), rules) << month;
  }
  database->Exec(
      "INSERT INTO tbH_FamilyGroups (H_HomesID, H_GroupName) VALUES (1, 'Okafor family'), (1, 'Vance family'), "
      "(2, 'Quinn family')");
  auto validator = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGFamilyGroups");
  validator->Validate("1");
  EXPECT_EQ(RulesText(*validator->HardRules(), *validator->SoftRules()),
            "hard 3511 f-1 l2: The name \"Okafor family\" is given to 2 family groups of this home. | soft 3512 f-1 l2 "
            "notice broken on =2: 2 family group(s) of this home never had a resident.");

  auto sending_off = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGFamilyGroups");
  sending_off->SendOffValidation(true);
  sending_off->Validate("2");
  EXPECT_FALSE(sending_off->SoftRules()->Rules().empty());
  EXPECT_TRUE(sending_off->IsValid());
}

}  // namespace
}  // namespace trf::testing
