// The months seen over time: for each filed month, the residents, the total of their monthly fees and
// the total of the month's expenses, read from the report as it was filed; for one home, or summed
// over the homes of a region; and each figure of a home that moves far from the home's own last
// twelve filed months marked, with why.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/business/month_report.h"
#include "app/business/region_filings.h"
#include "app/business/region_grid.h"

namespace trf {

// One month's figures.
struct MonthFigures {
  double residents = 0;
  double fees = 0;      // the total of the residents' monthly fees
  double expenses = 0;  // the total of the month's expenses
};

// The figures of a filed month's report: its residents' table counted and its fees summed, its
// expenses' amounts summed (a report without such a table counts nothing of it).
MonthFigures FiguresOf(const MonthReport& report);

// The figures compared: residents, fees, expenses.
enum class Figure : uint8_t { kResidents, kFees, kExpenses };
inline constexpr Figure kFigures[] = {Figure::kResidents, Figure::kFees, Figure::kExpenses};
// "residents", "fees total", "expenses total".
std::string FigureName(Figure figure);
double FigureOf(const MonthFigures& figures, Figure figure);

// A month of a series: its figures (summed over the homes filed that month), how many homes filed it,
// and what moved far ("H-101: fees total 31,200.00, against 15,100.00 on average over its last 12
// filed months").
struct FigureMonth {
  YearMonth month;
  int filed = 0;
  MonthFigures figures;
  std::vector<std::string> far;
  std::vector<Figure> far_figures;  // the figure each entry of `far` is about
};

// The series of one home or of the homes together, month by month over the grid's months.
struct FigureSeries {
  std::string title;  // "H-101 Maple House", or "Region N", or "Every home reviewed"
  std::vector<FigureMonth> months;
};

// Whether `value` is far from `history` (the same figure of the home's previous filed months, oldest
// first; the last twelve count): at least six of them known, and more than three standard deviations
// and more than a tenth from their mean. Answers that mean when far.
std::optional<double> FarFrom(const std::vector<double>& history, double value);

// The series of `filings` under `title` over `months`: each month's figures summed over its homes, and
// each home's figure marked where it is far from that home's own last twelve filed months (filings of
// months before the series count for those).
FigureSeries SeriesOf(const std::string& title, const std::vector<YearMonth>& months,
                      const std::vector<RegionFiling>& filings);

// The series as CSV: month, homes filed, residents, fees total, expenses total, and what moved far.
std::string FigureSeriesCsv(const FigureSeries& series);

}  // namespace trf
