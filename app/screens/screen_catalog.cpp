// The one place where the application's screens are registered with the host, one line per screen,
// in the order front ends list them and send-off checks them.
#include "app/screens/expenses_screen.h"
#include "app/screens/families_screen.h"
#include "app/screens/home_screen.h"
#include "app/screens/notes_screen.h"
#include "app/screens/residents_screen.h"
#include "app/screens/screen_host.h"
#include "app/screens/setup_screen.h"

namespace trf {

void RegisterScreens(ScreenHost& host, const std::shared_ptr<Database>& database) {
  auto months = std::make_shared<MonthService>(database);
  host.UseMonths(months);
  host.Add(std::make_shared<HomeScreen>(database));
  host.Add(std::make_shared<TrfSetupScreen>(database, months));
  host.Add(std::make_shared<ResidentsScreen>(database));
  host.Add(std::make_shared<FamilyGroupsScreen>(database));
  host.Add(std::make_shared<MonthlyExpensesScreen>(database));
  host.Add(std::make_shared<NotesScreen>(database));
  host.SetDataReadOnly(database->ReadOnly());
}

}  // namespace trf
