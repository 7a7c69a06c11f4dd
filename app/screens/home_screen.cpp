// The Our Home screen over LIHomes.
#include "app/screens/home_screen.h"


namespace trf {

HomeScreen::HomeScreen(std::shared_ptr<Database> database)
    : ScreenForm(kHomeScreenKey, "home", "Our Home", kw::icIsHome), database_(std::move(database)) {}

void HomeScreen::OnLoad() {
  homes_ = std::make_shared<LIHomes>(database_);
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
  ScreenForm::Describe(view);
  list_->Describe(view);
  // The list keeps a row selected for its own sake; while no home is current none is shown selected.
  if (view.context.home_num.empty() && view.list) view.list->selected = -1;
}

std::string HomeScreen::Purpose() const {
  return "Our Home: the homes. Selecting one makes it the current home; its months are on TRF Setup.";
}

void HomeScreen::SelectRow(int row) {
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
