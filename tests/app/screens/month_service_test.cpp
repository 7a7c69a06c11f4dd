// The month as one service, driven through the screens' host as its sheets: choosing by keys, filing
// with the report as it stands and reading that report back, the status in words, reopening for a
// reason, and the live data held against the filing.
#include "app/business/month_service.h"

#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <string>

#include "app/business/json_value.h"
#include "app/business/month_report_json.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "tests/app/app_world.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

constexpr int64_t kMapleMarch = 3;  // does not pass: Tom Reyes's birth date breaks a hard rule
constexpr int64_t kBirchMarch = 4;  // passes

class MonthServiceTest : public ::testing::Test {
 protected:
  MonthService& Months() const { return world.host.Months(); }
  // Makes March 2004 of home `number` current, as a person choosing it would.
  void ChooseMarch(const std::string& number) {
    const HomeChoice home = Months().HomeNumbered(number);
    world.host.ChooseMonth(home, Months().MonthOf(home, 2004, 3));
  }
  // Makes Birch Court's March current and files it.
  void FileBirchMarch() {
    ChooseMarch("H-102");
    Months().File(kBirchMarch, world.host, "alice");
  }

  AppWorld world;
};

// Rows of every table of the TRF, the change record's among them, by table.
std::map<std::string, int32_t> Rows(const AppWorld& world) {
  std::map<std::string, int32_t> rows;
  for (const TableDescription& table : tables::All())
    rows[std::string(table.name)] = world.Count("SELECT COUNT(*) FROM " + std::string(table.name));
  return rows;
}

// Looking at a month stores nothing: showing every screen, its problem list, its report, its history
// and holding a filed month against its filing leave every table as it was, the change record included.
TEST_F(MonthServiceTest, LookingAtAMonthStoresNothing) {
  FileBirchMarch();
  ChooseMarch("H-101");
  // A month with an expense line missing, as one started before the lines came with the start.
  world.services.database()->Exec("DELETE FROM tbH_MonthlyExpenses WHERE H_MonthlyExpensesID = 4");
  struct Look {
    const char* what;
    std::function<void()> look;
  };
  const Look looks[] = {
      {"every screen shown",
       [&] {
         for (const ScreenPtr& screen : world.host.Screens()) ASSERT_TRUE(world.host.Go(screen->Name()));
       }},
      {"the problem list", [&] { std::ignore = world.host.Problems(); }},
      {"the report", [&] { std::ignore = Months().Report(kMapleMarch, world.host, "alice"); }},
      {"a resident's history",
       [&] {
         ASSERT_TRUE(world.host.Go("residents"));
         std::ignore = world.host.Current()->History();
       }},
      {"the filed month held against its filing",
       [&] {
         ChooseMarch("H-102");
         std::ignore = Months().DifferencesFromFiling(kBirchMarch, world.host);
       }},
  };
  for (const Look& look : looks) {
    const std::map<std::string, int32_t> before = Rows(world);
    look.look();
    EXPECT_EQ(Rows(world), before) << look.what << " stored something";
  }
}

// A home and its month are chosen by their keys; asking for what is not there names what is.
TEST_F(MonthServiceTest, HomesAndMonthsAreChosenByTheirKeys) {
  const HomeChoice maple = Months().HomeNumbered("H-101");
  EXPECT_EQ(maple.key, 1);
  EXPECT_EQ(Months().MonthOf(maple, 2004, 3).key, kMapleMarch);
  EXPECT_EQ(SentenceOf(Raised([&] { Months().HomeNumbered("H-999"); })),
            "There is no home numbered H-999; the homes are H-101, H-102, H-103.");
  EXPECT_EQ(SentenceOf(Raised([&] { Months().MonthOf(maple, 2005, 3); })),
            "Home H-101 has no month March 2005; its months are January 2004, February 2004, March 2004.");
}

// Filing stores the report as it then stands; the filed month's report is read back from the filing,
// with the facts the engine stamped, whatever the screens hold later.
TEST_F(MonthServiceTest, AFiledMonthsReportIsTheOneStoredWithItsFiling) {
  FileBirchMarch();
  const std::optional<MonthReport> filed = Months().FiledReport(kBirchMarch);
  ASSERT_TRUE(filed.has_value());
  EXPECT_TRUE(filed->filed);
  ASSERT_TRUE(filed->filing.has_value());
  EXPECT_EQ(filed->filing->filed_by, LoginName());
  EXPECT_EQ(filed->filing->report_digest.size(), 64u);
  EXPECT_EQ(filed->home_name, "Birch Court");
  EXPECT_EQ(filed->status, kMonthClosed);
  ASSERT_EQ(filed->tables.front().rows.size(), 2u);
  EXPECT_EQ(filed->tables.front().rows[0].cells[0].text, "Paul Moreau");
  EXPECT_EQ(Months().Report(kBirchMarch, world.host, "bob").made_by, "alice") << "the filed report, not a new one";
  EXPECT_TRUE(MonthService::StatusText(Months().Standing(kBirchMarch)).starts_with("filed by " + LoginName() + " on "));
}

