// The monthly-expenses screen: the month's lines, one per expense category, as stored.
#include "app/screens/expenses_screen.h"

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"

namespace trf {

MonthlyExpensesScreen::MonthlyExpensesScreen(std::shared_ptr<Database> database)
    : RecordScreen(
          "KW_UI01____FRM_H_MonthlyExpenses", "expenses", "Monthly Expenses", kw::icDependsOnMonth,
          RecordScreenLayout{
              .class_number = classes::kMonthlyExpenses, .table = &tables::kMonthlyExpenses, .adds_records = false},
          std::move(database)) {}

std::string MonthlyExpensesScreen::Purpose() const {
  return "Expenses of the month, one line per expense category (the lines are made when the month's TRF is "
         "started).";
}

std::shared_ptr<TableBusinessObject> MonthlyExpensesScreen::LoadRecords() {
  auto expenses = std::make_shared<LIMonthlyExpenses>(Data());
  expenses->Load(ParentId(Shared()->CurrentH_HomeMonthlyStatsID()));
  return expenses;
}

void MonthlyExpensesScreen::AddRecord() {
  throw ScreenRefusal("the expense lines follow the expense categories: there is one per category");
}

void MonthlyExpensesScreen::RemoveRecord() {
  throw ScreenRefusal("the expense lines follow the expense categories: there is one per category");
}

}  // namespace trf
