// The region's side on the test server with three roles: two desks (maple works on H-101, birch on
// H-102) and a reviewer (rowan reviews H-101 by its number and region S, which is H-102): what the
// reviewer reads and may not, questions that reach the right desk's problem list and replies that
// reach the reviewer, every step with who and when, and filed months imported from a home's file.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/business/filed_month_file.h"
#include "app/business/month_report_json.h"
#include "app/business/question_history.h"
#include "app/business/question_subject.h"
#include "app/business/region_filings.h"
#include "app/business/region_grid.h"
#include "app/data/region_questions.h"
#include "app/data/review_access.h"
#include "app/data/trf_database.h"
#include "app/terminal/temp_folder.h"
#include "tests/app/app_world.h"
#include "tests/app/data/desk_roles.h"
#include "tests/app/one_resident_sheets.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"
#include "ui_shared/platform/dates.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;

constexpr YearMonth kMarch{2004, 3};
constexpr int64_t kMapleMarch = 3;
constexpr int64_t kBirchMarch = 4;

// A desk's application on the test server as trf starts it: its services, screens and host.
struct DeskWorld {
  explicit DeskWorld(std::shared_ptr<Database> database) : services(std::move(database)) {
    RegisterScreens(host, services.database());
  }
  // Makes March 2004 of home `number` current, as a person choosing it would.
  void ChooseMarch(const std::string& number) {
    const HomeChoice home = host.Months().HomeNumbered(number);
    host.ChooseMonth(home, host.Months().MonthOf(home, 2004, 3));
  }
  // Makes the month record `month`, March of home `number`, current and files it as the desk does.
  void File(const std::string& number, int64_t month) {
    ChooseMarch(number);
    host.Months().File(month, host, "desk");
  }

  kw::ScopedService<kw::Clock> clock{std::make_shared<kw::ManualClock>(kw::dates::Serial(2004, 3, 31))};
  kw::ScopedService<kw::WindowTable> windows{std::make_shared<kw::WindowTable>()};
  AppServices services;
  RecordedEvents events;
  ScreenHost host{services.container(), events};
};

class RegionReview : public DeskRoles {
 protected:
  void SetUp() override {
    DeskRoles::SetUp();
    MakeRole(rowan_);
    GrantReview(*admin_, rowan_, "H-101");
    ASSERT_EQ(GrantReviewOfRegion(*admin_, rowan_, "S"), std::vector<std::string>{"H-102"});
    rowan_db_ = DeskOf(rowan_);
  }
  // Files `month` at the desk `role` with sheets that pass.
  void FileWithPassingSheets(const std::string& role, int64_t month) {
    OneResidentSheets sheets;
    MonthService(DeskOf(role)).File(month, sheets, role);
  }
  RegionGrid Grid() { return ReadRegionGrid(*rowan_db_, GridRange{"", kMarch, kMarch}); }
  std::string StateOf(const std::string& home) { return MonthStateText(Grid().CellOf(home, kMarch)->state); }
  // Asks, as rowan, about Paul Moreau's fee in Birch Court's filed March.
  int64_t AskAboutPaulMoreausFee() {
    const RegionGrid grid = Grid();
    const GridCell& cell = *grid.CellOf("H-102", kMarch);
    const MonthReport report = ReadCellFiling(*rowan_db_, *grid.HomeNumbered("H-102"), kMarch, cell)->Report();
    return AskQuestion(*rowan_db_, cell.month_id, SubjectIn(report, "paul moreau", "monthly fee"),
                       "Is Paul Moreau's fee right?");
  }

  const std::string rowan_ = "rowan_" + std::to_string(::getpid());
  std::shared_ptr<Database> rowan_db_;
};

