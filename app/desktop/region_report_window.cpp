// A filed month's report as the region opens it, with its questions.
#include "app/desktop/region_report_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/business/question_history.h"
#include "app/business/question_subject.h"
#include "app/report_pdf/report_pdf.h"

namespace trf::desktop {

namespace {

// What a record tree's item stands for: its table's name, its record's key and name, its field's caption.
enum Role { kTable = Qt::UserRole, kKey, kRecord, kField };

}  // namespace

RegionReportWindow::RegionReportWindow(std::shared_ptr<Database> database, RegionFiling filing, int64_t month_id,
                                       QWidget* parent)
    : QDialog(parent), database_(std::move(database)), filing_(std::move(filing)), report_(filing_.Report()),
      month_id_(month_id), printer_(QPrinter::HighResolution) {
  setObjectName("regionReport");
  setWindowTitle(tr("%1 %2, %3: the filed report")
                     .arg(QString::fromStdString(report_.home_number), QString::fromStdString(report_.home_name),
                          QString::fromStdString(ReportMonthText(report_))));
  const bool holds = filing_.DigestHolds();
  auto* facts = new QLabel(
      tr("Filed by %1 on %2%3. %4")
          .arg(QString::fromStdString(filing_.filing.filed_by),
               QString::fromStdString(StampText(filing_.filing.filed_at)),
               filing_.imported   ? tr(", sent from the home's own file")
               : filing_.reopened ? tr(", reopened since")
                                  : QString(),
               holds ? tr("Its report matches its digest %1.").arg(QString::fromStdString(filing_.filing.report_digest))
                     : tr("Its report does NOT match its digest: it was changed after filing.")),
      this);
  facts->setObjectName("filingFacts");
  facts->setWordWrap(true);
  printer_.setFullPage(true);
  printer_.setDocName(QString::fromStdString("TRF " + report_.home_number + " " + ReportMonthText(report_)));
  preview_ = new QPrintPreviewWidget(&printer_, this);
  preview_->setObjectName("reportPreview");
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* device) {
    device->setFullPage(true);
    PaintMonthReport(report_, *device);
  });
  records_ = new QTreeWidget(this);
  records_->setObjectName("reportRecords");
  records_->setAccessibleName(tr("The report's records and fields"));
  records_->setHeaderLabels({tr("Record or field"), tr("As filed")});
  questions_ = new QTreeWidget(this);
  questions_->setObjectName("monthQuestions");
  questions_->setAccessibleName(tr("The month's questions"));
  questions_->setHeaderLabels({tr("Question"), tr("About"), tr("Where it stands")});
  ask_ = new QPushButton(tr("&Ask about the selection..."), this);
  ask_->setObjectName("ask");
  ask_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  ask_->setEnabled(month_id_ != 0 && !filing_.reopened);
  ask_->setToolTip(month_id_ == 0 ? tr("A month filed on a home's own file takes no questions here")
                                  : tr("A question about the selected record or field, or the month (Ctrl+Q)"));
  close_ = new QPushButton(tr("&Close the question..."), this);
  close_->setObjectName("closeQuestion");
  auto* print = new QPushButton(tr("&Print..."), this);
  print->setObjectName("print");
  connect(ask_, &QPushButton::clicked, this, [this] { AskAboutSelection(); });
  connect(close_, &QPushButton::clicked, this, [this] { CloseSelectedQuestion(); });
  connect(print, &QPushButton::clicked, preview_, &QPrintPreviewWidget::print);

  auto* left = new QWidget(this);
  auto* left_layout = new QVBoxLayout(left);
  left_layout->addWidget(records_, 3);
  left_layout->addWidget(questions_, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ask_);
  buttons->addWidget(close_);
  buttons->addWidget(print);
  left_layout->addLayout(buttons);
  auto* split = new QSplitter(this);
  split->addWidget(left);
  split->addWidget(preview_);
  split->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(facts);
  layout->addWidget(split, 1);
  FillRecords();
  FillQuestions();
  resize(1100, 760);
}

