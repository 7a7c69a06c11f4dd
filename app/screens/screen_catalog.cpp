// The one place where the program's screens are registered with the host, one line per screen,
// in the order `help` lists them and send-off checks them.
#include "app/screens/home_screen.h"
#include "app/screens/expenses_screen.h"
#include "app/screens/families_screen.h"
#include "app/screens/screen_host.h"
#include "app/screens/notes_screen.h"
#include "app/screens/residents_screen.h"
#include "app/screens/setup_screen.h"

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
