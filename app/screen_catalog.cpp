// The one place where the program's screens are registered with the host, one line per screen,
// in the order `help` lists them and send-off checks them.
#include "app/home_screen.h"
#include "app/screen_host.h"
#include "app/trf_setup_screen.h"

namespace trf {

void RegisterScreens(ScreenHost& host) {
  host.Add(std::make_shared<HomeScreen>());
  host.Add(std::make_shared<TrfSetupScreen>());
}

}  // namespace trf
