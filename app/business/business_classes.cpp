// Homes, home months, expense categories and monthly expenses: their fields and rules.
#include "app/business/business_classes.h"

#include "app/data/class_numbers.h"
#include "ui_shared/platform/dates.h"

namespace trf {

LIHomes::LIHomes(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database),
                          ClassSpec{.class_enum = classes::kHomes, .class_name = "LIHomes", .table = &tables::kHomes}) {
}

void LIHomes::CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) {
  if (field != kCapacity - 1) return;
  const int32_t capacity = values[kCapacity - 1].ToLong();
  if (capacity < 1) {
    findings.Hard(field, kFieldLevel, 3201, "A home must have room for at least one resident.");
  } else if (capacity > 200) {
    findings.Question(field, kFieldLevel, 3202,
                      "A capacity of " + std::to_string(capacity) + " residents is unusually large. Is it right?",
                      values[kCapacity - 1]);
  }
}

LIHomeMonths::LIHomeMonths(std::shared_ptr<Database> database)
    : TableBusinessObject(
          std::move(database),
          ClassSpec{.class_enum = classes::kHomeMonths, .class_name = "LIHomeMonths", .table = &tables::kHomeMonths}) {}

void LIHomeMonths::CheckField(int32_t field, std::span<const kw::Variant> values, RuleFindings& findings) {
  if (field == kStatStatus - 1) {
    const int32_t status = values[kStatStatus - 1].ToLong();
    if (status < 0 || status > 2) {
      findings.Hard(field, kFieldLevel, 3301, "Status " + std::to_string(status) + " is unknown.",
                    "0 = not started, 1 = active, 2 = sent off.");
    }
  } else if (field == kStatMonth - 1 && kw::dates::CivilOf(values[kStatMonth - 1].ToDate()).day != 1) {
    findings.Hard(field, kFieldLevel, 3302, "A month record is dated on the first day of its month.");
  }
}

LIExpenseCategories::LIExpenseCategories(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database), ClassSpec{.class_enum = classes::kExpenseCategories,
                                                         .class_name = "LIExpenseCategories",
                                                         .table = &tables::kExpenseCategories}) {}

LIMonthlyExpenses::LIMonthlyExpenses(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database), ClassSpec{.class_enum = classes::kMonthlyExpenses,
                                                         .class_name = "LIMonthlyExpenses",
                                                         .table = &tables::kMonthlyExpenses}) {}

}  // namespace trf