// The reviewer sees the filed months of both its homes and nothing of a month that is not filed:
// neither its rows nor its month record, only its state.
TEST_F(RegionReview, TheReviewerReadsFiledMonthsAndNothingOfAnActiveMonth) {
  FileWithPassingSheets(birch_desk_, kBirchMarch);
  EXPECT_EQ(StateOf("H-101"), "active");
  EXPECT_EQ(StateOf("H-102"), "filed");
  EXPECT_EQ(Scalar(*rowan_db_, "SELECT COUNT(*) FROM tbH_MonthFilings"), "1") << "Maple House's March is not filed";
  EXPECT_EQ(Scalar(*rowan_db_, "SELECT COUNT(*) FROM tbH_HomeMonthlyStats"), "0") << "no month record at all";
  for (const char* sql : {"SELECT COUNT(*) FROM tbH_Residents", "SELECT COUNT(*) FROM tbS_ChangeRecord",
                          "SELECT COUNT(*) FROM tbH_FamilyGroups", "SELECT COUNT(*) FROM tbH_MonthlyExpenses"}) {
    EXPECT_TRUE(SentenceOf(Raised([&] { Scalar(*rowan_db_, sql); })).starts_with("This desk (role " + rowan_)) << sql;
  }

  FileWithPassingSheets(maple_desk_, kMapleMarch);
  const RegionGrid grid = Grid();
  ASSERT_EQ(grid.homes.size(), 2u) << "H-103 is not reviewed";
  for (const char* home : {"H-101", "H-102"}) {
    const GridCell& cell = *grid.CellOf(home, kMarch);
    EXPECT_EQ(MonthStateText(cell.state), "filed") << home;
    EXPECT_TRUE(cell.Verifies()) << home << ": the digest and the chain hold";
  }
  const std::vector<RegionFiling> filings = ReadRegionFilings(*rowan_db_, grid);
  ASSERT_EQ(filings.size(), 2u);
  EXPECT_TRUE(filings[0].DigestHolds());
  EXPECT_EQ(filings[0].Report().home_name, "Maple House");
}

// A filed report changed behind the engine's back, or a chain rewritten, no longer verifies.
TEST_F(RegionReview, AFilingChangedAfterFilingDoesNotVerify) {
  FileWithPassingSheets(birch_desk_, kBirchMarch);
  FileWithPassingSheets(maple_desk_, kMapleMarch);
  Run(*admin_, "ALTER TABLE tbH_MonthFilings DISABLE TRIGGER trf_filing");
  Run(*admin_,
      "UPDATE tbH_MonthFilings SET H_Report = replace(H_Report, '2200', '2300') WHERE H_HomeMonthlyStatsID = 4");
  Run(*admin_, "UPDATE tbH_MonthFilings SET H_ChainDigest = repeat('a', 64) WHERE H_HomeMonthlyStatsID = 3");
  Run(*admin_, "ALTER TABLE tbH_MonthFilings ENABLE TRIGGER trf_filing");
  const RegionGrid grid = Grid();
  const GridCell& birch = *grid.CellOf("H-102", kMarch);
  EXPECT_EQ(birch.digest_holds, false);
  EXPECT_EQ(birch.chain_holds, true);
  const GridCell& maple = *grid.CellOf("H-101", kMarch);
  EXPECT_EQ(maple.digest_holds, true);
  EXPECT_EQ(maple.chain_holds, false);
}

// A reviewer writes no home data, and a desk is never made a reviewer.
TEST_F(RegionReview, TheReviewerWritesNoHomeData) {
  for (const char* sql :
       {"UPDATE tbH_Residents SET H_MonthlyFee = 1",
        "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate) VALUES (4, 'X', 1)",
        "UPDATE tbH_Homes SET H_HomeName = 'X'", "INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID) VALUES (4)",
        "INSERT INTO tbS_ReviewAccess (S_Role, H_HomesID) VALUES (current_user, 3)"}) {
    EXPECT_FALSE(Raised([&] { Run(*rowan_db_, sql); }).Description().empty()) << sql;
  }
  EXPECT_EQ(Scalar(*admin_, "SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 1 OR H_ResidentName = 'X'"), "0");
  EXPECT_EQ(SentenceOf(Raised([&] { GrantReview(*admin_, maple_desk_, "H-102"); })),
            maple_desk_ +
                " works on homes as a desk: a reviewer reads what the desks filed and is none of them; give "
                "the review to a role of its own.");
  EXPECT_EQ(SentenceOf(Raised([&] { GrantReview(*rowan_db_, rowan_, "H-103"); })),
            "Only the administrator of the TRF database (the role that owns its tables) grants reviews.");
  EXPECT_TRUE(IsReviewer(*rowan_db_));
  EXPECT_FALSE(IsReviewer(*DeskOf(maple_desk_)));
}

