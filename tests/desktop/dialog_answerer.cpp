// Answering modal dialogs from a timer, with a watchdog.
#include "dialog_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

namespace trf::desktop {
namespace {

// The message of a dialog: a message box's text (and its informative text on the next line), else the labels named
// "heading" and "message", and a progress bar's state ("progress 2/6: ...").
QString MessageOf(QWidget* dialog) {
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
    return box->informativeText().isEmpty() ? box->text() : box->text() + "\n" + box->informativeText();
  }
  const auto* heading = dialog->findChild<QLabel*>("heading");
  const auto* label = dialog->findChild<QLabel*>("message");
  const auto* progress = dialog->findChild<QProgressBar*>();
  return (heading ? heading->text() + " | " : QString()) + (label ? label->text() : QString()) +
         (progress ? QStringLiteral("progress %1/%2: %3")
                         .arg(progress->value())
                         .arg(progress->maximum())
                         .arg(progress->text())
                   : QString());
}

}  // namespace

DialogAnswerer::DialogAnswerer(QStringList answers, int watchdog_ms)
    : answers_(std::move(answers)), watchdog_ms_(watchdog_ms) {
  QObject::connect(&poll_, &QTimer::timeout, [this] { Look(); });
  poll_.start(20);
}

void DialogAnswerer::Look() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  if (modal != current_) {
    current_ = modal;
    shown_for_.start();
    seen_ << modal->windowTitle() + ": " + MessageOf(modal);
  }
  if (!answers_.isEmpty()) {
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
      if (button->text().remove('&') != answers_.front() || !button->isEnabled() || !button->isVisible()) continue;
      answers_.pop_front();
      seen_.last() = modal->windowTitle() + ": " + MessageOf(modal);  // as it stood when it was answered
      button->click();
      return;
    }
  }
  if (shown_for_.elapsed() > watchdog_ms_) {
    hung_ = true;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }
}

}  // namespace trf::desktop
