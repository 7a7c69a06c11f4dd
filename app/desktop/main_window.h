// MainWindow: one desktop session of the TRF: the application's services and screens on a
// database, drawn as pages of a main window with a navigation list and menu, the container's
// command bar as a tool bar, the record actions, "File the report" and "About", and a status bar
// with the current home and month. It hears the screens' events and shows the feedback dialog;
// every operation ends by drawing the current screen again.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QStackedWidget>

#include "app/desktop/command_toolbar.h"
#include "app/desktop/qt_platform.h"
#include "app/desktop/screen_page.h"
#include "app/desktop/send_off_dialog.h"
#include "app/screens/screen_host.h"
#include "app/siblings/app_services.h"

namespace trf::desktop {

class MainWindow : public QMainWindow, public ScreenEvents {
 public:
  // Opens (or creates with its sample data) the database at `db_path` and shows the first screen.
  explicit MainWindow(const std::string& db_path);
  ~MainWindow() override;

  // Shows the screen `name` as the navigation list does.
  void Go(const std::string& name);
  // Runs the send-off check with its progress dialog, which stays until the person closes it.
  void FileReport();
  // The about box: the program, the database in use, the screens.
  void About();
  // File > Back up...: a copy of the database file, taken while other desks keep working.
  void BackUp();
  // Record > Field history: the changes of the focused field of the current record (of the whole
  // record when no field has the focus).
  void ShowHistory();
  // A click on TRF Setup's Reopen while the current month is filed: the person is asked why, and the
  // month reopened for that reason. False for any other click, which the command bar makes as usual.
  bool ReopenFiledMonth(const std::string& key);

  ScreenHost& Host() const { return *host_; }
  ScreenPage* Page(const std::string& name) const;
  CommandToolbar* Commands() const { return commands_; }
  QListWidget* Navigation() const { return navigation_; }
  QString StatusText() const;

  // ---- ScreenEvents ----
  void Notice(const ScreenForm& screen, const std::string& text) override;
  void Stayed(const ScreenForm& screen) override;
  void Redirected(const std::string& form_key, const ScreenForm* target) override;
  void CouldNotOpen(const ScreenForm& target) override;
  void SendOffStopped(const ScreenForm& screen) override;
  void SendOffResult(bool passed) override;
  void Busy(bool busy) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs `operation` on the current screen through its refusal path; a refusal becomes a dialog in
  // words. The screen is drawn again afterwards.
  void Run(const std::function<void(ScreenForm&)>& operation);
  void Refresh();
  void BuildPages();
  void BuildMenusAndTools();
  void ShowProblem(const QString& title, const QString& text);
  int Position(const ScreenForm& screen) const;

  std::string db_path_;
  QtPlatform platform_;
  AppServices services_;
  std::unique_ptr<ScreenHost> host_;
  QListWidget* navigation_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  std::map<std::string, ScreenPage*> pages_;
  CommandToolbar* commands_ = nullptr;
  QMenu* commands_menu_ = nullptr;
  QList<QAction*> record_actions_;
  QLabel* home_label_ = nullptr;
  QLabel* month_label_ = nullptr;
  SendOffDialog* send_off_ = nullptr;
  bool busy_ = false;
};

}  // namespace trf::desktop
