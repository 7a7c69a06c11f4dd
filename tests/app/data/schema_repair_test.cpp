// The triggers that keep the change record and the lock of filed months, dropped or altered behind
// the program's back (by whoever may write the file, or by a server's superuser): opening the
// database for writing puts them back and says so once, in the front end and the error journal; a
// read-only opening says what is amiss and changes nothing; a desk, which cannot put them back,
// refuses to work.
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/data/connection_text.h"
#include "app/data/home_access.h"
#include "app/data/postgres_database.h"
#include "app/data/schema_check.h"
#include "app/data/sqlite_database.h"
#include "app/data/trf_database.h"
#include "app/siblings/app_services.h"
#include "app/terminal/temp_folder.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SchemaRepair : public ::testing::Test {
 protected:
  bool OnServer() const { return !TestServer().empty(); }
  // Runs `sql` on the stored database as another program would, without opening it as the TRF does.
  void Behind(const std::string& sql) const {
    if (OnServer()) {
      PostgresDatabase(location_).Exec(sql);
    } else {
      SqliteDatabase(location_).Exec(sql);
    }
  }
  static int32_t Changes(Database& database) {
    return std::stoi(Scalar(database, "SELECT COUNT(*) FROM tbS_ChangeRecord"));
  }

  TempFolder folder_;
  std::string location_ = TestDatabaseLocation((folder_.Path() / "trf.db").string());
  std::shared_ptr<Database> first_ = OpenTrfDatabase(location_);
};

// A database as this program makes it has every trigger in place, and its opening says nothing. A
// dropped trigger (on a server also a disabled one; on a file also an altered one and one of another
// program's) is put back by the next opening for writing, which says so once; the change record then
// records again.
TEST_F(SchemaRepair, OpeningForWritingPutsTheTriggersBackAndSaysSo) {
  EXPECT_TRUE(FindTriggerGaps(*first_).Empty()) << FindTriggerGaps(*first_).Described();
  EXPECT_THAT(first_->TakeNotices(), IsEmpty()) << "a fresh database's opening said something";
  std::string expected;
  if (OnServer()) {
    Behind("DROP TRIGGER trf_keep ON tbH_Residents; ALTER TABLE tbH_FamilyGroups DISABLE TRIGGER trf_keep");
    expected = "2 missing or altered (trf_keep on tbH_FamilyGroups, trf_keep on tbH_Residents)";
  } else {
    Behind(
        "DROP TRIGGER trf_tbH_Residents_changed; DROP TRIGGER trf_tbH_FamilyGroups_changed; "
        "CREATE TRIGGER trf_tbH_FamilyGroups_changed AFTER UPDATE ON tbH_FamilyGroups BEGIN SELECT 1; END; "
        "CREATE TRIGGER skip_record BEFORE INSERT ON tbS_ChangeRecord BEGIN SELECT RAISE(IGNORE); END");
    expected =
        "2 missing or altered (trf_tbH_FamilyGroups_changed on tbH_FamilyGroups, trf_tbH_Residents_changed on "
        "tbH_Residents); 1 not made by this program (skip_record on tbS_ChangeRecord)";
  }
  const std::string notice =
      "The triggers that keep the change record and the lock of filed months were not all in "
      "place: " +
      expected +
      ". They are in place again; changes made while they were not may be missing from the "
      "change record.";
  AppServices services(OpenTrfDatabase(location_));
  EXPECT_THAT(services.notices(), ElementsAre(notice));
  ASSERT_EQ(services.journal().errors.size(), 1u);
  EXPECT_EQ(services.journal().errors[0].Number(), kSchemaNotice);
  EXPECT_EQ(SentenceOf(services.journal().errors[0]), notice);

  Database& database = *services.database();
  EXPECT_TRUE(FindTriggerGaps(database).Empty()) << FindTriggerGaps(database).Described();
  const int32_t before = Changes(database);
  database.Begin();
  database.Exec("UPDATE tbH_Residents SET H_MonthlyFee = 2999 WHERE H_HomeMonthlyStatsID = 3");
  database.Exec("UPDATE tbH_FamilyGroups SET H_MMLOFee = 9 WHERE H_HomesID = 1");
  database.Commit();
  EXPECT_GT(Changes(database), before + 1) << "the put-back triggers record nothing";
  EXPECT_THAT(OpenTrfDatabase(location_)->TakeNotices(), IsEmpty()) << "said more than once";
}

