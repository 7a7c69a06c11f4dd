// MainWindow: the view of a desktop session: a page per screen beside a navigation list, menus
// with the usual shortcuts (save, add, remove, undo and redo of single edits, revert, help on the
// focused field), the container's command bar as a tool bar, the month's problem list in a dock,
// and a status bar with the current home, month and problem count. The month's report is saved
// as a PDF, previewed and printed from the File menu. Every action is enabled from what the current screen allows now;
// a refusal is a dialog in words. The session does the work; the window only draws it.
#pragma once

#include <map>
#include <optional>
#include <string>

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QStackedWidget>

#include "app/desktop/command_toolbar.h"
#include "app/desktop/desktop_session.h"
#include "app/desktop/left_off.h"
#include "app/desktop/problems_panel.h"
#include "app/desktop/screen_page.h"
#include "app/desktop/send_off_dialog.h"
#include "app/screens/month_report.h"

namespace trf::desktop {

class MainWindow : public QMainWindow {
 public:
  // Draws `session`, which outlives the window, and shows its first screen.
  explicit MainWindow(DesktopSession& session);
  // Hears the session no more: an editor that loses the focus as the window goes still commits.
  ~MainWindow() override;

  // Shows the screen `name` as the navigation list does.
  void Go(const std::string& name);
  // Runs the send-off check with its progress dialog, which stays until the person closes it; a
  // month that passed is filed, and its report can be saved as a PDF from there.
  void FileReport();
  // Writes the current month's report as a PDF (a draft while the month does not pass) to a file
  // the person chooses.
  void SaveReportPdf();
  // The current month's report in a print preview, from which it can be printed.
  void PrintPreview();
  // Holds the live data of the current month against its filing and says what differs, field by field.
  void CompareWithFiling();
  // The month's problem list made afresh (or emptied while no month is chosen), and its count.
  void RefreshProblems();
  // Shows the screen of `problem` on its record, the focus on its field.
  void OpenProblem(const Problem& problem);
  // The about box: the program, the database in use, the screens.
  void About();
  // Help on the focused field: what it holds, whether it must be filled, and what is wrong with it.
  void FieldHelp();
  // File > Back up...: a copy of the database file, taken while other desks keep working.
  void BackUp();
  // Record > Field history: the changes of the focused field of the current record (of the whole
  // record when no field has the focus).
  void ShowHistory();
  // A click on TRF Setup's Reopen while the current month is filed: the person is asked why, and the
  // month reopened for that reason. False for any other click, which the command bar makes as usual.
  bool ReopenFiledMonth(const std::string& key);

  DesktopSession& Session() const { return session_; }
  ScreenPage* Page(const std::string& name) const;
  CommandToolbar* Commands() const { return commands_; }
  QListWidget* Navigation() const { return navigation_; }
  QString StatusText() const;
  ProblemsPanel* Problems() const { return problems_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Draws the frame around the current screen: its page, the navigation, title, actions, status.
  void Redraw();
  void BuildPages();
  void BuildMenusAndTools();
  // A refusal or failure in words, in a dialog titled `title` (by default "Not possible now").
  void ShowProblem(const QString& text, const QString& title = QString());
  // The report of the current month, or nothing (the person is told why) when it cannot be made.
  std::optional<MonthReport> CurrentReport();
  // Asks for the list to be made afresh once the current operation is over.
  void ProblemsDue();
  // The page of the current screen; nullptr before one is shown.
  ScreenPage* CurrentPage() const;
  // Hands what is typed in the current page's editors to its screen, as leaving them does.
  void CommitEdits();
  // Gives the keyboard focus to the field the screen made active (a record added: its first field).
  void FocusActiveField();

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
  ProblemsPanel* problems_ = nullptr;
  QLabel* problems_label_ = nullptr;
  // What the problem list was made for: it is made afresh when the month, its status or the
  // screen changes, and after a save.
  std::string problems_month_;
  int32_t problems_status_ = -1;
  bool had_unsaved_ = false;
  bool problems_due_ = false;
  SendOffDialog* send_off_ = nullptr;
  // Where the person is, as last kept in the settings for the next start.
  LeftOff kept_;
};

}  // namespace trf::desktop
