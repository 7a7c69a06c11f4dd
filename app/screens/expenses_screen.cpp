// The monthly-expenses screen: the month's lines completed from the expense categories.
#include "app/screens/expenses_screen.h"

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"

namespace trf {
namespace {

// Property numbers (field number - 1) that tie an expense line to its category.
constexpr int16_t kCategoryKeyProperty = 0;
constexpr int16_t kExpenseCategoryProperty = LIMonthlyExpenses::kCategory - 1;
constexpr int32_t kCategoryNamePosition = 3;

}  // namespace

MonthlyExpensesScreen::MonthlyExpensesScreen(std::shared_ptr<Database> database)
    : RecordScreen("KW_UI01____FRM_H_MonthlyExpenses", "expenses", "Monthly Expenses", kw::icDependsOnMonth,
                   RecordScreenLayout{classes::kMonthlyExpenses,
                                      "H_MonthlyExpensesID",
                                      {{"HU_ExpenseCategoriesID", "Category", 1800}},
                                      {{"amount", LIMonthlyExpenses::kAmount - 1}},
                                      ""},
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
  const int32_t before = expenses->Count();
  Shared()->CheckTableEntries(categories_, kCategoryKeyProperty, expenses, kExpenseCategoryProperty,
                              kw::icDependsOnMonth, 0);
  if (expenses->Count() > before) {
    Say("completed from the expense categories: " + std::to_string(expenses->Count() - before) +
        " line(s) added for categories the month lacked");
  }
  return expenses;
}

std::string MonthlyExpensesScreen::CategoryName(const std::string& id) const {
  for (int32_t position = 1; position <= categories_->Count(); ++position) {
    const kw::Variant index = kw::Variant::Long(position);
    if (categories_->FieldValueAt(index, 1).ToText() == id)
      return categories_->FieldValueAt(index, kCategoryNamePosition).ToText();
  }
  return id;
}

void MonthlyExpensesScreen::Describe(ScreenView& view) {
  RecordScreen::Describe(view);
  for (auto& row : view.list->rows)
    if (!row.empty()) row[0] = CategoryName(row[0]);
}

void MonthlyExpensesScreen::AddRecord() {
  throw ScreenRefusal("the expense lines follow the expense categories: there is one per category");
}

void MonthlyExpensesScreen::RemoveRecord() {
  throw ScreenRefusal("the expense lines follow the expense categories: there is one per category");
}

}  // namespace trf
