// A made region on the test server: intact on its chains, its change record what the triggers
// would have written, its months as real use leaves them, and its desks at work as on any server.
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/business/business_classes.h"
#include "app/data/change_chain.h"
#include "app/data/postgres_database.h"
#include "app/data/trf_database.h"
#include "app/region/region_maker.h"
#include "app/region/region_uri.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::region {
namespace {

using kw::testing::Raised;

// One region of four homes that each worked three months, made once for the suite.
class RegionMaker : public ::testing::Test {
 protected:
  // The region made for the suite, or why it was not made.
  struct Made {
    std::string location = testing::TestDatabaseLocation("");
    RegionShape shape{.homes = 4, .months = 3, .desk_prefix = "rm" + std::to_string(::getpid())};
    RegionCounts counts;
    std::string failure;  // empty when the region was made
  };
  static void SetUpTestSuite() {
    if (testing::TestServer().empty()) return;
    made_ = new Made();
    try {
      made_->counts = MakeRegion(made_->location, made_->shape);
    } catch (const kw::Error& error) {
      made_->failure = error.Description();
    } catch (const std::exception& error) {
      made_->failure = error.what();
    }
  }
  static void TearDownTestSuite() { delete made_; }
  void SetUp() override {
    ASSERT_FALSE(testing::TestServer().empty())
        << "these tests run on the test server that `ctest -L postgresql` starts";
    // A failure while the region was made fails each test, rather than passing it over.
    ASSERT_TRUE(made_->failure.empty()) << "the region was not made: " << made_->failure;
    admin_ = std::make_shared<PostgresDatabase>(made_->location);
  }
  int64_t Count(const std::string& sql) {
    auto query = admin_->Prepare(sql);
    query->Step();
    return static_cast<int64_t>(query->Column(0).ToDouble());
  }
  // The earliest month in state `status` that `desk` sees (a desk sees one home).
  static kw::Variant MonthOf(Database& desk, int status) {
    auto query = desk.Prepare(
        "SELECT H_HomeMonthlyStatsID FROM tbH_HomeMonthlyStats WHERE StatStatus = ? "
        "ORDER BY H_StatMonth LIMIT 1");
    query->Bind(1, kw::Variant::Long(status));
    return query->Step() ? query->Column(0) : kw::Variant::Null();
  }

  static inline Made* made_ = nullptr;
  std::shared_ptr<Database> admin_;
};

// Every entry sits on its home's chain, every head is the chain's end, every filing fits.
TEST_F(RegionMaker, AMadeRegionIsIntactOnItsChains) {
  const TrustCheck check = VerifyTrust(*admin_);
  EXPECT_TRUE(check.Intact()) << (check.findings.empty() ? "" : check.findings.front());
  EXPECT_EQ(check.changes, made_->counts.changes);
  EXPECT_EQ(check.homes, 4);
  EXPECT_EQ(check.filings, made_->counts.filings);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_Residents"), made_->counts.residents);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbS_HomeAccess"), made_->counts.desks);
}

// A row added is on record as the server's own JSON of the row, for every kind of row a desk adds.
TEST_F(RegionMaker, EachRowAddedIsOnRecordAsTheServerWritesIt) {
  // The first version of each row of `table` joined with the entry of its insert.
  const auto inserts_of = [](const TableDescription& table) {
    const std::string name(table.name);
    return "FROM tbS_ChangeRecord c JOIN " + name + " r ON c.S_Table = '" + name + "' AND c.S_RecordKey = r." +
           std::string(table.Key().name) +
           "::text AND c.S_Field IS NULL AND c.S_OldValue IS NULL WHERE r.RowVersion = 1";
  };
  for (const TableDescription* table : {&tables::kHomes, &tables::kFamilyGroups, &tables::kResidents,
                                        &tables::kMonthlyExpenses, &tables::kMonthFilings}) {
    const std::string name(table->name);
    const std::string join = inserts_of(*table);
    EXPECT_GT(Count("SELECT COUNT(*) " + join), 0) << name;
    EXPECT_EQ(Count("SELECT COUNT(*) " + join + " AND c.S_NewValue <> row_to_json(r)::text"), 0) << name;
  }
}

