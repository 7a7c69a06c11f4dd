// The shared library running on the reference business objects and the sample database: record
// validation through the feedback dialog, saving in a batch, record-group validation by name.
#include <gtest/gtest.h>

#include "app/business_classes.h"
#include "app/business_registration.h"
#include "app/trf_database.h"
#include "tests/app/app_world.h"

namespace trf::testing {
namespace {

class LibraryOnDataTest : public ::testing::Test {
 protected:
  LibraryOnDataTest() {
    LoadClassDependsOn(*world.container, *database);
    world.shared->CurrentH_HomesID("1");
    world.shared->CurrentH_HomeMonthlyStatsID("3");
    residents->Load(kw::Variant::Long(3));
  }

  int32_t Count(const std::string& sql) {
    auto query = database->Prepare(sql);
    query->Step();
    return query->Column(0).ToLong();
  }

  std::vector<int32_t> ShownRuleNumbers() {
    std::vector<int32_t> numbers;
    for (const auto& showing : world.desk->shown) numbers.push_back(showing.rule_number);
    return numbers;
  }

  std::shared_ptr<Database> database = OpenTrfDatabase(":memory:");
  kw::ScopedService<AppDatabase> app_database{std::make_shared<AppDatabase>(AppDatabase{database})};
  AppWorld world;
  std::shared_ptr<LIResidents> residents = std::make_shared<LIResidents>(database);
};

// ValidateLI walks the month's residents: the unusual fee is asked and accepted, then the record
// admitted before birth stops the walk and stays current.
TEST_F(LibraryOnDataTest, ValidateLIStopsAtTheFirstBrokenHardRule) {
  world.desk->answers = {"0"};
  EXPECT_FALSE(world.shared->ValidateLI(residents));
  EXPECT_EQ(ShownRuleNumbers(), (std::vector<int32_t>{3121, 3111}));
  EXPECT_EQ(world.desk->shown[1].message, "Admission date 2/1/1998 lies before the birth date 5/5/1999.");
  EXPECT_EQ(residents->CurrentIndex().ToLong(), 5);
  EXPECT_EQ(residents->FieldValueAt(kw::Variant::Long(-1), 1).ToLong(), 8);
}

// OnSave of a batch object validates the edited record, asks its question, and writes the batch;
// a declined question keeps everything unwritten.
TEST_F(LibraryOnDataTest, OnSaveWritesTheBatchOnceTheUserAccepts) {
  residents->CurrentIndex(kw::Variant::Text("4"));
  residents->FieldValue(LIResidents::kMonthlyFee, kw::Variant::Long(6500));
  world.desk->answers = {"1"};
  EXPECT_FALSE(world.shared->OnSave(residents));
  EXPECT_EQ(Count("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), 2400);

  world.desk->answers = {"0"};
  EXPECT_TRUE(world.shared->OnSave(residents));
  EXPECT_EQ(ShownRuleNumbers(), (std::vector<int32_t>{3121, 3121}));
  EXPECT_EQ(Count("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), 6500);
  EXPECT_EQ(residents->PendingChanges(), 0);
}

// The library creates the residents' validator by name and gives it the current month: Cedar
// Lodge's February is over capacity, whatever DisableMessage says; a fee change marked the group.
TEST_F(LibraryOnDataTest, RecordGroupIsValidatedForTheCurrentMonth) {
  world.shared->CurrentH_HomeMonthlyStatsID("5");
  residents->Load(kw::Variant::Long(5));
  residents->FieldValue(LIResidents::kMonthlyFee, kw::Variant::Long(1950));
  EXPECT_TRUE(residents->GroupDirty());
  EXPECT_FALSE(world.shared->ValidateRecordGroup(residents, true));
  EXPECT_EQ(ShownRuleNumbers(), (std::vector<int32_t>{3501}));
  EXPECT_TRUE(residents->GroupDirty());

  world.shared->CurrentH_HomeMonthlyStatsID("3");
  world.desk->answers = {"0"};
  EXPECT_TRUE(world.shared->ValidateRecordGroup(residents));
  EXPECT_EQ(ShownRuleNumbers(), (std::vector<int32_t>{3501, 3502}));
  EXPECT_FALSE(residents->GroupDirty());
}

}  // namespace
}  // namespace trf::testing
