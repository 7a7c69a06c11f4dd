// The region's grid in a window, with its reports, charts, imports and exports.
#include "app/desktop/region_window.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <set>

#include "app/business/filed_month_file.h"
#include "app/business/region_export.h"
#include "app/business/region_figures.h"
#include "app/data/trf_database.h"
#include "app/desktop/region_chart_window.h"
#include "app/desktop/region_report_window.h"

namespace trf::desktop {

namespace {

constexpr int kHistoryMonths = 12;

QAction* AddAction(QMenu* menu, const QString& text, const QString& name, const QKeySequence& key,
                   std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcut(key);
  QObject::connect(action, &QAction::triggered, menu, std::move(run));
  return action;
}

// A legend of the states' colours.
QWidget* Legend(QWidget* parent) {
  auto* legend = new QWidget(parent);
  auto* layout = new QHBoxLayout(legend);
  layout->setContentsMargins(4, 2, 4, 2);
  for (const MonthState state : {MonthState::kNotStarted, MonthState::kActive, MonthState::kClosed, MonthState::kFiled,
                                 MonthState::kReopened, MonthState::kFiledAgain, MonthState::kQuestioned}) {
    auto* label = new QLabel(QString::fromStdString(MonthStateText(state)), legend);
    label->setAutoFillBackground(true);
    label->setStyleSheet(
        QStringLiteral("background: %1; color: black; padding: 2px 6px;").arg(StateColor(state).name()));
    layout->addWidget(label);
  }
  layout->addWidget(new QLabel(QObject::tr("!  a filing that does not verify"), legend));
  layout->addStretch(1);
  return legend;
}

}  // namespace

RegionWindow::RegionWindow(std::shared_ptr<Database> database) : database_(std::move(database)) {
  setObjectName("regionWindow");
  setWindowTitle(tr("The region's homes by months"));
  model_ = new RegionGridModel(this);
  view_ = new QTableView(this);
  view_->setObjectName("regionGrid");
  view_->setAccessibleName(tr("Homes by months"));
  view_->setModel(model_);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(view_, &QTableView::activated, this, [this] { OpenCurrentCell(); });

  QToolBar* range = addToolBar(tr("Range"));
  range->setObjectName("rangeBar");
  region_ = new QComboBox(range);
  region_->setObjectName("region");
  region_->setAccessibleName(tr("Region"));
  region_->addItem(tr("All homes"), QString());
  from_ = new QLineEdit(range);
  from_->setObjectName("from");
  from_->setPlaceholderText("yyyy-mm");
  from_->setAccessibleName(tr("From the month"));
  to_ = new QLineEdit(range);
  to_->setObjectName("to");
  to_->setPlaceholderText("yyyy-mm");
  to_->setAccessibleName(tr("To the month"));
  range->addWidget(new QLabel(tr(" Region "), range));
  range->addWidget(region_);
  range->addWidget(new QLabel(tr(" From "), range));
  range->addWidget(from_);
  range->addWidget(new QLabel(tr(" to "), range));
  range->addWidget(to_);
  for (QLineEdit* edit : {from_, to_}) connect(edit, &QLineEdit::returnPressed, this, [this] { Refresh(); });
  connect(region_, &QComboBox::activated, this, [this] { Refresh(); });

  QMenu* grid = menuBar()->addMenu(tr("&Grid"));
  AddAction(grid, tr("&Refresh"), "refresh", QKeySequence(Qt::Key_F5), [this] { Refresh(); });
  AddAction(grid, tr("&Open the month's report"), "openReport", QKeySequence(Qt::CTRL | Qt::Key_O),
            [this] { OpenCurrentCell(); });
  AddAction(grid, tr("&Chart of the home"), "homeChart", QKeySequence(Qt::CTRL | Qt::Key_G),
            [this] { ShowChart(false); });
  AddAction(grid, tr("Chart of every home &shown"), "regionChart", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G),
            [this] { ShowChart(true); });
  grid->addSeparator();
  AddAction(grid, tr("&Import filed months..."), "import", QKeySequence(Qt::CTRL | Qt::Key_I), [this] { Import(); });
  AddAction(grid, tr("&Export the month..."), "export", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ExportMonth(); });
  grid->addSeparator();
  AddAction(grid, tr("&Quit"), "quit", QKeySequence::Quit, [this] { close(); });

  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_, 1);
  layout->addWidget(Legend(body));
  setCentralWidget(body);
  summary_ = new QLabel(this);
  summary_->setObjectName("gridSummary");
  statusBar()->addPermanentWidget(summary_, 1);
  resize(1200, 520);
  Refresh();
}

