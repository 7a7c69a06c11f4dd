// The shared library running on the reference business objects and the sample database: a save
// in a batch validated through the feedback dialog.
#include <gtest/gtest.h>

#include "app/business/business_classes.h"
#include "app/business/business_registration.h"
#include "app/data/trf_database.h"
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

  std::shared_ptr<Database> database = OpenTrfDatabase(":memory:");
  kw::ScopedService<AppDatabase> app_database{std::make_shared<AppDatabase>(AppDatabase{database})};
  AppWorld world;
  std::shared_ptr<LIResidents> residents = std::make_shared<LIResidents>(database);
};

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
  ASSERT_EQ(world.desk->shown.size(), 2u);
  EXPECT_EQ(world.desk->shown[0].rule_number, 3121);
  EXPECT_EQ(world.desk->shown[1].rule_number, 3121);
  EXPECT_EQ(Count("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), 6500);
  EXPECT_EQ(residents->PendingChanges(), 0);
}

}  // namespace
}  // namespace trf::testing
