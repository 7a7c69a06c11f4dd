// Homes, home months, expense categories and monthly expenses: their fields and rules.
#include "app/business/business_classes.h"

#include "app/data/class_numbers.h"
#include "ui_shared/platform/dates.h"

namespace trf {

LIHomes::LIHomes(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database), ClassSpec{classes::kHomes,
                                                         "LIHomes",
                                                         "tbH_Homes",
                                                         {{"H_HomesID", FieldKind::Key, "Home"},
                                                          {"H_RegionCD", FieldKind::Text, "Region"},
                                                          {"H_HomeNum", FieldKind::Text, "Home number", true},
                                                          {"H_HomeName", FieldKind::Text, "Home name", true},
                                                          {"H_Capacity", FieldKind::Integer, "Capacity", true}},
                                                         0,
                                                         {{"tbH_HomeMonthlyStats", "H_HomesID", "month records"},
                                                          {"tbH_FamilyGroups", "H_HomesID", "family groups"}}}) {}

void LIHomes::CheckField(int32_t field, const std::vector<kw::Variant>& values, RuleFindings& findings) {
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
          ClassSpec{classes::kHomeMonths,
                    "LIHomeMonths",
                    "tbH_HomeMonthlyStats",
                    {{"H_HomeMonthlyStatsID", FieldKind::Key, "Month record"},
                     {"H_HomesID", FieldKind::Reference, "Home", true, "tbH_Homes", "H_HomesID"},
                     {"H_StatMonth", FieldKind::Date, "Month", true},
                     {"HU_TrfTypesCD", FieldKind::Text, "TRF type", true, "tbHU_TrfTypes", "HU_TrfTypesCD"},
                     {"StatStatus", FieldKind::Integer, "Status", true}},
                    0,
                    {{"tbH_Residents", "H_HomeMonthlyStatsID", "residents"},
                     {"tbH_MonthlyExpenses", "H_HomeMonthlyStatsID", "monthly expenses"},
                     {"tbH_MonthlyNotes", "H_HomeMonthlyStatsID", "monthly notes"}}}) {}

void LIHomeMonths::CheckField(int32_t field, const std::vector<kw::Variant>& values, RuleFindings& findings) {
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
    : TableBusinessObject(
          std::move(database),
          ClassSpec{classes::kExpenseCategories,
                    "LIExpenseCategories",
                    "tbHU_ExpenseCategories",
                    {{"HU_ExpenseCategoriesID", FieldKind::Key, "Category"},
                     {"HU_TrfTypesCD", FieldKind::Text, "TRF type", true, "tbHU_TrfTypes", "HU_TrfTypesCD"},
                     {"HU_CategoryName", FieldKind::Text, "Category name", true}},
                    0,
                    {{"tbH_MonthlyExpenses", "HU_ExpenseCategoriesID", "monthly expenses"}}}) {}

LIMonthlyExpenses::LIMonthlyExpenses(std::shared_ptr<Database> database)
    : TableBusinessObject(std::move(database), ClassSpec{classes::kMonthlyExpenses,
                                                         "LIMonthlyExpenses",
                                                         "tbH_MonthlyExpenses",
                                                         {{"H_MonthlyExpensesID", FieldKind::Key, "Expense"},
                                                          {"H_HomeMonthlyStatsID", FieldKind::Reference, "Month record",
                                                           true, "tbH_HomeMonthlyStats", "H_HomeMonthlyStatsID"},
                                                          {"HU_ExpenseCategoriesID", FieldKind::Reference, "Category",
                                                           true, "tbHU_ExpenseCategories", "HU_ExpenseCategoriesID"},
                                                          {"H_Amount", FieldKind::Money, "Amount"}},
                                                         0}) {}

}  // namespace trf
