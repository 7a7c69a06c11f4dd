// The record screens (residents, expenses) and the Our Home list on the sample database, driven by their typed
// operations.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/data/trf_tables.h"
#include "app/screens/record_screen.h"
#include "tests/app/app_world.h"
#include "ui_shared/platform/dates.h"
#include "ui_shared/platform/system_colors.h"

namespace trf::testing {
namespace {

auto Refused(const char* text) { return ::testing::ThrowsMessage<ScreenRefusal>(::testing::StrEq(text)); }

class RecordScreensTest : public ::testing::Test {
 protected:
  RecordScreensTest() { world.UseMapleHouseMarch(); }

  RecordScreen& Show(const std::string& name) {
    EXPECT_TRUE(world.host.Go(name)) << name;
    return world.Screen<RecordScreen>(name);
  }
  static ScreenField Field(ScreenForm& screen, const std::string& name) {
    ScreenView view;
    screen.Describe(view);
    for (const ScreenField& field : view.fields)
      if (field.name == name) return field;
    ADD_FAILURE() << "no field " << name;
    return {};
  }

  AppWorld world;
};

TEST_F(RecordScreensTest, ResidentsAreWrittenInOneBatchOnSave) {
  const std::string count = "SELECT COUNT(*) FROM tbH_Residents WHERE H_HomeMonthlyStatsID = 3";
  RecordScreen& residents = Show("residents");
  residents.SelectRow(2);
  world.services.desk().answers = {"0"};
  residents.RemoveRecord();
  EXPECT_EQ(world.Count(count), 6);
  residents.AddRecord();
  residents.EditField("name", "Zoe Ward");
  residents.EditField("admission", "3/10/2004");
  residents.SelectRow(1);
  EXPECT_EQ(world.Count(count), 6);
  residents.SaveScreen();
  EXPECT_TRUE(world.events.Saw("record saved"));
  EXPECT_EQ(world.Count(count), 6);
  EXPECT_EQ(world.Count(count + " AND H_ResidentName = 'Ben Okafor'"), 0);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Zoe Ward'"), 1);
}

// UndoEdits drops what was not saved (an edit the batch holds, a record added), on the record that was current.
TEST_F(RecordScreensTest, RefusalsAndUndoEdits) {
  RecordScreen& residents = Show("residents");
  EXPECT_EQ(residents.Fields(), (std::vector<std::string>{"name", "birthdate", "admission", "fee", "family"}));
  EXPECT_THAT([&] { residents.SelectRow(0); }, Refused("there is no row 0; the list has 6 rows"));
  EXPECT_THAT([&] { residents.SelectRow(7); }, Refused("there is no row 7; the list has 6 rows"));
  EXPECT_THAT([&] { residents.EditField("age", "3"); },
              Refused("no field \"age\" here; the fields are: name, birthdate, admission, fee, family"));
  EXPECT_EQ(residents.List()->SelectedListItem()->Index(), 1);
  residents.SelectRow(2);
  const std::string stored = Field(residents, "fee").value;
  residents.EditField("fee", "2450");
  residents.SelectRow(3);
  residents.SelectRow(2);
  EXPECT_EQ(Field(residents, "fee").value, "2450");
  residents.UndoEdits();
  EXPECT_EQ(Field(residents, "fee").value, stored);
  EXPECT_EQ(residents.List()->SelectedListItem()->Index(), 2);
  residents.AddRecord();
  residents.UndoEdits();
  EXPECT_EQ(residents.List()->Items().Count(), 6);
  EXPECT_TRUE(world.events.Saw("the unsaved edits were discarded"));
  residents.SaveScreen();
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 2450"), 0);
}

// Read-only fields wear the button face (&H8000000F), editable ones the window colour (&H80000005).
TEST_F(RecordScreensTest, FieldsAreReadOnlyWhileTheTrfIsNotActive) {
  RecordScreen& residents = Show("residents");
  world.Container().CurrentStatStatus(2);
  residents.Refresh();
  EXPECT_TRUE(Field(residents, "fee").read_only);
  EXPECT_EQ(Field(residents, "fee").back_color, 0x8000000Fu);
  EXPECT_THAT([&] { residents.EditField("fee", "2500"); }, Refused("the field \"fee\" is read-only now"));
  EXPECT_THROW(residents.AddRecord(), ScreenRefusal);
  EXPECT_THROW(residents.RemoveRecord(), ScreenRefusal);
  world.Container().CurrentStatStatus(1);
  residents.Refresh();
  EXPECT_FALSE(Field(residents, "fee").read_only);
  EXPECT_EQ(Field(residents, "fee").back_color, 0x80000005u);
  residents.EditField("fee", "2500");
}

TEST_F(RecordScreensTest, ActiveFieldColoursFollowTheSystemColours) {
  // The 3-D highlight and the tooltip background set, then the active field's back and fore colours.
  const std::tuple<uint32_t, uint32_t, uint32_t, uint32_t> rows[] = {
      {kw::Rgb(200, 200, 200), kw::Rgb(255, 255, 255), 0x80000014u, 0x80000012u},
      {kw::Rgb(255, 255, 255), kw::Rgb(255, 255, 225), 0x80000018u, 0x80000017u},
      {kw::Rgb(255, 255, 255), kw::Rgb(255, 255, 255), 0x00E0E0E0u, 0u},
  };
  auto colours = std::make_shared<kw::SystemColors>();
  kw::ScopedService<kw::SystemColors> in_force(colours);
  colours->SetSysColor(kw::kColorWindow, kw::Rgb(255, 255, 255));
  RecordScreen& residents = Show("residents");
  for (const auto& [highlight, tooltip, back, fore] : rows) {
    colours->SetSysColor(kw::kColor3DHighlight, highlight);
    colours->SetSysColor(kw::kColorTooltipBackground, tooltip);
    residents.EditField("name", "Ada Andersen");
    const ScreenField name = Field(residents, "name");
    EXPECT_EQ(std::tuple(name.active, name.back_color, name.fore_color), std::tuple(true, back, fore)) << back;
  }
  residents.EditField("fee", "2400");
  EXPECT_EQ(Field(residents, "name").back_color, 0x80000005u);
  EXPECT_FALSE(Field(residents, "name").active);
}

// Starting a month makes its expense lines, one per category of its TRF type that it lacks, in the
// transaction that starts it; a month that is not waiting to be started is refused and gets none.
TEST_F(RecordScreensTest, StartingAMonthMakesItsExpenseLines) {
  world.services.database()->Exec(
      "INSERT INTO tbH_HomeMonthlyStats (H_HomeMonthlyStatsID, H_HomesID, H_StatMonth, HU_TrfTypesCD, StatStatus) "
      "VALUES (6, 1, 38078, 'STD', 0)");
  world.services.database()->Exec(
      "INSERT INTO tbH_MonthlyExpenses (H_MonthlyExpensesID, H_HomeMonthlyStatsID, HU_ExpenseCategoriesID, H_Amount) "
      "VALUES (9, 6, 3, 120)");
  const std::string lines = "SELECT COUNT(*) FROM tbH_MonthlyExpenses WHERE H_HomeMonthlyStatsID = 6";
  world.host.Months().Start(6);
  EXPECT_EQ(world.Count(lines), 4) << "one line per category";
  EXPECT_EQ(world.Count(lines + " AND HU_ExpenseCategoriesID IN (1, 2, 4) AND H_Amount IS NULL"), 3)
      << "the lines made are empty";
  EXPECT_EQ(world.Count(lines + " AND HU_ExpenseCategoriesID = 3 AND H_Amount = 120"), 1) << "the line there is kept";
  EXPECT_EQ(world.Count("SELECT StatStatus FROM tbH_HomeMonthlyStats WHERE H_HomeMonthlyStatsID = 6"), kMonthActive);
  EXPECT_THROW(world.host.Months().Start(6), kw::Error) << "started already";
  EXPECT_EQ(world.Count(lines), 4) << "a refused start makes no line";
}

// A month belongs to its home: choosing another home leaves no month current, nor that month's status, type or date.
TEST_F(RecordScreensTest, ChoosingAnotherHomeClearsTheWholeMonthContext) {
  ScreenContainer& context = world.Container();
  context.CurrentTrfType("STD");
  context.CurrentTRFDate(kw::dates::Serial(2004, 3, 1));
  ASSERT_TRUE(world.host.Go("home"));
  world.Screen("home").SelectRow(2);
  EXPECT_EQ(context.CurrentH_HomesID(), "2");
  EXPECT_EQ(std::tuple(context.CurrentH_HomeMonthlyStatsID(), context.CurrentStatStatus(),
                       context.CurrentHU_TrfTypesCD(), context.CurrentTrfType(), context.CurrentTRFDate()),
            std::tuple(std::string(), 0, std::string(), std::string(), 0.0));
}

// Adding says so and shows the new record's empty fields, the new row selected.
TEST_F(RecordScreensTest, AddedRecordIsShownAtOnce) {
  RecordScreen& residents = Show("residents");
  residents.AddRecord();
  EXPECT_EQ(world.events.lines.back(), "added a record; fill in its fields");
  EXPECT_EQ(residents.List()->SelectedListItem()->Text(), "(new resident)");
  EXPECT_EQ(Field(residents, "name").value, "");
  EXPECT_EQ(Field(residents, "fee").value, "");
}

// A field is described by its column itself, the one description of its caption, kind and bounds; a
// lookup offers the home's records by name.
TEST_F(RecordScreensTest, FieldsCarryTheirColumnsDescription) {
  RecordScreen& residents = Show("residents");
  const ScreenField fee = Field(residents, "fee");
  EXPECT_EQ(fee.column, tables::kResidents.Find(tables::column::kMonthlyFee)) << "the fee's own column";
  EXPECT_EQ(fee.Caption(), "Monthly fee");
  EXPECT_TRUE(Field(residents, "admission").column->required);
  const ScreenField family = Field(residents, "family");
  EXPECT_EQ(family.column->kind, ColumnKind::kLookup);
  EXPECT_EQ(family.value, "Andersen family");
  EXPECT_EQ(family.choices, (std::vector<std::string>{"Andersen family", "Lindqvist family", "Okafor family"}));
}

// A family group is chosen by its name, in any case; a name the home has no group of is refused with the choices.
TEST_F(RecordScreensTest, LookupIsChosenByName) {
  RecordScreen& residents = Show("residents");
  residents.EditField("family", "okafor FAMILY");
  EXPECT_EQ(Field(residents, "family").value, "Okafor family");
  residents.EditField("family", " lind");
  EXPECT_EQ(Field(residents, "family").value, "Lindqvist family");
  EXPECT_THAT([&] { residents.EditField("family", "Moreau family"); },
              Refused("no family group is named \"Moreau family\"; choose one of: Andersen family, Lindqvist "
                      "family, Okafor family"));
  EXPECT_THAT([&] { residents.EditField("family", "2"); }, ::testing::Throws<ScreenRefusal>());
  residents.EditField("family", "");
  residents.SaveScreen();
  residents.SelectRow(2);
  residents.SelectRow(1);
  EXPECT_EQ(Field(residents, "family").value, "");
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentsID = 4 AND H_FamilyGroupsID IS NULL"), 1);
}

// What a screen allows follows its state: a record edited can be saved; expense lines are not added by hand.
TEST_F(RecordScreensTest, ScreensSayWhatTheyAllowNow) {
  const auto allows = [&] {
    ScreenView view;
    world.host.Describe(view);
    return std::tuple(view.allows.add, view.allows.remove, view.allows.save, view.allows.undo, view.allows.send_off);
  };
  Show("expenses");
  EXPECT_EQ(allows(), std::tuple(false, false, false, true, true));
  ASSERT_TRUE(world.host.Go("setup"));
  ScreenView setup;
  world.host.Describe(setup);
  ASSERT_EQ(setup.allows.commands.size(), 3u);
  EXPECT_EQ(setup.allows.commands[1].key, "CloseTrf");
  EXPECT_EQ(std::tuple(setup.allows.commands[0].enabled, setup.allows.commands[1].enabled), std::tuple(false, true));
  RecordScreen& residents = Show("residents");
  EXPECT_EQ(allows(), std::tuple(true, true, false, true, true));
  residents.EditField("fee", "2410");
  EXPECT_EQ(allows(), std::tuple(true, true, true, true, true));
}

// A list shows the columns its table marks for listing, under their captions, with what each holds;
// a value not filled in is an empty cell, a lookup's is its name, and each row names its record's key.
// Monthly Expenses lists the month's stored lines, its categories by name, and adds none by hand.
TEST_F(RecordScreensTest, ListShowsTheColumnsItsTableMarks) {
  Show("residents");
  ScreenView view;
  world.host.Describe(view);
  EXPECT_EQ(view.list->headers,
            (std::vector<std::string>{"Resident name", "Birth date", "Admission date", "Monthly fee", "Family group"}));
  EXPECT_EQ(view.list->kinds, (std::vector<ColumnKind>{ColumnKind::kText, ColumnKind::kDate, ColumnKind::kDate,
                                                       ColumnKind::kMoney, ColumnKind::kLookup}));
  EXPECT_EQ(view.list->rows.at(3), (std::vector<std::string>{"Nora Pike", "7/21/1940", "3/1/2004", "7800", ""}));
  ScreenForm& residents = world.Screen("residents");
  EXPECT_EQ(residents.ListCell(0, 4), "Andersen family");
  EXPECT_EQ(std::tuple(residents.ListKey(0), residents.ListKey(4), residents.ListKey(6)),
            std::tuple(std::string("4"), std::string("8"), std::string()));
  RecordScreen& expense_lines = Show("expenses");
  ScreenView expenses;
  world.host.Describe(expenses);
  EXPECT_EQ(expenses.list->headers, (std::vector<std::string>{"Category", "Amount"}));
  EXPECT_EQ(expenses.list->kinds, (std::vector<ColumnKind>{ColumnKind::kLookup, ColumnKind::kMoney}));
  EXPECT_EQ(expenses.list->rows.at(0).at(0), "Food") << "a category by its name";
  EXPECT_EQ(expense_lines.ListRows(), 4) << "the month's stored lines";
  EXPECT_THROW(expense_lines.AddRecord(), ScreenRefusal) << "an expense line added by hand";
}

// The active-field colours go where the person enters a field, nothing written, and leave the fields with the person.
TEST_F(RecordScreensTest, FocusMovesTheActiveColours) {
  RecordScreen& residents = Show("residents");
  residents.FocusField("fee");
  EXPECT_EQ(std::tuple(Field(residents, "fee").active, Field(residents, "name").active), std::tuple(true, false));
  EXPECT_NE(Field(residents, "fee").back_color, 0x80000005u);
  residents.FocusField("name");
  EXPECT_EQ(std::tuple(Field(residents, "fee").active, Field(residents, "fee").back_color),
            std::tuple(false, 0x80000005u));
  EXPECT_TRUE(Field(residents, "name").active);
  residents.FocusField("");
  EXPECT_EQ(std::tuple(Field(residents, "name").active, Field(residents, "name").back_color),
            std::tuple(false, 0x80000005u));
  EXPECT_THAT([&] { residents.FocusField("age"); },
              Refused("no field \"age\" here; the fields are: name, birthdate, admission, fee, family"));
  ScreenView view;
  residents.Describe(view);
  EXPECT_FALSE(view.allows.save) << "entering a field wrote something";
}

// Each field says how its value stands with the record's rules: the message of a broken hard rule, a question
// nobody accepted yet, one accepted; a value put right is fine again.
TEST_F(RecordScreensTest, FieldsSayHowTheirValuesStand) {
  RecordScreen& residents = Show("residents");
  const auto standing = [&](const std::string& name) {
    const ScreenField field = Field(residents, name);
    return std::tuple(field.standing, field.problem);
  };
  EXPECT_EQ(standing("fee"), std::tuple(Standing::kFine, std::string()));
  residents.EditField("fee", "-50");
  EXPECT_EQ(standing("fee"), std::tuple(Standing::kError, std::string("Monthly fee cannot be negative.")));
  EXPECT_EQ(standing("name"), std::tuple(Standing::kFine, std::string()));
  world.services.desk().answers = {"1"};
  residents.EditField("fee", "7000");
  EXPECT_EQ(standing("fee"),
            std::tuple(Standing::kQuestion, std::string("A monthly fee of 7,000.00 is unusually high. Is it right?")));
  world.services.desk().answers = {"0"};
  residents.EditField("fee", "7100");
  EXPECT_EQ(std::get<0>(standing("fee")), Standing::kAccepted);
  residents.EditField("fee", "1000");
  EXPECT_EQ(standing("fee"), std::tuple(Standing::kFine, std::string()));
}

// Coming back to a screen redraws none of its rows, unless a record a lookup column names was renamed
// meanwhile: then every row is announced changed, and shows the new name.
TEST_F(RecordScreensTest, ComingBackRedrawsRowsOnlyAfterARename) {
  RecordScreen& residents = Show("residents");
  Show("expenses");
  world.events.rows_changed = 0;
  Show("residents");
  EXPECT_EQ(world.events.rows_changed, 0);
  RecordScreen& families = Show("families");
  families.EditField("name", "Andersen household");
  world.events.rows_changed = 0;
  Show("residents");
  EXPECT_EQ(world.events.rows_changed, 6);
  EXPECT_EQ(residents.ListCell(0, 4), "Andersen household");
}

}  // namespace
}  // namespace trf::testing
