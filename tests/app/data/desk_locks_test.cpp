// No desk stops the others: a hostile desk holding the schema's lock, a whole table or a row keeps
// another desk waiting no longer than its lock timeout (here one second), after which the step is
// refused in words that name what is held; a desk on a current schema takes no lock to start.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "app/business/business_classes.h"
#include "app/business/rule_numbers.h"
#include "app/data/connection_text.h"
#include "app/data/home_access.h"
#include "app/data/postgres_database.h"
#include "app/data/trf_database.h"
#include "tests/app/app_world.h"
#include "tests/app/data/desk_roles.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;
using std::chrono::milliseconds;

// How long the desks of these tests wait for what another holds.
constexpr int kTimeoutMs = 1000;
// What a refusal may take beyond the timeout on a busy machine: more means it hung.
constexpr milliseconds kLeeway{3000};

// The time `action` takes.
milliseconds Timed(const std::function<void()>& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
}

// Maple's is the quiet desk; birch's, granted maple's home as well, the hostile one.
class DeskLocks : public DeskRoles {
 protected:
  void SetUp() override {
    DeskRoles::SetUp();
    GrantHome(*admin_, birch_desk_, "H-101");
    hostile_desk_ = std::make_unique<PostgresDatabase>(AsRole(location_, birch_desk_));
  }
  // The quiet desk's database, as trf opens it, waiting `kTimeoutMs` for what others hold.
  std::shared_ptr<Database> QuietDesk() const {
    return OpenTrfDatabase(AsRole(location_, maple_desk_), Access::kReadWrite, kTimeoutMs);
  }
  // The hostile desk takes `lock` in a transaction it keeps open.
  void HostileHolds(const std::string& lock) const {
    hostile_desk_->Begin();
    hostile_desk_->Exec(lock);
  }
  // Whether `waited` is the whole timeout and not much more: a refusal that neither came early nor hung.
  static ::testing::AssertionResult WaitedTheTimeout(milliseconds waited) {
    if (waited >= milliseconds(kTimeoutMs) && waited < milliseconds(kTimeoutMs) + kLeeway)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "waited " << waited.count() << " ms for a timeout of " << kTimeoutMs;
  }

  std::unique_ptr<PostgresDatabase> hostile_desk_;
};

// A desk holding the schema's lock stops no desk from starting on a current schema; the first opening
// of a new schema waits no longer than its timeout and says why it stopped.
TEST_F(DeskLocks, TheSchemaLockStopsOnlyAnOpeningThatMustChangeTheSchema) {
  hostile_desk_->Exec("SELECT pg_advisory_lock(1414678065)");
  std::shared_ptr<Database> desk;
  EXPECT_LT(Timed([&] { desk = QuietDesk(); }), milliseconds(kTimeoutMs)) << "the desk waited for the lock";
  EXPECT_TRUE(desk);

  const std::string fresh = TestDatabaseLocation("");
  kw::Error refused(0, "", "");
  const milliseconds waited =
      Timed([&] { refused = Raised([&] { (void)OpenTrfDatabase(fresh, Access::kReadWrite, kTimeoutMs); }); });
  EXPECT_EQ(refused.Number(), kHeldByAnotherDeskError);
  EXPECT_EQ(SentenceOf(refused), "Another desk is making the TRF's tables at " + ShownLocation(fresh) +
                                     " or bringing them up to date, or holds their lock, longer than this desk "
                                     "waits: nothing was changed; try again in a moment.");
  EXPECT_TRUE(WaitedTheTimeout(waited));
  hostile_desk_->Exec("SELECT pg_advisory_unlock(1414678065)");
  EXPECT_TRUE(OpenTrfDatabase(fresh, Access::kReadWrite, kTimeoutMs)) << "once the lock is let go, it is made";
}

