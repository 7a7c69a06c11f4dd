// DesktopWorld: the desktop program as a person meets it, for one test: a fresh sample database in
// a folder of its own, the session and its window shown and active; and what a person's hands do
// with it: choose the home and month, click a row, type into a field and leave it with Tab,
// press a key, use an action.
#pragma once

#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>

#include "app/desktop/main_window.h"
#include "dialog_answerer.h"

namespace trf::desktop {

class DesktopWorld {
 public:
  DesktopWorld();
  ~DesktopWorld();
  DesktopWorld(const DesktopWorld&) = delete;
  DesktopWorld& operator=(const DesktopWorld&) = delete;

  // Closes the window and the session, then opens the same database again, as a new start does;
  // `meanwhile` is what another program does to the file while the desktop is closed.
  void Reopen(const std::function<void(const std::string& path)>& meanwhile = {});
  // Whether the window is shown and active.
  bool Ready() const { return ready_; }

  // Home 1 (Maple House) and its March; then the screen `screen`, if given. `home_row` chooses
  // another home (0-based) and its last month instead.
  void ChooseMarch(const char* screen = nullptr, int home_row = 0);
  ScreenPage* Page(const std::string& name) const { return window->Page(name); }
  // The editor of a field of the current screen, as a line edit (nullptr for another kind).
  QLineEdit* Edit(const std::string& field) const;
  // The current screen's value of `field` as its record model holds it.
  QString Value(const std::string& field) const;
  // The field that wears the active colours; "" for none.
  std::string ActiveField() const;
  // The widget that has the keyboard focus in the window.
  QWidget* Focused() const { return window->focusWidget(); }
  QAction* Action(const char* name) const;
  void Trigger(const char* action);
  // The count of `sql`'s first row and column, from the database itself.
  int Count(const std::string& sql) const;
  // Where screenshots go (TRF_SCREENSHOTS, else the temporary folder).
  static QString Pictures();

  // Clicks row `row` of a list view (its view row).
  static void ClickRow(QTableView* list, int row);
  // Types `text` over the field's text and leaves it with Tab, as a person does.
  static void Type(QLineEdit* field, const QString& text);

  std::unique_ptr<QTemporaryDir> folder = std::make_unique<QTemporaryDir>();
  std::unique_ptr<DesktopSession> session;
  std::unique_ptr<MainWindow> window;

 private:
  void Open();
  bool ready_ = false;
};

// The base of every suite: a fresh world for each test, and a watchdog that ends a dialog no test
// answered (the test then fails instead of hanging).
class DesktopSuite : public QObject {
  Q_OBJECT

 protected slots:  // NOLINT(readability-redundant-access-specifiers): Qt's slots
  void init();
  void cleanup();

 protected:
  std::unique_ptr<DialogAnswerer> watchdog_;
  std::unique_ptr<DesktopWorld> world_;
};

}  // namespace trf::desktop
