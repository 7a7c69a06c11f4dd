// The Our Home screen over LIHomes.
#include "app/screens/home_screen.h"

namespace trf {

namespace column = tables::column;

HomeScreen::HomeScreen(const std::shared_ptr<Database>& database)
    : ListScreen(std::string(kw::kHomeFormKey), "home", "Our Home", kw::icIsHome, database) {}

void HomeScreen::OnLoad() {
  kw::SharedProcedures& shared = *Shared();
  shared.LVColumnInfo(column::kHomeNum, "Number", 70);
  shared.LVColumnInfo(column::kHomeName, "Home", 160, true);
  shared.LVColumnInfo(column::kRegionCD, "Region", 60, true);
  BindList(column::kHomesID, shared.LVColumnInfo(column::kCapacity, "Beds", 50, true));
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
  shared.CurrentH_HomesID(records()->Get(column::kHomesID).ToText());
  shared.CurrentHomeNum(records()->Get(column::kHomeNum).ToText());
  // A month belongs to its home: none is current until the user picks one of the new home.
  shared.CurrentH_HomeMonthlyStatsID("");
  shared.CurrentStatStatus(0);
  shared.CurrentHU_TrfTypesCD("");
  shared.CurrentTrfType("");
  shared.CurrentTRFDate(0);
  Say("current home: " + records()->Get(column::kHomeNum).ToText() + " " + records()->Get(column::kHomeName).ToText());
}

}  // namespace trf
