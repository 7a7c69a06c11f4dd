// The month's problem list as a dock beside the screens.
#include "app/desktop/problems_panel.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/desktop/standing_icons.h"

namespace trf::desktop {
namespace {

enum Column { kScreen, kRecord, kField, kWhat, kMessage, kColumns };

// "error 2101", "question 2105", "question 2105 (accepted)" or "question 4 from the region".
QString KindText(const Problem& problem) {
  if (problem.region_question != 0) return QObject::tr("question %1 from the region").arg(problem.region_question);
  if (problem.hard) return QObject::tr("error %1").arg(problem.rule);
  return problem.accepted ? QObject::tr("question %1 (accepted)").arg(problem.rule)
                          : QObject::tr("question %1").arg(problem.rule);
}

}  // namespace

ProblemsPanel::ProblemsPanel(std::function<void(const Problem&)> open, QWidget* parent)
    : QDockWidget(tr("Problems"), parent), open_(std::move(open)) {
  setObjectName("problems");
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  auto* body = new QWidget(this);
  summary_ = new QLabel(tr("Choose a home and a month: what stands in the way of filing it shows here."), body);
  summary_->setObjectName("problemsSummary");
  summary_->setWordWrap(true);
  entries_ = new QTreeWidget(body);
  entries_->setObjectName("problemList");
  entries_->setAccessibleName(tr("Problems of the month"));
  entries_->setRootIsDecorated(false);
  entries_->setAlternatingRowColors(true);
  entries_->setColumnCount(kColumns);
  entries_->setHeaderLabels({tr("Screen"), tr("Record"), tr("Field"), tr("What"), tr("Message")});
  entries_->header()->setStretchLastSection(true);
  connect(entries_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { OpenEntry(item); });
  auto* reply = new QAction(tr("&Reply to the region..."), entries_);
  reply->setObjectName("replyToRegion");
  reply->setShortcut(QKeySequence(Qt::Key_R));
  reply->setShortcutContext(Qt::WidgetShortcut);
  connect(reply, &QAction::triggered, this, [this] { ReplyToCurrent(); });
  entries_->addAction(reply);
  entries_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(summary_);
  layout->addWidget(entries_, 1);
  setWidget(body);
}

void ProblemsPanel::Show(std::vector<Problem> problems) {
  problems_ = std::move(problems);
  shown_ = true;
  entries_->clear();
  for (size_t i = 0; i < problems_.size(); ++i) {
    const Problem& problem = problems_[i];
    auto* item = new QTreeWidgetItem(entries_);
    item->setText(kScreen, QString::fromStdString(problem.screen));
    item->setText(kRecord, QString::fromStdString(problem.record));
    item->setText(kField, QString::fromStdString(problem.field));
    item->setText(kWhat, KindText(problem));
    item->setText(kMessage, QString::fromStdString(problem.message));
    item->setToolTip(kMessage, QString::fromStdString(problem.message));
    item->setData(kScreen, Qt::UserRole, static_cast<int>(i));
    const bool standing = problem.hard || !problem.accepted;
    if (problem.region_question != 0)
      item->setToolTip(kWhat, tr("Press R to reply in words, or reopen the month, put it right and file it again"));
    if (!standing) {
      for (int column = 0; column < kColumns; ++column) item->setForeground(column, palette().placeholderText());
    }
    item->setIcon(kScreen, StandingIcon(StandingOf(problem)));
  }
  for (int column = 0; column < kMessage; ++column) entries_->resizeColumnToContents(column);
  summary_->setText(Open() == 0 ? tr("Nothing stands in the way of filing the month.")
                                : tr("%1 standing in the way of filing the month. Double-click one (or press "
                                     "Enter) to go to its record.")
                                      .arg(CountText()));
}

void ProblemsPanel::Failed(const QString& why) {
  problems_.clear();
  shown_ = false;
  entries_->clear();
  summary_->setText(tr("The problem list could not be made: %1").arg(why));
}

void ProblemsPanel::Clear() {
  problems_.clear();
  shown_ = false;
  entries_->clear();
  summary_->setText(tr("Choose a home and a month: what stands in the way of filing it shows here."));
}

int ProblemsPanel::Open() const {
  return static_cast<int>(
      std::ranges::count_if(problems_, [](const Problem& problem) { return problem.StandsInTheWay(); }));
}

QString ProblemsPanel::CountText() const {
  if (!shown_) return {};
  const int open = Open();
  if (open == 0) return tr("No problems");
  return open == 1 ? tr("1 problem") : tr("%1 problems").arg(open);
}

void ProblemsPanel::ReplyToCurrent() {
  QTreeWidgetItem* item = entries_->currentItem();
  if (!item || !reply_) return;
  const int index = item->data(kScreen, Qt::UserRole).toInt();
  if (index < 0 || static_cast<size_t>(index) >= problems_.size()) return;
  const Problem picked = problems_[static_cast<size_t>(index)];
  if (picked.region_question == 0) return;
  bool given = false;
  const QString text = QInputDialog::getText(this, tr("Reply to the region"),
                                             tr("Question %1: %2\n\nYour reply, kept on record with your name and the "
                                                "time:")
                                                 .arg(picked.region_question)
                                                 .arg(QString::fromStdString(picked.message)),
                                             QLineEdit::Normal, QString(), &given);
  if (!given) return;
  const std::string refused = reply_(picked.region_question, text.toStdString());
  if (!refused.empty()) QMessageBox::warning(this, tr("No reply"), QString::fromStdString(refused));
}

void ProblemsPanel::OpenEntry(QTreeWidgetItem* item) {
  if (!item) return;
  const int index = item->data(kScreen, Qt::UserRole).toInt();
  if (index < 0 || static_cast<size_t>(index) >= problems_.size()) return;
  const Problem picked = problems_[static_cast<size_t>(index)];  // the list may be made afresh meanwhile
  open_(picked);
}

}  // namespace trf::desktop
