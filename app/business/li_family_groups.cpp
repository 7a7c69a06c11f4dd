// Family groups of a home: fields, rules and the mailing-fee assessment.
#include <cmath>

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"

namespace trf {

LIFamilyGroups::LIFamilyGroups(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database),
                          ClassSpec{.class_enum = classes::kFamilyGroups,
                                    .class_name = "LIFamilyGroups",
                                    .table = &tables::kFamilyGroups,
                                    .read_by_group = {tables::column::kHomesID, tables::column::kGroupName}}) {}

void LIFamilyGroups::AssessPrepare() {
  residents_by_group_.clear();
  auto query = Connection().Prepare(
      "SELECT r.H_FamilyGroupsID, COUNT(*) FROM tbH_Residents r "
      "JOIN tbH_HomeMonthlyStats m ON m.H_HomeMonthlyStatsID = r.H_HomeMonthlyStatsID "
      "WHERE m.StatStatus = 1 AND r.H_FamilyGroupsID IS NOT NULL GROUP BY r.H_FamilyGroupsID");
  while (query->Step()) {
    residents_by_group_[static_cast<int64_t>(query->Column(0).ToDouble())] = query->Column(1).ToLong();
  }
  am_fee_before_.clear();
  for (int32_t position = 1; position <= Count(); ++position) {
    std::span<const kw::Variant> values = ValuesAt(position);
    am_fee_before_[KeyNumber(values[0])] = values[kAMFee - 1].IsNumber() ? values[kAMFee - 1].ToDouble() : 0.0;
  }
  state_ = kAssessPrepared;
}

void LIFamilyGroups::AssessMMLOandAMMailingFees(int32_t assessment, bool force_am_info_soft_rule) {
  if (assessment < kAssessAllFees || assessment > kClearMailingFees) {
    kw::Raise(kw::err::kInvalidCall, "KW_I.LIFamilyGroups",
              "Unknown mailing-fee assessment " + std::to_string(assessment) + ".");
  }
  if (state_ != kAssessPrepared) AssessPrepare();
  force_am_info_ = force_am_info_soft_rule;
  const kw::Variant current = CurrentIndex();
  for (int32_t position = 1; position <= Count(); ++position) {
    std::span<const kw::Variant> values = ValuesAt(position);
    const bool has_address = values[kMailingAddress - 1].IsText();
    const auto found = residents_by_group_.find(KeyNumber(values[0]));
    const int32_t residents = found == residents_by_group_.end() ? 0 : found->second;
    const bool clear = assessment == kClearMailingFees;
    if (assessment != kAssessAMFee) {
      const double fee = clear || !has_address ? 0.0 : kMMLOBase + kMMLOPerResident * residents;
      StoreValue(position, kMMLOFee, kw::Variant::Double(std::round(fee * 100) / 100));
    }
    if (assessment != kAssessMMLOFee) {
      const double fee = clear || !has_address || residents == 0 ? 0.0 : kAMFeePerGroup;
      StoreValue(position, kAMFee, kw::Variant::Double(fee));
    }
    CurrentIndex(kw::Variant::Long(position));
    Validate();
  }
  if (Count() > 0) CurrentIndex(current.ToLong() > 0 ? current : kw::Variant::Long(1));
  state_ = kAssessDone;
}

void LIFamilyGroups::CheckRecord(std::span<const kw::Variant> values, RuleFindings& findings) {
  const bool has_address = values[kMailingAddress - 1].IsText();
  const double mmlo = values[kMMLOFee - 1].IsNumber() ? values[kMMLOFee - 1].ToDouble() : 0.0;
  const double am = values[kAMFee - 1].IsNumber() ? values[kAMFee - 1].ToDouble() : 0.0;
  const std::string name = values[kGroupName - 1].ToText();
  if (!has_address && (mmlo > 0 || am > 0)) {
    findings.Hard(kMailingAddress - 1, kRecordLevel, 3401,
                  "The " + name + " is charged mailing fees but has no mailing address.");
  }
  const auto found = residents_by_group_.find(KeyNumber(values[0]));
  if (state_ != kAssessIdle && found == residents_by_group_.end() && has_address) {
    findings.Question(kGroupName - 1, kRecordLevel, 3402,
                      "The " + name + " has no resident in the active month. Keep it on the mailing list?",
                      values[kGroupName - 1]);
  }
  const auto before = am_fee_before_.find(KeyNumber(values[0]));
  const bool changed = before != am_fee_before_.end() && before->second != am;
  if (am > 0 && (force_am_info_ || changed)) {
    findings.Notice(kAMFee - 1, kRecordLevel, 3403,
                    "The " + name + " is charged an annual mailing fee of " + AmountText(am) + ".",
                    kw::Variant::Double(am));
  }
}

}  // namespace trf
