// The one place where the program's screens are registered with the host, one line per screen,
// in the order `help` lists them and send-off checks them.
#include "app/home_screen.h"
#include "app/screen_expenses.h"
#include "app/screen_families.h"
#include "app/screen_host.h"
#include "app/screen_notes.h"
#include "app/screen_residents.h"
#include "app/trf_setup_screen.h"

namespace trf {

void RegisterScreens(ScreenHost& host) {
  host.Add(std::make_shared<HomeScreen>());
  host.Add(std::make_shared<TrfSetupScreen>());
  host.Add(std::make_shared<ResidentsScreen>());
  host.Add(std::make_shared<FamilyGroupsScreen>());
  host.Add(std::make_shared<MonthlyExpensesScreen>());
  host.Add(std::make_shared<NotesScreen>());
}

}  // namespace trf
