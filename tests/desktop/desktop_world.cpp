// The desktop program on a fresh database, and a person's hands on it.
#include "desktop_world.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTest>

namespace trf::desktop {

DesktopWorld::DesktopWorld() {
  // The program's settings (window places, where the person left off) live in the world's folder.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
  Open();
}

DesktopWorld::~DesktopWorld() {
  window.reset();
  session.reset();
}

void DesktopWorld::Open() {
  session = std::make_unique<DesktopSession>(folder->filePath("trf.db").toStdString(), Access::kReadWrite,
                                             QApplication::palette());
  window = std::make_unique<MainWindow>(*session);
  window->resize(1040, 720);
  window->show();
  window->activateWindow();
  ready_ = QTest::qWaitForWindowActive(window.get());
}

void DesktopWorld::Reopen(const std::function<void(const std::string& path)>& meanwhile) {
  window->close();
  window.reset();
  session.reset();
  if (meanwhile) meanwhile(folder->filePath("trf.db").toStdString());
  Open();
}

void DesktopWorld::ChooseMarch(const char* screen, int home_row) {
  window->Go("home");
  ClickRow(Page("home")->List(), home_row);
  window->Go("setup");
  QTableView* months = Page("setup")->List();
  ClickRow(months, months->model()->rowCount() - 1);
  if (screen) window->Go(screen);
}

QLineEdit* DesktopWorld::Edit(const std::string& field) const {
  const ScreenForm* current = session->Host().Current();
  return current ? qobject_cast<QLineEdit*>(Page(current->Name())->Field(field)) : nullptr;
}

QString DesktopWorld::Value(const std::string& field) const {
  const RecordModel* record = session->Record(session->Host().Current()->Name());
  const int column = record ? record->Column(field) : -1;
  return column < 0 ? QString() : QString::fromStdString(record->Field(column).value);
}

std::string DesktopWorld::ActiveField() const {
  const RecordModel* record = session->Record(session->Host().Current()->Name());
  const ScreenField* active = record ? record->Active() : nullptr;
  return active ? active->name : std::string();
}

QAction* DesktopWorld::Action(const char* name) const { return window->findChild<QAction*>(name); }

void DesktopWorld::Trigger(const char* action) {
  QAction* found = Action(action);
  QVERIFY2(found, action);
  found->trigger();
}

int DesktopWorld::Count(const std::string& sql) const {
  auto query = session->Services().database()->Prepare(sql);
  return query->Step() ? query->Column(0).ToLong() : 0;
}

QString DesktopWorld::Pictures() {
  const QString folder = qEnvironmentVariable("TRF_SCREENSHOTS", QDir::tempPath());
  QDir().mkpath(folder);
  return folder;
}

void DesktopWorld::ClickRow(QTableView* list, int row) {
  const QRect place = list->visualRect(list->model()->index(row, list->model()->columnCount() - 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
  QCOMPARE(list->currentIndex().row(), row);
}

void DesktopSuite::init() {
  watchdog_ = std::make_unique<DialogAnswerer>(QStringList(), 3000);
  world_ = std::make_unique<DesktopWorld>();
  QVERIFY2(world_->Ready(), "the window did not become active");
}

void DesktopSuite::cleanup() {
  world_.reset();
  const bool hung = watchdog_->Hung();
  watchdog_.reset();
  QVERIFY2(!hung, "a dialog that no test answered was ended by the watchdog");
}

void DesktopWorld::Type(QLineEdit* field, const QString& text) {
  QVERIFY(field);
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Tab);
}

}  // namespace trf::desktop
