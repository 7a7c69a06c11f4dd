// A desk that does not play by the rules: each attack a desk could try with its own login through any
// program (these run as psql would, one statement each) is refused by the server, or shows in the
// walk over the change record's chains. Maple's desk works on H-101 (month 3, March 2004); Birch
// Court (H-102, month 4) is another home's.
#include <gtest/gtest.h>

#include "app/data/change_chain.h"
#include "app/data/home_access.h"
#include "app/data/month_filing.h"
#include "app/data/postgres_database.h"
#include "app/data/sha256.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "tests/app/data/desk_roles.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;

constexpr int64_t kMapleMarch = 3;

class HostileDesk : public DeskRoles {
 protected:
  void SetUp() override {
    DeskRoles::SetUp();
    maple_ = DeskOf(maple_desk_);
  }
  // The sentence the server's refusal of `sql`, run by maple's desk, ends with.
  std::string Refusal(const std::string& sql) {
    return SentenceOf(Raised([&] { Run(*maple_, sql); }));
  }
  void File(Database& database, int64_t month, const std::string& report = "") {
    Transaction transaction(database);
    FileMonth(database, month, report);
    transaction.Commit();
  }
  int64_t ChangeCount() { return std::stoll(Scalar(*admin_, "SELECT COUNT(*) FROM tbS_ChangeRecord")); }

  std::shared_ptr<Database> maple_;
};

// Every attack on the record, the lock, the filings, the keys, the schema and the permissions is
// refused, and records nothing. A resident put in a family group of another home is refused in the
// same words whether the group exists or not: the refusal tells nothing of another home's keys.
TEST_F(HostileDesk, EveryAttackIsRefusedAndWritesNothing) {
  File(*maple_, kMapleMarch);
  const std::string not_allowed =
      "This desk (role " + maple_desk_ + ") may not do that: only the administrator of the TRF database may.";
  const std::string no_record = "A question is accepted for a record this desk may see: there is no such record here.";
  const std::string other_group =
      "The family group chosen is not one of this home's own family groups: choose one of them. Nothing was written.";
  const struct {
    const char* attack;
    std::string sql;
    std::string refusal;  // what the sentence starts with
  } attacks[] = {
      {"a temporary table to stand in for the filings", "CREATE TEMP TABLE tbh_monthfilings (x integer)", not_allowed},
      {"a temporary table to stand in for the change record", "CREATE TEMP TABLE tbs_changerecord (x integer)",
       not_allowed},
      {"removing a filing", "DELETE FROM tbH_MonthFilings", not_allowed},
      {"filing in another's name and time",
       "INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID, H_FiledBy, H_FiledAt) VALUES (3, 'birch', '2004-01-01')",
       not_allowed},
      {"changing who filed", "UPDATE tbH_MonthFilings SET H_FiledBy = 'birch'", not_allowed},
      {"reopening in another's name", "UPDATE tbH_MonthFilings SET H_ReopenedBy = 'birch', H_ReopenedAt = 'now'",
       not_allowed},
      {"reopening without a reason", "UPDATE tbH_MonthFilings SET H_ReopenReason = '  '",
       "A filed month is reopened for a reason: say why, and it is kept on record."},
      {"a back-dated entry in another's name",
       "INSERT INTO tbS_ChangeRecord (S_Who, S_When, S_Table, S_RecordKey) VALUES ('birch', '2004-01-01', "
       "'tbH_Residents', '10')",
       not_allowed},
      {"an entry that is no accepted question",
       "INSERT INTO tbS_ChangeRecord (S_Table, S_RecordKey, S_Field, S_NewValue) VALUES ('tbH_Residents', '5', "
       "'h_monthlyfee', '1')",
       "The change record is written by the database itself: a desk adds to it only the questions a person "
       "accepted."},
      {"an accepted question about another home's resident",
       "INSERT INTO tbS_ChangeRecord (S_Table, S_RecordKey, S_Field, S_NewValue, S_RuleNumber, S_Message) VALUES "
       "('tbH_Residents', '10', 'h_monthlyfee', '1', 3121, 'accepted')",
       no_record},
      {"an accepted question about a record that does not exist",
       "INSERT INTO tbS_ChangeRecord (S_Table, S_RecordKey, S_Field, S_NewValue, S_RuleNumber, S_Message) VALUES "
       "('tbH_Residents', '999', 'h_monthlyfee', '1', 3121, 'accepted')",
       no_record},
      {"changing the change record", "UPDATE tbS_ChangeRecord SET S_Who = 'nobody'", not_allowed},
      {"emptying the change record", "DELETE FROM tbS_ChangeRecord", not_allowed},
      {"moving a chain's head", "UPDATE tbS_ChainHeads SET S_Digest = 'x'", not_allowed},
      {"taking a chain's head itself", "SELECT trf_chain_head(2)", not_allowed},
      {"counting keys itself", "SELECT nextval(pg_get_serial_sequence('tbh_residents', 'h_residentsid'))", not_allowed},
      {"a new resident under a key the server did not give",
       "INSERT INTO tbH_Residents (H_ResidentsID, H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate) VALUES "
       "(1000, 3, 'Early', 38000)",
       "The key of a new record is given by the database, and this one was not given to this desk."},
      {"changing a record's key", "UPDATE tbH_FamilyGroups SET H_FamilyGroupsID = 50 WHERE H_FamilyGroupsID = 1",
       not_allowed},
      {"a resident in Birch Court's Moreau family",
       "UPDATE tbH_Residents SET H_FamilyGroupsID = 4 WHERE H_ResidentsID = 2", other_group},
      {"a resident in a family group nobody has",
       "UPDATE tbH_Residents SET H_FamilyGroupsID = 999 WHERE H_ResidentsID = 2", other_group},
      {"dropping the policy that keeps homes apart", "DROP POLICY trf_homes_apart ON tbH_Residents", not_allowed},
      {"disabling the triggers", "ALTER TABLE tbH_Residents DISABLE TRIGGER ALL", not_allowed},
      {"granting itself a home", "INSERT INTO tbS_HomeAccess (S_Role, H_HomesID) VALUES (current_user, 2)",
       not_allowed},
  };
  const int64_t changes = ChangeCount();
  for (const auto& attack : attacks) {
    const std::string refusal = Refusal(attack.sql);
    EXPECT_TRUE(refusal.starts_with(attack.refusal)) << attack.attack << ": " << refusal;
  }
  EXPECT_EQ(ChangeCount(), changes) << "a refused attack left an entry in the change record";
  EXPECT_EQ(Scalar(*admin_, "SELECT H_FiledBy FROM tbH_MonthFilings"), maple_desk_);
  Run(*maple_, "UPDATE tbH_Residents SET H_FamilyGroupsID = 3 WHERE H_ResidentsID = 2");  // Maple's own Lindqvists
  EXPECT_EQ(Scalar(*admin_, "SELECT H_FamilyGroupsID FROM tbH_Residents WHERE H_ResidentsID = 2"), "3");
}

