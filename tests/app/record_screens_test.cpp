// The record screens (residents, family groups, expenses) on the sample database, driven by the
// program's commands: what a script cannot see - stored rows, read-only fields, the colours taken
// from the system, the list a quiet send-off check leaves on the offending record.
#include <gtest/gtest.h>

#include "app/screens/record_screen.h"
#include "tests/app/screen_world.h"
#include "ui_shared/platform/system_colors.h"

namespace trf::testing {
namespace {

using Outcome = CommandInterpreter::Outcome;

class RecordScreensTest : public ::testing::Test {
 protected:
  RecordScreensTest() { world.UseMapleHouseMarch(); }

  RecordScreen& Screen(const std::string& name) { return dynamic_cast<RecordScreen&>(*world.host->Find(name)); }
  // Runs the lines, each of which must succeed.
  void Run(std::initializer_list<const char*> lines) {
    for (const char* line : lines) ASSERT_EQ(world.Run(line), Outcome::kContinue) << line << "\n" << world.Output();
  }

  ScreenWorld world;
};

// Removing and adding reach the database only with the batch write: when the user saves or leaves.
TEST_F(RecordScreensTest, ResidentsAreWrittenInOneBatchOnSave) {
  const std::string count = "SELECT COUNT(*) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 3";
  Run({"go residents", "select 2", "answer yes", "remove"});
  EXPECT_EQ(world.Count(count), 6);
  Run({"add", "set name Zoe Ward", "set admission 3/10/2004", "select 1"});
  EXPECT_EQ(world.Count(count), 6);
  Run({"save"});
  EXPECT_EQ(world.Count(count), 6);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Ben Okafor' "
                        "AND H_HomeMonthlyStatsID = 3"),
            0);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Zoe Ward'"), 1);
}

// While the month's TRF is not active the fields are read-only (button face, locked) and edits are
// refused with a clear error; once it is active again they are editable with the window colour.
TEST_F(RecordScreensTest, FieldsAreReadOnlyWhileTheTrfIsNotActive) {
  Run({"go residents"});
  RecordScreen& residents = Screen("residents");
  world.container->CurrentStatStatus(2);
  residents.Refresh();
  const auto fee = residents.FieldBox("fee");
  EXPECT_TRUE(fee->Locked());
  EXPECT_EQ(fee->BackColor(), 0x8000000Fu);
  EXPECT_EQ(world.Run("set fee 2500"), Outcome::kFailed);
  EXPECT_NE(world.Output().find("the field \"fee\" is read-only now"), std::string::npos);
  EXPECT_EQ(world.Run("add"), Outcome::kFailed);
  EXPECT_EQ(world.Run("remove"), Outcome::kFailed);
  world.container->CurrentStatStatus(1);
  residents.Refresh();
  EXPECT_FALSE(fee->Locked());
  EXPECT_EQ(fee->BackColor(), 0x80000005u);
  Run({"set fee 2500"});
}

struct ColourRow {
  const char* name;
  uint32_t highlight;
  uint32_t tooltip;
  const char* expected;
};

// The active field wears the library's active-field colours, which follow the system's colours;
// the field left gets the window background back.
TEST_F(RecordScreensTest, ActiveFieldColoursFollowTheSystemColours) {
  const ColourRow rows[] = {
      {"3-D highlight differs", kw::Rgb(200, 200, 200), kw::Rgb(255, 255, 255), "background &H80000014&, text &H80000012&"},
      {"tooltip differs", kw::Rgb(255, 255, 255), kw::Rgb(255, 255, 225), "background &H80000018&, text &H80000017&"},
      {"all alike", kw::Rgb(255, 255, 255), kw::Rgb(255, 255, 255), "background &H00E0E0E0&, text &H00000000&"},
  };
  auto colours = std::make_shared<kw::SystemColors>();
  kw::ScopedService<kw::SystemColors> in_force(colours);
  colours->SetSysColor(kw::kColorWindow, kw::Rgb(255, 255, 255));
  Run({"go residents"});
  for (const auto& row : rows) {
    colours->SetSysColor(kw::kColor3DHighlight, row.highlight);
    colours->SetSysColor(kw::kColorTooltipBackground, row.tooltip);
    Run({"set name Ada Andersen"});
    EXPECT_NE(world.Output().find(std::string("active field name: ") + row.expected), std::string::npos)
        << row.name << "\n" << world.Output();
  }
  Run({"set fee 2400"});
  EXPECT_EQ(Screen("residents").FieldBox("name")->BackColor(), 0x80000005u);
}

// A quiet send-off check asks nothing, stops on Nora Pike's unusual fee and leaves the list and
// the boxes on her record.
TEST_F(RecordScreensTest, QuietSendOffCheckMovesTheListToTheOffendingRecord) {
  Run({"go residents"});
  RecordScreen& residents = Screen("residents");
  world.container->SendOffValidationMode(true);
  EXPECT_FALSE(residents.ValidateForSendoff(true));
  world.container->SendOffValidationMode(false);
  EXPECT_TRUE(world.desk->shown.empty());
  EXPECT_EQ(residents.List()->SelectedListItem()->Key(), "K7");
  EXPECT_EQ(residents.FieldBox("name")->Text(), "Nora Pike");
  EXPECT_NE(world.Output().find("Residents: not ready for send-off at row 4, Nora Pike (checked without messages)"),
            std::string::npos);
}

// The expense lines the categories call for are stored when the screen is first shown, and only
// then; the list names the categories.
TEST_F(RecordScreensTest, ExpenseLinesAreCompletedOnce) {
  const std::string count = "SELECT COUNT(*) FROM tbH_MonthlyExpenses WHERE H_HomeMonthlyStatsID = 3";
  EXPECT_EQ(world.Count(count), 2);
  Run({"go expenses"});
  EXPECT_EQ(world.Count(count), 4);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_MonthlyExpenses WHERE H_HomeMonthlyStatsID = 3 "
                        "AND HU_ExpenseCategoriesID IN (2, 4) AND H_Amount IS NULL"),
            2);
  Run({"go residents", "go expenses"});
  EXPECT_EQ(world.Count(count), 4);
  EXPECT_EQ(world.Output().find("completed from the expense categories"), std::string::npos);
  EXPECT_EQ(world.Run("add"), Outcome::kFailed);
}

// The assessed fees are stored for every group, not only the current one.
TEST_F(RecordScreensTest, AssessedFeesAreStoredForEveryGroup) {
  Run({"go families", "type all fees", "click AssessFeesClick"});
  EXPECT_EQ(world.Count("SELECT CAST(ROUND(SUM(H_MMLOFee) * 100) AS INTEGER) FROM tbH_FamilyGroups WHERE H_HomesID = 1"),
            420);
  EXPECT_EQ(world.Count("SELECT CAST(SUM(H_AMFee) AS INTEGER) FROM tbH_FamilyGroups WHERE H_HomesID = 1"), 24);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_FamilyGroups WHERE H_HomesID = 2 AND H_MMLOFee IS NOT NULL"), 0);
}

}  // namespace
}  // namespace trf::testing
