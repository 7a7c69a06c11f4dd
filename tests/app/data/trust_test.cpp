// The change record and the filed-month lock, kept by the engine itself on either database, and
// values that look like SQL stored as plain values.
#include <gtest/gtest.h>

#include "app/business/business_classes.h"
#include "app/data/change_chain.h"
#include "app/data/change_record.h"
#include "app/data/db_query.h"
#include "app/data/month_filing.h"
#include "app/data/monthly_notes.h"
#include "app/data/sqlite_database.h"
#include "app/data/transaction.h"
#include "app/data/trf_database.h"
#include "app/data/trf_tables.h"
#include "app/terminal/temp_folder.h"
#include "tests/app/app_world.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"
#include "ui_shared/platform/text.h"

namespace trf::testing {
namespace {

using kw::testing::Raised;

constexpr int32_t kMarchAtMaple = 3;  // H-101's active month in the sample data
constexpr int32_t kAdaInMarch = 4;    // one of its residents

class TrustTest : public ::testing::Test {
 protected:
  bool OnServer() const { return !TestServer().empty(); }
  // Who the engine records for this test's connection: the role on a server, the login name on a file.
  std::string Me() const { return OnServer() ? "trf" : LoginName(); }
  // The recorded changes of resident `key`, "who: field old -> new" each (values as stored).
  std::vector<std::string> ResidentChanges(int32_t key) {
    std::vector<std::string> lines;
    for (const Change& change : ChangesOf(*database_, tables::kResidents.name, Long(key))) {
      const auto shown = [](const kw::Variant& v) { return v.IsNull() ? std::string("null") : v.ToText(); };
      lines.push_back(change.who + ": " + (change.field.empty() ? "row" : kw::text::Lower(change.field)) + " " +
                      (change.field.empty() ? "" : shown(change.old_value) + " -> " + shown(change.new_value)));
    }
    return lines;
  }
  void File(int32_t month) {
    Transaction transaction(*database_);
    FileMonth(*database_, month);
    transaction.Commit();
  }
  void Reopen(int32_t month, const std::string& reason) {
    Transaction transaction(*database_);
    ReopenMonth(*database_, month, reason);
    transaction.Commit();
  }
  std::string Scalar(const std::string& sql) { return testing::Scalar(*database_, sql); }
  void Run(const std::string& sql) { RunCommitted(*database_, sql); }