// Even a desk allowed temporary tables (the administrator granted it one by hand) cannot put them in
// front of the TRF's own: its change is recorded in the real record, and a filed month stays locked.
TEST_F(HostileDesk, TemporaryTablesStandInForNothing) {
  PostgresDatabase(TestServer()).Exec("GRANT TEMPORARY ON DATABASE postgres TO " + maple_desk_);
  struct Revoke {
    std::string role;
    ~Revoke() { PostgresDatabase(TestServer()).Exec("REVOKE TEMPORARY ON DATABASE postgres FROM " + role); }
  } revoke{maple_desk_};
  auto maple = DeskOf(maple_desk_);
  maple->Exec("CREATE TEMP TABLE tbh_monthfilings (h_homemonthlystatsid integer, h_reopenedat text)");
  maple->Exec("CREATE TEMP TABLE tbs_changerecord (s_who text)");
  Run(*maple, "UPDATE tbH_Residents SET H_MonthlyFee = 2999 WHERE H_ResidentsID = 4");
  EXPECT_EQ(Scalar(*admin_, "SELECT S_NewValue FROM tbS_ChangeRecord WHERE S_RecordKey = '4'"), "2999");
  EXPECT_EQ(Scalar(*maple, "SELECT COUNT(*) FROM pg_temp.tbs_changerecord"), "0");
  File(*admin_, kMapleMarch);
  EXPECT_TRUE(SentenceOf(Raised([&] {
                Run(*maple, "UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4");
              })).starts_with("March 2004 of H-101 was filed by trf on "));
  // What holds for the two tables above holds for every function the trust makes: each names its
  // schema first and a session's temporary tables last.
  EXPECT_EQ(
      Scalar(
          *admin_,
          "SELECT coalesce(string_agg(p.proname, ', ' ORDER BY p.proname), '') FROM pg_proc p WHERE p.pronamespace = "
          "current_schema()::regnamespace AND NOT EXISTS (SELECT 1 FROM unnest(p.proconfig) c WHERE c = "
          "'search_path=' || current_schema() || ', pg_temp')"),
      "")
      << "functions whose search path a temporary table could step into";
}

