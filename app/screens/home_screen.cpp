// The Our Home screen over LIHomes.
#include "app/screens/home_screen.h"

#include "app/siblings/siblings.h"
#include "ui_shared/platform/service.h"

namespace trf {

HomeScreen::HomeScreen() : ScreenForm(kHomeScreenKey, "home", "Our Home", kw::icIsHome) {}

void HomeScreen::OnLoad() {
  homes_ = std::make_shared<LIHomes>(kw::Service<AppDatabase>::Get().database);
  kw::SharedProcedures& shared = *Shared();
  shared.LVColumnInfo("H_HomeNum", "Number", 70);
  shared.LVColumnInfo("H_HomeName", "Home", 160, true);
  shared.LVColumnInfo("H_RegionCD", "Region", 60, true);
  list_ = std::make_unique<BoundList>(homes_, "H_HomesID", shared.LVColumnInfo("H_Capacity", "Beds", 50, true));
}

void HomeScreen::Reload() {
  homes_->Load();
  list_->Build(*Shared(), Shared()->CurrentH_HomesID());
}

void HomeScreen::Describe(ScreenView& view) {
  const std::string home = Shared()->CurrentHomeNum();
  view.lines.push_back(home.empty() ? "No home selected: select one of the homes below."
                                    : "Current home: " + home);
  list_->Describe(view);
}

std::string HomeScreen::Help() const {
  return "Our Home: the homes. select <n> makes home n the current home; then go setup to pick its month.";
}

void HomeScreen::Select(int row) {
  if (!list_->Click(*Shared(), row)) return;
  kw::SharedProcedures& shared = *Shared();
  shared.CurrentH_HomesID(homes_->Get("H_HomesID").ToText());
  shared.CurrentHomeNum(homes_->Get("H_HomeNum").ToText());
  // A month belongs to its home: none is current until the user picks one of the new home.
  shared.CurrentH_HomeMonthlyStatsID("");
  shared.CurrentStatStatus(0);
  shared.CurrentHU_TrfTypesCD("");
  shared.CurrentTrfType("");
  shared.CurrentTRFDate(0);
  Say("current home: " + homes_->Get("H_HomeNum").ToText() + " " + homes_->Get("H_HomeName").ToText());
}

}  // namespace trf
