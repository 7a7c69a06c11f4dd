// The family groups' mailing-fee assessment: the fees by kind of assessment, its state and its rules.
#include <gmock/gmock.h>

#include "app/business/business_classes.h"
#include "tests/app/app_world.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

class FamilyGroupsTest : public ServicesTest {
 protected:
  FamilyGroupsTest() { groups->Load(Long(1)); }

  double Fee(int32_t position, int32_t field) {
    const kw::Variant value = groups->FieldValueAt(Long(position), field);
    return value.IsNull() ? -1 : value.ToDouble();
  }
  std::string Rules(int32_t position) {
    return RulesText(*groups->HardRules(Long(position)), *groups->SoftRules(Long(position)));
  }

  std::shared_ptr<LIFamilyGroups> groups = std::make_shared<LIFamilyGroups>(database);
};

// Residents in March at Maple House: Andersen 2, Okafor 1, Lindqvist 1 but no address (so no fee).
TEST_F(FamilyGroupsTest, AssessmentWritesTheFeesOfItsKind) {
  // Andersen's mail-out and annual fees, Okafor's and Lindqvist's mail-out fees; -1: not written.
  const std::pair<int32_t, std::vector<double>> rows[] = {
      {kAssessAllFees, {2.30, 12.00, 1.90, 0}},
      {kAssessMMLOFee, {2.30, -1, 1.90, 0}},
      {kAssessAMFee, {-1, 12.00, -1, -1}},
      {kClearMailingFees, {0, 0, 0, 0}},
  };
  for (const auto& [assessment, fees] : rows) {
    groups = std::make_shared<LIFamilyGroups>(database);
    groups->Load(Long(1));
    EXPECT_EQ(groups->AssessState().ToInteger(), kAssessIdle) << assessment;
    groups->AssessPrepare();
    EXPECT_EQ(groups->AssessState().ToInteger(), kAssessPrepared) << assessment;
    groups->AssessMMLOandAMMailingFees(assessment, false);
    EXPECT_EQ(groups->AssessState().ToInteger(), kAssessDone) << assessment;
    const std::vector<double> written{Fee(1, LIFamilyGroups::kMMLOFee), Fee(1, LIFamilyGroups::kAMFee),
                                      Fee(2, LIFamilyGroups::kMMLOFee), Fee(3, LIFamilyGroups::kMMLOFee)};
    EXPECT_THAT(written, ::testing::Pointwise(::testing::DoubleEq(), fees)) << assessment;
  }
}

// The library reaches the assessment through the object's FamilyGroups interface, where a send-off mutes notices.
TEST_F(FamilyGroupsTest, AnnualFeeNoticesAndStoringAlsoThroughTheClassInterface) {
  groups->AssessPrepare();
  groups->AssessMMLOandAMMailingFees(kAssessAllFees, false);
  const std::string notice =
      "soft 3403 f5 l2 notice broken on =12: The Andersen family is charged an annual mailing "
      "fee of 12.00.";
  EXPECT_EQ(Rules(1), notice);
  EXPECT_TRUE(groups->IsValid(Long(3)));
  for (int32_t position = 1; position <= groups->Count(); ++position) {
    groups->CurrentIndex(Long(position));
    ASSERT_TRUE(groups->Save(true));
  }
  EXPECT_EQ(
      world.Count("SELECT CAST(ROUND(H_MMLOFee * 100) AS INTEGER) FROM tbH_FamilyGroups WHERE H_FamilyGroupsID = 1"),
      230);

  groups->AssessPrepare();
  groups->AssessMMLOandAMMailingFees(kAssessAllFees, false);
  EXPECT_EQ(Rules(1), "");  // unchanged: nothing to tell
  groups->AssessMMLOandAMMailingFees(kAssessAllFees, true);
  EXPECT_EQ(Rules(1), notice);
  EXPECT_EQ(groups->CurrentIndex().ToLong(), 3);  // the assessment leaves the current record
  kw::ObjectPtr object = groups;
  auto assessment = kw::As<kw::FamilyGroups>(object);
  auto li = kw::As<kw::I_LI>(object);
  assessment->SendOffValidation(true);
  assessment->AssessPrepare();
  assessment->AssessMMLOandAMMailingFees(kAssessAllFees, true);
  EXPECT_FALSE(li->SoftRules(Long(1))->Rules()[0]->Enabled());  // notices are off in a send-off
  EXPECT_EQ(li->ClassName(), "LIFamilyGroups");
  EXPECT_EQ(li->ClassEnum(), 4);
}

TEST_F(FamilyGroupsTest, FeeWithoutAddressAndUnknownAssessment) {
  groups->CurrentIndex(Text("3"));
  groups->FieldValue(LIFamilyGroups::kMMLOFee, Text("4.50"));
  groups->Validate();
  EXPECT_EQ(Rules(3), "hard 3401 f3 l2: The Lindqvist family is charged mailing fees but has no mailing address.");
  const kw::Error e = kw::testing::Raised([&] { groups->AssessMMLOandAMMailingFees(7, false); });
  EXPECT_EQ(std::pair(e.Number(), e.Description()),
            std::pair(kw::err::kInvalidCall, std::string("Unknown mailing-fee assessment 7.")));
}

// Once the assessment is prepared, a group with an address and no resident in an active month is questioned.
TEST_F(FamilyGroupsTest, GroupWithoutResidentsIsQuestionedUnderItsOwnNumber) {
  database->Exec("UPDATE tbH_Residents SET H_FamilyGroupsID = NULL WHERE H_ResidentsID = 5");  // Ben Okafor, March
  groups->AssessPrepare();
  groups->CurrentIndex(Long(2));
  groups->Validate();
  EXPECT_EQ(Rules(2),
            "soft 3402 f2 l2 question broken on =Okafor family: The Okafor family has no resident in the active month. "
            "Keep it on the mailing list?");
}

}  // namespace
}  // namespace trf::testing
