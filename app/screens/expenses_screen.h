// MonthlyExpensesScreen: the expenses of the current home month, one line per expense category
// of the month's TRF type, made when the month's TRF was started (see StartMonth); the user fills in
// the amounts. Showing the screen stores nothing.
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
  // The month's expense lines as stored.
  std::shared_ptr<TableBusinessObject> LoadRecords() override;
};

}  // namespace trf
