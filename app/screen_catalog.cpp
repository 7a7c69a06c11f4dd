// The one place where the program's screens are registered with the host, one line per screen,
// in the order `help` lists them and send-off checks them.
#include "app/screen_expenses.h"
#include "app/screen_families.h"
#include "app/screen_host.h"
#include "app/screen_notes.h"
#include "app/screen_residents.h"

namespace trf {

void RegisterScreens(ScreenHost& host) {
  static_cast<void>(host);
  host.Add(std::make_shared<ResidentsScreen>());
  host.Add(std::make_shared<FamilyGroupsScreen>());
  host.Add(std::make_shared<MonthlyExpensesScreen>());
  host.Add(std::make_shared<NotesScreen>());
}

}  // namespace trf
