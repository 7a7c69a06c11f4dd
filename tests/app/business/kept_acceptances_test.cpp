// Acceptances that stay: a question accepted for a record, field and value, or for a group of
// records, is settled again from the change record by the next session's objects and validators,
// until the value changes; on both engines.
#include <gmock/gmock.h>

#include <memory>
#include <string>

#include "app/business/business_classes.h"
#include "app/business/group_validators.h"
#include "tests/app/app_world.h"

namespace trf::testing {
namespace {

constexpr int32_t kMarch = 3;
constexpr const char* kNoraPike = "7";
constexpr int32_t kHighFee = 3121;
constexpr int32_t kFeesTotal = 3502;

class KeptAcceptancesTest : public ServicesTest {
 protected:
  // The residents of March as a new session loads them, Nora Pike current and her rules run.
  std::unique_ptr<LIResidents> NextSession() {
    auto residents = std::make_unique<LIResidents>(database);
    residents->Load(Long(kMarch));
    residents->CurrentIndex(Text(kNoraPike));
    residents->Validate();
    return residents;
  }
  // The question `rule` of Nora Pike's rules; nullptr when it was not raised.
  static std::shared_ptr<SoftRule> Question(LIResidents& residents, int32_t rule) {
    for (const auto& found : residents.RulesAt(Text(kNoraPike)).Soft())
      if (found->RuleNumber() == rule) return found;
    return nullptr;
  }
  // Accepts Nora Pike's high fee as a person does, and puts it on record as a send-off does.
  void AcceptHighFee() {
    auto residents = NextSession();
    Question(*residents, kHighFee)->Broken(false);
    residents->RecordAcceptedQuestions();
  }
  // Stores Nora Pike's fee as `fee` without accepting anything, as a save past its questions does.
  void StoreFee(int32_t fee) {
    auto residents = NextSession();
    residents->FieldValue(LIResidents::kMonthlyFee, Long(fee));
    ASSERT_TRUE(residents->Save(true));
    residents->SaveBatch();
  }
  // A residents' group validator of a new session, run on March (`interactive`: outside a send-off).
  std::shared_ptr<RecordGroupValidator> Group(bool interactive) {
    auto validator = kw::CreateObjectAs<RecordGroupValidator>("KW01.RGResidents");
    validator->SendOffValidation(!interactive);
    validator->Validate(std::to_string(kMarch));
    return validator;
  }
  static std::shared_ptr<SoftRule> GroupQuestion(const RecordGroupValidator& validator) {
    for (const auto& found : validator.Rules().Soft())
      if (found->RuleNumber() == kFeesTotal) return found;
    return nullptr;
  }
  int32_t Acceptances() const {
    return world.Count("SELECT COUNT(*) FROM tbS_ChangeRecord WHERE S_RuleNumber IS NOT NULL");
  }
};

// Accepted once, the question is settled in the next session, with who accepted it and when.
TEST_F(KeptAcceptancesTest, ARecordQuestionAcceptedOnceIsSettledInTheNextSession) {
  ASSERT_TRUE(Question(*NextSession(), kHighFee)->Broken()) << "asked before anyone accepted it";
  AcceptHighFee();
  auto residents = NextSession();
  const auto question = Question(*residents, kHighFee);
  ASSERT_TRUE(question);
  EXPECT_FALSE(question->Broken()) << "settled from the change record";
  EXPECT_TRUE(question->OnRecord()) << "not put on record a second time";
  EXPECT_FALSE(question->AcceptedBy().empty()) << "who accepted it";
  EXPECT_EQ(question->AcceptedAt().size(), 19u) << "when, as the database stamped it";
}

// The acceptance holds for the value accepted only: another value is asked again, and so is the
// accepted value once a change of the field came after the acceptance.
TEST_F(KeptAcceptancesTest, AnAcceptanceEndsWhenTheValueChanges) {
  struct Row {
    const char* what;
    int32_t fee_after;  // stored after the acceptance of 7,800.00; 0 for no change
    bool asked;
  };
  const Row rows[] = {
      {"unchanged", 0, false},
      {"changed to another high fee", 8100, true},
      {"changed and back to the value accepted", 7800, true},
  };
  for (const Row& row : rows) {
    AppWorld session{AppWorld::Screens::kNone};
    database = session.services.database();
    AcceptHighFee();
    if (row.fee_after == 7800) StoreFee(8200);
    if (row.fee_after != 0) StoreFee(row.fee_after);
    EXPECT_EQ(Question(*NextSession(), kHighFee)->Broken(), row.asked) << row.what;
  }
}

// A group question accepted outside a send-off goes on record about the month record and is settled
// by the next session's validator while the total stays.
TEST_F(KeptAcceptancesTest, AGroupQuestionIsKeptOnTheMonthRecord) {
  auto asked = Group(true);
  ASSERT_TRUE(GroupQuestion(*asked)->Broken());
  GroupQuestion(*asked)->Broken(false);     // the person accepts, as the library's group validation asks
  asked->Validate(std::to_string(kMarch));  // the library's run after the answer
  EXPECT_EQ(Acceptances(), 1);
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbS_ChangeRecord WHERE S_RuleNumber = 3502 AND S_Table = "
                        "'tbH_HomeMonthlyStats' AND S_RecordKey = '3'"),
            1)
      << "about the month record";
  const auto next = GroupQuestion(*Group(true));
  EXPECT_FALSE(next->Broken()) << "settled in the next session";
  EXPECT_FALSE(next->AcceptedBy().empty());

  StoreFee(7900);  // the total changes
  EXPECT_TRUE(GroupQuestion(*Group(true))->Broken()) << "asked again for the new total";
}

// In a send-off run without messages nobody is asked: a validator settled by the session's cache
// puts nothing on record.
TEST_F(KeptAcceptancesTest, ASendOffRunWithoutMessagesRecordsNothing) {
  auto sending_off = Group(false);
  GroupQuestion(*sending_off)->Broken(false);
  sending_off->Validate(std::to_string(kMarch));
  EXPECT_EQ(Acceptances(), 0);
}

}  // namespace
}  // namespace trf::testing
