// MainWindow: the view of a desktop session: a page per screen beside a navigation list, menus
// with the usual shortcuts (save, add, remove, undo and redo of single edits, revert, help on the
// focused field), the container's command bar as a tool bar, and a status bar with the current
// home and month. Every action is enabled from what the current screen allows now; a refusal is
// a dialog in words. The session does the work; the window only draws it.
#pragma once

#include <map>
#include <string>

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QStackedWidget>

#include "app/desktop/command_toolbar.h"
#include "app/desktop/desktop_session.h"
#include "app/desktop/screen_page.h"
#include "app/desktop/send_off_dialog.h"

namespace trf::desktop {

class MainWindow : public QMainWindow {
 public:
  // Draws `session`, which outlives the window, and shows its first screen.
  explicit MainWindow(DesktopSession& session);
  // Hears the session no more: an editor that loses the focus as the window goes still commits.
  ~MainWindow() override;

  // Shows the screen `name` as the navigation list does.
  void Go(const std::string& name);
  // Runs the send-off check with its progress dialog, which stays until the person closes it.
  void FileReport();
  // The about box: the program, the database in use, the screens.
  void About();
  // Help on the focused field: what it holds, whether it must be filled, and what is wrong with it.
  void FieldHelp();

  DesktopSession& Session() const { return session_; }
  ScreenPage* Page(const std::string& name) const;
  CommandToolbar* Commands() const { return commands_; }
  QListWidget* Navigation() const { return navigation_; }
  QString StatusText() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Draws the frame around the current screen: its page, the navigation, title, actions, status.
  void Redraw();
  void BuildPages();
  void BuildMenusAndTools();
  void ShowProblem(const QString& text);

  DesktopSession& session_;
  QListWidget* navigation_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  std::map<std::string, ScreenPage*> pages_;
  CommandToolbar* commands_ = nullptr;
  QMenu* commands_menu_ = nullptr;
  // The actions enabled by what the screen allows, by the ScreenAllows member they follow.
  std::map<std::string, QAction*> allowed_;
  QLabel* home_label_ = nullptr;
  QLabel* month_label_ = nullptr;
  SendOffDialog* send_off_ = nullptr;
};

}  // namespace trf::desktop
