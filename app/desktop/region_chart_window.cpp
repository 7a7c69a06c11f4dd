// The months seen over time in a window.
#include "app/desktop/region_chart_window.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/region_charts/figures_chart.h"

namespace trf::desktop {

RegionChartWindow::RegionChartWindow(FigureSeries series, QWidget* parent)
    : QDialog(parent), series_(std::move(series)) {
  setObjectName("regionChart");
  setWindowTitle(tr("%1: months seen over time").arg(QString::fromStdString(series_.title)));
  view_ = new QChartView(MakeFiguresChart(series_), this);
  view_->setObjectName("chart");
  view_->setRenderHint(QPainter::Antialiasing);
  far_ = new QListWidget(this);
  far_->setObjectName("farMonths");
  far_->setAccessibleName(tr("Months far from their home's own year"));
  for (const FigureMonth& month : series_.months)
    for (const std::string& why : month.far) far_->addItem(QString::fromStdString(month.month.Text() + "  " + why));
  if (far_->count() == 0) far_->addItem(tr("No figure moved far from its home's own last twelve filed months."));
  auto* png = new QPushButton(tr("Save as P&NG..."), this);
  png->setObjectName("savePng");
  auto* csv = new QPushButton(tr("Save as &CSV..."), this);
  csv->setObjectName("saveCsv");
  connect(png, &QPushButton::clicked, this, [this] { SavePng(); });
  connect(csv, &QPushButton::clicked, this, [this] { SaveCsv(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new QLabel(tr("Red dots: a home's figure far from its own last twelve filed months."), this), 1);
  buttons->addWidget(png);
  buttons->addWidget(csv);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 3);
  layout->addWidget(far_, 1);
  layout->addLayout(buttons);
  resize(1000, 700);
}

bool RegionChartWindow::SavePng(const QString& path) {
  const QString file =
      path.isEmpty() ? QFileDialog::getSaveFileName(this, tr("Save the chart"), "chart.png", tr("PNG pictures (*.png)"))
                     : path;
  return !file.isEmpty() && view_->grab().save(file, "PNG");
}

bool RegionChartWindow::SaveCsv(const QString& path) {
  const QString file = path.isEmpty() ? QFileDialog::getSaveFileName(this, tr("Save the figures"), "figures.csv",
                                                                     tr("CSV files (*.csv)"))
                                      : path;
  if (file.isEmpty()) return false;
  QFile out(file);
  const std::string csv = FigureSeriesCsv(series_);
  return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         out.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
}

}  // namespace trf::desktop