// A month that does not pass is not filed, and says why.
TEST_F(MonthServiceTest, AMonthThatDoesNotPassIsNotFiled) {
  world.UseMapleHouseMarch();
  EXPECT_EQ(SentenceOf(Raised([&] { Months().File(kMapleMarch, world.host, "alice"); })),
            "The month does not pass its checks (4 problems stand in the way): it is not filed.");
  EXPECT_FALSE(Months().Standing(kMapleMarch).filing.has_value());
}

// What changes after the filing outside the month's own rows shows against the filing, field by field;
// a reopening says who, when and why.
TEST_F(MonthServiceTest, TheLiveDataAreHeldAgainstTheFilingFieldByField) {
  FileBirchMarch();
  EXPECT_TRUE(Months().DifferencesFromFiling(kBirchMarch, world.host).empty());
  world.services.database()->Exec(
      "UPDATE tbH_FamilyGroups SET H_GroupName = 'Moreau-Lane family' WHERE "
      "H_FamilyGroupsID = 4");
  EXPECT_THAT(
      Months().DifferencesFromFiling(kBirchMarch, world.host),
      ElementsAre("Residents, Paul Moreau (record 10), Family group: filed Moreau family, now Moreau-Lane family.",
                  "Residents, Irene Moreau (record 11), Family group: filed Moreau family, now Moreau-Lane "
                  "family.",
                  "Family Groups, Moreau family (record 4), Group name: filed Moreau family, now Moreau-Lane "
                  "family."));
  Months().Reopen(kBirchMarch, "the Moreaus' name was wrong");
  const std::string status = MonthService::StatusText(Months().Standing(kBirchMarch));
  EXPECT_TRUE(status.starts_with("reopened by " + LoginName() + " on ")) << status;
  EXPECT_TRUE(status.ends_with(" UTC: the Moreaus' name was wrong")) << status;
  EXPECT_EQ(SentenceOf(Raised([&] { Months().DifferencesFromFiling(kBirchMarch, world.host); })),
            "This month is not filed with its report, so there is nothing to hold the live data against.");
}

// History on the month setup screen tells the month's statuses, its filing and its reopening in
// words, in the order they happened, the reopening with its reason.
TEST_F(MonthServiceTest, TheSetupScreensHistoryTellsStatusesFilingsAndReopeningsInWords) {
  FileBirchMarch();
  Months().Reopen(kBirchMarch, "the fee of Paul Moreau was wrong");
  ASSERT_TRUE(world.host.Go("setup"));
  ScreenForm& setup = *world.host.Current();
  std::vector<std::string> lines;
  for (const Change& change : setup.History()) lines.push_back(setup.ChangeLine(change));
  const std::string by = " by " + LoginName() + " on ";
  EXPECT_THAT(lines, ElementsAre(StartsWith("Status active -> closed" + by), StartsWith("filed" + by),
                                 AllOf(StartsWith("reopened" + by), EndsWith(": the fee of Paul Moreau was wrong")),
                                 StartsWith("Status closed -> active" + by)));
}

// The report written as JSON reads back to the same report, every cell's text and value included.
TEST_F(MonthServiceTest, AReportReadsBackFromItsJsonUnchanged) {
  world.UseMapleHouseMarch();
  const std::string written = MonthReportJson(Months().LiveReport(kMapleMarch, world.host, "alice"));
  EXPECT_EQ(MonthReportJson(MonthReportFromJson(written)), written);
}

// A document that is not a report of this shape is refused in words that say where it breaks.
TEST_F(MonthServiceTest, AReportOfAnotherShapeIsRefusedInWords) {
  const struct {
    const char* document;
    const char* refusal;
  } cases[] = {
      {R"({"schema": "trf-month-report/2", "home": )", "The JSON breaks at character 42: a value was expected."},
      {R"({"schema": "something else"})", "The document is not a month's report of the shape trf-month-report/2."},
      {R"({"schema": "trf-month-report/2"})", "The member \"home\" is missing."},
      {R"([1, 2] 3)", "The JSON breaks at character 8: nothing after the document's end."},
      {"{\"a\": \"\x01\"}", "The JSON breaks at character 8: a control character stands unescaped in a text."},
  };
  for (const auto& each : cases) {
    std::string refusal;
    try {
      MonthReportFromJson(each.document);
    } catch (const JsonError& error) {
      refusal = error.sentence;
    }
    EXPECT_EQ(refusal, each.refusal) << each.document;
  }
}

// A stamp of the database as a person reads it; another text as it is.
TEST(StampText, ReadsAStampAsDateAndTimeInWords) {
  EXPECT_EQ(StampText("2004-03-31 10:05:00"), "March 31, 2004, 10:05 UTC");
  EXPECT_EQ(StampText("yesterday"), "yesterday");
}

}  // namespace
}  // namespace trf::testing