// A read-only opening says what is amiss and leaves it as it is.
TEST_F(SchemaRepair, AReadOnlyOpeningSaysWhatIsAmissAndChangesNothing) {
  Behind(OnServer() ? "DROP TRIGGER trf_keep ON tbH_Residents" : "DROP TRIGGER trf_tbH_Residents_changed");
  first_.reset();
  auto reader = OpenTrfDatabase(location_, Access::kReadOnly);
  const std::vector<std::string> notices = reader->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].starts_with(
      "The triggers that keep the change record and the lock of filed months are not all in place: 1 missing or "
      "altered ("))
      << notices[0];
  EXPECT_TRUE(notices[0].ends_with(
      "A database open read-only is left as it is: the next opening for writing puts them back (on a server, the "
      "administrator's)."))
      << notices[0];
  EXPECT_EQ(FindTriggerGaps(*reader).missing.size(), 1u) << "a read-only opening put a trigger back";
}

// On a server a desk cannot put triggers back: it refuses to work until the administrator has opened
// the database, and then works.
TEST_F(SchemaRepair, ADeskRefusesToWorkUntilTheAdministratorPutsThemBack) {
  if (!OnServer()) GTEST_SKIP() << "a file has no desks";
  const std::string desk = "repair_desk_" + std::to_string(::getpid());
  MakeRole(desk);
  GrantHome(*first_, desk, "H-101");
  const std::string as_desk = AsRole(location_, desk);
  Behind("DROP TRIGGER trf_keep ON tbH_MonthlyExpenses");

  EXPECT_EQ(SentenceOf(kw::testing::Raised([&] { (void)OpenTrfDatabase(as_desk); })),
            "The triggers that keep the change record and the lock of filed months at " + ShownLocation(as_desk) +
                " are not all in place: 1 missing or altered (trf_keep on tbH_MonthlyExpenses). A desk cannot put "
                "them back, so it does not work on the database: the administrator must open it once, which puts "
                "them back.");
  EXPECT_EQ(OpenTrfDatabase(location_)->TakeNotices().size(), 1u);
  EXPECT_TRUE(OpenTrfDatabase(as_desk)) << "the desk works once the triggers are back";
}

// A database whose trust is not this version's is given this version's by its next opening for
// writing, without a word: nothing was missing, it was slower. Its trust is another's when the digest
// it keeps differs (here with the accepted questions' index home first, as the version before made
// it) or when it keeps none (made before digests were kept). On a server a desk works on it as it
// is, and the administrator's opening renews it.
TEST_F(SchemaRepair, AnEarlierTrustIsRenewedSilentlyByTheNextOpeningForWriting) {
  const std::string home_first_index =
      "DROP INDEX ixS_ChangeRecord_AcceptedByMonth; CREATE INDEX ixS_ChangeRecord_Accepted ON tbS_ChangeRecord "
      "(S_HomesID, S_HomeMonthlyStatsID) WHERE S_RuleNumber IS NOT NULL; DROP VIEW vS_Trust; ";
  struct Earlier {
    const char* what;
    std::string sql;
  };
  const Earlier earlier_trusts[] = {
      {"another digest",
       home_first_index + "CREATE VIEW vS_Trust AS SELECT 'the digest of an earlier trust' AS S_Digest"},
      {"no digest", home_first_index},
  };
  first_.reset();
  const std::string desk = "renewing_desk_" + std::to_string(::getpid());
  if (OnServer()) {
    MakeRole(desk);
    GrantHome(*OpenTrfDatabase(location_), desk, "H-101");
  }
  for (const Earlier& earlier : earlier_trusts) {
    SCOPED_TRACE(earlier.what);
    Behind(earlier.sql);
    if (OnServer()) {
      const std::shared_ptr<Database> as_desk = OpenTrfDatabase(AsRole(location_, desk));
      EXPECT_THAT(as_desk->TakeNotices(), IsEmpty());
      EXPECT_FALSE(TrustIsCurrent(*as_desk)) << "a desk cannot renew the trust, and works on";
    }
    const std::shared_ptr<Database> opened = OpenTrfDatabase(location_);
    EXPECT_THAT(opened->TakeNotices(), IsEmpty());
    EXPECT_TRUE(TrustIsCurrent(*opened)) << "the trust is renewed and its digest kept";
    auto indexes = opened->Prepare(
        OnServer() ? "SELECT indexname FROM pg_indexes WHERE indexname LIKE 'ixs_changerecord_accepted%' AND "
                     "schemaname = current_schema()"
                   : "SELECT lower(name) FROM sqlite_master WHERE name LIKE 'ixS_ChangeRecord_Accepted%'");
    std::vector<std::string> names;
    while (indexes->Step()) names.push_back(indexes->Column(0).ToText());
    EXPECT_THAT(names, ElementsAre("ixs_changerecord_acceptedbymonth")) << "the month-first index alone";
  }
}

}  // namespace
}  // namespace trf::testing
