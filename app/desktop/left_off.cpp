// Keeping and finding again where the person left off.
#include "app/desktop/left_off.h"

#include <QCryptographicHash>
#include <QSettings>

namespace trf::desktop {
namespace {

// The settings group of one database: its name's digest, so that a path or a URI makes a key.
QString Group(const std::string& database) {
  const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(database), QCryptographicHash::Sha1);
  return QStringLiteral("places/") + QString::fromLatin1(digest.toHex().left(16));
}

// Selects, on the screen `screen`, the row of the record `key`; false when it has none.
bool Choose(DesktopSession& session, const std::string& screen, const std::string& key) {
  if (key.empty() || !session.Go(screen)) return false;
  const ScreenForm& shown = *session.Host().Current();
  for (int row = 0; row < shown.ListRows(); ++row)
    if (shown.ListKey(row) == key) return session.Run([row](ScreenForm& s) { s.SelectRow(row + 1); });
  return false;
}

}  // namespace

LeftOff Recall(const std::string& database) {
  QSettings settings;
  settings.beginGroup(Group(database));
  return LeftOff{.home = settings.value("home").toString().toStdString(),
                 .month = settings.value("month").toString().toStdString(),
                 .screen = settings.value("screen").toString().toStdString()};
}

void Keep(const std::string& database, const LeftOff& place) {
  QSettings settings;
  settings.beginGroup(Group(database));
  settings.setValue("database", QString::fromStdString(database));
  settings.setValue("home", QString::fromStdString(place.home));
  settings.setValue("month", QString::fromStdString(place.month));
  settings.setValue("screen", QString::fromStdString(place.screen));
}

LeftOff PlaceOf(const DesktopSession& session) {
  const ScreenContext& context = session.View().context;
  const ScreenForm* current = session.Host().Current();
  return LeftOff{.home = context.home_id, .month = context.month_id, .screen = current ? current->Name() : ""};
}

bool ReturnTo(DesktopSession& session, const LeftOff& place) {
  if (!Choose(session, "home", place.home)) return false;
  if (!place.month.empty() && !Choose(session, "setup", place.month)) return false;
  return place.screen.empty() || session.Go(place.screen);
}

}  // namespace trf::desktop
