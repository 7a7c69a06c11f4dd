// DialogAnswerer: answers a test's modal dialogs in order by button caption; a watchdog rejects a dialog left
// unanswered, so that a hanging modal loop fails the test instead of blocking it.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace trf::desktop {

class DialogAnswerer {
 public:
  // `answers`: the caption of the button to press in each dialog ("Yes", "No", "OK", "Close").
  explicit DialogAnswerer(QStringList answers, int watchdog_ms = 5000);

  // What each dialog said, as it stood when it was answered: its title, then its heading (when it
  // has one), its message and its progress bar's state.
  const QStringList& Seen() const { return seen_; }
  // Answers not used yet.
  const QStringList& Left() const { return answers_; }
  // True when the watchdog had to end a dialog.
  bool Hung() const { return hung_; }

 private:
  void Look();

  QStringList answers_;
  QStringList seen_;
  QTimer poll_;
  QPointer<QWidget> current_;
  QElapsedTimer shown_for_;
  int watchdog_ms_;
  bool hung_ = false;
};

}  // namespace trf::desktop
