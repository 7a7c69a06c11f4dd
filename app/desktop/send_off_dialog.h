// SendOffDialog: "File the report" as the person sees it: a bar that moves as each screen is
// checked, the screens' words as they come, and at the end whether the report may go or on which
// screen the check stopped.
#pragma once

#include <functional>

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace trf::desktop {

class SendOffDialog : public QDialog {
 public:
  // `screens`: how many screens the check goes through; `save_report` saves the filed month's
  // report, offered once the check passed.
  SendOffDialog(int screens, std::function<void()> save_report, QWidget* parent);

  // Screen number `position` (1-based) said `text`.
  void Note(int position, const QString& text);
  // The check stopped on screen number `position` (1-based), `caption`, which is shown to be put
  // right: the bar stays at the screens before it.
  void Stopped(int position, const QString& caption);
  QProgressBar* Progress() const { return progress_; }
  // The check is over; Close becomes available.
  void Finished(bool passed);

  const QString& StoppedOn() const { return stopped_on_; }

 private:
  QProgressBar* progress_;
  QListWidget* log_;
  QLabel* result_;
  QPushButton* close_;
  QPushButton* save_report_;
  QString stopped_on_;
  int stopped_at_ = 0;
};

}  // namespace trf::desktop
