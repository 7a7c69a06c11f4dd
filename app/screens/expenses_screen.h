// MonthlyExpensesScreen: the expenses of the current home month, one line per expense category
// of the month's TRF type. Each time the screen is shown, CheckTableEntries completes the month's
// lines from the categories, so that a category the month lacks gets its line; the user fills in
// the amounts.
#pragma once

#include <memory>
#include <string>

#include "app/screens/record_screen.h"

namespace trf {

class MonthlyExpensesScreen : public RecordScreen {
 public:
  explicit MonthlyExpensesScreen(std::shared_ptr<Database> database);
  std::string Purpose() const override;
  // The lines follow the categories: none is added or removed by hand.
  void AddRecord() override;
  void RemoveRecord() override;

 protected:
  // The month's expense lines, completed from the categories.
  std::shared_ptr<TableBusinessObject> LoadRecords() override;

 private:
  std::shared_ptr<TableBusinessObject> categories_;
};

}  // namespace trf
