// The hard and soft rules of the reference business objects, their flags, and what marks the group dirty.
#include <gmock/gmock.h>

#include <optional>

#include "app/business/business_classes.h"
#include "tests/app/app_world.h"
#include "tests/doubles/raised.h"

namespace trf::testing {
namespace {

using kw::Variant;
using kw::testing::Described;
using kw::testing::Raised;

class BusinessRulesTest : public ServicesTest {
 protected:
  BusinessRulesTest() { residents.Load(Long(3)); }
  // The field number of the residents' monthly fee (position - 1).
  static constexpr int32_t kFeeField = LIResidents::kMonthlyFee - 1;
  std::string Rules() { return RulesText(*residents.HardRules(), *residents.SoftRules()); }
  LIResidents residents{database};
};

TEST_F(BusinessRulesTest, SettledQuestionStaysSettledForTheSameValue) {
  residents.CurrentIndex(Text("7"));
  residents.FieldValue(LIResidents::kName, Text("Nora J. Pike"));
  EXPECT_FALSE(residents.Save(false));
  EXPECT_EQ(Rules(),
            "soft 3121 f5 l1 question broken on =7800: A monthly fee of 7,800.00 is unusually high. Is it right?");
  auto soft = residents.SoftRules();
  EXPECT_FALSE(soft->IsValid(kFeeField, 1));
  EXPECT_TRUE(soft->IsValid(kFeeField, 2));  // the broken rule is of level 1 only

  soft->Rules()[0]->Broken(false);
  EXPECT_TRUE(residents.IsValid());
  residents.FieldValue(LIResidents::kMonthlyFee, Text("7800"));  // written back: the rules run again
  EXPECT_TRUE(soft->IsValid(kFeeField, 1));
  EXPECT_TRUE(residents.Save(false));

  residents.FieldValue(LIResidents::kMonthlyFee, Long(8100));
  EXPECT_FALSE(soft->IsValid(kFeeField, 1));  // the collection shows the new run
  EXPECT_EQ(soft->Rules()[0]->Value().ToDouble(), 8100);
}

// During a send-off run notices are disabled (they only inform); questions stay enabled.
TEST_F(BusinessRulesTest, SuspendedAndSendOffValidation) {
  residents.SuspendValidation(true);
  residents.FieldValue(LIResidents::kMonthlyFee, Long(9000));
  EXPECT_EQ(Rules(), "");
  residents.SuspendValidation(false);
  residents.SendOffValidation(true);
  residents.FieldValue(LIResidents::kMonthlyFee, Long(9000));
  EXPECT_EQ(Rules(),
            "soft 3121 f5 l1 question broken on =9000: A monthly fee of 9,000.00 is unusually high. Is it right?");
  EXPECT_FALSE(residents.IsValid());
  residents.FieldValue(LIResidents::kMonthlyFee, Long(0));
  EXPECT_EQ(Rules(), "soft 3122 f5 l1 notice broken off =0: No monthly fee is charged for this resident.");
  EXPECT_TRUE(residents.IsValid());
  residents.SendOffValidation(false);
  residents.FieldValue(LIResidents::kMonthlyFee, Long(0));
  EXPECT_EQ(Rules(), "soft 3122 f5 l1 notice broken on =0: No monthly fee is charged for this resident.");
}

// Only changes that the group rules read (fees, the month, new or deleted records) mark the group dirty.
TEST_F(BusinessRulesTest, GroupDirtyFollowsWhatGroupRulesRead) {
  EXPECT_FALSE(residents.GroupDirty());
  residents.FieldValue(LIResidents::kName, Text("Ada M. Andersen"));
  EXPECT_FALSE(residents.GroupDirty());
  residents.CurrentIndex(Long(2));
  residents.FieldValue(LIResidents::kMonthlyFee, Long(2390));
  EXPECT_TRUE(residents.GroupDirty());
  EXPECT_TRUE(residents.GroupDirty(Long(2)));
  EXPECT_FALSE(residents.GroupDirty(Long(1)));
  residents.GroupDirty(false);
  EXPECT_FALSE(residents.GroupDirty());
  EXPECT_FALSE(residents.GroupDirty(Long(2)));
  residents.Delete();
  EXPECT_TRUE(residents.GroupDirty());
  residents.GroupDirty(false);
  residents.AddNew();
  EXPECT_TRUE(residents.GroupDirty());
}

// An amount is taken as the TRF shows it, its thousands grouped; a comma anywhere else is no grouping.
TEST_F(BusinessRulesTest, AnAmountIsTakenWithItsThousandsGrouped) {
  struct Row {
    const char* typed;
    std::optional<double> stored;  // nothing: refused as no number
  };
  const Row rows[] = {
      {"2,150.50", 2150.5},  {"1,234,567", 1234567},      {" -1,000 ", -1000},        {"2150.5", 2150.5},
      {"2,5", std::nullopt}, {"12,34,567", std::nullopt}, {"1234,567", std::nullopt}, {",500", std::nullopt},
  };
  for (const Row& row : rows) {
    residents.CancelEdit();
    residents.FieldValue(LIResidents::kMonthlyFee, Text(row.typed));
    const Variant stored = residents.Get("H_MonthlyFee");
    if (row.stored) {
      EXPECT_EQ(stored.IsNumber() ? std::optional(stored.ToDouble()) : std::nullopt, row.stored) << row.typed;
    } else {
      EXPECT_THAT(Rules(), ::testing::StartsWith("hard 3001")) << row.typed << " is refused as no number";
    }
  }
}

// Bad values give a broken hard rule naming the field and the value, never an exception.
TEST_F(BusinessRulesTest, BadValuesBreakHardRulesAndTheKeyCannotBeWritten) {
  const std::tuple<int32_t, Variant, int32_t, const char*> rows[] = {
      {LIResidents::kMonthlyFee, Text("abc"), 3001, "Monthly fee must be an amount; \"abc\" is not a number."},
      {LIResidents::kAdmissionDate, Text("2004-02-30"), 3002,
       "Admission date must be a date; \"2004-02-30\" is not a valid date."},
      {LIResidents::kFamilyGroup, Long(999), 3004, "Family group 999 does not exist."},
      {LIResidents::kFamilyGroup, Text("1.5"), 3001, "Family group must be a whole number; \"1.5\" is not one."},
      {LIResidents::kName, Text("  "), 3003, "Resident name must be filled in."},
      {LIResidents::kMonthlyFee, Long(-5), 3005, "Monthly fee cannot be negative."},
      {LIResidents::kBirthDate, Text("12/31/2099"), 3101, "Birth date 12/31/2099 lies in the future."},
      {LIResidents::kName, Variant::Object(nullptr), 3001, "Resident name must be a text."},
      {LIResidents::kName, Variant::Text(std::string(101, 'n')), 3009, "Resident name is longer than 100 characters."},
  };
  for (const auto& [position, value, rule, feedback] : rows) {
    residents.CancelEdit();
    residents.FieldValue(position, value);
    EXPECT_EQ(Rules(), "hard " + std::to_string(rule) + " f" + std::to_string(position - 1) + " l1: " + feedback);
    EXPECT_FALSE(residents.Save(false)) << feedback;
  }
  residents.CancelEdit();
  for (const auto& row : {std::pair{1, "The record key of LIResidents cannot be written."},
                          {8, "LIResidents has no field at position 8."}}) {
    const kw::Error e = Raised([&] { residents.FieldValue(row.first, Long(1)); });
    EXPECT_EQ(std::pair(e.Number(), e.Description()), std::pair(kw::err::kInvalidCall, std::string(row.second)));
  }
  EXPECT_FALSE(residents.IsDirty());
}

TEST_F(BusinessRulesTest, ForcedSaveOfBadValueRaisesAndWritesNothing) {
  residents.CurrentIndex(Long(1));
  residents.FieldValue(LIResidents::kName, Text("Ada M. Andersen"));
  residents.CurrentIndex(Long(2));
  residents.FieldValue(LIResidents::kMonthlyFee, Text("twelve"));
  EXPECT_EQ(Described(Raised([&] { residents.SaveBatch(); })),
            std::to_string(kw::err::kTypeMismatch) +
                " KW_I.LIResidents: Cannot store record 5: Monthly fee holds "
                "\"twelve\", which does not fit the field. Nothing was written.");
  EXPECT_EQ(world.Count("SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Ada M. Andersen'"), 0);
  EXPECT_EQ(residents.PendingChanges(), 2);

  LIHomes homes(database);
  homes.Load();
  homes.FieldValue(LIHomes::kCapacity, Text("many"));
  EXPECT_THROW(homes.Save(true), kw::Error);
  EXPECT_EQ(world.Count("SELECT H_Capacity FROM tbH_Homes WHERE H_HomesID = 1"), 12);
}

}  // namespace
}  // namespace trf::testing
