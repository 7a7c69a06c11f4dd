// The residents screen: its layout and the month's residents.
#include "app/screens/residents_screen.h"

#include "app/business/business_classes.h"
#include "app/data/class_numbers.h"
#include "app/siblings/siblings.h"
#include "ui_shared/platform/service.h"

namespace trf {

ResidentsScreen::ResidentsScreen()
    : RecordScreen("KW_UI01____FRM_H_Residents", "residents", "Residents", kw::icDependsOnMonth,
                   RecordScreenLayout{classes::kResidents,
                                      "H_ResidentsID",
                                      {{"H_ResidentName", "Name", 2400}, {"H_AdmissionDate", "Admitted", 1200}},
                                      {{"name", LIResidents::kName - 1},
                                       {"birthdate", LIResidents::kBirthDate - 1},
                                       {"admission", LIResidents::kAdmissionDate - 1},
                                       {"fee", LIResidents::kMonthlyFee - 1},
                                       {"family", LIResidents::kFamilyGroup - 1}},
                                      "(new resident)"}) {}

std::string ResidentsScreen::Help() const {
  return "Residents of the month: select <n>; set name|birthdate|admission|fee|family <value> (dates as 3/5/2004, "
         "family as a family group number); add; remove; save. Leaving the screen saves the month's residents.";
}

std::shared_ptr<TableBusinessObject> ResidentsScreen::LoadRecords() {
  auto residents = std::make_shared<LIResidents>(kw::Service<AppDatabase>::Get().database);
  residents->Load(ParentId(Shared()->CurrentH_HomeMonthlyStatsID()));
  return residents;
}

}  // namespace trf
