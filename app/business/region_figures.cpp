// The figures of filed months, summed and held against each home's own year.
#include "app/business/region_figures.h"

#include <cmath>
#include <map>

#include "app/business/csv_line.h"
#include "app/business/rules.h"
#include "app/data/trf_tables.h"

namespace trf {

namespace {

// How many earlier months a figure is held against, and how many must be known.
constexpr size_t kYear = 12;
constexpr size_t kKnownAtLeast = 6;
constexpr double kDeviations = 3;
constexpr double kShareOfMean = 0.1;

// The sum of the values of the column `column` of `table`.
double ColumnTotal(const ReportTable& table, std::string_view column) {
  double total = 0;
  for (size_t c = 0; c < table.columns.size(); ++c) {
    if (table.columns[c].name != column) continue;
    for (const ReportRow& row : table.rows)
      if (c < row.cells.size() && row.cells[c].value.IsNumber()) total += row.cells[c].value.ToDouble();
  }
  return total;
}

// A figure as a person reads it: residents whole, amounts with cents.
std::string FigureText(Figure figure, double value) {
  if (figure == Figure::kResidents) return std::to_string(static_cast<long long>(std::llround(value)));
  return AmountText(value);
}

}  // namespace

MonthFigures FiguresOf(const MonthReport& report) {
  MonthFigures figures;
  for (const ReportTable& table : report.tables) {
    for (const ReportColumn& column : table.columns) {
      if (column.name == tables::column::kMonthlyFee) {
        figures.residents += static_cast<double>(table.rows.size());
        figures.fees += ColumnTotal(table, column.name);
      }
      if (column.name == tables::column::kAmount) figures.expenses += ColumnTotal(table, column.name);
    }
  }
  return figures;
}

std::string FigureName(Figure figure) {
  switch (figure) {
    case Figure::kResidents: return "residents";
    case Figure::kFees: return "fees total";
    case Figure::kExpenses: return "expenses total";
  }
  return "residents";
}

double FigureOf(const MonthFigures& figures, Figure figure) {
  switch (figure) {
    case Figure::kResidents: return figures.residents;
    case Figure::kFees: return figures.fees;
    case Figure::kExpenses: return figures.expenses;
  }
  return 0;
}

std::optional<double> FarFrom(const std::vector<double>& history, double value) {
  const size_t count = std::min(history.size(), kYear);
  if (count < kKnownAtLeast) return std::nullopt;
  double mean = 0;
  for (size_t i = history.size() - count; i < history.size(); ++i) mean += history[i];
  mean /= static_cast<double>(count);
  double variance = 0;
  for (size_t i = history.size() - count; i < history.size(); ++i)
    variance += (history[i] - mean) * (history[i] - mean);
  const double deviation = std::sqrt(variance / static_cast<double>(count));
  const double distance = std::fabs(value - mean);
  if (distance > kDeviations * deviation && distance > kShareOfMean * std::fabs(mean)) return mean;
  return std::nullopt;
}

FigureSeries SeriesOf(const std::string& title, const std::vector<YearMonth>& months,
                      const std::vector<RegionFiling>& filings) {
  FigureSeries series{title, {}};
  std::map<YearMonth, size_t> column;
  for (const YearMonth& month : months) {
    column[month] = series.months.size();
    series.months.push_back({month, 0, {}, {}, {}});
  }
  // Each home's filed months in order: the filings come home by home, month by month.
  std::map<std::string, std::map<Figure, std::vector<double>>> history;
  for (const RegionFiling& filing : filings) {
    const MonthFigures figures = FiguresOf(filing.Report());
    const auto found = column.find(filing.month);
    // A month before the series counts only in its home's history.
    FigureMonth* month = found == column.end() ? nullptr : &series.months[found->second];
    if (month) {
      ++month->filed;
      month->figures.residents += figures.residents;
      month->figures.fees += figures.fees;
      month->figures.expenses += figures.expenses;
    }
    for (const Figure figure : kFigures) {
      std::vector<double>& earlier = history[filing.home_number][figure];
      const double value = FigureOf(figures, figure);
      if (const std::optional<double> mean = FarFrom(earlier, value); mean && month) {
        month->far.push_back(filing.home_number + ": " + FigureName(figure) + " " + FigureText(figure, value) +
                             ", against " + FigureText(figure, *mean) + " on average over its last " +
                             std::to_string(std::min(earlier.size(), kYear)) + " filed months");
        month->far_figures.push_back(figure);
      }
      earlier.push_back(value);
    }
  }
  return series;
}

std::string FigureSeriesCsv(const FigureSeries& series) {
  std::string out;
  AppendCsvLine({"month", "homes_filed", "residents", "fees_total", "expenses_total", "far"}, out);
  for (const FigureMonth& month : series.months) {
    std::string far;
    for (const std::string& why : month.far) far += (far.empty() ? "" : "; ") + why;
    char fees[32], expenses[32];
    std::snprintf(fees, sizeof fees, "%.2f", month.figures.fees);
    std::snprintf(expenses, sizeof expenses, "%.2f", month.figures.expenses);
    AppendCsvLine({month.month.Text(), std::to_string(month.filed),
                   std::to_string(static_cast<long long>(std::llround(month.figures.residents))), fees, expenses, far},
                  out);
  }
  return out;
}

}  // namespace trf
