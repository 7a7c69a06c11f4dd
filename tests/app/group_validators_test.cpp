// Record-group validators created by name over the sample data, the class-to-parent table the
// container answers from, and the opening of the database file.
#include <filesystem>

#include "app/business/business_registration.h"
#include "app/business/group_validators.h"
#include "tests/app/business_fixture.h"

namespace trf::testing {
namespace {

using RecordGroupTest = BusinessFixture;

// The residents' group: more residents than room is a hard rule; a fees total far from the month
// before is a question carrying the total; a quiet month passes.
TEST_F(RecordGroupTest, ResidentsGroupChecksCapacityAndFeesTotal) {
  const struct {
    const char* name;
    const char* month;
    int32_t hard, soft;
    const char* feedback;
  } rows[] = {
      {"over capacity", "5", 3501, 0, "Cedar Lodge lists 5 residents in 2/2004 but has room for 4."},
      {"fees jump", "3", 0, 3502,
       "The residents' fees total 19,450.00 in 3/2004 against 7,250.00 the month before. Is that right?"},
      {"quiet month", "2", 0, 0, ""}, {"no such month", "42", 3503, 0, "Month record 42 does not exist."},
      {"no month selected", "", 3500, 0, "No home or month is selected: \"\" is no record key."},
  };
  for (const auto& row : rows) {
    auto validator = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGResidents");
    validator->SendOffValidation(false);
    EXPECT_EQ(validator->Validate(row.month).ToBoolean(), row.hard == 0 && row.soft == 0) << row.name;
    EXPECT_EQ(validator->IsValid(), row.hard == 0 && row.soft == 0) << row.name;
    const auto hard = validator->HardRules()->Rules();
    const auto soft = validator->SoftRules()->Rules();
    ASSERT_EQ(hard.size(), row.hard ? 1u : 0u) << row.name;
    ASSERT_EQ(soft.size(), row.soft ? 1u : 0u) << row.name;
    if (row.hard) {
      EXPECT_EQ(std::pair(hard[0]->RuleNumber(), hard[0]->Feedback()), std::pair(row.hard, std::string(row.feedback)));
    }
    if (row.soft) {
      EXPECT_EQ(std::pair(soft[0]->RuleNumber(), soft[0]->Feedback()), std::pair(row.soft, std::string(row.feedback)));
      EXPECT_EQ(soft[0]->Value().ToDouble(), 19450);
      EXPECT_TRUE(soft[0]->IsQuestion());
    }
  }
}

// A settled group question stays settled when the same validator checks the group again; a class
// without a validator has none to create.
TEST_F(RecordGroupTest, SettledGroupQuestionSurvivesRevalidation) {
  EXPECT_THROW(kw::CreateObject("KW01.RGHomes"), kw::Error);
  auto validator = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGResidents");
  validator->Validate("3");
  validator->SoftRules()->Rules()[0]->Broken(false);
  EXPECT_TRUE(validator->IsValid());
  validator->Validate("3");
  EXPECT_TRUE(validator->IsValid());
}

// The family groups' group: duplicate names are hard rules; groups that never had a resident a
// notice, disabled during a send-off run.
TEST_F(RecordGroupTest, FamilyGroupsGroupChecksNamesAndUnusedGroups) {
  database->Exec("INSERT INTO tbH_FamilyGroups (H_HomesID, H_GroupName) VALUES (1, 'Okafor family'), (1, 'Vance family'), "
                   "(2, 'Quinn family')");
  auto validator = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGFamilyGroups");
  validator->Validate("1");
  const auto hard = validator->HardRules()->Rules();
  ASSERT_EQ(hard.size(), 1u);
  EXPECT_EQ(hard[0]->Feedback(), "The name \"Okafor family\" is given to 2 family groups of this home.");
  const auto soft = validator->SoftRules()->Rules();
  ASSERT_EQ(soft.size(), 1u);
  EXPECT_EQ(soft[0]->RuleNumber(), 3512);
  EXPECT_EQ(soft[0]->Value().ToLong(), 2);
  EXPECT_FALSE(soft[0]->IsQuestion());

  auto sending_off = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGFamilyGroups");
  sending_off->SendOffValidation(true);
  sending_off->Validate("2");
  EXPECT_FALSE(sending_off->SoftRules()->Rules().empty());
  EXPECT_TRUE(sending_off->IsValid());
}

// The container answers ClassDependsOn from the class-to-parent table: 5 for month classes,
// 4 for home classes, 0 for the others.
TEST_F(RecordGroupTest, ClassDependsOnIsLoadedFromTheDatabase) {
  ScreenContainer container;
  LoadClassDependsOn(container, *database);
  for (const auto& [number, kind] : {std::pair{"1", 0}, {"2", 4}, {"3", 5}, {"4", 4}, {"5", 0}, {"6", 5}, {"77", 0}})
    EXPECT_EQ(container.ClassDependsOn(Text(number)), kind) << number;
}

// Installing the database puts it in force for the validators and fills the container in force.
TEST_F(RecordGroupTest, InstalledDatabaseServesValidatorsAndContainer) {
  kw::ScopedService<AppDatabase> restore_database{std::make_shared<AppDatabase>()};
  kw::ScopedService<ScreenContainer> container{std::make_shared<ScreenContainer>()};
  auto installed = InstallTrfDatabase(":memory:");
  EXPECT_EQ(kw::Service<AppDatabase>::Get().database, installed);
  EXPECT_EQ(container->ClassDependsOn(Text("3")), 5);
  installed->Exec("UPDATE tbH_Homes SET H_Capacity = 1 WHERE H_HomesID = 2");
  auto validator = kw::CreateObjectAs<kw::I_RecordGroup>("KW01.RGResidents");
  EXPECT_FALSE(validator->Validate("4").ToBoolean());
}

// A database file is created once with its sample data, in WAL mode, and opened again as it is.
TEST_F(RecordGroupTest, DatabaseFileIsCreatedOnceInWalMode) {
  const auto path = std::filesystem::temp_directory_path() / ("trf_open_test_" + std::to_string(::getpid()) + ".db");
  std::filesystem::remove(path);
  {
    auto file = OpenTrfDatabase(path.string());
    auto mode = file->Prepare("PRAGMA journal_mode");
    mode->Step();
    EXPECT_EQ(mode->Column(0).ToText(), "wal");
    file->Exec("DELETE FROM tbH_MonthlyExpenses");
  }
  {
    auto again = OpenTrfDatabase(path.string());
    auto counts = again->Prepare(
        "SELECT (SELECT COUNT(*) FROM tbH_Homes), (SELECT COUNT(*) FROM tbH_MonthlyExpenses), "
        "(SELECT COUNT(*) FROM tbH_HomeMonthlyStats WHERE StatStatus = 1)");
    counts->Step();
    EXPECT_EQ(counts->Column(0).ToLong(), 3);
    EXPECT_EQ(counts->Column(1).ToLong(), 0);  // kept as left, not filled again
    EXPECT_EQ(counts->Column(2).ToLong(), 2);
  }
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path.string() + suffix);
}

}  // namespace
}  // namespace trf::testing