// Each home worked every month: all filed but the last, which is active; no month holds more
// residents than its home has beds.
TEST_F(RegionMaker, EveryHomeHasItsMonthsFiledButTheLast) {
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_HomeMonthlyStats"), 4 * 3);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_HomeMonthlyStats WHERE StatStatus = 1"), 4);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_MonthFilings WHERE H_ReopenedAt IS NULL"), 4 * 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM tbH_HomeMonthlyStats m JOIN tbH_MonthFilings f ON f.H_HomeMonthlyStatsID = "
                  "m.H_HomeMonthlyStatsID AND f.H_ReopenedAt IS NULL WHERE m.StatStatus <> 2"),
            0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM (SELECT m.H_HomeMonthlyStatsID FROM tbH_Residents r JOIN tbH_HomeMonthlyStats "
                  "m USING (H_HomeMonthlyStatsID) JOIN tbH_Homes h USING (H_HomesID) GROUP BY m.H_HomeMonthlyStatsID, "
                  "h.H_Capacity HAVING COUNT(*) > h.H_Capacity OR COUNT(*) = 0) over"),
            0);
}

// A desk of a made region sees its home alone, saves in its active month on its home's chain, and
// is refused a change to a month it filed.
TEST_F(RegionMaker, ADeskWorksInItsActiveMonthAndNotInAFiledOne) {
  auto desk = OpenTrfDatabase(WithRole(made_->location, RegionHomes::DeskRole(made_->shape, 2)));
  auto homes = desk->Prepare("SELECT H_HomeNum FROM tbH_Homes");
  ASSERT_TRUE(homes->Step());
  EXPECT_EQ(homes->Column(0).ToText(), "H-00002");
  EXPECT_FALSE(homes->Step());
  homes.reset();

  LIResidents active(desk);
  active.Load(MonthOf(*desk, 1));
  ASSERT_GT(active.Count(), 0);
  active.FieldValue(LIResidents::kMonthlyFee, kw::Variant::Double(2345));
  ASSERT_TRUE(active.Save(false));
  active.SaveBatch();
  const TrustCheck check = VerifyTrust(*admin_);
  EXPECT_TRUE(check.Intact()) << (check.findings.empty() ? "" : check.findings.front());
  EXPECT_EQ(check.changes, made_->counts.changes + 1);

  LIResidents filed(desk);
  filed.Load(MonthOf(*desk, 2));
  ASSERT_GT(filed.Count(), 0);
  filed.FieldValue(LIResidents::kMonthlyFee, kw::Variant::Double(2345));
  ASSERT_TRUE(filed.Save(false));
  EXPECT_NE(SentenceOf(Raised([&] { filed.SaveBatch(); })).find("reopen it to change it"), std::string::npos);
}

// A desk's month, its history and its save find their rows through indexes, whatever the region's
// size: told to avoid reading whole tables, the server finds a way without any for each of them (a
// policy whose condition no index serves would leave it none).
TEST_F(RegionMaker, ADesksMonthIsFoundByIndexesAlone) {
  auto desk = OpenTrfDatabase(WithRole(made_->location, RegionHomes::DeskRole(made_->shape, 3)));
  const std::string month = MonthOf(*desk, 1).ToText();
  desk->Exec("SET enable_seqscan = off");
  for (const std::string& sql : std::vector<std::string>{
           "SELECT * FROM tbH_Residents WHERE H_HomeMonthlyStatsID = " + month,
           std::string("SELECT * FROM tbS_ChangeRecord WHERE S_Table = 'tbH_Residents' AND S_RecordKey = '1'"),
           "UPDATE tbH_Residents SET H_MonthlyFee = H_MonthlyFee WHERE H_HomeMonthlyStatsID = " + month}) {
    auto plan = desk->Prepare("EXPLAIN " + sql);
    std::string lines;
    while (plan->Step()) lines += plan->Column(0).ToText() + "\n";
    EXPECT_EQ(lines.find("Seq Scan"), std::string::npos) << lines;
  }
}

}  // namespace
}  // namespace trf::region