// A table another desk locked whole: the save and the load of its records end within the timeout in
// a sentence that names them, the edits stay, and the save goes through once the table is let go.
TEST_F(DeskLocks, ALockedTableEndsSavesAndLoadsInWordsWithinTheTimeout) {
  auto desk = QuietDesk();
  LIResidents residents(desk);
  residents.Load(Long(3));
  residents.CurrentIndex(Text("4"));
  residents.FieldValue(LIResidents::kMonthlyFee, Long(2550));
  ASSERT_TRUE(residents.Save(true));
  HostileHolds("LOCK TABLE tbH_Residents IN ACCESS EXCLUSIVE MODE");

  kw::Error refused(0, "", "");
  milliseconds waited = Timed([&] { refused = Raised([&] { residents.SaveBatch(); }); });
  EXPECT_EQ(refused.Number(), rule_numbers::kHeldByAnotherDesk);
  EXPECT_EQ(SentenceOf(refused), "Nothing was saved: another desk holds the residents of this month; try again.");
  EXPECT_LT(waited, milliseconds(kTimeoutMs) + kLeeway);
  EXPECT_EQ(residents.PendingChanges(), 1) << "the edit was dropped";

  waited = Timed([&] { refused = Raised([&] { residents.Load(Long(3)); }); });
  EXPECT_EQ(SentenceOf(refused), "Nothing could be read: another desk holds the residents of this month; try again.");
  EXPECT_TRUE(WaitedTheTimeout(waited));
  EXPECT_EQ(residents.PendingChanges(), 1) << "a refused load dropped the edit";

  hostile_desk_->Rollback();
  residents.SaveBatch();
  EXPECT_EQ(Scalar(*admin_, "SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 2550"), "1");
}

// Each kind of record is named by what it belongs to when its table is held.
TEST_F(DeskLocks, EachKindOfRecordIsNamedWhenItsTableIsHeld) {
  const struct {
    const char* table;
    std::function<void(const std::shared_ptr<Database>&)> load;
    const char* held;
  } rows[] = {
      {"tbH_FamilyGroups", [](const auto& db) { LIFamilyGroups(db).Load(Long(1)); },
       "another desk holds the family groups of this home; try again"},
      {"tbH_MonthlyExpenses", [](const auto& db) { LIMonthlyExpenses(db).Load(Long(3)); },
       "another desk holds the monthly expenses of this month; try again"},
      {"tbH_HomeMonthlyStats", [](const auto& db) { LIHomeMonths(db).Load(Long(1)); },
       "another desk holds the month records of this home; try again"},
      {"tbH_Homes", [](const auto& db) { LIHomes(db).Load(); }, "another desk holds the homes; try again"},
  };
  auto desk = QuietDesk();
  for (const auto& row : rows) {
    HostileHolds(std::string("LOCK TABLE ") + row.table + " IN ACCESS EXCLUSIVE MODE");
    EXPECT_EQ(SentenceOf(Raised([&] { row.load(desk); })), std::string("Nothing could be read: ") + row.held + ".")
        << row.table;
    hostile_desk_->Rollback();
  }
}

// A row another desk holds for update keeps a save of it (at once, as family groups save) waiting no
// longer than the timeout; the edit stays and is saved once the row is let go.
TEST_F(DeskLocks, ARowHeldForUpdateEndsTheSaveInWords) {
  auto desk = QuietDesk();
  LIFamilyGroups families(desk);
  families.Load(Long(1));
  families.FieldValue(LIFamilyGroups::kMMLOFee, Long(12));
  HostileHolds("SELECT 1 FROM tbH_FamilyGroups WHERE H_HomesID = 1 FOR UPDATE");
  kw::Error refused(0, "", "");
  const milliseconds waited = Timed([&] { refused = Raised([&] { (void)families.Save(true); }); });
  EXPECT_EQ(SentenceOf(refused), "Nothing was saved: another desk holds the family groups of this home; try again.");
  EXPECT_TRUE(WaitedTheTimeout(waited));
  hostile_desk_->Rollback();
  EXPECT_TRUE(families.Save(true));
  EXPECT_EQ(Scalar(*admin_, "SELECT COUNT(*) FROM tbH_FamilyGroups WHERE H_MMLOFee = 12"), "1");
}

}  // namespace
}  // namespace trf::testing
