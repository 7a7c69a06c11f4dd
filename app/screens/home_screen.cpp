// The Our Home screen over LIHomes.
#include "app/screens/home_screen.h"

namespace trf {

HomeScreen::HomeScreen(const std::shared_ptr<Database>& database)
    : ListScreen(std::string(kw::kHomeFormKey), "home", "Our Home", kw::icIsHome, database) {}

void HomeScreen::OnLoad() {
  kw::SharedProcedures& shared = *Shared();
  shared.LVColumnInfo("H_HomeNum", "Number", 70);
  shared.LVColumnInfo("H_HomeName", "Home", 160, true);
  shared.LVColumnInfo("H_RegionCD", "Region", 60, true);
  BindList("H_HomesID", shared.LVColumnInfo("H_Capacity", "Beds", 50, true));
}

void HomeScreen::Reload() {
  records()->Load();
  Rebuild(Shared()->CurrentH_HomesID());
}

std::string HomeScreen::Purpose() const {
  return "Our Home: the homes. Selecting one makes it the current home; its months are on TRF Setup.";
}

void HomeScreen::SelectRow(int row) {
  const bool moved = list().Click(*Shared(), row);
  AnnounceSelection();
  if (!moved) return;
  kw::SharedProcedures& shared = *Shared();
  shared.CurrentH_HomesID(records()->Get("H_HomesID").ToText());
  shared.CurrentHomeNum(records()->Get("H_HomeNum").ToText());
  // A month belongs to its home: none is current until the user picks one of the new home.
  shared.CurrentH_HomeMonthlyStatsID("");
  shared.CurrentStatStatus(0);
  shared.CurrentHU_TrfTypesCD("");
  shared.CurrentTrfType("");
  shared.CurrentTRFDate(0);
  Say("current home: " + records()->Get("H_HomeNum").ToText() + " " + records()->Get("H_HomeName").ToText());
}

}  // namespace trf
