// Where the person left off in a database: its home, its month and the screen last shown, kept in
// the program's settings (QSettings) for each database apart, so that the next start opens there.
#pragma once

#include <string>

#include "app/desktop/desktop_session.h"

namespace trf::desktop {

struct LeftOff {
  std::string home;    // the home's record key; "" for none
  std::string month;   // the month's record key; "" for none
  std::string screen;  // the short name of the screen shown; "" for none

  bool operator==(const LeftOff&) const = default;
};

// What the settings keep for the database at `database` (a path or a server's URI); nothing kept
// gives an empty place.
LeftOff Recall(const std::string& database);
// Keeps `place` for the database at `database`.
void Keep(const std::string& database, const LeftOff& place);
// Where `session` is now.
LeftOff PlaceOf(const DesktopSession& session);
// Shows `place` in `session`: chooses its home and its month as a person would (the home on Our
// Home, the month on TRF Setup), then shows its screen. Stops where a step cannot be taken (a home
// or month no longer there, a screen that refuses), and says whether it got all the way.
bool ReturnTo(DesktopSession& session, const LeftOff& place);

}  // namespace trf::desktop