void RegionWindow::Say(const QString& title, const QString& text, bool warning) {
  QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information, title, text, QMessageBox::Ok, this);
  box.setObjectName(warning ? "problem" : "information");
  box.exec();
}

void RegionWindow::Refresh() {
  GridRange range{region_->currentData().toString().toStdString(), std::nullopt, std::nullopt};
  for (const auto& [edit, target] : {std::pair{from_, &range.from}, std::pair{to_, &range.to}}) {
    if (edit->text().trimmed().isEmpty()) continue;
    *target = ReadYearMonth(edit->text().trimmed().toStdString());
    if (!*target) return Say(tr("Not a month"), tr("A month is written yyyy-mm (2004-03)."), true);
  }
  // The reviewer's place is kept across a refresh: a reset model forgets its current cell.
  const QModelIndex place = view_->currentIndex();
  try {
    model_->Show(ReadRegionGrid(*database_, range));
  } catch (const kw::Error& error) {
    return Say(tr("Not possible now"), QString::fromStdString(SentenceOf(error)), true);
  }
  const RegionGrid& shown = model_->Grid();
  std::set<std::string> regions;
  for (const GridHome& home : shown.homes) regions.insert(home.region);
  for (const std::string& region : regions) {
    if (!region.empty() && region_->findData(QString::fromStdString(region)) < 0)
      region_->addItem(tr("Region %1").arg(QString::fromStdString(region)), QString::fromStdString(region));
  }
  int filed = 0, unverified = 0, questions = 0;
  for (const auto& row : shown.cells) {
    for (const GridCell& cell : row) {
      filed += cell.InForce() ? 1 : 0;
      unverified += cell.InForce() && !cell.Verifies() ? 1 : 0;
      questions += cell.open_questions;
    }
  }
  summary_->setText(
      tr("%1 homes, %2 months, %3 filed; %4 open questions; %5")
          .arg(shown.homes.size())
          .arg(shown.months.size())
          .arg(filed)
          .arg(questions)
          .arg(unverified == 0 ? tr("every filing verifies") : tr("%1 do not verify (!)").arg(unverified)));
  if (shown.homes.empty() || shown.months.empty()) return;
  const QModelIndex kept = model_->index(place.row(), place.column());
  view_->setCurrentIndex(kept.isValid() ? kept : model_->index(0, static_cast<int>(shown.months.size()) - 1));
}

void RegionWindow::OpenCurrentCell() {
  const QModelIndex index = view_->currentIndex();
  if (!index.isValid()) return;
  const RegionGrid& grid = model_->Grid();
  const GridHome& home = grid.homes[static_cast<size_t>(index.row())];
  const YearMonth& month = grid.months[static_cast<size_t>(index.column())];
  const GridCell& cell = grid.Cell(static_cast<size_t>(index.row()), static_cast<size_t>(index.column()));
  try {
    std::optional<RegionFiling> filing = ReadCellFiling(*database_, home, month, cell);
    if (!filing) {
      return Say(tr("Not filed"),
                 tr("%1 of %2 is %3: the region sees a month once it is filed.")
                     .arg(QString::fromStdString(MonthYearText(month.year, month.month)),
                          QString::fromStdString(home.number), QString::fromStdString(MonthStateText(cell.state))),
                 false);
    }
    auto* window = new RegionReportWindow(database_, std::move(*filing), cell.imported ? 0 : cell.month_id, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QDialog::finished, this, [this] { Refresh(); });
    window->show();
  } catch (const kw::Error& error) {
    Say(tr("Not possible now"), QString::fromStdString(SentenceOf(error)), true);
  }
}

