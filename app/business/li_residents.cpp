// Residents of a home month: fields and rules.

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"
#include "ui_shared/platform/dates.h"

namespace trf {

namespace {

// Above this monthly fee the user is asked whether the fee is right.
constexpr double kUnusualFee = 6000;
// Residents admitted younger than this are unusual in a home: the user is asked.
constexpr int32_t kAdultAge = 18;
// Residents older than this today are rare enough to ask whether the birth date is right.
constexpr int32_t kUnusualAge = 110;

}  // namespace

LIResidents::LIResidents(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database), ClassSpec{.class_enum = classes::kResidents,
                                                         .class_name = "LIResidents",
                                                         .table = &tables::kResidents,
                                                         .save_mode = kw::kSaveModeBatch,
                                                         .read_by_group = {tables::column::kHomeMonthlyStatsID,
                                                                           tables::column::kMonthlyFee}}) {}

void LIResidents::CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) {
  const kw::Variant& value = values[static_cast<size_t>(field)];
  if (value.IsNull()) return;
  if (field == kBirthDate - 1) {
    const double today = Today();
    if (value.ToDate() > today) {
      findings.Hard(field, kFieldLevel, 3101, "Birth date " + value.ToText() + " lies in the future.");
    } else if (const int32_t age = FullYears(value.ToDate(), today); age > kUnusualAge) {
      findings.Question(field, kFieldLevel, 3102,
                        "A resident born on " + value.ToText() + " would be " + std::to_string(age) +
                            " years old today. Is the birth date right?",
                        value);
    }
  } else if (field == kMonthlyFee - 1) {
    const double fee = value.ToDouble();
    if (fee > kUnusualFee) {
      findings.Question(field, kFieldLevel, 3121,
                        "A monthly fee of " + AmountText(fee) + " is unusually high. Is it right?", value,
                        "Fees above " + AmountText(kUnusualFee) + " are asked about once per value.");
    } else if (fee == 0) {
      findings.Notice(field, kFieldLevel, 3122, "No monthly fee is charged for this resident.", value);
    }
  }
}

void LIResidents::CheckRecord(std::span<const kw::Variant> values, RuleFindings& findings) {
  const kw::Variant& birth = values[kBirthDate - 1];
  const kw::Variant& admission = values[kAdmissionDate - 1];
  if (birth.IsNull()) return;
  if (admission.ToDate() < birth.ToDate()) {
    findings.Hard(kAdmissionDate - 1, kRecordLevel, 3111,
                  "Admission date " + admission.ToText() + " lies before the birth date " + birth.ToText() + ".");
    return;
  }
  const int32_t age = FullYears(birth.ToDate(), admission.ToDate());
  if (age < kAdultAge) {
    findings.Question(kBirthDate - 1, kRecordLevel, 3112,
                      values[kName - 1].ToText() + " was " + std::to_string(age) +
                          " years old at admission. Is the birth date right?",
                      kw::Variant::Long(age));
  }
}

}  // namespace trf