// A desk files and reopens through the rule alone: the server writes who, when, the report's digest
// and the chain's digest at filing, and the reopened month is filed again (what a filing refuses
// after that: TrustTest.AFilingStaysAsItWasFiled, on the server too).
TEST_F(HostileDesk, AFilingIsStampedByTheServer) {
  Run(*maple_, "UPDATE tbH_Residents SET H_MonthlyFee = 2401 WHERE H_ResidentsID = 4");
  const std::string head = Scalar(*admin_, "SELECT S_Digest FROM tbS_ChainHeads WHERE S_HomesID = 1");
  File(*maple_, kMapleMarch, R"({"home":"H-101"})");
  const std::optional<Filing> filing = FilingOf(*admin_, kMapleMarch);
  ASSERT_TRUE(filing.has_value());
  EXPECT_EQ(filing->filed_by, maple_desk_);
  EXPECT_EQ(filing->filed_at.size(), std::string("2026-12-06 19:05:45").size());
  EXPECT_EQ(filing->report_digest, Sha256Hex(R"({"home":"H-101"})"));
  EXPECT_EQ(filing->chain_digest, head) << "the chain's head just before the filing's own entry";
  {
    Transaction transaction(*maple_);
    ReopenMonth(*maple_, kMapleMarch, "a fee was entered twice");
    transaction.Commit();
  }
  EXPECT_EQ(Scalar(*admin_, "SELECT H_ReopenedBy || ': ' || H_ReopenReason FROM tbH_MonthFilings"),
            maple_desk_ + ": a fee was entered twice");
  File(*maple_, kMapleMarch);
  EXPECT_TRUE(VerifyTrust(*admin_).Intact()) << VerifyTrust(*admin_).Summary();
}

// What a desk may add itself, an accepted question about its own record, is stamped and chained by the
// server, whatever the desk wrote for the record's home.
TEST_F(HostileDesk, AnAcceptedQuestionIsStampedAndChainedByTheServer) {
  Run(*maple_,
      "INSERT INTO tbS_ChangeRecord (S_Table, S_RecordKey, S_Field, S_NewValue, S_RuleNumber, S_Message) VALUES "
      "('tbH_Residents', '7', 'h_monthlyfee', '7800', 3121, 'The fee is unusually high. Is it right?')");
  EXPECT_EQ(Scalar(*admin_,
                   "SELECT S_Who || ' ' || S_HomesID || ' ' || S_HomeMonthlyStatsID || ' ' || length(S_Digest) FROM "
                   "tbS_ChangeRecord WHERE S_RuleNumber = 3121"),
            maple_desk_ + " 1 3 64");
  const TrustCheck check = VerifyTrust(*maple_);
  EXPECT_TRUE(check.Intact()) << check.Summary();
  EXPECT_EQ(check.homes, 1) << "a desk walks the chains of its own homes";
}

// Whoever holds the whole database, the superuser here, can change or remove entries past every rule:
// the walk over the chains names where, and a filed report changed shows against its digest.
TEST_F(HostileDesk, TamperingPastTheRulesShowsInTheWalk) {
  const struct {
    const char* tampering;
    std::string sql;      // run by the superuser once maple changed three fees and filed
    std::string finding;  // what the first finding starts with; %2 stands for the second change's number
  } cases[] = {
      {"an entry changed", "UPDATE tbS_ChangeRecord SET S_NewValue = '2500' WHERE S_ChangeID = %2",
       "The change record of H-101 does not fit at change %2 "},
      {"an entry removed", "DELETE FROM tbS_ChangeRecord WHERE S_ChangeID = %2",
       "The change record of H-101 does not fit at change %3 "},
      {"the newest entry removed",
       "DELETE FROM tbS_ChangeRecord WHERE S_ChangeID = (SELECT MAX(S_ChangeID) FROM tbS_ChangeRecord)",
       "The change record of H-101 ends before its recorded head"},
      {"a filed report changed",
       "ALTER TABLE tbH_MonthFilings DISABLE TRIGGER USER; UPDATE tbH_MonthFilings SET H_Report = '{}'",
       "The filing of March 2004 of H-101 does not match its digest: the filed report was changed."},
  };
  for (const auto& tampering : cases) {
    // A database of its own for each case, so that each starts from an intact chain.
    location_ = TestDatabaseLocation("");
    admin_ = OpenTrfDatabase(location_);
    GrantHome(*admin_, maple_desk_, "H-101");
    auto maple = DeskOf(maple_desk_);
    for (int fee : {2401, 2402, 2403}) {
      Run(*maple, "UPDATE tbH_Residents SET H_MonthlyFee = " + std::to_string(fee) + " WHERE H_ResidentsID = 4");
    }
    File(*maple, kMapleMarch, R"({"home":"H-101"})");
    ASSERT_TRUE(VerifyTrust(*admin_).Intact()) << tampering.tampering << ": " << VerifyTrust(*admin_).Summary();
    const int64_t first = std::stoll(Scalar(*admin_, "SELECT MIN(S_ChangeID) FROM tbS_ChangeRecord"));
    const auto numbered = [&](std::string text) {
      for (const auto& [mark, offset] : {std::pair{"%2", 1}, std::pair{"%3", 2}}) {
        if (const size_t at = text.find(mark); at != std::string::npos)
          text.replace(at, 2, std::to_string(first + offset));
      }
      return text;
    };
    Run(*admin_, numbered(tampering.sql));
    const TrustCheck check = VerifyTrust(*admin_);
    ASSERT_FALSE(check.Intact()) << tampering.tampering;
    EXPECT_TRUE(check.findings[0].starts_with(numbered(tampering.finding)))
        << tampering.tampering << ": " << check.findings[0];
  }
}

}  // namespace
}  // namespace trf::testing