// A question on a field of a filed month reaches the desk of that home alone, among its month's
// problems, opening on TRF Setup while the month is filed and on the record and field once it is
// reopened; the desk's reply reaches the reviewer, who closes it.
TEST_F(RegionReview, AQuestionReachesTheRightDeskAndItsReplyTheReviewer) {
  {
    DeskWorld birch(DeskOf(birch_desk_));
    birch.File("H-102", kBirchMarch);
  }
  EXPECT_EQ(SentenceOf(Raised([&] { AskQuestion(*rowan_db_, kMapleMarch, {}, "Why so late?"); })),
            "March 2004 is not filed: a question is asked about a filed month, as it was filed.");
  const int64_t asked = AskAboutPaulMoreausFee();
  EXPECT_EQ(StateOf("H-102"), "questioned");
  EXPECT_TRUE(ReadQuestions(*DeskOf(maple_desk_)).empty()) << "another home's desk sees nothing of it";
  {
    DeskWorld birch(DeskOf(birch_desk_));
    birch.ChooseMarch("H-102");
    const std::vector<Problem> problems = birch.host.Problems();
    ASSERT_FALSE(problems.empty());
    const Problem& question = problems.back();
    EXPECT_EQ(question.region_question, asked);
    EXPECT_EQ(question.screen + " | " + question.record + " | " + question.field,
              "Residents | Paul Moreau | Monthly fee");
    EXPECT_TRUE(question.message.starts_with("Is Paul Moreau's fee right? (asked by " + rowan_ + " on "));
    EXPECT_TRUE(Passes(problems)) << "a question of the region does not stand in the way of filing";
    birch.host.Open(question);
    EXPECT_EQ(birch.host.Current()->Name(), "setup") << "a filed month is reopened before its records change";
    EXPECT_TRUE(birch.events.Saw("question " + std::to_string(asked) +
                                 " from the region is on the filed month: reopen it here to put Paul Moreau, "
                                 "Monthly fee right, or answer the question in words"));
    birch.host.Months().Reopen(kBirchMarch, "the fee is checked");
    birch.ChooseMarch("H-102");
    birch.host.Open(birch.host.Problems().back());
    ScreenView view;
    birch.host.Describe(view);
    EXPECT_EQ(birch.host.Current()->Name(), "residents");
    ASSERT_TRUE(view.list.has_value() && view.list->selected >= 0);
    EXPECT_EQ(view.list->rows[static_cast<size_t>(view.list->selected)][0], "Paul Moreau");
    const auto focused = std::ranges::find_if(view.fields, [](const ScreenField& field) { return field.active; });
    ASSERT_NE(focused, view.fields.end());
    EXPECT_EQ(focused->Caption(), "Monthly fee");
    birch.host.Months().Reply(asked, "It is right: his room is the larger one.");
  }
  EXPECT_EQ(SentenceOf(Raised([&] { ReplyToQuestion(*DeskOf(maple_desk_), asked, "Not ours."); })),
            "There is no question " + std::to_string(asked) + " on the months of this desk's homes.");
  const std::vector<RegionQuestion> questions = ReadQuestions(*rowan_db_);
  ASSERT_EQ(questions.size(), 1u);
  ASSERT_EQ(questions[0].replies.size(), 1u);
  EXPECT_EQ(questions[0].replies[0].who, birch_desk_);
  EXPECT_EQ(questions[0].replies[0].text, "It is right: his room is the larger one.");

  CloseQuestion(*rowan_db_, asked, "Thank you.");
  EXPECT_EQ(StateOf("H-102"), "reopened") << "closed, the question no longer marks the month";
  EXPECT_TRUE(SentenceOf(Raised([&] {
                ReplyToQuestion(*DeskOf(birch_desk_), asked, "One more thing.");
              })).starts_with("Question " + std::to_string(asked) + " was closed on "));
  EXPECT_EQ(SentenceOf(Raised([&] { CloseQuestion(*rowan_db_, asked, "Again."); })),
            "This question was closed already, and stays on record as it is.");
}

