// The monthly-expenses screen: the month's lines completed from the expense categories.
#include "app/screens/expenses_screen.h"

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"

namespace trf {
namespace {

// Property numbers (field number - 1) that tie an expense line to its category.
constexpr int16_t kCategoryKeyProperty = 0;
constexpr int16_t kExpenseCategoryProperty = LIMonthlyExpenses::kCategory - 1;

}  // namespace

MonthlyExpensesScreen::MonthlyExpensesScreen(std::shared_ptr<Database> database)
    : RecordScreen(
          "KW_UI01____FRM_H_MonthlyExpenses", "expenses", "Monthly Expenses", kw::icDependsOnMonth,
          RecordScreenLayout{
              .class_number = classes::kMonthlyExpenses, .table = &tables::kMonthlyExpenses, .adds_records = false},
          std::move(database)) {}

std::string MonthlyExpensesScreen::Purpose() const {
  return "Expenses of the month, one line per expense category (completed from the categories each time the screen "
         "is shown).";
}

std::shared_ptr<TableBusinessObject> MonthlyExpensesScreen::LoadRecords() {
  const std::shared_ptr<Database>& database = Data();
  categories_ = std::make_shared<LIExpenseCategories>(database);
  const std::string trf_type = Shared()->CurrentHU_TrfTypesCD();
  categories_->Load(trf_type.empty() ? kw::Variant() : kw::Variant::Text(trf_type));
  auto expenses = std::make_shared<LIMonthlyExpenses>(database);
  expenses->Load(ParentId(Shared()->CurrentH_HomeMonthlyStatsID()));
  // Completing the lines stores them: a database open to look at shows the stored lines alone.
  if (database->ReadOnly()) return expenses;
  const int32_t before = expenses->Count();
  Shared()->CheckTableEntries(categories_, kCategoryKeyProperty, expenses, kExpenseCategoryProperty,
                              kw::icDependsOnMonth, 0);
  if (expenses->Count() > before) {
    Say("completed from the expense categories: " + std::to_string(expenses->Count() - before) +
        " line(s) added for categories the month lacked");
  }
  return expenses;
}

void MonthlyExpensesScreen::AddRecord() {
  throw ScreenRefusal("the expense lines follow the expense categories: there is one per category");
}

void MonthlyExpensesScreen::RemoveRecord() {
  throw ScreenRefusal("the expense lines follow the expense categories: there is one per category");
}

}  // namespace trf
