// Drawing the figures month by month with Qt Charts.
#include "app/region_charts/figures_chart.h"

#include <QBarCategoryAxis>
#include <QChartView>
#include <QLineSeries>
#include <QPixmap>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace trf {

namespace {

// The most a value axis shows: a little above the highest value, so that no line runs along the top.
double AxisTop(double highest) { return highest <= 0 ? 1 : highest * 1.15; }
// Up to this many residents the residents' axis marks each one.
constexpr double kFewResidents = 10;

}  // namespace

QChart* MakeFiguresChart(const FigureSeries& series) {
  auto* chart = new QChart;
  chart->setTitle(QString::fromStdString(series.title) + QObject::tr(": filed months"));
  chart->legend()->setAlignment(Qt::AlignBottom);
  QStringList months;
  auto* residents = new QLineSeries;
  residents->setName(QObject::tr("Residents"));
  auto* fees = new QLineSeries;
  fees->setName(QObject::tr("Fees total"));
  auto* expenses = new QLineSeries;
  expenses->setName(QObject::tr("Expenses total"));
  auto* far_count = new QScatterSeries;
  far_count->setName(QObject::tr("Far from its home's year (residents)"));
  auto* far_amount = new QScatterSeries;
  far_amount->setName(QObject::tr("Far from its home's year (amounts)"));
  // A month between two months nobody filed, or the only one filed, is a point of its own.
  for (auto* line : {residents, fees, expenses}) line->setPointsVisible(true);
  for (auto* far : {far_count, far_amount}) {
    far->setColor(Qt::red);
    far->setMarkerSize(12);
  }
  double most_residents = 0, most_amount = 0;
  for (size_t i = 0; i < series.months.size(); ++i) {
    const FigureMonth& month = series.months[i];
    months << QString::fromStdString(month.month.Text());
    const auto x = static_cast<double>(i);
    if (month.filed == 0) continue;  // a month nobody filed has no figures, not zeros
    residents->append(x, month.figures.residents);
    fees->append(x, month.figures.fees);
    expenses->append(x, month.figures.expenses);
    most_residents = std::max(most_residents, month.figures.residents);
    most_amount = std::max({most_amount, month.figures.fees, month.figures.expenses});
    for (const Figure figure : month.far_figures) {
      const double value = FigureOf(month.figures, figure);
      (figure == Figure::kResidents ? far_count : far_amount)->append(x, value);
    }
  }
  auto* axis_months = new QBarCategoryAxis;
  axis_months->append(months);
  auto* axis_residents = new QValueAxis;
  axis_residents->setTitleText(QObject::tr("Residents"));
  axis_residents->setLabelFormat("%d");
  // Residents are counted: the axis runs to a whole number, with a mark at each while they are few.
  const double residents_top = std::ceil(AxisTop(most_residents));
  axis_residents->setRange(0, residents_top);
  if (residents_top <= kFewResidents) axis_residents->setTickCount(static_cast<int>(residents_top) + 1);
  auto* axis_amounts = new QValueAxis;
  axis_amounts->setTitleText(QObject::tr("Amount"));
  axis_amounts->setLabelFormat("%.0f");
  axis_amounts->setRange(0, AxisTop(most_amount));
  chart->addAxis(axis_months, Qt::AlignBottom);
  chart->addAxis(axis_residents, Qt::AlignLeft);
  chart->addAxis(axis_amounts, Qt::AlignRight);
  for (QXYSeries* line : std::initializer_list<QXYSeries*>{residents, far_count, fees, expenses, far_amount}) {
    chart->addSeries(line);
    line->attachAxis(axis_months);
    line->attachAxis(line == residents || line == far_count ? axis_residents : axis_amounts);
  }
  return chart;
}

bool WriteFiguresPng(const FigureSeries& series, const std::string& path, QSize size) {
  QChartView view(MakeFiguresChart(series));
  view.setRenderHint(QPainter::Antialiasing);
  view.resize(size);
  return view.grab().save(QString::fromStdString(path), "PNG");
}

}  // namespace trf
