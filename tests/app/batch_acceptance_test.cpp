// Save mode 4: what Save accepted for the batch is no unsaved edit any more, so that moving to
// another record (which discards unsaved edits) keeps it; editing it again can be cancelled back
// to what the batch accepted; SaveBatch writes it.
#include "app/business/business_classes.h"
#include "tests/app/business_fixture.h"

namespace trf::testing {
namespace {

class BatchAcceptanceTest : public BusinessFixture {
 protected:
  BatchAcceptanceTest() { residents->Load(Long(3)); }
  double Fee() { return residents->FieldValueAt(Long(-1), LIResidents::kMonthlyFee).ToDouble(); }

  std::shared_ptr<LIResidents> residents = std::make_shared<LIResidents>(database);
};

// An accepted edit is not dirty and survives CancelEdit; a second edit is cancelled back to the
// accepted value, and SaveBatch writes the accepted one.
TEST_F(BatchAcceptanceTest, AcceptedEditsAreKeptUntilTheBatchWrite) {
  residents->CurrentIndex(Text("4"));
  residents->FieldValue(LIResidents::kMonthlyFee, Long(2500));
  EXPECT_TRUE(residents->IsDirty());
  ASSERT_TRUE(residents->Save(true));
  EXPECT_FALSE(residents->IsDirty());
  residents->CancelEdit();
  EXPECT_DOUBLE_EQ(Fee(), 2500);
  residents->FieldValue(LIResidents::kMonthlyFee, Long(2600));
  EXPECT_TRUE(residents->IsDirty());
  residents->CancelEdit();
  EXPECT_DOUBLE_EQ(Fee(), 2500);
  EXPECT_FALSE(residents->IsDirty());
  EXPECT_EQ(residents->PendingChanges(), 1);
  residents->SaveBatch();
  EXPECT_EQ(residents->PendingChanges(), 0);
  EXPECT_EQ(CountRows("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 4"), 2500);
}

// A new record accepted for the batch is still new: cancelling it (as a removal does) drops it,
// and a deletion of an accepted record can be cancelled back to it.
TEST_F(BatchAcceptanceTest, AcceptedNewRecordIsDroppedAndDeletionCancelled) {
  residents->AddNew();
  residents->FieldValue(LIResidents::kName, Text("Eva Lund"));
  residents->FieldValue(LIResidents::kAdmissionDate, Text("3/10/2004"));
  ASSERT_TRUE(residents->Save(true));
  EXPECT_TRUE(residents->IsNew());
  EXPECT_EQ(residents->Count(), 7);
  residents->CancelEdit();
  EXPECT_EQ(residents->Count(), 6);

  residents->CurrentIndex(Text("5"));
  residents->FieldValue(LIResidents::kMonthlyFee, Long(2000));
  ASSERT_TRUE(residents->Save(true));
  residents->Delete();
  EXPECT_TRUE(residents->IsDirty());
  residents->CancelEdit();
  EXPECT_DOUBLE_EQ(Fee(), 2000);
  residents->SaveBatch();
  EXPECT_EQ(CountRows("SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentsID = 5"), 2000);
}

}  // namespace
}  // namespace trf::testing