void RegionReportWindow::FillRecords() {
  records_->clear();
  auto* month = new QTreeWidgetItem(records_, {tr("The month as a whole"), QString()});
  records_->setCurrentItem(month);
  for (const ReportTable& table : report_.tables) {
    auto* table_item = new QTreeWidgetItem(records_, {QString::fromStdString(table.title), QString()});
    table_item->setFlags(Qt::ItemIsEnabled);
    for (const ReportRow& row : table.rows) {
      const std::string name = row.cells.empty() ? row.key : row.cells.front().text;
      auto* record = new QTreeWidgetItem(table_item, {QString::fromStdString(name), QString()});
      for (int role : {kTable, kKey, kRecord}) {
        record->setData(0, role, QString::fromStdString(role == kTable ? table.name : role == kKey ? row.key : name));
      }
      for (size_t c = 0; c < table.columns.size() && c < row.cells.size(); ++c) {
        auto* field = new QTreeWidgetItem(
            record, {QString::fromStdString(table.columns[c].caption), QString::fromStdString(row.cells[c].text)});
        for (int role : {kTable, kKey, kRecord}) field->setData(0, role, record->data(0, role));
        field->setData(0, kField, QString::fromStdString(table.columns[c].caption));
      }
    }
  }
  records_->expandToDepth(0);
  records_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

void RegionReportWindow::FillQuestions() {
  questions_->clear();
  if (month_id_ == 0) return;
  for (const RegionQuestion& question : ReadQuestions(*database_, month_id_)) {
    auto* item = new QTreeWidgetItem(
        questions_, {QString::number(question.number), QString::fromStdString(SubjectText(question.subject, &report_)),
                     question.Open() ? (question.replies.empty() ? tr("open") : tr("open, answered")) : tr("closed")});
    item->setData(0, Qt::UserRole, static_cast<qlonglong>(question.number));
    for (const QuestionStep& step : QuestionHistory(*database_, question)) {
      new QTreeWidgetItem(item, {QString::fromStdString(StampText(step.when)), QString::fromStdString(step.who),
                                 QString::fromStdString(step.what)});
    }
  }
  questions_->expandAll();
  questions_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void RegionReportWindow::Refused(const kw::Error& error) {
  QMessageBox box(QMessageBox::Warning, tr("Not possible now"), QString::fromStdString(SentenceOf(error)),
                  QMessageBox::Ok, this);
  box.setObjectName("problem");
  box.exec();
}

void RegionReportWindow::AskAboutSelection() {
  if (!ask_->isEnabled()) return;
  const QTreeWidgetItem* item = records_->currentItem();
  QuestionSubject subject;
  if (item) {
    subject = {item->data(0, kTable).toString().toStdString(), item->data(0, kKey).toString().toStdString(),
               item->data(0, kRecord).toString().toStdString(), item->data(0, kField).toString().toStdString()};
  }
  bool given = false;
  const QString text = QInputDialog::getText(this, tr("Ask the home"),
                                             tr("Your question about %1, which the home sees among the month's "
                                                "problems:")
                                                 .arg(QString::fromStdString(SubjectText(subject, &report_))),
                                             QLineEdit::Normal, QString(), &given);
  if (!given) return;
  try {
    AskQuestion(*database_, month_id_, subject, text.toStdString());
  } catch (const kw::Error& error) {
    Refused(error);
  }
  FillQuestions();
}

void RegionReportWindow::CloseSelectedQuestion() {
  QTreeWidgetItem* item = questions_->currentItem();
  while (item && item->parent()) item = item->parent();
  if (!item) return;
  const int64_t number = item->data(0, Qt::UserRole).toLongLong();
  bool given = false;
  const QString text = QInputDialog::getText(this, tr("Close the question"),
                                             tr("Why is question %1 closed? The words are kept on record.").arg(number),
                                             QLineEdit::Normal, QString(), &given);
  if (!given) return;
  try {
    CloseQuestion(*database_, number, text.toStdString());
  } catch (const kw::Error& error) {
    Refused(error);
  }
  FillQuestions();
}

}  // namespace trf::desktop
