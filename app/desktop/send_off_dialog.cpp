// The progress and outcome of filing the report.
#include "app/desktop/send_off_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace trf::desktop {

SendOffDialog::SendOffDialog(int screens, std::function<void()> save_report, QWidget* parent) : QDialog(parent) {
  setObjectName("sendOff");
  setWindowTitle(tr("File the report"));
  setModal(true);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, screens);
  progress_->setFormat(tr("%v of %m screens"));
  progress_->setAccessibleName(tr("Screens checked"));
  log_ = new QListWidget(this);
  log_->setObjectName("sendOffLog");
  log_->setAccessibleName(tr("What each screen said"));
  result_ = new QLabel(tr("Checking every screen before the report is filed..."), this);
  result_->setObjectName("sendOffResult");
  result_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  close_ = buttons->button(QDialogButtonBox::Close);
  close_->setEnabled(false);
  close_->setAccessibleName(tr("Close"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
  save_report_ = buttons->addButton(tr("Save the report as &PDF..."), QDialogButtonBox::ActionRole);
  save_report_->setObjectName("saveReport");
  save_report_->setEnabled(false);
  connect(save_report_, &QPushButton::clicked, this, std::move(save_report));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(result_);
  layout->addWidget(progress_);
  layout->addWidget(log_, 1);
  layout->addWidget(buttons);
  resize(560, 360);
}

void SendOffDialog::Note(int position, const QString& text) {
  progress_->setValue(std::max(progress_->value(), position));
  log_->addItem(text);
  log_->scrollToBottom();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SendOffDialog::Stopped(int position, const QString& caption) {
  stopped_on_ = caption;
  stopped_at_ = position;
  log_->addItem(tr("Stopped on %1: it is shown with its messages").arg(caption));
}

void SendOffDialog::Finished(bool passed) {
  if (passed) {
    progress_->setValue(progress_->maximum());
    progress_->setFormat(tr("%v of %m screens checked: the month is filed"));
  } else if (stopped_at_ > 0) {
    // The bar stands at the screens that passed, and names the one that did not.
    progress_->setValue(stopped_at_ - 1);
    progress_->setFormat(tr("stopped on %1, screen %2 of %m").arg(stopped_on_).arg(stopped_at_));
  }
  save_report_->setEnabled(passed);
  result_->setText(passed ? tr("Every screen is ready: the month is filed.")
                          : tr("The report was not filed: %1 needs to be put right first.")
                                .arg(stopped_on_.isEmpty() ? tr("a screen") : stopped_on_));
  close_->setEnabled(true);
  close_->setDefault(true);
  close_->setFocus();
}

}  // namespace trf::desktop
