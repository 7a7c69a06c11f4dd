// Saves against a database that changes or fails under them: a refused save writes nothing and keeps the edits.
#include "app/business/business_classes.h"
#include "app/data/trf_database.h"
#include "app/terminal/temp_folder.h"
#include "tests/app/test_database.h"
#include "tests/doubles/raised.h"

namespace trf {
namespace {

using kw::Variant;
using kw::testing::Raised;

class RecordVersionsTest : public ::testing::Test {
 protected:
  // Another connection to the test's file, as a second process would open it.
  std::shared_ptr<Database> Connect(int busy_timeout_ms = kDefaultBusyTimeoutMs) {
    return OpenTrfDatabase(location_, Access::kReadWrite, busy_timeout_ms);
  }
  std::string Scalar(const std::string& sql) {
    auto query = first_->Prepare(sql);
    query->Step();
    return query->Column(0).ToText();
  }
  // The file passes its integrity check and keeps its write-ahead log (the server keeps its own).
  void ExpectIntact() {
    if (testing::TestServer().empty()) {
      EXPECT_EQ(Scalar("PRAGMA integrity_check"), "ok");
      EXPECT_EQ(Scalar("PRAGMA journal_mode"), "wal");
    }
  }

  TempFolder folder_;
  std::string location_ = testing::TestDatabaseLocation((folder_.Path() / "trf.db").string());
  std::shared_ptr<Database> first_ = Connect();
};

// Family groups save at once: a record changed elsewhere since it was read is refused, and saves once read afresh.
TEST_F(RecordVersionsTest, SingleSaveOfARecordChangedElsewhereIsRefused) {
  LIFamilyGroups mine(first_), theirs(Connect());
  mine.Load();
  theirs.Load();
  theirs.CurrentIndex(Variant::Long(2));
  theirs.FieldValue(LIFamilyGroups::kMailingAddress, Variant::Text("5 Mill Lane"));
  ASSERT_TRUE(theirs.Save(false));
  mine.CurrentIndex(Variant::Long(2));
  mine.FieldValue(LIFamilyGroups::kMailingAddress, Variant::Text("6 Mill Lane"));

  EXPECT_EQ(Raised([&] { (void)mine.Save(false); }).Number(), rule_numbers::kRecordChanged);
  EXPECT_TRUE(mine.IsDirty());
  EXPECT_EQ(mine.FieldValueAt(Variant::Long(2), LIFamilyGroups::kMailingAddress).ToText(), "6 Mill Lane");
  EXPECT_EQ(Scalar("SELECT H_MailingAddress FROM tbH_FamilyGroups WHERE H_FamilyGroupsID = 2"), "5 Mill Lane");
  mine.Load();
  EXPECT_EQ(mine.FieldValueAt(Variant::Long(2), LIFamilyGroups::kMailingAddress).ToText(), "5 Mill Lane");
  // Read afresh, the record saves again: the version moved on with it.
  mine.CurrentIndex(Variant::Long(2));
  mine.FieldValue(LIFamilyGroups::kMailingAddress, Variant::Text("7 Mill Lane"));
  EXPECT_TRUE(mine.Save(false));
  ExpectIntact();
}

// The refusal names the first changed record in the batch's order: its writes go out before any answer is read.
TEST_F(RecordVersionsTest, BatchWithChangedRecordsWritesNothing) {
  LIResidents mine(first_), theirs(Connect());
  mine.Load(Variant::Long(3));
  theirs.Load(Variant::Long(3));
  for (const int32_t position : {3, 4}) {
    theirs.CurrentIndex(Variant::Long(position));
    theirs.FieldValue(LIResidents::kMonthlyFee, Variant::Double(2600));
    ASSERT_TRUE(theirs.Save(true));
  }
  theirs.SaveBatch();
  for (const int32_t position : {2, 3, 4}) {
    mine.CurrentIndex(Variant::Long(position));
    mine.FieldValue(LIResidents::kMonthlyFee, Variant::Double(9));
    ASSERT_TRUE(mine.Save(true));
  }

  const kw::Error refused = Raised([&] { mine.SaveBatch(); });
  EXPECT_EQ(refused.Number(), rule_numbers::kRecordChanged);
  EXPECT_NE(refused.Description().find(" 6 was changed"), std::string::npos) << refused.Description();
  EXPECT_EQ(mine.PendingChanges(), 3);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentsID IN (6, 7) AND H_MonthlyFee = 2600"), "2");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM tbH_Residents WHERE H_MonthlyFee = 9"), "0");
  ExpectIntact();
}

// A full database (max_page_count) and a lock held longer than the busy timeout: real failures of the database.
TEST_F(RecordVersionsTest, FullOrBusyDatabaseRefusesAndTheSaveWorksLater) {
  for (const auto& [name, meaning] :
       {std::pair{"full", "The disk or the database is full"}, {"busy", "in use by another program"}}) {
    SCOPED_TRACE(name);
    auto connection = Connect(100);
    auto other = Connect();
    const bool full = std::string(name) == "full";
    if (full) connection->Exec("PRAGMA max_page_count = " + Scalar("PRAGMA page_count"));
    if (!full) other->Exec("BEGIN IMMEDIATE");
    LIFamilyGroups groups(connection);
    groups.Load(Variant::Long(1));
    groups.AddNew();
    groups.FieldValue(LIFamilyGroups::kGroupName, Variant::Text("Holt family"));
    groups.FieldValue(LIFamilyGroups::kMailingAddress, Variant::Text(std::string(size_t{64} * 1024, 'x')));
    const int32_t count = groups.Count();

    const kw::Error failure = Raised([&] { (void)groups.Save(true); });
    EXPECT_EQ(failure.Number(), kDatabaseError);
    EXPECT_NE(failure.Description().find(meaning), std::string::npos) << failure.Description();
    EXPECT_TRUE(groups.IsNew());
    EXPECT_EQ(groups.Count(), count);

    if (full) connection->Exec("PRAGMA max_page_count = 1073741823");
    if (!full) other->Exec("COMMIT");
    EXPECT_TRUE(groups.Save(true));
    EXPECT_FALSE(groups.IsNew());
    ExpectIntact();
  }
}

}  // namespace
}  // namespace trf