  std::shared_ptr<Database> database_ = OpenTrfDatabase(TestDatabaseLocation(":memory:"));
};

// A saved edit is on record with who made it, the old and the new value; a save rolled back leaves nothing.
TEST_F(TrustTest, ASavedChangeIsRecordedAndARolledBackOneIsNot) {
  LIResidents residents(database_);
  residents.Load(Long(kMarchAtMaple));
  residents.CurrentIndex(Text(std::to_string(kAdaInMarch).c_str()));
  residents.FieldValue(LIResidents::kMonthlyFee, Long(2600));
  ASSERT_TRUE(residents.Save(true));
  residents.SaveBatch();
  EXPECT_EQ(ResidentChanges(kAdaInMarch), std::vector<std::string>{Me() + ": h_monthlyfee 2400 -> 2600"});
  {
    Transaction abandoned(*database_);
    database_->Exec("UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4");
  }
  EXPECT_EQ(ResidentChanges(kAdaInMarch).size(), 1u) << "a rolled-back change left a record";
}

// An added and a removed record are recorded whole, each once.
TEST_F(TrustTest, AddedAndRemovedRecordsAreRecordedWhole) {
  Run("INSERT INTO tbH_Residents (H_ResidentsID, H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate) "
      "VALUES (90, 3, 'Nell Park', 38000)");
  Run("DELETE FROM tbH_Residents WHERE H_ResidentsID = 90");
  EXPECT_EQ(ResidentChanges(90), (std::vector<std::string>{Me() + ": row ", Me() + ": row "}));
  const std::vector<Change> changes = ChangesOf(*database_, tables::kResidents.name, Long(90));
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_NE(changes[0].new_value.ToText().find("Nell Park"), std::string::npos);
  EXPECT_NE(changes[1].old_value.ToText().find("Nell Park"), std::string::npos);
  EXPECT_EQ(Scalar("SELECT S_HomeMonthlyStatsID FROM tbS_ChangeRecord WHERE S_RecordKey = '90' LIMIT 1"), "3");
}

// On a file the change record refuses to be changed or emptied, whatever program tries.
TEST_F(TrustTest, TheChangeRecordIsOnlyAddedTo) {
  if (OnServer()) GTEST_SKIP() << "on a server the desks' grants keep it (ServerTrust shows it)";
  Run("UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4");
  for (const char* sql : {"UPDATE tbS_ChangeRecord SET S_Who = 'nobody'", "DELETE FROM tbS_ChangeRecord"}) {
    EXPECT_EQ(SentenceOf(Raised([&] { Run(sql); })),
              "The change record is kept as it was written: nothing in it can be changed or removed.")
        << sql;
  }
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM tbS_ChangeRecord"), "1");
}

// A filed month refuses every change to its rows, whoever tries, until it is reopened for a reason.
TEST_F(TrustTest, AFiledMonthIsLockedUntilReopenedForAReason) {
  File(kMarchAtMaple);
  ASSERT_TRUE(FilingOf(*database_, kMarchAtMaple).has_value());
  EXPECT_EQ(FilingOf(*database_, kMarchAtMaple)->filed_by, Me());
  const std::string locked = OnServer() ? "March 2004 of H-101 was filed by trf on " : "This month was filed";
  const char* const late_arrival =
      "INSERT INTO tbH_Residents (H_HomeMonthlyStatsID, H_ResidentName, H_AdmissionDate) VALUES (3, 'Late', 38000)";
  for (const char* sql : {"UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4",
                          "DELETE FROM tbH_Residents WHERE H_ResidentsID = 4", late_arrival,
                          "UPDATE tbH_HomeMonthlyStats SET StatStatus = 1 WHERE H_HomeMonthlyStatsID = 3",
                          "UPDATE tbH_Residents SET H_MonthlyFee = H_MonthlyFee WHERE H_ResidentsID = 4",
                          "UPDATE tbH_Residents SET H_HomeMonthlyStatsID = 3 WHERE H_HomeMonthlyStatsID = 4"}) {
    EXPECT_TRUE(SentenceOf(Raised([&] { Run(sql); })).starts_with(locked)) << sql;
  }
  Run("UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_HomeMonthlyStatsID = 4");  // another month is open

  EXPECT_NE(SentenceOf(Raised([&] { ReopenMonth(*database_, kMarchAtMaple, "  "); })).find("for a reason"),
            std::string::npos);
  Reopen(kMarchAtMaple, "a fee was entered twice");
  EXPECT_FALSE(FilingOf(*database_, kMarchAtMaple).has_value());
  Run("UPDATE tbH_Residents SET H_MonthlyFee = 1 WHERE H_ResidentsID = 4");
  EXPECT_EQ(Scalar("SELECT H_ReopenedBy || ': ' || H_ReopenReason FROM tbH_MonthFilings"),
            Me() + ": a fee was entered twice");
}

// A filing stays as it was filed, whoever tries otherwise: it is never removed, never changed but by
// its reopening (once, with a reason), and a month has one filing in force at a time.
TEST_F(TrustTest, AFilingStaysAsItWasFiled) {
  File(kMarchAtMaple);
  const struct {
    const char* attempt;
    const char* sql;
    const char* refusal;
  } attempts[] = {
      {"removing it", "DELETE FROM tbH_MonthFilings",
       "A filing stays on record and cannot be removed: to change the month, reopen it with a reason."},
      {"changing who filed it", "UPDATE tbH_MonthFilings SET H_FiledBy = 'someone else'",
       "A filing stays as it was filed: only its reopening, with a reason, is added to it."},
      {"filing it twice",
       "INSERT INTO tbH_MonthFilings (H_HomeMonthlyStatsID, H_FiledBy, H_FiledAt) VALUES (3, 'x', 'y')",
       "This month is filed already: reopen it, with a reason, before it is filed again."},
  };
  for (const auto& attempt : attempts)
    EXPECT_EQ(SentenceOf(Raised([&] { Run(attempt.sql); })), attempt.refusal) << attempt.attempt;
  Reopen(kMarchAtMaple, "a fee was entered twice");
  EXPECT_EQ(SentenceOf(Raised([&] { ReopenMonth(*database_, kMarchAtMaple, "again"); })),
            "This month is not filed: there is nothing to reopen.");
  EXPECT_EQ(SentenceOf(Raised([&] { Run("UPDATE tbH_MonthFilings SET H_ReopenReason = 'another reason'"); })),
            "This filing was reopened already, and stays on record as it is.");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM tbH_MonthFilings"), "1");
}

// Every change goes on its home's chain (on a file, sealed when the save commits), and the walk over
// the chains finds them intact.
TEST_F(TrustTest, ChangesAreChainedPerHomeAndTheWalkFindsThemIntact) {
  Run("UPDATE tbH_Residents SET H_MonthlyFee = 2401 WHERE H_ResidentsID = 4");
  Run("UPDATE tbH_Residents SET H_MonthlyFee = 2201 WHERE H_ResidentsID = 10");  // Birch Court's
  Run("UPDATE tbH_FamilyGroups SET H_GroupName = 'Andersen-Berg family' WHERE H_FamilyGroupsID = 1");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM tbS_ChangeRecord WHERE length(S_Digest) = 64"), "3");
  EXPECT_EQ(Scalar("SELECT COUNT(DISTINCT S_HomesID) FROM tbS_ChangeRecord"), "2");
  File(kMarchAtMaple);
  const TrustCheck check = VerifyTrust(*database_);
  EXPECT_TRUE(check.Intact()) << check.Summary();
  EXPECT_EQ(check.changes, 4) << "three changes and the filing";
  EXPECT_EQ(check.homes, 2);
  EXPECT_EQ(check.filings, 1);
}

// What another program writes to the file through the triggers is recorded as another program's,
// never in the last person's name, and sealed onto the chain at this program's next save; its entry
// changed past the triggers shows in the walk under its maker's name.
TEST_F(TrustTest, AnotherProgramsChangeIsRecordedAsSuchAndSealedAtTheNextSave) {
  if (OnServer()) GTEST_SKIP() << "on a server the role is recorded (ServerTrust shows it)";
  TempFolder folder;
  const std::string path = (folder.Path() / "trf.db").string();
  auto ours = OpenTrfDatabase(path);
  RunCommitted(*ours, "UPDATE tbH_Residents SET H_MonthlyFee = 2401 WHERE H_ResidentsID = 4");
  SqliteDatabase other(path);
  other.Exec("UPDATE tbH_Residents SET H_MonthlyFee = 2402 WHERE H_ResidentsID = 4");
  EXPECT_EQ(ChangesOf(other, tables::kResidents.name, Long(kAdaInMarch)).back().who, "another program");
  EXPECT_EQ(VerifyTrust(*ours).unsealed, 1) << "another program's change waits for this program's next save";
  RunCommitted(*ours, "UPDATE tbH_Residents SET H_MonthlyFee = 2403 WHERE H_ResidentsID = 4");
  TrustCheck check = VerifyTrust(*ours);
  EXPECT_TRUE(check.Intact() && check.unsealed == 0 && check.changes == 3) << check.Summary();
  // The walk names who made the entry that no longer fits: here another program's.
  other.Exec("DROP TRIGGER trf_changes_kept_update; UPDATE tbS_ChangeRecord SET S_NewValue = '9' WHERE S_ChangeID = 2");
  check = VerifyTrust(*ours);
  ASSERT_EQ(check.findings.size(), 1u) << check.Summary();
  EXPECT_TRUE(
      check.findings[0].starts_with("The change record of H-101 does not fit at change 2 (tbH_Residents, "
                                    "record 4, by another program on "))
      << check.findings[0];
}

// A soft question the person accepted goes on record with the save: rule, record, field, value, message.
TEST_F(TrustTest, AnAcceptedSoftQuestionIsRecordedWithTheSave) {
  LIResidents residents(database_);
  residents.Load(Long(kMarchAtMaple));
  residents.CurrentIndex(Text(std::to_string(kAdaInMarch).c_str()));
  residents.FieldValue(LIResidents::kMonthlyFee, Long(7800));
  std::string message;
  for (const kw::SoftRulePtr& rule : residents.SoftRules()->Rules()) {
    if (rule->RuleNumber() != 3121) continue;
    message = rule->Feedback();
    rule->Broken(false);  // what the library does with the person's "yes"
  }
  ASSERT_FALSE(message.empty()) << "the fee raised no question 3121";
  ASSERT_TRUE(residents.Save(false));
  residents.SaveBatch();
  residents.FieldValue(LIResidents::kName, Text("Ada Andersen-Berg"));
  ASSERT_TRUE(residents.Save(false));
  residents.SaveBatch();  // saved again: the question is on record once
  int accepted = 0;
  for (const Change& change : ChangesOf(*database_, tables::kResidents.name, Long(kAdaInMarch))) {
    if (change.rule == 0) continue;
    ++accepted;
    EXPECT_EQ(change.rule, 3121);
    EXPECT_EQ(kw::text::Lower(change.field), "h_monthlyfee");
    EXPECT_EQ(change.new_value.ToText(), "7800");
    EXPECT_EQ(change.message, message);
  }
  EXPECT_EQ(accepted, 1);
}

// Every text a person types, and the query object, take SQL-looking text as plain text: nothing runs.
TEST_F(TrustTest, InjectionStringsAreStoredAsTheyWereTypedAndNothingElseHappens) {
  const std::vector<std::string> attacks = {"x'); DROP TABLE tbH_Residents; --", "' OR '1'='1",
                                            "\"; DELETE FROM tbS_ChangeRecord; --", R"($1 ? :name @p \' \")"};
  const std::string tables_before = Scalar("SELECT COUNT(*) FROM tbH_Residents");
  LIResidents residents(database_);
  LIFamilyGroups families(database_);
  residents.Load(Long(kMarchAtMaple));
  families.Load(Long(1));
  MonthlyNotes notes(database_);
  for (const std::string& attack : attacks) {
    residents.CurrentIndex(Long(1));
    families.CurrentIndex(Long(1));
    // Every text field of both screens' records: the names and the mailing address.
    for (TableBusinessObject* records :
         {static_cast<TableBusinessObject*>(&residents), static_cast<TableBusinessObject*>(&families)}) {
      for (size_t i = 0; i < records->Table().columns.size(); ++i) {
        const ColumnDescription& column = records->Table().columns[i];
        if (column.kind == ColumnKind::kText && !column.field.empty())
          records->FieldValue(static_cast<int32_t>(i + 1), kw::Variant::Text(attack));
      }
      ASSERT_TRUE(records->Save(true)) << attack;
      records->SaveBatch();
      records->Load(records->FieldValueAt({}, 2));
      records->CurrentIndex(Long(1));
    }
    EXPECT_EQ(residents.FieldValueAt({}, LIResidents::kName).ToText(), attack);
    EXPECT_EQ(families.FieldValueAt({}, LIFamilyGroups::kGroupName).ToText(), attack);
    EXPECT_EQ(families.FieldValueAt({}, LIFamilyGroups::kMailingAddress).ToText(), attack);
    const StoredNotes stored = notes.Read(std::to_string(kMarchAtMaple));
    ASSERT_TRUE(notes.Store(std::to_string(kMarchAtMaple), attack, stored.version));
    EXPECT_EQ(notes.Read(std::to_string(kMarchAtMaple)).rtf, attack);
    EXPECT_EQ(ChangesOf(*database_, tables::kResidents.name, kw::Variant::Text(attack)).size(), 0u);
  }
  AppQuery query(database_);
  EXPECT_FALSE(Raised([&] { query.OpenSQL("SELECT 0 FROM tbH_HomeMonthlyStats; DROP TABLE tbH_Residents"); })
                   .Description()
                   .empty());
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM tbH_Residents"), tables_before);
  EXPECT_NE(Scalar("SELECT COUNT(*) FROM tbS_ChangeRecord"), "0");
}

}  // namespace
}  // namespace trf::testing
