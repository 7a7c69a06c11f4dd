// ResidentsScreen: the residents of the current home month, listed and edited on the record
// screen; their checks and saves are the library's, their rules the residents' own.
#pragma once

#include "app/screens/record_screen.h"

namespace trf {

class ResidentsScreen : public RecordScreen {
 public:
  explicit ResidentsScreen(std::shared_ptr<Database> database);
  std::string Purpose() const override;

 protected:
  std::shared_ptr<TableBusinessObject> LoadRecords() override;
};

}  // namespace trf
