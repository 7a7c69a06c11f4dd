// The month's report gathered from the screens: its tables as a person reads them, whether the month
// passes, the accepted questions apart from what stands in the way, the notes with their formatting.
#include "app/screens/month_report.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/data/monthly_notes.h"
#include "app/data/trf_database.h"
#include "app/screens/record_screen.h"
#include "tests/app/app_world.h"
#include "ui_shared/platform/dates.h"

namespace trf::testing {
namespace {

using ::testing::ElementsAre;

class MonthReportTest : public ::testing::Test {
 protected:
  MonthReportTest() { world.UseMapleHouseMarch(); }

  MonthReport Report() { return CurrentMonthReport(world.host, "alice"); }
  // The cells of `row` as a person reads them.
  static std::vector<std::string> Texts(const ReportRow& row) {
    std::vector<std::string> texts;
    for (const ReportCell& cell : row.cells) texts.push_back(cell.text);
    return texts;
  }
  static const ReportTable& TableOf(const MonthReport& report, const std::string& name) {
    for (const ReportTable& table : report.tables)
      if (table.name == name) return table;
    ADD_FAILURE() << "no table " << name;
    static const ReportTable none;
    return none;
  }
  // "<record> <rule>" of each problem.
  static std::vector<std::string> Entries(const std::vector<Problem>& problems) {
    std::vector<std::string> entries;
    entries.reserve(problems.size());
    for (const Problem& problem : problems) entries.push_back(problem.record + " " + std::to_string(problem.rule));
    return entries;
  }

  AppWorld world;
};

// A rule over the month's residents that is broken (more residents than beds) stands in the list as
// what the residents together break, and the list is made without a dialog.
TEST_F(MonthReportTest, ABrokenGroupRuleIsListedWithoutADialog) {
  for (int i = 0; i < 7; ++i) {
    world.services.database()->Exec(
        "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate, H_MonthlyFee) "
        "VALUES (3, 'Extra " +
        std::to_string(i) + "', 38047, 2000)");
  }
  const size_t dialogs_before = world.services.desk().shown.size();
  const std::vector<Problem> problems = world.host.Problems();
  EXPECT_EQ(world.services.desk().shown.size(), dialogs_before) << "the problem list asked something";
  const auto capacity = std::ranges::find(problems, 3501, &Problem::rule);
  ASSERT_NE(capacity, problems.end()) << "the capacity rule is missing from the list";
  EXPECT_EQ(capacity->record, "the residents together");
  EXPECT_TRUE(capacity->hard);
  EXPECT_FALSE(capacity->accepted);
}

// Every record screen gives its records, the columns after the key and the parent with their captions,
// a lookup by its name, dates and amounts as a person reads them; the stored month record gives the rest.
TEST_F(MonthReportTest, TablesHoldEveryRecordAsAPersonReadsIt) {
  const MonthReport report = Report();
  EXPECT_EQ(report.home_number + " " + report.home_name + " " + ReportMonthText(report) + " " + report.trf_type,
            "H-101 Maple House March 2004 Standard monthly report");
  EXPECT_EQ(report.status, 1);
  EXPECT_EQ(report.made_by, "alice");
  EXPECT_EQ(IsoMomentText(report.made_at), "2004-03-15T00:00:00");
  EXPECT_FALSE(report.filed) << "an active month's report is a draft";

  const ReportTable& residents = TableOf(report, "residents");
  std::vector<std::string> captions;
  for (const ReportColumn& column : residents.columns) captions.push_back(column.caption);
  EXPECT_THAT(captions, ElementsAre("Resident name", "Birth date", "Admission date", "Monthly fee", "Family group"));
  ASSERT_EQ(residents.rows.size(), 6u);
  EXPECT_THAT(Texts(residents.rows[0]),
              ElementsAre("Ada Andersen", "4/2/1931", "6/1/2001", "2,400.00", "Andersen family"));
  EXPECT_THAT(Texts(residents.rows[3]), ElementsAre("Nora Pike", "7/21/1940", "3/1/2004", "7,800.00", ""));
  EXPECT_EQ(residents.rows[0].key, "4") << "each row names its record";
  EXPECT_EQ(residents.rows[0].cells[1].value.ToDouble(), kw::dates::Serial(1931, 4, 2)) << "a date's value";
  EXPECT_EQ(residents.rows[0].cells[3].value.ToDouble(), 2400) << "an amount's value";
  EXPECT_TRUE(residents.rows[3].cells[4].value.IsNull()) << "no family group";
  EXPECT_THAT(Texts(TableOf(report, "expenses").rows.front()), ElementsAre("Food", "4,200.00"));
  EXPECT_EQ(TableOf(report, "families").rows.size(), 3u);
}

// A question a person accepted leaves what stands in the way for the accepted questions; the hard
// rule still keeps the month from passing.
TEST_F(MonthReportTest, AcceptedQuestionsStandApartAndAHardRuleKeepsTheMonthADraft) {
  EXPECT_THAT(Entries(Report().standing),
              ElementsAre("Nora Pike 3121", "Tom Reyes 3111", "Lily Chen 3112", "the residents together 3502"));
  ASSERT_TRUE(world.host.Go("residents"));
  auto& residents = world.Screen<RecordScreen>("residents");
  residents.SelectRow(4);
  world.services.desk().answers = {"0"};
  residents.EditField("fee", "7900");
  residents.SaveScreen();

  const MonthReport report = Report();
  EXPECT_FALSE(report.passes);
  EXPECT_THAT(Entries(report.standing), ElementsAre("Tom Reyes 3111", "Lily Chen 3112", "the residents together 3502"));
  ASSERT_EQ(report.accepted.size(), 1u);
  EXPECT_EQ(report.accepted[0].question.record + " " + report.accepted[0].question.field, "Nora Pike Monthly fee");
  EXPECT_EQ(report.accepted[0].accepted_by, LoginName()) << "who accepted it, as the change record keeps it";
}

// The notes come paragraph by paragraph with their alignment and bullet, and run by run with their
// formatting and colour; the empty paragraph after the last break is left out.
TEST_F(MonthReportTest, NotesKeepTheirFormatting) {
  ASSERT_TRUE(MonthlyNotes(world.services.database())
                  .Store("3",
                         "{\\rtf1\\ansi{\\colortbl;\\red200\\green0\\blue0;}\\qc\\b Title\\b0\\par\\pard "
                         "plain \\i slanted\\i0  \\cf1 red\\cf0\\line next\\par"
                         "{\\pntext\\bullet\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\bullet}}\\fi-360\\li360 item\\par}",
                         0));
  const std::vector<ReportParagraph> notes = Report().notes;
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0].alignment, ReportAlignment::kCenter);
  EXPECT_TRUE(notes[0].runs.at(0).bold);
  std::string runs;
  for (const ReportRun& run : notes[1].runs)
    runs += "[" + run.text + (run.italic ? " italic" : "") + (run.rgb == 0xC80000 ? " red" : "") + "]";
  EXPECT_EQ(runs, "[plain ][slanted italic][ ][red red][\nnext]");
  EXPECT_EQ(notes[1].alignment, ReportAlignment::kLeft);
  EXPECT_TRUE(notes[2].bullet);
}

}  // namespace
}  // namespace trf::testing