void RegionWindow::ShowChart(bool whole) {
  const RegionGrid& shown = model_->Grid();
  const QModelIndex index = view_->currentIndex();
  if (shown.months.empty() || (!whole && !index.isValid())) return;
  try {
    GridRange range{region_->currentData().toString().toStdString(), shown.months.front(), shown.months.back()};
    const int first = range.from->year * 12 + range.from->month - 1 - kHistoryMonths;
    range.from = YearMonth{first / 12, first % 12 + 1};
    const RegionGrid grid = ReadRegionGrid(*database_, range);
    std::vector<std::string> numbers;
    std::string title = range.region.empty() ? "Every home shown" : "Region " + range.region;
    if (!whole) {
      const GridHome& home = shown.homes[static_cast<size_t>(index.row())];
      numbers.push_back(home.number);
      title = home.number + " " + home.name;
    }
    auto* window =
        new RegionChartWindow(SeriesOf(title, shown.months, ReadRegionFilings(*database_, grid, numbers)), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
  } catch (const kw::Error& error) {
    Say(tr("Not possible now"), QString::fromStdString(SentenceOf(error)), true);
  }
}

void RegionWindow::Import(const QStringList& paths) {
  const QStringList files = paths.isEmpty() ? QFileDialog::getOpenFileNames(this, tr("Import filed months"), QString(),
                                                                            tr("Reports (*.json)"))
                                            : paths;
  if (files.isEmpty()) return;
  QStringList said;
  bool refused = false;
  for (const QString& path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      said << tr("%1 cannot be read.").arg(path);
      refused = true;
      continue;
    }
    const QByteArray text = file.readAll();
    try {
      const FiledMonthFile filed = VerifyFiledMonthFile(
          std::string_view(text.constData(), static_cast<size_t>(text.size())), path.toStdString());
      ImportFiledMonth(*database_, filed);
      said << tr("%1: %2 %3 imported; its report matches its digest.")
                  .arg(path, QString::fromStdString(filed.report.home_number),
                       QString::fromStdString(ReportMonthText(filed.report)));
    } catch (const kw::Error& error) {
      said << QString::fromStdString(SentenceOf(error));
      refused = true;
    }
  }
  Refresh();
  Say(tr("Import"), said.join("\n"), refused);
}

void RegionWindow::ExportMonth(const QString& path) {
  const QModelIndex index = view_->currentIndex();
  const RegionGrid& shown = model_->Grid();
  if (!index.isValid() || shown.months.empty()) return;
  const YearMonth month = shown.months[static_cast<size_t>(index.column())];
  const QString file = path.isEmpty()
                           ? QFileDialog::getSaveFileName(this, tr("Export the month"),
                                                          QString::fromStdString("region-" + month.Text() + ".json"),
                                                          tr("JSON files (*.json)"))
                           : path;
  if (file.isEmpty()) return;
  try {
    const std::string json = RegionMonthJson(
        ReadRegionMonth(*database_, month, region_->currentData().toString().toStdString(), LoginName()));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(json.data(), static_cast<qint64>(json.size())) != static_cast<qint64>(json.size())) {
      return Say(tr("Not written"), tr("%1 cannot be written.").arg(file), true);
    }
    statusBar()->showMessage(tr("%1 written").arg(file), 10000);
  } catch (const kw::Error& error) {
    Say(tr("Not possible now"), QString::fromStdString(SentenceOf(error)), true);
  }
}

}  // namespace trf::desktop
