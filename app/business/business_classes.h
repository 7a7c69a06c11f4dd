// The reference business-object classes over the TRF tables, each with its class number, its
// table (whose columns are its fields, key first, parent second; properties named after the
// columns; the positions below are read from the table's description) and its rules.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "app/business/business_object.h"
#include "app/data/trf_tables.h"
#include "ui_shared/contracts/business_objects.h"

namespace trf {

// Homes (tbH_Homes); the parent position holds the home's region.
class LIHomes : public TableBusinessObject {
 public:
  explicit LIHomes(std::shared_ptr<Database> database);
  static constexpr int32_t kCapacity = tables::kHomes.Position(tables::column::kCapacity);

 protected:
  void CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) override;
};

// Month records of the homes (tbH_HomeMonthlyStats); StatStatus 1 is the active TRF.
class LIHomeMonths : public TableBusinessObject {
 public:
  explicit LIHomeMonths(std::shared_ptr<Database> database);
  static constexpr int32_t kStatMonth = tables::kHomeMonths.Position(tables::column::kStatMonth);
  static constexpr int32_t kStatStatus = tables::kHomeMonths.Position(tables::column::kStatStatus);

 protected:
  void CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) override;
};

// Residents of a home month (tbH_Residents). Saved in batches: the screen writes the month's
// residents when the user leaves it.
class LIResidents : public TableBusinessObject {
 public:
  explicit LIResidents(std::shared_ptr<Database> database);
  static constexpr int32_t kName = tables::kResidents.Position(tables::column::kResidentName);
  static constexpr int32_t kBirthDate = tables::kResidents.Position(tables::column::kBirthDate);
  static constexpr int32_t kAdmissionDate = tables::kResidents.Position(tables::column::kAdmissionDate);
  static constexpr int32_t kMonthlyFee = tables::kResidents.Position(tables::column::kMonthlyFee);
  static constexpr int32_t kFamilyGroup = tables::kResidents.Position(tables::column::kFamilyGroupsID);

 protected:
  void CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) override;
  void CheckRecord(std::span<const kw::Variant> values, RuleFindings& findings) override;
};

// The expense categories of a TRF type (tbHU_ExpenseCategories): the lookup table.
class LIExpenseCategories : public TableBusinessObject {
 public:
  explicit LIExpenseCategories(std::shared_ptr<Database> database);
};

// The expenses of a home month, one per category (tbH_MonthlyExpenses), made when the month is
// started (StartMonth).
class LIMonthlyExpenses : public TableBusinessObject {
 public:
  explicit LIMonthlyExpenses(std::shared_ptr<Database> database);
  static constexpr int32_t kCategory = tables::kMonthlyExpenses.Position(tables::column::kExpenseCategoriesID);
  static constexpr int32_t kAmount = tables::kMonthlyExpenses.Position(tables::column::kAmount);
};

// The kinds of mailing-fee assessment.
enum MailingFeeAssessment : int32_t {
  kAssessAllFees = 0,  // both the monthly mail-out fee and the annual mailing fee
  kAssessMMLOFee = 1,  // the monthly mail-out fee only
  kAssessAMFee = 2,    // the annual mailing fee only
  kClearMailingFees = 3,
};

// Where an assessment stands.
enum MailingFeeAssessState : int16_t { kAssessIdle = 0, kAssessPrepared = 1, kAssessDone = 2 };

// Family groups of a home (tbH_FamilyGroups) with the assessment of their mailing fees from the
// number of their residents in the home's active month.
class LIFamilyGroups : public TableBusinessObject, public kw::FamilyGroups {
 public:
  explicit LIFamilyGroups(std::shared_ptr<Database> database);
  std::string TypeName() const override { return TableBusinessObject::TypeName(); }
  static constexpr int32_t kGroupName = tables::kFamilyGroups.Position(tables::column::kGroupName);
  static constexpr int32_t kMailingAddress = tables::kFamilyGroups.Position(tables::column::kMailingAddress);
  static constexpr int32_t kMMLOFee = tables::kFamilyGroups.Position(tables::column::kMMLOFee);
  static constexpr int32_t kAMFee = tables::kFamilyGroups.Position(tables::column::kAMFee);

  // Monthly mail-out fee: a base per group and a part per resident; annual mailing fee per group.
  static constexpr double kMMLOBase = 1.50;
  static constexpr double kMMLOPerResident = 0.40;
  static constexpr double kAMFeePerGroup = 12.00;

  void SendOffValidation(bool sending_off) override { TableBusinessObject::SendOffValidation(sending_off); }
  // Counts the residents of every group in the home's active month.
  void AssessPrepare() override;
  // A MailingFeeAssessState.
  kw::Variant AssessState() override { return kw::Variant::Integer(state_); }
  // Writes the fees of every group by `assessment` (a MailingFeeAssessment) and runs each
  // group's rules; with `force_am_info_soft_rule` every group with an annual fee gets a notice
  // telling it, not only the groups whose fee changed.
  void AssessMMLOandAMMailingFees(int32_t assessment, bool force_am_info_soft_rule) override;

 protected:
  void CheckRecord(std::span<const kw::Variant> values, RuleFindings& findings) override;

 private:
  std::map<int64_t, int32_t> residents_by_group_;
  std::map<int64_t, double> am_fee_before_;
  bool force_am_info_ = false;
  int16_t state_ = kAssessIdle;
};

}  // namespace trf