// Reopening, correcting and filing again answers a question too: each step is on record with who and
// when, and the grid follows the month from questioned to reopened to filed again.
TEST_F(RegionReview, ReopeningAndFilingAgainAreStepsOfTheQuestion) {
  FileWithPassingSheets(birch_desk_, kBirchMarch);
  const int64_t asked = AskAboutPaulMoreausFee();
  MonthService(DeskOf(birch_desk_)).Reopen(kBirchMarch, "the fee of Paul Moreau was wrong");
  EXPECT_EQ(StateOf("H-102"), "reopened");
  EXPECT_EQ(SentenceOf(Raised([&] { AskAboutPaulMoreausFee(); })),
            "March 2004 is not filed: a question is asked about a filed month, as it was filed.")
      << "a reopened month takes no question";
  FileWithPassingSheets(birch_desk_, kBirchMarch);
  EXPECT_EQ(StateOf("H-102"), "questioned") << "filed again, the question still open";
  const RegionQuestion question = ReadQuestions(*rowan_db_).front();
  std::vector<std::string> steps;
  for (const QuestionStep& step : QuestionHistory(*rowan_db_, question)) steps.push_back(step.who + " " + step.what);
  EXPECT_EQ(steps, (std::vector<std::string>{rowan_ + " asked: Is Paul Moreau's fee right?",
                                             birch_desk_ + " reopened the month: the fee of Paul Moreau was wrong",
                                             birch_desk_ + " filed the month again"}));
  CloseQuestion(*rowan_db_, asked, "Corrected.");
  EXPECT_EQ(StateOf("H-102"), "filed again");
}

// A filed month of a home that works on a file is imported when it verifies, once; a forged import
// past the program is refused. (How a file fails to verify is checked with the file's own tests.)
TEST_F(RegionReview, AFiledMonthFromAFileIsImportedOnceAndAForgeryRefused) {
  GrantReview(*admin_, rowan_, "H-103");
  TempFolder folder;
  auto file = OpenTrfDatabase((folder.Path() / "cedar.db").string());
  OneResidentSheets sheets;
  MonthService cedar(file);
  cedar.File(5, sheets, "cedar");
  const MonthReport filed = *cedar.FiledReport(5);
  const std::string sent = MonthReportJson(filed);

  ImportFiledMonth(*rowan_db_, VerifyFiledMonthFile(sent, "cedar.json"));
  const RegionGrid grid = ReadRegionGrid(*rowan_db_, GridRange{"", YearMonth{2004, 2}, YearMonth{2004, 2}});
  const GridCell& cell = *grid.CellOf("H-103", YearMonth{2004, 2});
  EXPECT_EQ(MonthStateText(cell.state), "filed");
  EXPECT_TRUE(cell.imported);
  EXPECT_EQ(cell.filed_by, filed.filing->filed_by);
  EXPECT_TRUE(cell.Verifies());
  EXPECT_EQ(SentenceOf(Raised([&] { ImportFiledMonth(*rowan_db_, VerifyFiledMonthFile(sent, "cedar.json")); })),
            "This filing was imported already: it is on the region's grid.");
  EXPECT_EQ(SentenceOf(Raised([&] {
              Run(*rowan_db_,
                  "INSERT INTO tbR_ImportedFilings (H_HomesID, H_StatMonth, H_Report, H_ReportDigest, H_FiledBy, "
                  "H_FiledAt) VALUES (3, 38018, 'forged', repeat('0', 64), 'x', 'y')");
            })),
            "The report does not match its digest: it was changed after it was filed, and is not imported.");
}

}  // namespace
}  // namespace trf::testing
