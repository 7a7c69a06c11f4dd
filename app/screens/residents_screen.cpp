// The residents screen: its layout and the month's residents.
#include "app/screens/residents_screen.h"

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"

namespace trf {

ResidentsScreen::ResidentsScreen(std::shared_ptr<Database> database)
    : RecordScreen(
          "KW_UI01____FRM_H_Residents", "residents", "Residents", kw::icDependsOnMonth,
          RecordScreenLayout{
              .class_number = classes::kResidents, .table = &tables::kResidents, .new_entry_text = "(new resident)"},
          std::move(database)) {}

std::string ResidentsScreen::Purpose() const {
  return "Residents of the month (dates as 3/5/2004, the family group by its name). Leaving the screen saves the "
         "month's residents.";
}

std::shared_ptr<TableBusinessObject> ResidentsScreen::LoadRecords() {
  auto residents = std::make_shared<LIResidents>(Data());
  residents->Load(ParentId(Shared()->CurrentH_HomeMonthlyStatsID()));
  return residents;
}

}  // namespace trf
